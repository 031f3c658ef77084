// Copy as Unicode and Paste Unicode: the document's Persian leaves as
// standard Unicode text in reading order, and Unicode text from anywhere
// comes in as glyph codes in display order.
#include <richedit.h>

#include "Clipboard.h"
#include "ControlStreams.h"
#include "Exceptions.h"
#include "GlyphText.h"
#include "GlyphToUnicode.h"
#include "MainForm.h"
#include "RtfConversion.h"
#include "TextLines.h"
#include "UnicodeToGlyph.h"
#include "Utf.h"

namespace {

std::string LittleEndianBytes(const std::u16string& text) {
  std::string bytes;
  for (const char16_t unit : text) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  return bytes + '\0';  // with the NUL the clipboard adds, a UTF-16 NUL
}

// The selection's RTF as Unicode RTF; empty when it cannot be read.
std::string UnicodeRtfOf(const RichEditControl& control, bool selectionOnly) {
  try {
    core::Unconvertibles problems;
    const std::string rtf = StreamOut(control, SF_RTF | (selectionOnly ? SFF_SELECTION : 0));
    return core::UnicodeRtf(core::UnicodeDocument(core::ReadRtf(rtf), problems));
  } catch (const core::Exception&) {
    return {};
  }
}

// Each line a paragraph of its own: the control takes CR LF for one.
std::string WithParagraphBreaks(const std::string& codes) {
  std::string text;
  core::ForEachLine(
      codes.data(), codes.size(), [&](std::size_t start, std::size_t end, std::size_t) { text.append(codes, start, end - start); },
      [&](std::size_t, std::size_t) { text += "\r\n"; });
  return text;
}

}  // namespace

void TMainForm::EditCopyUnicode(Component*) {
  CHARRANGE range{};
  RichEdit1.Send(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
  const bool selectionOnly = range.cpMin != range.cpMax;
  core::Unconvertibles problems;  // codes without a glyph become U+FFFD
  const std::u32string unicode = core::GlyphsToUnicode(CodesOf(RichEdit1, selectionOnly), problems);
  std::vector<std::pair<UINT, std::string>> data{{CF_UNICODETEXT, LittleEndianBytes(core::Utf16FromUnicode(unicode))}};
  const std::string rtf = UnicodeRtfOf(RichEdit1, selectionOnly);
  if (!rtf.empty()) data.push_back({RegisterClipboardFormatA("Rich Text Format"), rtf});
  ReplaceClipboard(Handle(), data);
}

void TMainForm::EditPasteUnicode(Component*) {
  std::u16string text;
  core::Unconvertibles problems;
  std::u32string unicode;
  std::size_t faultAt = 0;
  if (ReadClipboardUnicode(Handle(), text) && core::UnicodeFromUtf16(text, unicode, faultAt)) {
    const std::string codes = core::UnicodeToGlyphs(unicode, problems);
    const bool anyConverted = codes.find_first_not_of("\r\n") != std::string::npos &&
                              problems.size() < unicode.size();
    if (anyConverted) {
      InsertCodes(RichEdit1, WithParagraphBreaks(codes));
      return;
    }
  }
  MessageBoxA(Handle(), "The clipboard holds no Unicode text that the font Persian can show.", "Dabiro",
              MB_OK | MB_ICONINFORMATION);
}
