#pragma once
#include <windows.h>

namespace winui {

// A window's own scroll bar over content taller or wider than its page:
// the position kept within what can be scrolled, which it returns. A bar
// always shown is disabled while all the content fits.
int SetScrollBar(HWND window, int bar, int content, int page, int position,
                 bool alwaysShown = false);

// Where a scroll bar's request (WM_HSCROLL or WM_VSCROLL) moves the position
// to: by a line step for the arrows, a page for the track, or to the thumb.
// False for the requests that move nothing.
bool ScrollRequest(HWND window, int bar, WORD request, int lineStep, int& position);

}  // namespace winui
