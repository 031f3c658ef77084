// Copy as Unicode and Paste Unicode through the real clipboard.
#include <string>

#include "Clipboard.h"
#include "MainFormFixture.h"
#include "ModalScript.h"

using namespace testing_support;

namespace {

// "می‌روم" and "سلام" as the editor keeps them, each line in display order.
const std::string Line1 = "\xB0\xEB\x94\xE6\xEF", Line2 = "\xB0\xE2\xAE";
const std::u16string Unicode1 = u"می‌روم", Unicode2 = u"سلام";

std::u16string ClipboardUnicode(HWND owner) {
  std::u16string text;
  ReadClipboardUnicode(owner, text);
  return text;
}

std::string Utf16Bytes(const std::u16string& text) {
  std::string bytes;
  for (const char16_t unit : text)
    bytes += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
  return bytes + '\0';
}

class UnicodeClipboardTest : public MainFormTest {
 protected:
  // Pastes the text; returns what the information box said, "" if none.
  std::string PasteSaying(const std::u16string& pasted) {
    EXPECT_TRUE(ReplaceClipboard(form->Handle(), {{CF_UNICODETEXT, Utf16Bytes(pasted)}}));
    ModalScript script;
    script.On([] { return FindThreadWindow("#32770", "Information"); },
              [](HWND box) { ClickButton(box, {"OK"}); });
    script.Run([&] { form->EditPasteUnicode(nullptr); });
    return script.Seen().empty() ? "" : script.Seen().back();
  }
};

TEST_F(UnicodeClipboardTest, CopyAsUnicodeGivesTheWholeTextOrTheSelectionInReadingOrder) {
  SetCodes(Line1 + "\r\n" + Line2);
  SendMessageA(Text(), EM_SETSEL, 0, 0);
  form->EditCopyUnicode(nullptr);
  EXPECT_EQ(ClipboardUnicode(form->Handle()), Unicode1 + u"\r\n" + Unicode2);
  EXPECT_TRUE(ClipboardHas(RegisterClipboardFormatA("Rich Text Format")));

  SendMessageA(Text(), EM_SETSEL, 0, 2);  // the two leftmost glyphs: the word's end
  form->EditCopyUnicode(nullptr);
  EXPECT_EQ(ClipboardUnicode(form->Handle()), u"وم");

  // Text typed in another face is no glyph codes: it stays as it is.
  SetCodes("");
  CHARFORMATA arial{};
  arial.cbSize = sizeof arial;
  arial.dwMask = CFM_FACE | CFM_CHARSET;
  arial.bCharSet = ANSI_CHARSET;
  lstrcpyA(arial.szFaceName, "Arial");
  SendMessageA(Text(), EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&arial));
  SendMessageA(Text(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>("Caf\xE9"));
  SendMessageA(Text(), EM_SETSEL, 0, 0);
  form->EditCopyUnicode(nullptr);
  EXPECT_EQ(ClipboardUnicode(form->Handle()), u"Café");
}

TEST_F(UnicodeClipboardTest, PasteUnicodeWritesGlyphCodesAtTheCaretLineByLine) {
  SetCodes("");
  EXPECT_EQ(PasteSaying(Unicode1 + u"\n" + Unicode2), "");
  EXPECT_EQ(Codes(), Line1 + "\r\n" + Line2);
  EXPECT_TRUE(form->RichEdit1.Send(EM_GETMODIFY));
}

// Nothing the font can show changes nothing; what it cannot show among
// what it can is written as '?' and said.
TEST_F(UnicodeClipboardTest, PasteUnicodeSaysWhatItCouldNotWrite) {
  SetCodes("kept");
  EXPECT_EQ(PasteSaying(u"\u65E5\u672C"),
            "The clipboard holds no Unicode text that the font Persian can show.");
  EXPECT_EQ(Codes(), "kept");

  SetCodes("");
  const std::string said = PasteSaying(Unicode2 + u" \u65E5");
  EXPECT_EQ(said.rfind("1 character(s) the font Persian cannot show were written as \"?\".", 0), 0u)
      << said;
  EXPECT_NE(Codes().find('?'), std::string::npos);
}

TEST_F(UnicodeClipboardTest, PasteUnicodeLeavesAReadOnlyDocumentAlone) {
  SetCodes("kept");
  SendMessageA(Text(), EM_SETMODIFY, FALSE, 0);
  SendMessageA(Text(), EM_SETREADONLY, TRUE, 0);
  EXPECT_EQ(PasteSaying(Unicode2), "The document is read-only: nothing was pasted.");
  EXPECT_EQ(Codes(), "kept");
  EXPECT_FALSE(form->RichEdit1.Send(EM_GETMODIFY));
}

}  // namespace
