// Formatting through the real rich edit control: what the toolbar shows and
// exactly which format messages reach the control.
#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>
#include <richedit.h>

#include <climits>
#include <cstring>
#include <functional>
#include <map>
#include <vector>

#include "FlagScope.h"
#include "MainFormFixture.h"

using namespace testing_support;

namespace {

// What the editor must send: all zero but the size and the mask.
template <typename Format>
Format Zeroed(DWORD mask) {
  Format format;
  std::memset(&format, 0, sizeof format);
  format.cbSize = sizeof format;
  format.dwMask = mask;
  return format;
}

CHARFORMATA CharFormat(DWORD mask) { return Zeroed<CHARFORMATA>(mask); }
PARAFORMAT ParaFormat(DWORD mask) { return Zeroed<PARAFORMAT>(mask); }

template <typename T>
std::vector<BYTE> Bytes(const T& format) {
  const BYTE* bytes = reinterpret_cast<const BYTE*>(&format);
  return {bytes, bytes + sizeof format};
}

bool IsFormatMessage(UINT message) {
  return message == EM_GETCHARFORMAT || message == EM_SETCHARFORMAT ||
         message == EM_GETPARAFORMAT || message == EM_SETPARAFORMAT;
}

// One format message as it reached the control: its structure's bytes as
// sent, before the control filled anything in.
struct Sent {
  UINT message;
  WPARAM scope;
  std::vector<BYTE> bytes;
};

// Records the format messages the control receives, by subclassing it.
class FormatLog {
 public:
  explicit FormatLog(HWND control) : control_(control) {
    SetWindowSubclass(control_, Record, 77, reinterpret_cast<DWORD_PTR>(this));
  }
  ~FormatLog() { RemoveWindowSubclass(control_, Record, 77); }

  std::vector<Sent> Of(UINT message) const {
    std::vector<Sent> result;
    for (const Sent& sent : all)
      if (sent.message == message) result.push_back(sent);
    return result;
  }

  std::vector<Sent> all;
  std::function<void()> onRead;  // runs inside the first character format read

 private:
  static LRESULT CALLBACK Record(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                 DWORD_PTR data) {
    auto* self = reinterpret_cast<FormatLog*>(data);
    if (IsFormatMessage(message)) {
      const BYTE* bytes = reinterpret_cast<const BYTE*>(lParam);
      const size_t size = message == EM_GETCHARFORMAT || message == EM_SETCHARFORMAT
                              ? sizeof(CHARFORMATA)
                              : sizeof(PARAFORMAT);
      self->all.push_back({message, wParam, {bytes, bytes + size}});
      if (message == EM_GETCHARFORMAT && self->onRead) std::exchange(self->onRead, nullptr)();
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
  }
  HWND control_;
};

// A modal dialog of this thread, read and answered with a key from a timer
// while its own message loop runs.
struct DialogSeen {
  std::string caption;
  std::map<int, std::string> texts;
};

struct DialogAnswer {
  BYTE key;
  std::vector<int> ids;
  std::function<void()> onShown;
  DialogSeen seen;
} answer;

void CALLBACK AnswerDialog(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND dialog = FindThreadWindow("#32770", nullptr);
  if (!dialog) return;
  KillTimer(nullptr, timer);
  answer.seen.caption = WindowText(dialog);
  for (int id : answer.ids) answer.seen.texts[id] = WindowText(GetDlgItem(dialog, id));
  if (answer.onShown) answer.onShown();
  PressKey(answer.key);
  ReleaseKey(answer.key);
}

DialogSeen WhileAnswering(BYTE key, std::vector<int> ids, const std::function<void()>& action,
                          std::function<void()> onShown = nullptr) {
  answer = {key, std::move(ids), std::move(onShown), {}};
  const UINT_PTR timer = SetTimer(nullptr, 0, 200, AnswerDialog);
  action();
  KillTimer(nullptr, timer);
  Pump(50);
  return answer.seen;
}

constexpr int MessageText = 0xFFFF;  // the message box's text control

}  // namespace

class FormattingTest : public MainFormTest {
 protected:
  void SetUp() override {
    MainFormTest::SetUp();
    SendMessageA(Text(), EM_REPLACESEL, 0, reinterpret_cast<LPARAM>("abcdef"));
    Pump(20);
  }

