#include "TextSearch.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "ReadingOrder.h"
#include "TextLines.h"

namespace core {

namespace {

constexpr std::size_t None = static_cast<std::size_t>(-1);

bool IsWordCharacter(char32_t c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
         (c >= 0x0621 && c <= 0x063A) || (c >= 0x0641 && c <= 0x064A) ||
         (c >= 0x0671 && c <= 0x06D3) || (c >= 0x06F0 && c <= 0x06F9) || c == Zwnj;
}

char32_t Compared(char32_t character, const SearchOptions& options) {
  character = PersianVariant(character);
  if (!options.matchCase && character >= 'A' && character <= 'Z') character += 'a' - 'A';
  return character;
}

// A line's letters as compared, each with the codes it is shown by.
struct SearchLine {
  std::u32string letters;
  std::vector<std::size_t> shownAt;    // by letter
  std::vector<std::size_t> readingAt;  // by letter: its place in the line's reading order
};

SearchLine ReadForSearch(std::string_view line, const SearchOptions& options) {
  SearchLine read;
  std::vector<BidiClass> classes;
  std::vector<std::uint8_t> leftToRight;
  std::size_t reading = 0;
  ReadInReadingOrder(
      line.size(),
      [&](std::size_t index) -> const ShownGlyph& {
        return GlyphOfCode(static_cast<unsigned char>(line[index]));
      },
      classes, leftToRight,
      [&](std::size_t index, char32_t character) {
        const std::size_t place = reading++;
        // A ZWJ only says how a letter is shown.
        if (character == Zwj || (character == Zwnj && !options.matchCase)) return;
        read.letters += Compared(character, options);
        read.shownAt.push_back(index);
        read.readingAt.push_back(place);
      });
  return read;
}

struct Line {
  std::size_t start, end;  // in the document, without the line break
};

// Reading a line in reading order costs far more than looking at its
// codes, and most lines of a long document hold no match: a line is read
// only when each letter of the query (up to 32 of them; the ZWNJ, which
// can be shown by no code, aside) is shown by some code of it.
class LetterFilter {
 public:
  LetterFilter(const std::u32string& wanted, const SearchOptions& options) {
    std::u32string letters;
    for (const char32_t letter : wanted)
      if (letter != Zwnj && letters.find(letter) == std::u32string::npos && letters.size() < 32)
        letters += letter;
    all_ = letters.size() == 32 ? ~std::uint32_t{0} : (std::uint32_t{1} << letters.size()) - 1;
    for (std::size_t code = 0; code < codes_.size(); ++code) {
      const ShownGlyph& glyph = GlyphOfCode(static_cast<unsigned char>(code));
      for (const char32_t shown : {glyph.first, glyph.second, glyph.mirrored}) {
        const std::size_t at =
            shown ? letters.find(Compared(shown, options)) : std::u32string::npos;
        if (at != std::u32string::npos) codes_[code] |= std::uint32_t{1} << at;
      }
    }
  }
  bool MayHold(std::string_view line) const {
    std::uint32_t seen = 0;
    for (const char code : line) seen |= codes_[static_cast<unsigned char>(code)];
    return seen == all_;
  }

