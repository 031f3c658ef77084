#include "ReadingView.h"

#include <richedit.h>

#include <algorithm>

#include "RichEditControl.h"
#include "RunFonts.h"
#include "ScrollBars.h"

namespace {

constexpr char ClassName[] = "DabiroReadingView";

int XOf(LPARAM lParam) { return static_cast<short>(LOWORD(lParam)); }
int YOf(LPARAM lParam) { return static_cast<short>(HIWORD(lParam)); }

}  // namespace

ReadingView::ReadingView(RichEditControl& store, core::RunStyle plainStyle)
    : Window("ReadingView"), store_(store), plainStyle_(std::move(plainStyle)) {}

ReadingView::~ReadingView() {
  fonts_.reset();
  if (measureDc_) DeleteDC(measureDc_);
}

void ReadingView::Create(HWND parent) {
  RegisterClassFor(ClassName, CS_DBLCLKS, nullptr,
                   LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_IBEAM)));
  Window::Create(ClassName, "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_CLIPSIBLINGS,
                 WS_EX_CLIENTEDGE, 0, 0, 0, 0, parent);
  measureDc_ = CreateCompatibleDC(nullptr);
  FontsChanged();
  SetTimer(Handle(), BlinkTimer, GetCaretBlinkTime(), nullptr);
}

