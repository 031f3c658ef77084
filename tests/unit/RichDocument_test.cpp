#include "RichDocument.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "GlyphToUnicode.h"
#include "PersianText.h"

namespace {

// "[R]" for a right-aligned paragraph, "*" for a bullet, then its indents,
// tab stops and number, each run as face/charset/half-points, style
// letters, colour (as #rrggbb, where not black) and its text.
std::string Color(std::uint32_t bgr) {
  if (!bgr) return "";
  char rgb[8];
  std::snprintf(rgb, sizeof rgb, "#%02x%02x%02x", bgr & 0xFF, bgr >> 8 & 0xFF, bgr >> 16 & 0xFF);
  return rgb;
}

std::string Describe(const std::vector<core::RichParagraph>& paragraphs) {
  std::string out;
  for (const core::RichParagraph& paragraph : paragraphs) {
    out += "[" + std::string(1, "LRCJ"[static_cast<int>(paragraph.alignment)]) +
           (paragraph.bullet ? "*" : "");
    if (paragraph.leftIndent || paragraph.firstIndent)
      out +=
          " " + std::to_string(paragraph.leftIndent) + "," + std::to_string(paragraph.firstIndent);
    for (const int stop : paragraph.tabStops) out += " |" + std::to_string(stop);
    if (!paragraph.number.text.empty()) out += " " + paragraph.number.text;
    out += "]";
    for (const core::TextRun& run : paragraph.runs) {
      const core::RunStyle& s = run.style;
      out += "(" + s.face + "/" + std::to_string(s.charset) + "/" + std::to_string(s.halfPoints) +
             (s.bold ? "b" : "") + (s.italic ? "i" : "") + (s.underline ? "u" : "") +
             (s.strikeOut ? "s" : "") + Color(s.color) + ")" + run.text;
    }
  }
  return out;
}

struct RtfCase {
  const char* label;
  const char* rtf;
  const char* paragraphs;
};

// Stands in for the system's code pages: knows the Cyrillic one's first letter.
std::string Cyrillic(char32_t character, int codePage) {
  return codePage == 1251 && character == 0x0410 ? "\xC0" : "";
}

class RichParagraphs : public testing::TestWithParam<RtfCase> {};

TEST_P(RichParagraphs, Paragraphs) {
  EXPECT_EQ(Describe(core::RichParagraphs(core::ReadRtf(GetParam().rtf), Cyrillic)),
            GetParam().paragraphs);
}

INSTANTIATE_TEST_SUITE_P(
    Core, RichParagraphs,
    testing::Values(
        RtfCase{"FormatsAndAlignment",
                "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 "
                "Arial;}{\\f1\\fnil\\fcharset2{\\*\\panose 0}Persian;}}"
                "{\\colortbl ;\\red0\\green0\\blue0;}{\\*\\generator Wine;}\\viewkind4\\uc1"
                "\\pard\\qr\\f1\\fs24 \\'8f\\'e3\\par\\pard\\qc\\f0\\b\\fs56 Big\\b0\\fs24  \\i "
                "small\\i0\\par\r\n"
                "\\pard\\ul under\\ulnone\\strike x\\strike0\\plain\\f1 y\\par}",
                "[R](Persian/2/24)\x8F\xE3[C](Arial/0/56b)Big(Arial/0/24) (Arial/0/24i)small"
                "[L](Arial/0/24u)under(Arial/0/24s)x(Persian/2/24)y"},
        RtfCase{"GroupsRestoreTheFormatAndEscapesAreText",
                "{\\rtf1{\\fonttbl\\f0 Times;}{\\b bold{\\i both}}\\{\\}\\\\ a\\~b\\_c\\-d\\tab e}",
                "[L](Times/0/24b)bold(Times/0/24bi)both(Times/0/24){}\\ a\xA0"
                "b-cd\te"},
        RtfCase{"UnicodeGlyphCodesAndFallbacks",
                "{\\rtf1{\\fonttbl{\\f0\\fcharset0 Arial;}{\\f1\\fcharset2 Persian;}}"
                "\\f1\\u-3869?\\u61667?\\f0\\u8364\\'80\\uc2\\u65AB\\u8212 xy\\u-1\\'3f\\'3f z}",
                "[L](Persian/2/24)\xE3\xE3(Arial/0/24)\x80"
                "A\x97? z"},
        // Bytes go back as they were read; a Unicode escape's character in
        // the font's code page, else in that of its character set, else as
        // one mark for each UTF-16 unit; a zero-width one as nothing.
        RtfCase{"TextInItsFontsCodePage",
                "{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0\\fcharset204 Arial;}{\\f1\\fcharset178 "
                "Arial;}"
                "{\\f2\\fcharset0 Arial;}}\\f0\\'c0\\u1040?\\u1041?\\u8203?\\u-10179?\\u-8704?"
                "\\f1\\'c7\\u1575?\\u1688?\\f2\\'c7\\u1575?\\u8364?}",
                "[L](Arial/204/24)\xC0\xC0???"
                "(Arial/178/24)\xC7\xC7\x8E(Arial/0/24)\xC7?\x80"},
        RtfCase{
            "TablesCellsAndRows",
            "{\\rtf1{\\fonttbl{\\f0 Arial;}}\\trowd\\cellx100\\cellx200 a\\cell b\\cell\\row c}",
            "[L](Arial/0/24)a\tb\t[L](Arial/0/24)c"},
        // Sizes in half points; colours by the table, whose first entry
        // here is the automatic one.
        RtfCase{
            "ColoursAndHalfPointSizes",
            "{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\colortbl "
            ";\\red255\\green0\\blue0;\\red0\\green128\\blue255;}"
            "\\fs41 a\\cf1 b\\cf2\\fs40 c\\cf0 d\\cf9 e}",
            "[L](Arial/0/41)a(Arial/0/41#ff0000)b(Arial/0/40#0080ff)c(Arial/0/40)d(Arial/0/40)e"},
        RtfCase{"TabStopsUntilTheNextPard",
                "{\\rtf1{\\fonttbl{\\f0 Arial;}}\\pard\\tx300\\tb100 a\\tab b\\par c\\par\\pard d}",
                "[L |300 |100](Arial/0/24)a\tb[L |300 |100](Arial/0/24)c[L](Arial/0/24)d"},
        // As rich edit controls write lists: numbers count on until a
        // paragraph without, and start again at the list's start.
        RtfCase{
            "NumberedLists",
            "{\\rtf1{\\fonttbl{\\f0 Arial;}}\\pard{\\pntext\\f0 1.\\tab}{\\*\\pn\\pnlvlbody\\pnf0"
            "\\pnindent0\\pnstart1\\pndec{\\pntxta.}}\\fi-360\\li360 one\\par{\\pntext\\f0 "
            "2.\\tab}two\\par"
            "\\pard{\\*\\pn\\pnlvlbody\\pnstart3\\pnucrm{\\pntxtb(}{\\pntxta)}}x\\par"
            "{\\*\\pn\\pnlvlbody\\pnstart28\\pnlcltr{\\pntxta)}}y\\par\\pard z}",
            "[L 360,-360 1.](Arial/0/24)one[L 360,-360 2.](Arial/0/24)two[L (III)](Arial/0/24)x"
            "[L ab)](Arial/0/24)y[L](Arial/0/24)z"},
        RtfCase{
            "BulletsAndIndents",
            "{\\rtf1{\\fonttbl{\\f0 Arial;}}\\pard{\\pntext\\f0\\'b7\\tab}{\\*\\pn\\pnlvlblt\\pnf0"
            "\\pnindent0{\\pntxtb\\'b7}}\\fi-200\\li200 item\\par\\pard next}",
            "[L* 200,-200](Arial/0/24)item[L](Arial/0/24)next"},
        RtfCase{"EmptyParagraphsKeepTheirMarkFormat",
                "{\\rtf1{\\fonttbl{\\f0 Arial;}}a\\par\\fs40\\par\\line b\\par}",
                "[L](Arial/0/24)a[L](Arial/0/40)[L](Arial/0/40)[L](Arial/0/40)b"},
        RtfCase{
            "SkippedDestinationsAndBinaryData",
            "{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\info{\\title T}}{\\*\\unknown x}{\\pict\\bin2 {}}"
            "{\\field{\\*\\fldinst HYPERLINK}{\\fldrslt link}}!}",
            "[L](Arial/0/24)link!"},
        RtfCase{"DamagedInputReadsOn", "{\\rtf1 text\\'4}} after",
                "[L](Times New Roman/0/24)text4 after"}),
    [](const testing::TestParamInfo<RtfCase>& info) { return std::string(info.param.label); });

TEST(RichParagraphs, APersianParagraphsNumberIsInPersianDigits) {
  const auto paragraphs = core::RichParagraphs(core::ReadRtf(
      "{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset2 Persian;}}{\\*\\pn\\pnlvlbody\\pnstart12"
      "\\pndec{\\pntxta.}}\\f1\\fs30 \\'8f\\par}"));
  ASSERT_EQ(paragraphs.size(), 1u);
  core::Unconvertibles problems;
  EXPECT_EQ(core::GlyphsToUnicode(paragraphs[0].number.text, problems), Unicode("۱۲."));
  EXPECT_EQ(paragraphs[0].number.style, paragraphs[0].runs[0].style);
}

}  // namespace
