#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "DocumentKind.h"
#include "Exceptions.h"
#include "GlyphToUnicode.h"
#include "PersianText.h"
#include "UnicodeToGlyph.h"
#include "Utf.h"

namespace {

std::string Codes(std::initializer_list<int> codes) {
  std::string text;
  for (const int code : codes) text += static_cast<char>(code);
  return text;
}

std::string Encoded(std::u32string_view text) {
  core::Unconvertibles problems;
  std::string glyphs = core::UnicodeToGlyphs(text, problems);
  EXPECT_TRUE(problems.empty()) << core::Describe(problems.front());
  return glyphs;
}

std::u32string Decoded(std::string_view glyphs) {
  core::Unconvertibles problems;
  std::u32string text = core::GlyphsToUnicode(glyphs, problems);
  EXPECT_TRUE(problems.empty()) << core::Describe(problems.front());
  return text;
}

// A line in reading order and as the editor keeps it, left to right.
struct Sample {
  const char* unicode;
  std::string display;
};

const Sample Samples[] = {
    // The yeh stands apart from the reh: a ZWNJ.
    {"می‌روم", Codes({176, 235, 148, 230, 239})},
    // Lam-alef, joined to the seen before it.
    {"سلام", Codes({176, 226, 174})},
    // A lam apart from its alef keeps them two letters.
    {"ل‌ا", Codes({140, 178})},
    // A ZWNJ no form shows has a code of its own: after a letter that never
    // joins on, at a word's end, twice.
    {"آمار‌گرفتن", Codes({238, 134, 185, 149, 179, 211, 148, 142, 239, 224})},
    {"ب‌‌ر ب‌", Codes({211, 139, ' ', 148, 211, 211, 139})},
    // Alef with hamza above, alone and joined.
    {"أ بأ", Codes({210, 138, ' ', 209})},
    // A ZWJ keeps the join it makes where the font shows it.
    {"ب‍ ر‍ه", Codes({234, 148, ' ', 138})},
    // Latin words and a number keep their order, and the spaces between.
    {"سلام Hello World ۱۲۳",
     std::string("Hello World ") + Codes({241, 242, 243, ' ', 176, 226, 174})},
    {"در سال 1404/01/02 رفت", Codes({135, 185, 148, ' ', '1', '4', '0', '4', '/', '0', '1',
                                     '/', '0', '2', ' ', 178, 142, 174, ' ', 148, 152})},
    // Guillemets and brackets face the other way in right-to-left text;
    // after Persian a number is Arabic, and its percent sign reads right to
    // left.
    {"«کتاب» (۵۰%)", Codes({'(', '%', 245, 240, ')', ' ', 253, 139, 142, 134, 181, 254})},
    // The four-form letters: heh initial, medial, final; ain isolated.
    {"ههه ع", Codes({161, ' ', 234, 231, 232})},
    // Tabs stay; line breaks end lines and stay as they are.
    {"ب\tA\r\nب\nب", Codes({'A', '\t', 139, '\r', '\n', 139, '\n', 139})},
};

TEST(UnicodeBridge, SamplesConvertBothWays) {
  for (const Sample& sample : Samples) {
    const std::u32string unicode = Unicode(sample.unicode);
    EXPECT_EQ(Encoded(unicode), sample.display) << sample.unicode;
    EXPECT_EQ(core::Utf8FromUnicode(Decoded(sample.display)), sample.unicode) << sample.unicode;
  }
}

// What the font has one way of showing comes back in its usual spelling.
TEST(UnicodeBridge, VariantsComeBackNormalised) {
  const char* const variants[][2] = {
      {"كيك ٣", "کیک ۳"},            // Arabic kaf, yeh and digit
      {"۵۰٪ سود", "۵۰% سود"},        // the Arabic percent sign
      {"بـــرو لـا", "برو لا"},      // tatweels between letters that join anyway
      {"بـ ـه", "ب‍ ‍ه"},      // a tatweel's join, shown with nothing to join to
      {"ب‍ب ر‍ب", "بب رب"},  // ZWJs whose join the forms show the same without
  };
  for (const auto& variant : variants)
    EXPECT_EQ(core::Utf8FromUnicode(Decoded(Encoded(Unicode(variant[0])))), variant[1])
        << variant[0];
}

// The forms the text control once hid are still read, but never written:
// their stand-ins are.
TEST(UnicodeBridge, HiddenCodesAreReadButWrittenWithStandIns) {
  EXPECT_EQ(core::Utf8FromUnicode(Decoded(Codes({131, 143, ' ', 144, 173}))), "ژ جج");
  EXPECT_EQ(Encoded(Unicode("جج ژ")), Codes({145, ' ', 131, 130}));
}

TEST(UnicodeBridge, UnconvertibleCharactersAreReportedWithLineAndColumn) {
  core::Unconvertibles problems;
  EXPECT_EQ(core::UnicodeToGlyphs(Unicode("ب\nAéب€"), problems),
            Codes({139, '\n', '?', 139, 'A', '?'}));
  ASSERT_EQ(problems.size(), 2u);
  EXPECT_EQ(core::Describe(problems[0]),
            "line 2, column 2: U+00E9 cannot be written with the font Persian");
  EXPECT_EQ(problems[1].column, 4u);

  problems.clear();
  EXPECT_EQ(core::Utf8FromUnicode(core::GlyphsToUnicode(Codes({'a', '\r', 220, 139, 1}), problems)),
            "a\r\xEF\xBF\xBD\xD8\xA8\xEF\xBF\xBD");
  ASSERT_EQ(problems.size(), 2u);
  EXPECT_EQ(core::Describe(problems[0]),
            "line 2, column 1: code 220 has no glyph in the font Persian");
  EXPECT_EQ(problems[1].column, 3u);
}

// Every word of the Persian dictionary comes back from its glyph codes as
// it was, and neither form of a word is taken for the other when a file
// holds only that word.
TEST(UnicodeBridge, DictionaryWordsRoundTripAndAreToldFromTheirGlyphCodes) {
  std::ifstream dictionary("/usr/share/hunspell/fa_IR.dic");
  if (!dictionary) GTEST_SKIP() << "fa_IR.dic missing: install myspell-fa";
  std::string line;
  std::getline(dictionary, line);  // the word count
  std::size_t words = 0, wrong = 0;
  core::UnicodeToGlyph encoder;
  core::GlyphToUnicode decoder;
  std::string glyphs;
  std::u32string back;
  while (std::getline(dictionary, line)) {
    const std::u32string word = Unicode(line.substr(0, line.find('/')));
    core::Unconvertibles problems;
    glyphs.clear();
    encoder.ConvertLine(word, 1, glyphs, problems);
    ++words;
    if (core::TextKindOf(line.substr(0, line.find('/'))) != core::DocumentKind::Utf8Text &&
        ++wrong <= 5)
      ADD_FAILURE() << "not taken for UTF-8: " << line;
    if (core::TextKindOf(glyphs) != core::DocumentKind::GlyphText && ++wrong <= 5)
      ADD_FAILURE() << "its glyph codes taken for UTF-8: " << line;
    back.clear();
    decoder.ConvertLine(glyphs, 1, back, problems);
    if ((!problems.empty() || back != word) && ++wrong <= 5) ADD_FAILURE() << line;
  }
  EXPECT_EQ(wrong, 0u);
  EXPECT_GT(words, 300000u);
}

TEST(UnicodeBridge, TextFilesAreToldByMarkAndContent) {
  using core::DocumentKind;
  const std::pair<std::string, DocumentKind> cases[] = {
      {"\xEF\xBB\xBF"
       "abc",
       DocumentKind::Utf8TextWithMark},
      {std::string("\xFF\xFE"
                   "a\0",
                   4),
       DocumentKind::Utf16Text},
      {std::string("\xFE\xFF\0"
                   "a",
                   4),
       DocumentKind::Utf16BigEndianText},
      {"سلام", DocumentKind::Utf8Text},
      {"Café", DocumentKind::Utf8Text},
      {"plain ASCII", DocumentKind::GlyphText},
      {"\xB0\xE2\xAE", DocumentKind::GlyphText},              // not UTF-8
      {"\xE6\x8A\xA3\xEC\x8A\x8C", DocumentKind::GlyphText},  // valid, but Chinese and Korean
      {"سلام \xE6\x8A\xA3", DocumentKind::Utf8Text},
  };
  for (const auto& [bytes, kind] : cases) EXPECT_EQ(core::TextKindOf(bytes), kind) << bytes;
}

// A Unicode file opened and saved unchanged is the same file, its mark and
// byte order kept.
TEST(UnicodeBridge, UnicodeFilesComeBackByteForByte) {
  const std::string utf8 = "سلام Hello ۱۲۳\r\nمی‌روم";
  const std::pair<core::DocumentKind, std::string> files[] = {
      {core::DocumentKind::Utf8Text, utf8},
      {core::DocumentKind::Utf8TextWithMark, "\xEF\xBB\xBF" + utf8},
      {core::DocumentKind::Utf16Text,
       "\xFF\xFE" + core::Utf16Bytes(core::Utf16FromUnicode(Unicode(utf8)), false)},
      {core::DocumentKind::Utf16BigEndianText,
       "\xFE\xFF" + core::Utf16Bytes(core::Utf16FromUnicode(Unicode(utf8)), true)}};
  for (const auto& [kind, bytes] : files) {
    core::Unconvertibles problems;
    const std::string glyphs = core::GlyphTextOfUnicodeFile(bytes, problems);
    EXPECT_EQ(core::UnicodeFileOfGlyphText(glyphs, kind, problems), bytes) << core::KindName(kind);
    EXPECT_TRUE(problems.empty());
  }
  core::Unconvertibles problems;
  EXPECT_THROW(core::GlyphTextOfUnicodeFile(std::string("\xFF\xFE\x00\xD8", 4), problems),
               core::Exception);
}

TEST(Utf, FileBytesInEachEncodingAndFaults) {
  std::u32string text;
  std::size_t fault = 0;
  for (const std::string& bytes : {std::string("\xEF\xBB\xBF\xD8\xA8\xF0\x9F\x98\x80", 9),
                                   std::string("\xFF\xFE\x28\x06\x3D\xD8\x00\xDE", 8),
                                   std::string("\xFE\xFF\x06\x28\xD8\x3D\xDE\x00", 8)}) {
    text.clear();
    EXPECT_TRUE(core::UnicodeFromFileBytes(bytes, text, fault));
    EXPECT_EQ(text, U"\u0628\U0001F600");
    EXPECT_EQ(core::Utf8FromUnicode(text), "\xD8\xA8\xF0\x9F\x98\x80");
    EXPECT_EQ(core::Utf16FromUnicode(text), u"\u0628\U0001F600");
  }
  const std::pair<std::string, std::size_t> faults[] = {
      {"ab\x80", 2},
      {"\xC0\xAF", 0},
      {"\xED\xA0\x80", 0},
      {"a\xE2\x82", 1},
      {"\xF4\x90\x80\x80", 0},
      {std::string("\xFF\xFE\x00\xD8\x41\x00", 6), 2},
      {std::string("\xFF\xFE\x41", 3), 2}};
  for (const auto& [bytes, at] : faults) {
    text.clear();
    EXPECT_FALSE(core::UnicodeFromFileBytes(bytes, text, fault)) << bytes;
    EXPECT_EQ(fault, at) << bytes;
  }
}

}  // namespace
