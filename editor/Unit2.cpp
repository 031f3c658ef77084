#include "Unit2.h"

#include <cstdint>
#include <string>
#include <tuple>

#include "AboutAnimation.h"
#include "Application.h"
#include "GlyphFont.h"
#include "LateBoundCalls.h"
#include "MailCommand.h"
#include "ProgramStart.h"
#include "ScrambledText.h"
#include "StringIds.h"
#include "StringResource.h"
#include "art/ArtIds.h"

TAboutBox* AboutBox = nullptr;

namespace {

constexpr char ClassName[] = "TAboutBox";
constexpr int ClientWidth = 328, ClientHeight = 291;
constexpr int GlyphPoints = 48;
constexpr char Glyph[] = "\xE5";
constexpr COLORREF White = RGB(255, 255, 255), Black = RGB(0, 0, 0);
constexpr COLORREF Memo1Colour = RGB(212, 212, 212);
constexpr char MailCommandKey[] = "mailto\\shell\\open\\command";

// The home page and the mail address are placeholders in the reserved
// .invalid domain until the product has its own. The link's caption shows
// the address as it is; the texts below are kept scrambled in the program
// and unscrambled just before use.
constexpr char HomePageAddress[] = "http://dabiro.invalid/";
constexpr core::ScrambledText HomePage(HomePageAddress);
constexpr core::ScrambledText MailAddress("mailto:dabiro@dabiro.invalid");
constexpr core::ScrambledText Credits(
    "Glyph font \"Persian\" made from Noto Naskh Arabic and Noto Serif, "
    "SIL Open Font License 1.1");

constexpr char QuickHelpCaption[] = "Quick Help.";
constexpr char QuickHelp[] =
    "This application uses the persian Font pfont95.ttf for Win95 or pfontnt.ttf for WinNT.\r\n"
    "\r\n"
    "Click at the characters to \"write\".";

// 1 tells the pulsing glyph to stop; set back to 0 when the pulsing starts.
int32_t stopFlag = 0;

void HandlePendingMessages() { winui::Application::Instance().ProcessMessages(); }

// A quit taken while the loops handle messages must end them, or the
// program could never quit while the box is open.
bool Terminating() { return winui::Application::Instance().Terminated(); }

LOGFONTA FormFont() { return winui::FontDescription("MS Sans Serif", 13, true); }

HBITMAP LoadGlyph(int id) {
  return static_cast<HBITMAP>(
      LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, 0));
}

}  // namespace

TAboutBox::TAboutBox() : Form("AboutBox") {}

TAboutBox::~TAboutBox() {
  if (AboutBox == this) AboutBox = nullptr;
  for (HGDIOBJ object : {static_cast<HGDIOBJ>(formFont_), static_cast<HGDIOBJ>(button1Font_),
                         static_cast<HGDIOBJ>(memo1Brush_)})
    if (object) DeleteObject(object);
}

void TAboutBox::CreateForm() {
  CreateDialogFrame(ClassName, "About Dabiro 1.0", ClientWidth, ClientHeight);
  const LOGFONTA formFont = FormFont();
  formFont_ = CreateFontIndirectA(&formFont);
  const LOGFONTA button1Font = winui::FontDescription("Small Fonts", 9);
  button1Font_ = CreateFontIndirectA(&button1Font);
  memo1Brush_ = CreateSolidBrush(Memo1Colour);

  Shape1.SetBounds(0, 232, 329, 57);
  Shape1.SetBrush(RGB(0, 255, 0), HS_VERTICAL);
  Panel1.Create(Handle(), 8, 8, 313, 225);
  CreatePanelComponents();
  CreateButtons();
  SetOnActivate([this](Component* sender) { FormActivate(sender); });
  SetOnClose([this](Component* sender) { FormClose(sender); });

  AboutBox = this;
  RunHandler([this](Component* sender) { FormCreate(sender); });
}

void TAboutBox::CreatePanelComponents() {
  const HWND panel = Panel1.Handle();
  for (auto [label, top, caption] : {std::tuple{&ProductName, 16, "Dabiro 1.0 for WinNT / 95"},
                                     std::tuple{&Version, 40, "Editor for Persian Language"}}) {
    label->Create(panel, 80, top, 0, 0, caption);
    label->SetFont(FormFont());
    label->SetAutoSize(true);
  }

  Label1.Create(panel, 16, 8, 0, 0, Glyph);
  LOGFONTA glyphFont = winui::FontDescription(GlyphFace, 64);
  glyphFont.lfCharSet = SYMBOL_CHARSET;
  Label1.SetFont(glyphFont);
  Label1.SetFontColor(White);
  Label1.SetAlignment(DT_CENTER);
  Label1.SetAutoSize(true);
  Label1.SetOnClick([this](Component* sender) { Label1Click(sender); });

  Label4.Create(panel, 8, 200, 305, 21, HomePageAddress);
  Label4.SetFont(winui::FontDescription("MS Sans Serif", 11, false, true));
  Label4.SetFontColor(RGB(0, 0, 255));
  Label4.SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_UPARROW)));
  Label4.SetOnClick([this](Component* sender) { Label4Click(sender); });

  Memo1.Create("EDIT", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_MULTILINE | ES_READONLY | ES_CENTER,
               WS_EX_CLIENTEDGE, 40, 112, 233, 65, panel);
  Memo1.Send(WM_SETFONT, reinterpret_cast<WPARAM>(formFont_));
  UseDialogKeys(Memo1.Handle());

  Button1.Create("BUTTON", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 128, 176, 57, 17,
                 panel);
  Button1.SetText("&Send mail");
  Button1.Send(WM_SETFONT, reinterpret_cast<WPARAM>(button1Font_));
  UseDialogKeys(Button1.Handle());
}

