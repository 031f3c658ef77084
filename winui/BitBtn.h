#pragma once
#include <functional>
#include <string>

#include "PressTracker.h"
#include "StringGrid.h"
#include "Window.h"

namespace winui {

// A push button that draws a glyph left of its caption. The glyph bitmap
// holds the normal and the disabled image side by side; the colour of its
// bottom-left pixel is transparent. A click first hands the button's modal
// result (if not 0) to its form, then runs the click handler. The button
// takes the focus and answers Space and BM_CLICK like a standard one.
class BitBtn : public Window {
 public:
  using ClickHandler = std::function<void(Component* sender)>;
  using MouseHandler =
      std::function<void(Component* sender, MouseButton button, UINT keys, int x, int y)>;

  using Window::Window;
  ~BitBtn() override;

  void Create(HWND parent, int left, int top, int width, int height, const std::string& caption);
  void SetGlyph(HBITMAP glyph);  // the button deletes it
  void SetDefault(bool isDefault);
  bool Default() const { return default_; }
  void SetModalResult(int result) { modalResult_ = result; }
  int ModalResult() const { return modalResult_; }

  void SetOnClick(ClickHandler handler) { onClick_ = std::move(handler); }
  void SetOnMouseDown(MouseHandler handler) { onMouseDown_ = std::move(handler); }
  void SetOnMouseUp(MouseHandler handler) { onMouseUp_ = std::move(handler); }
  void Click();

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Paint(HDC dc);
  void DrawGlyph(HDC dc, int x, int y) const;
  SIZE GlyphSize() const;
  void Report(const MouseHandler& handler, WPARAM keys, LPARAM lParam);
  void ButtonUp(WPARAM keys, LPARAM lParam);

  HBITMAP glyph_ = nullptr;
  HFONT font_ = nullptr;
  bool default_ = false;
  int modalResult_ = 0;
  PressTracker press_;
  bool spaceDown_ = false;
  ClickHandler onClick_;
  MouseHandler onMouseDown_;
  MouseHandler onMouseUp_;
};

}  // namespace winui
