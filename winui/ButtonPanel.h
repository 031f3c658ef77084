#pragma once
#include <vector>

#include "Panel.h"

namespace winui {

class SpeedButton;

// A panel that draws its speed buttons, takes the mouse for them and shows
// their short hints as tooltips.
class ButtonPanel : public Panel {
 public:
  using Panel::Panel;
  // Once the panel's window is made.
  void Add(SpeedButton* button);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void Paint(HDC dc) override;

 private:
  SpeedButton* ButtonAt(POINT point) const;
  void CreateTooltips(WPARAM wParam, LPARAM firstMove);

  std::vector<SpeedButton*> buttons_;
  SpeedButton* pressed_ = nullptr;  // the button a press began on
  HWND tooltips_ = nullptr;
};

}  // namespace winui
