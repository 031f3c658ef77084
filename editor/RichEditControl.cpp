#include "RichEditControl.h"

#include <richedit.h>

#include <cstring>
#include <optional>

#include "Clipboard.h"
#include "Exceptions.h"
#include "GlyphText.h"
#include "KeyState.h"
#include "StartupTrace.h"
#include "StringIds.h"
#include "StringResource.h"
#include "SystemLibraries.h"

namespace {

bool ClassExists(const char* className) {
  WNDCLASSA wc;
  return GetClassInfoA(GetModuleHandleA(nullptr), className, &wc) ||
         GetClassInfoA(nullptr, className, &wc);
}

// Rich edit 2.0 and later keep UTF-16. The RICHED32.DLL of later systems
// (and Wine's) is built on RICHED20.DLL, which it has loaded by now; the
// 1.0 of 95 and NT 4.0 stands alone, and there a probe tells.
bool BuiltOnRichEdit2() { return GetModuleHandleA("RICHED20.DLL") != nullptr; }

}  // namespace

RichEditControl::~RichEditControl() {
  if (hwnd_ && IsWindow(hwnd_)) DestroyWindow(hwnd_);
  if (library_) FreeLibrary(library_);
}

void RichEditControl::Create(HWND parent, int left, int top, int width, int height, int id,
                             bool singleLine) {
  singleLine_ = singleLine;
  library_ = winui::LoadSystemLibrary("RICHED32.DLL");
  if (library_ && !ClassExists("RICHEDIT")) {
    FreeLibrary(library_);
    library_ = nullptr;
  }
  winui::TraceStartup("rich edit library");
  parent_ = parent;
  id_ = id;
  // Without a parent it is a hidden window of its own, for work on a copy.
  const DWORD placement = parent ? WS_CHILD | WS_VISIBLE | WS_TABSTOP : WS_POPUP;
  hwnd_ = NewWindow(placement, RECT{left, top, left + width, top + height});
  Attach(hwnd_);
  winui::TraceStartup("text control window");
  storesUnicode_ = library_ && (BuiltOnRichEdit2() || KeepsUtf16(*this));
  winui::TraceStartup("storage probe");
  Send(EM_SETEVENTMASK, 0, EventMask);
}

// Every window of the control, the first and each replacement, is made
// here.
HWND RichEditControl::NewWindow(DWORD placement, const RECT& bounds) const {
  // ES_DISABLENOSCROLL is a rich edit style: to a plain edit the same bit
  // means ES_NUMBER, which would refuse every letter.
  // Clipped by its siblings: the old window, under a replacement while it
  // loads, must not draw over it.
  const DWORD lines =
      singleLine_ ? ES_AUTOHSCROLL
                  : WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | (wraps_ ? 0 : ES_AUTOHSCROLL);
  const DWORD style = placement | WS_CLIPSIBLINGS | lines | ES_RIGHT |
                      (library_ && !singleLine_ ? ES_DISABLENOSCROLL : 0);
  HWND hwnd = CreateWindowExA(
      WS_EX_CLIENTEDGE, library_ ? "RICHEDIT" : "EDIT", "", style, bounds.left, bounds.top,
      bounds.right - bounds.left, bounds.bottom - bounds.top, parent_,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)), GetModuleHandleA(nullptr), nullptr);
  if (!hwnd) throw core::Exception(winui::LoadText(IDS_CANNOT_CREATE_TEXT_FIELD));
  // A rich edit's limit after EM_LIMITTEXT 0 is 64,000 characters: typing
  // and pasting beyond it would be refused, and a load cut there.
  if (library_)
    SendMessageA(hwnd, EM_EXLIMITTEXT, 0, LargestTextLimit);
  else
    SendMessageA(hwnd, EM_LIMITTEXT, 0, 0);  // a plain edit's largest
  SendMessageA(hwnd, EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(GetSysColor(COLOR_WINDOW)));
  // A line width of 1 turns a rich edit's wrapping off.
  if (library_ && !wraps_ && !singleLine_) SendMessageA(hwnd, EM_SETTARGETDEVICE, 0, 1);
  return hwnd;
}

