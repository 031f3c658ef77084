#pragma once
#include <functional>
#include <string>

#include "PressTracker.h"
#include "Window.h"

namespace winui {

// The description of a font by face, character height in pixels and style.
LOGFONTA FontDescription(const char* face, int height, bool bold = false, bool underline = false);

// A caption drawn on an opaque background in its own font and colours.
// With auto size it is as large as its text. It shows its own mouse cursor
// and reports clicks (press and release on it).
class Label : public Window {
 public:
  using ClickHandler = std::function<void(Component* sender)>;

  using Window::Window;
  ~Label() override;

  void Create(HWND parent, int left, int top, int width, int height, const std::string& caption);

  void SetFont(const LOGFONTA& font);
  const LOGFONTA& Font() const { return font_; }
  // The font's size in points at the screen's resolution; face and style stay.
  int FontSize() const;
  void SetFontSize(int points);

  COLORREF FontColor() const { return fontColor_; }
  void SetFontColor(COLORREF colour);
  COLORREF Color() const { return color_; }
  void SetColor(COLORREF colour);

  void SetAutoSize(bool autoSize);
  void SetAlignment(UINT alignment);  // DT_LEFT, DT_CENTER or DT_RIGHT
  void SetCursor(HCURSOR cursor) { cursor_ = cursor; }
  void SetPosition(int left, int top);
  void SetOnClick(ClickHandler handler) { onClick_ = std::move(handler); }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  UINT TextFormat() const;
  void Paint(HDC dc);
  void AdjustSize();
  void Redraw();

  LOGFONTA font_ = FontDescription("MS Sans Serif", 13);
  HFONT hfont_ = nullptr;
  COLORREF fontColor_ = GetSysColor(COLOR_WINDOWTEXT);
  COLORREF color_ = GetSysColor(COLOR_BTNFACE);
  bool autoSize_ = false;
  UINT alignment_ = DT_LEFT;
  HCURSOR cursor_ = nullptr;
  PressTracker press_;
  ClickHandler onClick_;
};

}  // namespace winui
