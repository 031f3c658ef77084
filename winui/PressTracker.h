#pragma once
#include <windows.h>

namespace winui {

// Follows a left-button press on a drawn window, or on an area of one, with
// the mouse captured, as push buttons do: pressed while the pointer is over
// it, ended by the release, a lost capture or WM_CANCELMODE. A change of the
// pressed look repaints it.
class PressTracker {
 public:
  // WM_LBUTTONDOWN, WM_LBUTTONDBLCLK: on the whole client area, or on an
  // area of it.
  void Begin(HWND window);
  void Begin(HWND window, const RECT& area);
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
  RECT area_{};
};

}  // namespace winui
