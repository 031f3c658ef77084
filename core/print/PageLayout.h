#pragma once
#include <functional>
#include <string>
#include <vector>

#include "RichDocument.h"
#include "WrappedParagraph.h"

namespace core {

// Lays a document's paragraphs out on pages, in the device units of the
// measure. Each paragraph is broken by core::ParagraphWrapper in reading
// order (a Persian paragraph's first words on its first line), each code
// weighing its advance in its run's style; lines fill the width between
// the indents, spaces at a break are not drawn, each line comes back in
// display order and is placed by the paragraph's alignment. A paragraph of
// Persian reads from the right: its indents, first-line indent, tab stops
// and bullet or number are taken from its right side. A tab reaches the
// next of the paragraph's stops, or else of the stops every half inch. A
// line is as high as its tallest font and pages break between lines. Empty
// lines at the end add no page; an empty document is one blank page.

struct FontMetrics {
  int ascent = 0;
  int descent = 0;  // below the baseline, with the font's leading
};

struct TextMeasure {
  std::function<int(const RunStyle&, const std::string&)> width;
  std::function<FontMetrics(const RunStyle&)> metrics;
};

struct PageSize {
  int width = 0, height = 0;
  int dotsPerInch = 1440;  // across: turns the indents' twips into units
};

// Text to draw with its left end on the baseline, each byte at its own
// advance; or, where bulletWidth is not 0, a bullet: a disc in the text's
// colour, centred in a box that wide.
struct PlacedText {
  int x = 0, baseline = 0;
  RunStyle style;
  std::string text;
  std::vector<int> advances;
  int bulletWidth = 0;
};

using LaidOutPage = std::vector<PlacedText>;

// One screen or page line of a paragraph, its pieces' baselines measured
// from the top of the whole text.
struct LaidOutLine {
  std::size_t paragraph = 0;  // in the document
  std::size_t line = 0;       // of the paragraph's wrapped lines
  int top = 0;
  FontMetrics height;
  bool blank = true;  // nothing to see
  std::vector<PlacedText> pieces;
  // The x of each caret place of the line, left to right: before each of
  // its codes in display order, and after the last. The spaces that end a
  // line are not drawn and take no room.
  std::vector<int> placeX;
  int Bottom() const { return top + height.ascent + height.descent; }
};

// A document laid out down one page of unlimited height: what the screen
// shows, and what printed pages are cut from.
struct LaidOutText {
  std::vector<WrappedLines> paragraphs;  // by paragraph
  std::vector<std::size_t> firstLines;   // by paragraph, its first in `lines`
  std::vector<LaidOutLine> lines;
  int height = 0;
};

LaidOutText LayOutText(const std::vector<RichParagraph>& paragraphs, const PageSize& page,
                       const TextMeasure& measure);

// After `replaced` paragraphs from `first` on became the `count` of
// `paragraphs` there: those are laid out, and the lines of the others are
// kept and moved up or down.
void RelayParagraphs(LaidOutText& text, const std::vector<RichParagraph>& paragraphs,
                     std::size_t first, std::size_t replaced, std::size_t count,
                     const PageSize& page, const TextMeasure& measure);

std::vector<LaidOutPage> LayOutPages(const std::vector<RichParagraph>& paragraphs,
                                     const PageSize& page, const TextMeasure& measure);

}  // namespace core