  void Select(int start, int end) {
    SendMessageA(Text(), EM_SETSEL, start, end);
    Pump(20);
  }
  void SetCharFormat(int start, int end, const CHARFORMATA& format) {
    Select(start, end);
    SendMessageA(Text(), EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
  }
  CHARFORMATA ReadCharFormat(WPARAM scope) {
    CHARFORMATA format = CharFormat(0);
    SendMessageA(Text(), EM_GETCHARFORMAT, scope, reinterpret_cast<LPARAM>(&format));
    return format;
  }
  PARAFORMAT ReadParaFormat() {
    PARAFORMAT format = ParaFormat(0);
    SendMessageA(Text(), EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&format));
    return format;
  }
  void SetFontSizeText(const char* text) {
    SetWindowTextA(form->FontSize.Handle(), text);
    Pump(20);
  }
};

TEST_F(FormattingTest, SelectionChangeShowsTheSelectionInSevenReadsAndWritesNothing) {
  CHARFORMATA format = CharFormat(CFM_BOLD | CFM_UNDERLINE | CFM_SIZE | CFM_FACE);
  format.dwEffects = CFE_BOLD | CFE_UNDERLINE;
  format.yHeight = 28 * 20;
  lstrcpyA(format.szFaceName, "Tahoma");
  SetCharFormat(1, 3, format);
  PARAFORMAT paragraph = ParaFormat(PFM_NUMBERING | PFM_ALIGNMENT);
  paragraph.wNumbering = PFN_BULLET;
  paragraph.wAlignment = PFA_CENTER;
  SendMessageA(Text(), EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&paragraph));

  FormatLog log(Text());
  form->SelectionChange(form.get());
  const std::vector<UINT> expected{EM_GETCHARFORMAT, EM_GETCHARFORMAT, EM_GETCHARFORMAT,
                                   EM_GETPARAFORMAT, EM_GETCHARFORMAT, EM_GETCHARFORMAT,
                                   EM_GETPARAFORMAT};
  ASSERT_EQ(log.all.size(), expected.size()) << "the nested FontSizeChange must write nothing";
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(log.all[i].message, expected[i]) << i;
    const bool isChar = expected[i] == EM_GETCHARFORMAT;
    EXPECT_EQ(log.all[i].scope, isChar ? SCF_SELECTION : 0u) << i;
    EXPECT_EQ(log.all[i].bytes, isChar ? Bytes(CharFormat(0)) : Bytes(ParaFormat(0))) << i;
  }
  EXPECT_TRUE(form->BoldButton.Down());
  EXPECT_FALSE(form->ItalicButton.Down());
  EXPECT_TRUE(form->UnderlineButton.Down());
  EXPECT_TRUE(form->BulletsButton.Down());
  EXPECT_EQ(form->FontSize.Text(), "28");
  EXPECT_EQ(form->FontName.Text(), "Tahoma");
  EXPECT_TRUE(form->CenterAlign.Down());
  EXPECT_FALSE(form->RightAlign.Down());
  EXPECT_FALSE(form->Updating());
}

struct StyleCase {
  winui::SpeedButton TMainForm::*button;
  DWORD bit;
};

class StyleButtonTest : public FormattingTest, public testing::WithParamInterface<StyleCase> {};

// One read and one write of all four styles per click, to the selection.
TEST_P(StyleButtonTest, ClickTogglesItsBitAndKeepsTheOthers) {
  CHARFORMATA start = CharFormat(CFM_STRIKEOUT);
  start.dwEffects = CFE_STRIKEOUT;
  SetCharFormat(0, 6, start);
  const winui::SpeedButton& button = form.get()->*GetParam().button;
  for (DWORD expectedEffects : {CFE_STRIKEOUT | GetParam().bit, DWORD{CFE_STRIKEOUT}}) {
    FormatLog log(Text());
    Click(button);
    ASSERT_EQ(log.all.size(), 2u);
    EXPECT_EQ(log.all[0].message, static_cast<UINT>(EM_GETCHARFORMAT));
    CHARFORMATA written = CharFormat(0xF);
    written.dwEffects = expectedEffects;
    EXPECT_EQ(log.all[1].message, static_cast<UINT>(EM_SETCHARFORMAT));
    EXPECT_EQ(log.all[1].scope, static_cast<WPARAM>(SCF_SELECTION));
    EXPECT_EQ(log.all[1].bytes, Bytes(written));
  }
  EXPECT_EQ(GetFocus(), Text());
}

