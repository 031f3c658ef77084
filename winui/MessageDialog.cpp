#include "MessageDialog.h"

#include <windows.h>

#include <algorithm>
#include <initializer_list>
#include <vector>

#include "Application.h"
#include "DialogGeometry.h"
#include "DialogStringIds.h"
#include "ErrorDisplay.h"
#include "Exceptions.h"
#include "ModalScope.h"
#include "StringResource.h"

namespace winui {

namespace {

// The text is measured and drawn alike, and literally: an ampersand in a
// file name is part of the name, not an accelerator prefix.
// A word longer than a line (a long path) is broken where the line ends,
// as an edit control breaks it, instead of widening the box off the screen.
constexpr UINT TextFormat = DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX;
constexpr int AllResult = 8;
constexpr int MessageId = 100;
constexpr int ImageId = 101;

struct TypeLook {
  UINT captionId;  // 0: the application title
  LPCSTR icon;     // null: no icon
};

TypeLook TypeLookOf(DialogType type) {
  switch (type) {
    case DialogType::Warning:
      return {IDS_WARNING, IDI_EXCLAMATION};
    case DialogType::Error:
      return {IDS_ERROR, IDI_HAND};
    case DialogType::Information:
      return {IDS_INFORMATION, IDI_ASTERISK};
    case DialogType::Confirmation:
      return {IDS_CONFIRMATION, IDI_QUESTION};
    case DialogType::Custom:
      break;
  }
  return {0, nullptr};
}

struct ButtonLook {
  UINT captionId;
  int result;  // 0: asks for help and leaves the dialog open
};

ButtonLook ButtonLookOf(DialogButton button) {
  switch (button) {
    case DialogButton::Yes:
      return {IDS_YES, IDYES};
    case DialogButton::No:
      return {IDS_NO, IDNO};
    case DialogButton::OK:
      return {IDS_OK, IDOK};
    case DialogButton::Cancel:
      return {IDS_CANCEL, IDCANCEL};
    case DialogButton::Abort:
      return {IDS_ABORT, IDABORT};
    case DialogButton::Retry:
      return {IDS_RETRY, IDRETRY};
    case DialogButton::Ignore:
      return {IDS_IGNORE, IDIGNORE};
    case DialogButton::All:
      return {IDS_ALL, AllResult};
    case DialogButton::Help:
      break;
  }
  return {IDS_HELP, 0};
}

// Buttons are identified by their result, Help by the system's help id.
int ControlIdOf(DialogButton button) {
  const int result = ButtonLookOf(button).result;
  return result ? result : IDHELP;
}

// The first of the picks that is in the set, as a control id; 0 for none.
int FirstPresent(const DialogButtons& buttons, std::initializer_list<DialogButton> picks) {
  for (DialogButton pick : picks)
    if (buttons.count(pick)) return ControlIdOf(pick);
  return 0;
}

HFONT CreateDialogFont() {
  HDC screen = GetDC(nullptr);
  const int height = MulDiv(8, GetDeviceCaps(screen, LOGPIXELSY), 72);
  ReleaseDC(nullptr, screen);
  return CreateFontA(-height, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0,
                     "MS Sans Serif");
}

// The dialog window: an empty system dialog (for the dialog manager's
// Tab, Enter, Escape and default-button handling) filled at run time.
class MessageForm {
 public:
  MessageForm(std::string text, int helpContext);
  ~MessageForm();
  MessageForm(const MessageForm&) = delete;
  MessageForm& operator=(const MessageForm&) = delete;

  void Build(DialogType type, const DialogButtons& buttons);
  int ShowModal();

 private:
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  core::DialogMetrics Measure(bool hasIcon, int buttonCount) const;
  HWND AddChild(const char* className, const std::string& text, DWORD style, const core::Rect& r,
                int id);
  void OnCommand(int id);
  void RequestHelp();
  void DrawMessage(const DRAWITEMSTRUCT& item) const;
  void Close(int result);

