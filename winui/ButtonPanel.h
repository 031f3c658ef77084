#pragma once
#include <vector>

#include "Panel.h"

namespace winui {

class SpeedButton;

// A panel that draws its speed buttons and takes the mouse for them.
class ButtonPanel : public Panel {
 public:
  using Panel::Panel;
  void Add(SpeedButton* button) { buttons_.push_back(button); }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void Paint(HDC dc) override;

 private:
  SpeedButton* ButtonAt(LPARAM point) const;

  std::vector<SpeedButton*> buttons_;
  SpeedButton* pressed_ = nullptr;  // the button a press began on
};

}  // namespace winui