 private:
  std::array<std::uint32_t, 256> codes_{};  // by code: the letters it may show
  std::uint32_t all_ = 0;
};

std::vector<Line> LinesOf(std::string_view document) {
  std::vector<Line> lines;
  ForEachLine(
      document.data(), document.size(),
      [&](std::size_t start, std::size_t end, std::size_t) {
        lines.push_back({start, end});
      },
      [](std::size_t, std::size_t) {});
  return lines;
}

bool IsWhole(const std::u32string& letters, std::size_t at, std::size_t length) {
  return (at == 0 || !IsWordCharacter(letters[at - 1])) &&
         (at + length == letters.size() || !IsWordCharacter(letters[at + length]));
}

// The first match in the line at or after letter `from`, as codes of the
// line; None when there is none.
std::size_t FindInLine(const SearchLine& line, const std::u32string& query, std::size_t from,
                       const SearchOptions& options) {
  for (std::size_t at = line.letters.find(query, from); at != std::u32string::npos;
       at = line.letters.find(query, at + 1))
    if (!options.wholeWord || IsWhole(line.letters, at, query.size())) return at;
  return None;
}

Found CodesOfMatch(const SearchLine& line, std::size_t at, std::size_t length,
                   std::size_t lineStart) {
  std::size_t first = line.shownAt[at], last = first;
  for (std::size_t index = at; index < at + length; ++index) {
    first = std::min(first, line.shownAt[index]);
    last = std::max(last, line.shownAt[index]);
  }
  return {lineStart + first, lineStart + last + 1, false};
}

}  // namespace

std::u32string SearchLetters(std::string_view line, const SearchOptions& options) {
  return ReadForSearch(line, options).letters;
}

std::optional<Found> FindNext(std::string_view document, std::size_t from, std::size_t to,
                              std::string_view query, const SearchOptions& options) {
  const std::u32string wanted = SearchLetters(query, options);
  if (wanted.empty()) return std::nullopt;
  const LetterFilter filter(wanted, options);
  const std::vector<Line> lines = LinesOf(document);
  std::size_t first = 0;
  while (first + 1 < lines.size() && lines[first + 1].start <= from) ++first;
  const Line& home = lines[first];
  const std::string_view homeCodes = document.substr(home.start, home.end - home.start);
  const LineSelection selection{std::min(from, home.end) - home.start,
                                std::min(to, home.end) - home.start};
  const std::size_t place = ReadingPlaceAfter(homeCodes, selection);
  // Round the lines once, the selection's line last again for what stands
  // before the place.
  for (std::size_t step = 0; step <= lines.size(); ++step) {
    const std::size_t index = (first + step) % lines.size();
    const Line& line = lines[index];
    const std::string_view codes = document.substr(line.start, line.end - line.start);
    if (!filter.MayHold(codes)) continue;
    const SearchLine read = ReadForSearch(codes, options);
    std::size_t start = 0;
    if (step == 0)
      while (start < read.readingAt.size() && read.readingAt[start] < place) ++start;
    const std::size_t at = FindInLine(read, wanted, start, options);
    if (at == None || (step == lines.size() && read.readingAt[at] >= place)) continue;
    Found found = CodesOfMatch(read, at, wanted.size(), line.start);
    found.wrapped = first + step >= lines.size();
    return found;
  }
  return std::nullopt;
}

std::vector<Found> FindAll(std::string_view document, std::string_view query,
                           const SearchOptions& options) {
  const std::u32string wanted = SearchLetters(query, options);
  std::vector<Found> all;
  if (wanted.empty()) return all;
  const LetterFilter filter(wanted, options);
  for (const Line& line : LinesOf(document)) {
    const std::string_view codes = document.substr(line.start, line.end - line.start);
    if (!filter.MayHold(codes)) continue;
    const SearchLine read = ReadForSearch(codes, options);
    for (std::size_t at = FindInLine(read, wanted, 0, options); at != None;
         at = FindInLine(read, wanted, at + wanted.size(), options))
      all.push_back(CodesOfMatch(read, at, wanted.size(), line.start));
  }
  return all;
}

std::vector<LineReplacement> ReplaceEach(std::string_view document, std::vector<Found> matches,
                                         std::u32string_view replacement) {
  std::sort(matches.begin(), matches.end(),
            [](const Found& a, const Found& b) { return a.start > b.start; });
  const std::vector<Line> lines = LinesOf(document);
  std::vector<LineReplacement> replaced;
  std::size_t index = lines.size();
  std::string before, line;
  for (const Found& match : matches) {
    if (index == lines.size() || match.start < lines[index].start) {
      if (!replaced.empty()) replaced.back().whole = ChangeBetween(before, line);
      while (index > 0 && (index == lines.size() || lines[index].start > match.start)) --index;
      before = line = document.substr(lines[index].start, lines[index].end - lines[index].start);
      replaced.push_back({lines[index].start, {}, {}});
    }
    const std::size_t start = lines[index].start;
    LineChange step = TypeIntoLine(line, {match.start - start, match.end - start}, replacement);
    line.replace(step.start, step.end - step.start, step.codes);
    replaced.back().steps.push_back(std::move(step));
  }
  if (!replaced.empty()) replaced.back().whole = ChangeBetween(before, line);
  return replaced;
}

}  // namespace core
