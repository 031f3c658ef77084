#pragma once
#include <windows.h>

namespace winui {

// Follows a left-button press on a drawn window with the mouse captured,
// as push buttons do: pressed while the pointer is over the window, ended
// by the release, a lost capture or WM_CANCELMODE. A change of the pressed
// look repaints the window.
class PressTracker {
 public:
  // WM_LBUTTONDOWN, WM_LBUTTONDBLCLK.
  void Begin(HWND window);
  // WM_MOUSEMOVE.
  void Follow(HWND window, LPARAM point);
  // WM_LBUTTONUP: ends a press; true when it ends over the window (a click).
  bool Release(HWND window, LPARAM point);
  // WM_CANCELMODE, WM_CAPTURECHANGED.
  void End(HWND window, UINT message);
  // The pressed look without a mouse press (Space on a focused button).
  void SetPressed(HWND window, bool pressed);

  bool Pressed() const { return pressed_; }
  bool Tracking() const { return tracking_; }

 private:
  bool pressed_ = false;
  bool tracking_ = false;
};

}  // namespace winui
