// A selection from one paragraph into another, in reading order: up to
// three pieces of the store, which the view holds while the store holds
// only the caret.
#include <richedit.h>

#include <algorithm>

#include "ControlStreams.h"
#include "DocumentLines.h"
#include "FlagScope.h"
#include "KeyState.h"
#include "ReadingView.h"
#include "RichEditControl.h"

namespace {

void AddPiece(std::vector<CHARRANGE>& pieces, long from, long to) {
  if (from >= to) return;
  if (!pieces.empty() && pieces.back().cpMax == from)
    pieces.back().cpMax = to;
  else
    pieces.push_back({from, to});
}

bool ActsOnSelection(UINT message) {
  switch (message) {
    case WM_COPY:
    case WM_CUT:
    case WM_CLEAR:
    case WM_PASTE:
    case EM_REPLACESEL:
    case EM_STREAMIN:
    case WM_CHAR:
    case EM_SETCHARFORMAT:
    case EM_SETPARAFORMAT:
    case WM_KEYDOWN:
      return true;
  }
  return false;
}

// Keys that write a character where the caret stands.
bool TypesCharacter(WPARAM key) {
  return key == VK_RETURN || key == VK_SPACE || (key >= '0' && key <= 'Z') ||
         (key >= VK_NUMPAD0 && key <= VK_DIVIDE) || (key >= VK_OEM_1 && key <= VK_OEM_3) ||
         (key >= VK_OEM_4 && key <= VK_OEM_8) || key == VK_OEM_102;
}

}  // namespace

long ReadingView::ParagraphEnd(std::size_t paragraph) const {
  const long start = paragraphs_.starts[paragraph];
  return start + static_cast<long>(store_.Send(EM_LINELENGTH, static_cast<WPARAM>(start)));
}

// One character on in the store, a paragraph's end and the next one's
// start being next to each other.
long ReadingView::NextInStore(long character, bool right) const {
  const core::TextPlace place = PlaceOf(character);
  const std::vector<long>& starts = paragraphs_.starts;
  if (!right && place.place == 0)
    return place.paragraph > 0 ? ParagraphEnd(place.paragraph - 1) : character;
  if (right && character >= ParagraphEnd(place.paragraph))
    return place.paragraph + 1 < starts.size() ? starts[place.paragraph + 1] : character;
  return character + (right ? 1 : -1);
}

// The codes of a place's paragraph read from the place on, or before it.
std::vector<CHARRANGE> ReadingView::ReadSide(core::TextPlace place, bool from) const {
  const core::WrappedLines& lines = text_.paragraphs[place.paragraph];
  const long start = paragraphs_.starts[place.paragraph];
  std::vector<CHARRANGE> ranges;
  for (const core::CodeRange& range :
       core::CodesReadFrom(lines, core::CodesReadBefore(lines, place.place), from))
    AddPiece(ranges, start + static_cast<long>(range.from), start + static_cast<long>(range.to));
  return ranges;
}

// Of the paragraph read first, what it reads from the earlier end on; all
// between; of the last, what it reads before the later end. Within one
// paragraph, the store's range between them.
std::vector<CHARRANGE> ReadingView::PiecesBetween(long anchor, long caret) const {
  const long from = std::min(anchor, caret), to = std::max(anchor, caret);
  const core::TextPlace top = PlaceOf(from), bottom = PlaceOf(to);
  if (top.paragraph == bottom.paragraph || bottom.paragraph >= text_.paragraphs.size())
    return {{from, to}};
  std::vector<CHARRANGE> pieces = ReadSide(top, true);
  AddPiece(pieces, ParagraphEnd(top.paragraph), paragraphs_.starts[bottom.paragraph]);
  for (const CHARRANGE& range : ReadSide(bottom, false)) AddPiece(pieces, range.cpMin, range.cpMax);
  if (pieces.empty()) pieces.push_back({to, to});
  return pieces;
}

std::vector<CHARRANGE> ReadingView::SelectedPieces() {
  if (HoldsSelectionAcross()) return PiecesBetween(anchor_, caret_);
  const CHARRANGE selection = StoreSelection();
  if (selection.cpMin == selection.cpMax) return {};
  return {selection};
}

bool ReadingView::HoldsSelectionAcross() {
  if (!across_) return false;
  Layout();
  ReadSelection();
  return across_;
}

// Every message to the store comes here: only a held selection asks it
// where its selection is.
bool ReadingView::TakeSelectionMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (!across_ || acting_ || reading_ || !ActsOnSelection(message)) return false;
  if (!HoldsSelectionAcross()) return false;
  switch (message) {
    case WM_COPY:
      CopySelectionAcross();
      return true;
    case WM_CUT:
      CopySelectionAcross();
      EraseSelectionAcross();
      return true;
    case WM_CLEAR:
      EraseSelectionAcross();
      return true;
    case WM_PASTE:
    case EM_REPLACESEL:
      EraseSelectionAcross();
      return false;
    case EM_STREAMIN:
      if (wParam & SFF_SELECTION) EraseSelectionAcross();
      return false;
    case WM_CHAR:
      if (wParam >= ' ' || wParam == '\r' || wParam == '\t') EraseSelectionAcross();
      return false;
    case EM_SETCHARFORMAT:
      if (!(wParam & SCF_SELECTION)) return false;
      [[fallthrough]];
    case EM_SETPARAFORMAT:
      FormatPieces(message, wParam, lParam);
      return true;
    case WM_KEYDOWN:
      return TakeKey(wParam);
  }
  return false;
}

