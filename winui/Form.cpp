#include "Form.h"

#include <cctype>
#include <string>

#include "Application.h"
#include "ErrorDisplay.h"
#include "Exceptions.h"
#include "ModalScope.h"

namespace winui {

namespace {

// Posted by Release; the form is deleted when it comes up.
constexpr UINT ReleaseMessage = WM_USER + 1;
constexpr DWORD DialogFrameStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD DialogFrameExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

bool IsPushButton(HWND hwnd) {
  return hwnd &&
         (SendMessageA(hwnd, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON));
}

char Upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

// The letter after the caption's single '&', upper-cased, or 0. Read in
// place: it serves a system callback, where nothing may be thrown.
char Mnemonic(const char* caption) {
  for (; caption[0] && caption[1]; ++caption) {
    if (caption[0] != '&') continue;
    if (caption[1] != '&') return Upper(caption[1]);
    ++caption;
  }
  return 0;
}

struct MnemonicSearch {
  char letter;
  HWND found;
};

BOOL CALLBACK MatchMnemonic(HWND hwnd, LPARAM data) {
  auto* search = reinterpret_cast<MnemonicSearch*>(data);
  const LRESULT code = SendMessageA(hwnd, WM_GETDLGCODE, 0, 0);
  if (!IsWindowVisible(hwnd) || !IsWindowEnabled(hwnd) || !(code & (DLGC_BUTTON | DLGC_STATIC)))
    return TRUE;
  char caption[256] = {};
  GetWindowTextA(hwnd, caption, sizeof caption);
  if (Mnemonic(caption) != search->letter) return TRUE;
  search->found = hwnd;
  return FALSE;
}

}  // namespace

// Hands the dialog keys of one control to its form; the control never sees
// Enter or Tab, not even as characters.
class Form::KeyHook : public ControlHook {
 public:
  explicit KeyHook(Form& form) : form_(form) {}

 protected:
  bool BeforeMessage(UINT message, WPARAM wParam, LPARAM, LRESULT&) override {
    return form_.TakesDialogKey(message, wParam);
  }

 private:
  Form& form_;
};

void Form::CreateDialogFrame(const char* className, const char* caption, int clientWidth,
                             int clientHeight, HWND owner) {
  RegisterClassFor(className, 0, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  RECT bounds{0, 0, clientWidth, clientHeight};
  AdjustWindowRectEx(&bounds, DialogFrameStyle, FALSE, DialogFrameExStyle);
  Create(className, caption, DialogFrameStyle, DialogFrameExStyle, 0, 0, bounds.right - bounds.left,
         bounds.bottom - bounds.top, owner ? owner : Application::Instance().Handle());
}

int Form::ShowModal() {
  {
    ModalScope modal;
    CentreOnScreen();
    ShowWindow(Handle(), SW_SHOWNORMAL);
    modal_ = true;
    RunHandler(onActivate_);
    modalResult_ = 0;
    RunModalLoop();
    modal_ = false;
  }
  const int result = modalResult_;
  if (Handle()) ShowWindow(Handle(), SW_HIDE);
  RunHandler(onClose_);
  return result;
}

void Form::RunModalLoop() {
  auto& application = Application::Instance();
  while (modalResult_ == 0) {
    application.ProcessMessages();
    if (application.Terminated() || !Handle()) {
      modalResult_ = IDCANCEL;
    } else if (modalResult_ == 0) {
      application.Idle();
      WaitMessage();
    }
  }
}

void Form::RunHandler(const Handler& handler) {
  if (!handler) return;
  Guarded(
      [&] {
        handler(this);
        return true;
      },
      false);
}

void Form::Release() { PostMessageA(Handle(), ReleaseMessage, 0, 0); }

void Form::CentreOnScreen() {
  RECT rc;
  GetWindowRect(Handle(), &rc);
  const int left = (GetSystemMetrics(SM_CXSCREEN) - (rc.right - rc.left)) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - (rc.bottom - rc.top)) / 2;
  SetWindowPos(Handle(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int Form::Top() const {
  RECT rc;
  GetWindowRect(Handle(), &rc);
  return rc.top;
}

void Form::SetTop(int top) {
  RECT rc;
  GetWindowRect(Handle(), &rc);
  SetWindowPos(Handle(), nullptr, rc.left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int Form::Height() const {
  RECT rc;
  GetWindowRect(Handle(), &rc);
  return rc.bottom - rc.top;
}

bool Form::TakesDialogKey(UINT message, WPARAM wParam) {
  switch (message) {
    case WM_KEYDOWN:
      if (wParam == VK_ESCAPE && escapeCloses_) return PostMessageA(Handle(), WM_CLOSE, 0, 0);
      return (wParam == VK_RETURN || wParam == VK_TAB) && DialogKey(wParam);
    case WM_CHAR:
      return wParam == '\r' || wParam == '\t' || (wParam == 0x1B && escapeCloses_);
    case WM_SYSCHAR:
      return DialogChar(static_cast<char>(wParam));
  }
  return false;
}

void Form::UseDialogKeys(HWND control) {
  auto hook = std::make_unique<KeyHook>(*this);
  hook->Attach(control);
  keyHooks_.push_back(std::move(hook));
}

bool Form::DialogKey(WPARAM key) {
  const HWND focus = GetFocus();
  if (key == VK_TAB) {
    if (HWND next = GetNextDlgTabItem(Handle(), focus, GetKeyState(VK_SHIFT) < 0)) SetFocus(next);
    return true;
  }
  const HWND target = IsPushButton(focus) ? focus : defaultButton_;
  if (target && IsWindowVisible(target) && IsWindowEnabled(target))
    SendMessageA(target, BM_CLICK, 0, 0);
  return true;
}

bool Form::DialogChar(char letter) {
  MnemonicSearch search{Upper(letter), nullptr};
  EnumChildWindows(Handle(), MatchMnemonic, reinterpret_cast<LPARAM>(&search));
  if (!search.found) return false;
  // A label's letter reaches the field after it, a button's clicks it.
  if (SendMessageA(search.found, WM_GETDLGCODE, 0, 0) & DLGC_STATIC) {
    if (HWND field = GetNextDlgTabItem(Handle(), search.found, FALSE)) SetFocus(field);
  } else {
    SendMessageA(search.found, BM_CLICK, 0, 0);
  }
  return true;
}

void Form::RestoreFocus() {
  HWND target = lastFocus_ && IsWindow(lastFocus_) && IsChild(Handle(), lastFocus_)
                    ? lastFocus_
                    : GetNextDlgTabItem(Handle(), nullptr, FALSE);
  if (target) SetFocus(target);
}

LRESULT Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      if (modal_)
        modalResult_ = IDCANCEL;
      else
        ShowWindow(Handle(), SW_HIDE);
      return 0;
    case ReleaseMessage:
      delete this;
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        const HWND focus = GetFocus();
        if (focus && IsChild(Handle(), focus)) lastFocus_ = focus;
      } else {
        RestoreFocus();
      }
      return 0;
    case WM_SETFOCUS:
      RestoreFocus();
      return 0;
  }
  return Window::HandleMessage(message, wParam, lParam);
}

}  // namespace winui
