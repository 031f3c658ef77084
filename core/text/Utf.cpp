#include "Utf.h"

namespace core {

namespace {

bool IsSurrogate(char32_t character) { return character >= 0xD800 && character <= 0xDFFF; }

}  // namespace

void AppendUtf8(char32_t character, std::string& out) {
  if (character < 0x80) {
    out += static_cast<char>(character);
  } else if (character < 0x800) {
    out += static_cast<char>(0xC0 | (character >> 6));
    out += static_cast<char>(0x80 | (character & 0x3F));
  } else if (character < 0x10000) {
    out += static_cast<char>(0xE0 | (character >> 12));
    out += static_cast<char>(0x80 | ((character >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (character & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (character >> 18));
    out += static_cast<char>(0x80 | ((character >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((character >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (character & 0x3F));
  }
}

std::string Utf8FromUnicode(std::u32string_view text) {
  std::string out;
  out.reserve(text.size() * 2);
  for (const char32_t character : text) AppendUtf8(character, out);
  return out;
}

void AppendUtf16(char32_t character, std::u16string& out) {
  if (character < 0x10000) {
    out += static_cast<char16_t>(character);
  } else {
    character -= 0x10000;
    out += static_cast<char16_t>(0xD800 + (character >> 10));
    out += static_cast<char16_t>(0xDC00 + (character & 0x3FF));
  }
}

std::u16string Utf16FromUnicode(std::u32string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (const char32_t character : text) AppendUtf16(character, out);
  return out;
}

std::size_t Utf8CharacterAt(std::string_view bytes, std::size_t index, char32_t& character) {
  static constexpr char32_t Smallest[] = {0, 0, 0x80, 0x800, 0x10000};
  const auto lead = static_cast<unsigned char>(bytes[index]);
  if (lead < 0x80) {
    character = lead;
    return 1;
  }
  const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
  if (length == 0 || lead > 0xF4 || index + length > bytes.size()) return 0;
  character = lead & (0x7F >> length);
  for (std::size_t part = 1; part < length; ++part) {
    const auto follow = static_cast<unsigned char>(bytes[index + part]);
    if ((follow & 0xC0) != 0x80) return 0;
    character = (character << 6) | (follow & 0x3F);
  }
  const bool valid =
      character >= Smallest[length] && character <= 0x10FFFF && !IsSurrogate(character);
  return valid ? length : 0;
}

bool UnicodeFromUtf8(std::string_view bytes, std::u32string& out, std::size_t& faultAt) {
  out.reserve(out.size() + bytes.size());
  for (std::size_t index = 0; index < bytes.size();) {
    char32_t character = 0;
    const std::size_t length = Utf8CharacterAt(bytes, index, character);
    if (length == 0) {
      faultAt = index;
      return false;
    }
    out += character;
    index += length;
  }
  return true;
}

bool UnicodeFromUtf16(std::u16string_view units, std::u32string& out, std::size_t& faultAt) {
  out.reserve(out.size() + units.size());
  for (std::size_t index = 0; index < units.size(); ++index) {
    const char32_t unit = units[index];
    if (!IsSurrogate(unit)) {
      out += unit;
      continue;
    }
    const bool paired = unit < 0xDC00 && index + 1 < units.size() && units[index + 1] >= 0xDC00 &&
                        units[index + 1] <= 0xDFFF;
    if (!paired) {
      faultAt = index;
      return false;
    }
    out += 0x10000 + ((unit - 0xD800) << 10) + (units[index + 1] - 0xDC00);
    ++index;
  }
  return true;
}

std::string Utf16Bytes(std::u16string_view units, bool bigEndian) {
  std::string bytes;
  bytes.reserve(units.size() * 2);
  for (const char16_t unit : units) {
    const char low = static_cast<char>(unit & 0xFF), high = static_cast<char>(unit >> 8);
    bytes += bigEndian ? high : low;
    bytes += bigEndian ? low : high;
  }
  return bytes;
}

bool UnicodeFromFileBytes(std::string_view bytes, std::u32string& out, std::size_t& faultAt) {
  const auto startsWith = [&](std::string_view mark) {
    return bytes.substr(0, mark.size()) == mark;
  };
  const bool little = startsWith("\xFF\xFE"), big = startsWith("\xFE\xFF");
  if (!little && !big) {
    const std::size_t skip = startsWith("\xEF\xBB\xBF") ? 3 : 0;
    const bool ok = UnicodeFromUtf8(bytes.substr(skip), out, faultAt);
    faultAt += skip;
    return ok;
  }
  if (bytes.size() % 2) {
    faultAt = bytes.size() - 1;
    return false;
  }
  std::u16string units;
  units.reserve(bytes.size() / 2 - 1);
  for (std::size_t index = 2; index < bytes.size(); index += 2) {
    const auto first = static_cast<unsigned char>(bytes[index]);
    const auto second = static_cast<unsigned char>(bytes[index + 1]);
    units += static_cast<char16_t>(little ? first | (second << 8) : (first << 8) | second);
  }
  const bool ok = UnicodeFromUtf16(units, out, faultAt);
  faultAt = faultAt * 2 + 2;
  return ok;
}

}  // namespace core
