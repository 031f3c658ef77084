#include "MainForm.h"
#include "EditorTexts.h"

#include <commctrl.h>
#include <richedit.h>

#include <memory>
#include <utility>
#include <vector>

#include "Application.h"
#include "CallbackShield.h"
#include "ControlIds.h"
#include "DocumentName.h"
#include "ErrorDisplay.h"
#include "Exceptions.h"
#include "GlyphFont.h"
#include "MainFormLayout.h"
#include "StartupTrace.h"
#include "StringIds.h"
#include "StringResource.h"
#include "Unit2.h"
#include "art/ArtIds.h"

namespace {

constexpr char ClassName[] = "TMainForm";
using namespace main_form_layout;

std::string ModuleFileName() {
  std::vector<char> buffer(MAX_PATH);
  for (;;) {
    const DWORD length =
        GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length < buffer.size()) return std::string(buffer.data(), length);
    buffer.resize(buffer.size() * 2);
  }
}

void WarnPlainTextOnly(HWND owner) {
  MessageBoxA(owner, texts::PlainTextOnly, "Dabiro", MB_OK | MB_ICONWARNING);
}

// A byte-keeping control on a double-byte code page takes some pairs of
// codes for one character: say so once instead of showing wrong letters.
void WarnDoubleByteCodePage(HWND owner) {
  CPINFO info{};
  if (!GetCPInfo(CP_ACP, &info) || info.MaxCharSize < 2) return;
  MessageBoxA(owner, texts::DoubleByteCodePage, "Dabiro", MB_OK | MB_ICONWARNING);
}

struct FaceNames {
  std::vector<std::string> names;
  core::CallbackShield shield;
};

int CALLBACK CollectFaceName(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM data) {
  auto& faces = *reinterpret_cast<FaceNames*>(data);
  return faces.shield.Run(
      [&] {
        faces.names.emplace_back(font->lfFaceName, strnlen(font->lfFaceName, LF_FACESIZE));
        return 1;
      },
      0);
}

}  // namespace

TMainForm::TMainForm() : Window("MainForm") {}

TMainForm::~TMainForm() {
  winui::Application::Instance().SetKeyFilter(nullptr);
  for (HFONT font : {formFont_, textFont_, paletteFont_})
    if (font) DeleteObject(font);
  if (shortcuts_) DestroyAcceleratorTable(shortcuts_);
}

void TMainForm::CreateForm() {
  HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_DABIRO));
  RegisterClassFor(ClassName, CS_DBLCLKS, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), nullptr,
                   icon ? icon : LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION)));
  const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  RECT bounds{0, 0, ClientWidth, ClientHeight};
  // Files dropped from Explorer arrive as WM_DROPFILES: the style is what
  // DragAcceptFiles would set, without loading the shell with the program.
  const DWORD exStyle = WS_EX_APPWINDOW | WS_EX_CONTROLPARENT | WS_EX_ACCEPTFILES;
  AdjustWindowRectEx(&bounds, style, TRUE, exStyle);
  // The menu bar is the window's from its creation: set afterwards, it
  // would change the frame of a window already made.
  CreateMenus();
  winui::TraceStartup("menus");
  Create(ClassName, "Dabiro", style, exStyle, 1, 7, bounds.right - bounds.left,
         bounds.bottom - bounds.top, nullptr, MainMenu);
  winui::TraceStartup("main window");
  formFont_ =
      CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "MS Sans Serif");
  CreateComponents();
  LayoutComponents();
  winui::TraceStartup("layout");
  winui::Application::Instance().AddTabRoot(Handle());
  winui::Guarded(
      [&] {
        FormCreate(this);
        return true;
      },
      false);
}

void TMainForm::CreateComponents() {
  CreateToolbar();
  textFont_ = CreateGlyphFont(27);
  RichEdit1.SetWrapping(false);
  RichEdit1.Create(Handle(), 0, TextTop, ClientWidth, TextHeight, IdRichEdit);
  RichEdit1.SetFont(textFont_);
  WireReadingView();
  winui::TraceStartup("text font");
  RichEdit1.SetOnKeyPress([this](Component* s, char& key) { RichEdit1KeyPress(s, key); });
  RichEdit1.SetOnKeyUp(
      [this](Component* s, WORD& key, UINT shift) { RichEdit1KeyUp(s, key, shift); });
  RichEdit1.SetOnKeyDown([this](Component* s, WORD& key, UINT shift, UINT scanCode) {
    RichEdit1KeyDown(s, key, shift, scanCode);
  });
  winui::Application::Instance().SetKeyFilter(
      [this](const MSG& msg) { return SwitchesKeyboard(msg) || TranslatesShortcut(msg); });

  paletteFont_ = CreateGlyphFont(21);
  StringGrid1.Create(Handle(), 0, PaletteTop, ClientWidth, PaletteHeight, core::PaletteColumns,
                     core::PaletteRows, core::CellWidth, core::CellHeight);
  StringGrid1.SetFont(paletteFont_);
  winui::TraceStartup("palette grid and font");
  StringGrid1.SetOnMouseDown([this](Component* s, winui::MouseButton b, UINT shift, int x, int y) {
    StringGrid1MouseDown(s, b, shift, x, y);
  });
  StringGrid1.SetOnKeyDown(
      [this](Component* s, WORD& key, UINT shift) { StringGrid1KeyDown(s, key, shift); });

  StatusBar.Create(STATUSCLASSNAMEA,
                   WS_CHILD | WS_VISIBLE | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER, 0, 0,
                   StatusTop, ClientWidth, StatusHeight, Handle(), IdStatusBar);
  StatusBar.Send(WM_SETFONT, reinterpret_cast<WPARAM>(formFont_));
  StatusBar.Send(SB_SIMPLE, TRUE);
  winui::TraceStartup("status bar");
}

