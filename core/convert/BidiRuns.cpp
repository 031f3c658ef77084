#include "BidiRuns.h"

namespace core {

BidiClass BidiClassOf(char32_t character) {
  if ((character >= 'A' && character <= 'Z') || (character >= 'a' && character <= 'z'))
    return BidiClass::Latin;
  if ((character >= '0' && character <= '9') || (character >= 0x06F0 && character <= 0x06F9) ||
      (character >= 0x0660 && character <= 0x0669) || character == 0x066B || character == 0x066C)
    return BidiClass::Digit;
  switch (character) {
    case '%':
    case '#':
    case '$':
    case 0x00A2:
    case 0x00A3:
    case 0x00A4:
    case 0x00A5:
    case 0x00B0:
    case 0x00B1:
    case 0x066A:
    case 0x2030:
      return BidiClass::Terminator;
    case '+':
    case '-':
    case 0x2212:
      return BidiClass::Separator;
    case ',':
    case '.':
    case '/':
    case ':':
    case 0x00A0:
    case 0x060C:
      return BidiClass::CommonSeparator;
    default:
      break;
  }
  // Arabic letters and the Arabic semicolon and question mark.
  if (character >= 0x0600 && character <= 0x06FF) return BidiClass::RightToLeft;
  if (character >= 0x0590 && character <= 0x05FF) return BidiClass::RightToLeft;  // Hebrew
  // The letters of the other European alphabets: Latin with its accents,
  // Greek, Cyrillic.
  if (character >= 0xC0 && character < 0x530 && character != 0xD7 && character != 0xF7)
    return BidiClass::Latin;
  return BidiClass::Neutral;
}

namespace {

// What a unit has been resolved to so far, kept in the marks themselves.
enum Resolved : std::uint8_t {
  Right,     // a right-to-left letter, or what reads with them
  Arabic,    // a number: left to right, but right-to-left to what stands
  European,  // beside it; only a European one takes in + - % # $
  Left,      // a Latin letter, or what reads with it
};

bool IsLetter(BidiClass type) { return type == BidiClass::RightToLeft || type == BidiClass::Latin; }

// The digits between two letters, the terminators beside them and the
// separators between two of them that the number's kind takes in. A
// separator after a terminator joins too ("20%-30%"), as the terminator
// stands at the number's other end in display order.
void ResolveNumbers(const std::vector<BidiClass>& classes, std::size_t start, std::size_t end,
                    Resolved as, std::vector<std::uint8_t>& resolved) {
  const bool european = as != Arabic;
  for (std::size_t index = start; index < end; ++index) {
    if (classes[index] != BidiClass::Digit) continue;
    resolved[index] = as;
    for (std::size_t before = index;
         european && before > start && classes[before - 1] == BidiClass::Terminator;)
      resolved[--before] = as;
    for (std::size_t after = index + 1;
         european && after < end && classes[after] == BidiClass::Terminator; ++after)
      resolved[after] = as;
  }
  for (std::size_t index = start + 1; index + 1 < end; ++index) {
    const BidiClass type = classes[index];
    const bool joins =
        type == BidiClass::CommonSeparator || (type == BidiClass::Separator && european);
    if (joins && resolved[index - 1] == as && resolved[index + 1] == as) resolved[index] = as;
  }
}

// What stands between a Latin letter and a number that reads with it, or
// between two Latin letters, reads left to right too.
void JoinLatin(bool latinBefore, bool latinAfter, std::size_t start, std::size_t end,
               std::vector<std::uint8_t>& resolved) {
  std::size_t first = start, last = end;
  if (!latinBefore)
    while (first < end && resolved[first] != Left) ++first;
  if (!latinAfter)
    while (last > first && resolved[last - 1] != Left) --last;
  for (std::size_t index = first; index < last; ++index) resolved[index] = Left;
}

// Resolves what stands between two letters (or a letter and the line's
// edge), from start to end. A Latin word on either side takes the numbers
// there in; otherwise a Persian word on either side makes them Arabic
// numbers. Neutrals read right to left unless between two units that read
// left to right, a number counting as right to left then.
void ResolveGap(const std::vector<BidiClass>& classes, std::size_t start, std::size_t end,
                std::vector<std::uint8_t>& resolved) {
  const std::size_t count = classes.size();
  const BidiClass before = start > 0 ? classes[start - 1] : BidiClass::Neutral;
  const BidiClass after = end < count ? classes[end] : BidiClass::Neutral;
  bool digits = false;
  for (std::size_t index = start; index < end; ++index)
    digits |= classes[index] == BidiClass::Digit;
  const bool latinBefore = before == BidiClass::Latin, latinAfter = after == BidiClass::Latin;
  const bool arabic = before == BidiClass::RightToLeft || after == BidiClass::RightToLeft;
  const bool latin = latinBefore || latinAfter;
  if (digits)
    ResolveNumbers(classes, start, end, latin ? Left : arabic ? Arabic : European, resolved);
  if (latin && start < end && (digits || (latinBefore && latinAfter)))
    JoinLatin(latinBefore, latinAfter, start, end, resolved);
}

std::size_t GapStart(const std::vector<BidiClass>& classes, std::size_t index) {
  while (index > 0 && !IsLetter(classes[index - 1])) --index;
  return index;
}

std::size_t GapEnd(const std::vector<BidiClass>& classes, std::size_t index) {
  while (index < classes.size() && !IsLetter(classes[index])) ++index;
  return index;
}

// Only a gap with a digit in it or between two Latin letters has anything
// to resolve; a line is mostly Persian letters and spaces, which are passed
// over at the cost of one test each. Each gap is resolved once.
// Returns whether the line holds a Latin letter or a digit, and sets
// `terminators` when it holds one of those.
bool ResolveBetweenLetters(const std::vector<BidiClass>& classes,
                           std::vector<std::uint8_t>& resolved, bool& terminators) {
  constexpr unsigned latin = 1u << static_cast<unsigned>(BidiClass::Latin);
  constexpr unsigned digit = 1u << static_cast<unsigned>(BidiClass::Digit);
  constexpr unsigned terminator = 1u << static_cast<unsigned>(BidiClass::Terminator);
  bool any = false;
  std::size_t resolvedUntil = 0;  // the end of the last gap resolved
  for (std::size_t index = 0; index < classes.size(); ++index) {
    const unsigned type = 1u << static_cast<unsigned>(classes[index]);
    if (!(type & (latin | digit | terminator))) continue;
    any |= type != terminator;
    terminators |= type == terminator;
    if (type == digit && index >= resolvedUntil) {
      resolvedUntil = GapEnd(classes, index);
      ResolveGap(classes, GapStart(classes, index), resolvedUntil, resolved);
    } else if (type == latin) {
      resolved[index] = Left;
      if (resolvedUntil < index) ResolveGap(classes, GapStart(classes, index), index, resolved);
    }
  }
  return any;
}

// A run of terminators beside a European number or a Latin run that starts
// or ends with a digit, its own terminators aside, joins it ("50%"). Judged by the run's two ends,
// as the terminators stand at its one end in reading order and at the other in display order.
void JoinTerminators(const std::vector<BidiClass>& classes, std::vector<std::uint8_t>& resolved) {
  const std::size_t count = classes.size();
  for (std::size_t start = 0; start < count;) {
    if (resolved[start] == Right || resolved[start] == Arabic) {
      ++start;
      continue;
    }
    std::size_t end = start;
    while (end < count && resolved[end] != Right && resolved[end] != Arabic) ++end;
    const Resolved as = static_cast<Resolved>(resolved[start]);
    std::size_t first = start, last = end - 1;
    while (first < last && classes[first] == BidiClass::Terminator) ++first;
    while (last > first && classes[last] == BidiClass::Terminator) --last;
    if (classes[first] == BidiClass::Digit || classes[last] == BidiClass::Digit) {
      for (std::size_t before = start; before > 0 && classes[before - 1] == BidiClass::Terminator;
           --before)
        resolved[before - 1] = as;
      while (end < count && classes[end] == BidiClass::Terminator) resolved[end++] = as;
    }
    start = end;
  }
}

}  // namespace

bool MarkLeftToRight(const std::vector<BidiClass>& classes,
                     std::vector<std::uint8_t>& leftToRight) {
  leftToRight.assign(classes.size(), Right);
  bool terminators = false;
  if (!ResolveBetweenLetters(classes, leftToRight, terminators)) return false;
  if (terminators) JoinTerminators(classes, leftToRight);
  for (std::uint8_t& mark : leftToRight) mark = mark != Right;
  return true;
}

char32_t Mirrored(char32_t character) {
  switch (character) {
    case '(':
      return ')';
    case ')':
      return '(';
    case '[':
      return ']';
    case ']':
      return '[';
    case '{':
      return '}';
    case '}':
      return '{';
    case '<':
      return '>';
    case '>':
      return '<';
    case 0x00AB:
      return 0x00BB;
    case 0x00BB:
      return 0x00AB;
    default:
      return character;
  }
}

}  // namespace core
