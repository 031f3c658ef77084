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
  }
  return Panel::HandleMessage(message, wParam, lParam);
}

void BevelPanel::Paint(HDC dc) {
  RECT rc;
  GetClientRect(Handle(), &rc);
  DrawEdge(dc, &rc, BDR_SUNKENOUTER | BDR_RAISEDINNER, BF_RECT);
}

}  // namespace winui
