#include "Label.h"

#include <cstring>

namespace winui {

namespace {

constexpr char ClassName[] = "DabiroLabel";

int ScreenPixelsPerInch() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi;
}

}  // namespace

LOGFONTA FontDescription(const char* face, int height, bool bold, bool underline) {
  LOGFONTA font{};
  font.lfHeight = -height;
  font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  font.lfUnderline = underline ? TRUE : FALSE;
  font.lfCharSet = DEFAULT_CHARSET;
  strncpy(font.lfFaceName, face, LF_FACESIZE - 1);
  return font;
}

Label::~Label() {
  if (hfont_) DeleteObject(hfont_);
}

void Label::Create(HWND parent, int left, int top, int width, int height,
                   const std::string& caption) {
  RegisterClassFor(ClassName, 0, nullptr);
  Window::Create(ClassName, caption.c_str(), WS_CHILD | WS_VISIBLE, 0, left, top, width, height,
                 parent);
  SetFont(font_);
}

void Label::SetFont(const LOGFONTA& font) {
  font_ = font;
  if (hfont_) DeleteObject(hfont_);
  hfont_ = CreateFontIndirectA(&font_);
  AdjustSize();
  Redraw();
}

int Label::FontSize() const { return MulDiv(-font_.lfHeight, 72, ScreenPixelsPerInch()); }

void Label::SetFontSize(int points) {
  LOGFONTA font = font_;
  font.lfHeight = -MulDiv(points, ScreenPixelsPerInch(), 72);
  SetFont(font);
}

void Label::SetFontColor(COLORREF colour) {
  fontColor_ = colour;
  Redraw();
}

void Label::SetColor(COLORREF colour) {
  color_ = colour;
  Redraw();
}

void Label::SetAutoSize(bool autoSize) {
  autoSize_ = autoSize;
  AdjustSize();
}

void Label::SetAlignment(UINT alignment) {
  alignment_ = alignment;
  Redraw();
}

void Label::SetPosition(int left, int top) {
  SetWindowPos(Handle(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

UINT Label::TextFormat() const { return DT_EXPANDTABS | DT_SINGLELINE | alignment_; }

void Label::AdjustSize() {
  if (!autoSize_ || !Handle()) return;
  char caption[256] = {};
  GetWindowTextA(Handle(), caption, sizeof caption);
  HDC dc = GetDC(Handle());
  HGDIOBJ old = SelectObject(dc, hfont_);
  RECT text{0, 0, 0, 0};
  DrawTextA(dc, caption, -1, &text, TextFormat() | DT_CALCRECT);
  SelectObject(dc, old);
  ReleaseDC(Handle(), dc);
  SetWindowPos(Handle(), nullptr, 0, 0, text.right, text.bottom,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Label::Redraw() {
  if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
}

void Label::Paint(HDC dc) {
  RECT rc;
  GetClientRect(Handle(), &rc);
  HBRUSH background = CreateSolidBrush(color_);
  FillRect(dc, &rc, background);
  DeleteObject(background);
  char caption[256] = {};
  GetWindowTextA(Handle(), caption, sizeof caption);
  HGDIOBJ old = SelectObject(dc, hfont_);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, fontColor_);
  DrawTextA(dc, caption, -1, &rc, TextFormat());
  SelectObject(dc, old);
}

LRESULT Label::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SETCURSOR:
      if (!cursor_) break;
      ::SetCursor(cursor_);
      return TRUE;
    case WM_LBUTTONDOWN:
      press_.Begin(Handle());
      return 0;
    case WM_LBUTTONUP:
      if (press_.Release(Handle(), lParam) && onClick_) onClick_(this);
      return 0;
    case WM_CANCELMODE:
    case WM_CAPTURECHANGED:
      press_.End(Handle(), message);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(hfont_);
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      return PaintWindow(Handle(), [this](HDC dc, const RECT&) { Paint(dc); });
  }
  return Window::HandleMessage(message, wParam, lParam);
}

}  // namespace winui
