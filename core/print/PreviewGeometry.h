#pragma once
#include <vector>

#include "DialogGeometry.h"

namespace core {

// Where the print preview puts its pages, in the pixels of its view.

// The zoom steps, from the first: fit the page in the view, then
// percentages of the paper's real size.
constexpr int FitZoom = 0;
constexpr int ZoomSteps[] = {FitZoom, 50, 75, 100, 150, 200};
constexpr int ZoomStepCount = static_cast<int>(sizeof ZoomSteps / sizeof ZoomSteps[0]);

struct PreviewRequest {
  int viewWidth = 0, viewHeight = 0;
  int paperWidth = 0, paperHeight = 0;  // in the printer's units
  int paperDotsPerInchX = 1, paperDotsPerInchY = 1;
  int screenDotsPerInchX = 96, screenDotsPerInchY = 96;
  int pagesShown = 1;  // side by side
  int zoom = FitZoom;  // one of ZoomSteps
};

struct PreviewLayout {
  std::vector<Rect> pages;                  // left to right, in the scrolled content
  int contentWidth = 0, contentHeight = 0;  // at least the view's size
};

// The gap around and between pages, and so the room of their shadows.
constexpr int PreviewGap = 16;

// Pages keep the paper's shape; they stand centred in the view where they
// fit, and make the content larger (to scroll) where they do not. No page
// is smaller than one pixel.
PreviewLayout LayOutPreview(const PreviewRequest& request);

}  // namespace core
