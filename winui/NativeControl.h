#pragma once
#include <windows.h>

#include <string>

#include "Component.h"

namespace winui {

// A named standard control (edit, combo box, up-down, status bar) owned
// by a window; its notifications arrive at the owner's window procedure.
class NativeControl : public Component {
 public:
  using Component::Component;
  ~NativeControl() override;

  void Create(const char* className, DWORD style, DWORD exStyle, int left, int top, int width,
              int height, HWND parent, int id = 0);
  HWND Handle() const { return hwnd_; }
  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return SendMessageA(hwnd_, message, wParam, lParam);
  }
  std::string Text() const;
  void SetText(const std::string& text) const { SetWindowTextA(hwnd_, text.c_str()); }
  // Writes only a text that differs: a combo box searches its list and
  // repaints on every write, which a caller showing state need not pay.
  void ShowText(const std::string& text) const {
    if (Text() != text) SetText(text);
  }

 private:
  HWND hwnd_ = nullptr;
};

}  // namespace winui
