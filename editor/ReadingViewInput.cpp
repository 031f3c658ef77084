#include <richedit.h>

#include <algorithm>

#include "ReadingView.h"
#include "RichEditControl.h"

// The store tells only the selection's ends: which of them is the caret is
// known from where the selection stood before. While the store's selection
// is the one the view set, the view's anchor and caret hold.
void ReadingView::ReadSelection() {
  const CHARRANGE selection = StoreSelection();
  if (acting_ || (selection.cpMin == setByView_.cpMin && selection.cpMax == setByView_.cpMax))
    return;
  setByView_ = {-1, -1};
  // The store's anchor, after a selection it did not hold, is the caret.
  if (across_) anchor_ = caret_;
  across_ = false;
  if (selection.cpMin == selection.cpMax) {
    anchor_ = caret_ = selection.cpMin;
  } else if (selection.cpMin == anchor_) {
    caret_ = selection.cpMax;
  } else if (selection.cpMax == anchor_) {
    caret_ = selection.cpMin;
  } else {
    anchor_ = selection.cpMin;
    caret_ = selection.cpMax;
  }
}

// The store puts its caret at the end given last; of a selection across
// paragraphs it holds only the caret.
void ReadingView::Select(long anchor, long caret) {
  Layout();
  anchor_ = anchor;
  caret_ = caret;
  const std::vector<CHARRANGE> pieces = PiecesBetween(anchor, caret);
  across_ = pieces.size() > 1;
  CHARRANGE store{caret, caret};
  if (!across_) {
    const bool backwards = caret < anchor;
    store = {backwards ? pieces.front().cpMax : pieces.front().cpMin,
             backwards ? pieces.front().cpMin : pieces.front().cpMax};
  }
  selecting_ = true;
  store_.Send(EM_SETSEL, static_cast<WPARAM>(store.cpMin), store.cpMax);
  setByView_ = StoreSelection();
  SelectionChanged();
  selecting_ = false;
}

core::TextPlace ReadingView::PlaceAtPoint(int x, int y) {
  const core::LaidOutText& text = Layout();
  return core::PlaceOnLine(text, core::LineAtHeight(text, y + scrollTop_), x - Margin);
}

// Held beyond the top or the bottom, a drag scrolls on by itself.
void ReadingView::DragTo(int x, int y) {
  dragPoint_ = {x, y};
  Press(x, y, true);
  RECT client{};
  GetClientRect(Handle(), &client);
  if (y < 0 || y >= client.bottom)
    SetTimer(Handle(), DragTimer, DragScrollMilliseconds, nullptr);
  else
    KillTimer(Handle(), DragTimer);
}

void ReadingView::Press(int x, int y, bool extend) {
  if (GetFocus() != store_.Handle()) SetFocus(store_.Handle());
  if (!dragging_) {
    dragging_ = true;
    SetCapture(Handle());
  }
  ReadSelection();
  const long character = StoreOf(PlaceAtPoint(x, y));
  goalX_ = -1;
  Select(extend ? anchor_ : character, character);
}

// The word is what stands between spaces in the paragraph; a space pressed
// on is a word of its own.
void ReadingView::SelectWordAt(int x, int y) {
  const core::TextPlace place = PlaceAtPoint(x, y);
  if (place.paragraph >= paragraphs_.paragraphs.size()) return;
  std::string codes;
  for (const core::TextRun& run : paragraphs_.paragraphs[place.paragraph].runs) codes += run.text;
  std::size_t begin = std::min(place.place, codes.size()), end = begin;
  while (begin > 0 && !core::IsBreakSpace(codes[begin - 1])) --begin;
  while (end < codes.size() && !core::IsBreakSpace(codes[end])) ++end;
  const long start = paragraphs_.starts[place.paragraph];
  Select(start + static_cast<long>(begin), start + static_cast<long>(end));
}

bool ReadingView::MoveKey(WORD key, UINT shift) {
  // Shift+Left and Right extend a selection the store does not hold as
  // the store extends its own, a character at a time.
  if ((key == VK_LEFT || key == VK_RIGHT) && shift == MK_SHIFT && HoldsSelectionAcross()) {
    Select(anchor_, NextInStore(caret_, key == VK_RIGHT));
    return true;
  }
  // Ctrl with the other keys is the store's.
  if ((shift & MK_CONTROL) && key != VK_HOME && key != VK_END) return false;
  if (key != VK_HOME && key != VK_END && key != VK_UP && key != VK_DOWN && key != VK_PRIOR &&
      key != VK_NEXT)
    return false;
  Layout();
  ReadSelection();
  const long character = StoreOf(MovedPlace(key, (shift & MK_CONTROL) != 0));
  Select((shift & MK_SHIFT) ? anchor_ : character, character);
  return true;
}

core::TextPlace ReadingView::MovedPlace(WORD key, bool toTextEnds) {
  const core::LaidOutText& text = text_;
  if (text.lines.empty()) return {};
  const core::ScreenPlace at = core::ScreenPlaceOf(text, PlaceOf(caret_));
  const std::size_t last = text.lines.size() - 1;
  if (key == VK_HOME || key == VK_END) goalX_ = -1;
  // With Ctrl: where the text begins and ends in reading order.
  if (toTextEnds && key == VK_HOME) return core::LineReadingStart(text, 0);
  if (toTextEnds && key == VK_END) return core::LineReadingEnd(text, last);
  if (key == VK_HOME) return core::LineReadingStart(text, at.line);
  if (key == VK_END) return core::LineReadingEnd(text, at.line);
  if (goalX_ < 0) goalX_ = at.x;
  std::size_t line = at.line;
  if (key == VK_UP) line = line > 0 ? line - 1 : 0;
  if (key == VK_DOWN) line = std::min(last, line + 1);
  if (key == VK_PRIOR || key == VK_NEXT) {
    RECT client{};
    GetClientRect(Handle(), &client);
    const int step = key == VK_PRIOR ? -client.bottom : client.bottom;
    const int y = text.lines[line].top + step;
    line = core::LineAtHeight(text, y);
    ScrollTo(scrollTop_ + step);
  }
  return core::PlaceOnLine(text, line, goalX_);
}
