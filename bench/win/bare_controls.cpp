// The bare window with the editor's windows and nothing of the editor: the
// same menu bar, toolbar panel (whose buttons the editor draws, without
// windows of their own), font field, size field with its arrows, palette
// window (its cells fit: no scroll bars), rich edit control, the text's view
// over it with its scroll bar, and status bar, in their places, each drawn by
// the window system alone.
// What the window system itself takes to create, show and paint them.
#include <windows.h>
#include <commctrl.h>
#include <richedit.h>

#include <initializer_list>

#include "MainFormLayout.h"

namespace {

constexpr char ClassName[] = "BareControls";
using namespace main_form_layout;

LRESULT CALLBACK BareProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

HMENU MenuBar() {
  HMENU bar = CreateMenu();
  for (const char* name : {"&File", "&Edit", "&Keyboard", "&Help"}) {
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, 1, "&Item\tCtrl+N");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(menu), name);
  }
  return bar;
}

HWND Child(const char* className, DWORD style, DWORD exStyle, int x, int y, int width, int height,
           HWND parent, HFONT font = nullptr) {
  HWND child = CreateWindowExA(exStyle, className, "", WS_CHILD | WS_VISIBLE | style, x, y, width,
                               height, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (font) SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return child;
}

void CreateControls(HWND main) {
  HFONT font =
      CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "MS Sans Serif");
  HWND toolbar = Child(ClassName, 0, 0, 0, 0, ClientWidth, ToolbarHeight, main);
  Child(WC_COMBOBOXA, WS_VSCROLL | CBS_DROPDOWN | CBS_SORT | CBS_AUTOHSCROLL | CBS_NOINTEGRALHEIGHT,
        0, 194, 6, 131, 129, toolbar, font);
  HWND size = Child(WC_EDITA, ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 328, 6, 31, 21, toolbar, font);
  HWND arrows = Child(UPDOWN_CLASSA, UDS_SETBUDDYINT | UDS_ALIGNRIGHT, 0, 359, 6, 15, 21, toolbar);
  SendMessageA(arrows, UDM_SETBUDDY, reinterpret_cast<WPARAM>(size), 0);
  Child(ClassName, WS_BORDER, 0, 0, PaletteTop, ClientWidth, PaletteHeight, main);
  LoadLibraryA("RICHED32.DLL");
  Child("RICHEDIT", WS_VSCROLL | ES_MULTILINE | ES_DISABLENOSCROLL, WS_EX_CLIENTEDGE, 0, TextTop,
        ClientWidth, TextHeight, main);
  Child(ClassName, WS_VSCROLL | WS_CLIPSIBLINGS, WS_EX_CLIENTEDGE, 0, TextTop, ClientWidth,
        TextHeight, main);
  Child(STATUSCLASSNAMEA, CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER, 0, 0, StatusTop,
        ClientWidth, StatusHeight, main, font);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  InitCommonControls();
  WNDCLASSA wc{};
  wc.lpfnWndProc = BareProcedure;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = ClassName;
  if (!RegisterClassA(&wc)) return 1;
  HWND hwnd = CreateWindowExA(0, ClassName, "Bare controls", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                              1, 7, 640, 467, nullptr, MenuBar(), instance, nullptr);
  if (!hwnd) return 1;
  CreateControls(hwnd);
  ShowWindow(hwnd, show);
  UpdateWindow(hwnd);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}
