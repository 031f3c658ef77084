#pragma once
#include <functional>
#include <string>
#include <vector>

#include "RichDocument.h"

namespace core {

// Lays a document's paragraphs out on pages, in the device units of the
// measure: lines break at spaces and fill the width between the indents,
// a word wider than a whole line is cut where it has to be (every line
// takes at least one character, so any width makes progress), each line is
// as high as its tallest font and pages break between lines. Empty lines
// at the end add no page; an empty document is one blank page.

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

// Text to draw with its left end on the baseline.
struct PlacedText {
  int x = 0, baseline = 0;
  RunStyle style;
  std::string text;
};

using LaidOutPage = std::vector<PlacedText>;

std::vector<LaidOutPage> LayOutPages(const std::vector<RichParagraph>& paragraphs,
                                     const PageSize& page, const TextMeasure& measure);

// A bullet as rich edit controls draw it: the Symbol font's middle dot in
// the size of the paragraph's first run.
RunStyle BulletStyle(const RunStyle& firstRun);
constexpr const char* BulletText = "\xB7";

}  // namespace core
