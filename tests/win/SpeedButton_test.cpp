#include "SpeedButton.h"

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "art/ArtIds.h"

using namespace testing_support;

class SpeedButtonTest : public testing::Test {
 protected:
  void SetUp() override {
    frame = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 100, 100, 200, 40, nullptr,
                            nullptr, GetModuleHandleA(nullptr), nullptr);
    for (int i = 0; i < 3; ++i) {
      buttons[i].Create(frame, 5 + 30 * i, 5, i < 2 ? 2 : 1, &group);
      buttons[i].SetOnClick([this, i](winui::Component* sender) {
        clicks.push_back(i);
        downWhenRun.push_back(static_cast<winui::SpeedButton*>(sender)->Down());
      });
    }
    Pump(50);
  }

  void TearDown() override { DestroyWindow(frame); }

  HWND frame = nullptr;
  winui::SpeedButtonGroup group;
  winui::SpeedButton buttons[3]{{"a"}, {"b"}, {"c"}};
  std::vector<int> clicks;
  std::vector<bool> downWhenRun;
};

TEST_F(SpeedButtonTest, ClickChangesTheStateBeforeTheHandlerRuns) {
  Click(buttons[0].Handle(), 10, 10);
  Click(buttons[1].Handle(), 10, 10);
  Click(buttons[1].Handle(), 10, 10);
  EXPECT_EQ(clicks, (std::vector<int>{0, 1, 1}));
  EXPECT_EQ(downWhenRun, (std::vector<bool>{true, true, false}));
  EXPECT_FALSE(buttons[0].Down());
  EXPECT_FALSE(buttons[1].Down());
}

TEST_F(SpeedButtonTest, GroupsAreIndependent) {
  Click(buttons[0].Handle(), 10, 10);
  Click(buttons[2].Handle(), 10, 10);
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
  MoveMouse(buttons[0].Handle(), 10, 10);
  MouseButton(MOUSEEVENTF_LEFTDOWN);
  Pump(30);
  MoveMouse(frame, 190, 35);
  MouseButton(MOUSEEVENTF_LEFTUP);
  Pump(50);
  EXPECT_TRUE(clicks.empty());
  EXPECT_FALSE(buttons[0].Down());
}

namespace {
std::vector<COLORREF> PixelsOf(HWND button) {
  UpdateWindow(button);
  HDC dc = GetDC(button);
  std::vector<COLORREF> pixels;
  for (int y = 0; y < winui::SpeedButton::Size; ++y)
    for (int x = 0; x < winui::SpeedButton::Size; ++x) pixels.push_back(GetPixel(dc, x, y));
  ReleaseDC(button, dc);
  return pixels;
}
}  // namespace

// The disabled picture is loaded only when it is first needed.
TEST_F(SpeedButtonTest, ADisabledButtonShowsItsDisabledPicture) {
  HWND button = buttons[0].Handle();
  buttons[0].SetPictures(IDB_OPEN, IDB_OPEN_DISABLED);
  const std::vector<COLORREF> enabled = PixelsOf(button);
  EnableWindow(button, FALSE);
  EXPECT_NE(PixelsOf(button), enabled);
  EnableWindow(button, TRUE);
  EXPECT_EQ(PixelsOf(button), enabled);
}
