// A paragraph stored in display order laid out in screen lines that read
// from the top down, checked against the text it was written from and
// against FriBidi's levels for the paragraph.
#include "WrappedParagraph.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>

#include "LineTyping.h"
#include "PersianText.h"
#include "ReadingOrder.h"
#include "UnicodeToGlyph.h"
#include "Utf.h"

namespace {

// The paragraph's characters in reading order as the converter reads them,
// each with the code that shows it.
struct ReadCharacter {
  std::size_t code;
  char32_t character;
};
std::vector<ReadCharacter> ReadParagraph(std::string_view codes) {
  std::vector<core::BidiClass> classes;
  std::vector<std::uint8_t> leftToRight;
  std::vector<ReadCharacter> read;
  core::ReadInReadingOrder(
      codes.size(),
      [&](std::size_t index) -> const core::ShownGlyph& {
        return core::GlyphOfCode(static_cast<unsigned char>(codes[index]));
      },
      classes, leftToRight,
      [&](std::size_t index, char32_t character) {
        read.push_back({index, character});
      });
  return read;
}

// A non-joiner or joiner that a letter's form shows, not a code of its own.
bool Implied(const ReadCharacter& read, std::string_view codes) {
  const bool joiner = read.character == core::Zwnj || read.character == core::Zwj;
  return joiner &&
         core::GlyphOfCode(static_cast<unsigned char>(codes[read.code])).first != read.character;
}

// FriBidi's embedding level of each character of a right-to-left paragraph.
std::vector<int> FribidiLevels(std::u32string_view text) {
  const std::string name = testing::TempDir() + "wrapped-paragraph.txt";
  std::ofstream(name) << core::Utf8FromUnicode(text) << "\n";
  std::vector<int> levels;
  if (FILE* out = popen(("fribidi --rtl --nobreak --levels --novisual < " + name).c_str(), "r")) {
    for (int level; fscanf(out, "%d", &level) == 1;) levels.push_back(level);
    pclose(out);
  }
  std::remove(name.c_str());
  return levels;
}

struct Laid {
  std::string paragraph;
  std::vector<std::int32_t> advances;
  core::ParagraphWrapper wrapper;
  const core::WrappedLines* lines = nullptr;

