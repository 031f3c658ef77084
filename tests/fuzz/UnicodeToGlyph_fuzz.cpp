// Writes text drawn from the characters Persian text is made of, and some
// the font lacks, as glyph codes and reads it back: nothing crashes, each
// character the font lacks is reported once, and text it can show comes
// back as it was; with a variant spelling in it (Arabic yeh, kaf or digit,
// a tatweel or ZWJ), as something that writes the same codes.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "GlyphToUnicode.h"
#include "UnicodeToGlyph.h"

namespace {

const char32_t Alphabet[] = {U'ا',  U'آ',  U'ب',   U'پ',   U'ت',   U'ج',    U'چ', U'خ', U'د', U'ر',
                             U'ژ',  U'س',  U'ع',   U'غ',   U'ف',   U'ک',    U'گ', U'ل', U'م', U'ن',
                             U'و',  U'ه',  U'ی',   U'ء',   U'ي',   U'ك',    U'۱', U'٢', U'،', U'؟',
                             0xAB,  0xBB,  0x200C, 0x200D, 0x0640, U'a',    U'Z', U'5', U' ', U'\t',
                             U'\r', U'\n', U'(',   U'[',   U'%',   U'/',    U'.', U'-', U')', U']',
                             U'+',  U'$',  U',',   0xE9,   U'ڤ',   0x1F600, 0};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider provider(data, size);
  std::u32string text;
  std::size_t lacking = 0;
  bool variant = false;
  while (provider.remaining_bytes() > 0) {
    const char32_t character = provider.PickValueInArray(Alphabet);
    lacking += character == 0xE9 || character == U'ڤ' || character == 0x1F600 || character == 0;
    variant |= character == U'ي' || character == U'ك' || character == U'٢' || character == 0x200D ||
               character == 0x0640;
    text += character;
  }
  core::Unconvertibles problems;
  const std::string glyphs = core::UnicodeToGlyphs(text, problems);
  if (problems.size() != lacking) std::abort();
  if (lacking) return 0;
  const std::u32string back = core::GlyphsToUnicode(glyphs, problems);
  if (!problems.empty()) std::abort();
  if (variant ? core::UnicodeToGlyphs(back, problems) != glyphs : back != text) std::abort();
  return 0;
}