// The store's own keys for the clipboard and for deleting; a key that
// types writes over the selection.
bool ReadingView::TakeKey(WPARAM key) {
  const UINT shift = winui::HeldShiftKeys();
  const UINT command = winui::ClipboardKeyCommand(key, shift);
  if (command == WM_COPY || command == WM_CUT) CopySelectionAcross();
  const bool deletes = command == WM_CUT || key == VK_DELETE || key == VK_BACK;
  if (deletes || command == WM_PASTE || (!(shift & MK_CONTROL) && TypesCharacter(key)))
    EraseSelectionAcross();
  return command == WM_COPY || deletes;
}

// What is left of the first paragraph and the last reads on as one, as the
// converter writes it, with its formats: one step that Undo takes back.
void ReadingView::EraseSelectionAcross() {
  if (!HoldsSelectionAcross() || store_.ReadOnly()) return;
  const core::TextPlace top = PlaceOf(std::min(anchor_, caret_));
  const core::TextPlace bottom = PlaceOf(std::max(anchor_, caret_));
  across_ = false;
  setByView_ = {-1, -1};
  const long begin = paragraphs_.starts[top.paragraph];
  const long end = ParagraphEnd(bottom.paragraph);
  const long lastStart = paragraphs_.starts[bottom.paragraph];
  const std::string text = CodesBetween(store_, begin, end);
  const core::LineChange change =
      core::EraseAcrossLines(text, static_cast<std::size_t>(ParagraphEnd(top.paragraph) - begin),
                             top.place, static_cast<std::size_t>(lastStart - begin), bottom.place);
  ApplyJoin(store_, begin, text, change, ReadSide(top, false), ReadSide(bottom, true));
}

void ReadingView::CopySelectionAcross() {
  UseCopyOfSelection([](const RichEditControl& copy) { copy.Send(WM_COPY); });
}

// The stretch from the first piece to the last, streamed into a hidden
// control, without what lies between the pieces.
bool ReadingView::UseCopyOfSelection(const std::function<void(const RichEditControl&)>& use) {
  if (!HoldsSelectionAcross()) return false;
  const std::vector<CHARRANGE> pieces = PiecesBetween(anchor_, caret_);
  const long begin = pieces.front().cpMin;
  const WPARAM format = store_.HasRichText() ? SF_RTF : SF_TEXT;
  std::string stretch;
  {
    const FlagScope acting(acting_);
    const SelectionMovedAside aside(store_, caret_, caret_);
    store_.Send(EM_SETSEL, static_cast<WPARAM>(begin), pieces.back().cpMax);
    stretch = StreamOut(store_, format | SFF_SELECTION);
  }
  if (!selectionCopy_) {
    selectionCopy_ = std::make_unique<RichEditControl>("SelectionCopy");
    selectionCopy_->Create(nullptr, 0, 0, 0, 0, 0);
  }
  const RichEditControl& copy = *selectionCopy_;
  StreamIn(copy, format, stretch);
  long length = pieces.back().cpMax - begin;
  for (std::size_t piece = pieces.size() - 1; piece > 0; --piece) {
    ::Select(copy, pieces[piece - 1].cpMax - begin, pieces[piece].cpMin - begin);
    copy.Send(EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(""));
    length -= pieces[piece].cpMin - pieces[piece - 1].cpMax;
  }
  ::Select(copy, 0, length);
  use(copy);
  return true;
}

// Each piece formatted in turn; paragraph formats go to every paragraph
// from the first to the last.
void ReadingView::FormatPieces(UINT message, WPARAM wParam, LPARAM lParam) {
  const std::vector<CHARRANGE> pieces = PiecesBetween(anchor_, caret_);
  {
    const FlagScope acting(acting_);
    const SelectionMovedAside aside(store_, caret_, caret_);
    const std::vector<CHARRANGE> ranges =
        message == EM_SETPARAFORMAT
            ? std::vector<CHARRANGE>{{pieces.front().cpMin, pieces.back().cpMax}}
            : pieces;
    for (const CHARRANGE& range : ranges) {
      store_.Send(EM_SETSEL, static_cast<WPARAM>(range.cpMin), range.cpMax);
      store_.Send(message, wParam, lParam);
    }
  }
  setByView_ = StoreSelection();
  NoteChangeBetween(pieces.front().cpMin, pieces.back().cpMax);
  known_ = setByView_;
  SelectionChanged();
}
