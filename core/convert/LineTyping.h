#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace core {

// Typing in one line of glyph text (one paragraph, its codes in display
// order, as the editor keeps it), decided by the converter: the line is
// read in reading order, changed there, and written back as from-unicode
// writes it. Only the codes whose letter, form or place changes are
// replaced, so that forms chosen by hand elsewhere in the line stay.
// Places are caret places counted from the line's left end, 0 to size.

// Codes [start, end) of the old text give way to `codes`; the caret then
// stands at `caret` in the new line.
struct LineChange {
  std::size_t start = 0, end = 0;
  std::string codes;
  std::size_t caret = 0;
};

// The one change that makes `after` of `before`: what lies between their
// common start and their common end. The caret stands at the change's start.
LineChange ChangeBetween(std::string_view before, std::string_view after);

// The selected codes [from, to); from == to is the caret alone.
struct LineSelection {
  std::size_t from = 0, to = 0;
};

// Where in the line's reading order the selection ends, or the caret
// stands: the index of the character that follows it when the line is read
// as from-unicode writes it back.
std::size_t ReadingPlaceAfter(std::string_view line, LineSelection selection);

// Whether typing the character writes something: the font has it, or it is
// the ZWNJ, which writes the break of a join, or a tatweel or ZWJ, which
// writes a join.
bool CanBeTyped(char32_t character);

// The selection taken out and the text put in where the caret stands in
// reading order.
LineChange TypeIntoLine(std::string_view line, LineSelection selection, std::u32string_view typed);

// Backspace (before: the character before the caret in reading order, the
// one right of it in Persian) or Delete (the one after it); with a
// selection, the selection. Nothing when the line has no character on that
// side: the caller then joins lines.
std::optional<LineChange> EraseInLine(std::string_view line, LineSelection selection, bool before);

// The line break between two lines taken out, so that the second one's
// text follows the first one's in reading order. The change is to the text
// first + CR LF + second; the caret stands where they meet.
LineChange JoinLines(std::string_view first, std::string_view second);

// A selection from a caret place `from` of one line to a caret place `to`
// of a later one taken out in reading order: what the first line reads
// after `from`, the lines between, and what the last one reads before
// `to`. `text` runs from the first line's start to the last one's end, CR
// LF between lines; the last line starts at `lastStart`. What is left of
// the two reads on as one line, the caret where they meet.
LineChange EraseAcrossLines(std::string_view text, std::size_t firstLength, std::size_t from,
                            std::size_t lastStart, std::size_t to);

}  // namespace core
