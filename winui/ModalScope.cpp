#include "ModalScope.h"

namespace winui {

ModalScope::ModalScope() : previousActive_(GetActiveWindow()) {
  EnumThreadWindows(GetCurrentThreadId(), DisableWindow, reinterpret_cast<LPARAM>(this));
}

ModalScope::~ModalScope() {
  for (HWND hwnd : disabled_)
    if (IsWindow(hwnd)) EnableWindow(hwnd, TRUE);
  if (previousActive_ && IsWindow(previousActive_)) SetActiveWindow(previousActive_);
}

BOOL CALLBACK ModalScope::DisableWindow(HWND hwnd, LPARAM self) {
  if (IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) {
    EnableWindow(hwnd, FALSE);
    reinterpret_cast<ModalScope*>(self)->disabled_.push_back(hwnd);
  }
  return TRUE;
}

}  // namespace winui
