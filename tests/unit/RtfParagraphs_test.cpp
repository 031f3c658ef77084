#include "RtfParagraphs.h"

#include <gtest/gtest.h>

namespace {

// "[R]" for a right-aligned paragraph, "*" for a bullet, each run as
// face/charset/half-points, style letters and its text.
std::string Describe(const std::vector<core::RichParagraph>& paragraphs) {
  std::string out;
  for (const core::RichParagraph& paragraph : paragraphs) {
    out += "[" + std::string(1, "LRC"[static_cast<int>(paragraph.alignment)]) +
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

class ReadRtfParagraphs : public testing::TestWithParam<RtfCase> {};

TEST_P(ReadRtfParagraphs, Paragraphs) {
  EXPECT_EQ(Describe(core::ReadRtfParagraphs(GetParam().rtf)), GetParam().paragraphs);
}

INSTANTIATE_TEST_SUITE_P(
    Core, ReadRtfParagraphs,
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
                "Axy?? z"},
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
        RtfCase{"DamagedInputStopsQuietly", "{\\rtf1 text\\'4}} after", "[L](/0/24)text4"},
        RtfCase{"Empty", "", ""}),
    [](const testing::TestParamInfo<RtfCase>& info) { return std::string(info.param.label); });

}  // namespace
