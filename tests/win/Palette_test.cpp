// The glyph palette and the caret steering, driven with real mouse input
// and the real keyboard queue.
#include <windows.h>

#include <commctrl.h>
#include <richedit.h>

#include <cstring>
#include <ostream>
#include <string>

#include "Application.h"
#include "Clipboard.h"
#include "MainFormFixture.h"
#include "Palette.h"

using namespace testing_support;

namespace winui {
void PrintTo(const GridRect& r, std::ostream* out) {
  *out << "{" << r.left << "," << r.top << " - " << r.right << "," << r.bottom << "}";
}
}  // namespace winui

namespace {

POINT CellCentre(int column, int row) {
  return {column * core::BandWidth + core::CellWidth / 2,
          row * core::BandHeight + core::CellHeight / 2};
}

std::string Glyph(int column, int row) {
  return std::string(1, static_cast<char>(core::CellCode(column, row)));
}

winui::GridRect Only(int column, int row) { return {column, row, column, row}; }

// Reads CF_TEXT; blockSize gets the size of the clipboard's memory block.
std::string ClipboardText(SIZE_T* blockSize = nullptr) {
  std::string text = "<no text>";
  if (!OpenClipboard(nullptr)) return "<clipboard busy>";
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (const auto* bytes = static_cast<const char*>(GlobalLock(data))) {
      text = bytes;
      GlobalUnlock(data);
    }
    if (blockSize) *blockSize = GlobalSize(data);
  }
  CloseClipboard();
  return text;
}

// A press and release that carry their position, queued without waiting.
void QueuePress(HWND hwnd, POINT at) {
  ClientToScreen(hwnd, &at);
  QueueClickCarryingPosition(at);
}

}  // namespace

class PaletteTest : public MainFormTest {
 protected:
  HWND Grid() const { return form->StringGrid1.Handle(); }

  void Press(POINT at, DWORD down = MOUSEEVENTF_LEFTDOWN, DWORD up = MOUSEEVENTF_LEFTUP) {
    Click(Grid(), at.x, at.y, down, up);
  }
  void PressCell(int column, int row) { Press(CellCentre(column, row)); }

