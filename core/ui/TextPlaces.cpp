#include "TextPlaces.h"

#include <algorithm>
#include <cstdlib>

namespace core {

namespace {

bool HasLines(const LaidOutText& text, std::size_t paragraph) {
  return paragraph < text.paragraphs.size() && !text.paragraphs[paragraph].starts.empty();
}

TextPlace InParagraph(const LaidOutText& text, const LaidOutLine& line, std::size_t place) {
  return {line.paragraph, ParagraphPlace(text.paragraphs[line.paragraph], {line.line, place})};
}

// Where the line shows the code read at a place of it.
std::size_t ShownIndex(const WrappedLines& lines, std::size_t line, std::size_t readingPlace) {
  const std::size_t code = lines.reading[readingPlace];
  std::size_t shown = lines.starts[line];
  while (shown + 1 < lines.starts[line + 1] && lines.shown[shown] != code) ++shown;
  return shown;
}

// Where the caret goes beside a code of the line: before it in reading
// order, or after it.
std::size_t BesideCode(const WrappedLines& lines, std::size_t line, std::size_t readingPlace,
                       bool after) {
  const std::size_t shown = ShownIndex(lines, line, readingPlace);
  const bool leftToRight = lines.lineLeftToRight[shown] != 0;
  return shown - lines.starts[line] + (leftToRight == after ? 1 : 0);
}

// The spaces that end a line are the codes it does not draw.
bool Undrawn(const LaidOutLine& line, const WrappedLines& lines, std::size_t readingPlace) {
  const std::size_t shown = ShownIndex(lines, line.line, readingPlace) - lines.starts[line.line];
  return line.placeX[shown + 1] == line.placeX[shown];
}

}  // namespace

ScreenPlace ScreenPlaceOf(const LaidOutText& text, TextPlace place) {
  if (text.lines.empty()) return {};
  if (!HasLines(text, place.paragraph)) return {0, text.lines.front().placeX.front()};
  const WrappedLines& lines = text.paragraphs[place.paragraph];
  const LinePlace at = LinePlaceOf(lines, std::min(place.place, lines.shown.size()));
  const std::size_t index = text.firstLines[place.paragraph] + at.line;
  const LaidOutLine& line = text.lines[index];
  return {index, line.placeX[std::min(at.place, line.placeX.size() - 1)]};
}

std::size_t LineAtHeight(const LaidOutText& text, int y) {
  const auto below =
      std::upper_bound(text.lines.begin(), text.lines.end(), y,
                       [](int at, const LaidOutLine& line) { return at < line.top; });
  return below == text.lines.begin() ? 0 : static_cast<std::size_t>(below - text.lines.begin()) - 1;
}

// Of two places as near, the one the caret shows on this line (the other
// may stand at the next line's start, where the line ends in reading).
TextPlace PlaceOnLine(const LaidOutText& text, std::size_t index, int x) {
  if (index >= text.lines.size()) return {};
  const LaidOutLine& line = text.lines[index];
  TextPlace best{};
  int bestDistance = -1;
  for (std::size_t place = 0; place < line.placeX.size(); ++place) {
    const int distance = std::abs(line.placeX[place] - x);
    if (bestDistance >= 0 && distance > bestDistance) continue;
    const TextPlace candidate = InParagraph(text, line, place);
    if (distance == bestDistance && ScreenPlaceOf(text, candidate).line != index) continue;
    best = candidate;
    bestDistance = distance;
  }
  return best;
}

TextPlace LineReadingStart(const LaidOutText& text, std::size_t index) {
  if (index >= text.lines.size()) return {};
  const LaidOutLine& line = text.lines[index];
  const WrappedLines& lines = text.paragraphs[line.paragraph];
  if (lines.LineLength(line.line) == 0) return InParagraph(text, line, 0);
  return InParagraph(text, line, BesideCode(lines, line.line, lines.starts[line.line], false));
}

TextPlace LineReadingEnd(const LaidOutText& text, std::size_t index) {
  if (index >= text.lines.size()) return {};
  const LaidOutLine& line = text.lines[index];
  const WrappedLines& lines = text.paragraphs[line.paragraph];
  const std::size_t first = lines.starts[line.line];
  std::size_t end = lines.starts[line.line + 1];
  if (end == first) return InParagraph(text, line, 0);
  if (line.line + 1 < lines.LineCount()) {
    while (end - 1 > first && Undrawn(line, lines, end - 1)) --end;
  }
  return InParagraph(text, line, BesideCode(lines, line.line, end - 1, true));
}

std::size_t CodesReadBefore(const WrappedLines& lines, std::size_t place) {
  const std::size_t count = lines.rank.size();
  place = std::min(place, count);
  const bool hasLeft = place > 0, hasRight = place < count;
  if (hasLeft && lines.leftToRight[place - 1]) return lines.rank[place - 1] + 1;
  if (hasRight && !lines.leftToRight[place]) return lines.rank[place] + 1;
  if (hasRight) return lines.rank[place];
  return hasLeft ? lines.rank[place - 1] : 0;
}

std::vector<CodeRange> CodesReadFrom(const WrappedLines& lines, std::size_t read, bool from) {
  std::vector<CodeRange> ranges;
  for (std::size_t code = 0; code < lines.rank.size(); ++code) {
    if ((lines.rank[code] >= read) != from) continue;
    if (!ranges.empty() && ranges.back().to == code)
      ranges.back().to = code + 1;
    else
      ranges.push_back({code, code + 1});
  }
  return ranges;
}

}  // namespace core
