#include "ScrambledText.h"

#include <gtest/gtest.h>

#include "AboutAnimation.h"

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

TEST(ScrambledText, KeepsAByteThatScramblesToZero) {
  EXPECT_EQ(Wrapped.Stored(), std::string("\x00\x2E", 2));
  EXPECT_EQ(core::Unscramble(Wrapped.Stored()), "\xD1\xFF");
}

}  // namespace
