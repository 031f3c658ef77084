#include <windows.h>
#include <commctrl.h>
#include <richedit.h>

#include <functional>
#include <vector>

#include "Application.h"
#include "MainFormFixture.h"

using namespace testing_support;

TEST_F(MainFormTest, StartsUntitledWithTheCaretInTheText) {
  EXPECT_EQ(WindowText(form->Handle()), "Untitled - Dabiro");
  EXPECT_EQ(GetFocus(), Text());
  form->SetDocumentName("C:\\TEXTE\\BRIEF.RTF");
  EXPECT_EQ(WindowText(form->Handle()), "BRIEF.RTF - Dabiro");
  EXPECT_EQ(form->DocumentName(), "C:\\TEXTE\\BRIEF.RTF");
}

TEST_F(MainFormTest, FileDialogsStartInTheProgramFolder) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  folder.erase(folder.find_last_of("\\:") + 1);
  EXPECT_EQ(form->OpenDialog.initialDir, folder);
  EXPECT_EQ(form->SaveDialog.initialDir, folder);
}

TEST_F(MainFormTest, RegionsStackAtTheDesignSize) {
  RECT client;
  GetClientRect(form->Handle(), &client);
  EXPECT_EQ(client.right, 632);
  EXPECT_EQ(client.bottom, 421);
  struct Expected {
    HWND hwnd;
    int top, height;
  } regions[] = {
      {form->SpeedBar.Handle(), 0, 32},
      {form->StringGrid1.Handle(), 32, 177},
      {Text(), 209, 193},
      {form->StatusBar.Handle(), 402, 19},
  };
  for (const auto& region : regions) {
    const RECT rc = RectInParent(region.hwnd);
    EXPECT_EQ(rc.left, 0);
    EXPECT_EQ(rc.right, 632);
    EXPECT_EQ(rc.top, region.top);
    EXPECT_EQ(rc.bottom - rc.top, region.height);
  }
  const RECT fontSize = RectInParent(form->FontSize.Handle());
  const RECT upDown = RectInParent(form->UpDown1.Handle());
  EXPECT_EQ(fontSize.left, 328);
  EXPECT_EQ(fontSize.right, 359);
  EXPECT_EQ(upDown.left, 359);
  EXPECT_EQ(upDown.right - upDown.left, 15);
  EXPECT_EQ(form->BoldButton.Bounds().left, 380);
  EXPECT_EQ(form->BoldButton.Bounds().top, 5);
}

