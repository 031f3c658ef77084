#include "BevelPanel.h"

namespace winui {

void BevelPanel::Create(HWND parent, int left, int top, int width, int height) {
  Panel::Create(parent, left, top, width, height, false);
}

LRESULT BevelPanel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
      return SendMessageA(GetParent(Handle()), message, wParam, lParam);
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(Handle(), &ps);
      RECT rc;
      GetClientRect(Handle(), &rc);
      DrawEdge(dc, &rc, BDR_SUNKENOUTER | BDR_RAISEDINNER, BF_RECT);
      EndPaint(Handle(), &ps);
      return 0;
    }
  }
  return Panel::HandleMessage(message, wParam, lParam);
}

}  // namespace winui
