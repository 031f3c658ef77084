#include "AboutAnimation.h"

namespace core {

namespace {

constexpr int LargestSize = 48;
constexpr int SmallestSize = 35;

}  // namespace

std::vector<int> SlideTops(int boxHeight, int screenHeight) {
  const int last = (screenHeight - boxHeight) / 8;  // truncates toward zero
  std::vector<int> tops;
  for (int c = -boxHeight; c <= last; ++c) tops.push_back(4 * c);
  return tops;
}

int Pulse::Next() {
  if (size == LargestSize) direction = -1;
  if (size == SmallestSize) direction = +1;
  size += direction;
  return size;
}

int PulseCorner(int size) { return 56 - size; }

}  // namespace core
