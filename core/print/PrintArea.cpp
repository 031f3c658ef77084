#include "PrintArea.h"

#include <algorithm>

namespace core {

namespace {

int ToDevice(int value, int dotsPerInch, int perInch) {
  return perInch > 0 ? static_cast<int>(static_cast<long long>(value) * dotsPerInch / perInch) : 0;
}

// One axis: the far end is measured from the paper's far edge.
void Inset(int margin, int farMargin, int paper, int offset, int printable, int& from, int& to) {
  from = std::clamp(margin - offset, 0, printable);
  to = std::clamp(paper - farMargin - offset, 0, printable);
  if (to > from || printable <= 0) return;
  to = std::max(1, std::min(from + 1, printable));
  from = to - 1;
}

}  // namespace

DeviceRect TextArea(const PaperGeometry& paper, const std::optional<PageMargins>& margins) {
  DeviceRect area{0, 0, paper.printableWidth, paper.printableHeight};
  if (!margins) return area;
  const int dpiX = paper.dotsPerInchX, dpiY = paper.dotsPerInchY, unit = margins->perInch;
  Inset(ToDevice(margins->left, dpiX, unit), ToDevice(margins->right, dpiX, unit), paper.paperWidth,
        paper.offsetX, paper.printableWidth, area.left, area.right);
  Inset(ToDevice(margins->top, dpiY, unit), ToDevice(margins->bottom, dpiY, unit),
        paper.paperHeight, paper.offsetY, paper.printableHeight, area.top, area.bottom);
  return area;
}

}  // namespace core
