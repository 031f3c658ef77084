#include "SpeedButton.h"

#include <gtest/gtest.h>

#include "ButtonPanel.h"
#include "TestSupport.h"
#include "art/ArtIds.h"

using namespace testing_support;

class SpeedButtonTest : public testing::Test {
 protected:
  void SetUp() override {
    frame = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 100, 100, 200, 40, nullptr,
                            nullptr, GetModuleHandleA(nullptr), nullptr);
    panel.Create(frame, 0, 0, 200, 40, false);
    for (int i = 0; i < 3; ++i) {
      buttons[i].Create(panel, 5 + 30 * i, 5, i < 2 ? 2 : 1, &group);
      buttons[i].SetOnClick([this, i](winui::Component* sender) {
        clicks.push_back(i);
        downWhenRun.push_back(static_cast<winui::SpeedButton*>(sender)->Down());
      });
    }
    Pump(50);
  }

  void TearDown() override { DestroyWindow(frame); }

  HWND frame = nullptr;
  winui::ButtonPanel panel{"panel"};
  winui::SpeedButtonGroup group;
  winui::SpeedButton buttons[3]{{"a"}, {"b"}, {"c"}};
  std::vector<int> clicks;
  std::vector<bool> downWhenRun;
};

TEST_F(SpeedButtonTest, ClickChangesTheStateBeforeTheHandlerRuns) {
  Click(buttons[0]);
  Click(buttons[1]);
  Click(buttons[1]);
  EXPECT_EQ(clicks, (std::vector<int>{0, 1, 1}));
  EXPECT_EQ(downWhenRun, (std::vector<bool>{true, true, false}));
  EXPECT_FALSE(buttons[0].Down());
  EXPECT_FALSE(buttons[1].Down());
}

TEST_F(SpeedButtonTest, GroupsAreIndependent) {
  Click(buttons[0]);
  Click(buttons[2]);
  EXPECT_TRUE(buttons[0].Down());
  EXPECT_TRUE(buttons[2].Down());
}

TEST_F(SpeedButtonTest, ProgramStateChangesRunNoHandler) {
  buttons[0].SetDown(true);
  buttons[1].SetDown(true);
  EXPECT_FALSE(buttons[0].Down());
  EXPECT_TRUE(clicks.empty());
}

TEST_F(SpeedButtonTest, ReleaseOutsideTheButtonIsNoClick) {
  MoveMouse(buttons[0]);
  MouseButton(MOUSEEVENTF_LEFTDOWN);
  Pump(30);
  MoveMouse(frame, 190, 35);
  MouseButton(MOUSEEVENTF_LEFTUP);
  Pump(50);
  EXPECT_TRUE(clicks.empty());
  EXPECT_FALSE(buttons[0].Down());
}

namespace {
std::vector<COLORREF> PixelsOf(const winui::SpeedButton& button) {
  HWND panel = button.PanelHandle();
  UpdateWindow(panel);
  HDC dc = GetDC(panel);
  std::vector<COLORREF> pixels;
  const RECT& bounds = button.Bounds();
  for (int y = bounds.top; y < bounds.bottom; ++y)
    for (int x = bounds.left; x < bounds.right; ++x) pixels.push_back(GetPixel(dc, x, y));
  ReleaseDC(panel, dc);
  return pixels;
}
}  // namespace

// The disabled picture is loaded only when it is first needed.
TEST_F(SpeedButtonTest, ADisabledButtonShowsItsDisabledPictureAndTakesNoClick) {
  winui::SpeedButton& button = buttons[0];
  button.SetPictures(IDB_OPEN, IDB_OPEN_DISABLED);
  const std::vector<COLORREF> enabled = PixelsOf(button);
  button.SetEnabled(false);
  EXPECT_NE(PixelsOf(button), enabled);
  Click(button);
  EXPECT_TRUE(clicks.empty());
  button.SetEnabled(true);
  EXPECT_EQ(PixelsOf(button), enabled);
}
