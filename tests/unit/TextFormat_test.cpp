#include "TextFormat.h"

#include <gtest/gtest.h>

TEST(FormatWith, ReplacesTheFirstPlaceholderOnlyAndKeepsPercentSignsOfTheArgument) {
  EXPECT_EQ(core::FormatWith("Save changes to %s?", "C:\\a\\b.rtf"),
            "Save changes to C:\\a\\b.rtf?");
  EXPECT_EQ(core::FormatWith("%s and %s", "100%s"), "100%s and %s");
  EXPECT_EQ(core::FormatWith("no placeholder", "x"), "no placeholder");
}
