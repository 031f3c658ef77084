#pragma once
#include <functional>
#include <string>
#include <vector>

#include "Window.h"

namespace winui {

struct GridRect {
  int left, top, right, bottom;
  bool operator==(const GridRect& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
};

enum class MouseButton { Left, Right, Middle };

// A grid of text cells, read-only: cells show one line of text each, a
// rectangular range can be selected with the left button or the keyboard,
// and every mouse press takes the focus and is reported to the owner.
class StringGrid : public Window {
 public:
  using MouseDownHandler =
      std::function<void(Component* sender, MouseButton button, UINT keys, int x, int y)>;

  using Window::Window;
  void Create(HWND parent, int left, int top, int width, int height, int columns, int rows,
              int columnWidth, int rowHeight);
  void SetFont(HFONT font);
  void SetOnMouseDown(MouseDownHandler handler) { onMouseDown_ = std::move(handler); }
  // Runs before the grid's own key handling; a key set to 0 is not moved on.
  using KeyDownHandler = std::function<void(Component* sender, WORD& key, UINT shift)>;
  void SetOnKeyDown(KeyDownHandler handler) { onKeyDown_ = std::move(handler); }

  const std::string& Cell(int column, int row) const;
  void SetCell(int column, int row, const std::string& text);
  // Every cell at once, row after row (extra texts are left out, missing
  // ones are empty), with one repaint: a repaint asked for each cell is a
  // call to the window system each.
  void SetCells(std::vector<std::string> texts);

  GridRect Selection() const { return selection_; }
  // Selects the range; its top-left cell becomes the current cell.
  void SetSelection(const GridRect& range);
  POINT CurrentCell() const { return current_; }

  // The cell under a client point, taking scrolling into account; -1, -1
  // outside the cells.
  POINT MouseToCell(int x, int y) const;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  int BandWidth() const { return columnWidth_ + 1; }
  int BandHeight() const { return rowHeight_ + 1; }
  RECT CellRect(int column, int row) const;
  bool IsSelected(int column, int row) const;
  void SelectRange(POINT anchor, POINT end);
  void Paint(HDC dc, const RECT& dirty);
  void PaintCell(HDC dc, int column, int row, bool focused);
  void OnMouseDown(MouseButton button, WPARAM keys, LPARAM lParam);
  void OnKeyDown(WPARAM key);
  void UpdateScrollBars();
  void SetBar(int bar, int count, int visible, int position);
  int VisibleColumns() const;
  int VisibleRows() const;
  void ClampLeftTop();
  void Scroll(int bar, WPARAM request);
  void MakeVisible(POINT cell);
  void ScrollTo(POINT leftTop);

  int columns_ = 0, rows_ = 0, columnWidth_ = 0, rowHeight_ = 0;
  std::vector<std::string> cells_;
  GridRect selection_{0, 0, 0, 0};
  POINT current_{0, 0};
  POINT leftTop_{0, 0};  // first visible column and row
  bool dragging_ = false;
  HFONT font_ = nullptr;
  MouseDownHandler onMouseDown_;
  KeyDownHandler onKeyDown_;
};

}  // namespace winui
