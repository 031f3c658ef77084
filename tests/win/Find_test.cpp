// Find, Find Next, Replace and Replace All by real keys, and the editor's
// shortcuts and text menu: words are found by their letters, whatever
// forms they take.
#include <windows.h>
#include <richedit.h>

#include <cctype>
#include <cstring>
#include <set>
#include <string>

#include "Clipboard.h"
#include "GlyphText.h"
#include "MainFormFixture.h"
#include "ModalScript.h"
#include "PersianCalendar.h"
#include "PersianKeys.h"

using namespace testing_support;

class FindTest : public PersianKeyboardTest {
 protected:
  CHARRANGE Selection() const {
    CHARRANGE range{};
    SendMessageA(Text(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    return range;
  }
  void Select(long from, long to) const {
    CHARRANGE range{from, to};
    SendMessageA(Text(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
  }
  std::string Selected() const {
    return Codes().substr(Selection().cpMin, Selection().cpMax - Selection().cpMin);
  }
  // The dialog opened by its shortcut, the focus in its first field.
  HWND OpenDialog(BYTE key, const char* caption) {
    KeyChord(VK_CONTROL, key);
    HWND dialog = nullptr;
    EXPECT_TRUE(
        WaitInEditorLoop([&] { return (dialog = FindThreadWindow(nullptr, caption)) != nullptr; }));
    return dialog;
  }
  // A real right click opens the control's menu, whose loop a timer
  // drives: the key chooses an item, or Escape none.
  static bool ChooseFromTextMenu(HWND control, BYTE key) {
    ModalScript script;
    script.On([] { return FindThreadWindow("#32768", nullptr); }, [key](HWND) { QueueKey(key); });
    return script.Run([&] {
      Click(control, 20, 10, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
      WaitInEditorLoop([] { return false; }, 1500);
    });
  }
  bool SelectionBecomes(long from, long to) {
    return WaitInEditorLoop([&] { return Selection().cpMin == from && Selection().cpMax == to; },
                            3000);
  }
};

// Alone its last letter is final, inside "کتابها" medial, and there half
// of it is bold: each place is found, in reading order, then once round.
TEST_F(FindTest, AWordIsFoundWhateverItsFormsAcrossFormatsAndLines) {
  SetCodes(FromUnicode(Unicode("کتابها\r\nیک کتاب")));
  Select(1, 4);
  form->BoldButton.Click();
  Select(6, 6);  // the right end of the first line: its start
  const HWND dialog = OpenDialog('F', "Find");
  ASSERT_TRUE(dialog);
  ASSERT_TRUE(TypePersian(Unicode("کتاب")));
  Key(VK_RETURN);
  EXPECT_TRUE(SelectionBecomes(2, 6));
  Key(VK_RETURN);
  EXPECT_TRUE(WaitInEditorLoop([&] { return Selected() == FromUnicode(Unicode("کتاب")); }))
      << Hex(Selected());
  EXPECT_GE(Selection().cpMin, 8);  // on the second line
  Key(VK_RETURN);
  EXPECT_TRUE(SelectionBecomes(2, 6));
  EXPECT_NE(StatusText().find("from the top"), std::string::npos) << StatusText();
  Key(VK_ESCAPE);
  EXPECT_TRUE(WaitInEditorLoop([&] { return !IsWindowVisible(dialog); }));
}

TEST_F(FindTest, WholeWordsAndLatinCaseAsAsked) {
  SetCodes(FromUnicode(Unicode("کتابها Dabiro کتاب")));
  const HWND dialog = OpenDialog('F', "Find");
  ASSERT_TRUE(dialog);
  TFindDialog& find = *form->OpenedFindDialog(TFindDialog::Kind::Find);
  // The word from another program, by the field's own menu: its first line.
  std::string utf16;
  for (const char16_t unit : std::u16string(u"کتاب\r\nها"))
    utf16 += {static_cast<char>(unit), static_cast<char>(unit >> 8)};
  ASSERT_TRUE(ReplaceClipboard(form->Handle(), {{CF_UNICODETEXT, utf16 + '\0' + '\0'}}));
  ASSERT_TRUE(ChooseFromTextMenu(find.FindText.Handle(), 'D'));
  ASSERT_TRUE(WaitInEditorLoop([&] {
    return CodesOf(find.FindText) == FromUnicode(Unicode("کتاب"));
  })) << Hex(CodesOf(find.FindText));
  find.WholeWord.Send(BM_SETCHECK, BST_CHECKED);
  Select(static_cast<long>(Codes().size()), static_cast<long>(Codes().size()));
  find.FindNextButton.Send(BM_CLICK);
  EXPECT_TRUE(SelectionBecomes(0, 4));  // the last word, at the left: not inside "کتابها"
  find.FindText.Send(EM_SETSEL, 0, -1);
  find.FindText.Send(EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>("dabiro"));
  find.FindNextButton.Send(BM_CLICK);
  EXPECT_TRUE(WaitInEditorLoop([&] { return Selected() == "Dabiro"; }));
  find.MatchCase.Send(BM_SETCHECK, BST_CHECKED);
  find.FindNextButton.Send(BM_CLICK);
  EXPECT_EQ(StatusText(), "Not found");
}

// A replacement takes the forms its neighbours give it; Replace All says
// how many and Undo takes all of them back at once.
TEST_F(FindTest, ReplaceReformsTheNeighboursAndReplaceAllIsOneUndo) {
  const std::string original = FromUnicode(Unicode("کتاب و کتابها"));
  SetCodes(original);
  SendMessageA(Text(), EM_EMPTYUNDOBUFFER, 0, 0);
  ASSERT_TRUE(OpenDialog('H', "Replace"));
  ASSERT_TRUE(TypePersian(Unicode("کتاب")));
  Key(VK_TAB);
  ASSERT_TRUE(TypePersian(Unicode("دفتر")));
  form->CenterAlign.Click();  // the whole document in one format, which it keeps
  SendMessageA(Text(), EM_EMPTYUNDOBUFFER, 0, 0);
  KeyChord(VK_MENU, 'A');
  EXPECT_TRUE(WaitInEditorLoop([&] { return Codes() == FromUnicode(Unicode("دفتر و دفترها")); }))
      << Hex(Codes());
  EXPECT_EQ(StatusText(), "2 places replaced");
  PARAFORMAT paragraph{};
  paragraph.cbSize = sizeof paragraph;
  SendMessageA(Text(), EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&paragraph));
  EXPECT_EQ(paragraph.wAlignment, PFA_CENTER);
  form->EditUndoItem.Click();
  EXPECT_TRUE(WaitInEditorLoop([&] { return Codes() == original; })) << Hex(Codes());
  Select(static_cast<long>(original.size()), static_cast<long>(original.size()));
  KeyChord(VK_MENU, 'R');  // selects the first place
  KeyChord(VK_MENU, 'R');  // replaces it, and selects the next
  EXPECT_TRUE(WaitInEditorLoop([&] { return Codes() == FromUnicode(Unicode("دفتر و کتابها")); }))
      << Hex(Codes());
  EXPECT_EQ(Selected(), FromUnicode(Unicode("کتابها")).substr(2));
  // A bold word between the places stays bold.
  SetCodes(original);
  const long vav = static_cast<long>(original.find(FromUnicode(Unicode("و"))));
  Select(vav, vav + 1);
  form->BoldButton.Click();
  form->OpenedFindDialog(TFindDialog::Kind::Replace)->ReplaceAllButton.Send(BM_CLICK);
  EXPECT_EQ(Codes(), FromUnicode(Unicode("دفتر و دفترها"))) << Hex(Codes());
  const long vavNow = static_cast<long>(Codes().find(FromUnicode(Unicode("و"))));
  Select(vavNow, vavNow + 1);
  CHARFORMATA format{};
  format.cbSize = sizeof format;
  SendMessageA(Text(), EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
  EXPECT_TRUE(format.dwEffects & CFE_BOLD);
}

TEST_F(FindTest, F3FindsTheNextPlaceOfTheSelectedWord) {
  const std::string codes = FromUnicode(Unicode("سلام و سلام"));
  SetCodes(codes);
  Select(static_cast<long>(codes.size()) - 3, static_cast<long>(codes.size()));
  Key(VK_F3);
  EXPECT_TRUE(SelectionBecomes(0, 3));
}

// Shortcuts by real keys, one access key per item in every menu, the
// text's own menu by a real right click, and today's date.
TEST_F(FindTest, ShortcutsMenusAndTheTextMenu) {
  SetCodes(FromUnicode(Unicode("سلام")));
  for (int index = 0; index < GetMenuItemCount(form->MainMenu); ++index) {
    HMENU menu = GetSubMenu(form->MainMenu, index);
    std::set<char> keys;
    for (int item = 0; item < GetMenuItemCount(menu); ++item) {
      char caption[64] = {};
      if (!GetMenuStringA(menu, static_cast<UINT>(item), caption, sizeof caption, MF_BYPOSITION))
        continue;
      const char* mark = std::strchr(caption, '&');
      if (std::string(caption) == "Copy_all") continue;  // its name is its own
      ASSERT_TRUE(mark) << caption;
      EXPECT_TRUE(keys.insert(static_cast<char>(std::toupper(mark[1]))).second) << caption;
    }
  }
  char undo[64] = {};
  GetMenuStringA(form->MainMenu, form->EditUndoItem.Id(), undo, sizeof undo, MF_BYCOMMAND);
  EXPECT_STREQ(undo, "&Undo\tCtrl+Z");

  EXPECT_TRUE(ChooseFromTextMenu(Text(), VK_ESCAPE));
  SetFocus(Text());
  KeyChord(VK_CONTROL, 'A');
  EXPECT_TRUE(WaitInEditorLoop([&] { return Selection().cpMin == 0 && Selection().cpMax >= 3; }))
      << Selection().cpMin << ".." << Selection().cpMax;
  KeyChord(VK_CONTROL, 'B');
  EXPECT_TRUE(WaitInEditorLoop([&] { return form->BoldButton.Down(); }));

  SetCodes("");
  form->EditInsertDateItem.Click();
  SYSTEMTIME today{};
  GetLocalTime(&today);
  EXPECT_EQ(
      Codes(),
      FromUnicode(core::PersianDateText(core::SolarDateOf(today.wYear, today.wMonth, today.wDay))));
}
