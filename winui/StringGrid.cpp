#include "StringGrid.h"

#include <algorithm>
#include <utility>

#include "KeyState.h"

namespace winui {

namespace {
constexpr char ClassName[] = "DabiroStringGrid";
const std::string NoText;

int Clamp(int value, int low, int high) { return std::max(low, std::min(value, high)); }
}  // namespace

void StringGrid::Create(HWND parent, int left, int top, int width, int height, int columns,
                        int rows, int columnWidth, int rowHeight) {
  columns_ = columns;
  rows_ = rows;
  columnWidth_ = columnWidth;
  rowHeight_ = rowHeight;
  cells_.assign(static_cast<size_t>(columns * rows), std::string());
  RegisterClassFor(ClassName, CS_DBLCLKS, nullptr);
  // Made without bars: each bar shown or hidden later changes the frame,
  // and the cells usually fit.
  Window::Create(ClassName, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER, 0, left, top, width,
                 height, parent);
  UpdateScrollBars();
}

void StringGrid::SetFont(HFONT font) {
  font_ = font;
  InvalidateRect(Handle(), nullptr, TRUE);
}

const std::string& StringGrid::Cell(int column, int row) const {
  if (column < 0 || row < 0 || column >= columns_ || row >= rows_) return NoText;
  return cells_[static_cast<size_t>(row * columns_ + column)];
}

void StringGrid::SetCell(int column, int row, const std::string& text) {
  if (column < 0 || row < 0 || column >= columns_ || row >= rows_) return;
  cells_[static_cast<size_t>(row * columns_ + column)] = text;
  RECT rc = CellRect(column, row);
  InvalidateRect(Handle(), &rc, FALSE);
}

void StringGrid::SetCells(std::vector<std::string> texts) {
  texts.resize(cells_.size());
  cells_ = std::move(texts);
  InvalidateRect(Handle(), nullptr, FALSE);
}

void StringGrid::SetSelection(const GridRect& range) {
  SelectRange({range.left, range.top}, {range.right, range.bottom});
}

void StringGrid::SelectRange(POINT anchor, POINT end) {
  current_ = anchor;
  selection_ = {std::min(anchor.x, end.x), std::min(anchor.y, end.y), std::max(anchor.x, end.x),
                std::max(anchor.y, end.y)};
  if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
}

POINT StringGrid::MouseToCell(int x, int y) const {
  if (x < 0 || y < 0) return {-1, -1};
  const int column = x / BandWidth() + leftTop_.x;
  const int row = y / BandHeight() + leftTop_.y;
  if (column >= columns_ || row >= rows_) return {-1, -1};
  return {column, row};
}

RECT StringGrid::CellRect(int column, int row) const {
  const int x = (column - leftTop_.x) * BandWidth();
  const int y = (row - leftTop_.y) * BandHeight();
  return {x, y, x + columnWidth_, y + rowHeight_};
}

bool StringGrid::IsSelected(int column, int row) const {
  return column >= selection_.left && column <= selection_.right && row >= selection_.top &&
         row <= selection_.bottom;
}

LRESULT StringGrid::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      OnMouseDown(MouseButton::Left, wParam, lParam);
      return 0;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      OnMouseDown(MouseButton::Right, wParam, lParam);
      return 0;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
      OnMouseDown(MouseButton::Middle, wParam, lParam);
      return 0;
    case WM_MOUSEMOVE:
      if (dragging_) {
        const POINT cell =
            MouseToCell(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        if (cell.x >= 0) SelectRange(current_, cell);
      }
      return 0;
    case WM_LBUTTONUP:
    case WM_CANCELMODE:
    case WM_CAPTURECHANGED:
      if (dragging_) {
        dragging_ = false;
        if (GetCapture() == Handle()) ReleaseCapture();
      }
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS;
    case WM_KEYDOWN: {
      WORD key = LOWORD(wParam);
      if (onKeyDown_) onKeyDown_(this, key, HeldShiftKeys());
      if (key) OnKeyDown(key);
      return 0;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      InvalidateRect(Handle(), nullptr, FALSE);
      return 0;
    case WM_SIZE:
      UpdateScrollBars();
      return 0;
    case WM_HSCROLL:
      Scroll(SB_HORZ, wParam);
      return 0;
    case WM_VSCROLL:
      Scroll(SB_VERT, wParam);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      return PaintWindow(Handle(), [this](HDC dc, const RECT& dirty) { Paint(dc, dirty); });
  }
  return Window::HandleMessage(message, wParam, lParam);
}

void StringGrid::OnMouseDown(MouseButton button, WPARAM keys, LPARAM lParam) {
  const int x = static_cast<short>(LOWORD(lParam));
  const int y = static_cast<short>(HIWORD(lParam));
  SetFocus(Handle());
  if (button == MouseButton::Left) {
    const POINT cell = MouseToCell(x, y);
    if (cell.x >= 0) {
      SelectRange((keys & MK_SHIFT) ? current_ : cell, cell);
      if (!(keys & MK_SHIFT)) {
        dragging_ = true;
        SetCapture(Handle());
      }
    }
  }
  if (onMouseDown_) onMouseDown_(this, button, static_cast<UINT>(keys), x, y);
}

void StringGrid::OnKeyDown(WPARAM key) {
  POINT target = current_;
  switch (key) {
    case VK_LEFT:
      --target.x;
      break;
    case VK_RIGHT:
      ++target.x;
      break;
    case VK_UP:
      --target.y;
      break;
    case VK_DOWN:
      ++target.y;
      break;
    case VK_HOME:
      target.x = 0;
      break;
    case VK_END:
      target.x = columns_ - 1;
      break;
    case VK_PRIOR:
      target.y = 0;
      break;
    case VK_NEXT:
      target.y = rows_ - 1;
      break;
    default:
      return;
  }
  target = {Clamp(target.x, 0, columns_ - 1), Clamp(target.y, 0, rows_ - 1)};
  SelectRange(target, target);
  MakeVisible(target);
}

void StringGrid::Paint(HDC dc, const RECT& dirty) {
  RECT client;
  GetClientRect(Handle(), &client);
  FillRect(dc, &dirty, GetSysColorBrush(COLOR_WINDOW));
  HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNFACE));
  HGDIOBJ oldPen = SelectObject(dc, pen);
  HGDIOBJ oldFont = font_ ? SelectObject(dc, font_) : nullptr;
  // Asked once: under Wine each question goes to the window server.
  const bool focused = GetFocus() == Handle();
  for (int row = leftTop_.y; row < rows_; ++row) {
    for (int column = leftTop_.x; column < columns_; ++column) {
      const RECT rc = CellRect(column, row);
      if (rc.left > client.right || rc.top > client.bottom) continue;
      PaintCell(dc, column, row, focused);
      // Grid lines: right of every column and below every row.
      MoveToEx(dc, rc.right, rc.top, nullptr);
      LineTo(dc, rc.right, rc.bottom + 1);
      MoveToEx(dc, rc.left, rc.bottom, nullptr);
      LineTo(dc, rc.right, rc.bottom);
    }
  }
  if (oldFont) SelectObject(dc, oldFont);
  SelectObject(dc, oldPen);
  DeleteObject(pen);
}

