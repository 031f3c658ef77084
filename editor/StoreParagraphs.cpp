#include "StoreParagraphs.h"

#include <richedit.h>

#include <algorithm>
#include <string>

#include "ControlStreams.h"
#include "PrintedDocument.h"
#include "RichEditControl.h"
#include "RtfDocument.h"

namespace {

std::vector<core::RichParagraph> PlainParagraphs(const RichEditControl& control,
                                                 const core::RunStyle& style) {
  const int length = GetWindowTextLengthA(control.Handle());
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  text.resize(static_cast<std::size_t>(GetWindowTextA(control.Handle(), &text[0], length + 1)));
  std::vector<core::RichParagraph> paragraphs;
  std::size_t begin = 0;
  for (;;) {
    const std::size_t end = text.find("\r\n", begin);
    core::RichParagraph& paragraph = paragraphs.emplace_back();
    paragraph.alignment = core::Alignment::Right;
    paragraph.rightToLeft = style.Glyphs();
    paragraph.runs.push_back({style, text.substr(begin, end - begin)});
    if (end == std::string::npos) return paragraphs;
    begin = end + 2;
  }
}

// The document's last paragraph mark may come out as a paragraph of its
// own, and a control line may have none where RTF had no paragraph mark.
void MatchLines(std::vector<core::RichParagraph>& paragraphs, std::size_t lines) {
  if (paragraphs.empty()) {
    paragraphs.emplace_back().runs.emplace_back();
    paragraphs.back().rightToLeft = true;
  }
  if (paragraphs.size() > lines) paragraphs.resize(lines);
  while (paragraphs.size() < lines) {
    core::RichParagraph empty = paragraphs.back();
    empty.runs.resize(1);
    empty.runs.front().text.clear();
    empty.number = {};
    paragraphs.push_back(std::move(empty));
  }
}

}  // namespace

StoreParagraphs ReadStoreParagraphs(const RichEditControl& control,
                                    const core::RunStyle& plainStyle) {
  StoreParagraphs store;
  store.paragraphs =
      control.HasRichText()
          ? core::RichParagraphs(core::ReadRtf(StreamOut(control, SF_RTF)), BytesInCodePage)
          : PlainParagraphs(control, plainStyle);
  const auto lines = static_cast<std::size_t>(std::max<LRESULT>(1, control.Send(EM_GETLINECOUNT)));
  MatchLines(store.paragraphs, lines);
  for (std::size_t line = 0; line < lines; ++line)
    store.starts.push_back(static_cast<long>(control.Send(EM_LINEINDEX, line)));
  return store;
}
