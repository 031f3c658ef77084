// Reads any bytes as glyph text: nothing crashes, each code without a glyph
// is reported, and the Unicode text read is written back and read again
// unchanged.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "GlyphLetters.h"
#include "GlyphToUnicode.h"
#include "UnicodeToGlyph.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string glyphs(reinterpret_cast<const char*>(data), size);
  std::size_t lacking = 0;
  for (const char code : glyphs)
    lacking +=
        code != '\r' && code != '\n' && !core::GlyphOfCode(static_cast<unsigned char>(code)).first;
  core::Unconvertibles problems;
  const std::u32string text = core::GlyphsToUnicode(glyphs, problems);
  if (problems.size() != lacking) std::abort();
  if (lacking) return 0;
  const std::string again = core::UnicodeToGlyphs(text, problems);
  if (!problems.empty() || core::GlyphsToUnicode(again, problems) != text) std::abort();
  return 0;
}