INSTANTIATE_TEST_SUITE_P(Buttons, StyleButtonTest,
                         testing::Values(StyleCase{&TMainForm::BoldButton, CFE_BOLD},
                                         StyleCase{&TMainForm::ItalicButton, CFE_ITALIC},
                                         StyleCase{&TMainForm::UnderlineButton, CFE_UNDERLINE}));

TEST_F(FormattingTest, BoldOnAMixedSelectionMakesTheStylesUniform) {
  CHARFORMATA italic = CharFormat(CFM_ITALIC), underline = CharFormat(CFM_UNDERLINE);
  italic.dwEffects = CFE_ITALIC;
  underline.dwEffects = CFE_UNDERLINE;
  SetCharFormat(0, 2, italic);
  SetCharFormat(2, 4, underline);
  Select(0, 6);
  Click(form->BoldButton);
  const DWORD first = [&] {
    Select(0, 1);
    return ReadCharFormat(SCF_SELECTION).dwEffects & 0xF;
  }();
  EXPECT_TRUE(first & CFE_BOLD);
  for (int i = 1; i < 6; ++i) {
    Select(i, i + 1);
    EXPECT_EQ(ReadCharFormat(SCF_SELECTION).dwEffects & 0xF, first) << "character " << i;
  }
}

// With nothing selected each command writes the default format; the
// toolbar goes on showing the format at the caret.
struct DefaultCase {
  const char* name;
  std::function<void(TMainForm&)> command;
};

class DefaultFormatTest : public FormattingTest, public testing::WithParamInterface<DefaultCase> {};

TEST_P(DefaultFormatTest, EmptySelectionWritesTheDefaultFormat) {
  Select(3, 3);
  const CHARFORMATA caretBefore = ReadCharFormat(SCF_SELECTION);
  const CHARFORMATA defaultBefore = ReadCharFormat(0);
  {
    FormatLog log(Text());
    GetParam().command(*form);
    const auto writes = log.Of(EM_SETCHARFORMAT);
    ASSERT_FALSE(writes.empty());
    for (const Sent& write : writes) EXPECT_EQ(write.scope, 0u);
  }
  EXPECT_NE(Bytes(ReadCharFormat(0)), Bytes(defaultBefore));
  EXPECT_EQ(Bytes(ReadCharFormat(SCF_SELECTION)), Bytes(caretBefore));
  TapKey(VK_LEFT);
  EXPECT_FALSE(form->BoldButton.Down());
  EXPECT_FALSE(form->ItalicButton.Down());
  EXPECT_EQ(form->FontSize.Text(), "20");
  EXPECT_EQ(form->FontName.Text(), "Persian");
}

INSTANTIATE_TEST_SUITE_P(
    Commands, DefaultFormatTest,
    testing::Values(DefaultCase{"Bold", [](TMainForm& f) { Click(f.BoldButton); }},
                    DefaultCase{"Italic", [](TMainForm& f) { Click(f.ItalicButton); }},
                    DefaultCase{"Underline", [](TMainForm& f) { Click(f.UnderlineButton); }},
                    DefaultCase{"Size",
                                [](TMainForm& f) { SetWindowTextA(f.FontSize.Handle(), "14"); }},
                    DefaultCase{"Face",
                                [](TMainForm& f) {
                                  f.FontName.Send(CB_SETCURSEL, 0);
                                  f.FontNameChange(&f.FontName);
                                }},
                    DefaultCase{"FontDialog",
                                [](TMainForm& f) {
                                  f.FontDialog1.colour = RGB(255, 0, 0);
                                  WhileAnswering(VK_RETURN, {}, [&] { f.SelectFont(&f); });
                                }}),
    [](const auto& info) { return std::string(info.param.name); });

struct SizeCase {
  const char* text;
  LONG twips;
};

class FontSizeTextTest : public FormattingTest, public testing::WithParamInterface<SizeCase> {};

