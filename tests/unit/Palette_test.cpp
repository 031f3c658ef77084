#include "Palette.h"

#include <gtest/gtest.h>

struct CodeCase {
  int column;
  int row;
  int code;
};

class CellCodes : public testing::TestWithParam<CodeCase> {};

TEST_P(CellCodes, CornersOfBothBlocks) {
  const auto [column, row, code] = GetParam();
  EXPECT_EQ(core::CellCode(column, row), code);
}

INSTANTIATE_TEST_SUITE_P(Corners, CellCodes,
                         testing::Values(CodeCase{0, 0, 128}, CodeCase{15, 3, 191},
                                         CodeCase{0, 4, 224}, CodeCase{15, 5, 255}));

// Codes 192-223 and everything outside 128-255 have no cell.
TEST(Palette, EveryCellHasItsOwnCodeAndBack) {
  int seen = 0;
  for (int code = -16; code < 512; ++code) {
    int column = -1, row = -1;
    if (!core::CellOfCode(code, column, row)) continue;
    ++seen;
    ASSERT_TRUE(core::IsOnPalette({column, row})) << code;
    EXPECT_EQ(core::CellCode(column, row), code);
  }
  EXPECT_EQ(seen, core::PaletteCells);
}

struct HitCase {
  int x;
  int y;
  int column;
  int row;
};

class PaletteHitTest : public testing::TestWithParam<HitCase> {};

TEST_P(PaletteHitTest, GridLinesBelongToTheCellBeforeThem) {
  const auto [x, y, column, row] = GetParam();
  const core::Cell cell = core::HitTest(x, y);
  EXPECT_EQ(cell.column, column);
  EXPECT_EQ(cell.row, row);
}

INSTANTIATE_TEST_SUITE_P(
    Points, PaletteHitTest,
    testing::Values(HitCase{0, 0, 0, 0}, HitCase{36, 27, 0, 0}, HitCase{37, 28, 1, 1},
                    HitCase{591, 167, 15, 5},
                    // The blank strip right of column 15 and below row 5.
                    HitCase{592, 0, -1, -1}, HitCase{631, 100, -1, -1}, HitCase{0, 168, -1, -1},
                    HitCase{100, 176, -1, -1},
                    // Negative coordinates come with presses captured outside the grid.
                    HitCase{-1, 0, -1, -1}, HitCase{0, -1, -1, -1}, HitCase{-36, -27, -1, -1},
                    HitCase{INT32_MIN, INT32_MAX, -1, -1}));
