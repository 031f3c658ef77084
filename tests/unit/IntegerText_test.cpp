#include "IntegerText.h"

#include <gtest/gtest.h>

#include "Exceptions.h"

struct IntegerCase {
  const char* text;
  int32_t value;
};

class IntegerTexts : public testing::TestWithParam<IntegerCase> {};

TEST_P(IntegerTexts, Parse) {
  int32_t value = 0;
  ASSERT_TRUE(core::TryParseInteger(GetParam().text, value));
  EXPECT_EQ(value, GetParam().value);
  EXPECT_EQ(core::ParseInteger(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Valid, IntegerTexts,
    testing::Values(IntegerCase{"  12", 12}, IntegerCase{"+12", 12}, IntegerCase{"$10", 16},
                    IntegerCase{"0", 0}, IntegerCase{"-3", -3}, IntegerCase{"007", 7},
                    IntegerCase{"2147483647", 2147483647}, IntegerCase{"-2147483648", INT32_MIN},
                    IntegerCase{"00000000002147483647", 2147483647}, IntegerCase{"$FFFFFFFF", -1},
                    IntegerCase{"$7fffffff", 2147483647}, IntegerCase{"$80000000", INT32_MIN},
                    IntegerCase{"$000000001", 1}, IntegerCase{"-$1", -1}, IntegerCase{"+$aB", 171},
                    IntegerCase{"-$FFFFFFFF", 1}));

class NotIntegerTexts : public testing::TestWithParam<const char*> {};

TEST_P(NotIntegerTexts, Fail) {
  int32_t value = 42;
  EXPECT_FALSE(core::TryParseInteger(GetParam(), value));
  EXPECT_EQ(value, 42);
  EXPECT_THROW(core::ParseInteger(GetParam()), core::EConvertError);
}

INSTANTIATE_TEST_SUITE_P(Invalid, NotIntegerTexts,
                         testing::Values("", "   ", "12 ", "12pt", "1e2", "2147483648",
                                         "-2147483649", "99999999999999999999", "$100000000", "$",
                                         "+", "-", "+-1", "- 1", "\t12", "$G", "0x10", "12\n",
                                         "$-1"));

namespace {
std::string ConvertErrorOf(const std::string& text) {
  try {
    core::ParseInteger(text);
  } catch (const core::EConvertError& error) {
    return error.Message();
  }
  return "no exception";
}
}  // namespace

// The message is Windows-1252: the umlaut is the single byte 0xFC.
TEST(IntegerText, ErrorMessageNamesTheText) {
  EXPECT_EQ(ConvertErrorOf("12pt"),
            "'12pt' ist kein g\xFC"
            "ltiger Integerwert");
  EXPECT_EQ(ConvertErrorOf(""),
            "'' ist kein g\xFC"
            "ltiger Integerwert");
}
