#include "Hint.h"

#include <gtest/gtest.h>

struct HintCase {
  const char* hint;
  const char* shortHint;
  const char* longHint;
};

class HintSplit : public testing::TestWithParam<HintCase> {};

TEST_P(HintSplit, SplitsAtFirstBar) {
  EXPECT_EQ(core::ShortHint(GetParam().hint), GetParam().shortHint);
  EXPECT_EQ(core::LongHint(GetParam().hint), GetParam().longHint);
}

INSTANTIATE_TEST_SUITE_P(Cases, HintSplit,
                         testing::Values(HintCase{"Open|", "Open", ""},
                                         HintCase{"Bold", "Bold", "Bold"}, HintCase{"", "", ""},
                                         HintCase{"a|b|c", "a", "b|c"},
                                         HintCase{"|long", "", "long"}));
