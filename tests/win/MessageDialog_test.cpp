#include "MessageDialog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <ostream>

#include "Application.h"
#include "ModalScript.h"
#include "TestSupport.h"

using namespace testing_support;
using winui::DialogButton;
using winui::DialogButtons;
using winui::DialogType;
using Step = ModalScript::Action;

namespace {

const DialogButtons YesNoCancel{DialogButton::Yes, DialogButton::No, DialogButton::Cancel};
const DialogButtons EveryButton{DialogButton::Yes,    DialogButton::No,    DialogButton::OK,
                                DialogButton::Cancel, DialogButton::Abort, DialogButton::Retry,
                                DialogButton::Ignore, DialogButton::All,   DialogButton::Help};

std::array<long, 4> Edges(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

// What the open dialog shows, read from its real windows.
struct DialogView {
  HWND dialog = nullptr;
  std::string caption;
  RECT window{};
  SIZE client{};
  HWND owner = nullptr;
  LOGFONTA logFont{};
  std::shared_ptr<HFONT__> fontCopy;  // the dialog's own font is gone once it closes
  HFONT font = nullptr;
  HWND image = nullptr;
  HICON icon = nullptr;
  RECT imageRect{};
  HWND message = nullptr;
  std::string messageText;
  RECT messageRect{};
  std::vector<RECT> buttonRects;  // left to right
  std::vector<std::string> captions;
  std::string focused;
  std::string defaultButton;
};

DialogView Inspect(HWND dialog) {
  DialogView view;
  view.dialog = dialog;
  view.caption = WindowText(dialog);
  GetWindowRect(dialog, &view.window);
  RECT client;
  GetClientRect(dialog, &client);
  view.client = {client.right, client.bottom};
  view.owner = GetWindow(dialog, GW_OWNER);
  for (HWND item : ChildrenOfClass(dialog, "Static")) {
    if ((GetWindowLongA(item, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
      view.image = item;
      view.icon = reinterpret_cast<HICON>(SendMessageA(item, STM_GETICON, 0, 0));
      view.imageRect = RectInParent(item);
    } else {
      view.message = item;
      view.messageText = WindowText(item);
      view.messageRect = RectInParent(item);
      GetObjectA(reinterpret_cast<HFONT>(SendMessageA(item, WM_GETFONT, 0, 0)), sizeof view.logFont,
                 &view.logFont);
      view.fontCopy.reset(CreateFontIndirectA(&view.logFont), DeleteObject);
      view.font = view.fontCopy.get();
    }
  }
  std::vector<HWND> buttons = ChildrenOfClass(dialog, "Button");
  std::sort(buttons.begin(), buttons.end(),
            [](HWND a, HWND b) { return RectInParent(a).left < RectInParent(b).left; });
  for (HWND button : buttons) {
    view.buttonRects.push_back(RectInParent(button));
    view.captions.push_back(WindowText(button));
    if (SendMessageA(button, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON)
      view.defaultButton = WindowText(button);
  }
  view.focused = WindowText(GetFocus());
  return view;
}

// The dialog units, measured independently with the dialog's own font.
struct Units {
  int marginX, marginY, iconGap, textGap, buttonWidth, buttonHeight, buttonGap, lineHeight;
};

template <typename Measure>
auto WithFont(HFONT font, Measure measure) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  auto result = measure(dc);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return result;
}

int TextWidth(HFONT font, const std::string& text) {
  return WithFont(font, [&](HDC dc) {
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return static_cast<int>(size.cx);
  });
}

Units UnitsOf(HFONT font) {
  return WithFont(font, [](HDC dc) {
    SIZE size{};
    GetTextExtentPoint32A(dc, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &size);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    const int x = size.cx / 52, y = size.cy;
    return Units{MulDiv(8, x, 4),  MulDiv(8, y, 8),  MulDiv(10, x, 4), MulDiv(10, y, 8),
                 MulDiv(50, x, 4), MulDiv(14, y, 8), MulDiv(4, x, 4),  metrics.tmHeight};
  });
}

struct Outcome {
  int result = -1;
  DialogView view;
};

Step Keys(std::vector<BYTE> keys) {
  return [keys](HWND) { QueueKeys(keys); };
}
Step ClickOn(std::string caption) {
  return [caption](HWND dialog) {
    HWND button = ChildWithText(dialog, caption);
    ASSERT_NE(button, nullptr) << caption;
    ClickControl(button);
  };
}
Step SysCommand(WPARAM command) {
  return [command](HWND dialog) { PostMessageA(dialog, WM_SYSCOMMAND, command, 0); };
}
Step ClickCloseBox() {
  return [](HWND dialog) {
    POINT point;
    ASSERT_TRUE(CloseBoxPoint(dialog, point));
    QueueClickAtScreen(point);
  };
}

// Shows the dialog; the first step reads what it shows, the rest are the
// user's input (by default the close box).
Outcome Show(const std::string& text, DialogType type, const DialogButtons& buttons,
             std::vector<Step> input = {SysCommand(SC_CLOSE)}, int helpContext = 0) {
  Outcome outcome;
  ModalScript script;
  script.On(OpenDialog, [&outcome](HWND dialog) { outcome.view = Inspect(dialog); });
  for (const Step& step : input) script.On(OpenDialog, step);
  script.Run([&] { outcome.result = winui::MessageDialog(text, type, buttons, helpContext); });
  EXPECT_EQ(script.StepsRun(), 1 + input.size()) << "the dialog closed too early";
  EXPECT_FALSE(script.TimedOut()) << "the dialog did not close";
  EXPECT_EQ(OpenDialog(), nullptr);
  return outcome;
}

class MessageDialogTest : public testing::Test {
 protected:
  void TearDown() override { Pump(20); }
};

// --- Layout ---

struct LayoutCase {
  const char* name;
  std::string text;
  DialogType type;
  DialogButtons buttons;
};

void PrintTo(const LayoutCase& c, std::ostream* os) { *os << c.name; }

class MessageDialogLayout : public MessageDialogTest,
                            public testing::WithParamInterface<LayoutCase> {};

std::string LongText() {
  std::string text;
  for (int i = 0; i < 60; ++i) text += "Wort" + std::to_string(i * 7) + (i % 5 ? " " : "lang ");
  return text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MessageDialogLayout,
    testing::Values(LayoutCase{"ShortText", "Save changes to Untitled?", DialogType::Confirmation,
                               YesNoCancel},
                    LayoutCase{"EmptyText", "", DialogType::Confirmation, YesNoCancel},
                    LayoutCase{"LongText", LongText(), DialogType::Warning, {DialogButton::OK}},
                    LayoutCase{"WideButtonRow", "x", DialogType::Custom, EveryButton},
                    LayoutCase{"NoButtons", "Nur Text", DialogType::Information, {}}),
    [](const testing::TestParamInfo<LayoutCase>& info) { return std::string(info.param.name); });

TEST_P(MessageDialogLayout, FollowsTheDialogUnitsAndIsCentred) {
  const DialogView v = Show(GetParam().text, GetParam().type, GetParam().buttons).view;
  EXPECT_STREQ(v.logFont.lfFaceName, "MS Sans Serif");
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(v.logFont.lfHeight, -MulDiv(8, GetDeviceCaps(screen, LOGPIXELSY), 72));
  ReleaseDC(nullptr, screen);

  const Units u = UnitsOf(v.font);
  const int iconPart = v.image ? 32 + u.iconGap : 0;
  const int blockWidth = iconPart + Width(v.messageRect);
  const int blockHeight = v.image ? std::max(Height(v.messageRect), 32) : Height(v.messageRect);
  const int count = static_cast<int>(v.buttonRects.size());
  const int rowWidth = count ? count * u.buttonWidth + (count - 1) * u.buttonGap : 0;

  if (v.image) {
    EXPECT_EQ(Edges(v.imageRect), Edges({u.marginX, u.marginY, u.marginX + 32, u.marginY + 32}));
  }
  EXPECT_EQ(v.messageRect.left, u.marginX + iconPart);
  EXPECT_EQ(v.messageRect.top, u.marginY);
  EXPECT_LE(Width(v.messageRect), GetSystemMetrics(SM_CXSCREEN) / 2);
  EXPECT_EQ(v.client.cx, std::max(blockWidth, rowWidth) + 2 * u.marginX);
  EXPECT_EQ(v.client.cy, blockHeight + u.buttonHeight + u.textGap + 2 * u.marginY);
  const int top = u.marginY + blockHeight + u.textGap;
  int left = (v.client.cx - rowWidth) / 2;
  for (const RECT& button : v.buttonRects) {
    EXPECT_EQ(Edges(button), Edges({left, top, left + u.buttonWidth, top + u.buttonHeight}));
    left += u.buttonWidth + u.buttonGap;
  }
  EXPECT_EQ(v.window.left, GetSystemMetrics(SM_CXSCREEN) / 2 - Width(v.window) / 2);
  EXPECT_EQ(v.window.top, GetSystemMetrics(SM_CYSCREEN) / 2 - Height(v.window) / 2);
}

// The layout is only what Windows shows if the face is really there: a
// stand-in would pass the unit checks with other units.
TEST_F(MessageDialogTest, TheDialogFontIsTheRealFaceAtItsWindowsUnits) {
  const DialogView v = Show("Text", DialogType::Information, {DialogButton::OK}).view;
  char face[LF_FACESIZE] = {};
  WithFont(v.font, [&](HDC dc) { return GetTextFaceA(dc, LF_FACESIZE, face); });
  EXPECT_STREQ(face, "MS Sans Serif");
  HDC screen = GetDC(nullptr);
  const bool standardDpi = GetDeviceCaps(screen, LOGPIXELSY) == 96;
  ReleaseDC(nullptr, screen);
  if (standardDpi) {
    const Units u = UnitsOf(v.font);
    EXPECT_EQ(u.lineHeight, 13);
    EXPECT_EQ(u.buttonWidth, 75);  // 50 dialog units of 6 pixels
  }
}

TEST_F(MessageDialogTest, ShortTextIsOneLineOfItsOwnWidth) {
  const std::string text = "Save changes to Untitled?";
  const DialogView v = Show(text, DialogType::Confirmation, YesNoCancel).view;
  EXPECT_EQ(v.messageText, text);
  EXPECT_EQ(Width(v.messageRect), TextWidth(v.font, text));
  EXPECT_EQ(Height(v.messageRect), UnitsOf(v.font).lineHeight);
}

// Word wrap at the half-screen limit: as many lines as filling whole words
// greedily gives.
TEST_F(MessageDialogTest, LongTextWrapsAtWordsAtHalfTheScreenWidth) {
  const std::string text = LongText();
  const DialogView v = Show(text, DialogType::Warning, {DialogButton::OK}).view;
  const Units u = UnitsOf(v.font);
  const int limit = GetSystemMetrics(SM_CXSCREEN) / 2;
  int lines = 1;
  std::string line;
  for (size_t start = 0, end; start < text.size(); start = end + 1) {
    end = std::min(text.find(' ', start), text.size());
    const std::string word = text.substr(start, end - start);
    if (word.empty()) continue;
    const std::string longer = line.empty() ? word : line + " " + word;
    if (TextWidth(v.font, longer) > limit) {
      ++lines;
      line = word;
    } else {
      line = longer;
    }
  }
  ASSERT_GE(lines, 3);
  EXPECT_EQ(Height(v.messageRect), lines * u.lineHeight);
  EXPECT_GT(Width(v.messageRect), limit - TextWidth(v.font, " Wort413lang"));
  EXPECT_LE(Width(v.messageRect), limit);
}

TEST_F(MessageDialogTest, ButtonsStandInTableOrderAndAWideRowStartsAtTheMargin) {
  const DialogView v = Show("x", DialogType::Custom, EveryButton).view;
  EXPECT_EQ(v.captions,
            (std::vector<std::string>{"&Ja", "&Nein", "OK", "Abbrechen", "&Abbrechen",
                                      "&Wiederholen", "&Ignorieren", "&Alles", "&Hilfe"}));
  EXPECT_EQ(v.buttonRects.at(0).left, UnitsOf(v.font).marginX);
}

// --- Caption and icon by type ---

struct TypeCase {
  const char* name;
  DialogType type;
  const char* caption;
  LPCSTR icon;
};

void PrintTo(const TypeCase& c, std::ostream* os) { *os << c.name; }

class MessageDialogType : public MessageDialogTest, public testing::WithParamInterface<TypeCase> {};

INSTANTIATE_TEST_SUITE_P(
    Types, MessageDialogType,
    testing::Values(TypeCase{"Warning", DialogType::Warning, "Warnung", IDI_EXCLAMATION},
                    TypeCase{"Error", DialogType::Error, "Fehler", IDI_HAND},
                    TypeCase{"Information", DialogType::Information, "Information", IDI_ASTERISK},
                    TypeCase{"Confirmation", DialogType::Confirmation, "Best\xE4tigen",
                             IDI_QUESTION},
                    TypeCase{"Custom", DialogType::Custom, "Dabiro", nullptr}),
    [](const testing::TestParamInfo<TypeCase>& info) { return std::string(info.param.name); });

TEST_P(MessageDialogType, ShowsItsCaptionAndStockIcon) {
  const DialogView v = Show("Text", GetParam().type, {DialogButton::OK}).view;
  EXPECT_EQ(v.caption, GetParam().caption);
  if (GetParam().icon) {
    ASSERT_NE(v.image, nullptr);
    EXPECT_EQ(v.icon, LoadIconA(nullptr, GetParam().icon));
  } else {
    EXPECT_EQ(v.image, nullptr);
  }
}

TEST_F(MessageDialogTest, CustomCaptionIsTheApplicationTitleReadBack) {
  winui::Application::Instance().SetTitle("Anderer Titel");
  const DialogView v = Show("Text", DialogType::Custom, {DialogButton::OK}).view;
  winui::Application::Instance().SetTitle("Dabiro");
  EXPECT_EQ(v.caption, "Anderer Titel");
}

// --- The editor's question ---

TEST_F(MessageDialogTest, EditorQuestionShowsGermanButtonsWithTheFocusOnYes) {
  const Outcome o = Show("Save changes to Untitled?", DialogType::Confirmation, YesNoCancel);
  EXPECT_EQ(o.view.caption, "Best\xE4tigen");
  EXPECT_EQ(o.view.icon, LoadIconA(nullptr, IDI_QUESTION));
  EXPECT_EQ(o.view.captions, (std::vector<std::string>{"&Ja", "&Nein", "Abbrechen"}));
  EXPECT_EQ(o.view.focused, "&Ja");
  EXPECT_EQ(o.view.defaultButton, "&Ja");
  EXPECT_EQ(o.view.owner, winui::Application::Instance().Handle());
  EXPECT_EQ(o.result, IDCANCEL);
}

// --- Results from real input ---

struct InputCase {
  const char* name;
  DialogButtons buttons;
  std::vector<Step> input;
  int result;
  const char* focusedAtOpen;
};

void PrintTo(const InputCase& c, std::ostream* os) { *os << c.name; }

class MessageDialogInput : public MessageDialogTest,
                           public testing::WithParamInterface<InputCase> {};

const DialogButtons AbortRetryIgnore{DialogButton::Abort, DialogButton::Retry,
                                     DialogButton::Ignore};

INSTANTIATE_TEST_SUITE_P(
    Keys, MessageDialogInput,
    testing::Values(
        InputCase{"EnterChoosesYes", YesNoCancel, {Keys({VK_RETURN})}, IDYES, "&Ja"},
        InputCase{"EscapeCancels", YesNoCancel, {Keys({VK_ESCAPE})}, IDCANCEL, "&Ja"},
        InputCase{"EscapeCancelsWhereverTheFocusIs",
                  YesNoCancel,
                  {Keys({VK_TAB}), Keys({VK_ESCAPE})},
                  IDCANCEL,
                  "&Ja"},
        InputCase{"ClickOnNo", YesNoCancel, {ClickOn("&Nein")}, IDNO, "&Ja"},
        InputCase{"ClickOnCancel", YesNoCancel, {ClickOn("Abbrechen")}, IDCANCEL, "&Ja"},
        InputCase{"CloseCommand", YesNoCancel, {SysCommand(SC_CLOSE)}, IDCANCEL, "&Ja"},
        InputCase{"CloseBoxClick", YesNoCancel, {ClickCloseBox()}, IDCANCEL, "&Ja"},
        InputCase{"AltF4", YesNoCancel, {Keys({VK_MENU, VK_F4})}, IDCANCEL, "&Ja"},
        InputCase{"AcceleratorOfNo", YesNoCancel, {Keys({VK_MENU, 'N'})}, IDNO, "&Ja"},
        InputCase{"NoIsTheCancelButtonWithoutCancel",
                  {DialogButton::Yes, DialogButton::No},
                  {Keys({VK_ESCAPE})},
                  IDNO,
                  "&Ja"},
        InputCase{"CloseBoxGivesTwoEvenWhenNoCancels",
                  {DialogButton::Yes, DialogButton::No},
                  {ClickCloseBox()},
                  IDCANCEL,
                  "&Ja"},
        InputCase{"OkIsDefaultBeforeYes",
                  {DialogButton::Yes, DialogButton::No, DialogButton::OK},
                  {Keys({VK_RETURN})},
                  IDOK,
                  "OK"},
        InputCase{"OkAloneAlsoCancels", {DialogButton::OK}, {Keys({VK_ESCAPE})}, IDOK, "OK"},
        InputCase{"RetryIsTheLastDefault",
                  AbortRetryIgnore,
                  {Keys({VK_RETURN})},
                  IDRETRY,
                  "&Wiederholen"},
        InputCase{"EscapeDoesNothingWithoutACancelButton",
                  AbortRetryIgnore,
                  {Keys({VK_ESCAPE}), SysCommand(SC_CLOSE)},
                  IDCANCEL,
                  "&Wiederholen"},
        InputCase{"ClickOnAll",
                  {DialogButton::All, DialogButton::Cancel},
                  {ClickOn("&Alles")},
                  8,
                  "Abbrechen"}),
    [](const testing::TestParamInfo<InputCase>& info) { return std::string(info.param.name); });

TEST_P(MessageDialogInput, GivesTheChosenResult) {
  const Outcome o = Show("Frage?", DialogType::Confirmation, GetParam().buttons, GetParam().input);
  EXPECT_EQ(o.result, GetParam().result);
  EXPECT_EQ(o.view.focused, GetParam().focusedAtOpen);
}

// --- Modality ---

TEST_F(MessageDialogTest, DisablesTheOtherWindowsAndReactivatesThePreviousOne) {
  HWND other = CreateWindowExA(0, "STATIC", "Hauptfenster", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10,
                               10, 200, 100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  SetForegroundWindow(other);
  ASSERT_TRUE(WaitUntil([&] { return GetActiveWindow() == other; }));
  bool otherEnabled = true, dialogActive = false;
  HWND dialog = nullptr;
  Show("Frage?", DialogType::Confirmation, YesNoCancel, {[&](HWND d) {
         dialog = d;
         otherEnabled = IsWindowEnabled(other);
         dialogActive = GetActiveWindow() == d;
         QueueKeys({VK_RETURN});
       }});
  EXPECT_FALSE(otherEnabled);
  EXPECT_TRUE(dialogActive);
  EXPECT_TRUE(IsWindowEnabled(other));
  EXPECT_EQ(GetActiveWindow(), other);
  EXPECT_FALSE(IsWindow(dialog));
  DestroyWindow(other);
}

// A quit message taken by the dialog's loop ends the dialog with 2 and is
// handed on, so the program's own loop ends as well.
TEST_F(MessageDialogTest, QuitMessageGivesTwoAndIsHandedOn) {
  const Outcome o =
      Show("Frage?", DialogType::Confirmation, YesNoCancel, {[](HWND) { PostQuitMessage(3); }});
  EXPECT_EQ(o.result, IDCANCEL);
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 3u);
}

// --- Help ---

// Records the help requests that reach the dialog.
std::vector<DWORD_PTR> helpContexts;
LONG_PTR dialogProc = 0;
LRESULT CALLBACK RecordHelp(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_HELP) helpContexts.push_back(reinterpret_cast<HELPINFO*>(lParam)->dwContextId);
  return CallWindowProcA(reinterpret_cast<WNDPROC>(dialogProc), hwnd, message, wParam, lParam);
}

TEST_F(MessageDialogTest, HelpAsksForHelpWithTheContextAndStaysOpen) {
  helpContexts.clear();
  DWORD storedContext = 0;
  const Outcome o = Show("Frage?", DialogType::Information, {DialogButton::OK, DialogButton::Help},
                         {[&](HWND d) {
                            storedContext = GetWindowContextHelpId(d);
                            dialogProc = SetWindowLongPtrA(d, GWLP_WNDPROC,
                                                           reinterpret_cast<LONG_PTR>(RecordHelp));
                            ClickControl(ChildWithText(d, "&Hilfe"));
                          },
                          [](HWND d) {
                            SetWindowLongPtrA(d, GWLP_WNDPROC, dialogProc);
                            QueueKeys({VK_ESCAPE});
                          }},
                         77);
  EXPECT_EQ(storedContext, 77u);
  EXPECT_EQ(helpContexts, (std::vector<DWORD_PTR>{77}));
  EXPECT_EQ(o.result, IDOK);
}

// --- Ampersands are shown literally ---

// The message's pixels as drawn on the screen.
std::vector<COLORREF> Capture(HWND window, int width, int height, HDC source = nullptr) {
  HDC from = source ? source : GetDC(window);
  HDC memory = CreateCompatibleDC(from);
  HBITMAP bitmap = CreateCompatibleBitmap(from, width, height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, from, 0, 0, SRCCOPY);
  std::vector<COLORREF> pixels;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) pixels.push_back(GetPixel(memory, x, y));
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  if (!source) ReleaseDC(window, from);
  return pixels;
}

// The text as the system draws it in the dialog's colours and font.
std::vector<COLORREF> Render(HFONT font, const std::string& text, int width, int height,
                             UINT format) {
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
  HGDIOBJ oldFont = SelectObject(memory, font);
  RECT area{0, 0, width, height};
  FillRect(memory, &area, GetSysColorBrush(COLOR_BTNFACE));
  SetBkMode(memory, TRANSPARENT);
  SetTextColor(memory, GetSysColor(COLOR_BTNTEXT));
  DrawTextA(memory, text.c_str(), -1, &area, DT_WORDBREAK | DT_EDITCONTROL | format);
  std::vector<COLORREF> pixels = Capture(nullptr, width, height, memory);
  SelectObject(memory, oldFont);
  SelectObject(memory, oldBitmap);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return pixels;
}

// A path with no space to wrap at is broken where the line ends: the box
// stays as wide as any long text makes it, and on the screen.
TEST_F(MessageDialogTest, ALongPathWithoutSpacesIsBrokenAndTheBoxStaysOnTheScreen) {
  std::string path = "C:";
  while (path.size() < 400) path += "\\folder" + std::to_string(path.size());
  const DialogView v =
      Show("Save changes to " + path + "?", DialogType::Confirmation, YesNoCancel).view;
  EXPECT_LE(Width(v.messageRect), GetSystemMetrics(SM_CXSCREEN) / 2);
  EXPECT_GE(v.window.left, 0);
  EXPECT_LE(v.window.right, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_GE(Height(v.messageRect), 3 * UnitsOf(v.font).lineHeight);
}

TEST_F(MessageDialogTest, AmpersandsInFileNamesAreMeasuredAndDrawnLiterally) {
  const std::string text = "Save changes to C:\\A&B && C.rtf?";
  std::vector<COLORREF> drawn;
  const DialogView v = Show(text, DialogType::Confirmation, YesNoCancel, {[&](HWND d) {
                              HWND message = ChildWithText(d, text);
                              RECT rc;
                              GetClientRect(message, &rc);
                              drawn = Capture(message, rc.right, rc.bottom);
                              QueueKeys({VK_ESCAPE});
                            }})
                           .view;
  EXPECT_EQ(v.messageText, text);
  EXPECT_EQ(Width(v.messageRect), TextWidth(v.font, text));
  const int width = Width(v.messageRect), height = Height(v.messageRect);
  const auto literal = Render(v.font, text, width, height, DT_NOPREFIX);
  ASSERT_NE(literal, Render(v.font, text, width, height, 0)) << "the check must tell them apart";
  EXPECT_TRUE(drawn == literal) << "the message is not drawn literally";
}

}  // namespace
