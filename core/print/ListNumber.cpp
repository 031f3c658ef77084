#include "ListNumber.h"

#include "CodePages.h"

namespace core {

namespace {

std::u32string Digits(int number, bool persian) {
  std::u32string digits;
  for (const char digit : std::to_string(number))
    digits +=
        persian ? static_cast<char32_t>(0x06F0 + (digit - '0')) : static_cast<char32_t>(digit);
  return digits;
}

std::u32string Letters(int number, char32_t a) {
  std::u32string letters;
  for (; number > 0; number = (number - 1) / 26)
    letters.insert(letters.begin(), static_cast<char32_t>(a + (number - 1) % 26));
  return letters;
}

std::u32string Roman(int number, bool upper) {
  static constexpr std::pair<int, const char*> values[] = {
      {1000, "m"}, {900, "cm"}, {500, "d"}, {400, "cd"}, {100, "c"}, {90, "xc"}, {50, "l"},
      {40, "xl"},  {10, "x"},   {9, "ix"},  {5, "v"},    {4, "iv"},  {1, "i"}};
  std::u32string roman;
  for (const auto& [value, letters] : values)
    for (; number >= value; number -= value)
      for (const char* letter = letters; *letter; ++letter)
        roman += static_cast<char32_t>(upper ? *letter - 'a' + 'A' : *letter);
  return roman;
}

std::u32string Decoded(const std::string& bytes) {
  std::u32string text;
  for (const char byte : bytes) text += Cp1252(static_cast<unsigned char>(byte));
  return text;
}

}  // namespace

std::u32string ListNumberText(const Numbering& numbering, int number, bool persianDigits) {
  std::u32string text;
  const bool roman = number > 0 && number < 4000;
  switch (numbering.kind) {
    case NumberKind::None:
      return text;
    case NumberKind::LowerLetter:
      text = number > 0 ? Letters(number, 'a') : U"0";
      break;
    case NumberKind::UpperLetter:
      text = number > 0 ? Letters(number, 'A') : U"0";
      break;
    case NumberKind::LowerRoman:
      text = roman ? Roman(number, false) : Digits(number, false);
      break;
    case NumberKind::UpperRoman:
      text = roman ? Roman(number, true) : Digits(number, false);
      break;
    case NumberKind::Decimal:
      text = Digits(number, persianDigits);
      break;
  }
  return Decoded(numbering.before) + text + Decoded(numbering.after);
}

}  // namespace core
