#include "GlyphStorage.h"

namespace core {

namespace {
constexpr char16_t SymbolBase = 0xF000;
}

char16_t StoredFromCode(unsigned char code) {
  return code < 0x80 ? code : static_cast<char16_t>(SymbolBase + code);
}

bool CodeFromStored(char16_t stored, unsigned char& code) {
  if (stored < 0x80) {
    code = static_cast<unsigned char>(stored);
    return true;
  }
  if (stored >= SymbolBase && stored <= SymbolBase + 0xFF) {
    code = static_cast<unsigned char>(stored - SymbolBase);
    return true;
  }
  return false;
}

void AppendStored(const char* codes, std::size_t count, std::string& utf16) {
  for (std::size_t i = 0; i < count; ++i) {
    const char16_t stored = StoredFromCode(static_cast<unsigned char>(codes[i]));
    utf16 += static_cast<char>(stored & 0xFF);
    utf16 += static_cast<char>(stored >> 8);
  }
}

void StoredToCodes::Feed(const char* bytes, std::size_t count, std::string& codes) {
  for (std::size_t i = 0; i < count; ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    if (!halfPending_) {
      half_ = byte;
      halfPending_ = true;
      continue;
    }
    halfPending_ = false;
    const auto stored = static_cast<char16_t>(half_ | (byte << 8));
    unsigned char code = 0;
    if (CodeFromStored(stored, code))
      codes += static_cast<char>(code);
    else
      codes += other_(stored);
  }
}

}  // namespace core
