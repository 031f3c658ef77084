#include "PressTracker.h"

namespace winui {

void PressTracker::Begin(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  Begin(window, client);
}

void PressTracker::Begin(HWND window, const RECT& area) {
  area_ = area;
  SetCapture(window);
  tracking_ = true;
  SetPressed(window, true);
}

void PressTracker::Follow(HWND window, LPARAM point) {
  const POINT at{static_cast<short>(LOWORD(point)), static_cast<short>(HIWORD(point))};
  if (tracking_) SetPressed(window, PtInRect(&area_, at) != FALSE);
}

bool PressTracker::Release(HWND window, LPARAM point) {
  if (!tracking_) return false;
  Follow(window, point);
  const bool clicked = pressed_;
  // Releasing the capture sends WM_CAPTURECHANGED at once, which ends the press.
  ReleaseCapture();
  return clicked;
}

void PressTracker::End(HWND window, UINT message) {
  SetPressed(window, false);
  tracking_ = false;
  if (message == WM_CANCELMODE && GetCapture() == window) ReleaseCapture();
}

void PressTracker::SetPressed(HWND window, bool pressed) {
  if (pressed == pressed_) return;
  pressed_ = pressed;
  // Without a press under way (Space on a focused button): the whole window.
  if (window) InvalidateRect(window, tracking_ ? &area_ : nullptr, FALSE);
}

}  // namespace winui
