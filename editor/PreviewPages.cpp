#include "PreviewPages.h"

#include <algorithm>

#include "ScrollBars.h"

namespace {

constexpr char ClassName[] = "DabiroPreviewPages";
constexpr int ShadowDepth = 4;
constexpr int LineStep = 32;  // pixels an arrow of a scroll bar moves

SIZE ClientSize(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  return SIZE{client.right, client.bottom};
}

}  // namespace

void PreviewPageView::Create(HWND parent) {
  RegisterClassFor(ClassName, CS_HREDRAW | CS_VREDRAW, nullptr);
  Window::Create(ClassName, "", WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL | WS_CLIPSIBLINGS,
                 0, 0, 0, 0, 0, parent);
}

void PreviewPageView::Show(int firstPage, int pagesShown, int zoom) {
  firstPage_ = firstPage, pagesShown_ = pagesShown, zoom_ = zoom;
  scrolled_ = POINT{0, 0};
  UpdateScrollBars();
  InvalidateRect(Handle(), nullptr, TRUE);
}

core::PreviewLayout PreviewPageView::Layout() const {
  const SIZE view = ClientSize(Handle());
  HDC screen = GetDC(nullptr);
  const int screenX = GetDeviceCaps(screen, LOGPIXELSX),
            screenY = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return core::LayOutPreview(core::PreviewRequest{
      static_cast<int>(view.cx), static_cast<int>(view.cy), paper_.paperWidth, paper_.paperHeight,
      paper_.dotsPerInchX, paper_.dotsPerInchY, screenX, screenY, pagesShown_, zoom_});
}

std::vector<RECT> PreviewPageView::Sheets() const {
  std::vector<RECT> sheets;
  for (const core::Rect& page : Layout().pages) {
    const int left = page.left - scrolled_.x, top = page.top - scrolled_.y;
    sheets.push_back(RECT{left, top, left + page.width, top + page.height});
  }
  return sheets;
}

void PreviewPageView::Paint(HDC dc) {
  RECT client{};
  GetClientRect(Handle(), &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_APPWORKSPACE));
  const std::vector<RECT> sheets = Sheets();
  for (std::size_t i = 0; i < sheets.size(); ++i)
    if (firstPage_ + static_cast<int>(i) < pages_.Count())
      DrawSheet(dc, sheets[i], firstPage_ + static_cast<int>(i));
}

void PreviewPageView::DrawSheet(HDC dc, const RECT& sheet, int page) {
  RECT shadow = sheet;
  OffsetRect(&shadow, ShadowDepth, ShadowDepth);
  FillRect(dc, &shadow, GetSysColorBrush(COLOR_3DDKSHADOW));
  FillRect(dc, &sheet, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, sheet.left, sheet.top, sheet.right, sheet.bottom);
  // The printer's units onto the sheet; its origin is the corner of what
  // the printer reaches, as on the printer's own context.
  SetMapMode(dc, MM_ANISOTROPIC);
  SetWindowExtEx(dc, std::max(1, paper_.paperWidth), std::max(1, paper_.paperHeight), nullptr);
  SetViewportExtEx(dc, sheet.right - sheet.left, sheet.bottom - sheet.top, nullptr);
  SetViewportOrgEx(dc, sheet.left, sheet.top, nullptr);
  SetWindowOrgEx(dc, -paper_.offsetX, -paper_.offsetY, nullptr);
  pages_.Draw(dc, page);
  RestoreDC(dc, saved);
}

void PreviewPageView::UpdateScrollBars() {
  const core::PreviewLayout layout = Layout();
  const SIZE view = ClientSize(Handle());
  scrolled_.x = winui::SetScrollBar(Handle(), SB_HORZ, layout.contentWidth,
                                    static_cast<int>(view.cx), static_cast<int>(scrolled_.x));
  scrolled_.y = winui::SetScrollBar(Handle(), SB_VERT, layout.contentHeight,
                                    static_cast<int>(view.cy), static_cast<int>(scrolled_.y));
}

void PreviewPageView::Scroll(int bar, WORD request) {
  LONG& scrolled = bar == SB_HORZ ? scrolled_.x : scrolled_.y;
  int position = static_cast<int>(scrolled);
  if (!winui::ScrollRequest(Handle(), bar, request, LineStep, position)) return;
  scrolled = position;
  UpdateScrollBars();
  InvalidateRect(Handle(), nullptr, FALSE);
}

LRESULT PreviewPageView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      return winui::PaintWindow(Handle(), [this](HDC dc, const RECT&) { Paint(dc); });
    case WM_ERASEBKGND:
      return 1;  // Paint covers the whole view
    case WM_SIZE:
      UpdateScrollBars();
      return 0;
    case WM_HSCROLL:
    case WM_VSCROLL:
      Scroll(message == WM_HSCROLL ? SB_HORZ : SB_VERT, LOWORD(wParam));
      return 0;
  }
  return Window::HandleMessage(message, wParam, lParam);
}
