#include "BidiRuns.h"

namespace core {

BidiClass BidiClassOf(char32_t character) {
  if ((character >= 'A' && character <= 'Z') || (character >= 'a' && character <= 'z'))
    return BidiClass::Latin;
  if ((character >= '0' && character <= '9') || (character >= 0x06F0 && character <= 0x06F9))
    return BidiClass::Digit;
  if (character == '%' || character == '#' || character == '$') return BidiClass::Terminator;
  // Arabic letters and the Arabic semicolon and question mark; the Arabic
  // comma separates numbers, as the Latin one does.
  if (character >= 0x0600 && character <= 0x06FF && character != 0x060C) return BidiClass::RightToLeft;
  if (character >= 0x0590 && character <= 0x05FF) return BidiClass::RightToLeft;  // Hebrew
  // The letters of the other European alphabets: Latin with its accents,
  // Greek, Cyrillic.
  if (character >= 0xC0 && character < 0x530 && character != 0xD7 && character != 0xF7) return BidiClass::Latin;
  return BidiClass::Neutral;
}

namespace {

bool IsStrongLeft(BidiClass type) { return type == BidiClass::Latin || type == BidiClass::Digit; }

// What stands between two left-to-right letters or digits, with nothing
// right-to-left among it, reads with them.
void JoinNeutrals(const std::vector<BidiClass>& classes, std::vector<std::uint8_t>& leftToRight) {
  std::size_t lastStrong = classes.size();  // none yet
  for (std::size_t index = 0; index < classes.size(); ++index) {
    if (classes[index] == BidiClass::RightToLeft) {
      lastStrong = classes.size();
    } else if (IsStrongLeft(classes[index])) {
      if (lastStrong != classes.size())
        for (std::size_t between = lastStrong + 1; between < index; ++between) leftToRight[between] = 1;
      leftToRight[index] = 1;
      lastStrong = index;
    }
  }
}

// A run of terminators beside a run that starts or ends with a digit joins
// it ("50%"). Judged by the run's two ends, so that it holds in both orders.
void JoinTerminators(const std::vector<BidiClass>& classes, std::vector<std::uint8_t>& leftToRight) {
  const std::size_t count = classes.size();
  for (std::size_t start = 0; start < count;) {
    if (!leftToRight[start] || classes[start] == BidiClass::Terminator) {
      ++start;
      continue;
    }
    std::size_t end = start;
    while (end < count && leftToRight[end]) ++end;
    if (classes[start] == BidiClass::Digit || classes[end - 1] == BidiClass::Digit) {
      for (std::size_t before = start; before > 0 && classes[before - 1] == BidiClass::Terminator; --before)
        leftToRight[before - 1] = 1;
      while (end < count && classes[end] == BidiClass::Terminator) leftToRight[end++] = 1;
    }
    start = end;
  }
}

}  // namespace

bool MarkLeftToRight(const std::vector<BidiClass>& classes, std::vector<std::uint8_t>& leftToRight) {
  leftToRight.assign(classes.size(), 0);
  bool any = false, terminators = false;
  for (const BidiClass type : classes) {
    any |= IsStrongLeft(type);
    terminators |= type == BidiClass::Terminator;
  }
  if (!any) return false;
  JoinNeutrals(classes, leftToRight);
  if (terminators) JoinTerminators(classes, leftToRight);
  return true;
}

char32_t Mirrored(char32_t character) {
  switch (character) {
    case '(': return ')';
    case ')': return '(';
    case '[': return ']';
    case ']': return '[';
    case '{': return '}';
    case '}': return '{';
    case '<': return '>';
    case '>': return '<';
    case 0x00AB: return 0x00BB;
    case 0x00BB: return 0x00AB;
    default: return character;
  }
}

}  // namespace core
