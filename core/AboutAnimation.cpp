#include "AboutAnimation.h"

namespace core {

namespace {

constexpr int LargestSize = 48;
constexpr int SmallestSize = 35;
constexpr int ScrambleOffset = 47;

std::string ShiftBytes(std::string text, int offset) {
  for (char& c : text) c = static_cast<char>(static_cast<unsigned char>(c) + offset);
  return text;
}

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

std::string Scramble(const std::string& text) { return ShiftBytes(text, ScrambleOffset); }

std::string Unscramble(const std::string& text) { return ShiftBytes(text, -ScrambleOffset); }

}  // namespace core
