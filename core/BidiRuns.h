#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace core {

// The right-to-left paragraph rules for one line of Persian with Latin words
// and numbers in it, reduced to what a line without explicit embeddings
// needs: Latin (and Greek and Cyrillic) letters and digits read left to right, and so does whatever
// stands between two of them with nothing Persian in between ("New York",
// "1404/01/02"); a run of % # $ keeps to its number. Everything else reads
// right to left.
//
// The rules depend only on which units neighbour which, and reordering keeps
// every left-to-right run whole, so they mark the same units in display
// order as in reading order: turning a line from one order into the other
// is the same step both ways, and it undoes itself.
enum class BidiClass : std::uint8_t { RightToLeft, Latin, Digit, Terminator, Neutral };

BidiClass BidiClassOf(char32_t character);

// Marks, for each unit, whether it stands in a left-to-right run (1) or not
// (0); false when none does.
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
