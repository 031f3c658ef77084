#pragma once
#include <windows.h>

#include <vector>

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
  HWND previousActive_;
  std::vector<HWND> disabled_;
};

}  // namespace winui
