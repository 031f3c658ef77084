#include "ScrollBars.h"

#include <algorithm>

namespace winui {

int SetScrollBar(HWND window, int bar, int content, int page, int position, bool alwaysShown) {
  position = std::clamp(position, 0, std::max(0, content - page));
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | (alwaysShown ? SIF_DISABLENOSCROLL : 0);
  info.nMax = content - 1;
  info.nPage = static_cast<UINT>(std::max(0, page));
  info.nPos = position;
  SetScrollInfo(window, bar, &info, TRUE);
  return position;
}

bool ScrollRequest(HWND window, int bar, WORD request, int lineStep, int& position) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  GetScrollInfo(window, bar, &info);
  const int page = static_cast<int>(info.nPage);
  switch (request) {
    case SB_LINEUP:
      position -= lineStep;
      return true;
    case SB_LINEDOWN:
      position += lineStep;
      return true;
    case SB_PAGEUP:
      position -= page;
      return true;
    case SB_PAGEDOWN:
      position += page;
      return true;
    case SB_THUMBTRACK:
      position = info.nTrackPos;
      return true;
    default:
      return false;
  }
}

}  // namespace winui