// Nothing is taken away when the copy did not reach the clipboard.
void RichEditControl::CopyOrFail(const char* done) const {
  if (!CopyCodes(*this)) FailClipboardWrite(done);
}

void RichEditControl::SetFont(HFONT font) {
  font_ = font;
  Send(WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  SetDefaultFormatFromFont(font);
}

// The control draws itself again at once for each rectangle it is given,
// and the margins are set at every paint of the window: the same
// rectangle is not given again. Every change of the control's size comes
// with a new one.
void RichEditControl::SetFormatRect(const RECT& rect) {
  if (hasFormatRect_ && EqualRect(&rect, &formatRect_)) return;
  hasFormatRect_ = true;
  formatRect_ = rect;
  Send(EM_SETRECT, 0, reinterpret_cast<LPARAM>(&formatRect_));
}

void RichEditControl::SetDefaultFormatFromFont(HFONT font) {
  if (!library_) return;
  LOGFONTA lf{};
  GetObjectA(font, sizeof lf, &lf);
  HDC screen = GetDC(nullptr);
  const int pixelsPerInch = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  CHARFORMATA cf{};
  cf.cbSize = sizeof cf;
  cf.dwMask = CFM_COLOR | CFM_FACE | CFM_SIZE | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE |
              CFM_STRIKEOUT | CFM_CHARSET;
  cf.crTextColor = RGB(0, 0, 0);
  cf.dwEffects = (lf.lfWeight >= FW_BOLD ? CFE_BOLD : 0) | (lf.lfItalic ? CFE_ITALIC : 0) |
                 (lf.lfUnderline ? CFE_UNDERLINE : 0) | (lf.lfStrikeOut ? CFE_STRIKEOUT : 0);
  // A negative height is the character height in pixels; twips = points * 20.
  cf.yHeight = MulDiv(lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight, 72 * 20, pixelsPerInch);
  cf.bCharSet = lf.lfCharSet;
  cf.bPitchAndFamily = lf.lfPitchAndFamily;
  std::strncpy(cf.szFaceName, lf.lfFaceName, LF_FACESIZE - 1);
  Send(EM_SETCHARFORMAT, 0, reinterpret_cast<LPARAM>(&cf));
}

bool RichEditControl::ReadOnly() const {
  return (Send(EM_GETOPTIONS) & ECO_READONLY) ||
         (GetWindowLongPtrA(hwnd_, GWL_STYLE) & ES_READONLY);
}

long RichEditControl::SelLength() const {
  DWORD start = 0, end = 0;
  Send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<long>(end) - static_cast<long>(start);
}

bool RichEditControl::BeforeMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message == WM_GETDLGCODE) {
    // Tab moves the focus on (to the palette) instead of being typed.
    result = CallControl(message, wParam, lParam) & ~DLGC_WANTTAB;
    return true;
  }
  if ((dialogKeys_ && dialogKeys_(message, wParam)) ||
      (redirect_ && redirect_(message, wParam, lParam))) {
    result = 0;
    return true;
  }
  if ((message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
      (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST))
    PostponeFreeingReplaced();
  if (TakenByKeyHandler(message, wParam, lParam)) {
    result = 0;
    return true;
  }
  if (message == WM_KEYDOWN) pressedHere_.set(wParam & 0xFF);
  // Before the key handlers: a key typed over everything is handed on to
  // the empty window, and reported there.
  if (EditsAllOfALargeText(message, wParam, lParam, result)) return true;
  ReportKey(message, wParam);
  if (storesUnicode_ && ExchangesCodes(message, wParam)) {
    result = 0;
    return true;
  }
  return false;
}

