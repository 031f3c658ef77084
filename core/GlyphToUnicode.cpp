#include "GlyphToUnicode.h"

#include "GlyphLetters.h"
#include "TextLines.h"

namespace core {

namespace {
constexpr char32_t Tatweel = 0x0640;
constexpr char32_t Placeholder = 0xFFFD;
}  // namespace

void GlyphToUnicode::Convert(std::string_view glyphs, std::u32string& out, Unconvertibles& problems) {
  ForEachLine(
      glyphs.data(), glyphs.size(),
      [&](std::size_t start, std::size_t end, std::size_t number) {
        ConvertLine(glyphs.substr(start, end - start), number, out, problems);
      },
      [&](std::size_t start, std::size_t end) {
        for (std::size_t index = start; index < end; ++index) out += static_cast<char32_t>(glyphs[index]);
      });
}

void GlyphToUnicode::ConvertLine(std::string_view line, std::size_t lineNumber, std::u32string& out,
                                 Unconvertibles& problems) {
  classes_.resize(line.size());
  for (std::size_t index = 0; index < line.size(); ++index) {
    const auto code = static_cast<unsigned char>(line[index]);
    const ShownGlyph& glyph = GlyphOfCode(code);
    if (!glyph.first) problems.push_back({lineNumber, index + 1, code, true});
    classes_[index] = glyph.bidi;
  }
  MarkLeftToRight(classes_, leftToRight_);

  const ShownGlyph* previous = nullptr;
  ForEachReordered(leftToRight_, [&](std::size_t index) {
    const ShownGlyph& glyph = GlyphOfCode(static_cast<unsigned char>(line[index]));
    if (glyph.first == Tatweel) return;
    if (!glyph.first) {
      out += Placeholder;
      previous = nullptr;
      return;
    }
    // A letter that could join the next one but is shown apart from it
    // breaks the join on purpose, as in "می‌روم".
    if (previous && previous->canJoinAfter && !previous->shownJoiningAfter && glyph.canJoinBefore)
      out += Zwnj;
    out += leftToRight_[index] ? glyph.first : Mirrored(glyph.first);
    if (glyph.second) out += glyph.second;
    previous = &glyph;
  });
}

std::u32string GlyphsToUnicode(std::string_view glyphs, Unconvertibles& problems) {
  std::u32string out;
  out.reserve(glyphs.size() + glyphs.size() / 8);
  GlyphToUnicode().Convert(glyphs, out, problems);
  return out;
}

}  // namespace core
