#pragma once
#include <string>
#include <vector>

namespace core {

// The about box's tops while it slides in from above the screen: 4 * c for
// c from -boxHeight to (screenHeight - boxHeight) / 8, about half way down.
std::vector<int> SlideTops(int boxHeight, int screenHeight);

// The glyph's point size, stepping 47, 46 .. 35, 36 .. 48, 47 .. and
// showing both bounds.
struct Pulse {
  int size = 48;
  int direction = 0;
  int Next();
};

// The glyph's left and top at a point size, so that it grows about a
// fixed centre.
int PulseCorner(int size);

}  // namespace core