void TMainForm::LayoutComponents() {
  if (!RichEdit1.Handle()) return;
  RECT client;
  GetClientRect(Handle(), &client);
  const int width = client.right, height = client.bottom;
  winui::MoveChild(SpeedBar.Handle(), 0, 0, width, ToolbarHeight);
  winui::MoveChild(StringGrid1.Handle(), 0, PaletteTop, width, PaletteHeight);
  const int statusTop = std::max(TextTop, height - StatusHeight);
  winui::MoveChild(RichEdit1.Handle(), 0, TextTop, width, statusTop - TextTop);
  ReadingView1.Place(0, TextTop, width, statusTop - TextTop);
  winui::MoveChild(StatusBar.Handle(), 0, statusTop, width, StatusHeight);
}

void TMainForm::Show() {
  // Laid out while hidden, the view's scroll bar takes its state unseen and
  // is drawn once, with the frame, not again at the first paint.
  ReadingView1.ScreenText();
  ShowWindow(Handle(), SW_SHOWNORMAL);
  winui::TraceStartup("shown");
  UpdateWindow(Handle());
  winui::TraceStartup("first paint");
  if (!RichEdit1.HasRichText())
    WarnPlainTextOnly(Handle());
  else if (!RichEdit1.StoresUnicode())
    WarnDoubleByteCodePage(Handle());
}

LRESULT TMainForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      LayoutComponents();
      if (RichEdit1.Handle()) FormResize(this);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(Handle(), &ps);
      EndPaint(Handle(), &ps);
      if (RichEdit1.Handle()) FormPaint(this);
      return 0;
    }
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        // The document is kept as itself: a new document is a new window.
        if (focus && IsChild(Handle(), focus))
          lastFocus_ = focus == RichEdit1.Handle() ? nullptr : focus;
      } else if (!activated_) {
        activated_ = true;
        FormActivate(this);
      } else {
        SetFocus(lastFocus_ && IsWindow(lastFocus_) ? lastFocus_ : RichEdit1.Handle());
      }
      return 0;
    case WM_SETFOCUS:
      SetFocus(lastFocus_ && IsWindow(lastFocus_) ? lastFocus_ : RichEdit1.Handle());
      return 0;
    case WM_COMMAND:
      OnCommand(wParam, lParam);
      return 0;
    case WM_NOTIFY:
      OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
      return 0;
    case WM_MENUSELECT:
      OnMenuSelect(wParam, lParam);
      return 0;
    case WM_CLOSE:
      if (PutOffWhileBusy(closePutOff_)) return 0;
      if (QueryClose()) DestroyWindow(Handle());
      return 0;
    case WM_CONTEXTMENU:
      if (reinterpret_cast<HWND>(wParam) != RichEdit1.Handle()) break;
      ShowTextMenu(lParam);
      return 0;
    case WM_DROPFILES:
      FilesDropped(reinterpret_cast<HDROP>(wParam));
      return 0;
    case WM_FONTCHANGE:
      if (PutOffWhileBusy(fontChangePutOff_)) return 0;
      FontsChanged();
      return 0;
    case WM_SETCURSOR:
      // A print job lets the window handle messages while it runs.
      if (!BusyIndicator::Active()) break;
      SetCursor(LoadCursor(nullptr, IDC_WAIT));
      return TRUE;
    case WM_QUERYENDSESSION:
      // The question cannot wait for the command to end: the session may
      // not end in the middle of it.
      sessionEndAgreed_ = !BusyIndicator::Active() && QueryClose();
      return sessionEndAgreed_;
    case WM_ENDSESSION:
      // What the close question saved or dropped needs no copy. A session
      // that ends without that answer (forced, or refused while busy)
      // leaves the latest text for the next start.
      if (std::exchange(sessionEndAgreed_, false) && wParam)
        DropRecoveryCopy();
      else if (wParam)
        WriteRecoveryCopy();
      return 0;
    case WM_TIMER:
      if (wParam != RecoveryTimerId) break;
      WriteRecoveryCopy();
      return 0;
    case WM_DESTROY:
      // A clean exit leaves nothing to recover.
      DropRecoveryCopy();
      PostQuitMessage(0);
      return 0;
  }
  return Window::HandleMessage(message, wParam, lParam);
}

// While a load, a save or a print job runs, the window answers what other
// programs send it (and, between printed pages, every message): closing or
// a font change then would pull the control away under the command. They
// wait until it has ended.
bool TMainForm::PutOffWhileBusy(bool& request) {
  if (!BusyIndicator::Active()) return false;
  request = true;
  return true;
}

