#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace core {

// The order of a line of Persian with Latin words and numbers in it, as the
// Unicode Bidirectional Algorithm gives it for a right-to-left paragraph
// without explicit embeddings: Latin letters read left to right, numbers
// read left to right and keep the signs that belong to them ("2023-08-03",
// "50%"), and what stands between two Latin runs reads with them.
// Everything else reads right to left.
//
// Converting glyph text, which holds only display order, back to reading
// order must give the text it came from. So the rules judge a number by the
// letters on both its sides alike, where the algorithm looks only at the
// one before it; then they mark the same units in display order as in
// reading order, and turning a line from one order into the other is one
// step that undoes itself. Where the two sides differ the algorithm's
// answer is kept for the commoner case:
//  - a number with a Latin word on either side reads with it ("Windows 10",
//    and also "5 kg", which the algorithm shows as it shows the reading
//    "kg 5", so that glyph text could not tell the two apart);
//  - a number with a Persian word on either side is an Arabic number, whose
//    + - % # $ stand apart from it ("1403-01-02" at the end of a Persian
//    line), also when it opens a line that goes on in Persian;
//  - terminators join a Latin run by its two ends, and a separator after a
//    terminator joins two numbers ("20%-30%"), as the terminator stands at
//    the other end in display order;
//  - brackets are not paired: each reads by its neighbours, as unpaired
//    ones turn into pairs when they face the other way in display order;
//  - a tab stands as a space does, not at the paragraph's level.
// Arabic-Indic digits are ordered as the Persian ones that glyph text writes
// for them, so that the text comes back in the same reading order.
enum class BidiClass : std::uint8_t {
  RightToLeft,
  Latin,
  Digit,
  Terminator,       // % # $: belongs to the number beside it
  Separator,        // + -: joins two digits of a European number
  CommonSeparator,  // , . / : and the Arabic comma: joins two digits
  Neutral,
};

BidiClass BidiClassOf(char32_t character);

// Marks, for each unit, whether it stands in a left-to-right run (1) or not
// (0); false when none does. Allocates nothing once its buffers have grown
// to the line.
bool MarkLeftToRight(const std::vector<BidiClass>& classes, std::vector<std::uint8_t>& leftToRight);

// Visits the indices of a line in the other order: the line reversed, but
// each left-to-right run in its own order.
template <typename Visit>
void ForEachReordered(const std::vector<std::uint8_t>& leftToRight, Visit visit) {
  for (std::size_t end = leftToRight.size(); end > 0;) {
    if (!leftToRight[end - 1]) {
      visit(--end);
      continue;
    }
    std::size_t start = end - 1;
    while (start > 0 && leftToRight[start - 1]) --start;
    for (std::size_t index = start; index < end; ++index) visit(index);
    end = start;
  }
}

// The character a bracket or guillemet shows as in a right-to-left run, or
// the character itself.
char32_t Mirrored(char32_t character);

}  // namespace core
