#include "UnicodeToGlyph.h"

#include "GlyphLetters.h"
#include "TextLines.h"

namespace core {

namespace {

// The next character that is not a tatweel or ZWJ, or 0.
char32_t NextWritten(std::u32string_view line, std::size_t& index) {
  std::size_t next = index + 1;
  while (next < line.size() && IsWrittenAsNothing(line[next])) ++next;
  if (next == line.size()) return 0;
  index = next;
  return line[next];
}

// Whether the forms alone show the ZWNJ at `index`: it stands between a
// letter that could join on and one that could join back.
bool ShownByForms(std::u32string_view line, std::size_t index, const WrittenLetter* previous) {
  if (!previous || !previous->canJoinAfter) return false;
  const WrittenLetter* next = LetterOfCharacter(NextWritten(line, index));
  return next && next->canJoinBefore;
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

void UnicodeToGlyph::ChooseCodes(std::u32string_view line, std::size_t lineNumber,
                                 Unconvertibles& problems) {
  static const WrittenLetter& placeholder = *LetterOfCharacter('?');
  const WrittenLetter* const* const letters = WrittenLetters();
  codes_.resize(line.size());
  classes_.resize(line.size());
  sources_.resize(line.size());
  std::size_t count = 0;
  const WrittenLetter* previous = nullptr;
  bool previousJoinedBefore = false, breakPending = false;
  // A tatweel or ZWJ joins the letter on either side of it that can join,
  // but not across a ZWNJ.
  bool joinOn = false, joinBack = false;
  bool previousCanJoinAfter = false;
  // The previous letter's form is known once the next one is: Isolated,
  // Final, Initial or Medial, as it joins before and after.
  const auto settlePrevious = [&](bool joinedAfter) {
    static_assert(static_cast<int>(GlyphForm::Final) == 2 &&
                  static_cast<int>(GlyphForm::Medial) == 4);
    const unsigned form = 1u + previousJoinedBefore + 2u * joinedAfter;
    codes_[count - 1] = previous->codes[form];
  };
  for (std::size_t index = 0; index < line.size(); ++index) {
    const char32_t character = line[index];
    const std::size_t source = index;
    const WrittenLetter* letter = character < 0x700 ? letters[character] : nullptr;
    if (!letter) {
      if (IsWrittenAsNothing(character)) {
        if (CarriesJoin(character)) {
          joinOn |= !breakPending;
          joinBack = true;
        }
        continue;
      }
      if (character == Zwnj) {
        letter = ExplicitZwnj();
        // After a ZWJ the letter before shows a join on, so only a code
        // can show the break.
        if (!letter || (!joinOn && ShownByForms(line, index, previous))) {
          breakPending = true;
          joinBack = false;
          continue;
        }
      } else {
        problems.push_back({lineNumber, index + 1, character, false});
        letter = &placeholder;
      }
    } else if (character == Lam) {
      std::size_t next = index;
      if (NextWritten(line, next) == Alef) {
        letter = &LamAlef();
        index = next;
      }
    }
    // Bitwise, not branching: whether letters join is as good as random.
    const bool joinedOn = previousCanJoinAfter & (joinOn | (!breakPending & letter->canJoinBefore));
    const bool joinedBack =
        letter->canJoinBefore & (joinBack | (!breakPending & previousCanJoinAfter));
    if (previous) settlePrevious(joinedOn);
    // What cannot be written stands where its own direction puts it.
    classes_[count] = letter == &placeholder ? BidiClassOf(character) : letter->bidi;
    sources_[count] = source;
    ++count;
    previous = letter;
    previousCanJoinAfter = letter->canJoinAfter;
    previousJoinedBefore = joinedBack;
    breakPending = joinOn = joinBack = false;
  }
  if (previous) settlePrevious(joinOn && previous->canJoinAfter);
  codes_.resize(count);
  classes_.resize(count);
  sources_.resize(count);
}

void UnicodeToGlyph::ConvertLine(std::u32string_view line, std::size_t lineNumber, std::string& out,
                                 Unconvertibles& problems, std::vector<std::size_t>* sources) {
  ChooseCodes(line, lineNumber, problems);
  // Brackets and guillemets face the other way in right-to-left runs.
  const std::uint8_t* const rightToLeft = RightToLeftCodes();
  const std::size_t start = out.size();
  out.resize(start + codes_.size());
  char* next = &out[start];
  const bool mixed = MarkLeftToRight(classes_, leftToRight_);
  if (mixed || sources) {
    ForEachReordered(leftToRight_, [&](std::size_t index) {
      *next++ = static_cast<char>(leftToRight_[index] ? codes_[index] : rightToLeft[codes_[index]]);
      if (sources) sources->push_back(sources_[index]);
    });
  } else {
    for (std::size_t index = codes_.size(); index > 0; --index)
      *next++ = static_cast<char>(rightToLeft[codes_[index - 1]]);
  }
}

std::string UnicodeToGlyphs(std::u32string_view text, Unconvertibles& problems) {
  std::string out;
  out.reserve(text.size());
  UnicodeToGlyph().Convert(text, out, problems);
  return out;
}

}  // namespace core
