#pragma once
#include <cstddef>
#include <string>
#include <vector>

namespace core {

// A character that has no counterpart on the other side of a conversion:
// a glyph code the font shows nothing for, or a character the font cannot
// show. Lines and columns count from 1; a column counts bytes of glyph
// text (display order) or characters of Unicode text.
struct Unconvertible {
  std::size_t line;
  std::size_t column;
  char32_t character;  // the code, or the Unicode character
  bool isGlyphCode;
};

// "line 2, column 7: U+00E9 cannot be written with the font Persian"
std::string Describe(const Unconvertible& problem);

// What a conversion met that it could not convert; each was replaced by a
// visible placeholder (U+FFFD in Unicode, '?' in glyph text).
using Unconvertibles = std::vector<Unconvertible>;

}  // namespace core
