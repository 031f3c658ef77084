// A paragraph stored in display order laid out in screen lines that read
// from the top down, checked against the text it was written from.
#include "WrappedParagraph.h"

#include <gtest/gtest.h>

#include <fstream>
#include <numeric>

#include "GlyphToUnicode.h"
#include "LineTyping.h"
#include "UnicodeToGlyph.h"
#include "Utf.h"

namespace {

std::u32string Unicode(std::string_view utf8) {
  std::u32string text;
  std::size_t fault = 0;
  EXPECT_TRUE(core::UnicodeFromUtf8(utf8, text, fault)) << fault;
  return text;
}

std::string Utf8(std::u32string_view text) { return core::Utf8FromUnicode(text); }

std::string FromUnicode(std::u32string_view text) {
  core::Unconvertibles problems;
  return core::UnicodeToGlyphs(text, problems);
}

std::u32string ToUnicode(std::string_view codes) {
  core::Unconvertibles problems;
  return core::GlyphsToUnicode(codes, problems);
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
  std::string Line(std::size_t line) const {
    std::string codes;
    for (std::size_t at = lines->starts[line]; at < lines->starts[line + 1]; ++at)
      codes += paragraph[lines->shown[at]];
    return codes;
  }
  std::vector<std::string> Lines() const {
    std::vector<std::string> all;
    for (std::size_t line = 0; line < lines->LineCount(); ++line) all.push_back(Line(line));
    return all;
  }
  std::int64_t Width(std::size_t from, std::size_t to) const {  // of reading places [from, to)
    std::int64_t width = 0;
    for (std::size_t place = from; place < to; ++place) width += advances[lines->reading[place]];
    return width;
  }
  // The reading places of the word and spaces that open reading place `from`.
  std::size_t UnitEnd(std::size_t from) const {
    const auto isSpace = [&](std::size_t place) { return core::IsBreakSpace(paragraph[lines->reading[place]]); };
    std::size_t end = from;
    while (end < paragraph.size() && !isSpace(end)) ++end;
    while (end < paragraph.size() && isSpace(end)) ++end;
    return end;
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
  for (std::size_t code = 0; code < table.size(); ++code) table[code] = static_cast<std::int32_t>(3 + code * 7 % 11);
  table[' '] = 4;
  return table;
}

struct Case {
  const char* text;
  std::int64_t width;  // in codes: every code one unit wide
  std::vector<const char*> lines;  // each line read on its own
};

// Every line fits, none could have taken the word that opens the next one,
// and read one after the other the lines give the paragraph back.
void ExpectSoundLayout(const Laid& laid, std::int64_t width, const std::string& name) {
  const core::WrappedLines& lines = *laid.lines;
  std::vector<std::size_t> shown = lines.shown;
  std::sort(shown.begin(), shown.end());
  std::vector<std::size_t> all(laid.paragraph.size());
  std::iota(all.begin(), all.end(), 0);
  ASSERT_EQ(shown, all) << name;
  std::u32string read;
  std::vector<std::string_view> views;
  bool cut = false;  // a word cut at a line's end
  const std::vector<std::string> texts = laid.Lines();
  for (std::size_t line = 0; line < lines.LineCount(); ++line) {
    const std::size_t begin = lines.starts[line], end = lines.starts[line + 1];
    const std::int64_t used = laid.Width(begin, end);
    EXPECT_TRUE(used <= width || end - begin == 1 || laid.Width(begin, laid.UnitEnd(begin)) > width)
        << name << " line " << line << " is " << used;
    const std::size_t next = std::min(laid.UnitEnd(end), end < laid.paragraph.size() ? lines.starts[line + 2] : end);
    if (end < laid.paragraph.size()) {
      EXPECT_TRUE(used + laid.Width(end, next) > width || laid.Width(end, laid.UnitEnd(end)) > width)
          << name << " line " << line << " could take more";
    }
    cut |= end < laid.paragraph.size() && !core::IsBreakSpace(laid.paragraph[lines.reading[end - 1]]);
    read += ToUnicode(texts[line]);
    views.push_back(texts[line]);
  }
  EXPECT_EQ(core::ParagraphOfLines(views), laid.paragraph) << name;
  // Uncut words read on as they were; a cut one shows its joins apart.
  if (!cut) {
    EXPECT_EQ(Utf8(read), Utf8(ToUnicode(laid.paragraph))) << name;
  }
}

}  // namespace

TEST(WrappedParagraph, FirstWordsOnTheFirstLineEachLineInDisplayOrder) {
  const Case cases[] = {
      {"یک دو سه چهار", 7, {"یک دو ", "سه چهار"}},
      {"یک دو سه چهار", 100, {"یک دو سه چهار"}},
      {"یک  دو", 4, {"یک  ", "دو"}},  // the spaces stay with the line they end
      {"", 5, {""}},
      {"کتاب Dabiro 2 را در New York دیدم", 12, {"کتاب Dabiro ", "2 را در New ", "York دیدم"}},
      {"قیمت 50% و 10-20 است", 9, {"قیمت 50% ", "و 10-20 ", "است"}},
      {"«کتاب» (خوب) است", 7, {"«کتاب» ", "(خوب) ", "است"}},
  };
  for (const Case& test : cases) {
    const Laid laid(FromUnicode(Unicode(test.text)), Uniform(1), test.width);
    std::vector<std::string> read;
    for (const std::string& line : laid.Lines()) read.push_back(Utf8(ToUnicode(line)));
    EXPECT_EQ(read, std::vector<std::string>(test.lines.begin(), test.lines.end())) << test.text;
    ExpectSoundLayout(laid, test.width, test.text);
  }
}

// A Persian line is the piece of the stored paragraph it shows, the first
// line the stored paragraph's right end.
TEST(WrappedParagraph, PersianLinesArePiecesOfTheStoredParagraph) {
  const Laid laid(FromUnicode(Unicode("امروز هوا خوب است و ما به کوه می‌رویم تا شب")), Proportional(), 60);
  ASSERT_GT(laid.lines->LineCount(), 3u);
  const std::size_t size = laid.paragraph.size();
  for (std::size_t line = 0; line < laid.lines->LineCount(); ++line) {
    const std::size_t from = size - laid.lines->starts[line + 1];
    EXPECT_EQ(laid.Line(line), laid.paragraph.substr(from, laid.lines->LineLength(line))) << line;
    for (std::size_t place = 0; place <= laid.lines->LineLength(line); ++place) {
      EXPECT_EQ(core::ParagraphPlace(*laid.lines, {line, place}), from + place) << line << " " << place;
      // The left end of a line is where the next line starts in reading order.
      const bool leftEnd = place == 0 && line + 1 < laid.lines->LineCount();
      if (!leftEnd) {
        EXPECT_EQ(core::LinePlaceOf(*laid.lines, from + place), (core::LinePlace{line, place}));
      }
    }
  }
}

// A word wider than the line is cut where it must be, each piece as long
// as fits; a zero width still makes progress.
TEST(WrappedParagraph, AWordWiderThanALineIsCut) {
  for (const std::int64_t width : {0, 1, 3}) {
    const Laid laid(FromUnicode(Unicode("به دانشگاه")), Uniform(1), width);
    std::string read;
    for (const std::string& line : laid.Lines()) read = line + read;
    EXPECT_EQ(read, laid.paragraph) << width;
    EXPECT_EQ(laid.lines->LineCount(), width == 3 ? 4u : laid.paragraph.size()) << width;
    ExpectSoundLayout(laid, width, "width " + std::to_string(width));
  }
}

// The caret keeps its place in reading order from the paragraph to its
// lines and back, in mixed text too.
TEST(WrappedParagraph, CaretPlacesKeepTheirReadingPlace) {
  const std::string paragraph =
      FromUnicode(Unicode("در سال 2023 نسخهٔ Dabiro 2 را در New York با ۵۰٪ تخفیف (ارزان) خریدم و بردم"));
  for (const std::int64_t width : {8, 15, 30}) {
    const Laid laid(paragraph, Uniform(1), width);
    for (std::size_t place = 0; place <= paragraph.size(); ++place) {
      const core::LinePlace at = core::LinePlaceOf(*laid.lines, place);
      ASSERT_LE(at.place, laid.lines->LineLength(at.line));
      const std::size_t back = core::ParagraphPlace(*laid.lines, at);
      EXPECT_EQ(core::ReadingPlaceAfter(paragraph, {back, back}), core::ReadingPlaceAfter(paragraph, {place, place}))
          << width << ": " << place << " came back as " << back;
    }
  }
}

// Many words of the dictionary in one paragraph, Latin words and numbers
// among them, at widths from a word to a page.
TEST(WrappedParagraph, DictionaryParagraphLaysOutSoundlyAtEveryWidth) {
  std::ifstream dictionary("/usr/share/hunspell/fa_IR.dic");
  if (!dictionary) GTEST_SKIP() << "fa_IR.dic missing: install myspell-fa";
  const char* const among[] = {"Windows 10", "50%", "۱۴۰۳/۰۱/۰۲", "New York", "(2023)", "«کتاب»", "C++"};
  std::string entry;
  std::getline(dictionary, entry);
  std::u32string text;
  for (std::size_t number = 0; std::getline(dictionary, entry) && text.size() < 30000; ++number) {
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
  ASSERT_EQ(Utf8(ToUnicode(paragraph)), Utf8(text));
  for (const std::int64_t width : {10, 80, 300, 1200, 100000}) {
    const Laid laid(paragraph, Proportional(), width);
    ExpectSoundLayout(laid, width, "width " + std::to_string(width));
  }
}
