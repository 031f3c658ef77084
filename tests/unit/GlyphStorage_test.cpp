#include "GlyphStorage.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Other(char16_t character) { return "<" + std::to_string(character) + ">"; }

std::string Back(const std::string& utf16, std::size_t piece) {
  core::StoredToCodes convert(Other);
  std::string codes;
  for (std::size_t at = 0; at < utf16.size(); at += piece)
    convert.Feed(utf16.data() + at, std::min(piece, utf16.size() - at), codes);
  return codes;
}

}  // namespace

TEST(GlyphStorage, LatinStaysAndGlyphCodesMoveToTheSymbolRange) {
  EXPECT_EQ(core::StoredFromCode(' '), u' ');
  EXPECT_EQ(core::StoredFromCode(0x7F), 0x7F);
  EXPECT_EQ(core::StoredFromCode(0x80), 0xF080);
  EXPECT_EQ(core::StoredFromCode(0xE5), 0xF0E5);
  unsigned char code = 0;
  for (char16_t other :
       {char16_t{0x80}, char16_t{0xE5}, char16_t{0x0647}, char16_t{0xEFFF}, char16_t{0xF100}})
    EXPECT_FALSE(core::CodeFromStored(other, code)) << other;
}

// Every code comes back as itself, however the stream is cut, and what is no
// glyph code goes through the caller's conversion.
TEST(GlyphStorage, EveryCodeSurvivesTheRoundTripInAnyPieces) {
  std::string all;
  for (int code = 1; code < 256; ++code) all += static_cast<char>(code);
  std::string utf16;
  core::AppendStored(all.data(), all.size(), utf16);
  ASSERT_EQ(utf16.size(), 2 * all.size());
  for (std::size_t piece : {1u, 2u, 3u, 7u, 510u}) EXPECT_EQ(Back(utf16, piece), all) << piece;
  EXPECT_EQ(Back(std::string("A\0\x47\x06\xE5\xF0", 6), 3), "A<1607>\xE5");
}
