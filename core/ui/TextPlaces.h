#pragma once
#include <cstddef>
#include <vector>

#include "PageLayout.h"

namespace core {

// Caret places of a laid-out document as a person sees them: moving along
// screen lines in reading order, while the text keeps its stored order.

// A caret place in the stored text: a paragraph, and a place in its codes
// (0 to their number).
struct TextPlace {
  std::size_t paragraph = 0, place = 0;
  bool operator==(const TextPlace& other) const {
    return paragraph == other.paragraph && place == other.place;
  }
};

// Where a caret place stands on the screen: a line of the text and an x.
struct ScreenPlace {
  std::size_t line = 0;
  int x = 0;
};

// A place past a paragraph's end stands at its end; a paragraph without
// lines (and a text without any) at the text's first line.
ScreenPlace ScreenPlaceOf(const LaidOutText& text, TextPlace place);
// The line at a height of the text, the first or the last beyond them.
std::size_t LineAtHeight(const LaidOutText& text, int y);
// The caret place on a line nearest an x.
TextPlace PlaceOnLine(const LaidOutText& text, std::size_t line, int x);
// Where reading a line begins and ends (a Persian line's right and left
// end). The spaces at a line's end are passed over but on the paragraph's
// last line, so that the caret stays on the line.
TextPlace LineReadingStart(const LaidOutText& text, std::size_t line);
TextPlace LineReadingEnd(const LaidOutText& text, std::size_t line);

// How many of a paragraph's codes are read before a caret place of it (0
// to its size): beside Persian the caret stands after the letter on its
// right, beside a left-to-right run with the run's end.
std::size_t CodesReadBefore(const WrappedLines& lines, std::size_t place);

// The codes [from, to) of a paragraph, in stored order.
struct CodeRange {
  std::size_t from = 0, to = 0;
  bool operator==(const CodeRange& other) const { return from == other.from && to == other.to; }
};
// The ranges of the codes read from `read` codes on (from: true) or before
// them: what a selection from a paragraph's middle to another paragraph
// holds of it.
std::vector<CodeRange> CodesReadFrom(const WrappedLines& lines, std::size_t read, bool from);

}  // namespace core
