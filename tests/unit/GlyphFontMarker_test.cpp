#include "GlyphFontMarker.h"

#include <gtest/gtest.h>

#include "MalformedDocuments.h"

namespace {

std::string Marked(const std::string& rtf, std::size_t piece = 1 << 20) {
  core::GlyphFontMarker marker("Persian");
  std::string out;
  for (std::size_t at = 0; at < rtf.size(); at += piece)
    marker.Feed(rtf.data() + at, std::min(piece, rtf.size() - at), out);
  marker.Finish(out);
  return out;
}

struct MarkCase {
  const char* table;
  const char* marked;
};

class GlyphFontMarking : public testing::TestWithParam<MarkCase> {};

// Whole and in pieces of every size up to the length of the table.
TEST_P(GlyphFontMarking, OnlyTheGlyphFontBecomesASymbolFont) {
  const std::string head = "{\\rtf1\\ansi\\ansicpg1256\\deff0";
  const std::string body = "\\f0\\fs54 \\'e5\\'e4 \\'a1\\par}";
  const std::string rtf = head + GetParam().table + body;
  const std::string expected = head + GetParam().marked + body;
  for (std::size_t piece = 1; piece <= rtf.size(); ++piece)
    ASSERT_EQ(Marked(rtf, piece), expected) << piece;
}

INSTANTIATE_TEST_SUITE_P(
    Tables, GlyphFontMarking,
    testing::Values(
        // As the editor used to write it, and as it writes it now.
        MarkCase{"{\\fonttbl{\\f0\\fnil\\fcharset0 Persian;}}",
                 "{\\fonttbl{\\f0\\fnil\\fcharset2 Persian;}}"},
        MarkCase{"{\\fonttbl{\\f0\\fnil\\fcharset2 Persian;}}",
                 "{\\fonttbl{\\f0\\fnil\\fcharset2 Persian;}}"},
        MarkCase{"{\\fonttbl{\\f0 Persian;}}", "{\\fonttbl{\\f0\\fcharset2 Persian;}}"},
        MarkCase{"{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\fnil\\fcharset178 persian ;}}",
                 "{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\fnil\\fcharset2 persian ;}}"},
        // Old style without a group per font, a hex-escaped name, a panose
        // group, line breaks.
        MarkCase{"{\\fonttbl\\f0\\fswiss Arial;\\f1\\froman Persian;}",
                 "{\\fonttbl\\f0\\fswiss Arial;\\f1\\fcharset2\\froman Persian;}"},
        MarkCase{"{\\fonttbl{\\f3 P\\'65rsian;}}", "{\\fonttbl{\\f3\\fcharset2 P\\'65rsian;}}"},
        MarkCase{"{\\fonttbl\r\n{\\f0{\\*\\panose 02000000}\\fcharset0 Persian;}\r\n}",
                 "{\\fonttbl\r\n{\\f0{\\*\\panose 02000000}\\fcharset2 Persian;}\r\n}"},
        // Other fonts, names that only begin like it, text outside the table.
        MarkCase{"{\\fonttbl{\\f0\\fcharset0 Persian Sans;}{\\f1\\fcharset0 Arial;}}",
                 "{\\fonttbl{\\f0\\fcharset0 Persian Sans;}{\\f1\\fcharset0 Arial;}}"},
        MarkCase{"{\\fonttbl{\\f0\\fcharset0 Arial;}}{\\info Persian;}",
                 "{\\fonttbl{\\f0\\fcharset0 Arial;}}{\\info Persian;}"}));

// Whatever the entry is made of (text, hex escapes, control words), no
// more than an entry's worth is ever held back.
TEST(GlyphFontMarker, AnEntryTooLongForAFontPassesUnchanged) {
  for (const std::string unit : {" ", "\\'41", "\\b"}) {
    std::string name;
    while (name.size() <= 64 * core::GlyphFontMarker::MaxEntry) name += unit;
    const std::string rtf = "{\\rtf1{\\fonttbl{\\f0\\fcharset0 " + name + "Persian;}}x}";
    core::GlyphFontMarker marker("Persian");
    std::string out;
    for (std::size_t fed = 0; fed < rtf.size();) {
      const std::size_t piece = std::min<std::size_t>(4096, rtf.size() - fed);
      marker.Feed(rtf.data() + fed, piece, out);
      fed += piece;
      ASSERT_LE(fed - out.size(), core::GlyphFontMarker::MaxEntry) << unit << " at " << fed;
    }
    marker.Finish(out);
    EXPECT_EQ(out, rtf) << unit;
    EXPECT_EQ(Marked(rtf, 100), rtf) << unit;
  }
}

// Whatever the damage, nothing is lost or reordered outside the glyph font's
// entry, and pieces do not change the result.
TEST(GlyphFontMarker, DamagedDocumentsPassWholeInAnyPieces) {
  const auto documents = MakeMalformedDocuments(2, 600);
  for (std::size_t i = 0; i < documents.size(); ++i) {
    const std::string& bytes = documents[i].bytes;
    const std::string whole = Marked(bytes);
    EXPECT_EQ(Marked(bytes, 1 + i % 61), whole) << documents[i].label;
    if (bytes.find("Persian") == std::string::npos) {
      EXPECT_EQ(whole, bytes) << documents[i].label;
    }
  }
}

}  // namespace
