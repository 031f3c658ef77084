#include "ButtonPanel.h"

#include <commctrl.h>

#include "Application.h"
#include "Hint.h"
#include "SpeedButton.h"

namespace winui {

namespace {
POINT PointOf(LPARAM point) {
  return {static_cast<short>(LOWORD(point)), static_cast<short>(HIWORD(point))};
}
}  // namespace

// The status line shows the hint of the button under the mouse.
void ButtonPanel::Add(SpeedButton* button) {
  if (buttons_.empty())
    Application::Instance().SetHintSource(Handle(), [this](POINT at) {
      const SpeedButton* under = ButtonAt(at);
      return under ? under->Hint() : std::string();
    });
  buttons_.push_back(button);
}

LRESULT ButtonPanel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      pressed_ = ButtonAt(PointOf(lParam));
      if (pressed_) pressed_->Press();
      return 0;
    case WM_MOUSEMOVE:
      if (!tooltips_) CreateTooltips(wParam, lParam);
      if (pressed_) pressed_->FollowPress(lParam);
      return 0;
    case WM_LBUTTONUP:
      if (SpeedButton* button = pressed_) {
        // The release ends the press (WM_CAPTURECHANGED) before the click runs.
        if (button->ReleasePress(lParam)) button->Click();
      }
      return 0;
    case WM_CANCELMODE:
    case WM_CAPTURECHANGED:
      if (SpeedButton* button = pressed_) {
        pressed_ = nullptr;
        button->EndPress(message);
      }
      return 0;
  }
  return Panel::HandleMessage(message, wParam, lParam);
}

// A disabled button takes no press and shows no hint, as a disabled window.
SpeedButton* ButtonPanel::ButtonAt(POINT point) const {
  for (SpeedButton* button : buttons_)
    if (button->Enabled() && PtInRect(&button->Bounds(), point)) return button;
  return nullptr;
}

// At the mouse's first move over the panel, not at start: a tooltip shows
// only once the mouse has rested on a button. The tooltips follow the mouse
// over the panel from then on; the first move is handed to them here.
void ButtonPanel::CreateTooltips(WPARAM wParam, LPARAM firstMove) {
  tooltips_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(),
                              nullptr, GetModuleHandleA(nullptr), nullptr);
  if (!tooltips_) return;
  UINT_PTR id = 0;
  for (SpeedButton* button : buttons_) {
    std::string text = core::ShortHint(button->Hint());
    if (text.empty()) continue;
    TOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = Handle();
    tool.uId = ++id;
    tool.rect = button->Bounds();
    tool.lpszText = text.data();
    SendMessageA(tooltips_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  }
  MSG move{Handle(), WM_MOUSEMOVE, wParam, firstMove, static_cast<DWORD>(GetMessageTime()), {}};
  GetCursorPos(&move.pt);
  SendMessageA(tooltips_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&move));
}

void ButtonPanel::Paint(HDC dc) {
  Panel::Paint(dc);
  for (SpeedButton* button : buttons_)
    if (RectVisible(dc, &button->Bounds())) button->Paint(dc);
}

}  // namespace winui
