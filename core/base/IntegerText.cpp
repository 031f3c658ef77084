#include "IntegerText.h"

#include "Exceptions.h"

namespace core {

namespace {
constexpr uint64_t MaxMagnitude = 0x80000000u;  // of -2147483648
constexpr uint64_t MaxHex = 0xFFFFFFFFu;

int DigitValue(char c, int base) {
  int digit = base;
  if (c >= '0' && c <= '9') digit = c - '0';
  if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
  if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
  return digit < base ? digit : -1;
}

// Reads the digits from pos to the end; fails on an empty run, a stray
// character or a value above limit (checked per digit, so nothing overflows).
bool ParseDigits(const std::string& text, std::string::size_type pos, int base, uint64_t limit,
                 uint64_t& magnitude) {
  if (pos >= text.size()) return false;
  magnitude = 0;
  for (; pos < text.size(); ++pos) {
    const int digit = DigitValue(text[pos], base);
    if (digit < 0) return false;
    magnitude = magnitude * base + digit;
    if (magnitude > limit) return false;
  }
  return true;
}
}  // namespace

bool TryParseInteger(const std::string& text, int32_t& value) {
  auto pos = text.find_first_not_of(' ');
  if (pos == std::string::npos) return false;
  const bool negative = text[pos] == '-';
  if (negative || text[pos] == '+') ++pos;
  const bool hex = pos < text.size() && text[pos] == '$';
  if (hex) ++pos;
  const uint64_t limit = hex ? MaxHex : negative ? MaxMagnitude : MaxMagnitude - 1;
  uint64_t magnitude = 0;
  if (!ParseDigits(text, pos, hex ? 16 : 10, limit, magnitude)) return false;
  // Wraps modulo 2^32: "$FFFFFFFF" is -1 and "-$1" is -1 as well.
  const uint32_t bits = static_cast<uint32_t>(negative ? 0 - magnitude : magnitude);
  value = static_cast<int32_t>(bits);
  return true;
}

int32_t ParseInteger(const std::string& text) {
  int32_t value = 0;
  if (!TryParseInteger(text, value))
    throw EConvertError("'" + text +
                        "' ist kein g\xFC"
                        "ltiger Integerwert");
  return value;
}

}  // namespace core