namespace {

using Change = RichEditControl::Change;

Change KeyChange(WPARAM key) {
  const bool control = GetKeyState(VK_CONTROL) < 0;
  if ((control && (key == 'Z' || key == 'Y')) || (key == VK_BACK && GetKeyState(VK_MENU) < 0))
    return Change::Everything;  // Undo and Redo
  if (key == VK_DELETE || key == VK_BACK || key == VK_INSERT || control) return Change::Text;
  return Change::Selection;
}

// What a message may change; nothing for the rest. Writing into the
// selection (typing, a stream, a paste) leaves the caret after what it
// wrote.
std::optional<Change> ChangeOf(UINT message, WPARAM wParam) {
  switch (message) {
    case WM_KEYDOWN:
      return KeyChange(wParam);
    case WM_CHAR:
    case WM_IME_CHAR:
    case WM_PASTE:
    case WM_CUT:
    case WM_CLEAR:
    case EM_REPLACESEL:
    case EM_SETPARAFORMAT:
      return Change::Text;
    case EM_SETCHARFORMAT:
      return (wParam & SCF_SELECTION) ? Change::Text : Change::Everything;
    case EM_STREAMIN:
      return (wParam & SFF_SELECTION) ? Change::Text : Change::Everything;
    case WM_UNDO:
    case EM_UNDO:
    case EM_REDO:
    case WM_SETTEXT:
    case WM_SETFONT:
      return Change::Everything;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case EM_SETSEL:
    case EM_EXSETSEL:
      return Change::Selection;
  }
  return std::nullopt;
}

}  // namespace

void RichEditControl::AfterMessage(UINT message, WPARAM wParam, LPARAM) {
  if (!onChanged_) return;
  if (const std::optional<Change> change = ChangeOf(message, wParam)) onChanged_(*change);
}

bool RichEditControl::TakenByKeyHandler(UINT message, WPARAM wParam, LPARAM lParam) {
  const UINT scanCode = static_cast<UINT>(lParam >> 16) & 0x1FF;
  // The characters the message loop made of a taken key, a dead key's too.
  if (message == WM_CHAR || message == WM_DEADCHAR) return scanCode == takenScanCode_;
  if (message != WM_KEYDOWN || !onKeyDown_) return false;
  WORD key = static_cast<WORD>(wParam);
  onKeyDown_(this, key, winui::HeldShiftKeys(), scanCode);
  takenScanCode_ = key == 0 ? scanCode : NoKey;
  return key == 0;
}

void RichEditControl::ReportSelectionChanges(bool report) const {
  Send(EM_SETEVENTMASK, 0, report ? EventMask : EventMask & ~ENM_SELCHANGE);
}

void RichEditControl::ReportKey(UINT message, WPARAM wParam) {
  const std::size_t virtualKey = wParam & 0xFF;
  if (message == WM_CHAR && onKeyPress_) {
    char key = static_cast<char>(wParam);
    onKeyPress_(this, key);
  } else if (message == WM_KEYUP && pressedHere_.test(virtualKey)) {
    pressedHere_.reset(virtualKey);
    WORD key = static_cast<WORD>(wParam);
    if (onKeyUp_) onKeyUp_(this, key, winui::HeldShiftKeys());
  }
}

// The ways text enters and leaves a control that keeps UTF-16, which would
// take codes through the code page: typed codes in a symbol font, the
// clipboard, and the keys for it, which the control would serve itself.
bool RichEditControl::ExchangesCodes(UINT message, WPARAM wParam) {
  switch (message) {
    case WM_CHAR:
      if (wParam < 0x80 || ReadOnly() || !SelectionTakesCodes(*this)) return false;
      InsertCodes(*this, std::string(1, static_cast<char>(wParam)));
      return true;
    case WM_PASTE:
      return !ReadOnly() && PasteCodes(*this);
    case WM_COPY:
      CopyOrFail("copied");
      return true;
    case WM_CUT:
      if (ReadOnly()) return false;
      CopyOrFail("cut");
      Send(WM_CLEAR);
      return true;
    case WM_KEYDOWN: {
      const UINT command = winui::ClipboardKeyCommand(wParam, winui::HeldShiftKeys());
      if (command) Send(command);
      return command != 0;
    }
  }
  return false;
}
