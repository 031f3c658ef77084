#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "BidiRuns.h"

namespace core {

// A paragraph of glyph codes, stored in display order, broken into the
// screen lines a reader reads from the top down: the first words on the
// first line, lines broken after the spaces between words (inside a word
// only when it is wider than a line), each line as full as it can be.
//
// The paragraph is read in reading order as the converter reads it, broken
// there, and each line is put back into display order as the bidirectional
// algorithm orders the lines of a paragraph: by the levels the converter
// gives its codes in the whole paragraph, the spaces at the line's end
// right to left (UAX #9, L1 and L2). So a Persian line is a piece of the
// stored paragraph as it is, Latin words and numbers keep their order
// within a line, and the lines' reading orders, one after the other, are
// the paragraph's. A line's order can differ from that of the same codes
// as a paragraph of their own: "Windows 10-11" keeps its European number
// on a line that goes on in Persian.
struct WrappedLines {
  // The paragraph's code indices, line after line, each line in display
  // order, left to right.
  std::vector<std::size_t> shown;
  // Where each line begins in `shown`; shown.size() at the end. Line k
  // holds the codes read at the places [starts[k], starts[k+1]).
  std::vector<std::size_t> starts;
  // By code index: its place in the paragraph's reading order, and whether
  // it stands in a left-to-right run of the paragraph.
  std::vector<std::size_t> rank;
  std::vector<std::uint8_t> leftToRight;
  // By reading place: the code index read there.
  std::vector<std::size_t> reading;
  // By place in `shown`: whether the code stands in a left-to-right run of
  // its line (as in the paragraph, but the spaces that end the line).
  std::vector<std::uint8_t> lineLeftToRight;

  std::size_t LineCount() const { return starts.size() - 1; }
  std::size_t LineLength(std::size_t line) const { return starts[line + 1] - starts[line]; }
};

// The advance of each code of a paragraph, in any unit, by the width of
// each code in the paragraph's font: a paragraph in one font and size.
using AdvanceTable = std::array<std::int32_t, 256>;
std::vector<std::int32_t> AdvancesOf(std::string_view codes, const AdvanceTable& table);

// Whether a line may break after the code: the space and the tab.
inline bool IsBreakSpace(char code) { return code == ' ' || code == '\t'; }

class ParagraphWrapper {
 public:
  // advances: of each code, position by position (a paragraph in several
  // sizes gives each code its own). A line holds at least one code, so any
  // width makes progress; the spaces at a line's end count, as they are
  // drawn there. An empty paragraph is one empty line.
  const WrappedLines& Wrap(std::string_view codes, const std::vector<std::int32_t>& advances,
                           std::int64_t lineWidth);

 private:
  void Read(std::string_view codes);
  void Break(std::string_view codes, const std::vector<std::int32_t>& advances,
             std::int64_t lineWidth);
  void Order(std::string_view codes, std::size_t line);

  WrappedLines lines_;
  std::vector<BidiClass> classes_;
  std::vector<std::uint8_t> marks_;
};

// A caret place in a line, 0 (its left end) to the line's length.
struct LinePlace {
  std::size_t line = 0, place = 0;
  bool operator==(const LinePlace& other) const {
    return line == other.line && place == other.place;
  }
};

// Caret places between the stored paragraph (0 to its size) and its lines,
// kept at the same place in reading order: beside a left-to-right run the
// caret goes with the run's end, beside Persian after the letter on its
// right. A caret between two lines in reading order stands at the start of
// the later one (its right end), but at the paragraph's end.
std::size_t ParagraphPlace(const WrappedLines& lines, LinePlace at);
LinePlace LinePlaceOf(const WrappedLines& lines, std::size_t paragraphPlace);

}  // namespace core
