#pragma once
#include <windows.h>

#include "Component.h"

namespace winui {

// Binds a C++ object to its HWND. Every message goes through one static
// window procedure with one exception barrier: no C++ exception ever
// crosses a Windows frame.
class Window : public Component {
 public:
  using Component::Component;
  ~Window() override;

  HWND Handle() const { return hwnd_; }

  // Creates the window of a class registered with RegisterClassFor.
  void Create(const char* className, const char* caption, DWORD style, DWORD exStyle, int x, int y,
              int width, int height, HWND parent, HMENU menu = nullptr);

  static void RegisterClassFor(const char* className, UINT style, HBRUSH background,
                               HCURSOR cursor = nullptr, HICON icon = nullptr);

  static Window* FromHandle(HWND hwnd);

 protected:
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  HWND hwnd_ = nullptr;
};

// A child window's bounds in its parent's client area.
RECT BoundsInParent(HWND child);

// Moves a child window to these bounds in its parent's client area and
// repaints it; returns whether it moved. A child already there is left
// alone: even a move to the same place costs a round of messages, and under
// Wine trips to the display.
bool MoveChild(HWND child, int left, int top, int width, int height);

// Answers WM_PAINT by handing the paint DC and the part to paint to
// paint(dc, rect); returns what WM_PAINT returns.
template <typename Painter>
LRESULT PaintWindow(HWND window, Painter paint) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  paint(dc, ps.rcPaint);
  EndPaint(window, &ps);
  return 0;
}

// Gives an existing control (rich edit, edit, ...) a hook in front of its
// own window procedure, behind the same exception barrier. The hook returns
// true when it has handled the message completely. One hook per control:
// it replaces the control's window procedure, as every Windows since 95
// allows, and keeps the old one to pass the rest on. Attached to another
// control, the hook leaves the one it had.
class ControlHook {
 public:
  virtual ~ControlHook();
  void Attach(HWND control);

 protected:
  virtual bool BeforeMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) = 0;
  // Once the message is handled, by either.
  virtual void AfterMessage(UINT, WPARAM, LPARAM) {}
  // What the control's own procedure answers.
  LRESULT CallControl(UINT message, WPARAM wParam, LPARAM lParam) const;

 private:
  static LRESULT CALLBACK HookProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void Detach();
  HWND control_ = nullptr;
  WNDPROC controlProc_ = nullptr;
};

}  // namespace winui
