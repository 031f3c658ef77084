#pragma once
#include <windows.h>

#include <vector>

#include "CallbackShield.h"

namespace winui {

// While a modal box is up, the program's other windows are disabled; on
// leaving, they are enabled again and the window that was active before
// is activated again.
class ModalScope {
 public:
  ModalScope();
  ~ModalScope();
  ModalScope(const ModalScope&) = delete;
  ModalScope& operator=(const ModalScope&) = delete;

 private:
  static BOOL CALLBACK DisableWindow(HWND hwnd, LPARAM self);
  void EnableAgain();
  HWND previousActive_;
  std::vector<HWND> disabled_;
  core::CallbackShield shield_;
};

}  // namespace winui
