#include "PressTracker.h"

namespace winui {

namespace {
bool ClientContains(HWND window, LPARAM point) {
  RECT client;
  GetClientRect(window, &client);
  const POINT at{static_cast<short>(LOWORD(point)), static_cast<short>(HIWORD(point))};
  return PtInRect(&client, at) != FALSE;
}
}  // namespace

void PressTracker::Begin(HWND window) {
  SetCapture(window);
  tracking_ = true;
  SetPressed(window, true);
}

void PressTracker::Follow(HWND window, LPARAM point) {
  if (tracking_) SetPressed(window, ClientContains(window, point));
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
  tracking_ = false;
  SetPressed(window, false);
  if (message == WM_CANCELMODE && GetCapture() == window) ReleaseCapture();
}

void PressTracker::SetPressed(HWND window, bool pressed) {
  if (pressed == pressed_) return;
  pressed_ = pressed;
  if (window) InvalidateRect(window, nullptr, FALSE);
}

}  // namespace winui
