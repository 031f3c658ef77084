// Persian from the keyboard, by real key events through the input queue:
// each key's character by its position, its form and its neighbours' forms
// as from-unicode writes the text.
#include <windows.h>
#include <richedit.h>

#include <string>

#include "MainFormFixture.h"
#include "PersianKeys.h"

using namespace testing_support;

class KeyboardTest : public PersianKeyboardTest {
 protected:
  void Type(std::u32string_view text) { ASSERT_TRUE(TypePersian(text)); }
  testing::AssertionResult CodesBecome(const std::string& expected) {
    return BecomesCodes([&] { return Codes(); }, expected);
  }
  void Clear() {
    SendMessageA(Text(), EM_SETSEL, 0, -1);
    SendMessageA(Text(), WM_CLEAR, 0, 0);
    SendMessageA(Text(), EM_EMPTYUNDOBUFFER, 0, 0);
  }
};

// Every key, alone and with Shift: what the font can write is written as
// from-unicode writes it; the rest beeps, writes nothing and is named.
TEST_F(KeyboardTest, EveryKeyOfTheLayoutWritesItsCharacterByPosition) {
  ASSERT_EQ(LayoutTable().size(), 48u);
  for (const KeyRow& row : LayoutTable()) {
    for (const bool shift : {false, true}) {
      const char32_t character = shift ? row.shifted : row.base;
      Clear();
      UsKey(row.us, shift);
      UsKey('x');  // a marker: every key before it has been handled
      const std::string marker = FromUnicode(U"\u0637");
      if (core::CanBeTyped(character)) {
        const std::u32string typed{character, U'\u0637'};
        EXPECT_TRUE(CodesBecome(FromUnicode(typed))) << row.us << shift << " gave " << Hex(Codes());
      } else {
        EXPECT_TRUE(CodesBecome(marker)) << row.us << shift << " gave " << Hex(Codes());
        char code[8];
        std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(character));
        EXPECT_NE(StatusText().find(code), std::string::npos) << StatusText();
      }
    }
  }
}

TEST_F(KeyboardTest, SentencesTypedKeyByKeyStoreWhatFromUnicodeWrites) {
  for (const char* sentence :
       {"سلام دنیا", "می‌روم و می‌آیم؟ بله، «فردا».", "سال ۱۴۰۴ و ۲۵ روز",
        "خط اول\nخط دوم با ۳ کلمه",
        "بـ و \u200Dه"}) {  // a tatweel's join, and a ZWJ held for the next letter
    Clear();
    const std::u32string text = Unicode(sentence);
    Type(text);
    std::u32string withBreaks;
    for (const char32_t character : text)
      withBreaks += character == '\n' ? U"\r\n" : std::u32string(1, character);
    EXPECT_TRUE(CodesBecome(FromUnicode(withBreaks))) << sentence;
  }
}

TEST_F(KeyboardTest, LatinWordsTypedInLatinModeStandAsInUnicodeText) {
  Type(Unicode("من "));
  KeyChord(VK_MENU, VK_SHIFT);
  RunEditorLoop(100);
  EXPECT_FALSE(form->PersianKeyboard());
  for (const char letter : std::string("Dabiro")) UsKey(letter);
  RunEditorLoop(100);
  KeyChord(VK_SHIFT, VK_MENU);
  RunEditorLoop(100);
  EXPECT_TRUE(form->PersianKeyboard());
  Type(Unicode(" را دارم"));
  EXPECT_TRUE(CodesBecome(FromUnicode(Unicode("من Dabiro را دارم"))));
}

