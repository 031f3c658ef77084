#include "ModalScope.h"

namespace winui {

ModalScope::ModalScope() : previousActive_(GetActiveWindow()) {
  EnumThreadWindows(GetCurrentThreadId(), DisableWindow, reinterpret_cast<LPARAM>(this));
  if (shield_.Failed()) {
    EnableAgain();
    shield_.Rethrow();
  }
}

ModalScope::~ModalScope() {
  EnableAgain();
  if (previousActive_ && IsWindow(previousActive_)) SetActiveWindow(previousActive_);
}

void ModalScope::EnableAgain() {
  for (HWND hwnd : disabled_)
    if (IsWindow(hwnd)) EnableWindow(hwnd, TRUE);
}

BOOL CALLBACK ModalScope::DisableWindow(HWND hwnd, LPARAM data) {
  auto& self = *reinterpret_cast<ModalScope*>(data);
  return self.shield_.Run(
      [&] {
        if (IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) {
          self.disabled_.push_back(hwnd);
          EnableWindow(hwnd, FALSE);
        }
        return TRUE;
      },
      FALSE);
}

}  // namespace winui
