#pragma once
#include <functional>
#include <string>
#include <vector>

#include "RichDocument.h"

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

std::vector<LaidOutPage> LayOutPages(const std::vector<RichParagraph>& paragraphs,
                                     const PageSize& page, const TextMeasure& measure);

}  // namespace core
