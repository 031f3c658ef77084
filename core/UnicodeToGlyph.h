#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "BidiRuns.h"
#include "Unconvertible.h"

namespace core {

struct WrittenLetter;

// Turns Unicode Persian into glyph text as the editor keeps it: each letter
// in the form its neighbours give it (a ZWNJ breaks a join; forms whose codes
// the text control once hid are written with their stand-ins), Arabic yeh
// and kaf as the Persian ones, each line in display order. Line breaks are
// kept; the tatweel and ZWJ only stretch joins and are dropped. A character
// the font cannot show becomes '?' and is listed in the problems.
class UnicodeToGlyph {
 public:
  void Convert(std::u32string_view text, std::string& out, Unconvertibles& problems);

  // One line, without its line break.
  void ConvertLine(std::u32string_view line, std::size_t lineNumber, std::string& out,
                   Unconvertibles& problems);

 private:
  struct Item {
    const WrittenLetter* letter;
    bool breakBefore;  // a ZWNJ stands before it
  };

  void CollectItems(std::u32string_view line, std::size_t lineNumber, Unconvertibles& problems);
  void ChooseCodes();

  std::vector<Item> items_;
  std::vector<std::uint8_t> codes_;
  std::vector<BidiClass> classes_;
  std::vector<std::uint8_t> leftToRight_;
};

std::string UnicodeToGlyphs(std::u32string_view text, Unconvertibles& problems);

}  // namespace core
