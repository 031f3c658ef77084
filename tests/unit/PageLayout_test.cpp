#include "PageLayout.h"

#include <gtest/gtest.h>

#include <map>

#include "GlyphToUnicode.h"
#include "PersianText.h"
#include "TextPlaces.h"

namespace {

using core::Alignment;

// Each character is half its size in points wide; a font rises its size in
// half-points above the baseline and a quarter of that below it.
const core::TextMeasure Measure{[](const core::RunStyle& style, const std::string& text) {
                                  return static_cast<int>(text.size()) * style.halfPoints / 2;
                                },
                                [](const core::RunStyle& style) {
                                  return core::FontMetrics{style.halfPoints, style.halfPoints / 4};
                                }};

core::TextRun Text(const std::string& text, int halfPoints = 24, bool bold = false) {
  core::TextRun run;
  run.style.halfPoints = halfPoints;
  run.style.bold = bold;
  run.text = text;
  return run;
}

core::TextRun Glyphs(const std::string& utf8, int halfPoints = 24) {
  core::TextRun run = Text(FromUnicode(Unicode(utf8)), halfPoints);
  run.style.face = core::GlyphFace;
  run.style.charset = 2;
  return run;
}

core::RichParagraph Paragraph(std::vector<core::TextRun> runs,
                              Alignment alignment = Alignment::Left) {
  core::RichParagraph paragraph;
  paragraph.alignment = alignment;
  paragraph.runs = std::move(runs);
  for (const core::TextRun& run : paragraph.runs) paragraph.rightToLeft |= run.style.Glyphs();
  return paragraph;
}

// Each piece as "x,baseline:text" ("*" for a bullet); pages apart by " | ".
std::string Pages(const std::vector<core::RichParagraph>& paragraphs, int width,
                  int height = 1000) {
  std::string out;
  for (const core::LaidOutPage& page :
       core::LayOutPages(paragraphs, {width, height, 1440}, Measure)) {
    if (!out.empty()) out += " |";
    for (const core::PlacedText& piece : page)
      out += " " + std::to_string(piece.x) + "," + std::to_string(piece.baseline) + ":" +
             (piece.bulletWidth ? "*" : piece.text);
  }
  return out;
}

TEST(PageLayout, ParagraphsAlignAsTheySay) {
  EXPECT_EQ(Pages({Paragraph({Text("abc")}), Paragraph({Text("abc")}, Alignment::Right),
                   Paragraph({Text("abc")}, Alignment::Center)},
                  120),
            " 0,24:abc 84,54:abc 42,84:abc");
}

TEST(PageLayout, ALineIsAsHighAsItsTallestRun) {
  EXPECT_EQ(Pages({Paragraph({Text("ab "), Text("CD", 48)}), Paragraph({Text("x")})}, 200),
            " 0,48:ab  36,48:CD 0,84:x");
}

// Bytes of a Western font that are Persian letters' codes in the glyph font
// stay in their order, from the left.
TEST(PageLayout, LinesBreakAtSpacesAcrossRunsAndCutWordsWiderThanALine) {
  EXPECT_EQ(Pages({Paragraph({Text("one tw\xE9 thr"), Text("ee abcdefghijkl z", 24, true)})}, 60),
            " 0,24:one 0,54:tw\xE9 0,84:thr 36,84:ee 0,114:abcde 0,144:fghij 0,174:kl z");
}

// A printed line: its codes left to right, its ends, and the width of the
// word at its right end, which a Persian line reads first.
struct PrintedLine {
  std::string codes;
  int left = 1 << 30, right = 0, firstWord = 0;
};

std::vector<PrintedLine> PrintedLines(const core::LaidOutPage& page) {
  std::map<int, PrintedLine> lines;
  for (const core::PlacedText& piece : page) {
    PrintedLine& line = lines[piece.baseline];
    line.codes += piece.text;
    line.left = std::min(line.left, piece.x);
    int x = piece.x;
    for (std::size_t i = 0; i < piece.text.size(); ++i) {
      line.firstWord = piece.text[i] == ' ' ? 0 : line.firstWord + piece.advances[i];
      line.right = std::max(line.right, x += piece.advances[i]);
    }
  }
  std::vector<PrintedLine> out;
  for (const auto& [baseline, line] : lines) out.push_back(line);
  return out;
}

// The lines of a long Persian paragraph in two sizes, each read back by the
// converter as a line of its own: the paragraph's words from the first,
// every line as full as the next line's first word lets it be (that word
// takes its space along, and a space is at most 20 wide), and flush with
// its paragraph's alignment. The runs, one a word, are stored in display
// order: the first word at the right.
TEST(PageLayout, APersianParagraphPrintsItsFirstWordsFirst) {
  const std::string words[] = {"یک", "دو", "سه", "چهار", "پنج", "شش", "هفت", "هشت", "نه", "ده"};
  std::vector<core::TextRun> runs;
  std::string text;
  for (int i = 0; i < 30; ++i) {
    const std::string word = words[i % 10] + (i < 29 ? " " : "");
    text += word;
    runs.insert(runs.begin(), Glyphs(word, i % 3 ? 24 : 40));
  }
  for (const Alignment alignment : {Alignment::Right, Alignment::Left}) {
    const std::vector<PrintedLine> lines = PrintedLines(
        core::LayOutPages({Paragraph(runs, alignment)}, {300, 10000, 1440}, Measure)[0]);
    ASSERT_GT(lines.size(), 4u);
    std::string read;
    for (std::size_t k = 0; k < lines.size(); ++k) {
      const PrintedLine& line = lines[k];
      EXPECT_EQ(alignment == Alignment::Right ? line.right : line.left,
                alignment == Alignment::Right ? 300 : 0);
      EXPECT_LE(line.right - line.left, 300);
      if (k + 1 < lines.size()) {
        EXPECT_GT(line.right - line.left + 40 + lines[k + 1].firstWord, 300);
      }
      core::Unconvertibles problems;
      read += (k ? " " : "") + core::Utf8FromUnicode(core::GlyphsToUnicode(line.codes, problems));
    }
    EXPECT_EQ(read, text);
  }
}

TEST(PageLayout, PagesBreakBetweenLinesAndEmptyLinesAtTheEndAddNone) {
  std::vector<core::RichParagraph> paragraphs;
  for (const char* text : {"a", "b", "c", "d", "e", "", " "})
    paragraphs.push_back(Paragraph({Text(text)}));
  EXPECT_EQ(Pages(paragraphs, 100, 70), " 0,24:a 0,54:b | 0,24:c 0,54:d | 0,24:e");
  EXPECT_EQ(Pages({}, 100, 70), "");
  EXPECT_EQ(core::LayOutPages({}, {100, 70, 1440}, Measure).size(), 1u) << "one blank page";
}

// A bullet or number hangs at the first line's indent, a Persian
// paragraph's at its right.
TEST(PageLayout, BulletsAndNumbersHangAtTheFirstIndentBeforeTheText) {
  core::RichParagraph item = Paragraph({Text("item")});
  item.bullet = true;
  item.leftIndent = 200;
  item.firstIndent = -200;
  core::RichParagraph rightItem = item;
  rightItem.alignment = Alignment::Right;
  core::RichParagraph numbered = item;
  numbered.bullet = false;
  numbered.number = Text("12.");
  core::RichParagraph persian = Paragraph({Glyphs("یک")}, Alignment::Right);
  persian.number = Glyphs("۱.");
  EXPECT_EQ(Pages({item, rightItem, numbered, persian}, 1000),
            " 0,24:* 200,24:item 0,54:* 952,54:item 0,84:12. 200,84:item " +
                std::to_string(1000 - 24) + ",114:" + persian.number.text + " " +
                std::to_string(1000 - 24 - 12 - 24) + ",114:" + persian.runs[0].text);
}

// A tab reaches the next stop along the line's reading order, past the
// paragraph's stops the next half inch.
TEST(PageLayout, TabsReachTheNextStop) {
  core::RichParagraph latin = Paragraph({Text("a\tb\tc")});
  latin.tabStops = {300};
  core::RichParagraph persian = Paragraph({Glyphs("یک\tدو")}, Alignment::Right);
  persian.tabStops = {300};
  const core::LaidOutPage page =
      core::LayOutPages({latin, persian}, {1000, 1000, 1440}, Measure)[0];
  ASSERT_EQ(page.size(), 2u);
  EXPECT_EQ(page[0].x, 0);
  EXPECT_EQ(page[0].advances, (std::vector<int>{12, 288, 12, 408, 12}));
  const std::size_t tab = page[1].text.find('\t');
  ASSERT_NE(tab, std::string::npos);
  EXPECT_EQ(page[1].advances[tab], 300 - 12 * int(page[1].text.size() - tab - 1));
  EXPECT_EQ(page[1].x, 1000 - 300 - 12 * int(tab));
}

}  // namespace

