// Copy as Unicode and Paste Unicode through the real clipboard.
#include <string>

#include "Clipboard.h"
#include "MainFormFixture.h"

namespace {

// "می‌روم" and "سلام" as the editor keeps them, each line in display order.
const std::string Line1 = "\xB0\xEB\x94\xE6\xEF", Line2 = "\xB0\xE2\xAE";
const std::u16string Unicode1 = u"می‌روم", Unicode2 = u"سلام";

std::u16string ClipboardUnicode(HWND owner) {
  std::u16string text;
  ReadClipboardUnicode(owner, text);
  return text;
}

class UnicodeClipboardTest : public MainFormTest {};

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
  const std::u16string pasted = Unicode1 + u"\n" + Unicode2;
  std::string bytes;
  for (const char16_t unit : pasted) bytes += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
  ASSERT_TRUE(ReplaceClipboard(form->Handle(), {{CF_UNICODETEXT, bytes + '\0'}}));
  SetCodes("");
  form->EditPasteUnicode(nullptr);
  EXPECT_EQ(Codes(), Line1 + "\r\n" + Line2);
  EXPECT_TRUE(form->RichEdit1.Send(EM_GETMODIFY));
}

}  // namespace
