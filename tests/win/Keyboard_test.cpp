// Persian from the keyboard, by real key events through the input queue:
// each key's character by its position, its form and its neighbours' forms
// as from-unicode writes the text.
#include <richedit.h>
#include <windows.h>

#include <fstream>
#include <map>
#include <string>

#include "MainFormFixture.h"
#include "UnicodeToGlyph.h"
#include "Utf.h"

using namespace testing_support;

namespace {

struct KeyRow {
  char us;  // what the key gives on a US keyboard: the system tells its place
  char32_t base, shifted;
};

std::vector<KeyRow> LayoutTable() {
  std::ifstream table("Z:" DABIRO_SOURCE_DIR "/tests/data/isiri-9147.tsv");
  std::vector<KeyRow> rows;
  std::string row;
  while (std::getline(table, row)) {
    if (row.empty() || row[0] == '#' || row.rfind("position", 0) == 0) continue;
    const std::size_t a = row.find('\t'), b = row.find('\t', a + 1), c = row.find('\t', b + 1);
    rows.push_back({row[a + 1],
                    static_cast<char32_t>(std::stoul(row.substr(b + 1, c - b - 1), nullptr, 16)),
                    static_cast<char32_t>(std::stoul(row.substr(c + 1), nullptr, 16))});
  }
  return rows;
}

std::u32string Unicode(const char* utf8) {
  std::u32string text;
  std::size_t fault = 0;
  core::UnicodeFromUtf8(utf8, text, fault);
  return text;
}

std::string FromUnicode(std::u32string_view text) {
  core::Unconvertibles problems;
  return core::UnicodeToGlyphs(text, problems);
}

std::string Hex(const std::string& codes) {
  std::string text;
  char code[8];
  for (const char c : codes) {
    std::snprintf(code, sizeof code, " %02X", static_cast<unsigned char>(c));
    text += code;
  }
  return text;
}

// A key down and up as the keyboard sends it: its virtual key and its scan
// code, as the system's US layout places the key.
void Key(BYTE virtualKey, bool shift = false) {
  const BYTE scanCode = static_cast<BYTE>(MapVirtualKeyA(virtualKey, 0));
  if (shift) keybd_event(VK_SHIFT, static_cast<BYTE>(MapVirtualKeyA(VK_SHIFT, 0)), 0, 0);
  keybd_event(virtualKey, scanCode, 0, 0);
  keybd_event(virtualKey, scanCode, KEYEVENTF_KEYUP, 0);
  if (shift)
    keybd_event(VK_SHIFT, static_cast<BYTE>(MapVirtualKeyA(VK_SHIFT, 0)), KEYEVENTF_KEYUP, 0);
}

void UsKey(char us, bool shift = false) {
  const SHORT found = VkKeyScanA(us);
  Key(static_cast<BYTE>(found & 0xFF), shift || (found & 0x100));
}

void KeyChord(BYTE held, BYTE key) {
  keybd_event(held, static_cast<BYTE>(MapVirtualKeyA(held, 0)), 0, 0);
  Key(key);
  keybd_event(held, static_cast<BYTE>(MapVirtualKeyA(held, 0)), KEYEVENTF_KEYUP, 0);
}

}  // namespace

class KeyboardTest : public MainFormTest {
 protected:
  void SetUp() override {
    MainFormTest::SetUp();
    for (const KeyRow& row : LayoutTable()) {
      keys[row.base] = {row.us, false};
      keys[row.shifted] = {row.us, true};
    }
    ASSERT_EQ(keys.size(), 95u);  // 48 keys, the ZWNJ on two of them
    // The pointer over a button would put its hint on the status line.
    MoveMouse(Text(), 100, 20);
    Pump(50);
    form->KeyboardPersianItem.Click();
  }

  // Types Persian text with the keys the layout gives its characters on;
  // a line break is Enter.
  void Type(std::u32string_view text) {
    for (const char32_t character : text) {
      if (character == '\n') {
        Key(VK_RETURN);
        continue;
      }
      const auto key = keys.find(character);
      ASSERT_NE(key, keys.end()) << static_cast<unsigned>(character);
      UsKey(key->second.first, key->second.second);
    }
  }
  testing::AssertionResult CodesBecome(const std::string& expected) {
    if (WaitUntil([&] { return Codes() == expected; }, 3000)) return testing::AssertionSuccess();
    return testing::AssertionFailure() << "codes" << Hex(Codes()) << ", expected" << Hex(expected);
  }
  void Clear() {
    SendMessageA(Text(), EM_SETSEL, 0, -1);
    SendMessageA(Text(), WM_CLEAR, 0, 0);
    SendMessageA(Text(), EM_EMPTYUNDOBUFFER, 0, 0);
  }

  std::map<char32_t, std::pair<char, bool>> keys;
};

// Every key, alone and with Shift: what the font can write is written as
// from-unicode writes it; the rest beeps, writes nothing and is named.
TEST_F(KeyboardTest, EveryKeyOfTheLayoutWritesItsCharacterByPosition) {
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
        "خط اول\nخط دوم با ۳ کلمه"}) {
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

TEST_F(KeyboardTest, BackspaceAtALinesStartJoinsItToTheLineAbove) {
  Type(Unicode("سلام\nدنیا"));
  ASSERT_TRUE(CodesBecome(FromUnicode(Unicode("سلام\r\nدنیا"))));
  Key(VK_END);  // the right end: the start of the line in reading order
  Key(VK_BACK);
  EXPECT_TRUE(CodesBecome(FromUnicode(Unicode("سلامدنیا"))));
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
