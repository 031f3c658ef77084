#pragma once
#include <cstdint>
#include <vector>

#include "BidiRuns.h"
#include "GlyphLetters.h"

namespace core {

// Reads one line of shown glyphs, given in display order by glyphAt(index),
// in reading order: emit(index, character) for each character, the ZWNJ
// that a letter shown apart from the next one means going with that next
// one, the ZWJ that a join shown with nothing to join to means going with
// the letter joined, tatweels dropped, U+FFFD for a code without a glyph.
template <typename GlyphAt, typename Emit>
void ReadInReadingOrder(std::size_t count, GlyphAt glyphAt, std::vector<BidiClass>& classes,
                        std::vector<std::uint8_t>& leftToRight, Emit emit) {
  classes.resize(count);
  for (std::size_t index = 0; index < count; ++index) classes[index] = glyphAt(index).bidi;
  const ShownGlyph* previous = nullptr;
  std::size_t previousIndex = 0;
  const auto write = [&](std::size_t index, bool inLeftToRight) {
    const ShownGlyph& glyph = glyphAt(index);
    if (glyph.first == 0x0640) return;  // the tatweel only stretches a join
    const bool joinedOn = previous && previous->shownJoiningAfter;
    if (joinedOn && !glyph.shownJoiningBefore) {
      emit(previousIndex, Zwj);
      if (glyph.canJoinBefore) emit(index, Zwnj);  // and none back to it
    }
    if (!glyph.first) {
      emit(index, char32_t{0xFFFD});
      previous = nullptr;
      return;
    }
    // A letter that could join the next one but is shown apart from it
    // breaks the join on purpose, as in "می‌روم".
    if (previous && previous->canJoinAfter && !previous->shownJoiningAfter && glyph.canJoinBefore)
      emit(index, Zwnj);
    if (glyph.joinedBeforeOnly && !joinedOn) emit(index, Zwj);
    emit(index, inLeftToRight ? glyph.first : glyph.mirrored);
    if (glyph.second) emit(index, glyph.second);
    previous = &glyph;
    previousIndex = index;
  };
  if (MarkLeftToRight(classes, leftToRight))
    ForEachReordered(leftToRight, [&](std::size_t index) { write(index, leftToRight[index]); });
  else
    for (std::size_t index = count; index > 0; --index) write(index - 1, false);
  if (previous && previous->shownJoiningAfter) emit(previousIndex, Zwj);
}

}  // namespace core
