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

std::vector<core::RichParagraph> RtfParagraphs(const RichEditControl& control, WPARAM format) {
  return core::RichParagraphs(core::ReadRtf(StreamOut(control, format)), BytesInCodePage);
}

std::vector<core::RichParagraph> SelectedParagraphs(const RichEditControl& control, long begin,
                                                    long end, long anchor, long caret) {
  const SelectionMovedAside aside(control, anchor, caret);
  control.Send(EM_SETSEL, static_cast<WPARAM>(begin), end);
  return RtfParagraphs(control, SF_RTF | SFF_SELECTION);
}

std::size_t LineCount(const RichEditControl& control) {
  return static_cast<std::size_t>(std::max<LRESULT>(1, control.Send(EM_GETLINECOUNT)));
}

}  // namespace

SelectionMovedAside::SelectionMovedAside(const RichEditControl& control, long anchor, long caret)
    : control_(control), anchor_(anchor), caret_(caret), events_(control.Send(EM_GETEVENTMASK)) {
  control.Send(EM_SETEVENTMASK, 0, events_ & ~(ENM_SELCHANGE | ENM_CHANGE));
  control.Send(WM_SETREDRAW, FALSE);
}

SelectionMovedAside::~SelectionMovedAside() {
  control_.Send(EM_SETSEL, static_cast<WPARAM>(anchor_), caret_);
  control_.Send(WM_SETREDRAW, TRUE);
  control_.Send(EM_SETEVENTMASK, 0, events_);
}

std::vector<long> LineStarts(const RichEditControl& control) {
  std::vector<long> starts;
  for (std::size_t line = 0, lines = LineCount(control); line < lines; ++line)
    starts.push_back(static_cast<long>(control.Send(EM_LINEINDEX, line)));
  return starts;
}

StoreParagraphs ReadStoreParagraphs(const RichEditControl& control,
                                    const core::RunStyle& plainStyle) {
  StoreParagraphs store;
  store.paragraphs =
      control.HasRichText() ? RtfParagraphs(control, SF_RTF) : PlainParagraphs(control, plainStyle);
  MatchLines(store.paragraphs, LineCount(control));
  store.starts = LineStarts(control);
  return store;
}

bool ReadParagraphRange(const RichEditControl& control, std::size_t first, std::size_t count,
                        const core::RunStyle& plainStyle, long anchor, long caret,
                        std::vector<core::RichParagraph>& paragraphs) {
  const std::size_t lines = LineCount(control);
  if (count == 0 || first + count > lines) return false;
  if (!control.HasRichText()) {
    paragraphs = PlainParagraphs(control, plainStyle);
    if (paragraphs.size() != lines) return false;
    paragraphs.erase(paragraphs.begin(), paragraphs.begin() + static_cast<std::ptrdiff_t>(first));
    paragraphs.resize(count);
    return true;
  }
  const long begin = static_cast<long>(control.Send(EM_LINEINDEX, first));
  const long end =
      first + count < lines ? static_cast<long>(control.Send(EM_LINEINDEX, first + count)) : -1;
  paragraphs = SelectedParagraphs(control, begin, end, anchor, caret);
  // The mark that ends the last paragraph may come out as one more.
  if (paragraphs.size() == count + 1 && paragraphs.back().runs.size() == 1 &&
      paragraphs.back().runs.front().text.empty())
    paragraphs.pop_back();
  if (paragraphs.size() != count) return false;
  for (const core::RichParagraph& paragraph : paragraphs)
    if (!paragraph.number.text.empty()) return false;
  return true;
}
