#include "RtfConversion.h"

#include <gtest/gtest.h>

#include <dirent.h>
#include <iconv.h>

#include <cstring>
#include <fstream>
#include <sstream>

#include "CodePages.h"
#include "Exceptions.h"
#include "PageLayout.h"
#include "RichDocument.h"
#include "Utf.h"

namespace {

std::u32string Text(const core::RtfParagraph& paragraph) {
  std::u32string text;
  for (const core::FormattedCharacter& character : paragraph.characters)
    text += character.character;
  return text;
}

std::string Utf8(const core::RtfParagraph& paragraph) {
  return core::Utf8FromUnicode(Text(paragraph));
}

// As the editor saves it: the glyph font, codes as \'xx or as the U+F000 +
// code a UTF-16 control writes, Latin in another face.
const char GlyphDocument[] =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset2 "
    "PERSIAN;}{\\f1\\fswiss\\fcharset0 Arial;}}\n"
    "{\\*\\generator Riched20 10.0;}\\viewkind4\\uc1\\pard\\qr\\f0\\fs54 {\\b "
    "\\'b0\\'eb}\\'94\\'e6\\'ef\\par\n"
    "\\pard\\qc\\f1\\fs20 Caf\\'e9 {\\i World}\\par\n"
    "\\pard\\qr\\f0 \\u61680?\\u61682?\\u61683? \\f1 ABC\\f0 \\'b0\\'e2\\'ae\\par\n"
    "\\pard\\f0 \\'fd\\'8b\\'fe\\par}\n";

TEST(RtfConversion, ReadsGlyphCodesInTheGlyphFaceAndWindows1252Elsewhere) {
  const core::RtfDocument document = core::ReadRtf(GlyphDocument);
  ASSERT_EQ(document.paragraphs.size(), 4u);
  const auto& first = document.paragraphs[0];
  EXPECT_TRUE(first.rightToLeft);
  EXPECT_EQ(first.alignment, core::Alignment::Right);
  EXPECT_EQ(Text(first), U"\xB0\xEB\x94\xE6\xEF");
  EXPECT_TRUE(first.characters[0].format.bold && !first.characters[2].format.bold);
  EXPECT_EQ(first.characters[0].format.halfPoints, 54);
  EXPECT_FALSE(document.paragraphs[1].rightToLeft);
  EXPECT_EQ(Utf8(document.paragraphs[1]), "Café World");
  EXPECT_TRUE(document.paragraphs[1].characters.back().format.italic);
  EXPECT_EQ(Text(document.paragraphs[2]), U"\xF0\xF2\xF3 ABC\xB0\xE2\xAE");
}

TEST(RtfConversion, TokenizerHandlesFallbacksDestinationsAndEscapes) {
  const char* const cases[][2] = {
      {"{\\rtf1\\uc2 a\\u1576\\'81\\'82b}", "aبb"},
      {"{\\rtf1 a{\\*\\unknown x}{\\info{\\title t}}{\\pict 0101}b\\~c}",
       "ab\xC2\xA0"
       "c"},
      {"{\\rtf1 \\u-10179?\\u-8704?\\{\\}\\\\\\tab x}", "\xF0\x9F\x98\x80{}\\\tx"},
      {"{\\rtf1 a\\bin3 {}}b}", "ab"},
      {"{\\rtf1 \\'8\\'e9\\emdash}", "8é—"},  // a broken escape is dropped
  };
  for (const auto& [rtf, text] : cases) {
    const core::RtfDocument document = core::ReadRtf(rtf);
    ASSERT_EQ(document.paragraphs.size(), 1u) << rtf;
    EXPECT_EQ(Utf8(document.paragraphs[0]), text) << rtf;
  }
  EXPECT_THROW(core::ReadRtf("plain text"), core::Exception);
  EXPECT_THROW(core::ReadRtf("{\\rtf1" + std::string(40, '{')), core::Exception);
}

TEST(RtfConversion, StrikeOutUnderlinesAndTableCellsSurviveUnicodeRtf) {
  const core::RtfDocument again = core::ReadRtf(core::UnicodeRtf(
      core::ReadRtf("{\\rtf1{\\fonttbl{\\f0 Arial;}}\\strike a\\strike0\\uldb b\\cell c\\row d}")));
  ASSERT_EQ(again.paragraphs.size(), 2u);
  EXPECT_EQ(Text(again.paragraphs[0]), U"ab\tc");
  const auto& characters = again.paragraphs[0].characters;
  EXPECT_TRUE(characters[0].format.strikeOut && !characters[0].format.underline);
  EXPECT_TRUE(characters[1].format.underline && !characters[1].format.strikeOut);
}

// Word on a Persian Windows writes Persian as Arabic code page bytes.
TEST(RtfConversion, BytesFollowTheCodePageOfTheirFontOrOfTheDocument) {
  const char rtf[] =
      "{\\rtf1\\ansi\\ansicpg1256\\deff0{\\fonttbl{\\f0\\fnil\\fcharset178 "
      "Tahoma;}{\\f1\\fnil\\fcharset0 Arial;}"
      "{\\f2\\fnil Other;}}\\f0 \\'c7\\'e1\\'81 {\\f1 caf\\'e9}{\\f2 \\'e1}\\par "
      "\\uc1\\u1583\\'cf}";
  const core::RtfDocument document = core::ReadRtf(rtf);
  ASSERT_EQ(document.paragraphs.size(), 2u);
  EXPECT_EQ(Utf8(document.paragraphs[0]), "الپ caféل");
  EXPECT_EQ(Utf8(document.paragraphs[1]), "د");
  EXPECT_TRUE(core::IsUnicodePersian(document));
  EXPECT_EQ(Utf8(core::ReadRtf("{\\rtf1\\ansi{\\fonttbl{\\f0 Tahoma;}}\\f0 \\'c7}").paragraphs[0]),
            "Ç");
  EXPECT_FALSE(core::IsUnicodePersian(core::ReadRtf(GlyphDocument)));
}

// Text from a Unicode file keeps beside the glyph font what the system's
// code page holds, in a face of its own, and comes back the same.
TEST(RtfConversion, UnicodeTextKeepsWhatTheSystemHoldsBesideTheGlyphFont) {
  core::Unconvertibles problems;
  const auto western = [](char32_t character) { return character < 0x100; };
  const core::RtfDocument text =
      core::UnicodeTextDocument(U"café سلام Ω\r\nnaïve «x»", {}, western, problems);
  const core::RtfDocument glyphs = core::GlyphDocument(text, problems);
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_EQ(core::Describe(problems[0]),
            "line 1, column 11: U+03A9 cannot be written with the font Persian");
  core::Unconvertibles none;
  const core::RtfDocument back = core::UnicodeDocument(core::ReadRtf(core::GlyphRtf(glyphs)), none);
  ASSERT_EQ(back.paragraphs.size(), 2u);
  EXPECT_EQ(Utf8(back.paragraphs[0]), "café سلام ?");
  EXPECT_EQ(Utf8(back.paragraphs[1]), "naïve «x»");
  EXPECT_TRUE(none.empty());
}

// Both tables against the C library's converter.
TEST(RtfConversion, CodePagesAreWindows1252And1256) {
  for (const auto& [name, decode] :
       {std::pair{"CP1252", core::Cp1252}, std::pair{"CP1256", core::Cp1256}}) {
    const iconv_t converter = iconv_open("UTF-32LE", name);
    ASSERT_NE(converter, reinterpret_cast<iconv_t>(-1)) << name;
    for (int byte = 0x80; byte < 0x100; ++byte) {
      char in = static_cast<char>(byte), out[4] = {};
      char *from = &in, *to = out;
      std::size_t inLeft = 1, outLeft = 4;
      if (iconv(converter, &from, &inLeft, &to, &outLeft) == static_cast<std::size_t>(-1))
        continue;  // undefined
      char32_t expected = 0;
      std::memcpy(&expected, out, 4);
      EXPECT_EQ(decode(static_cast<unsigned char>(byte)), expected) << name << " " << byte;
    }
    iconv_close(converter);
  }
}

TEST(RtfConversion, GlyphDocumentBecomesUnicodeRtfAndHtmlAndComesBack) {
  core::Unconvertibles problems;
  const core::RtfDocument glyphs = core::ReadRtf(GlyphDocument);
  const core::RtfDocument unicode = core::UnicodeDocument(glyphs, problems);
  EXPECT_TRUE(problems.empty());
  EXPECT_EQ(Utf8(unicode.paragraphs[0]), "می‌روم");
  EXPECT_TRUE(unicode.paragraphs[0].characters.back().format.bold);
  EXPECT_EQ(Utf8(unicode.paragraphs[2]), "سلام۰۲۳ ABC");
  EXPECT_EQ(Utf8(unicode.paragraphs[3]), "«ب»");

  const std::string rtf = core::UnicodeRtf(unicode);
  EXPECT_NE(
      rtf.find("\\pard\\rtlpar\\qr{\\f0\\fs54\\rtlch\\af0\\afs54 \\u1605?\\u1740?\\u8204?\\u1585?}"
               "{\\f0\\fs54\\b\\rtlch\\af0\\afs54\\ab \\u1608?\\u1605?}\\par"),
      std::string::npos)
      << rtf;
  EXPECT_NE(rtf.find("{\\f0\\fnil\\fcharset178 Tahoma;}"), std::string::npos);
  const std::string html = core::HtmlOfDocument(unicode);
  EXPECT_NE(html.find("<p dir=\"rtl\" style=\"text-align:right\"><span "
                      "style=\"font-size:27pt\">می‌ر</span>"
                      "<span style=\"font-size:27pt;font-weight:bold\">وم</span></p>"),
            std::string::npos)
      << html;

  const core::RtfDocument back = core::GlyphDocument(core::ReadRtf(rtf), problems);
  EXPECT_TRUE(problems.empty());
  EXPECT_EQ(Text(back.paragraphs[0]), Text(glyphs.paragraphs[0]));
  // Signs in another face stay in it, and read the same.
  const core::RtfDocument again = core::UnicodeDocument(back, problems);
  ASSERT_EQ(again.paragraphs.size(), unicode.paragraphs.size());
  for (std::size_t index = 0; index < again.paragraphs.size(); ++index)
    EXPECT_EQ(Text(again.paragraphs[index]), Text(unicode.paragraphs[index])) << index;
  EXPECT_TRUE(back.paragraphs[0].characters[0].format.bold);
  EXPECT_NE(core::GlyphRtf(back).find("{\\f0\\fnil\\fcharset2 Persian;}"), std::string::npos);
}

// A face name is written as it was read, whatever it holds, and a table of
// more faces than a format can tell apart is refused, not misread.
TEST(RtfConversion, FaceNamesAreWrittenAsReadAndTheirNumberIsBounded) {
  const std::string name = "Evil}{\\object\xE9'x";
  const core::RtfDocument read = core::ReadRtf(
      "{\\rtf1\\ansi{\\fonttbl{\\f0 Persian;}{\\f1 Evil\\}\\{\\\\object\\'e9'x;}}\\f1 A\\par}");
  ASSERT_EQ(read.faces.size(), 2u);
  EXPECT_EQ(read.faces[1].name, name);
  for (const std::string& written : {core::UnicodeRtf(read), core::GlyphRtf(read)}) {
    const core::RtfDocument again = core::ReadRtf(written);
    ASSERT_EQ(again.paragraphs.size(), 1u) << written;
    EXPECT_EQ(Text(again.paragraphs[0]), U"A");
    EXPECT_EQ(again.faces[again.paragraphs[0].characters[0].format.face].name, name);
  }
  EXPECT_NE(core::HtmlOfDocument(read).find("font-family:'Evil}{\\5c object\u00e9\\27 x'"),
            std::string::npos)
      << core::HtmlOfDocument(read);

  // Faces are one without case, which only letters have: '@' is not '`'.
  const core::RtfDocument cased = core::ReadRtf(
      "{\\rtf1\\ansi{\\fonttbl{\\f1 F@;}{\\f2 F`;}{\\f3 f@;}}\\f1 a\\f2 b\\f3 c\\par}");
  ASSERT_EQ(cased.faces.size(), 3u);
  EXPECT_EQ(cased.paragraphs[0].characters[1].format.face, 2);
  EXPECT_EQ(cased.paragraphs[0].characters[2].format.face, 1);

  std::string many = "{\\rtf1\\ansi{\\fonttbl";
  for (int font = 0; font <= 0x10000; ++font)
    many += "{\\f" + std::to_string(font) + " F" + std::to_string(font) + ";}";
  EXPECT_THROW(core::ReadRtf(many + "}\\f65536 x\\par}"), core::Exception);
}

// Real documents from many programs: each is read (or refused with a
// reason), grouped into runs and laid out for printing, and its text survives being
// written as Unicode RTF and read again.
TEST(RtfConversion, CorpusDocumentsKeepTheirTextThroughUnicodeRtf) {
  const std::string folder = "/work/shared/rtf-corpus/";
  DIR* directory = opendir(folder.c_str());
  if (!directory) GTEST_SKIP() << "no corpus at " << folder;
  std::size_t documents = 0, refused = 0;
  while (const dirent* entry = readdir(directory)) {
    const std::string name = entry->d_name;
    if (name.size() < 4 || name.substr(name.size() - 4) != ".rtf") continue;
    std::ifstream file(folder + name, std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    ++documents;
    core::RtfDocument document;
    try {
      document = core::ReadRtf(bytes.str());
    } catch (const core::Exception&) {
      ++refused;
      continue;
    }
    // Printing lays out every paragraph, each with a run that gives its line a height.
    const std::vector<core::RichParagraph> printed = core::RichParagraphs(document);
    ASSERT_EQ(printed.size(), document.paragraphs.size()) << name;
    for (const core::RichParagraph& paragraph : printed)
      ASSERT_FALSE(paragraph.runs.empty()) << name;
    // ... and laid out on pages of a letter's width (in twips) without a loop.
    const core::TextMeasure measure{
        [](const core::RunStyle& style, const std::string& text) {
          return int(text.size()) * style.halfPoints * 5;
        },
        [](const core::RunStyle& style) {
          return core::FontMetrics{style.halfPoints * 8, style.halfPoints * 2};
        }};
    EXPECT_FALSE(core::LayOutPages(printed, {12240, 15840, 1440}, measure).empty()) << name;
    core::Unconvertibles problems;
    const core::RtfDocument unicode = core::UnicodeDocument(document, problems);
    const core::RtfDocument again = core::ReadRtf(core::UnicodeRtf(unicode));
    ASSERT_EQ(again.paragraphs.size(), unicode.paragraphs.size()) << name;
    for (std::size_t index = 0; index < again.paragraphs.size(); ++index)
      ASSERT_EQ(Text(again.paragraphs[index]), Text(unicode.paragraphs[index]))
          << name << " " << index;
  }
  closedir(directory);
  EXPECT_GT(documents, 70u);
  EXPECT_LE(refused, 1u);
}

}  // namespace
