#include "PageLayout.h"

#include <gtest/gtest.h>

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

core::RichParagraph Paragraph(std::vector<core::TextRun> runs,
                              Alignment alignment = Alignment::Left) {
  core::RichParagraph paragraph;
  paragraph.alignment = alignment;
  paragraph.runs = std::move(runs);
  return paragraph;
}

// Each piece as "x,baseline:text"; pages apart by " | ".
std::string Pages(const std::vector<core::RichParagraph>& paragraphs, int width,
                  int height = 1000) {
  std::string out;
  for (const core::LaidOutPage& page :
       core::LayOutPages(paragraphs, {width, height, 1440}, Measure)) {
    if (!out.empty()) out += " |";
    for (const core::PlacedText& piece : page)
      out +=
          " " + std::to_string(piece.x) + "," + std::to_string(piece.baseline) + ":" + piece.text;
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

TEST(PageLayout, LinesBreakAtSpacesAcrossRunsAndCutWordsWiderThanALine) {
  EXPECT_EQ(Pages({Paragraph({Text("one two thr"), Text("ee abcdefghijkl z", 24, true)})}, 60),
            " 0,24:one 0,54:two 0,84:thr 36,84:ee 0,114:abcde 0,144:fghij 0,174:kl z");
}

TEST(PageLayout, PagesBreakBetweenLinesAndEmptyLinesAtTheEndAddNone) {
  std::vector<core::RichParagraph> paragraphs;
  for (const char* text : {"a", "b", "c", "d", "e", "", " "})
    paragraphs.push_back(Paragraph({Text(text)}));
  EXPECT_EQ(Pages(paragraphs, 100, 70), " 0,24:a 0,54:b | 0,24:c 0,54:d | 0,24:e");
  EXPECT_EQ(Pages({}, 100, 70), "");
  EXPECT_EQ(core::LayOutPages({}, {100, 70, 1440}, Measure).size(), 1u) << "one blank page";
}

TEST(PageLayout, ABulletHangsAtTheFirstIndentBeforeTheText) {
  core::RichParagraph item = Paragraph({Text("item")});
  item.bullet = true;
  item.leftIndent = 200;
  item.firstIndent = -200;
  core::RichParagraph rightItem = item;
  rightItem.alignment = Alignment::Right;
  EXPECT_EQ(Pages({item, rightItem}, 1000), " 0,24:\xB7 200,24:item 0,54:\xB7 952,54:item");
  EXPECT_EQ(core::BulletStyle(item.runs[0].style).face, "Symbol");
}

}  // namespace
