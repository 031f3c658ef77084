#include "Shape.h"

namespace winui {

void Shape::SetBounds(int left, int top, int width, int height) {
  bounds_ = {left, top, left + width, top + height};
}

void Shape::SetBrush(COLORREF colour, int hatchStyle) {
  colour_ = colour;
  hatchStyle_ = hatchStyle;
}

void Shape::Paint(HDC dc) const {
  HBRUSH brush =
      hatchStyle_ == Solid ? CreateSolidBrush(colour_) : CreateHatchBrush(hatchStyle_, colour_);
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  HGDIOBJ oldBrush = SelectObject(dc, brush);
  HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
  Ellipse(dc, bounds_.left, bounds_.top, bounds_.right, bounds_.bottom);
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  SetBkMode(dc, oldMode);
  DeleteObject(brush);
}

}  // namespace winui
