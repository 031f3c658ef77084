// Finding words whatever forms their letters take, in reading order.
#include <gtest/gtest.h>

#include "PersianCalendar.h"
#include "TextSearch.h"
#include "UnicodeToGlyph.h"
#include "Utf.h"

namespace {

std::string Glyphs(const char* utf8) {
  std::u32string text;
  std::size_t fault = 0;
  core::UnicodeFromUtf8(utf8, text, fault);
  core::Unconvertibles problems;
  return core::UnicodeToGlyphs(text, problems);
}

// The text the codes [start, end) of a found match show.
std::string Shown(const std::string& document, const core::Found& found) {
  return document.substr(found.start, found.end - found.start);
}

}  // namespace

TEST(TextSearch, AWordIsFoundWhateverFormsItsLettersTake) {
  // Alone, its last letter is final; inside a longer word, medial.
  const std::string document = Glyphs("کتابها\r\nیک کتاب");
  ASSERT_NE(Glyphs("کتاب"), Glyphs("کتابها").substr(2));
  // The caret at the right end of the first line: its start in reading order.
  const auto first = core::FindNext(document, 6, 6, Glyphs("کتاب"), {});
  ASSERT_TRUE(first);
  EXPECT_EQ(first->start, 2u);  // the word's letters right of "ها" in display order
  EXPECT_EQ(first->end, 6u);
  const auto second = core::FindNext(document, first->start, first->end, Glyphs("کتاب"), {});
  ASSERT_TRUE(second);
  EXPECT_EQ(Shown(document, *second), Glyphs("کتاب"));
  EXPECT_FALSE(second->wrapped);
  const auto again = core::FindNext(document, second->start, second->end, Glyphs("کتاب"), {});
  ASSERT_TRUE(again);
  EXPECT_TRUE(again->wrapped);
  EXPECT_EQ(again->start, first->start);
  // Whole words only: the one inside "کتابها" is passed over.
  const auto whole = core::FindNext(document, 6, 6, Glyphs("کتاب"), {true, false});
  ASSERT_TRUE(whole);
  EXPECT_EQ(whole->start, second->start);
  EXPECT_EQ(core::FindAll(document, Glyphs("کتاب"), {}).size(), 2u);
  EXPECT_EQ(core::FindAll(document, Glyphs("کتاب"), {true, false}).size(), 1u);
}

TEST(TextSearch, MatchesGoOnInReadingOrderWithinALine) {
  // Two matches on one line: the first in reading order stands right.
  const std::string document = Glyphs("سلام و سلام");
  const auto first = core::FindNext(document, document.size(), document.size(), Glyphs("سلام"), {});
  ASSERT_TRUE(first);
  EXPECT_EQ(first->end, document.size());
  const auto second = core::FindNext(document, first->start, first->end, Glyphs("سلام"), {});
  ASSERT_TRUE(second);
  EXPECT_EQ(second->start, 0u);
  EXPECT_EQ(core::FindNext(document, 0, 0, Glyphs("دنیا"), {}), std::nullopt);
}

TEST(TextSearch, LettersNotCodesAreCompared) {
  const core::SearchOptions plain, exact{false, true};
  // Lam-alef is two letters; the ZWNJ counts only with Match case.
  EXPECT_EQ(core::SearchLetters(Glyphs("سلام"), plain), U"\u0633\u0644\u0627\u0645");
  EXPECT_TRUE(core::FindNext(Glyphs("می‌روم"), 0, 0, Glyphs("میروم"), plain));
  EXPECT_FALSE(core::FindNext(Glyphs("می‌روم"), 0, 0, Glyphs("میروم"), exact));
  // A tatweel stretches a join and is no letter.
  const std::string stretched = Glyphs("کت").substr(0, 1) + "\xAD" + Glyphs("کت").substr(1);
  EXPECT_EQ(core::SearchLetters(stretched, plain), core::SearchLetters(Glyphs("کت"), plain));
  // Latin case counts only with Match case.
  EXPECT_TRUE(core::FindNext(Glyphs("کتاب Dabiro"), 0, 0, "dabiro", plain));
  EXPECT_FALSE(core::FindNext(Glyphs("کتاب Dabiro"), 0, 0, "dabiro", exact));
  EXPECT_FALSE(core::FindNext(Glyphs("کتاب"), 0, 0, "", plain));
}

// Each replacement takes the forms its new neighbours give it, as the
// converter writes the replaced text; several on a line, on several lines.
TEST(TextSearch, ReplaceEachWritesWhatTheConverterWritesOfTheReplacedText) {
  const std::string document =
      Glyphs("کتاب و کتابها\r\nنه\r\nیک کتاب، کتاب‌ها");
  const auto matches = core::FindAll(document, Glyphs("کتاب"), {});
  ASSERT_EQ(matches.size(), 4u);
  std::string byStep = document, atOnce = document;
  for (const core::LineReplacement& line : core::ReplaceEach(document, matches, U"\u0645\u0647")) {
    for (const core::LineChange& step : line.steps)
      byStep.replace(line.lineStart + step.start, step.end - step.start, step.codes);
    atOnce.replace(line.lineStart + line.whole.start, line.whole.end - line.whole.start,
                   line.whole.codes);
  }
  EXPECT_EQ(byStep, Glyphs("مه و مهها\r\nنه\r\nیک مه، مه‌ها"));
  EXPECT_EQ(atOnce, byStep);
}

// Known days across leap years: the first of Farvardin, the 30th of
// Esfand of a leap year, and the date the editor was written on.
TEST(PersianCalendar, GregorianDaysGiveTheirSolarDays) {
  const struct {
    int year, month, day;
    core::SolarDate solar;
  } days[] = {
      {2017, 3, 21, {1396, 1, 1}},   {2020, 3, 20, {1399, 1, 1}},   {2021, 3, 20, {1399, 12, 30}},
      {2021, 3, 21, {1400, 1, 1}},   {2024, 3, 20, {1403, 1, 1}},   {2025, 3, 20, {1403, 12, 30}},
      {2025, 3, 21, {1404, 1, 1}},   {2026, 3, 20, {1404, 12, 29}}, {2026, 12, 8, {1405, 9, 17}},
      {1979, 2, 11, {1357, 11, 22}}, {2000, 1, 1, {1378, 10, 11}},  {2029, 3, 20, {1408, 1, 1}},
      {2024, 9, 22, {1403, 7, 1}},   {2024, 9, 21, {1403, 6, 31}},
  };
  for (const auto& day : days) {
    const core::SolarDate solar = core::SolarDateOf(day.year, day.month, day.day);
    EXPECT_TRUE(solar == day.solar) << day.year << "-" << day.month << "-" << day.day << " gave "
                                    << solar.year << "/" << solar.month << "/" << solar.day;
  }
  EXPECT_EQ(core::PersianDateText({1405, 9, 17}),
            U"\u06F1\u06F4\u06F0\u06F5/\u06F0\u06F9/\u06F1\u06F7");
}
