#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "PageLayout.h"
#include "RichEditControl.h"
#include "StoreParagraphs.h"
#include "TextPlaces.h"
#include "Window.h"

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
  // The store told of a change: what changed is read again when next
  // shown.
  void StoreChanged(RichEditControl::Change change);
  // The store's selection moved (or its focus came or went).
  void SelectionChanged();
  // Fonts came or went: measured again.
  void FontsChanged();
  // Takes the keys that move on screen lines (Up, Down, Home, End, Page
  // Up and Down, each with Shift) and Ctrl+Home and Ctrl+End, to where the
  // text begins and ends in reading order; false for the rest, which the
  // store handles.
  bool MoveKey(WORD key, UINT shift);
  // Scrolls by whole lines, as the wheel does.
  void ScrollLines(int lines);

  // A selection from one paragraph into another holds, in reading order,
  // the first one from the anchor to its end, those between, and the last
  // one from its start to the caret. Where that is not one range of the
  // store, the view holds it and the store only its caret; while it does,
  // the store's messages that act on the selection come here first.
  bool HoldsSelectionAcross();
  // Takes a copy, cut, deletion or format of that selection; what writes
  // over it (a key that types, a paste, a stream) finds it taken out and
  // goes on to the store. False for the rest, and without such a
  // selection.
  bool TakeSelectionMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // Takes that selection out, as Delete does.
  void EraseSelectionAcross();
  // Calls use with a hidden control holding a copy of that selection, as
  // copying it would put it on the clipboard; false without one.
  bool UseCopyOfSelection(const std::function<void(const RichEditControl&)>& use);

  // The margin the text keeps from the view's sides, in pixels.
  static constexpr int Margin = 6;

  // The text as laid out now, its lines' x from the left margin.
  const core::LaidOutText& ScreenText() { return Layout(); }
  // The screen lines as laid out now: each line's codes left to right, and
  // the line and x where the caret stands.
  std::vector<std::string> ScreenLines();
  core::ScreenPlace Caret();
  int FirstVisibleLine();
  // How often the whole store was read: after an edit, only what it
  // touched is.
  int WholeReadings() const { return wholeReadings_; }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  const core::LaidOutText& Layout();
  void NoteChangeBetween(long from, long to);
  void ReadAll();
  void ReadChanged();
  void MoveStarts(std::size_t first, std::size_t fresh, std::size_t replaced);
  core::PageSize Page() const;
  CHARRANGE StoreSelection() const;
  int TextWidth() const;
  void Paint(HDC dc);
  void PaintSelection(HDC dc, const std::vector<CHARRANGE>& pieces);
  void PaintCaret(HDC dc);
  void RevealCaret();
  void UpdateScrollBar();
  void ScrollTo(int top);

  long StoreOf(core::TextPlace place) const;
  long ParagraphEnd(std::size_t paragraph) const;
  std::vector<CHARRANGE> ReadSide(core::TextPlace place, bool from) const;
  std::vector<CHARRANGE> PiecesBetween(long anchor, long caret) const;
  std::vector<CHARRANGE> SelectedPieces();
  bool TakeKey(WPARAM key);
  void CopySelectionAcross();
  void FormatPieces(UINT message, WPARAM wParam, LPARAM lParam);
  core::TextPlace PlaceOf(long character) const;
  void ReadSelection();
  void Select(long anchor, long caret);
  core::TextPlace PlaceAtPoint(int x, int y);
  void Press(int x, int y, bool extend);
  void DragTo(int x, int y);
  long NextInStore(long character, bool right) const;
  void SelectWordAt(int x, int y);
  core::TextPlace MovedPlace(WORD key, bool toTextEnds);
  void ShowContextMenu(LPARAM lParam);
  void BlinkCaret();

  RichEditControl& store_;
  core::RunStyle plainStyle_;
  HDC measureDc_ = nullptr;
  std::unique_ptr<RunFonts> fonts_;
  StoreParagraphs paragraphs_;
  core::LaidOutText text_;
  bool laidOut_ = false;
  // What changed in the store since it was read: everything, or the
  // paragraphs from dirtyFirst_ to dirtyLast_ as the store has them now.
  bool readAll_ = true, dirty_ = false;
  std::size_t dirtyFirst_ = 0, dirtyLast_ = 0;
  std::size_t paragraphsNow_ = 0;  // the store's, after the last change
  CHARRANGE known_{};              // the store's selection, after the last message
  bool reading_ = false;
  int wholeReadings_ = 0;
  int laidOutWidth_ = -1;
  int scrollTop_ = 0;
  struct ScrollBarState {
    int content = -1, page = -1, position = -1;
    bool operator==(const ScrollBarState& other) const {
      return content == other.content && page == other.page && position == other.position;
    }
  };
  ScrollBarState shownBar_;
  bool revealCaret_ = false;
  long anchor_ = 0, caret_ = 0;
  int goalX_ = -1;  // Up and Down keep the x they started from
  bool dragging_ = false;
  POINT dragPoint_{};
  static constexpr UINT_PTR BlinkTimer = 1, DragTimer = 2;
  static constexpr UINT DragScrollMilliseconds = 50;
  bool selecting_ = false;  // the view itself moves the selection
  // The store's selection as the view last set it, and whether the view's
  // anchor and caret are then not that selection's ends: a selection
  // across paragraphs, held by the view, or one that the view's places
  // begin and end inside of. -1 once the store's selection moved.
  CHARRANGE setByView_{-1, -1};
  bool across_ = false;
  bool acting_ = false;  // on the pieces of the selection
  std::unique_ptr<RichEditControl> selectionCopy_;
  bool caretShown_ = true;
};