TEST_P(FontSizeTextTest, WritesTheSizeInTwips) {
  Select(0, 2);
  FormatLog log(Text());
  SetFontSizeText(GetParam().text);
  CHARFORMATA written = CharFormat(CFM_SIZE);
  written.yHeight = GetParam().twips;
  ASSERT_EQ(log.Of(EM_SETCHARFORMAT).size(), 1u);
  EXPECT_EQ(log.Of(EM_SETCHARFORMAT)[0].bytes, Bytes(written));
  EXPECT_EQ(log.Of(EM_SETCHARFORMAT)[0].scope, static_cast<WPARAM>(SCF_SELECTION));
}

// Sizes whose twips leave the 32-bit range are held at its edges.
INSTANTIATE_TEST_SUITE_P(Texts, FontSizeTextTest,
                         testing::Values(SizeCase{"  12", 240}, SizeCase{"+12", 240},
                                         SizeCase{"$10", 320}, SizeCase{"0", 0},
                                         SizeCase{"-3", -60}, SizeCase{"2147483647", LONG_MAX},
                                         SizeCase{"-2147483648", LONG_MIN}));

class FontSizeErrorTest : public FormattingTest, public testing::WithParamInterface<const char*> {};

TEST_P(FontSizeErrorTest, ShowsTheErrorBoxAndWritesNothing) {
  Select(0, 2);
  SetFocus(form->FontSize.Handle());
  FormatLog log(Text());
  const DialogSeen box =
      WhileAnswering(VK_RETURN, {MessageText}, [&] { SetFontSizeText(GetParam()); });
  EXPECT_EQ(box.caption, "Dabiro");
  EXPECT_EQ(box.texts.at(MessageText),
            std::string("'") + GetParam() + "' ist kein g\xFCltiger Integerwert.");
  EXPECT_TRUE(log.Of(EM_SETCHARFORMAT).empty());
  EXPECT_EQ(form->FontSize.Text(), GetParam());
}

INSTANTIATE_TEST_SUITE_P(Texts, FontSizeErrorTest, testing::Values("", "12 ", "12pt", "1e2"));

// The arrow keys in the size field step the up-down control, whose every
// step is written at once.
TEST_F(FormattingTest, UpDownStepsStayWithinZeroToHundredAndApplyAtOnce) {
  Select(0, 2);
  struct Step {
    const char* start;
    BYTE key;
    const char* shown;
  } steps[] = {
      {"99", VK_UP, "100"}, {"100", VK_UP, "100"}, {"1", VK_DOWN, "0"}, {"0", VK_DOWN, "0"}};
  for (const Step& step : steps) {
    SetFontSizeText(step.start);
    SetFocus(form->FontSize.Handle());
    FormatLog log(Text());
    TapKey(step.key);
    EXPECT_EQ(form->FontSize.Text(), step.shown) << step.start;
    for (const Sent& write : log.Of(EM_SETCHARFORMAT)) {
      CHARFORMATA written = CharFormat(CFM_SIZE);
      written.yHeight = atoi(step.shown) * 20;
      EXPECT_EQ(write.bytes, Bytes(written)) << step.start;
    }
    if (strcmp(step.start, step.shown) != 0) {
      EXPECT_EQ(log.Of(EM_SETCHARFORMAT).size(), 1u) << step.start;
    }
  }
  Select(0, 1);
  EXPECT_EQ(ReadCharFormat(SCF_SELECTION).yHeight, 0);
}

// The face written is the selected list item's, cut to 31 characters;
// typing with the list closed selects no item and writes an empty name.
TEST_F(FormattingTest, FaceNameIsTheSelectedItemCutTo31Characters) {
  const std::string longName = "QQQQQQQQQQWWWWWWWWWWEEEEEEEEEE32";
  ASSERT_EQ(longName.size(), 32u);
  form->FontName.Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(longName.c_str()));
  Select(0, 2);
  SetFocus(form->FontName.Handle());
  FormatLog log(Text());
  for (BYTE key : {'Q', 'Q', 'Q'}) TapKey(key);
  EXPECT_EQ(form->FontName.Text(), "qqq");
  ASSERT_EQ(log.Of(EM_SETCHARFORMAT).size(), 3u);
  EXPECT_EQ(log.Of(EM_SETCHARFORMAT).back().bytes, Bytes(CharFormat(CFM_FACE)));

  TapKey(VK_F4);  // with the list open, typing selects the item it begins
  TapKey('Q');
  TapKey(VK_ESCAPE);
  CHARFORMATA written = CharFormat(CFM_FACE);
  longName.copy(written.szFaceName, 31);
  EXPECT_EQ(log.Of(EM_SETCHARFORMAT).back().bytes, Bytes(written));
  EXPECT_EQ(log.Of(EM_SETCHARFORMAT).back().scope, static_cast<WPARAM>(SCF_SELECTION));
}

