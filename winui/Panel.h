#pragma once
#include "Window.h"

namespace winui {

// A plain container in the button-face colour. Control notifications of
// its children go on to its parent, where the handlers live. With a bevel
// it draws an etched line along its top edge.
class Panel : public Window {
 public:
  using Window::Window;
  void Create(HWND parent, int left, int top, int width, int height, bool topBevel);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  virtual void Paint(HDC dc);

 private:
  bool topBevel_ = false;
};

}  // namespace winui