  std::string Document() const { return Codes(); }
  void SetDocument(const std::string& text, LONG caret) {
    SetCodes(text);
    SendMessageA(Text(), EM_SETSEL, static_cast<WPARAM>(caret), caret);
  }
  CHARRANGE DocumentSelection() const {
    CHARRANGE range{};
    SendMessageA(Text(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    return range;
  }
  // The caret position, or -1 while a range is selected.
  LONG Caret() const {
    const CHARRANGE range = DocumentSelection();
    return range.cpMin == range.cpMax ? range.cpMin : -1;
  }

  // A key typed through the editor's own loop, which moves the focus on Tab.
  void Type(BYTE key) {
    PressKey(key);
    ReleaseKey(key);
    RunEditorLoop(40);
  }

  // Lets every synthesised key arrive and be handled.
  void Settle() {
    WaitUntil([] { return HIWORD(GetQueueStatus(QS_INPUT)) == 0; }, 2000);
    Pump(150);
  }
  // Waits for the document to reach the state, then checks that it stays.
  void ExpectDocument(const std::string& text, LONG caret) {
    WaitUntil([&] { return Document() == text && Caret() == caret; }, 3000);
    Settle();
    EXPECT_EQ(Document(), text);
    EXPECT_EQ(Caret(), caret);
  }
};

struct PressCase {
  const char* name;
  POINT at;
  DWORD down, up;
  int code;
};

class PalettePress : public PaletteTest, public testing::WithParamInterface<PressCase> {};

TEST_P(PalettePress, WritesTheCellCodeWithTheCaretLeftOfIt) {
  const PressCase& c = GetParam();
  Press(c.at, c.down, c.up);
  ExpectDocument(std::string(1, static_cast<char>(c.code)), 0);
  EXPECT_EQ(GetFocus(), Text());
  int column = -1, row = -1;
  ASSERT_TRUE(core::CellOfCode(c.code, column, row));
  EXPECT_EQ(form->StringGrid1.Selection(), Only(column, row));
}

constexpr DWORD LeftDown = MOUSEEVENTF_LEFTDOWN, LeftUp = MOUSEEVENTF_LEFTUP;
INSTANTIATE_TEST_SUITE_P(
    Cells, PalettePress,
    testing::Values(PressCase{"FirstCell", CellCentre(0, 0), LeftDown, LeftUp, 128},
                    PressCase{"EndOfRow3", CellCentre(15, 3), LeftDown, LeftUp, 191},
                    PressCase{"StartOfRow4", CellCentre(0, 4), LeftDown, LeftUp, 224},
                    PressCase{"LastCell", CellCentre(15, 5), LeftDown, LeftUp, 255},
                    // Grid lines belong to the cell left of and above them.
                    PressCase{"GridLineCorner", {36, 27}, LeftDown, LeftUp, 128},
                    PressCase{"PastTheGridLine", {37, 28}, LeftDown, LeftUp, 145},
                    PressCase{"RightButton", CellCentre(15, 3), MOUSEEVENTF_RIGHTDOWN,
                              MOUSEEVENTF_RIGHTUP, 191},
                    PressCase{"MiddleButton", CellCentre(0, 4), MOUSEEVENTF_MIDDLEDOWN,
                              MOUSEEVENTF_MIDDLEUP, 224}),
    [](const testing::TestParamInfo<PressCase>& info) { return std::string(info.param.name); });

TEST_F(PaletteTest, GlyphsAreStoredInReverseOrderOfPressing) {
  PressCell(0, 0);
  PressCell(1, 0);
  PressCell(2, 0);
  ExpectDocument(Glyph(2, 0) + Glyph(1, 0) + Glyph(0, 0), 0);
}

// All presses wait in the input queue before the first is handled, so each
// press's Left arrow queues up behind the presses that follow it.
TEST_F(PaletteTest, PressesQueuedBackToBackKeepTheirOrder) {
  for (int column = 0; column < 4; ++column) QueuePress(Grid(), CellCentre(column, 1));
  ExpectDocument(Glyph(3, 1) + Glyph(2, 1) + Glyph(1, 1) + Glyph(0, 1), 0);
}

TEST_F(PaletteTest, DoubleClickWritesTwice) {
  PressCell(4, 1);
  PressCell(4, 1);
  ExpectDocument(Glyph(4, 1) + Glyph(4, 1), 0);
}

TEST_F(PaletteTest, PressReplacesTheSelectionWithTheCaretLeftOfTheGlyph) {
  SetDocument("abcd", 0);
  SendMessageA(Text(), EM_SETSEL, 1, 3);
  PressCell(5, 2);
  ExpectDocument("a" + Glyph(5, 2) + "d", 1);
}

TEST_F(PaletteTest, ShiftPressLeavesOnlyThePressedCellSelected) {
  PressCell(2, 1);
  PressKey(VK_SHIFT);
  PressCell(6, 4);
  ReleaseKey(VK_SHIFT);
  Settle();
  EXPECT_EQ(form->StringGrid1.Selection(), Only(6, 4));
  EXPECT_EQ(form->StringGrid1.CurrentCell().x, 6);
  EXPECT_EQ(form->StringGrid1.CurrentCell().y, 4);
}

TEST_F(PaletteTest, DraggingSelectsARangeAndWritesOnlyThePressedCell) {
  MoveMouse(Grid(), CellCentre(1, 1).x, CellCentre(1, 1).y);
  MouseButton(MOUSEEVENTF_LEFTDOWN);
  Pump(50);
  MoveMouse(Grid(), CellCentre(3, 2).x, CellCentre(3, 2).y);
  MouseButton(MOUSEEVENTF_LEFTUP);
  ExpectDocument(Glyph(1, 1), 0);
  EXPECT_EQ(form->StringGrid1.Selection(), (winui::GridRect{1, 1, 3, 2}));
}

TEST_F(PaletteTest, ClipboardHoldsExactlyThePressedCharacter) {
  PressCell(15, 5);
  ExpectDocument("\xFF", 0);
  SIZE_T blockSize = 0;
  EXPECT_EQ(ClipboardText(&blockSize), "\xFF");
  EXPECT_EQ(blockSize, 2u) << "the character and its terminating zero";
}

TEST_F(PaletteTest, PressBesideOrBelowTheCellsChangesNothing) {
  PressCell(3, 2);
  ExpectDocument(Glyph(3, 2), 0);
  ReplaceClipboardText(nullptr, "kept");
  const POINT outside[] = {{core::PaletteColumns * core::BandWidth + 5, 40},
                           {100, core::PaletteRows * core::BandHeight + 2}};
  for (const POINT at : outside) {
    Press(at);
    Settle();
    EXPECT_EQ(Document(), Glyph(3, 2));
    EXPECT_EQ(Caret(), 0);
    EXPECT_EQ(ClipboardText(), "kept");
    EXPECT_EQ(form->StringGrid1.Selection(), Only(3, 2));
    EXPECT_EQ(GetFocus(), Text()) << "the focus goes back to the text";
  }
}

TEST_F(PaletteTest, TypedSpacesMakeWordsRunLeftwards) {
  PressCell(0, 0);
  PressCell(1, 0);
  TapKey(VK_SPACE);
  ExpectDocument(" " + Glyph(1, 0) + Glyph(0, 0), 0);
  PressCell(2, 0);
  TapKey(VK_SPACE);
  PressCell(3, 0);
  ExpectDocument(Glyph(3, 0) + " " + Glyph(2, 0) + " " + Glyph(1, 0) + Glyph(0, 0), 0);
}

// After File/New the document is a new window: presses and the steering
// of spaces and of Enter reach it.
TEST_F(PaletteTest, AfterNewPressesAndSteeringReachTheNewDocument) {
  ReplaceDocument();
  PressCell(0, 0);
  PressCell(1, 0);
  TapKey(VK_SPACE);
  ExpectDocument(" " + Glyph(1, 0) + Glyph(0, 0), 0);
  SetDocument("\x82\x81\x80\r\nxy", 0);
  TapKey(VK_RETURN);
  ExpectDocument("\x82\x81\x80\r\n\r\nxy", 5);
}

TEST_F(PaletteTest, OtherCharactersGetNoSteering) {
  TapKey('A');
  TapKey('B');
  ExpectDocument("ab", 2);
}

class EnterInLine : public PaletteTest, public testing::WithParamInterface<LONG> {};

// "CBA" was written right to left; a second line follows.
TEST_P(EnterInLine, KeepsTheLineWholeAndOpensAnEmptyLineBelow) {
  SetDocument("\x82\x81\x80\r\nxy", GetParam());
  TapKey(VK_RETURN);
  ExpectDocument("\x82\x81\x80\r\n\r\nxy", 5);
  EXPECT_EQ(SendMessageA(Text(), EM_EXLINEFROMCHAR, 0, Caret()), 1);
}

INSTANTIATE_TEST_SUITE_P(CaretPositions, EnterInLine, testing::Values(0, 1, 3));

// An Enter that closes a dialog is released after the text has the focus
// again; that release must not run the line-break steering.
TEST_F(PaletteTest, ReleaseOfAnEnterPressedElsewhereLeavesTheTextAlone) {
  SetDocument("\x82\x81\x80\r\nxy", 1);
  SetFocus(nullptr);  // as while a dialog has it
  PressKey(VK_RETURN);
  Pump(50);
  SetFocus(Text());
  ReleaseKey(VK_RETURN);
  Pump(50);
  ExpectDocument("\x82\x81\x80\r\nxy", 1);
}

TEST_F(PaletteTest, ReadOnlyDocumentOnlyMovesTheCaret) {
  SetDocument("\x82\x81\x80", 0);
  SendMessageA(Text(), EM_SETREADONLY, TRUE, 0);
  TapKey(VK_RETURN);
  ExpectDocument("\x82\x81\x80", 3);
  PressCell(7, 3);
  ExpectDocument("\x82\x81\x80", 2);
  EXPECT_EQ(ClipboardText(), Glyph(7, 3)) << "the clipboard is still replaced";
}

TEST_F(PaletteTest, KeyboardMovesTheGridSelectionAndWritesNothing) {
  const std::string before = ClipboardText();
  Type(VK_TAB);
  ASSERT_EQ(GetFocus(), Grid()) << "Tab goes from the text to the palette";
  for (BYTE key : {VK_RIGHT, VK_RIGHT, VK_DOWN, VK_DOWN, VK_UP, VK_LEFT, VK_RIGHT, VK_RIGHT})
    Type(key);
  EXPECT_EQ(form->StringGrid1.Selection(), Only(3, 1));
  Type(VK_LEFT);
  EXPECT_EQ(form->StringGrid1.Selection(), Only(2, 1));
  for (BYTE key : {VK_END, VK_HOME, VK_END}) Type(key);
  EXPECT_EQ(form->StringGrid1.Selection(), Only(15, 1));
  EXPECT_EQ(Document(), "");
  EXPECT_EQ(ClipboardText(), before);
  Type(VK_TAB);
  EXPECT_NE(GetFocus(), Grid()) << "the grid does not take Tab";
}

// Space and Enter on the palette write its current cell as a press on it
// does, with the focus staying there for the next glyph.
TEST_F(PaletteTest, AWordWrittenFromTheKeyboardIsStoredAsTheSamePressesStoreIt) {
  PressCell(3, 0);
  PressCell(5, 1);
  TapKey(VK_SPACE);
  PressCell(2, 4);
  Settle();
  const std::string byMouse = Document();
  const LONG caretByMouse = Caret();
  ASSERT_EQ(byMouse.size(), 4u);

  SetDocument("", 0);
  form->StringGrid1.SetSelection(Only(0, 0));
  Type(VK_TAB);
  ASSERT_EQ(GetFocus(), Grid());
  for (BYTE key : {VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_SPACE, VK_DOWN, VK_RIGHT, VK_RIGHT, VK_RETURN})
    Type(key);
  Settle();
  EXPECT_EQ(GetFocus(), Grid()) << "the focus stays on the palette";
  EXPECT_EQ(form->StringGrid1.Selection(), Only(5, 1)) << "steering left the palette alone";
  Type(VK_ESCAPE);
  ASSERT_EQ(GetFocus(), Text()) << "Escape returns to the text";
  Type(VK_SPACE);
  Type(VK_TAB);
  for (BYTE key : {VK_DOWN, VK_DOWN, VK_DOWN, VK_LEFT, VK_LEFT, VK_LEFT, VK_SPACE}) Type(key);
  Settle();
  EXPECT_EQ(Document(), byMouse);
  EXPECT_EQ(Caret(), caretByMouse);
}

TEST_F(PaletteTest, HitTestFollowsTheGridLinesAtTheDesignSize) {
  RECT client;
  GetClientRect(Grid(), &client);
  for (int y = -1; y <= client.bottom; ++y)
    for (int x = -1; x <= client.right; ++x) {
      const POINT cell = form->StringGrid1.MouseToCell(x, y);
      const core::Cell expected = core::HitTest(x, y);
      ASSERT_EQ(cell.x, expected.column) << x << "," << y;
      ASSERT_EQ(cell.y, expected.row) << x << "," << y;
    }
}

TEST_F(PaletteTest, ScrollBarsShowOnlyWhenTheCellsDoNotFitAndPressesFollowTheScroll) {
  const auto hasBars = [this] {
    const LONG style = GetWindowLongA(Grid(), GWL_STYLE);
    return (style & WS_HSCROLL) && (style & WS_VSCROLL);
  };
  EXPECT_FALSE(GetWindowLongA(Grid(), GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL));
  RECT window;
  GetWindowRect(form->Handle(), &window);
  SetWindowPos(form->Handle(), nullptr, 0, 0, 400, window.bottom - window.top,
               SWP_NOMOVE | SWP_NOZORDER);
  Pump(50);
  // Narrower than the cells: the horizontal bar then takes the height too.
  ASSERT_TRUE(hasBars());
  for (int i = 0; i < 3; ++i) SendMessageA(Grid(), WM_HSCROLL, SB_LINEDOWN, 0);
  SendMessageA(Grid(), WM_VSCROLL, SB_LINEDOWN, 0);
  Pump(50);
  PressCell(0, 0);
  ExpectDocument(Glyph(3, 1), 0);
  EXPECT_EQ(form->StringGrid1.Selection(), Only(3, 1));
  SetWindowPos(form->Handle(), nullptr, 0, 0, window.right - window.left,
               window.bottom - window.top, SWP_NOMOVE | SWP_NOZORDER);
  Pump(50);
  EXPECT_FALSE(GetWindowLongA(Grid(), GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL));
}

TEST_F(PaletteTest, DrawsTheSelectionHighlightedAndTheFocusedCurrentCellWithAFocusFrame) {
  PressCell(3, 2);
  Settle();
  const auto pixel = [this](int x, int y) {
    UpdateWindow(Grid());
    HDC dc = GetDC(Grid());
    const COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(Grid(), dc);
    return colour;
  };
  const int left = 3 * core::BandWidth, top = 2 * core::BandHeight;
  const COLORREF window = GetSysColor(COLOR_WINDOW);
  EXPECT_EQ(pixel(left + 1, top + 1), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(pixel(left + 1 + core::BandWidth, top + 1), window) << "the next cell is not selected";
  EXPECT_NE(pixel(left + core::CellWidth, top + 5), window) << "grid line right of the column";
  EXPECT_NE(pixel(left + 5, top + core::CellHeight), window) << "grid line below the row";

  SetFocus(Grid());
  Pump(50);
  EXPECT_EQ(pixel(left + 1, top + 1), window) << "the focused current cell has normal colours";
  int framePixels = 0;
  for (int x = left; x < left + core::CellWidth; ++x) framePixels += pixel(x, top) != window;
  EXPECT_GE(framePixels, core::CellWidth / 3) << "a dotted frame along the top edge";
  EXPECT_LE(framePixels, core::CellWidth * 2 / 3);
}

TEST_F(PaletteTest, PressWritesNothingWhileAnotherProgramHoldsTheClipboard) {
  SetDocument("ab", 1);
  ReplaceClipboardText(nullptr, "stale");
  {
    ClipboardHolder holder;
    PressCell(9, 1);
    Settle();
    EXPECT_EQ(Document(), "ab") << "the stale clipboard text is not pasted";
    EXPECT_EQ(Caret(), 1);
    EXPECT_EQ(form->StringGrid1.Selection(), Only(9, 1));
    EXPECT_EQ(
        StatusText(),
        "The clipboard could not be written (another program may hold it): nothing was written.");
  }
  PressCell(9, 1);
  ExpectDocument("a" + Glyph(9, 1) + "b", 1);
}
