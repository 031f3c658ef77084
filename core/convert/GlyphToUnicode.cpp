#include "GlyphToUnicode.h"

#include "ReadingOrder.h"
#include "TextLines.h"

namespace core {

namespace {
// A code becomes at most a ZWJ and a ZWNJ before it and two letters; the
// line's last letter one ZWJ more.
constexpr std::size_t MostPerCode = 4;
}  // namespace

void GlyphToUnicode::Convert(std::string_view glyphs, std::u32string& out,
                             Unconvertibles& problems) {
  ForEachLine(
      glyphs.data(), glyphs.size(),
      [&](std::size_t start, std::size_t end, std::size_t number) {
        ConvertLine(glyphs.substr(start, end - start), number, out, problems);
      },
      [&](std::size_t start, std::size_t end) {
        for (std::size_t index = start; index < end; ++index)
          out += static_cast<char32_t>(glyphs[index]);
      });
}

void GlyphToUnicode::ConvertLine(std::string_view line, std::size_t lineNumber, std::u32string& out,
                                 Unconvertibles& problems) {
  const ShownGlyph* const shown = ShownGlyphs();
  for (std::size_t index = 0; index < line.size(); ++index) {
    const auto code = static_cast<unsigned char>(line[index]);
    if (!shown[code].first) problems.push_back({lineNumber, index + 1, code, true});
  }
  if (scratch_.size() < MostPerCode * line.size() + 1)
    scratch_.resize(MostPerCode * line.size() + 1);
  char32_t* next = scratch_.data();
  ReadInReadingOrder(
      line.size(),
      [&](std::size_t index) -> const ShownGlyph& {
        return shown[static_cast<unsigned char>(line[index])];
      },
      classes_, leftToRight_, [&](std::size_t, char32_t character) { *next++ = character; });
  out.append(scratch_.data(), static_cast<std::size_t>(next - scratch_.data()));
}

std::u32string GlyphsToUnicode(std::string_view glyphs, Unconvertibles& problems) {
  std::u32string out;
  out.reserve(glyphs.size() + glyphs.size() / 8);
  GlyphToUnicode().Convert(glyphs, out, problems);
  return out;
}

}  // namespace core