struct BulletCase {
  LONG offsetBefore;  // twips
  LONG offsetAfter;
};

class BulletsTest : public FormattingTest, public testing::WithParamInterface<BulletCase> {};

TEST_P(BulletsTest, BulletsOnWidenAnOffsetUnderTenPointsAndOffClearsIt) {
  PARAFORMAT offset = ParaFormat(PFM_OFFSET);
  offset.dxOffset = GetParam().offsetBefore;
  SendMessageA(Text(), EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&offset));
  Click(form->BulletsButton);
  EXPECT_EQ(ReadParaFormat().wNumbering, PFN_BULLET);
  EXPECT_EQ(ReadParaFormat().dxOffset, GetParam().offsetAfter);
  Click(form->BulletsButton);
  EXPECT_EQ(ReadParaFormat().wNumbering, 0);
  EXPECT_EQ(ReadParaFormat().dxOffset, 0);
}

INSTANTIATE_TEST_SUITE_P(Offsets, BulletsTest,
                         testing::Values(BulletCase{5 * 20, 10 * 20}, BulletCase{12 * 20, 12 * 20},
                                         BulletCase{-40, 10 * 20}));

TEST_F(FormattingTest, AlignmentButtonsWriteTheirTagEvenWhenRaised) {
  struct Step {
    winui::SpeedButton* button;
    WORD written;
    bool down;
  } steps[] = {{&form->CenterAlign, PFA_CENTER, true},
               {&form->LeftAlign, PFA_LEFT, true},
               {&form->LeftAlign, PFA_LEFT, false},
               {&form->RightAlign, PFA_RIGHT, true}};
  for (const Step& step : steps) {
    FormatLog log(Text());
    Click(*step.button);
    PARAFORMAT written = ParaFormat(PFM_ALIGNMENT);
    written.wAlignment = step.written;
    ASSERT_EQ(log.all.size(), 1u) << step.button->Name();
    EXPECT_EQ(log.all[0].bytes, Bytes(written));
    EXPECT_EQ(step.button->Down(), step.down) << step.button->Name();
    EXPECT_EQ(ReadParaFormat().wAlignment, step.written);
  }
}

// A click that lands while the toolbar is being set (here from inside the
// first read) writes nothing; afterwards clicks work again.
TEST_F(FormattingTest, StyleClickWhileUpdatingWritesNothing) {
  Select(0, 2);
  bool updatingSeen = false;
  {
    FormatLog log(Text());
    log.onRead = [&] {
      updatingSeen = form->Updating();
      form->BoldButton.Click();
    };
    form->SelectionChange(form.get());
    EXPECT_TRUE(updatingSeen);
    EXPECT_TRUE(log.Of(EM_SETCHARFORMAT).empty());
  }
  FormatLog log(Text());
  Click(form->BoldButton);
  EXPECT_EQ(log.Of(EM_SETCHARFORMAT).size(), 1u);
}

TEST(FlagScope, ClearsTheFlagWhenLeftByAnException) {
  bool flag = false;
  try {
    FlagScope scope(flag);
    EXPECT_TRUE(flag);
    throw std::runtime_error("step failed");
  } catch (const std::runtime_error&) {
  }
  EXPECT_FALSE(flag);
}

namespace {
std::string ClipboardText() {
  std::string text;
  if (!OpenClipboard(nullptr)) return text;
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    text = static_cast<const char*>(GlobalLock(data));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}
}  // namespace

