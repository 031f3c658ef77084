#include "LineTyping.h"

#include <vector>

#include "ReadingOrder.h"
#include "UnicodeToGlyph.h"

namespace core {

namespace {

constexpr std::size_t None = static_cast<std::size_t>(-1);

const ShownGlyph& Shown(std::string_view codes, std::size_t index) {
  return GlyphOfCode(static_cast<unsigned char>(codes[index]));
}

// A line in reading order, with where each character is shown.
struct ReadLine {
  std::u32string text;
  std::vector<std::size_t> shownAt;       // by character: the index of its code
  std::vector<std::size_t> first, last;   // by code: its characters, or None
  std::vector<std::uint8_t> leftToRight;  // by code
};

ReadLine Read(std::string_view line) {
  ReadLine read;
  read.first.assign(line.size(), None);
  read.last.assign(line.size(), None);
  std::vector<BidiClass> classes;
  ReadInReadingOrder(
      line.size(), [&](std::size_t index) -> const ShownGlyph& { return Shown(line, index); },
      classes, read.leftToRight,
      [&](std::size_t index, char32_t character) {
        if (read.first[index] == None) read.first[index] = read.text.size();
        read.last[index] = read.text.size();
        read.shownAt.push_back(index);
        read.text += character;
      });
  return read;
}

// A line as the converter writes it, with the character each code shows.
struct WrittenLine {
  std::string codes;
  std::vector<std::size_t> sources;
};

WrittenLine Write(std::u32string_view text) {
  WrittenLine written;
  Unconvertibles problems;  // the caller types only what can be written
  UnicodeToGlyph().ConvertLine(text, 1, written.codes, problems, &written.sources);
  return written;
}

std::vector<std::uint8_t> LeftToRightOf(std::string_view codes) {
  std::vector<BidiClass> classes(codes.size());
  for (std::size_t index = 0; index < codes.size(); ++index)
    classes[index] = Shown(codes, index).bidi;
  std::vector<std::uint8_t> leftToRight;
  MarkLeftToRight(classes, leftToRight);
  return leftToRight;
}

// Where in reading order the caret at a display place stands. Beside a
// left-to-right run it goes with that run's end ("12|" before a Persian
// letter), beside Persian after the letter on its right.
std::size_t ReadingPlace(const ReadLine& read, std::size_t caret) {
  std::size_t left = caret, right = caret;
  const std::size_t count = read.first.size();
  while (left > 0 && read.first[left - 1] == None) --left;
  while (right < count && read.first[right] == None) ++right;
  const bool hasLeft = left > 0, hasRight = right < count;
  if (hasLeft && read.leftToRight[left - 1]) return read.last[left - 1] + 1;
  if (hasRight && !read.leftToRight[right]) return read.last[right] + 1;
  if (hasRight) return read.first[right];
  if (hasLeft) return read.first[left - 1];
  return 0;
}

// The display place of a reading place: beside the code of the character
// before it, on that character's reading side (left of Persian, right of
// Latin and numbers).
std::size_t DisplayPlace(const WrittenLine& line, std::size_t place) {
  if (line.codes.empty()) return 0;
  const std::vector<std::uint8_t> leftToRight = LeftToRightOf(line.codes);
  std::size_t before = None, first = 0;
  for (std::size_t index = 0; index < line.codes.size(); ++index) {
    const std::size_t source = line.sources[index];
    if (source < place && (before == None || source > line.sources[before])) before = index;
    if (source < line.sources[first]) first = index;
  }
  if (before != None) return leftToRight[before] ? before + 1 : before;
  return leftToRight[first] ? first : first + 1;
}

// The old line changed into `after` where the converter's writing of it
// (`before`) and `after` differ. Outside that, the old codes stay where
// they show the same characters in the same places.
LineChange Merge(std::string_view old, const ReadLine& read, const WrittenLine& before,
                 const WrittenLine& after, std::size_t caretPlace) {
  const std::string& was = before.codes;
  const std::string& now = after.codes;
  const auto shownAt = [&](std::size_t index) { return read.shownAt[before.sources[index]]; };
  std::size_t prefix = 0;
  while (prefix < was.size() && prefix < now.size() && was[prefix] == now[prefix] &&
         shownAt(prefix) == prefix)
    ++prefix;
  std::size_t suffix = 0;
  while (suffix < was.size() - prefix && suffix < now.size() - prefix &&
         suffix < old.size() - prefix &&
         was[was.size() - 1 - suffix] == now[now.size() - 1 - suffix] &&
         shownAt(was.size() - 1 - suffix) == old.size() - 1 - suffix)
    ++suffix;
  return {prefix, old.size() - suffix, now.substr(prefix, now.size() - suffix - prefix),
          DisplayPlace(after, caretPlace)};
}

// The characters shown by the selected codes, but the ZWNJs their forms
// show: a break of a join stays between what is left.
std::u32string WithoutSelected(std::string_view line, const ReadLine& read, LineSelection selection,
                               std::size_t& place) {
  if (selection.from == selection.to) {
    place = ReadingPlace(read, selection.from);
    return read.text;
  }
  std::u32string left;
  place = None;
  for (std::size_t index = 0; index < read.text.size(); ++index) {
    const std::size_t shown = read.shownAt[index];
    const bool impliedBreak = read.text[index] == Zwnj && Shown(line, shown).first != Zwnj;
    const bool selected = shown >= selection.from && shown < selection.to && !impliedBreak;
    if (!selected) {
      left += read.text[index];
    } else if (place == None) {
      place = left.size();
    }
  }
  if (place == None) place = ReadingPlace(read, selection.from);
  return left;
}

// The old text becomes head and tail read on as one line, written as the
// converter writes it; the caret where they meet.
LineChange ReadOnAsOne(std::string_view old, std::u32string_view head, std::u32string_view tail) {
  std::u32string text(head);
  text += tail;
  const WrittenLine joined = Write(text);
  LineChange change = ChangeBetween(old, joined.codes);
  change.caret = DisplayPlace(joined, head.size());
  return change;
}

}  // namespace

std::size_t ReadingPlaceAfter(std::string_view line, LineSelection selection) {
  const ReadLine read = Read(line);
  if (selection.from == selection.to) return ReadingPlace(read, selection.from);
  std::size_t after = 0;
  for (std::size_t index = 0; index < read.text.size(); ++index)
    if (read.shownAt[index] >= selection.from && read.shownAt[index] < selection.to)
      after = index + 1;
  return after;
}

bool CanBeTyped(char32_t character) {
  return character == Zwnj || CarriesJoin(character) || LetterOfCharacter(character);
}

LineChange TypeIntoLine(std::string_view line, LineSelection selection, std::u32string_view typed) {
  const ReadLine read = Read(line);
  std::size_t place = 0;
  std::u32string text = WithoutSelected(line, read, selection, place);
  text.insert(place, typed);
  return Merge(line, read, Write(read.text), Write(text), place + typed.size());
}

std::optional<LineChange> EraseInLine(std::string_view line, LineSelection selection, bool before) {
  if (selection.from != selection.to) return TypeIntoLine(line, selection, U"");
  const ReadLine read = Read(line);
  std::size_t place = ReadingPlace(read, selection.from);
  if (before ? place == 0 : place >= read.text.size()) return std::nullopt;
  if (before) --place;
  std::u32string text = read.text;
  text.erase(place, 1);
  return Merge(line, read, Write(read.text), Write(text), place);
}

LineChange ChangeBetween(std::string_view before, std::string_view after) {
  std::size_t prefix = 0;
  while (prefix < before.size() && prefix < after.size() && before[prefix] == after[prefix])
    ++prefix;
  std::size_t suffix = 0;
  while (suffix < before.size() - prefix && suffix < after.size() - prefix &&
         before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix])
    ++suffix;
  return {prefix, before.size() - suffix,
          std::string(after.substr(prefix, after.size() - suffix - prefix)), prefix};
}

LineChange JoinLines(std::string_view first, std::string_view second) {
  std::string old(first);
  old += "\r\n";
  old += second;
  return ReadOnAsOne(old, Read(first).text, Read(second).text);
}

LineChange EraseAcrossLines(std::string_view text, std::size_t firstLength, std::size_t from,
                            std::size_t lastStart, std::size_t to) {
  const ReadLine first = Read(text.substr(0, firstLength)), last = Read(text.substr(lastStart));
  const std::u32string_view head(first.text), tail(last.text);
  return ReadOnAsOne(text, head.substr(0, ReadingPlace(first, from)),
                     tail.substr(ReadingPlace(last, to)));
}

}  // namespace core