  Laid(std::string codes, const core::AdvanceTable& table, std::int64_t width)
      : paragraph(std::move(codes)), advances(core::AdvancesOf(paragraph, table)) {
    lines = &wrapper.Wrap(paragraph, advances, width);
  }
  std::vector<std::size_t> Shown(std::size_t line) const {
    return {lines->shown.begin() + static_cast<std::ptrdiff_t>(lines->starts[line]),
            lines->shown.begin() + static_cast<std::ptrdiff_t>(lines->starts[line + 1])};
  }
  std::string Line(std::size_t line) const {
    std::string codes;
    for (const std::size_t index : Shown(line)) codes += paragraph[index];
    return codes;
  }
  std::size_t LineOf(std::size_t code) const {
    return static_cast<std::size_t>(
        std::upper_bound(lines->starts.begin(), lines->starts.end() - 1, lines->rank[code]) -
        lines->starts.begin() - 1);
  }
  std::int64_t Width(std::size_t from, std::size_t to) const {  // of reading places [from, to)
    std::int64_t width = 0;
    for (std::size_t place = from; place < to; ++place) width += advances[lines->reading[place]];
    return width;
  }
  // The end of the word and spaces that start at a reading place.
  std::size_t UnitEnd(std::size_t from) const {
    const auto isSpace = [&](std::size_t place) {
      return core::IsBreakSpace(paragraph[lines->reading[place]]);
    };
    while (from < paragraph.size() && !isSpace(from)) ++from;
    while (from < paragraph.size() && isSpace(from)) ++from;
    return from;
  }
};

core::AdvanceTable Uniform(std::int32_t width) {
  core::AdvanceTable table;
  table.fill(width);
  return table;
}

// Widths as unlike as a proportional font's.
core::AdvanceTable Proportional() {
  core::AdvanceTable table;
  for (std::size_t code = 0; code < table.size(); ++code)
    table[code] = static_cast<std::int32_t>(3 + code * 7 % 11);
  table[' '] = 4;
  return table;
}

// The codes of each line in the order the Unicode reference gives: the
// paragraph's levels, then for each line the spaces at its end at the
// paragraph's level and the runs of each level from the highest down
// reversed (UAX #9, L1 and L2).
void ExpectReferenceOrder(const Laid& laid, const std::vector<ReadCharacter>& read,
                          const std::string& name) {
  std::u32string text;
  for (const ReadCharacter& character : read) text += character.character;
  const std::vector<int> levels = FribidiLevels(text);
  ASSERT_EQ(levels.size(), text.size()) << "fribidi did not run";
  std::vector<std::vector<std::size_t>> byLine(laid.lines->LineCount());
  for (std::size_t index = 0; index < read.size(); ++index)
    if (!Implied(read[index], laid.paragraph))
      byLine[laid.LineOf(read[index].code)].push_back(index);
  for (std::size_t line = 0; line < byLine.size(); ++line) {
    std::vector<std::size_t>& logical = byLine[line];
    std::vector<int> level;
    for (const std::size_t index : logical) level.push_back(levels[index]);
    for (std::size_t end = logical.size();
         end > 0 && (text[logical[end - 1]] == ' ' || text[logical[end - 1]] == '\t');)
      level[--end] = 1;
    for (int high = level.empty() ? 0 : *std::max_element(level.begin(), level.end()); high >= 1;
         --high)
      for (std::size_t start = 0; start < logical.size();) {
        std::size_t end = start;
        while (end < logical.size() && level[end] >= high) ++end;
        std::reverse(logical.begin() + static_cast<std::ptrdiff_t>(start),
                     logical.begin() + static_cast<std::ptrdiff_t>(end));
        start = end + 1;
      }
    std::vector<std::size_t> codes;
    for (const std::size_t index : logical)
      if (codes.empty() || codes.back() != read[index].code) codes.push_back(read[index].code);
    EXPECT_EQ(laid.Shown(line), codes) << name << " line " << line;
  }
}

// Every line fits, and could not have taken the word (or the piece of a
// word) that opens the next one; each line holds its codes in the
// reference's order.
void ExpectSoundLayout(const Laid& laid, std::int64_t width, const std::string& name) {
  const core::WrappedLines& lines = *laid.lines;
  for (std::size_t line = 0; line < lines.LineCount(); ++line) {
    const std::size_t begin = lines.starts[line], end = lines.starts[line + 1];
    const std::int64_t used = laid.Width(begin, end);
    EXPECT_TRUE(used <= width || end - begin == 1 || laid.Width(begin, laid.UnitEnd(begin)) > width)
        << name << " line " << line << " is " << used;
    if (end == laid.paragraph.size()) continue;
    const std::size_t next = std::min(laid.UnitEnd(end), lines.starts[line + 2]);
    EXPECT_TRUE(used + laid.Width(end, next) > width || laid.Width(end, laid.UnitEnd(end)) > width)
        << name << " line " << line << " could take more";
  }
  ExpectReferenceOrder(laid, ReadParagraph(laid.paragraph), name);
}

// Each line's text in reading order, as the converter reads the paragraph.
std::vector<std::string> LineTexts(const Laid& laid) {
  std::vector<std::u32string> texts(laid.lines->LineCount());
  for (const ReadCharacter& character : ReadParagraph(laid.paragraph))
    texts[laid.LineOf(character.code)] += character.character;
  std::vector<std::string> utf8;
  for (const std::u32string& text : texts) utf8.push_back(core::Utf8FromUnicode(text));
  return utf8;
}

struct Case {
  const char* text;
  std::int64_t width;  // in codes: every code one unit wide
  std::vector<const char*> lines;
};

}  // namespace

TEST(WrappedParagraph, FirstWordsOnTheFirstLineEachLineInReferenceOrder) {
  const Case cases[] = {
      {"یک دو سه چهار", 7, {"یک دو ", "سه چهار"}},
      {"یک دو سه چهار", 100, {"یک دو سه چهار"}},
      {"یک  دو", 4, {"یک  ", "دو"}},  // the spaces stay with the line they end
      // A word wider than a line is cut where it must be; a zero width
      // still makes progress.
      {"به دانشگاه", 3, {"به ", "دان", "شگا", "ه"}},
      {"یک دو", 0, {"ی", "ک", " ", "د", "و"}},
      {"", 5, {""}},
      {"کتاب Dabiro 2 را در New York دیدم", 12, {"کتاب Dabiro ", "2 را در New ", "York دیدم"}},
      {"قیمت 50% و 10-20 است", 9, {"قیمت 50% ", "و 10-20 ", "است"}},
      // Its level from the Latin word before it: European, the hyphen with it.
      {"Windows 10-11 است", 12, {"Windows ", "10-11 است"}},
      {"«کتاب» (خوب) است", 7, {"«کتاب» ", "(خوب) ", "است"}},
  };
  for (const Case& test : cases) {
    const Laid laid(FromUnicode(Unicode(test.text)), Uniform(1), test.width);
    EXPECT_EQ(LineTexts(laid), std::vector<std::string>(test.lines.begin(), test.lines.end()))
        << test.text;
    ExpectSoundLayout(laid, test.width, test.text);
  }
}