void TMainForm::AnswerPutOffRequests() {
  if (BusyIndicator::Active()) return;
  if (std::exchange(fontChangePutOff_, false)) PostMessageA(Handle(), WM_FONTCHANGE, 0, 0);
  if (std::exchange(closePutOff_, false)) PostMessageA(Handle(), WM_CLOSE, 0, 0);
}

bool TMainForm::QueryClose() {
  bool canClose = true;
  FormCloseQuery(this, canClose);
  return canClose;
}

void TMainForm::OnCommand(WPARAM wParam, LPARAM lParam) {
  const UINT id = LOWORD(wParam), code = HIWORD(wParam);
  if (lParam == 0) {
    if (winui::MenuItem* item = FindMenuItem(id))
      item->Click();
    else
      RunButtonShortcut(id);
    return;
  }
  if (id == IdFontName && (code == CBN_SETFOCUS || code == CBN_DROPDOWN)) FillFontNamesOnce();
  if (id == IdFontName && (code == CBN_SELCHANGE || code == CBN_EDITCHANGE))
    FontNameChange(&FontName);
  if (id == IdFontSize && code == EN_CHANGE) FontSizeChange(&FontSize);
  if (id == IdRichEdit && code == EN_CHANGE) NoteChange();
}

void TMainForm::OnNotify(const NMHDR& header) {
  if (header.idFrom == IdRichEdit && header.code == EN_SELCHANGE) {
    ReadingView1.SelectionChanged();
    SelectionChange(&RichEdit1);
  }
}

void TMainForm::FormCreate(Component*) {
  auto& application = winui::Application::Instance();
  application.SetOnHint([this] { ShowHint(this); });
  OpenDialog.initialDir = core::FolderOf(ModuleFileName());
  SaveDialog.initialDir = OpenDialog.initialDir;
  SetDocumentName(texts::Untitled);
  winui::TraceStartup("hint, folders, name");
  // The font list is filled when its field is first reached (OnCommand):
  // no one can open it before, and enumerating the fonts was the largest
  // step of the start.
  SelectionChange(this);
  winui::TraceStartup("toolbar from the caret");
  FillPalette();
  winui::TraceStartup("palette filled");
}

void TMainForm::ShowHint(Component*) { ShowStatus(winui::Application::Instance().Hint()); }

void TMainForm::ShowStatus(const std::string& text) {
  StatusBar.Send(SB_SETTEXTA, 255, reinterpret_cast<LPARAM>(text.c_str()));
}

void TMainForm::SetDocumentName(const std::string& name) {
  documentName_ = name;
  const std::string caption = core::WindowCaption(name, winui::Application::Instance().Title());
  SetWindowTextA(Handle(), caption.c_str());
}

void TMainForm::FillFontNames() {
  // Names are collected first: nothing may be thrown through the callback.
  FaceNames faces;
  HDC screen = GetDC(nullptr);
  EnumFontsA(screen, nullptr, CollectFaceName, reinterpret_cast<LPARAM>(&faces));
  ReleaseDC(nullptr, screen);
  faces.shield.Rethrow();
  for (const std::string& name : faces.names) {
    const LRESULT index = FontName.Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    if (index == CB_ERR || index == CB_ERRSPACE)
      throw core::Exception(winui::LoadText(IDS_CANNOT_ADD_LINE));
  }
}

void TMainForm::FillFontNamesOnce() {
  if (!std::exchange(fontNamesFilled_, true)) FillFontNames();
}

// The glyph font may have just arrived: the palette takes a new font made
// from the fonts there are now, the text draws again, and the font list
// offers what is installed now.
void TMainForm::FontsChanged() {
  TakeInstalledGlyphFont();
  HFONT old = paletteFont_;
  paletteFont_ = CreateGlyphFont(21, true);
  StringGrid1.SetFont(paletteFont_);
  if (old) DeleteObject(old);
  InvalidateRect(RichEdit1.Handle(), nullptr, TRUE);
  ReadingView1.FontsChanged();
  if (fontNamesFilled_) {
    FontName.Send(CB_RESETCONTENT);
    FillFontNames();
  }
  // As after any selection change: showing the size must not write it back.
  SelectionChange(this);
}

void TMainForm::SetEditMargins() {
  RECT client;
  GetClientRect(RichEdit1.Handle(), &client);
  RichEdit1.SetFormatRect(RECT{6, 0, client.right - 6, client.bottom});
}

void TMainForm::FormResize(Component*) {
  SetEditMargins();
  SelectionChange(this);
}

void TMainForm::FormPaint(Component*) { SetEditMargins(); }

void TMainForm::FormActivate(Component*) { SetFocus(RichEdit1.Handle()); }

void TMainForm::FileExit(Component*) { SendMessageA(Handle(), WM_CLOSE, 0, 0); }

void TMainForm::HelpAbout(Component*) {
  auto box = std::make_unique<TAboutBox>();
  box->CreateForm();
  // From here on the box is its own: closing it releases it.
  box.release()->ShowModal();
}
