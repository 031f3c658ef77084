#include "RtfReaderLimits.h"

#include <gtest/gtest.h>

#include "MalformedDocuments.h"

using core::RtfReaderLimits;

namespace {

// The verdict on a stream fed in pieces of the given size (0: whole).
bool Admits(const std::string& bytes, std::size_t piece = 0) {
  RtfReaderLimits limits;
  if (piece == 0) return limits.Admit(bytes.data(), bytes.size());
  bool admitted = true;
  for (std::size_t at = 0; at < bytes.size(); at += piece)
    admitted = limits.Admit(bytes.data() + at, std::min(piece, bytes.size() - at));
  return admitted;
}

std::string Repeated(const std::string& piece, std::size_t count) {
  std::string result;
  for (std::size_t i = 0; i < count; ++i) result += piece;
  return result;
}

std::string Nested(std::size_t depth, const std::string& inside = "x") {
  return std::string(depth, '{') + inside + std::string(depth, '}');
}

std::string FontTable(const std::string& name) {
  return "{\\rtf1{\\fonttbl{\\f0\\fnil " + name + ";}}x}";
}

struct LimitCase {
  const char* label;
  std::string bytes;
  bool admitted;
};

class Limits : public testing::TestWithParam<LimitCase> {};

// The verdict must not depend on how the stream is cut into reads.
TEST_P(Limits, SameVerdictWhereverTheStreamIsCut) {
  const LimitCase& c = GetParam();
  for (std::size_t piece : {0, 1, 2, 3, 7, 64})
    EXPECT_EQ(Admits(c.bytes, piece), c.admitted) << "pieces of " << piece;
}

const std::string A255(255, 'A');
const std::string Letters253(253, 'w');

INSTANTIATE_TEST_SUITE_P(
    Cases, Limits,
    testing::Values(
        LimitCase{
            "Ordinary",
            "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil\\fcharset2 Persian;}}{\\colortbl ;\\red255;}"
            "{\\stylesheet{\\s0 Normal;}}\\pard\\qr\\f0\\fs40 \\'c1{\\b bold}\\par}",
            true},
        LimitCase{"Depth32", Nested(32), true}, LimitCase{"Depth33", Nested(33), false},
        LimitCase{"Depth33LeftOpen", std::string(33, '{'), false},
        LimitCase{"ManyGroupsSideBySide", "{" + Repeated("{a}", 2500) + "}", true},
        LimitCase{"EscapedBracesAreText", "{\\rtf1" + Repeated("\\{", 40) + "}", true},
        LimitCase{"HexEscapeTakesTwoBytesWhateverTheyAre", "{\\rtf1" + Repeated("\\'{{", 40) + "}",
                  true},
        LimitCase{"ControlWord255", "{\\rtf1 \\" + Letters253 + "-1 x}", true},
        LimitCase{"ControlWord256", "{\\rtf1 \\" + Letters253 + "-12 x}", false},
        LimitCase{"Parameter256Digits", "{\\rtf1 \\fs" + std::string(254, '9') + " x}", false},
        LimitCase{"TabStops", "{\\rtf1\\pard\\tx0\\tqr\\tx16777215\\tb720 x}", true},
        LimitCase{"NegativeTabStop", "{\\rtf1\\pard\\tx-5 x}", false},
        LimitCase{"TabStopBeyondItsBits", "{\\rtf1\\pard\\tb16777216 x}", false},
        LimitCase{"TabStopOverflowing", "{\\rtf1\\pard\\tx99999999999999999999 x}", false},
        LimitCase{"HighBytesEndAWord", "{\\rtf1 \\b" + std::string(2000, '\xe9') + "}", true},
        LimitCase{"WordsSideBySide", "{\\rtf1 " + Repeated("\\" + std::string(200, 'b'), 200) + "}",
                  true},
        LimitCase{"FontName255", FontTable(A255), true},
        LimitCase{"FontName256", FontTable(A255 + "B"), false},
        LimitCase{"FontNameEscapesCountByTheByte",
                  FontTable(std::string(64, 'A') + Repeated("\\'41", 48)), false},
        LimitCase{"FontNamesSeparated", FontTable(A255 + ";" + A255 + "\\b " + A255), true},
        LimitCase{"FontTableWithoutBraces", "{\\rtf1{\\fonttbl\\f0 " + A255 + "B;}x}", false},
        LimitCase{"StyleName256", "{\\rtf1{\\stylesheet{\\s1 " + A255 + "B;}}x}", false},
        LimitCase{"FontTableNamedInTheText", "{\\rtf1 \\b x \\fonttbl " + A255 + "B;}", false},
        LimitCase{"LongParagraphAfterTheTable",
                  "{\\rtf1{\\fonttbl{\\f0 Arial;}}" + std::string(20000, 'p') + "}", true},
        LimitCase{"LongParagraphInANestedGroup",
                  "{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\b " + std::string(20000, 'p') + "}}", true},
        LimitCase{"ClosersLeftOver", "{\\rtf1 x}}}" + std::string(5000, 'z'), true},
        LimitCase{"GroupAfterALeftOverCloser", "{\\rtf1 x}}{y}", false},
        // A font table can make the reader go on after the outermost group.
        LimitCase{"WatchedAfterTheOutermostGroup", "{{\\fonttbl}}\\fs" + std::string(300, '9'),
                  false}),
    [](const testing::TestParamInfo<LimitCase>& info) { return std::string(info.param.label); });

TEST(RtfReaderLimits, StaysRefusedOnceExceeded) {
  RtfReaderLimits limits;
  const std::string deep(40, '{');
  EXPECT_FALSE(limits.Admit(deep.data(), deep.size()));
  const std::string closing(40, '}');
  EXPECT_FALSE(limits.Admit(closing.data(), closing.size()));
  EXPECT_FALSE(limits.Admit("x", 1));
}

// Over the whole damaged corpus, in uneven pieces as the control asks for
// them: the same verdict as in one piece, and no read outside the bytes.
TEST(RtfReaderLimits, DamagedDocumentsGetTheSameVerdictInPieces) {
  std::size_t refused = 0;
  const auto documents = MakeMalformedDocuments(1, 2400);
  for (std::size_t i = 0; i < documents.size(); ++i) {
    const std::string& bytes = documents[i].bytes;
    const bool whole = Admits(bytes);
    EXPECT_EQ(Admits(bytes, 1 + i % 97), whole) << documents[i].label;
    refused += whole ? 0 : 1;
  }
  // The corpus reaches past every limit and also stays inside them.
  EXPECT_GT(refused, documents.size() / 20);
  EXPECT_LT(refused, documents.size() / 2);
}

}  // namespace
