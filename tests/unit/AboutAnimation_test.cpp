#include "AboutAnimation.h"

#include <gtest/gtest.h>

namespace {

TEST(SlideTops, StepsFourPixelsFromAboveToAboutHalfWay) {
  const std::vector<int> tops = core::SlideTops(320, 768);
  ASSERT_EQ(tops.size(), 377u);  // c = -320 .. 56
  EXPECT_EQ(tops.front(), -1280);
  EXPECT_EQ(tops.back(), 224);
  for (size_t i = 1; i < tops.size(); ++i) ASSERT_EQ(tops[i] - tops[i - 1], 4);
}

TEST(SlideTops, LastStepTruncatesTowardZero) {
  EXPECT_EQ(core::SlideTops(300, 768).back(), 232);                   // 58.5 -> 58
  EXPECT_EQ(core::SlideTops(10, -69), (std::vector<int>{-40, -36}));  // -9.875 -> -9
  EXPECT_EQ(core::SlideTops(8, -56), std::vector<int>{-32});
  EXPECT_TRUE(core::SlideTops(10, -100).empty());
}

TEST(Pulse, CyclesBetweenBothBounds) {
  std::vector<int> expected;
  for (int s = 47; s >= 35; --s) expected.push_back(s);
  for (int s = 36; s <= 48; ++s) expected.push_back(s);
  core::Pulse pulse;
  for (int round = 0; round < 2; ++round) {
    std::vector<int> sizes;
    for (int pass = 0; pass < 26; ++pass) sizes.push_back(pulse.Next());
    EXPECT_EQ(sizes, expected) << "round " << round;
  }
}

TEST(Pulse, CornerMovesBetweenEightAndTwentyOne) {
  EXPECT_EQ(core::PulseCorner(48), 8);
  EXPECT_EQ(core::PulseCorner(35), 21);
}

}  // namespace
