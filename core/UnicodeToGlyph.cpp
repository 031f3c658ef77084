#include "UnicodeToGlyph.h"

#include "GlyphLetters.h"
#include "TextLines.h"

namespace core {

namespace {

constexpr char32_t Lam = 0x0644;
constexpr char32_t Alef = 0x0627;

// The next character that is not a tatweel or ZWJ, or 0.
char32_t NextWritten(std::u32string_view line, std::size_t& index) {
  std::size_t next = index + 1;
  while (next < line.size() && IsWrittenAsNothing(line[next])) ++next;
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
  const WrittenLetter* const* const letters = WrittenLetters();
  items_.resize(line.size());
  std::size_t count = 0;
  bool breakPending = false;
  for (std::size_t index = 0; index < line.size(); ++index) {
    const char32_t character = line[index];
    const std::size_t source = index;
    const WrittenLetter* letter = character < 0x700 ? letters[character] : nullptr;
    if (!letter) {
      if (IsWrittenAsNothing(character)) continue;
      if (character == Zwnj) {
        breakPending = true;
        continue;
      }
      problems.push_back({lineNumber, index + 1, character, false});
      letter = &placeholder;
    } else if (character == Lam) {
      std::size_t next = index;
      if (NextWritten(line, next) == Alef) {
        letter = &LamAlef();
        index = next;
      }
    }
    items_[count++] = {letter, breakPending, source};
    breakPending = false;
  }
  items_.resize(count);
}

// Each letter takes the form its joins give it, and its code in that form.
void UnicodeToGlyph::ChooseCodes() {
  const std::size_t count = items_.size();
  codes_.resize(count);
  classes_.resize(count);
  bool joinedBefore = false;
  for (std::size_t index = 0; index < count; ++index) {
    const WrittenLetter& letter = *items_[index].letter;
    const bool joinedAfter = index + 1 < count && letter.canJoinAfter && !items_[index + 1].breakBefore &&
                             items_[index + 1].letter->canJoinBefore;
    const GlyphForm form = joinedBefore ? (joinedAfter ? GlyphForm::Medial : GlyphForm::Final)
                                        : (joinedAfter ? GlyphForm::Initial : GlyphForm::Isolated);
    codes_[index] = letter.codes[static_cast<std::size_t>(form)];
    classes_[index] = letter.bidi;
    joinedBefore = joinedAfter;
  }
}

void UnicodeToGlyph::ConvertLine(std::u32string_view line, std::size_t lineNumber, std::string& out,
                                 Unconvertibles& problems, std::vector<std::size_t>* sources) {
  CollectItems(line, lineNumber, problems);
  ChooseCodes();
  // Brackets and guillemets face the other way in right-to-left runs.
  const auto codeAt = [&](std::size_t index, bool leftToRight) {
    const std::uint8_t mirrored = items_[index].letter->mirroredCode;
    return static_cast<char>(!leftToRight && mirrored ? mirrored : codes_[index]);
  };
  const std::size_t start = out.size();
  out.resize(start + items_.size());
  char* next = &out[start];
  if (sources) {
    MarkLeftToRight(classes_, leftToRight_);
    ForEachReordered(leftToRight_, [&](std::size_t index) {
      *next++ = codeAt(index, leftToRight_[index]);
      sources->push_back(items_[index].source);
    });
  } else if (MarkLeftToRight(classes_, leftToRight_)) {
    ForEachReordered(leftToRight_, [&](std::size_t index) { *next++ = codeAt(index, leftToRight_[index]); });
  } else {
    for (std::size_t index = items_.size(); index > 0; --index) *next++ = codeAt(index - 1, false);
  }
}

std::string UnicodeToGlyphs(std::u32string_view text, Unconvertibles& problems) {
  std::string out;
  out.reserve(text.size());
  UnicodeToGlyph().Convert(text, out, problems);
  return out;
}

}  // namespace core
