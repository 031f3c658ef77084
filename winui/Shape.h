#pragma once
#include <windows.h>

#include "Component.h"

namespace winui {

// An ellipse that its window draws on its own surface when it paints: a
// solid or hatched brush (hatch gaps show the window) and no outline.
class Shape : public Component {
 public:
  static constexpr int Solid = -1;

  using Component::Component;
  void SetBounds(int left, int top, int width, int height);
  void SetBrush(COLORREF colour, int hatchStyle);
  void Paint(HDC dc) const;

 private:
  RECT bounds_{};
  COLORREF colour_ = RGB(255, 255, 255);
  int hatchStyle_ = Solid;
};

}  // namespace winui
