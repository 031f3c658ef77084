#pragma once
#include <windows.h>

namespace winui {

// Draws width x height pixels of picture, from (sourceX, 0), at (x, y) of
// dc, leaving dc as it was wherever the picture has the colour transparent.
// Done with a mask and plain BitBlt, which every Windows since 95 has.
void DrawTransparent(HDC dc, int x, int y, HBITMAP picture, int sourceX, int width, int height,
                     COLORREF transparent);

}  // namespace winui