  std::string text_;
  int helpContext_;
  HWND hwnd_ = nullptr;
  HFONT font_ = nullptr;
  std::vector<int> buttonIds_;
  int focusId_ = 0;
  int cancelId_ = 0;
  int result_ = 0;
  bool closed_ = false;
};

MessageForm::MessageForm(std::string text, int helpContext)
    : text_(std::move(text)), helpContext_(helpContext) {
  // An empty template; its size is replaced once the contents are measured.
  struct alignas(4) {
    DLGTEMPLATE header;
    WORD menu, windowClass, title;
  } empty{{WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 0, 0, 0, 0, 100, 50}, 0, 0, 0};
  CreateDialogIndirectParamA(GetModuleHandleA(nullptr), &empty.header,
                             Application::Instance().Handle(), DialogProc,
                             reinterpret_cast<LPARAM>(this));
  if (!hwnd_) throw core::Exception("Kann Fenster nicht erzeugen");
  font_ = CreateDialogFont();
  SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
}

MessageForm::~MessageForm() {
  SetWindowLongPtrA(hwnd_, DWLP_USER, 0);
  DestroyWindow(hwnd_);
  if (font_) DeleteObject(font_);
}

core::DialogMetrics MessageForm::Measure(bool hasIcon, int buttonCount) const {
  static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  core::DialogMetrics metrics;
  metrics.hasIcon = hasIcon;
  metrics.buttonCount = buttonCount;
  metrics.screenWidth = GetSystemMetrics(SM_CXSCREEN);
  metrics.screenHeight = GetSystemMetrics(SM_CYSCREEN);

  HDC dc = GetDC(hwnd_);
  HGDIOBJ oldFont = SelectObject(dc, font_);
  SIZE extent{};
  GetTextExtentPoint32A(dc, letters, 52, &extent);
  metrics.baseX = extent.cx / 52;
  metrics.baseY = extent.cy;
  RECT text{0, 0, core::TextWidthLimit(metrics.screenWidth), 0};
  DrawTextA(dc, text_.c_str(), -1, &text, DT_CALCRECT | TextFormat);
  metrics.textWidth = text.right;
  metrics.textHeight = text.bottom;
  SelectObject(dc, oldFont);
  ReleaseDC(hwnd_, dc);

  RECT window, client;
  GetWindowRect(hwnd_, &window);
  GetClientRect(hwnd_, &client);
  metrics.frameWidth = (window.right - window.left) - client.right;
  metrics.frameHeight = (window.bottom - window.top) - client.bottom;
  return metrics;
}

HWND MessageForm::AddChild(const char* className, const std::string& text, DWORD style,
                           const core::Rect& r, int id) {
  HWND child = CreateWindowExA(
      0, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.width, r.height,
      hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
  if (!child) throw core::Exception(std::string("Kann Steuerelement nicht erzeugen: ") + className);
  SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  return child;
}

void MessageForm::Build(DialogType type, const DialogButtons& buttons) {
  const TypeLook look = TypeLookOf(type);
  const core::DialogMetrics metrics =
      Measure(look.icon != nullptr, static_cast<int>(buttons.size()));
  const core::DialogLayout layout = core::LayoutDialog(metrics);
  SetWindowPos(hwnd_, nullptr, layout.left, layout.top, layout.clientWidth + metrics.frameWidth,
               layout.clientHeight + metrics.frameHeight, SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowTextA(hwnd_, look.captionId ? LoadText(look.captionId).c_str()
                                       : Application::Instance().Title().c_str());

  if (look.icon) {
    HWND image = AddChild("STATIC", "", SS_ICON | SS_REALSIZECONTROL, layout.icon, ImageId);
    SendMessageA(image, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconA(nullptr, look.icon)), 0);
  }
  AddChild("STATIC", text_, SS_OWNERDRAW, layout.message, MessageId);

  const int defaultId =
      FirstPresent(buttons, {DialogButton::OK, DialogButton::Yes, DialogButton::Retry});
  cancelId_ = FirstPresent(buttons, {DialogButton::Cancel, DialogButton::No, DialogButton::OK});
  auto place = layout.buttons.begin();
  for (DialogButton button : buttons) {  // the set's order is the table order
    const int id = ControlIdOf(button);
    const DWORD kind = id == defaultId ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    AddChild("BUTTON", LoadText(ButtonLookOf(button).captionId), WS_TABSTOP | kind, *place++, id);
    buttonIds_.push_back(id);
  }
  if (defaultId) SendMessageA(hwnd_, DM_SETDEFID, static_cast<WPARAM>(defaultId), 0);
  focusId_ = defaultId ? defaultId : (buttonIds_.empty() ? 0 : buttonIds_.front());
  SetWindowContextHelpId(hwnd_, static_cast<DWORD>(helpContext_));
}

int MessageForm::ShowModal() {
  ModalScope modal;  // taken while the dialog is still hidden, so it stays enabled
  ShowWindow(hwnd_, SW_SHOW);
  if (HWND focus = GetDlgItem(hwnd_, focusId_))
    SendMessageA(hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(focus), TRUE);
  while (!closed_) {
    MSG msg;
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got <= 0) {
      // The quit belongs to the outer loop too: hand it on.
      if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
      return IDCANCEL;
    }
    if (!IsDialogMessageA(hwnd_, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  return result_;
}

INT_PTR CALLBACK MessageForm::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
    reinterpret_cast<MessageForm*>(lParam)->hwnd_ = hwnd;
    return FALSE;  // the focus is set when the dialog is shown
  }
  auto* self = reinterpret_cast<MessageForm*>(GetWindowLongPtrA(hwnd, DWLP_USER));
  if (!self) return FALSE;
  return Guarded([&] { return self->HandleMessage(message, wParam, lParam); }, INT_PTR{TRUE});
}

INT_PTR MessageForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wParam) != BN_CLICKED) return FALSE;
      OnCommand(LOWORD(wParam));
      return TRUE;
    case WM_CLOSE:  // the close box and Alt+F4, whatever the cancel button is
      Close(IDCANCEL);
      return TRUE;
    case WM_DRAWITEM:
      DrawMessage(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
  }
  return FALSE;
}

