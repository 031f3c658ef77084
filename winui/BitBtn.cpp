#include "BitBtn.h"

#include "Form.h"
#include "TransparentPicture.h"

namespace winui {

namespace {
constexpr char ClassName[] = "DabiroBitBtn";
constexpr int GlyphSpacing = 4;  // between glyph and caption

// The top-level window that holds a child window.
HWND TopLevelOf(HWND window) {
  while (GetWindowLongPtrA(window, GWL_STYLE) & WS_CHILD) window = GetParent(window);
  return window;
}
}  // namespace

BitBtn::~BitBtn() {
  if (glyph_) DeleteObject(glyph_);
}

void BitBtn::Create(HWND parent, int left, int top, int width, int height,
                    const std::string& caption) {
  RegisterClassFor(ClassName, CS_DBLCLKS, nullptr);
  Window::Create(ClassName, caption.c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, left, top,
                 width, height, parent);
}

void BitBtn::SetGlyph(HBITMAP glyph) {
  if (glyph_) DeleteObject(glyph_);
  glyph_ = glyph;
  InvalidateRect(Handle(), nullptr, FALSE);
}

void BitBtn::SetDefault(bool isDefault) {
  default_ = isDefault;
  InvalidateRect(Handle(), nullptr, FALSE);
}

void BitBtn::Click() {
  if (modalResult_ != 0) {
    if (auto* form = dynamic_cast<Form*>(FromHandle(TopLevelOf(Handle()))))
      form->SetModalResult(modalResult_);
  }
  if (onClick_) onClick_(this);
}

void BitBtn::Report(const MouseHandler& handler, WPARAM keys, LPARAM lParam) {
  if (handler)
    handler(this, MouseButton::Left, static_cast<UINT>(keys), static_cast<short>(LOWORD(lParam)),
            static_cast<short>(HIWORD(lParam)));
}

void BitBtn::ButtonUp(WPARAM keys, LPARAM lParam) {
  if (press_.Release(Handle(), lParam)) Click();
  Report(onMouseUp_, keys, lParam);
}

LRESULT BitBtn::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_GETDLGCODE:
      return DLGC_BUTTON | (default_ ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
    case WM_SETFONT:
      font_ = reinterpret_cast<HFONT>(wParam);
      if (LOWORD(lParam)) InvalidateRect(Handle(), nullptr, FALSE);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(font_);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      SetFocus(Handle());
      press_.Begin(Handle());
      Report(onMouseDown_, wParam, lParam);
      return 0;
    case WM_MOUSEMOVE:
      press_.Follow(Handle(), lParam);
      return 0;
    case WM_LBUTTONUP:
      ButtonUp(wParam, lParam);
      return 0;
    case WM_CANCELMODE:
    case WM_CAPTURECHANGED:
      press_.End(Handle(), message);
      return 0;
    case WM_KEYDOWN:
      if (wParam != VK_SPACE) break;
      spaceDown_ = true;
      press_.SetPressed(Handle(), true);
      return 0;
    case WM_KEYUP:
      if (wParam != VK_SPACE || !spaceDown_) break;
      spaceDown_ = false;
      press_.SetPressed(Handle(), false);
      Click();
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      spaceDown_ = false;
      if (!press_.Tracking()) press_.SetPressed(Handle(), false);
      InvalidateRect(Handle(), nullptr, FALSE);
      return 0;
    case BM_CLICK:
      Click();
      return 0;
    case WM_ENABLE:
      InvalidateRect(Handle(), nullptr, FALSE);
      return 0;
    case WM_SETTEXT: {
      const LRESULT result = Window::HandleMessage(message, wParam, lParam);
      InvalidateRect(Handle(), nullptr, FALSE);
      return result;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      return PaintWindow(Handle(), [this](HDC dc, const RECT&) { Paint(dc); });
  }
  return Window::HandleMessage(message, wParam, lParam);
}

SIZE BitBtn::GlyphSize() const {
  if (!glyph_) return {0, 0};
  BITMAP info;
  GetObjectA(glyph_, sizeof info, &info);
  return {info.bmWidth / 2, info.bmHeight};
}

void BitBtn::DrawGlyph(HDC dc, int x, int y) const {
  const SIZE size = GlyphSize();
  // The glyph's bottom left pixel holds its transparent colour.
  HDC probe = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(probe, glyph_);
  const COLORREF transparent = GetPixel(probe, 0, size.cy - 1);
  SelectObject(probe, old);
  DeleteDC(probe);
  const int image = IsWindowEnabled(Handle()) ? 0 : 1;
  DrawTransparent(dc, x, y, glyph_, image * size.cx, size.cx, size.cy, transparent);
}

void BitBtn::Paint(HDC dc) {
  RECT rc;
  GetClientRect(Handle(), &rc);
  const bool focused = GetFocus() == Handle();
  if (default_ || focused) {
    FrameRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    InflateRect(&rc, -1, -1);
  }
  DrawFrameControl(dc, &rc, DFC_BUTTON, DFCS_BUTTONPUSH | (press_.Pressed() ? DFCS_PUSHED : 0));

  char caption[256] = {};
  GetWindowTextA(Handle(), caption, sizeof caption);
  HGDIOBJ oldFont = SelectObject(dc, font_ ? font_ : GetStockObject(DEFAULT_GUI_FONT));
  RECT text{0, 0, 0, 0};
  DrawTextA(dc, caption, -1, &text, DT_SINGLELINE | DT_CALCRECT);
  const SIZE glyph = GlyphSize();
  const int shift = press_.Pressed() ? 1 : 0;
  const int width = glyph.cx + (glyph.cx ? GlyphSpacing : 0) + text.right;
  const int left = (rc.left + rc.right - width) / 2 + shift;
  const int middle = (rc.top + rc.bottom) / 2 + shift;
  if (glyph_) DrawGlyph(dc, left, middle - glyph.cy / 2);
  OffsetRect(&text, left + width - text.right, middle - text.bottom / 2);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(IsWindowEnabled(Handle()) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
  DrawTextA(dc, caption, -1, &text, DT_SINGLELINE);
  SelectObject(dc, oldFont);

  if (focused) {
    InflateRect(&rc, -3, -3);
    DrawFocusRect(dc, &rc);
  }
}

}  // namespace winui
