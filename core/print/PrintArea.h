#pragma once
#include <optional>

namespace core {

// Where a page's text goes on a printer, in its device units.

// Margins from the paper's edges, in units of which perInch make an inch
// (1000: thousandths of an inch; 2540: hundredths of a millimetre).
struct PageMargins {
  int left = 0, top = 0, right = 0, bottom = 0;
  int perInch = 1000;
};

// What GetDeviceCaps tells of the paper and the part of it the printer
// reaches (PHYSICALWIDTH/HEIGHT, PHYSICALOFFSETX/Y, HORZRES/VERTRES,
// LOGPIXELSX/Y).
struct PaperGeometry {
  int paperWidth = 0, paperHeight = 0;
  int offsetX = 0, offsetY = 0;
  int printableWidth = 0, printableHeight = 0;
  int dotsPerInchX = 1, dotsPerInchY = 1;
};

// A rectangle of the printable area, whose corner is its origin.
struct DeviceRect {
  int left = 0, top = 0, right = 0, bottom = 0;
};

// The whole printable area without margins. With them, the area that
// lies the margins' distance in from the paper's edges, cut to what the
// printer reaches (a margin narrower than the printer's own is the
// printer's). Never empty: margins that meet leave one unit.
DeviceRect TextArea(const PaperGeometry& paper, const std::optional<PageMargins>& margins);

}  // namespace core
