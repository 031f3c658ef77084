#include "Application.h"

#include "Hint.h"
#include "StartupTrace.h"

namespace winui {

Application& Application::Instance() {
  static Application application;
  return application;
}

HWND Application::Handle() {
  if (hwnd_) return hwnd_;
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "DabiroApplication";
  RegisterClassA(&wc);
  hwnd_ = CreateWindowExA(0, wc.lpszClassName, title_.c_str(), WS_POPUP, 0, 0, 0, 0, nullptr,
                          nullptr, wc.hInstance, nullptr);
  return hwnd_;
}

void Application::SetTitle(const std::string& title) {
  title_ = title;
  if (hwnd_) SetWindowTextA(hwnd_, title.c_str());
}

// A caption reads back at most 255 characters, up to its first zero.
std::string Application::Title() const { return title_.substr(0, 255).c_str(); }

void Application::SetHint(const std::string& hint) {
  if (hint == hint_) return;
  hint_ = hint;
  if (onHint_) onHint_();
}

void Application::SetWindowHint(HWND hwnd, const std::string& hint) { windowHints_[hwnd] = hint; }

std::string Application::SourceHint(HWND hwnd, POINT screenPoint) const {
  const auto it = hintSources_.find(hwnd);
  if (it == hintSources_.end()) return {};
  ScreenToClient(hwnd, &screenPoint);
  return it->second(screenPoint);
}

std::string Application::WindowHint(HWND hwnd) const {
  const auto it = windowHints_.find(hwnd);
  return it == windowHints_.end() ? std::string() : it->second;
}

void Application::Run() {
  while (!terminated_) {
    if (!ProcessOneMessage()) {
      Idle();
      WaitMessage();
    }
  }
}

void Application::ProcessMessages() {
  while (ProcessOneMessage()) {
  }
}

bool Application::ProcessOneMessage() {
  MSG msg;
  if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (msg.message == WM_QUIT) {
    terminated_ = true;
    return true;
  }
  Dispatch(msg);
  return true;
}

void Application::Dispatch(const MSG& msg) {
  const bool key = msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST;
  if (key && keyFilter_ && keyFilter_(msg)) return;
  if (HandledAsTabKey(msg)) return;
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
}

bool Application::HandledAsTabKey(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || msg.wParam != VK_TAB) return false;
  if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return false;
  HWND focus = GetFocus();
  for (HWND root : tabRoots_) {
    if (!focus || !IsChild(root, focus)) continue;
    if (SendMessageA(focus, WM_GETDLGCODE, VK_TAB, 0) & DLGC_WANTTAB) return false;
    if (HWND next = GetNextDlgTabItem(root, focus, GetKeyState(VK_SHIFT) < 0)) SetFocus(next);
    return true;
  }
  return false;
}

void Application::Idle() {
  SetHint(core::LongHint(HintUnderMouse()));
  EndStartupTrace("messages until idle");
}

std::string Application::HintUnderMouse() const {
  POINT point;
  if (!GetCursorPos(&point)) return {};
  for (HWND hwnd = WindowFromPoint(point); hwnd; hwnd = GetParent(hwnd)) {
    std::string hint = SourceHint(hwnd, point);
    if (hint.empty()) hint = WindowHint(hwnd);
    if (!hint.empty()) return hint;
  }
  return {};
}

}  // namespace winui
