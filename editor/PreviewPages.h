#pragma once
#include <windows.h>

#include <vector>

#include "PreviewGeometry.h"
#include "PrintArea.h"
#include "RichTextPages.h"
#include "Window.h"

// The print preview's view: white sheets of paper with a shadow on grey,
// one or two side by side, each showing its page as the printer draws it,
// scaled (the printer's units mapped onto the sheet). Scroll bars move
// over sheets larger than the view.
class PreviewPageView : public winui::Window {
 public:
  PreviewPageView(RichTextPages& pages, const core::PaperGeometry& paper)
      : Window("PreviewPageView"), pages_(pages), paper_(paper) {}

  void Create(HWND parent);
  // Shows the pages from first (counted from 0) at the zoom, from the top.
  void Show(int firstPage, int pagesShown, int zoom);
  // The sheets as they stand in the view's client area.
  std::vector<RECT> Sheets() const;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  core::PreviewLayout Layout() const;
  void Paint(HDC dc);
  void DrawSheet(HDC dc, const RECT& sheet, int page);
  void UpdateScrollBars();
  void Scroll(int bar, WORD request);

  RichTextPages& pages_;
  core::PaperGeometry paper_;
  int firstPage_ = 0, pagesShown_ = 1, zoom_ = core::FitZoom;
  POINT scrolled_{0, 0};
};