// A Persian line is the piece of the stored paragraph it shows, the first
// line the stored paragraph's right end; the caret goes between the two.
TEST(WrappedParagraph, PersianLinesArePiecesOfTheStoredParagraph) {
  const Laid laid(
      FromUnicode(
          Unicode("امروز هوا خوب است و ما به کوه می‌رویم تا شب")),
      Proportional(), 60);
  ASSERT_GT(laid.lines->LineCount(), 3u);
  const std::size_t size = laid.paragraph.size();
  for (std::size_t line = 0; line < laid.lines->LineCount(); ++line) {
    const std::size_t from = size - laid.lines->starts[line + 1];
    EXPECT_EQ(laid.Line(line), laid.paragraph.substr(from, laid.lines->LineLength(line))) << line;
    for (std::size_t place = 0; place <= laid.lines->LineLength(line); ++place) {
      EXPECT_EQ(core::ParagraphPlace(*laid.lines, {line, place}), from + place)
          << line << " " << place;
      // The left end of a line is where the next line starts in reading order.
      const bool leftEnd = place == 0 && line + 1 < laid.lines->LineCount();
      if (!leftEnd) {
        EXPECT_EQ(core::LinePlaceOf(*laid.lines, from + place), (core::LinePlace{line, place}));
      }
    }
  }
}

// The caret keeps its place in reading order from the paragraph to its
// lines and back, in mixed text too.
TEST(WrappedParagraph, CaretPlacesKeepTheirReadingPlace) {
  const std::string paragraph = FromUnicode(
      Unicode("در سال 2023 نسخهٔ Dabiro 2 را در New York با ۵۰٪ تخفیف (ارزان) خریدم و بردم"));
  for (const std::int64_t width : {8, 15, 30}) {
    const Laid laid(paragraph, Uniform(1), width);
    for (std::size_t place = 0; place <= paragraph.size(); ++place) {
      const core::LinePlace at = core::LinePlaceOf(*laid.lines, place);
      ASSERT_LE(at.place, laid.lines->LineLength(at.line));
      const std::size_t back = core::ParagraphPlace(*laid.lines, at);
      EXPECT_EQ(core::ReadingPlaceAfter(paragraph, {back, back}),
                core::ReadingPlaceAfter(paragraph, {place, place}))
          << width << ": " << place << " came back as " << back;
    }
  }
}

// Many words of the dictionary in one paragraph, Latin words and numbers
// among them, at widths from a letter to a page.
TEST(WrappedParagraph, DictionaryParagraphLaysOutSoundlyAtEveryWidth) {
  std::ifstream dictionary("/usr/share/hunspell/fa_IR.dic");
  if (!dictionary) GTEST_SKIP() << "fa_IR.dic missing: install myspell-fa";
  const char* const among[] = {"Windows 10", "50%",    "۱۴۰۳/۰۱/۰۲", "New York",
                               "(2023)",     "«کتاب»", "C++"};
  std::string entry;
  std::getline(dictionary, entry);
  std::u32string text;
  for (std::size_t number = 0; std::getline(dictionary, entry) && text.size() < 20000; ++number) {
    if (number % 97) continue;
    const std::u32string word = Unicode(entry.substr(0, entry.find('/')));
    bool writable = !word.empty();
    for (const char32_t character : word) writable &= core::CanBeTyped(character);
    if (!writable) continue;
    text += word + U" ";
    if (number % 11 == 0) text += Unicode(among[number % std::size(among)]) + U" ";
  }
  text.pop_back();
  const std::string paragraph = FromUnicode(text);
  for (const std::int64_t width : {10, 80, 300, 1200, 100000}) {
    const Laid laid(paragraph, Proportional(), width);
    ExpectSoundLayout(laid, width, "width " + std::to_string(width));
  }
}
