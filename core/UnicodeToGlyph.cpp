#include "UnicodeToGlyph.h"

#include "GlyphLetters.h"
#include "TextLines.h"

namespace core {

namespace {

constexpr char32_t Lam = 0x0644;
constexpr char32_t Alef = 0x0627;

bool JoinsOnly(char32_t character) { return character == 0x0640 || character == 0x200D; }

// The next character that is not a tatweel or ZWJ, or 0.
char32_t NextWritten(std::u32string_view line, std::size_t& index) {
  std::size_t next = index + 1;
  while (next < line.size() && JoinsOnly(line[next])) ++next;
  if (next == line.size()) return 0;
  index = next;
  return line[next];
}

}  // namespace

void UnicodeToGlyph::Convert(std::u32string_view text, std::string& out, Unconvertibles& problems) {
  ForEachLine(
      text.data(), text.size(),
      [&](std::size_t start, std::size_t end, std::size_t number) {
        ConvertLine(text.substr(start, end - start), number, out, problems);
      },
      [&](std::size_t start, std::size_t end) {
        for (std::size_t index = start; index < end; ++index) out += static_cast<char>(text[index]);
      });
}

void UnicodeToGlyph::CollectItems(std::u32string_view line, std::size_t lineNumber,
                                  Unconvertibles& problems) {
  static const WrittenLetter& placeholder = *LetterOfCharacter('?');
  items_.clear();
  bool breakPending = false;
  for (std::size_t index = 0; index < line.size(); ++index) {
    const char32_t character = line[index];
    if (JoinsOnly(character)) continue;
    if (character == Zwnj) {
      breakPending = true;
      continue;
    }
    const WrittenLetter* letter = LetterOfCharacter(character);
    if (!letter) {
      problems.push_back({lineNumber, index + 1, character, false});
      letter = &placeholder;
    } else if (character == Lam) {
      std::size_t next = index;
      if (NextWritten(line, next) == Alef) {
        letter = &LamAlef();
        index = next;
      }
    }
    items_.push_back({letter, breakPending});
    breakPending = false;
  }
}

std::uint8_t UnicodeToGlyph::CodeOf(std::size_t index) const {
  const auto joined = [&](std::size_t first) {
    const Item& next = items_[first + 1];
    return !next.breakBefore && items_[first].letter->canJoinAfter && next.letter->canJoinBefore;
  };
  const bool before = index > 0 && joined(index - 1);
  const bool after = index + 1 < items_.size() && joined(index);
  const GlyphForm form = before ? (after ? GlyphForm::Medial : GlyphForm::Final)
                                : (after ? GlyphForm::Initial : GlyphForm::Isolated);
  return items_[index].letter->codes[static_cast<std::size_t>(form)];
}

void UnicodeToGlyph::ConvertLine(std::u32string_view line, std::size_t lineNumber, std::string& out,
                                 Unconvertibles& problems) {
  CollectItems(line, lineNumber, problems);
  classes_.resize(items_.size());
  for (std::size_t index = 0; index < items_.size(); ++index) classes_[index] = items_[index].letter->bidi;
  MarkLeftToRight(classes_, leftToRight_);
  ForEachReordered(leftToRight_, [&](std::size_t index) {
    const std::uint8_t mirrored = items_[index].letter->mirroredCode;
    out += static_cast<char>(!leftToRight_[index] && mirrored ? mirrored : CodeOf(index));
  });
}

std::string UnicodeToGlyphs(std::u32string_view text, Unconvertibles& problems) {
  std::string out;
  out.reserve(text.size());
  UnicodeToGlyph().Convert(text, out, problems);
  return out;
}

}  // namespace core