// Escape arrives as IDCANCEL whether or not a button carries that id.
void MessageForm::OnCommand(int id) {
  const bool isButton = std::find(buttonIds_.begin(), buttonIds_.end(), id) != buttonIds_.end();
  if (isButton && id == IDHELP)
    RequestHelp();
  else if (isButton)
    Close(id);
  else if (id == IDCANCEL && cancelId_)
    Close(cancelId_);
}

void MessageForm::RequestHelp() {
  HELPINFO info{};
  info.cbSize = sizeof info;
  info.iContextType = HELPINFO_WINDOW;
  info.iCtrlId = IDHELP;
  info.hItemHandle = hwnd_;
  info.dwContextId = static_cast<DWORD_PTR>(helpContext_);
  GetCursorPos(&info.MousePos);
  SendMessageA(hwnd_, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
}

void MessageForm::DrawMessage(const DRAWITEMSTRUCT& item) const {
  RECT area = item.rcItem;
  FillRect(item.hDC, &area, GetSysColorBrush(COLOR_BTNFACE));
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, GetSysColor(COLOR_BTNTEXT));
  HGDIOBJ oldFont = SelectObject(item.hDC, font_);
  DrawTextA(item.hDC, text_.c_str(), -1, &area, TextFormat);
  SelectObject(item.hDC, oldFont);
}

void MessageForm::Close(int result) {
  result_ = result;
  closed_ = true;
}

}  // namespace

int MessageDialog(const std::string& text, DialogType type, const DialogButtons& buttons,
                  int helpContext) {
  MessageForm form(text, helpContext);
  form.Build(type, buttons);
  return form.ShowModal();
}

}  // namespace winui
