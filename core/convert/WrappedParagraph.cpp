#include "WrappedParagraph.h"

#include <algorithm>

#include "GlyphLetters.h"

namespace core {

namespace {

BidiClass ClassOf(char code) { return GlyphOfCode(static_cast<unsigned char>(code)).bidi; }

// Caret places in a sequence of codes in display order (the paragraph, or
// one line) that holds the reading places [first, first + count).
template <typename LeftToRight, typename Rank, typename PlaceOf>
struct Places {
  std::size_t first, count;
  LeftToRight leftToRight;  // by display place of a code
  Rank rank;                // by display place of a code: its reading place
  PlaceOf placeOf;          // by reading place: the code's display place

  // Where a caret at a display place stands in reading order.
  std::size_t Reading(std::size_t caret) const {
    if (caret > 0 && leftToRight(caret - 1)) return rank(caret - 1) + 1;
    if (caret < count && !leftToRight(caret)) return rank(caret) + 1;
    if (caret < count) return rank(caret);
    if (caret > 0) return rank(caret - 1);
    return first;
  }

  // The display place of a reading place: on the reading side of the code
  // read before it, or, where that place reads as another (beside a
  // left-to-right run), of the code read after it.
  std::size_t Display(std::size_t place) const {
    if (count == 0) return 0;
    if (place > first) {
      const std::size_t before = placeOf(place - 1);
      const std::size_t caret = leftToRight(before) ? before + 1 : before;
      if (place == first + count || Reading(caret) == place) return caret;
    }
    const std::size_t after = placeOf(place);
    return leftToRight(after) ? after : after + 1;
  }
};

template <typename LeftToRight, typename Rank, typename PlaceOf>
Places<LeftToRight, Rank, PlaceOf> PlacesOf(std::size_t first, std::size_t count,
                                            LeftToRight leftToRight, Rank rank, PlaceOf placeOf) {
  return {first, count, leftToRight, rank, placeOf};
}

auto ParagraphPlaces(const WrappedLines& lines) {
  return PlacesOf(
      0, lines.reading.size(),
      [&lines](std::size_t index) { return lines.leftToRight[index] != 0; },
      [&lines](std::size_t index) { return lines.rank[index]; },
      [&lines](std::size_t rank) { return lines.reading[rank]; });
}

auto LinePlaces(const WrappedLines& lines, std::size_t line) {
  const std::size_t begin = lines.starts[line];
  const auto shown = lines.shown.begin() + static_cast<std::ptrdiff_t>(begin);
  const auto end = lines.shown.begin() + static_cast<std::ptrdiff_t>(lines.starts[line + 1]);
  return PlacesOf(
      begin, lines.LineLength(line),
      [&lines, begin](std::size_t place) { return lines.lineLeftToRight[begin + place] != 0; },
      [&lines, begin](std::size_t place) { return lines.rank[lines.shown[begin + place]]; },
      [&lines, shown, end](std::size_t rank) {
        return static_cast<std::size_t>(std::find(shown, end, lines.reading[rank]) - shown);
      });
}

}  // namespace

std::vector<std::int32_t> AdvancesOf(std::string_view codes, const AdvanceTable& table) {
  std::vector<std::int32_t> advances(codes.size());
  for (std::size_t index = 0; index < codes.size(); ++index)
    advances[index] = table[static_cast<unsigned char>(codes[index])];
  return advances;
}

const WrappedLines& ParagraphWrapper::Wrap(std::string_view codes,
                                           const std::vector<std::int32_t>& advances,
                                           std::int64_t lineWidth) {
  GlyphClasses(codes, glyphClasses_);
  return Wrap(codes, glyphClasses_, advances, lineWidth, lineWidth);
}

const WrappedLines& ParagraphWrapper::Wrap(std::string_view codes,
                                           const std::vector<BidiClass>& classes,
                                           const std::vector<std::int32_t>& advances,
                                           std::int64_t firstLineWidth, std::int64_t lineWidth) {
  Read(classes);
  Break(codes, advances, firstLineWidth, lineWidth);
  lines_.shown.clear();
  lines_.lineLeftToRight.clear();
  for (std::size_t line = 0; line < lines_.LineCount(); ++line) Order(codes, line);
  return lines_;
}

void ParagraphWrapper::GlyphClasses(std::string_view codes, std::vector<BidiClass>& classes) {
  classes.resize(codes.size());
  for (std::size_t index = 0; index < codes.size(); ++index) classes[index] = ClassOf(codes[index]);
}

void ParagraphWrapper::Read(const std::vector<BidiClass>& classes) {
  const std::size_t count = classes.size();
  lines_.reading.clear();
  const auto read = [&](std::size_t index) { lines_.reading.push_back(index); };
  if (MarkLeftToRight(classes, lines_.leftToRight)) {
    ForEachReordered(lines_.leftToRight, read);
  } else {
    lines_.leftToRight.assign(count, 0);
    for (std::size_t index = count; index > 0; --index) read(index - 1);
  }
  lines_.rank.resize(count);
  for (std::size_t place = 0; place < count; ++place) lines_.rank[lines_.reading[place]] = place;
}

// Greedy, in reading order, by words with the spaces after them. A word
// wider than a line starts a line of its own and is cut where it must be.
// The first line may have another width.
void ParagraphWrapper::Break(std::string_view codes, const std::vector<std::int32_t>& advances,
                             std::int64_t firstLineWidth, std::int64_t lineWidth) {
  const std::vector<std::size_t>& reading = lines_.reading;
  const std::size_t count = reading.size();
  const auto isSpace = [&](std::size_t place) { return IsBreakSpace(codes[reading[place]]); };
  lines_.starts.assign(1, 0);
  std::int64_t used = 0;
  const auto room = [&] { return lines_.starts.size() == 1 ? firstLineWidth : lineWidth; };
  const auto startLine = [&](std::size_t place) {
    if (used > 0) lines_.starts.push_back(place);
    used = 0;
  };
  const auto take = [&](std::size_t place, std::int64_t width) {
    if (used + width > room()) startLine(place);
    used += width;
  };
  for (std::size_t start = 0; start < count;) {
    std::size_t end = start;
    std::int64_t width = 0;
    while (end < count && !isSpace(end)) width += advances[reading[end++]];
    const std::int64_t body = width;
    while (end < count && isSpace(end)) width += advances[reading[end++]];
    // A word that fits a line but for its spaces takes a line with them.
    if (width <= lineWidth || body <= lineWidth || used + width <= room()) {
      take(start, width);
    } else {
      startLine(start);
      for (std::size_t place = start; place < end; ++place) take(place, advances[reading[place]]);
    }
    start = end;
  }
  lines_.starts.push_back(count);
}

// A line keeps the levels its codes have in the paragraph, and is ordered
// as the bidirectional algorithm orders a line (UAX #9, L1 and L2): the
// spaces that end it stand at the paragraph's level, right to left, and
// the rest reverses but for the left-to-right runs.
void ParagraphWrapper::Order(std::string_view codes, std::size_t line) {
  const std::size_t length = lines_.LineLength(line);
  const std::size_t* reading = lines_.reading.data() + lines_.starts[line];
  marks_.resize(length);
  for (std::size_t place = 0; place < length; ++place)
    marks_[place] = lines_.leftToRight[reading[place]];
  for (std::size_t place = length; place > 0 && IsBreakSpace(codes[reading[place - 1]]); --place)
    marks_[place - 1] = 0;
  ForEachReordered(marks_, [&](std::size_t place) {
    lines_.shown.push_back(reading[place]);
    lines_.lineLeftToRight.push_back(marks_[place]);
  });
}

std::size_t ParagraphPlace(const WrappedLines& lines, LinePlace at) {
  return ParagraphPlaces(lines).Display(LinePlaces(lines, at.line).Reading(at.place));
}

LinePlace LinePlaceOf(const WrappedLines& lines, std::size_t paragraphPlace) {
  const std::size_t place = ParagraphPlaces(lines).Reading(paragraphPlace);
  const auto starts = lines.starts.begin();
  const auto line =
      static_cast<std::size_t>(std::upper_bound(starts, lines.starts.end() - 1, place) - starts) -
      1;
  return {line, LinePlaces(lines, line).Display(place)};
}

}  // namespace core