void TAboutBox::CreateButtons() {
  BitBtnOK.Create(Handle(), 16, 248, 65, 25, winui::LoadText(IDS_OK_BUTTON));
  BitBtnOK.SetGlyph(LoadGlyph(IDB_OKGLYPH));
  BitBtnOK.SetDefault(true);
  BitBtnOK.SetModalResult(IDOK);
  BitBtnOK.SetOnClick([this](Component* sender) { BitBtnOKClick(sender); });
  const auto mouseDown = [this](Component* sender, winui::MouseButton button, UINT keys, int x,
                                int y) { BitBtnOKMouseDown(sender, button, keys, x, y); };
  BitBtnOK.SetOnMouseDown(mouseDown);
  BitBtnOK.SetOnMouseUp(mouseDown);
  SetDefaultButton(BitBtnOK.Handle());

  BitBtn1.Create(Handle(), 248, 248, 65, 25, "&Help");
  BitBtn1.SetGlyph(LoadGlyph(IDB_HELPGLYPH));
  BitBtn1.SetOnClick([this](Component* sender) { BitBtn1Click(sender); });

  for (winui::BitBtn* button : {&BitBtnOK, &BitBtn1}) {
    SendMessageA(button->Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(formFont_), FALSE);
    UseDialogKeys(button->Handle());
  }
}

LRESULT TAboutBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      return winui::PaintWindow(Handle(), [this](HDC dc, const RECT&) { Shape1.Paint(dc); });
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
      if (reinterpret_cast<HWND>(lParam) != Memo1.Handle()) break;
      SetBkColor(reinterpret_cast<HDC>(wParam), Memo1Colour);
      SetTextColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOWTEXT));
      return reinterpret_cast<LRESULT>(memo1Brush_);
    case WM_COMMAND:
      if (reinterpret_cast<HWND>(lParam) != Button1.Handle() || HIWORD(wParam) != BN_CLICKED) break;
      Button1Click(&Button1);
      return 0;
  }
  return Form::HandleMessage(message, wParam, lParam);
}

void TAboutBox::FormCreate(Component*) {
  SetTop(-Height());
  HandlePendingMessages();
}

void TAboutBox::FormActivate(Component*) {
  SetTop(-Height());
  Label1.SetFontSize(GlyphPoints);
  if (!SlideIn()) return;
  Memo1.SetText(core::Unscramble(Credits.Stored()));
  PulseGlyph();
}

// Moves the box down from above the screen to about half way; false when
// the application is terminating.
bool TAboutBox::SlideIn() {
  for (int top : core::SlideTops(Height(), GetSystemMetrics(SM_CYSCREEN))) {
    for (int i = 0; i < 3; ++i) {
      HandlePendingMessages();
      if (Terminating()) return false;
    }
    SetTop(top);
  }
  return true;
}

// Grows and shrinks the glyph about its centre until the stop flag is set,
// sleeping 80 ms a pass.
void TAboutBox::PulseGlyph() {
  const auto stopped = [this] { return stopFlag == 1 || Terminating() || !Handle(); };
  stopFlag = 0;
  core::Pulse pulse;
  for (;;) {
    const int size = pulse.Next();
    Label1.SetFontSize(size);
    Label1.SetPosition(core::PulseCorner(size), core::PulseCorner(size));
    HandlePendingMessages();
    if (stopped()) return;
    Sleep(20);
    HandlePendingMessages();
    Sleep(20);
    if (stopped()) return;
    HandlePendingMessages();
    Sleep(20);
    if (stopped()) return;
    HandlePendingMessages();
    Sleep(20);
    HandlePendingMessages();
    if (stopped()) return;
  }
}

void TAboutBox::Label1Click(Component*) {
  Label1.SetColor(White);
  Label1.SetFontColor(Black);
}

void TAboutBox::Label4Click(Component*) {
  const std::string address = core::Unscramble(HomePage.Stored());
  winui::late::ShellExecuteA(Handle(), nullptr, address.c_str(), "", "", SW_SHOW);
}

void TAboutBox::Button1Click(Component*) {
  const std::string address = core::Unscramble(MailAddress.Stored());
  RegFile1.SetRootKey(TRootKey::hkClassesRoot);
  RegFile1.SetKey(MailCommandKey);
  const std::string command = RegFile1.ReadValue("").ToText();
  StartProgram(core::MailCommandLine(command, address), SW_SHOW);
}

void TAboutBox::BitBtn1Click(Component*) {
  MessageBoxA(Handle(), QuickHelp, QuickHelpCaption, MB_ICONINFORMATION);
}

void TAboutBox::BitBtnOKClick(Component*) { stopFlag = 1; }

void TAboutBox::BitBtnOKMouseDown(Component*, winui::MouseButton, UINT, int, int) { stopFlag = 1; }

void TAboutBox::FormClose(Component*) { Release(); }
