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
  void Add(SpeedButton* button) { buttons_.push_back(button); }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void Paint(HDC dc) override;

 private:
  SpeedButton* ButtonAt(LPARAM point) const;
  void CreateTooltips(WPARAM wParam, LPARAM firstMove);

  std::vector<SpeedButton*> buttons_;
  SpeedButton* pressed_ = nullptr;  // the button a press began on
  HWND tooltips_ = nullptr;
};

}  // namespace winui