// The caret on the screen's lines of a Persian paragraph: every place of
// every line goes to the store and back to the same x; reading a line
// starts at its right end and ends at its left, the paragraph's stored
// end (its right) is where it begins, and a press finds its line.
TEST(PageLayout, CaretPlacesOnTheLinesOfAPersianParagraphKeepTheirX) {
  const core::TextRun run = Glyphs("یک دو سه چهار پنج شش هفت هشت نه ده");
  const std::string& stored = run.text;
  const core::LaidOutText text =
      core::LayOutText({Paragraph({run}, Alignment::Right)}, {120, 0, 1440}, Measure);
  ASSERT_GT(text.lines.size(), 2u);
  for (std::size_t index = 0; index < text.lines.size(); ++index) {
    const core::LaidOutLine& line = text.lines[index];
    EXPECT_EQ(core::LineAtHeight(text, line.top + 1), index);
    for (const int x : line.placeX) {
      const core::ScreenPlace shown = core::ScreenPlaceOf(text, core::PlaceOnLine(text, index, x));
      EXPECT_EQ(shown.line, index) << "x " << x;
      EXPECT_EQ(shown.x, x);
    }
    const core::ScreenPlace start = core::ScreenPlaceOf(text, core::LineReadingStart(text, index));
    const core::ScreenPlace end = core::ScreenPlaceOf(text, core::LineReadingEnd(text, index));
    EXPECT_EQ(start.line, index);
    EXPECT_EQ(end.line, index);
    EXPECT_EQ(start.x, 120);
    EXPECT_EQ(end.x, line.pieces.front().x);
  }
  EXPECT_EQ(core::ScreenPlaceOf(text, {0, stored.size()}).line, 0u);
  EXPECT_EQ(core::ScreenPlaceOf(text, {0, 0}).line, text.lines.size() - 1);
  EXPECT_EQ(core::LineAtHeight(text, text.height + 50), text.lines.size() - 1);
}

