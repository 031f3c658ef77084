#pragma once
#include <cstddef>
#include <string>

namespace core {

// How a glyph code is kept by a text control that keeps UTF-16 (every rich
// edit from version 2.0 on, which later Windows put behind RICHED32, and
// Wine's). Codes from 0x80 are kept as U+F000 + code: the code points by
// which a symbol font is addressed whatever the system's code page, so the
// same code shows the same glyph and is written back as the same byte on
// every system. Codes below 0x80 stay themselves, so that spaces, line
// breaks and Latin letters keep their meaning to the control.
char16_t StoredFromCode(unsigned char code);

// The code a kept character stands for; false when it is no glyph code
// (text in another font, which the caller converts with the code page).
bool CodeFromStored(char16_t stored, unsigned char& code);

// Appends the codes as kept characters, UTF-16 little-endian.
void AppendStored(const char* codes, std::size_t count, std::string& utf16);

// Turns a UTF-16 little-endian stream, cut anywhere, back into codes; each
// character that is no glyph code goes through `other`.
class StoredToCodes {
 public:
  using Other = std::string (*)(char16_t character);
  explicit StoredToCodes(Other other) : other_(other) {}

  void Feed(const char* bytes, std::size_t count, std::string& codes);

 private:
  Other other_;
  bool halfPending_ = false;
  unsigned char half_ = 0;
};

}  // namespace core
