#pragma once
#include <cstdint>
#include <limits>

// Format sizes and offsets travel in twips, twenty to the point.
constexpr int TwipsPerPoint = 20;

// Sizes come from the user's text unchecked: a product beyond the 32-bit
// range is held at its edge instead of wrapping to a wrong sign.
constexpr int32_t PointsToTwips(int32_t points) {
  const int64_t twips = static_cast<int64_t>(points) * TwipsPerPoint;
  if (twips > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (twips < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(twips);
}
