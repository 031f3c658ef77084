#include "GlyphToUnicode.h"

#include "GlyphLetters.h"
#include "TextLines.h"

namespace core {

namespace {

constexpr char32_t Tatweel = 0x0640;
constexpr char32_t Placeholder = 0xFFFD;
// A code becomes at most a ZWNJ and two letters.
constexpr std::size_t MostPerCode = 3;

// Writes the glyphs of a line in reading order.
class LineWriter {
 public:
  explicit LineWriter(char32_t* out) : out_(out) {}

  void Write(const ShownGlyph& glyph, bool leftToRight) {
    if (glyph.first == Tatweel) return;
    if (!glyph.first) {
      *out_++ = Placeholder;
      previous_ = nullptr;
      return;
    }
    // A letter that could join the next one but is shown apart from it
    // breaks the join on purpose, as in "می‌روم".
    if (previous_ && previous_->canJoinAfter && !previous_->shownJoiningAfter && glyph.canJoinBefore)
      *out_++ = Zwnj;
    *out_++ = leftToRight ? glyph.first : glyph.mirrored;
    if (glyph.second) *out_++ = glyph.second;
    previous_ = &glyph;
  }

  char32_t* End() const { return out_; }

 private:
  char32_t* out_;
  const ShownGlyph* previous_ = nullptr;
};

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
  const ShownGlyph* const shown = ShownGlyphs();
  const auto glyphAt = [&](std::size_t index) -> const ShownGlyph& {
    return shown[static_cast<unsigned char>(line[index])];
  };
  classes_.resize(line.size());
  for (std::size_t index = 0; index < line.size(); ++index) {
    const ShownGlyph& glyph = glyphAt(index);
    if (!glyph.first) problems.push_back({lineNumber, index + 1, static_cast<unsigned char>(line[index]), true});
    classes_[index] = glyph.bidi;
  }

  if (scratch_.size() < MostPerCode * line.size()) scratch_.resize(MostPerCode * line.size());
  LineWriter writer(scratch_.data());
  if (MarkLeftToRight(classes_, leftToRight_)) {
    ForEachReordered(leftToRight_, [&](std::size_t index) { writer.Write(glyphAt(index), leftToRight_[index]); });
  } else {
    for (std::size_t index = line.size(); index > 0; --index) writer.Write(glyphAt(index - 1), false);
  }
  out.append(scratch_.data(), static_cast<std::size_t>(writer.End() - scratch_.data()));
}

std::u32string GlyphsToUnicode(std::string_view glyphs, Unconvertibles& problems) {
  std::u32string out;
  out.reserve(glyphs.size() + glyphs.size() / 8);
  GlyphToUnicode().Convert(glyphs, out, problems);
  return out;
}

}  // namespace core
