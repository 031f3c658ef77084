#include "LineBreakConverter.h"

#include <gtest/gtest.h>

#include <random>

#include "LineBreakModel.h"

using namespace std::string_literals;
using core::LineBreakConverter;

struct LineBreakCase {
  std::string input;
  std::string expected;
};

class LineBreaks : public testing::TestWithParam<LineBreakCase> {};

// The result must not depend on where the reads were cut: whole, cut in
// two at every point (so each CR LF is split once), and byte by byte.
TEST_P(LineBreaks, SameResultWhereverTheInputIsCut) {
  const auto& [input, expected] = GetParam();
  EXPECT_EQ(ConvertInChunks(input, {}), expected);
  for (std::size_t cut = 0; cut <= input.size(); ++cut)
    EXPECT_EQ(ConvertInChunks(input, {cut}), expected) << "cut at " << cut;
  EXPECT_EQ(ConvertInChunks(input, std::vector<std::size_t>(input.size(), 1)), expected);
  EXPECT_EQ(ConvertLineBreaksWhole(input), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LineBreaks,
    testing::Values(
        LineBreakCase{"", ""}, LineBreakCase{"a\rb", "a\r\nb"}, LineBreakCase{"a\nb", "a\r\nb"},
        LineBreakCase{"a\r\nb", "a\r\nb"}, LineBreakCase{"\n\r", "\r\n\r\n"},
        LineBreakCase{"\r\r\n\n", "\r\n\r\n\r\n"}, LineBreakCase{"last line\r", "last line\r\n"},
        LineBreakCase{"one\rtwo\nthree\r\nfour", "one\r\ntwo\r\nthree\r\nfour"},
        LineBreakCase{"\0\0text"s, "text"}, LineBreakCase{"te\0xt\0\nmore"s, "text\r\nmore"},
        LineBreakCase{"text\0"s, "text"}, LineBreakCase{"a\r\0\nb"s, "a\r\nb"},
        LineBreakCase{"\0"s, ""},
        // Other control bytes and high bytes are text, also inside long runs.
        LineBreakCase{"tab\there\x0b\x0c\x0e\x1f.", "tab\there\x0b\x0c\x0e\x1f."},
        LineBreakCase{"\xe1\xe2\xe3\xe4\xe5\xe6\xe7\xe8\xe9\xea\rabcdefgh\x80\xff\n",
                      "\xe1\xe2\xe3\xe4\xe5\xe6\xe7\xe8\xe9\xea\r\nabcdefgh\x80\xff\r\n"},
        // Long enough for whole blocks, with breaks on and across their edges.
        LineBreakCase{std::string(15, 'a') + "\r\n" + std::string(14, 'b') + "\r\r" +
                          std::string(31, 'c') + "\n\n\0\r"s + std::string(40, 'd'),
                      std::string(15, 'a') + "\r\n" + std::string(14, 'b') + "\r\n\r\n" +
                          std::string(31, 'c') + "\r\n\r\n\r\n" + std::string(40, 'd')},
        LineBreakCase{std::string(20, 'e') + "\r\0\0\nf\r\0g"s + std::string(40, '\0') + "\r",
                      std::string(20, 'e') + "\r\nf\r\ng\r\n"}));

TEST(LineBreakConverter, HoldsBackAFinalCrUntilTheNextByteOrTheEnd) {
  LineBreakConverter converter;
  char out[8];
  EXPECT_EQ(converter.Convert("ab\r", 3, out), 2u);
  EXPECT_TRUE(converter.Pending());
  EXPECT_EQ(converter.Convert("\n", 1, out), 2u);
  EXPECT_EQ(std::string(out, 2), "\r\n");
  EXPECT_FALSE(converter.Pending());
  EXPECT_EQ(converter.Finish(out), 0u);

  EXPECT_EQ(converter.Convert("\r", 1, out), 0u);
  EXPECT_EQ(converter.Convert("", 0, out), 0u);
  EXPECT_EQ(converter.Finish(out), 2u);
  EXPECT_EQ(std::string(out, 2), "\r\n");
  EXPECT_FALSE(converter.Pending());
}

TEST(LineBreakConverter, MaxInputIsTheLargestReadThatFits) {
  for (std::size_t capacity = 0; capacity < 64; ++capacity) {
    const std::size_t n = LineBreakConverter::MaxInput(capacity);
    EXPECT_LE(LineBreakConverter::MaxOutput(n), capacity);
    EXPECT_GT(LineBreakConverter::MaxOutput(n + 1), capacity);
    EXPECT_TRUE(capacity < 4 || n >= 1) << capacity;
  }
}

TEST(LineBreakConverter, WorstCaseFillsMaxOutputExactly) {
  // A CR held back, then a letter and only LFs: three bytes for the first
  // byte, two for each after it.
  const std::string input = "\r"s + "a" + std::string(20, '\n');
  EXPECT_EQ(ConvertInChunks(input, {1}).size(), LineBreakConverter::MaxOutput(input.size() - 1));
}

TEST(LineBreakConverter, RandomCutsMatchTheWholeInputModel) {
  std::mt19937 random(20240607);
  const std::string alphabet = "\r\n\0\tab\xe5 "s;
  std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
  for (int round = 0; round < 2000; ++round) {
    std::string input(std::uniform_int_distribution<std::size_t>(0, 300)(random), ' ');
    // Mostly letters, so the block copy runs as well as the byte steps.
    for (char& c : input) c = random() % 4 == 0 ? alphabet[pick(random)] : 'x';
    std::vector<std::size_t> sizes;
    for (std::size_t left = input.size(); left > 0 && random() % 8 != 0;) {
      sizes.push_back(std::uniform_int_distribution<std::size_t>(0, left)(random));
      left -= sizes.back();
    }
    const std::string expected = ConvertLineBreaksWhole(input);
    ASSERT_EQ(ConvertInChunks(input, {}), expected) << "round " << round;
    ASSERT_EQ(ConvertInChunks(input, sizes), expected) << "round " << round;
  }
}
