#include "RichDocument.h"

#include <gtest/gtest.h>

namespace {

// "[R]" for a right-aligned paragraph, "*" for a bullet, each run as
// face/charset/half-points, style letters and its text.
std::string Describe(const std::vector<core::RichParagraph>& paragraphs) {
  std::string out;
  for (const core::RichParagraph& paragraph : paragraphs) {
    out += "[" + std::string(1, "LRCJ"[static_cast<int>(paragraph.alignment)]) +
           (paragraph.bullet ? "*" : "");
    if (paragraph.leftIndent || paragraph.firstIndent)
      out +=
          " " + std::to_string(paragraph.leftIndent) + "," + std::to_string(paragraph.firstIndent);
    out += "]";
    for (const core::TextRun& run : paragraph.runs) {
      const core::RunStyle& s = run.style;
      out += "(" + s.face + "/" + std::to_string(s.charset) + "/" + std::to_string(s.halfPoints) +
             (s.bold ? "b" : "") + (s.italic ? "i" : "") + (s.underline ? "u" : "") +
             (s.strikeOut ? "s" : "") + ")" + run.text;
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
  EXPECT_EQ(Describe(core::RichParagraphs(core::ReadRtf(GetParam().rtf), Cyrillic)), GetParam().paragraphs);
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
                "b-cd e"},
        RtfCase{"UnicodeGlyphCodesAndFallbacks",
                "{\\rtf1{\\fonttbl{\\f0\\fcharset0 Arial;}{\\f1\\fcharset2 Persian;}}"
                "\\f1\\u-3869?\\u61667?\\f0\\u8364\\'80\\uc2\\u65AB\\u8212 xy\\u-1\\'3f\\'3f z}",
                "[L](Persian/2/24)\xE3\xE3(Arial/0/24)\x80"
                "A\x97? z"},
        // Bytes go back as they were read; a Unicode escape's character in
        // the font's code page, else in that of its character set, else as
        // one mark for each UTF-16 unit; a zero-width one as nothing.
        RtfCase{"TextInItsFontsCodePage",
                "{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0\\fcharset204 Arial;}{\\f1\\fcharset178 Arial;}"
                "{\\f2\\fcharset0 Arial;}}\\f0\\'c0\\u1040?\\u1041?\\u8203?\\u-10179?\\u-8704?"
                "\\f1\\'c7\\u1575?\\u1688?\\f2\\'c7\\u1575?\\u8364?}",
                "[L](Arial/204/24)\xC0\xC0???"
                "(Arial/178/24)\xC7\xC7\x8E(Arial/0/24)\xC7?\x80"},
        RtfCase{"TablesCellsAndRows",
                "{\\rtf1{\\fonttbl{\\f0 Arial;}}\\trowd\\cellx100\\cellx200 a\\cell b\\cell\\row c}",
                "[L](Arial/0/24)a b [L](Arial/0/24)c"},
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
        RtfCase{"DamagedInputReadsOn", "{\\rtf1 text\\'4}} after", "[L](Times New Roman/0/24)text4 after"}),
    [](const testing::TestParamInfo<RtfCase>& info) { return std::string(info.param.label); });

}  // namespace
