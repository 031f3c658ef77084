#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "PageLayout.h"
#include "StoreParagraphs.h"
#include "TextPlaces.h"
#include "Window.h"

class RichEditControl;
class RunFonts;

// The document as a person reads it: the control that stores it never
// wraps and lies under this window, which lays each paragraph out in
// screen lines from its reading order (a Persian paragraph's first words at
// the right of its first line) and draws the lines, the selection and the
// caret. The control keeps the focus, the text, the selection and Undo:
// keys reach it as ever, and this view only turns presses and the keys
// that move on screen lines into places in it. Nothing of the screen's
// lines enters the text.
class ReadingView : public winui::Window {
 public:
  ReadingView(RichEditControl& store, core::RunStyle plainStyle);
  ~ReadingView() override;

  void Create(HWND parent);
  // Over the store, which keeps the same bounds.
  void Place(int left, int top, int width, int height);
  // The store's text or formats changed: read again when next shown.
  void StoreChanged();
  // The store's selection moved (or its focus came or went).
  void SelectionChanged();
  // Fonts came or went: measured again.
  void FontsChanged();
  // Takes the keys that move on screen lines (Up, Down, Home, End, Page
  // Up and Down, each with Shift; Ctrl+Home and Ctrl+End); false for the
  // rest, which the store handles.
  bool MoveKey(WORD key, UINT shift);
  // Scrolls by whole lines, as the wheel does.
  void ScrollLines(int lines);

  // The screen lines as laid out now: each line's codes left to right, and
  // the line and x where the caret stands.
  std::vector<std::string> ScreenLines();
  core::ScreenPlace Caret();
  int FirstVisibleLine();

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  const core::LaidOutText& Layout();
  int TextWidth() const;
  void Paint(HDC dc);
  void PaintSelection(HDC dc, long selStart, long selEnd);
  void PaintCaret(HDC dc);
  void RevealCaret();
  void UpdateScrollBar();
  void ScrollTo(int top);

  long StoreOf(core::TextPlace place) const;
  core::TextPlace PlaceOf(long character) const;
  void ReadSelection();
  void Select(long anchor, long caret);
  core::TextPlace PlaceAtPoint(int x, int y);
  void Press(int x, int y, bool extend);
  void SelectWordAt(int x, int y);
  core::TextPlace MovedPlace(WORD key, UINT shift);
  void ShowContextMenu(LPARAM lParam);
  void BlinkCaret();

  RichEditControl& store_;
  core::RunStyle plainStyle_;
  HDC measureDc_ = nullptr;
  std::unique_ptr<RunFonts> fonts_;
  StoreParagraphs paragraphs_;
  core::LaidOutText text_;
  bool textRead_ = false, laidOut_ = false;
  int laidOutWidth_ = -1;
  int scrollTop_ = 0;
  bool revealCaret_ = false;
  long anchor_ = 0, caret_ = 0;
  int goalX_ = -1;  // Up and Down keep the x they started from
  bool dragging_ = false;
  bool selecting_ = false;  // the view itself moves the selection
  bool caretShown_ = true;
};
