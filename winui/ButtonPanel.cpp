#include "ButtonPanel.h"

#include "SpeedButton.h"

namespace winui {

LRESULT ButtonPanel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      pressed_ = ButtonAt(lParam);
      if (pressed_) pressed_->Press();
      return 0;
    case WM_MOUSEMOVE:
      if (pressed_) pressed_->FollowPress(lParam);
      return 0;
    case WM_LBUTTONUP:
      if (SpeedButton* button = pressed_) {
        // The release ends the press (WM_CAPTURECHANGED) before the click runs.
        if (button->ReleasePress(lParam)) button->Click();
      }
      return 0;
    case WM_CANCELMODE:
    case WM_CAPTURECHANGED:
      if (SpeedButton* button = pressed_) {
        pressed_ = nullptr;
        button->EndPress(message);
      }
      return 0;
  }
  return Panel::HandleMessage(message, wParam, lParam);
}

SpeedButton* ButtonPanel::ButtonAt(LPARAM point) const {
  const POINT at{static_cast<short>(LOWORD(point)), static_cast<short>(HIWORD(point))};
  for (SpeedButton* button : buttons_)
    if (button->Enabled() && PtInRect(&button->Bounds(), at)) return button;
  return nullptr;
}

void ButtonPanel::Paint(HDC dc) {
  Panel::Paint(dc);
  for (SpeedButton* button : buttons_)
    if (RectVisible(dc, &button->Bounds())) button->Paint(dc);
}

}  // namespace winui
