#pragma once
// What a Unicode text comes back as after a trip through glyph codes:
// Persian yeh, kaf and digits; no tatweel, ZWJ or direction marks; a ZWNJ only where it
// breaks a join the font could show, once.
#include <string>

#include "GlyphLetters.h"

inline std::u32string PersianNormalForm(std::u32string_view text) {
  std::u32string kept;
  for (const char32_t character : text)
    if (!core::IsWrittenAsNothing(character)) kept += core::PersianVariant(character);
  std::u32string result;
  for (std::size_t index = 0; index < kept.size(); ++index) {
    if (kept[index] != core::Zwnj) {
      result += kept[index];
      continue;
    }
    std::size_t next = index;
    while (next < kept.size() && kept[next] == core::Zwnj) ++next;
    const core::WrittenLetter* before = index > 0 ? core::LetterOfCharacter(kept[index - 1]) : nullptr;
    const core::WrittenLetter* after = next < kept.size() ? core::LetterOfCharacter(kept[next]) : nullptr;
    if (before && after && before->canJoinAfter && after->canJoinBefore) result += core::Zwnj;
    index = next - 1;
  }
  return result;
}
