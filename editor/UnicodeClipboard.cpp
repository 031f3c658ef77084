// Copy as Unicode and Paste Unicode: the document's Persian leaves as
// standard Unicode text in reading order, and Unicode text from anywhere
// comes in as glyph codes in display order.
#include <richedit.h>

#include "Clipboard.h"
#include "ControlStreams.h"
#include "EditorTexts.h"
#include "Exceptions.h"
#include "GlyphText.h"
#include "GlyphToUnicode.h"
#include "MainForm.h"
#include "MessageDialog.h"
#include "RtfConversion.h"
#include "TextFormat.h"
#include "TextLines.h"
#include "UnicodeClipboard.h"
#include "UnicodeToGlyph.h"
#include "Utf.h"

namespace {

std::string LittleEndianBytes(const std::u16string& text) {
  return core::Utf16Bytes(text, false) + '\0';  // with the NUL the clipboard adds, a UTF-16 NUL
}

// The selection (or the whole text) read through its RTF, so that only
// text in the glyph font is taken for glyph codes; false when the control's
// RTF goes beyond what the reader takes.
bool UnicodeDocumentOf(const RichEditControl& control, bool selectionOnly,
                       core::RtfDocument& unicode) {
  try {
    core::Unconvertibles problems;  // codes without a glyph become U+FFFD
    const std::string rtf = StreamOut(control, SF_RTF | (selectionOnly ? SFF_SELECTION : 0));
    unicode = core::UnicodeDocument(core::ReadRtf(rtf), problems);
    return true;
  } catch (const core::Exception&) {
    return false;
  }
}

// Each line a paragraph of its own: the control takes CR LF for one.
std::string WithParagraphBreaks(const std::string& codes) {
  std::string text;
  core::ForEachLine(
      codes.data(), codes.size(),
      [&](std::size_t start, std::size_t end, std::size_t) {
        text.append(codes, start, end - start);
      },
      [&](std::size_t, std::size_t) { text += "\r\n"; });
  return text;
}

}  // namespace

// A selection across paragraphs is copied from a copy of it.
void TMainForm::EditCopyUnicode(Component*) {
  if (ReadingView1.UseCopyOfSelection(
          [this](const RichEditControl& copy) { CopyAsUnicode(copy, true); }))
    return;
  CopyAsUnicode(RichEdit1, RichEdit1.SelLength() > 0);
}

void TMainForm::CopyAsUnicode(const RichEditControl& control, bool selectionOnly) {
  core::RtfDocument unicode;
  std::vector<std::pair<UINT, std::string>> data;
  if (UnicodeDocumentOf(control, selectionOnly, unicode)) {
    data = {
        {CF_UNICODETEXT, LittleEndianBytes(core::Utf16FromUnicode(core::TextOfDocument(unicode)))},
        {RegisterClipboardFormatA("Rich Text Format"), core::UnicodeRtf(unicode)}};
  } else {
    core::Unconvertibles problems;
    const std::u32string text = core::GlyphsToUnicode(CodesOf(control, selectionOnly), problems);
    data = {{CF_UNICODETEXT, LittleEndianBytes(core::Utf16FromUnicode(text))}};
  }
  if (!ReplaceClipboard(Handle(), data)) FailClipboardWrite("copied");
}

namespace {

void Inform(const std::string& text) {
  winui::MessageDialog(text, winui::DialogType::Information, {winui::DialogButton::OK}, 0);
}

}  // namespace

// What was written as '?' is said, so that nothing is lost unnoticed.
void ReportUnwritten(const core::Unconvertibles& problems) {
  if (problems.empty()) return;
  std::string text =
      core::FormatWith(texts::WrittenAsQuestionMarks, std::to_string(problems.size())) +
      core::Describe(problems.front());
  if (problems.size() > 1) text += ", ...";
  Inform(text);
}

void PasteUnicodeInto(HWND owner, const RichEditControl& target, bool firstLineOnly) {
  std::u16string text;
  core::Unconvertibles problems;
  std::u32string unicode;
  std::size_t faultAt = 0;
  if (ReadClipboardUnicode(owner, text) && core::UnicodeFromUtf16(text, unicode, faultAt)) {
    const std::size_t lineEnd = unicode.find_first_of(U"\r\n");
    if (firstLineOnly && lineEnd != std::u32string::npos) unicode.resize(lineEnd);
    const std::string codes = core::UnicodeToGlyphs(unicode, problems);
    const bool anyConverted =
        codes.find_first_not_of("\r\n") != std::string::npos && problems.size() < unicode.size();
    if (anyConverted) {
      InsertCodes(target, WithParagraphBreaks(codes));
      ReportUnwritten(problems);
      return;
    }
  }
  Inform(texts::NoUnicodeText);
}

void TMainForm::EditPasteUnicode(Component*) {
  // Writing the codes in takes the way of the program, which the control's
  // read-only flag does not stop.
  if (RichEdit1.ReadOnly()) {
    Inform(texts::ReadOnlyNotPasted);
    return;
  }
  PasteUnicodeInto(Handle(), RichEdit1, false);
}
