#include "PreviewGeometry.h"

#include <algorithm>

namespace core {

namespace {

struct Size {
  int width, height;
};

// The paper's size in inches, as a width and height ratio of the screen.
Size PageSize(const PreviewRequest& r) {
  const double inchesWide = static_cast<double>(r.paperWidth) / std::max(1, r.paperDotsPerInchX);
  const double inchesHigh = static_cast<double>(r.paperHeight) / std::max(1, r.paperDotsPerInchY);
  const int pages = std::max(1, r.pagesShown);
  double scale;  // screen pixels per inch of paper, across
  if (r.zoom == FitZoom) {
    const double roomWide = static_cast<double>(r.viewWidth - (pages + 1) * PreviewGap) / pages;
    const double roomHigh = r.viewHeight - 2.0 * PreviewGap;
    scale = std::min(roomWide / std::max(inchesWide, 1e-6), roomHigh / std::max(inchesHigh, 1e-6));
  } else {
    scale = r.screenDotsPerInchX * r.zoom / 100.0;
  }
  const double scaleY = r.zoom == FitZoom ? scale : r.screenDotsPerInchY * r.zoom / 100.0;
  return Size{std::max(1, static_cast<int>(inchesWide * scale)),
              std::max(1, static_cast<int>(inchesHigh * scaleY))};
}

}  // namespace

PreviewLayout LayOutPreview(const PreviewRequest& request) {
  const Size page = PageSize(request);
  const int pages = std::max(1, request.pagesShown);
  const int rowWidth = pages * page.width + (pages + 1) * PreviewGap;
  const int rowHeight = page.height + 2 * PreviewGap;
  PreviewLayout layout;
  layout.contentWidth = std::max(request.viewWidth, rowWidth);
  layout.contentHeight = std::max(request.viewHeight, rowHeight);
  const int left = (layout.contentWidth - rowWidth) / 2 + PreviewGap;
  const int top = (layout.contentHeight - rowHeight) / 2 + PreviewGap;
  for (int i = 0; i < pages; ++i)
    layout.pages.push_back(
        Rect{left + i * (page.width + PreviewGap), top, page.width, page.height});
  return layout;
}

}  // namespace core
