#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "BidiRuns.h"
#include "Unconvertible.h"

namespace core {

// Turns Unicode Persian into glyph text as the editor keeps it: each letter
// in the form its neighbours give it (a ZWNJ breaks a join, a tatweel or
// ZWJ makes one; forms whose codes the text control once hid are written
// with their stand-ins), Arabic yeh and kaf as the Persian ones, each line
// in display order. A ZWNJ that no form shows, as after a letter that never
// joins on, is written as the font's non-joiner code. Line breaks are kept;
// what IsWrittenAsNothing names is otherwise dropped. A character the font
// cannot show becomes '?' and is listed in the problems.
class UnicodeToGlyph {
 public:
  void Convert(std::u32string_view text, std::string& out, Unconvertibles& problems);

  // One line, without its line break. With `sources`, also the index in
  // `line` that each code written comes from.
  void ConvertLine(std::u32string_view line, std::size_t lineNumber, std::string& out,
                   Unconvertibles& problems, std::vector<std::size_t>* sources = nullptr);

 private:
  // Each letter's code in the form its joins give it, with its class and
  // the index of the character it comes from.
  void ChooseCodes(std::u32string_view line, std::size_t lineNumber, Unconvertibles& problems);

  std::vector<std::uint8_t> codes_;
  std::vector<BidiClass> classes_;
  std::vector<std::size_t> sources_;
  std::vector<std::uint8_t> leftToRight_;
};

std::string UnicodeToGlyphs(std::u32string_view text, Unconvertibles& problems);

}  // namespace core
