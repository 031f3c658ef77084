#include "Window.h"

#include "ErrorDisplay.h"

namespace winui {

Window::~Window() {
  if (hwnd_) {
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
}

void Window::RegisterClassFor(const char* className, UINT style, HBRUSH background, HCURSOR cursor,
                              HICON icon) {
  WNDCLASSA wc{};
  if (GetClassInfoA(GetModuleHandleA(nullptr), className, &wc)) return;
  wc.style = style;
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = cursor ? cursor : LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.hIcon = icon;
  wc.hbrBackground = background;
  wc.lpszClassName = className;
  RegisterClassA(&wc);
}

void Window::Create(const char* className, const char* caption, DWORD style, DWORD exStyle, int x,
                    int y, int width, int height, HWND parent, HMENU menu) {
  CreateWindowExA(exStyle, className, caption, style, x, y, width, height, parent, menu,
                  GetModuleHandleA(nullptr), this);
  if (!hwnd_) throw core::Exception("Kann Fenster nicht erzeugen");
}

Window* Window::FromHandle(HWND hwnd) {
  return reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return Default(message, wParam, lParam);
}

LRESULT Window::Default(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK Window::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  Window* self = FromHandle(hwnd);
  if (!self) return DefWindowProcA(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    LRESULT result =
        Guarded([&] { return self->HandleMessage(message, wParam, lParam); }, LRESULT{0});
    self->hwnd_ = nullptr;
    return result;
  }
  return Guarded([&] { return self->HandleMessage(message, wParam, lParam); }, LRESULT{0});
}

namespace {
const char HookProperty[] = "Dabiro.ControlHook";
}

ControlHook::~ControlHook() { Detach(); }

void ControlHook::Attach(HWND control) {
  if (GetPropA(control, HookProperty)) throw core::Exception("Steuerelement hat schon einen Haken");
  Detach();
  SetPropA(control, HookProperty, this);
  control_ = control;
  controlProc_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(HookProc)));
}

// Puts the control's own procedure back, unless someone hooked in after us:
// then theirs would be cut off, and ours stays harmlessly in the chain.
void ControlHook::Detach() {
  if (!control_ || !IsWindow(control_)) return;
  if (GetWindowLongPtrA(control_, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(HookProc))
    SetWindowLongPtrA(control_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(controlProc_));
  RemovePropA(control_, HookProperty);
  control_ = nullptr;
}

LRESULT ControlHook::CallControl(UINT message, WPARAM wParam, LPARAM lParam) const {
  return CallWindowProcA(controlProc_, control_, message, wParam, lParam);
}

LRESULT CALLBACK ControlHook::HookProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = static_cast<ControlHook*>(GetPropA(hwnd, HookProperty));
  if (!self) return DefWindowProcA(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    const WNDPROC controlProc = self->controlProc_;
    self->Detach();
    return CallWindowProcA(controlProc, hwnd, message, wParam, lParam);
  }
  return Guarded(
      [&] {
        LRESULT result = 0;
        if (!self->BeforeMessage(message, wParam, lParam, result))
          result = self->CallControl(message, wParam, lParam);
        self->AfterMessage(message, wParam, lParam);
        return result;
      },
      LRESULT{0});
}

RECT BoundsInParent(HWND child) {
  RECT bounds;
  GetWindowRect(child, &bounds);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&bounds), 2);
  return bounds;
}

bool MoveChild(HWND child, int left, int top, int width, int height) {
  const RECT now = BoundsInParent(child), wanted{left, top, left + width, top + height};
  if (EqualRect(&now, &wanted)) return false;
  MoveWindow(child, left, top, width, height, TRUE);
  return true;
}

}  // namespace winui
