#include "DialogGeometry.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace core {

namespace {

constexpr int IconSize = 32;

// Sizes in dialog units: horizontal ones are quarters of baseX, vertical
// ones eighths of baseY.
constexpr int MarginUnits = 8;
constexpr int IconSpacingUnits = 10;
constexpr int ButtonSpacingUnits = 10;
constexpr int ButtonWidthUnits = 50;
constexpr int ButtonHeightUnits = 14;
constexpr int ButtonGapUnits = 4;

struct Sizes {
  int marginX, marginY, iconSpacing, buttonSpacing, buttonWidth, buttonHeight, buttonGap;
};

Sizes ToPixels(int baseX, int baseY) {
  const auto horizontal = [baseX](int units) { return MulDivRounded(units, baseX, 4); };
  const auto vertical = [baseY](int units) { return MulDivRounded(units, baseY, 8); };
  return {horizontal(MarginUnits),      vertical(MarginUnits),        horizontal(IconSpacingUnits),
          vertical(ButtonSpacingUnits), horizontal(ButtonWidthUnits), vertical(ButtonHeightUnits),
          horizontal(ButtonGapUnits)};
}

}  // namespace

int MulDivRounded(int a, int b, int c) {
  if (c == 0) return -1;
  int64_t product = static_cast<int64_t>(a) * b;
  int64_t divisor = c;
  if (divisor < 0) {
    product = -product;
    divisor = -divisor;
  }
  const int64_t half = divisor / 2;
  const int64_t result = (product >= 0 ? product + half : product - half) / divisor;
  if (result > std::numeric_limits<int>::max() || result < -std::numeric_limits<int>::max())
    return -1;
  return static_cast<int>(result);
}

int TextWidthLimit(int screenWidth) { return screenWidth / 2; }

DialogLayout LayoutDialog(const DialogMetrics& m) {
  const Sizes sizes = ToPixels(m.baseX, m.baseY);
  int blockWidth = m.textWidth;
  int blockHeight = m.textHeight;
  if (m.hasIcon) {
    blockWidth += IconSize + sizes.iconSpacing;
    blockHeight = std::max(blockHeight, IconSize);
  }
  const int count = m.buttonCount;
  const int rowWidth = count > 0 ? count * sizes.buttonWidth + (count - 1) * sizes.buttonGap : 0;

  DialogLayout layout;
  layout.clientWidth = std::max(blockWidth, rowWidth) + 2 * sizes.marginX;
  layout.clientHeight = blockHeight + sizes.buttonHeight + sizes.buttonSpacing + 2 * sizes.marginY;
  // Centred, but never off the top or left edge, where the caption and the
  // start of the text are.
  layout.left = std::max(0, m.screenWidth / 2 - (layout.clientWidth + m.frameWidth) / 2);
  layout.top = std::max(0, m.screenHeight / 2 - (layout.clientHeight + m.frameHeight) / 2);
  if (m.hasIcon) layout.icon = {sizes.marginX, sizes.marginY, IconSize, IconSize};
  layout.message = {sizes.marginX + blockWidth - m.textWidth, sizes.marginY, m.textWidth,
                    m.textHeight};

  Rect button{(layout.clientWidth - rowWidth) / 2,
              blockHeight + sizes.marginY + sizes.buttonSpacing, sizes.buttonWidth,
              sizes.buttonHeight};
  for (int i = 0; i < count; ++i) {
    layout.buttons.push_back(button);
    button.left += sizes.buttonWidth + sizes.buttonGap;
  }
  return layout;
}

}  // namespace core