// The control's whole-text selection takes in its final paragraph mark.
TEST_F(FormattingTest, CopyAllLeavesTheWholeTextSelectedAndOnTheClipboard) {
  Select(2, 2);
  form->Copyall2.Click();
  CHARRANGE range{};
  SendMessageA(Text(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
  EXPECT_EQ(range.cpMin, 0);
  EXPECT_GE(range.cpMax, 6);
  EXPECT_EQ(ClipboardText(), "abcdef");
}

// Before the control's window exists nothing is sent and every read
// decodes a zeroed structure.
TEST(FormattingBeforeTheWindow, ShowsTheZeroedFormatAndLeavesTheAlignment) {
  TMainForm form;
  HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 200, 50, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  form.FontSize.Create(WC_EDITA, WS_CHILD, 0, 0, 0, 40, 20, parent);
  form.FontName.Create(WC_COMBOBOXA, WS_CHILD | CBS_DROPDOWN, 0, 50, 0, 100, 80, parent);
  form.FontSize.SetText("12");
  form.FontName.SetText("Arial");
  form.SpeedBar.Create(parent, 0, 0, 200, 50, false);
  for (winui::SpeedButton* button : {&form.BoldButton, &form.ItalicButton, &form.UnderlineButton,
                                     &form.BulletsButton, &form.LeftAlign}) {
    button->Create(form.SpeedBar, 0, 0, 1, nullptr);
    button->SetDown(true);
  }
  form.SelectionChange(&form);
  EXPECT_FALSE(form.BoldButton.Down());
  EXPECT_FALSE(form.ItalicButton.Down());
  EXPECT_FALSE(form.UnderlineButton.Down());
  EXPECT_FALSE(form.BulletsButton.Down());
  EXPECT_TRUE(form.LeftAlign.Down());
  EXPECT_EQ(form.FontSize.Text(), "0");
  EXPECT_EQ(form.FontName.Text(), "");

  const TextAttributes& text = form.RichEdit1.SelAttributes();
  EXPECT_FALSE(text.Colour().windowText);
  EXPECT_EQ(text.Colour().rgb, RGB(0, 0, 0));
  EXPECT_EQ(text.GetPitch(), Pitch::Default);
  EXPECT_EQ(form.RichEdit1.Paragraph().Alignment(), -1);
  EXPECT_EQ(form.RichEdit1.Paragraph().Offset(), 0);
  form.RichEdit1.Paragraph().SetNumbering(NumberingBullet);  // sends nothing
  form.EditUndo(&form);
  DestroyWindow(parent);
}

struct FontDialogCase {
  const char* name;
  bool selected;
  BYTE key;  // Enter confirms, Escape cancels
};

class FontDialogTest : public FormattingTest, public testing::WithParamInterface<FontDialogCase> {};

// The dialog starts from the selection's format (at the caret too) and, on
// OK, writes colour, face (with the face's character set: the glyph font's
// is the symbol set), style and size, each on its own.
TEST_P(FontDialogTest, StartsFromTheSelectionAndWritesOnlyWhenConfirmed) {
  CHARFORMATA format = CharFormat(CFM_BOLD | CFM_ITALIC | CFM_SIZE | CFM_COLOR);
  format.dwEffects = CFE_BOLD | CFE_ITALIC;
  format.yHeight = 16 * 20;
  format.crTextColor = RGB(0, 0, 128);
  SetCharFormat(1, 3, format);
  if (!GetParam().selected) Select(2, 2);
  FormatLog log(Text());
  size_t readsBeforeShowing = 0;
  const DialogSeen dialog = WhileAnswering(
      GetParam().key, {cmb1, cmb3}, [&] { form->SelectFont(form.get()); },
      [&] { readsBeforeShowing = log.all.size(); });
  EXPECT_EQ(dialog.texts.at(cmb1), "Persian");
  EXPECT_EQ(dialog.texts.at(cmb3), "16");
  EXPECT_EQ(readsBeforeShowing, 5u);
  EXPECT_EQ(GetFocus(), Text());
  const auto writes = log.Of(EM_SETCHARFORMAT);
  if (GetParam().key == VK_ESCAPE) {
    EXPECT_TRUE(writes.empty());
    return;
  }
  CHARFORMATA colour = CharFormat(CFM_COLOR), face = CharFormat(CFM_FACE | CFM_CHARSET),
              style = CharFormat(0xF), size = CharFormat(CFM_SIZE);
  colour.crTextColor = RGB(0, 0, 128);
  lstrcpyA(face.szFaceName, "Persian");
  face.bCharSet = SYMBOL_CHARSET;
  style.dwEffects = CFE_BOLD | CFE_ITALIC;
  size.yHeight = 16 * 20;
  ASSERT_EQ(writes.size(), 4u);
  const std::vector<BYTE> expected[] = {Bytes(colour), Bytes(face), Bytes(style), Bytes(size)};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(writes[i].bytes, expected[i]) << i;
    EXPECT_EQ(writes[i].scope, GetParam().selected ? SCF_SELECTION : 0u) << i;
  }
}

INSTANTIATE_TEST_SUITE_P(Answers, FontDialogTest,
                         testing::Values(FontDialogCase{"OkOnSelection", true, VK_RETURN},
                                         FontDialogCase{"OkAtCaret", false, VK_RETURN},
                                         FontDialogCase{"Cancel", true, VK_ESCAPE}),
                         [](const auto& info) { return std::string(info.param.name); });

namespace {
// Saves what the screen shows of a window as a 24-bit BMP.
void SaveWindowPicture(HWND hwnd, const std::string& path) {
  RECT rc;
  GetWindowRect(hwnd, &rc);
  const int width = rc.right - rc.left, height = rc.bottom - rc.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFOHEADER header{sizeof header, width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP picture = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS,
                                     &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, picture);
  BitBlt(memory, 0, 0, width, height, screen, rc.left, rc.top, SRCCOPY);
  GdiFlush();
  const DWORD rowBytes = (width * 3 + 3) & ~3u, imageBytes = rowBytes * height;
  const DWORD offset = sizeof(BITMAPFILEHEADER) + sizeof header;
  BITMAPFILEHEADER file{0x4D42, offset + imageBytes, 0, 0, offset};
  if (FILE* out = fopen(path.c_str(), "wb")) {
    fwrite(&file, sizeof file, 1, out);
    fwrite(&header, sizeof header, 1, out);
    fwrite(bits, imageBytes, 1, out);
    fclose(out);
  }
  SelectObject(memory, old);
  DeleteObject(picture);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
}

// The centre of a palette cell showing the code, in the grid's client area.
POINT PaletteCell(int code) {
  const int index = code < 224 ? code - 128 : code - 224 + 64;
  return {index % 16 * 36 + 18, index / 16 * 27 + 13};
}
}  // namespace

// As a person does it: write a word from the palette, select it, click
// Bold and type 28 into the size field. With DABIRO_PICTURES naming a
// folder, the window's picture is saved there.
using FormattingByHand = MainFormTest;

TEST_F(FormattingByHand, APersonMakesAWrittenWordBoldAndLarger) {
  for (int code : {174, 226, 176}) {  // seen, lam-alef, meem
    const POINT cell = PaletteCell(code);
    Click(form->StringGrid1.Handle(), cell.x, cell.y);
  }
  TapKey(VK_HOME);
  PressKey(VK_SHIFT);
  TapKey(VK_END);
  ReleaseKey(VK_SHIFT);
  Click(form->BoldButton);
  Click(form->FontSize.Handle(), 10, 10);
  TapKey(VK_END);
  PressKey(VK_SHIFT);
  TapKey(VK_HOME);
  ReleaseKey(VK_SHIFT);
  TapKey('2');
  TapKey('8');
  Pump(200);

  EXPECT_EQ(Codes(), "\xB0\xE2\xAE");
  EXPECT_TRUE(form->BoldButton.Down());
  EXPECT_EQ(form->FontSize.Text(), "28");
  for (int i = 0; i < 3; ++i) {
    SendMessageA(Text(), EM_SETSEL, i, i + 1);
    CHARFORMATA format = CharFormat(0);
    SendMessageA(Text(), EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    EXPECT_TRUE(format.dwEffects & CFE_BOLD) << i;
    EXPECT_EQ(format.yHeight, 28 * 20) << i;
  }
  char folder[MAX_PATH] = {};
  if (GetEnvironmentVariableA("DABIRO_PICTURES", folder, sizeof folder)) {
    SendMessageA(Text(), EM_SETSEL, 3, 3);
    Pump(100);
    SaveWindowPicture(form->Handle(), std::string(folder) + "\\formatting.bmp");
  }
}
