#include "DialogGeometry.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

struct LayoutCase {
  const char* label;
  core::DialogMetrics in;
  int clientWidth, clientHeight, left, top;
  core::Rect message, firstButton;
  int buttonStep;
};

void PrintTo(const LayoutCase& c, std::ostream* out) { *out << c.label; }

class LayoutDialogTest : public testing::TestWithParam<LayoutCase> {};

TEST_P(LayoutDialogTest, PlacesEverything) {
  const auto& c = GetParam();
  const core::DialogLayout layout = core::LayoutDialog(c.in);
  EXPECT_EQ(layout.clientWidth, c.clientWidth);
  EXPECT_EQ(layout.clientHeight, c.clientHeight);
  EXPECT_EQ(layout.left, c.left);
  EXPECT_EQ(layout.top, c.top);
  EXPECT_EQ(layout.message, c.message);
  ASSERT_EQ(layout.buttons.size(), static_cast<size_t>(c.in.buttonCount));
  core::Rect expected = c.firstButton;
  for (const core::Rect& button : layout.buttons) {
    EXPECT_EQ(button, expected);
    expected.left += c.buttonStep;
  }
}

// Base units 6 x 13 (an 8-point sans serif at 96 dpi): margins 12 and 13,
// icon spacing 15, text-to-button spacing 16, buttons 75 x 23, gap 6.
// The frame adds 6 x 25.
core::DialogMetrics Small(int w, int h, bool icon, int buttons, int sw = 1024, int sh = 768) {
  return {6, 13, w, h, icon, buttons, sw, sh, 6, 25};
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Cases, LayoutDialogTest,
    testing::Values(
        //         label                       metrics                              client    left  top   message             first button      step
        LayoutCase{"ShortText",                Small(100, 13, true, 1),             171, 97,  424, 323, {59, 13, 100, 13}, {48, 61, 75, 23},  81},
        LayoutCase{"OddScreen",                Small(100, 13, true, 1, 1023, 767),  171, 97,  423, 322, {59, 13, 100, 13}, {48, 61, 75, 23},  81},
        LayoutCase{"EmptyTextKeepsIconHeight", Small(0, 0, true, 1),                99,  97,  460, 323, {59, 13, 0, 0},    {12, 61, 75, 23},  81},
        LayoutCase{"WideText",                 Small(500, 39, true, 2),             571, 104, 224, 320, {59, 13, 500, 39}, {207, 68, 75, 23}, 81},
        LayoutCase{"RowWiderThanBlock",        Small(100, 13, true, 3),             261, 97,  379, 323, {59, 13, 100, 13}, {12, 61, 75, 23},  81},
        LayoutCase{"NoIcon",                   Small(200, 26, false, 1),            224, 91,  397, 326, {12, 13, 200, 26}, {74, 55, 75, 23},  81},
        LayoutCase{"NoButtons",                Small(100, 13, true, 0),             171, 97,  424, 323, {59, 13, 100, 13}, {},                0},
        LayoutCase{"WiderThanScreen",          Small(500, 13, true, 1, 400, 300),   571, 97,  0,   89,  {59, 13, 500, 13}, {248, 61, 75, 23}, 81},
        LayoutCase{"TallerThanScreen",         Small(100, 400, true, 1, 400, 300),  171, 465, 112, 0,   {59, 13, 100, 400}, {48, 429, 75, 23}, 81},
        // 7 x 16 rounds halves up: icon spacing 17.5 -> 18, button width 87.5 -> 88.
        LayoutCase{"LargeFontRounds", {7, 16, 100, 16, true, 2, 1024, 768, 6, 25}, 211, 112, 404, 316, {64, 16, 100, 16}, {14, 68, 88, 28}, 95}),
    [](const testing::TestParamInfo<LayoutCase>& info) { return info.param.label; });
// clang-format on

TEST(LayoutDialog, IconSitsAtTheMargins) {
  const core::DialogMetrics withIcon{7, 16, 50, 16, true, 1, 1024, 768, 0, 0};
  EXPECT_EQ(core::LayoutDialog(withIcon).icon, (core::Rect{14, 16, 32, 32}));
  core::DialogMetrics withoutIcon = withIcon;
  withoutIcon.hasIcon = false;
  EXPECT_EQ(core::LayoutDialog(withoutIcon).icon, core::Rect{});
}

TEST(MulDivRounded, RoundsHalfAwayFromZero) {
  EXPECT_EQ(core::MulDivRounded(10, 7, 4), 18);
  EXPECT_EQ(core::MulDivRounded(10, 13, 8), 16);
  EXPECT_EQ(core::MulDivRounded(14, 13, 8), 23);
  EXPECT_EQ(core::MulDivRounded(-1, 3, 2), -2);
  EXPECT_EQ(core::MulDivRounded(1, 3, -2), -2);
  EXPECT_EQ(core::MulDivRounded(-1, 3, -2), 2);
  EXPECT_EQ(core::MulDivRounded(100000, 100000, 100000), 100000);
  EXPECT_EQ(core::MulDivRounded(5, 5, 0), -1);
  EXPECT_EQ(core::MulDivRounded(INT_MAX, 2, 1), -1);
  EXPECT_EQ(core::TextWidthLimit(1023), 511);
}

}  // namespace
