#include "ScrambledText.h"

#include <gtest/gtest.h>

namespace {

// Worked out by the compiler: a run-time scrambler would fail to compile here.
constexpr core::ScrambledText Wrapped("\xD1\xFF");
static_assert(Wrapped[0] == '\x00' && Wrapped[1] == '\x2E', "bytes wrap around 256");
static_assert(core::ScrambledText<6>::Length == 5, "the terminating zero is not stored");

TEST(ScrambledText, StoresWhatScrambleGives) {
  constexpr core::ScrambledText text("mailto:x@y.invalid \x01\x7F\x80\xD0\xE5\xFF");
  const std::string plain = "mailto:x@y.invalid \x01\x7F\x80\xD0\xE5\xFF";
  EXPECT_EQ(text.Stored(), core::Scramble(plain));
  EXPECT_EQ(core::Unscramble(text.Stored()), plain);
}

TEST(Scramble, RoundTripsEveryByte) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(core::Unscramble(core::Scramble(all)), all);
  EXPECT_EQ(core::Scramble(core::Unscramble(all)), all);
  EXPECT_EQ(core::Unscramble(std::string("\x97\x00", 2)), std::string("h\xD1", 2));
  EXPECT_EQ(core::Scramble("\xE0"), "\x0F");
}

TEST(ScrambledText, KeepsAByteThatScramblesToZero) {
  EXPECT_EQ(Wrapped.Stored(), std::string("\x00\x2E", 2));
  EXPECT_EQ(core::Unscramble(Wrapped.Stored()), "\xD1\xFF");
}

}  // namespace
