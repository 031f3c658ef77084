#pragma once

namespace core {

// The glyph palette: 16 x 6 cells of 36 x 27 pixels, each followed by a
// 1-pixel grid line to its right and below it.
constexpr int PaletteColumns = 16;
constexpr int PaletteRows = 6;
constexpr int PaletteCells = PaletteColumns * PaletteRows;
constexpr int CellWidth = 36;
constexpr int CellHeight = 27;
constexpr int BandWidth = CellWidth + 1;
constexpr int BandHeight = CellHeight + 1;

struct Cell {
  int column;
  int row;
};

// The character code a cell writes: rows 0-3 hold 128-191, rows 4-5 hold
// 224-255. Defined only for cells on the palette.
int CellCode(int column, int row);

// The cell that writes code; false for codes the palette does not show.
bool CellOfCode(int code, int& column, int& row);

// The cell under a point in the grid's client coordinates. A point past
// the last band or before the first gives -1 in both column and row.
Cell HitTest(int x, int y);

bool IsOnPalette(Cell cell);

}  // namespace core