// Backspace takes back the last letter written, Delete the one on the
// other side, a letter typed inside a word joins it; each re-forms its
// neighbours, and Undo takes each back whole.
TEST_F(KeyboardTest, EditsInsideAWordReformTheNeighboursAndUndoTakesThemBack) {
  Type(Unicode("کتاب"));
  ASSERT_TRUE(CodesBecome(FromUnicode(Unicode("کتاب"))));
  Key(VK_BACK);
  ASSERT_TRUE(CodesBecome(FromUnicode(Unicode("کتا"))));
  Key(VK_RIGHT);  // between the alef and the teh
  Type(Unicode("ب"));
  ASSERT_TRUE(CodesBecome(FromUnicode(Unicode("کتبا"))));
  Key(VK_DELETE);  // the alef, left of the caret: after it in reading order
  ASSERT_TRUE(CodesBecome(FromUnicode(Unicode("کتب"))));
  form->EditUndoItem.Click();
  EXPECT_TRUE(CodesBecome(FromUnicode(Unicode("کتبا"))));
  form->EditUndoItem.Click();
  EXPECT_TRUE(CodesBecome(FromUnicode(Unicode("کتا"))));
}

// The two lines keep their formats, and Undo takes the join back at once.
TEST_F(KeyboardTest, BackspaceAtALinesStartJoinsItToTheLineAbove) {
  Type(Unicode("سلام\nدنیا"));
  ASSERT_TRUE(CodesBecome(FromUnicode(Unicode("سلام\r\nدنیا"))));
  const auto bold = [&](long from, long to, bool set) {
    SendMessageA(Text(), EM_SETSEL, from, to);
    CHARFORMATA format{};
    format.cbSize = sizeof format;
    format.dwMask = CFM_BOLD;
    format.dwEffects = set ? CFE_BOLD : 0;
    if (set)
      SendMessageA(Text(), EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    SendMessageA(Text(), EM_GETCHARFORMAT, TRUE, reinterpret_cast<LPARAM>(&format));
    return (format.dwMask & CFM_BOLD) && (format.dwEffects & CFE_BOLD);
  };
  const long first = static_cast<long>(FromUnicode(Unicode("سلام")).size());
  bold(0, first, true);
  const std::string typed = Codes();
  SendMessageA(Text(), EM_SETSEL, typed.size(), typed.size());
  Key(VK_HOME);  // the start of the line in reading order: its right end
  Key(VK_BACK);
  const std::string joined = FromUnicode(Unicode("سلامدنیا"));
  EXPECT_TRUE(CodesBecome(joined));
  // The first line's first letter, at the right, and the second line's last.
  EXPECT_TRUE(bold(static_cast<long>(joined.size()) - 1, static_cast<long>(joined.size()), false));
  EXPECT_FALSE(bold(0, 1, false));
  form->EditUndoItem.Click();
  EXPECT_TRUE(CodesBecome(typed));
}

// The mode on the menu and the status line, Alt+Shift without the menu bar
// opening, and Latin typing as before.
TEST_F(KeyboardTest, TheModeShowsAndLatinTypingIsUnchanged) {
  const auto checked = [&](const winui::MenuItem& item) {
    return (GetMenuState(form->MainMenu, item.Id(), MF_BYCOMMAND) & MF_CHECKED) != 0;
  };
  EXPECT_TRUE(checked(form->KeyboardPersianItem));
  EXPECT_EQ(StatusText(), "Persian keyboard");
  KeyChord(VK_MENU, VK_SHIFT);
  RunEditorLoop(200);
  EXPECT_TRUE(checked(form->KeyboardLatinItem));
  EXPECT_FALSE(checked(form->KeyboardPersianItem));
  EXPECT_EQ(StatusText(), "Latin keyboard");
  for (const char letter : {'q', ' ', 'w'}) {
    UsKey(letter);
    RunEditorLoop(50);  // the space's steering comes after it
  }
  EXPECT_TRUE(CodesBecome("qw "));  // the space steered left, as ever
  EXPECT_EQ(GetFocus(), Text());    // no menu bar took the keys
}

TEST_F(KeyboardTest, CtrlKeysKeepTheirCommands) {
  Type(Unicode("سب"));
  ASSERT_TRUE(CodesBecome(FromUnicode(Unicode("سب"))));
  SendMessageA(Text(), EM_SETSEL, 0, 2);
  KeyChord(VK_CONTROL, 'C');
  Key(VK_END);
  KeyChord(VK_CONTROL, 'V');
  EXPECT_TRUE(CodesBecome(FromUnicode(Unicode("سب")) + FromUnicode(Unicode("سب"))));
}
