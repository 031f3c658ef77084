#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "BidiRuns.h"
#include "Unconvertible.h"

namespace core {

// Turns glyph text as the editor keeps it (each line in display order, left
// to right, one letter form per code) into Unicode Persian: reading order,
// base letters, lam-alef as lam and alef, a ZWNJ where a letter that could
// join the next one is shown apart from it, the tatweel dropped. Line
// breaks are kept as they are. A code without a glyph becomes U+FFFD and is
// listed in the problems.
class GlyphToUnicode {
 public:
  void Convert(std::string_view glyphs, std::u32string& out, Unconvertibles& problems);

  // One line, without its line break.
  void ConvertLine(std::string_view line, std::size_t lineNumber, std::u32string& out,
                   Unconvertibles& problems);

 private:
  std::vector<BidiClass> classes_;
  std::vector<std::uint8_t> leftToRight_;
  std::vector<char32_t> scratch_;  // a line in reading order
};

std::u32string GlyphsToUnicode(std::string_view glyphs, Unconvertibles& problems);

}  // namespace core
