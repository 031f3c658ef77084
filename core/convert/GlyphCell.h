#pragma once
#include <cstdint>

namespace core {

// One code of the glyph font as font/layout.tsv lists it: the character(s)
// it shows, the form, and the sides it joins on as it stands on the screen
// (Before: towards the letter before it in reading order, on its right).
enum class GlyphForm : std::uint8_t { Plain, Isolated, Final, Initial, Medial };
enum class GlyphJoins : std::uint8_t { None, Before, After, Both };

struct GlyphCell {
  std::uint8_t code;
  char32_t first;
  char32_t second;  // 0 but for lam-alef
  GlyphForm form;
  GlyphJoins joins;
  bool hidden;  // a code rich edit controls once drew nothing for
};

}  // namespace core
