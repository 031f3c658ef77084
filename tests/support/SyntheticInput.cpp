#include "SyntheticInput.h"

namespace testing_support {

void PressKey(BYTE key, BYTE scanCode) { keybd_event(key, scanCode, 0, 0); }
void ReleaseKey(BYTE key, BYTE scanCode) { keybd_event(key, scanCode, KEYEVENTF_KEYUP, 0); }

BYTE ScanCodeOf(BYTE key) { return static_cast<BYTE>(MapVirtualKeyA(key, 0)); }

void QueueKey(BYTE key) {
  PressKey(key);
  ReleaseKey(key);
}

void QueueKeyWithScanCode(BYTE key, bool shift) {
  if (shift) PressKey(VK_SHIFT, ScanCodeOf(VK_SHIFT));
  PressKey(key, ScanCodeOf(key));
  ReleaseKey(key, ScanCodeOf(key));
  if (shift) ReleaseKey(VK_SHIFT, ScanCodeOf(VK_SHIFT));
}

void QueueKeys(const std::vector<BYTE>& keys) {
  for (BYTE key : keys) PressKey(key);
  for (auto key = keys.rbegin(); key != keys.rend(); ++key) ReleaseKey(*key);
}

void MouseButton(DWORD event) { mouse_event(event, 0, 0, 0, 0); }

void QueueClickAtScreen(POINT point) {
  SetCursorPos(point.x, point.y);
  MouseButton(MOUSEEVENTF_LEFTDOWN);
  MouseButton(MOUSEEVENTF_LEFTUP);
}

void ClickControl(HWND window) {
  RECT rc;
  GetWindowRect(window, &rc);
  QueueClickAtScreen({(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2});
}

void QueueClickCarryingPosition(POINT point) {
  // Absolute coordinates run from 0 to 65535 across the screen.
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  const DWORD x = static_cast<DWORD>((point.x * 65535 + width / 2) / (width - 1));
  const DWORD y = static_cast<DWORD>((point.y * 65535 + height / 2) / (height - 1));
  mouse_event(MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTDOWN, x, y, 0, 0);
  mouse_event(MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTUP, x, y, 0, 0);
}

}  // namespace testing_support
