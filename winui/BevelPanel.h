#pragma once
#include "Panel.h"

namespace winui {

// A panel framed by a lowered outer and a raised inner bevel. Its
// children's colour requests go on to its parent, which chooses the colours
// as it does for its own controls.
class BevelPanel : public Panel {
 public:
  using Panel::Panel;
  void Create(HWND parent, int left, int top, int width, int height);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void Paint(HDC dc) override;
};

}  // namespace winui