void StringGrid::PaintCell(HDC dc, int column, int row, bool focused) {
  const RECT rc = CellRect(column, row);
  const bool isCurrent = column == current_.x && row == current_.y;
  const bool highlighted = IsSelected(column, row) && !(focused && isCurrent);
  SetBkColor(dc, GetSysColor(highlighted ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  SetTextColor(dc, GetSysColor(highlighted ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  const std::string& text = Cell(column, row);
  ExtTextOutA(dc, rc.left + 2, rc.top + 2, ETO_CLIPPED | ETO_OPAQUE, &rc, text.data(),
              static_cast<UINT>(text.size()), nullptr);
  if (focused && isCurrent) DrawFocusRect(dc, &rc);
}

void StringGrid::UpdateScrollBars() {
  RECT client;
  GetClientRect(Handle(), &client);
  const LONG style = GetWindowLongA(Handle(), GWL_STYLE);
  const int barWidth = GetSystemMetrics(SM_CXVSCROLL), barHeight = GetSystemMetrics(SM_CYHSCROLL);
  // Decide on the area without bars, so they only show when the cells don't fit.
  const int width = client.right + (style & WS_VSCROLL ? barWidth : 0);
  const int height = client.bottom + (style & WS_HSCROLL ? barHeight : 0);
  const int cellsWidth = columns_ * BandWidth(), cellsHeight = rows_ * BandHeight();
  bool needH = cellsWidth > width, needV = cellsHeight > height;
  // Each bar takes room from the other direction.
  if (needH && !needV) needV = cellsHeight > height - barHeight;
  if (needV && !needH) needH = cellsWidth > width - barWidth;
  ShowScrollBar(Handle(), SB_HORZ, needH);
  ShowScrollBar(Handle(), SB_VERT, needV);
  ClampLeftTop();
  if (needH) SetBar(SB_HORZ, columns_, VisibleColumns(), leftTop_.x);
  if (needV) SetBar(SB_VERT, rows_, VisibleRows(), leftTop_.y);
  InvalidateRect(Handle(), nullptr, FALSE);
}

void StringGrid::SetBar(int bar, int count, int visible, int position) {
  SCROLLINFO info{sizeof info,
                  SIF_RANGE | SIF_POS | SIF_PAGE,
                  0,
                  count - 1,
                  static_cast<UINT>(visible),
                  position,
                  0};
  SetScrollInfo(Handle(), bar, &info, TRUE);
}

int StringGrid::VisibleColumns() const {
  RECT client;
  GetClientRect(Handle(), &client);
  return std::max(1, static_cast<int>(client.right) / BandWidth());
}

int StringGrid::VisibleRows() const {
  RECT client;
  GetClientRect(Handle(), &client);
  return std::max(1, static_cast<int>(client.bottom) / BandHeight());
}

void StringGrid::ClampLeftTop() {
  leftTop_.x = Clamp(leftTop_.x, 0, std::max(0, columns_ - VisibleColumns()));
  leftTop_.y = Clamp(leftTop_.y, 0, std::max(0, rows_ - VisibleRows()));
}

void StringGrid::Scroll(int bar, WPARAM request) {
  const bool horizontal = bar == SB_HORZ;
  LONG& position = horizontal ? leftTop_.x : leftTop_.y;
  const int page = horizontal ? VisibleColumns() : VisibleRows();
  switch (LOWORD(request)) {
    case SB_LINEUP:
      --position;
      break;
    case SB_LINEDOWN:
      ++position;
      break;
    case SB_PAGEUP:
      position -= page;
      break;
    case SB_PAGEDOWN:
      position += page;
      break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      position = HIWORD(request);
      break;
    case SB_TOP:
      position = 0;
      break;
    case SB_BOTTOM:
      position = horizontal ? columns_ : rows_;
      break;
    default:
      return;
  }
  ScrollTo(leftTop_);
}

void StringGrid::MakeVisible(POINT cell) {
  POINT leftTop = leftTop_;
  leftTop.x = Clamp(leftTop.x, cell.x - VisibleColumns() + 1, cell.x);
  leftTop.y = Clamp(leftTop.y, cell.y - VisibleRows() + 1, cell.y);
  ScrollTo(leftTop);
}

void StringGrid::ScrollTo(POINT leftTop) {
  leftTop_ = leftTop;
  ClampLeftTop();
  const LONG style = GetWindowLongA(Handle(), GWL_STYLE);
  if (style & WS_HSCROLL) SetScrollPos(Handle(), SB_HORZ, leftTop_.x, TRUE);
  if (style & WS_VSCROLL) SetScrollPos(Handle(), SB_VERT, leftTop_.y, TRUE);
  InvalidateRect(Handle(), nullptr, FALSE);
}

}  // namespace winui
