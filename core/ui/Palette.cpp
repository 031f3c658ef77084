#include "Palette.h"

namespace core {

namespace {
// The codes 192-223 are skipped: rows 4 and 5 continue at 224.
constexpr int FirstHighRow = 4;

int BandOf(int pixel, int bandSize, int bands) {
  return pixel >= 0 && pixel < bandSize * bands ? pixel / bandSize : -1;
}
}  // namespace

int CellCode(int column, int row) {
  const int rowOffset = row < FirstHighRow ? 8 : 10;
  return (row + rowOffset) * 16 + column;
}

bool CellOfCode(int code, int& column, int& row) {
  const bool low = code >= 128 && code <= 191;
  const bool high = code >= 224 && code <= 255;
  if (!low && !high) return false;
  column = code % 16;
  row = code / 16 - (low ? 8 : 10);
  return true;
}

Cell HitTest(int x, int y) {
  const Cell cell{BandOf(x, BandWidth, PaletteColumns), BandOf(y, BandHeight, PaletteRows)};
  return IsOnPalette(cell) ? cell : Cell{-1, -1};
}

bool IsOnPalette(Cell cell) {
  return cell.column >= 0 && cell.column < PaletteColumns && cell.row >= 0 &&
         cell.row < PaletteRows;
}

}  // namespace core