void ReadingView::Place(int left, int top, int width, int height) {
  winui::MoveChild(Handle(), left, top, width, height);
  if (GetWindow(GetParent(Handle()), GW_CHILD) != Handle())
    SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// Moving the selection to read paragraphs tells nothing.
void ReadingView::StoreChanged(RichEditControl::Change change) {
  if (reading_ || acting_) return;
  const CHARRANGE now = StoreSelection();
  // A change of text leaves no selection the view held.
  if (change != RichEditControl::Change::Selection) setByView_ = {-1, -1};
  if (change == RichEditControl::Change::Everything) readAll_ = true;
  if (change == RichEditControl::Change::Text && !readAll_)
    NoteChangeBetween(std::min(known_.cpMin, now.cpMin), std::max(known_.cpMin, now.cpMax));
  known_ = now;
  SelectionChanged();
}

CHARRANGE ReadingView::StoreSelection() const {
  DWORD start = 0, end = 0;
  store_.Send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return CHARRANGE{static_cast<LONG>(start), static_cast<LONG>(end)};
}

// What changed lies between where the selection began before and where it
// ends after; paragraphs changed earlier move with those the change added
// or took away.
void ReadingView::NoteChangeBetween(long from, long to) {
  const auto lineOf = [this](long character) {
    return static_cast<std::size_t>(std::max<LRESULT>(0, store_.Send(EM_LINEFROMCHAR, character)));
  };
  const auto count = static_cast<std::size_t>(std::max<LRESULT>(1, store_.Send(EM_GETLINECOUNT)));
  const std::size_t first = lineOf(from), last = lineOf(to);
  if (dirty_) {
    const long long moved = static_cast<long long>(dirtyLast_) + static_cast<long long>(count) -
                            static_cast<long long>(paragraphsNow_);
    dirtyFirst_ = std::min(dirtyFirst_, first);
    dirtyLast_ = static_cast<std::size_t>(std::max<long long>(static_cast<long long>(last), moved));
  } else {
    dirtyFirst_ = first;
    dirtyLast_ = last;
  }
  dirtyLast_ = std::min(dirtyLast_, count - 1);
  dirtyFirst_ = std::min(dirtyFirst_, dirtyLast_);
  dirty_ = true;
  paragraphsNow_ = count;
}

void ReadingView::SelectionChanged() {
  if (!selecting_) goalX_ = -1;
  revealCaret_ = true;
  caretShown_ = true;
  InvalidateRect(Handle(), nullptr, FALSE);
}

void ReadingView::FontsChanged() {
  fonts_ = std::make_unique<RunFonts>(measureDc_, GetDeviceCaps(measureDc_, LOGPIXELSY));
  laidOut_ = false;
  InvalidateRect(Handle(), nullptr, FALSE);
}

int ReadingView::TextWidth() const {
  RECT client{};
  GetClientRect(Handle(), &client);
  return std::max(1, static_cast<int>(client.right) - 2 * Margin);
}

// The paragraphs read have their starts asked again; those after them
// move by as much as the first of them moved.
void ReadingView::MoveStarts(std::size_t first, std::size_t fresh, std::size_t replaced) {
  std::vector<long>& starts = paragraphs_.starts;
  std::vector<long> moved(starts.begin(), starts.begin() + static_cast<std::ptrdiff_t>(first));
  for (std::size_t paragraph = first; paragraph <= first + fresh && paragraph < paragraphsNow_;
       ++paragraph)
    moved.push_back(static_cast<long>(store_.Send(EM_LINEINDEX, paragraph)));
  // The paragraph after those read, as the starts were.
  const std::size_t next = first + replaced;
  if (next < starts.size() && moved.size() == first + fresh + 1) {
    const long by = moved.back() - starts[next];
    for (std::size_t old = next + 1; old < starts.size(); ++old) moved.push_back(starts[old] + by);
  }
  starts = moved.size() == paragraphsNow_ ? std::move(moved) : LineStarts(store_);
}

core::PageSize ReadingView::Page() const {
  return {laidOutWidth_, 0, GetDeviceCaps(measureDc_, LOGPIXELSX)};
}

// Read from the store only what changed; laid out again after that or a
// change of width.
const core::LaidOutText& ReadingView::Layout() {
  if (readAll_)
    ReadAll();
  else if (dirty_)
    ReadChanged();
  if (!laidOut_ || laidOutWidth_ != TextWidth()) {
    laidOutWidth_ = TextWidth();
    fonts_->DrawOn(measureDc_);
    text_ = core::LayOutText(paragraphs_.paragraphs, Page(), fonts_->Measure());
    fonts_->DrawOn(nullptr);
    laidOut_ = true;
    UpdateScrollBar();
  }
  return text_;
}

void ReadingView::ReadAll() {
  paragraphs_ = ReadStoreParagraphs(store_, plainStyle_);
  ++wholeReadings_;
  paragraphsNow_ = paragraphs_.paragraphs.size();
  readAll_ = dirty_ = laidOut_ = false;
}

// The changed paragraphs and one on either side: a paragraph mark typed
// or taken away splits or joins them.
void ReadingView::ReadChanged() {
  dirty_ = false;
  const std::size_t count = paragraphsNow_;
  const std::size_t first = dirtyFirst_ > 0 ? dirtyFirst_ - 1 : 0;
  const std::size_t last = std::min(count - 1, dirtyLast_ + 1);
  const std::size_t fresh = last - first + 1;
  const long long replaced = static_cast<long long>(fresh) - static_cast<long long>(count) +
                             static_cast<long long>(paragraphs_.paragraphs.size());
  std::vector<core::RichParagraph> read;
  ReadSelection();
  reading_ = true;
  const bool readAlone =
      replaced >= 0 &&
      first + static_cast<std::size_t>(replaced) <= paragraphs_.paragraphs.size() &&
      ReadParagraphRange(store_, first, fresh, plainStyle_, anchor_, caret_, read);
  reading_ = false;
  if (!readAlone) return ReadAll();
  auto& paragraphs = paragraphs_.paragraphs;
  const auto at = paragraphs.begin() + static_cast<std::ptrdiff_t>(first);
  paragraphs.erase(at, at + static_cast<std::ptrdiff_t>(replaced));
  paragraphs.insert(paragraphs.begin() + static_cast<std::ptrdiff_t>(first),
                    std::make_move_iterator(read.begin()), std::make_move_iterator(read.end()));
  MoveStarts(first, fresh, static_cast<std::size_t>(replaced));
  if (!laidOut_ || laidOutWidth_ != TextWidth()) return;
  fonts_->DrawOn(measureDc_);
  core::RelayParagraphs(text_, paragraphs, first, static_cast<std::size_t>(replaced), fresh, Page(),
                        fonts_->Measure());
  fonts_->DrawOn(nullptr);
  UpdateScrollBar();
}

// Set only when it changes: the bar draws itself again each time.
void ReadingView::UpdateScrollBar() {
  RECT client{};
  GetClientRect(Handle(), &client);
  const int maximum = std::max(0, text_.height - static_cast<int>(client.bottom));
  scrollTop_ = std::clamp(scrollTop_, 0, maximum);
  const ScrollBarState state{text_.height, static_cast<int>(client.bottom), scrollTop_};
  if (state == shownBar_) return;
  shownBar_ = state;
  // Always shown, as the store's: the text's width stays when it grows
  // past a page.
  winui::SetScrollBar(Handle(), SB_VERT, state.content, state.page, state.position, true);
}

void ReadingView::ScrollTo(int top) {
  const int before = scrollTop_;
  scrollTop_ = top;
  UpdateScrollBar();
  if (scrollTop_ != before) InvalidateRect(Handle(), nullptr, FALSE);
}

void ReadingView::ScrollLines(int lines) {
  const core::LaidOutText& text = Layout();
  if (text.lines.empty()) return;
  const std::size_t first = core::LineAtHeight(text, scrollTop_);
  const auto target = static_cast<std::size_t>(std::clamp<long long>(
      static_cast<long long>(first) + lines, 0, static_cast<long long>(text.lines.size()) - 1));
  ScrollTo(text.lines[target].top);
}

// The caret's line brought into the view, when the selection moved.
void ReadingView::RevealCaret() {
  revealCaret_ = false;
  const core::LaidOutText& text = Layout();
  if (text.lines.empty()) return;
  const core::LaidOutLine& line = text.lines[core::ScreenPlaceOf(text, PlaceOf(caret_)).line];
  RECT client{};
  GetClientRect(Handle(), &client);
  if (line.top < scrollTop_)
    ScrollTo(line.top);
  else if (line.Bottom() > scrollTop_ + client.bottom)
    ScrollTo(line.Bottom() - client.bottom);
}

long ReadingView::StoreOf(core::TextPlace place) const {
  if (place.paragraph >= paragraphs_.starts.size()) return 0;
  return paragraphs_.starts[place.paragraph] + static_cast<long>(place.place);
}

core::TextPlace ReadingView::PlaceOf(long character) const {
  const auto& starts = paragraphs_.starts;
  const auto after = std::upper_bound(starts.begin(), starts.end(), character);
  if (after == starts.begin()) return {};
  const auto paragraph = static_cast<std::size_t>(after - starts.begin() - 1);
  return {paragraph, static_cast<std::size_t>(character - starts[paragraph])};
}

std::vector<std::string> ReadingView::ScreenLines() {
  std::vector<std::string> lines;
  for (const core::LaidOutLine& line : Layout().lines) {
    std::string& codes = lines.emplace_back();
    for (const core::PlacedText& piece : line.pieces) codes += piece.text;
  }
  return lines;
}

core::ScreenPlace ReadingView::Caret() {
  const core::LaidOutText& text = Layout();
  ReadSelection();
  return core::ScreenPlaceOf(text, PlaceOf(caret_));
}

int ReadingView::FirstVisibleLine() {
  const core::LaidOutText& text = Layout();
  if (revealCaret_) RevealCaret();
  return static_cast<int>(core::LineAtHeight(text, scrollTop_));
}

void ReadingView::BlinkCaret() {
  caretShown_ = !caretShown_;
  if (GetFocus() == store_.Handle()) InvalidateRect(Handle(), nullptr, FALSE);
}

LRESULT ReadingView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      return winui::PaintWindow(Handle(), [this](HDC dc, const RECT&) { Paint(dc); });
    case WM_ERASEBKGND:
      return 1;  // Paint covers the whole view
    case WM_SIZE:
      InvalidateRect(Handle(), nullptr, FALSE);
      return 0;
    case WM_VSCROLL: {
      int top = scrollTop_;
      if (winui::ScrollRequest(Handle(), SB_VERT, LOWORD(wParam), 20, top)) ScrollTo(top);
      return 0;
    }
    case WM_TIMER:
      if (wParam == BlinkTimer) BlinkCaret();
      if (wParam == DragTimer && dragging_) Press(dragPoint_.x, dragPoint_.y, true);
      return 0;
    case WM_SETFOCUS:
      // The store takes the keys.
      SetFocus(store_.Handle());
      return 0;
    case WM_LBUTTONDOWN:
      Press(XOf(lParam), YOf(lParam), (wParam & MK_SHIFT) != 0);
      return 0;
    case WM_MOUSEMOVE:
      if (dragging_) DragTo(XOf(lParam), YOf(lParam));
      return 0;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
      if (dragging_ && message == WM_LBUTTONUP) ReleaseCapture();
      dragging_ = false;
      KillTimer(Handle(), DragTimer);
      return 0;
    case WM_LBUTTONDBLCLK:
      SelectWordAt(XOf(lParam), YOf(lParam));
      return 0;
    case WM_RBUTTONDOWN:
      SetFocus(store_.Handle());
      return 0;
    case WM_CONTEXTMENU:
      ShowContextMenu(lParam);
      return 0;
    case WM_DESTROY:
      KillTimer(Handle(), BlinkTimer);
      KillTimer(Handle(), DragTimer);
      break;
  }
  return Window::HandleMessage(message, wParam, lParam);
}

// The form shows the text menu for the store.
void ReadingView::ShowContextMenu(LPARAM lParam) {
  SendMessageA(GetParent(Handle()), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(store_.Handle()),
               lParam);
}
