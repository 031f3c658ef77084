#include "LineWrap.h"

#include <gtest/gtest.h>

namespace {

// Every character is 1 wide.
int Length(const std::string& s) { return static_cast<int>(s.size()); }

struct WrapCase {
  const char* text;
  int width;
  std::vector<std::string> lines;
};

class WrapText : public testing::TestWithParam<WrapCase> {};

TEST_P(WrapText, Lines) {
  EXPECT_EQ(core::WrapText(GetParam().text, GetParam().width, Length), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Core, WrapText,
    testing::Values(
        WrapCase{"", 10, {""}},
        WrapCase{"one two three", 20, {"one two three"}},
        WrapCase{"one two three", 7, {"one two", "three"}},
        WrapCase{"one two three", 6, {"one", "two", "three"}},
        WrapCase{"a\r\nb\rc\nd", 5, {"a", "b", "c", "d"}},
        WrapCase{"a\r\n\r\nb\r\n", 5, {"a", "", "b", ""}},
        WrapCase{"abcdefghij", 4, {"abcd", "efgh", "ij"}},
        WrapCase{"ab abcdefghij cd", 4, {"ab", "abcd", "efgh", "ij", "cd"}},
        WrapCase{"two  spaces", 20, {"two  spaces"}},
        WrapCase{"wide", 0, {"w", "i", "d", "e"}}));

}  // namespace
