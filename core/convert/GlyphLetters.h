#pragma once
#include <array>
#include <cstdint>

#include "BidiRuns.h"
#include "GlyphCell.h"

namespace core {

// The glyph font's code table (font/layout.tsv) arranged for converting:
// what each code shows, and which code writes each character in each form.

constexpr char32_t Zwnj = 0x200C;
constexpr char32_t Zwj = 0x200D;
constexpr char32_t Lam = 0x0644, Alef = 0x0627;

// What one code shows.
struct ShownGlyph {
  char32_t first = 0;               // 0: the font has no glyph at this code
  char32_t second = 0;              // the alef of lam-alef
  bool shownJoiningAfter = false;   // the form reaches to the next letter
  bool shownJoiningBefore = false;  // the form reaches back to the one before
  // The form says a join before it is there: no unjoined form of the
  // letter is written with this code.
  bool joinedBeforeOnly = false;
  bool canJoinAfter = false;   // the letter has a form that does
  bool canJoinBefore = false;  // the letter has a form joined to the one before
  BidiClass bidi = BidiClass::Neutral;
  char32_t mirrored = 0;  // what it reads as in a right-to-left run
};

// Indexed by code.
const ShownGlyph* ShownGlyphs();
inline const ShownGlyph& GlyphOfCode(unsigned char code) { return ShownGlyphs()[code]; }

// How a character is written: its code in each form, the forms that the text
// control hides already replaced by their stand-ins.
struct WrittenLetter {
  std::array<std::uint8_t, 5> codes{};  // by GlyphForm; 0: cannot be written
  bool canJoinBefore = false;
  bool canJoinAfter = false;
  BidiClass bidi = BidiClass::Neutral;
  std::uint8_t mirroredCode = 0;  // a bracket's code in a right-to-left run
};

// The letter for a character, after the Arabic yeh and kaf and the
// Arabic-Indic digits have become the Persian ones; null when the font
// cannot show it.
const WrittenLetter* const* WrittenLetters();  // indexed by characters below 0x700
inline const WrittenLetter* LetterOfCharacter(char32_t character) {
  return character < 0x700 ? WrittenLetters()[character] : nullptr;
}
const WrittenLetter& LamAlef();
// The non-joiner as a code of its own, for where no form can show it; null
// when the font has no such code.
const WrittenLetter* ExplicitZwnj();

// Indexed by code: the code a bracket or guillemet shows as in a
// right-to-left run, or the code itself.
const std::uint8_t* RightToLeftCodes();

// Characters glyph text writes as nothing: the tatweel and ZWJ only make
// the letters beside them join (CarriesJoin), the direction marks and
// U+FEFF only steer or mark what the display order already shows.
inline bool IsWrittenAsNothing(char32_t character) {
  return character == 0x0640 || character == 0x200D || character == 0x200E || character == 0x200F ||
         character == 0xFEFF;
}

inline bool CarriesJoin(char32_t character) { return character == 0x0640 || character == Zwj; }

// The same letter as the Persian reader writes it: Arabic yeh and kaf and
// Arabic-Indic digits become the Persian ones.
char32_t PersianVariant(char32_t character);

}  // namespace core