// A selection from a Persian paragraph's middle onwards holds its codes
// left of the caret; one up to the middle those right of it.
TEST(PageLayout, CodesReadFromACaretPlaceAreThoseOnItsReadingSide) {
  const core::TextRun run = Glyphs("یک دو سه");
  const core::LaidOutText text =
      core::LayOutText({Paragraph({run}, Alignment::Right)}, {1000, 0, 1440}, Measure);
  const core::WrappedLines& lines = text.paragraphs[0];
  const std::size_t size = run.text.size();
  EXPECT_EQ(core::CodesReadBefore(lines, size), 0u);
  EXPECT_EQ(core::CodesReadBefore(lines, 0), size);
  EXPECT_EQ(core::CodesReadBefore(lines, 2), size - 2);
  EXPECT_EQ(core::CodesReadFrom(lines, size - 2, true), (std::vector<core::CodeRange>{{0, 2}}));
  EXPECT_EQ(core::CodesReadFrom(lines, size - 2, false), (std::vector<core::CodeRange>{{2, size}}));
}

// Laying out again the paragraphs that changed gives what laying out the
// whole changed document gives: one paragraph became two, one went.
TEST(PageLayout, RelayingChangedParagraphsMatchesLayingOutAll) {
  const auto paragraph = [](const char* text, int halfPoints) {
    return Paragraph({Glyphs(text, halfPoints)}, Alignment::Right);
  };
  std::vector<core::RichParagraph> document = {
      paragraph("یک دو سه چهار پنج", 24), paragraph("شش هفت", 40),
      paragraph("هشت نه ده یازده دوازده سیزده", 24), paragraph("چهارده", 30)};
  core::LaidOutText text = core::LayOutText(document, {100, 0, 1440}, Measure);
  document.erase(document.begin() + 1, document.begin() + 3);
  document.insert(document.begin() + 1, {paragraph("هفت هشت نه ده یازده", 30), paragraph("", 24),
                                         paragraph("دوازده سیزده", 40)});
  core::RelayParagraphs(text, document, 1, 2, 3, {100, 0, 1440}, Measure);
  const core::LaidOutText whole = core::LayOutText(document, {100, 0, 1440}, Measure);
  ASSERT_EQ(text.lines.size(), whole.lines.size());
  EXPECT_EQ(text.firstLines, whole.firstLines);
  EXPECT_EQ(text.height, whole.height);
  for (std::size_t k = 0; k < whole.lines.size(); ++k) {
    const core::LaidOutLine &relaid = text.lines[k], &expected = whole.lines[k];
    EXPECT_EQ(relaid.paragraph, expected.paragraph) << k;
    EXPECT_EQ(relaid.top, expected.top) << k;
    EXPECT_EQ(relaid.placeX, expected.placeX) << k;
    ASSERT_EQ(relaid.pieces.size(), expected.pieces.size()) << k;
    for (std::size_t p = 0; p < expected.pieces.size(); ++p) {
      EXPECT_EQ(relaid.pieces[p].baseline, expected.pieces[p].baseline) << k;
      EXPECT_EQ(relaid.pieces[p].text, expected.pieces[p].text) << k;
    }
  }
}