TEST_F(MainFormTest, TextKeepsItsSideMarginsAfterAResize) {
  for (int width : {500, 800}) {
    SetWindowPos(form->Handle(), nullptr, 0, 0, width, 500, SWP_NOMOVE | SWP_NOZORDER);
    Pump(50);
    RECT client, format;
    GetClientRect(Text(), &client);
    SendMessageA(Text(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    // The control reports the rectangle widened by its 1-pixel client edge.
    EXPECT_EQ(format.left, 6 - 1);
    EXPECT_EQ(format.right, client.right - 6 + 1);
  }
}

// Filled when the field is first reached, by the focus or by opening it:
// sorted, and opened on the name at the caret.
class FontListTest : public MainFormTest, public testing::WithParamInterface<bool> {};

TEST_P(FontListTest, IsFullAndSortedWhenTheFieldIsReached) {
  HWND list = form->FontName.Handle();
  if (GetParam())
    SendMessageA(list, CB_SHOWDROPDOWN, TRUE, 0);
  else
    SetFocus(list);
  const int count = static_cast<int>(SendMessageA(list, CB_GETCOUNT, 0, 0));
  ASSERT_GT(count, 3);
  std::vector<std::string> names;
  for (int i = 0; i < count; ++i) {
    char name[64] = {};
    SendMessageA(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(name));
    names.push_back(name);
  }
  for (size_t i = 1; i < names.size(); ++i)
    EXPECT_LE(lstrcmpiA(names[i - 1].c_str(), names[i].c_str()), 0)
        << names[i - 1] << " / " << names[i];
  if (!GetParam()) return;
  const LRESULT chosen = SendMessageA(list, CB_GETCURSEL, 0, 0);
  ASSERT_NE(chosen, CB_ERR);
  EXPECT_EQ(names[static_cast<size_t>(chosen)], "Persian");
  COMBOBOXINFO parts{};
  parts.cbSize = sizeof parts;
  ASSERT_TRUE(GetComboBoxInfo(list, &parts));
  RECT dropped;
  GetClientRect(parts.hwndList, &dropped);
  EXPECT_EQ(dropped.bottom, 8 * SendMessageA(list, CB_GETITEMHEIGHT, 0, 0)) << "eight whole items";
  SendMessageA(list, CB_SHOWDROPDOWN, FALSE, 0);
}

INSTANTIATE_TEST_SUITE_P(Reached, FontListTest, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& info) {
                           return std::string(info.param ? "ByOpening" : "ByFocus");
                         });

TEST_F(MainFormTest, TooltipShowsTheShortHintAndTheStatusLineTheLongOne) {
  struct Case {
    winui::SpeedButton* button;
    const char* tooltip;
    const char* status;
  } cases[] = {{&form->OpenButton, "Open", ""}, {&form->BoldButton, "Bold", "Bold"}};
  for (const auto& c : cases) {
    MoveMouse(*c.button);
    HWND tip = nullptr;
    WaitUntil([&] {
      tip = FindWindowA(TOOLTIPS_CLASSA, nullptr);
      return tip && IsWindowVisible(tip);
    });
    ASSERT_TRUE(tip && IsWindowVisible(tip)) << c.tooltip;
    char text[80] = {};
    TOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.lpszText = text;
    SendMessageA(tip, TTM_GETCURRENTTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(text, c.tooltip);
    EXPECT_EQ(StatusText(), c.status);
    MoveMouse(Text(), 100, 100);
    WaitUntil([&] { return !IsWindowVisible(tip); }, 2000);
  }
}

namespace {
// Walks the menus from a timer while the menu loop runs, reading the status
// line at each step.
struct MenuWalk {
  std::function<std::string()> status;
  std::vector<std::string> seen;
  int step = 0;
} menuWalk;

void CALLBACK WalkMenu(HWND, UINT, UINT_PTR id, DWORD) {
  menuWalk.seen.push_back(menuWalk.status());
  switch (menuWalk.step++) {
    case 0:  // leave File, open Edit: "&Undo" is highlighted
      EndMenu();
      PressKey(VK_MENU);
      TapKey('E');
      ReleaseKey(VK_MENU);
      break;
    case 1:
      for (int i = 0; i < 4; ++i) TapKey(VK_DOWN);
      break;  // "&Select all"
    default:
      KillTimer(nullptr, id);
      EndMenu();
  }
}
}  // namespace

TEST_F(MainFormTest, HighlightedMenuItemsShowTheirLongHint) {
  menuWalk = {[this] { return StatusText(); }, {}, 0};
  const UINT_PTR timer = SetTimer(nullptr, 0, 300, WalkMenu);
  PressKey(VK_MENU);
  TapKey('F');
  ReleaseKey(VK_MENU);
  Pump(2000);
  KillTimer(nullptr, timer);
  EndMenu();
  EXPECT_EQ(menuWalk.seen,
            (std::vector<std::string>{"Create a new file", "Undo the last action", ""}));
  Pump(100);
  EXPECT_EQ(StatusText(), "") << "closing the menu empties the status line";
}

TEST_F(MainFormTest, AlignmentButtonsFormOneGroupThatMayBeAllUp) {
  Click(form->LeftAlign);
  EXPECT_TRUE(form->LeftAlign.Down());
  Click(form->RightAlign);
  EXPECT_TRUE(form->RightAlign.Down());
  EXPECT_FALSE(form->LeftAlign.Down());
  Click(form->RightAlign);
  EXPECT_FALSE(form->RightAlign.Down());
  EXPECT_FALSE(form->CenterAlign.Down());
  // Clicking a toolbar button leaves the focus in the text.
  EXPECT_EQ(GetFocus(), Text());
}
