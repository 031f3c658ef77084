#include <richedit.h>

#include <algorithm>

#include "ReadingView.h"
#include "RichEditControl.h"
#include "RunFonts.h"

namespace {

// The lines of the text that meet the band from top to bottom.
std::pair<std::size_t, std::size_t> LinesBetween(const core::LaidOutText& text, int top,
                                                 int bottom) {
  if (text.lines.empty()) return {0, 0};
  const std::size_t first = core::LineAtHeight(text, top);
  std::size_t end = first;
  while (end < text.lines.size() && text.lines[end].top < bottom) ++end;
  return {first, end};
}

}  // namespace

// Drawn off screen first, so that typing does not flicker.
void ReadingView::Paint(HDC dc) {
  const core::LaidOutText& text = Layout();
  ReadSelection();
  if (revealCaret_) RevealCaret();
  RECT client{};
  GetClientRect(Handle(), &client);
  HDC memory = CreateCompatibleDC(dc);
  HBITMAP bitmap =
      CreateCompatibleBitmap(dc, std::max(1L, client.right), std::max(1L, client.bottom));
  const HGDIOBJ previous = SelectObject(memory, bitmap);
  FillRect(memory, &client, GetSysColorBrush(COLOR_WINDOW));
  SetViewportOrgEx(memory, Margin, -scrollTop_, nullptr);
  fonts_->DrawOn(memory);
  const auto [first, end] = LinesBetween(text, scrollTop_, scrollTop_ + client.bottom);
  for (std::size_t line = first; line < end; ++line)
    DrawPlacedText(memory, text.lines[line].pieces, *fonts_, 0, true);
  fonts_->DrawOn(nullptr);
  const std::vector<CHARRANGE> pieces = SelectedPieces();
  if (!pieces.empty())
    PaintSelection(memory, pieces);
  else
    PaintCaret(memory);
  SetViewportOrgEx(memory, 0, 0, nullptr);
  BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
  SelectObject(memory, previous);
  DeleteObject(bitmap);
  DeleteDC(memory);
}

// Each selected code of the visible lines, inverted where it is drawn.
void ReadingView::PaintSelection(HDC dc, const std::vector<CHARRANGE>& pieces) {
  const auto selected = [&pieces](long character) {
    return std::any_of(pieces.begin(), pieces.end(), [character](const CHARRANGE& piece) {
      return character >= piece.cpMin && character < piece.cpMax;
    });
  };
  RECT client{};
  GetClientRect(Handle(), &client);
  const auto [first, end] = LinesBetween(text_, scrollTop_, scrollTop_ + client.bottom);
  for (std::size_t index = first; index < end; ++index) {
    const core::LaidOutLine& line = text_.lines[index];
    const core::WrappedLines& lines = text_.paragraphs[line.paragraph];
    const long start = paragraphs_.starts[line.paragraph];
    for (std::size_t shown = lines.starts[line.line]; shown < lines.starts[line.line + 1];
         ++shown) {
      const long character = start + static_cast<long>(lines.shown[shown]);
      if (!selected(character)) continue;
      const std::size_t place = shown - lines.starts[line.line];
      RECT box{line.placeX[place], line.top, line.placeX[place + 1], line.Bottom()};
      InvertRect(dc, &box);
    }
  }
}

void ReadingView::PaintCaret(HDC dc) {
  if (!caretShown_ || GetFocus() != store_.Handle() || text_.lines.empty()) return;
  const core::ScreenPlace caret = core::ScreenPlaceOf(text_, PlaceOf(caret_));
  const core::LaidOutLine& line = text_.lines[caret.line];
  PatBlt(dc, caret.x - 1, line.top, 2, line.Bottom() - line.top, DSTINVERT);
}
