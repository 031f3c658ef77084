#pragma once
// Persian text for the tests: written as UTF-8 in the source, and as
// from-unicode writes it in glyph codes.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "UnicodeToGlyph.h"
#include "Utf.h"

inline std::u32string Unicode(std::string_view utf8) {
  std::u32string text;
  std::size_t fault = 0;
  EXPECT_TRUE(core::UnicodeFromUtf8(utf8, text, fault)) << fault;
  return text;
}

inline std::string FromUnicode(std::u32string_view text) {
  core::Unconvertibles problems;
  return core::UnicodeToGlyphs(text, problems);
}
