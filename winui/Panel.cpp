#include "Panel.h"

namespace winui {

void Panel::Create(HWND parent, int left, int top, int width, int height, bool topBevel) {
  topBevel_ = topBevel;
  RegisterClassFor("DabiroPanel", 0, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  Window::Create("DabiroPanel", "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT,
                 left, top, width, height, parent);
}

LRESULT Panel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_VSCROLL:
    case WM_HSCROLL:
      return SendMessageA(GetParent(Handle()), message, wParam, lParam);
    case WM_PAINT:
      return PaintWindow(Handle(), [this](HDC dc, const RECT&) { Paint(dc); });
  }
  return Window::HandleMessage(message, wParam, lParam);
}

void Panel::Paint(HDC dc) {
  if (!topBevel_) return;
  RECT rc;
  GetClientRect(Handle(), &rc);
  RECT shadow{0, 0, rc.right, 1};
  RECT light{0, 1, rc.right, 2};
  FillRect(dc, &shadow, GetSysColorBrush(COLOR_BTNSHADOW));
  FillRect(dc, &light, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
}

}  // namespace winui
