#pragma once
#include <cstddef>
#include <string>

namespace core {

// Texts are stored with every byte raised by this (mod 256).
inline constexpr int ScrambleOffset = 47;

inline std::string ShiftedBytes(std::string text, int offset) {
  for (char& c : text) c = static_cast<char>(static_cast<unsigned char>(c) + offset);
  return text;
}
inline std::string Scramble(const std::string& text) { return ShiftedBytes(text, ScrambleOffset); }
inline std::string Unscramble(const std::string& text) {
  return ShiftedBytes(text, -ScrambleOffset);
}

// A text scrambled by the compiler as Scramble does it, so that a constexpr
// variable puts only the scrambled bytes into the program. Write the plain
// text in the source; nothing needs to be regenerated when it changes. Unscramble(Stored()) gives
// it back.
template <size_t N>
class ScrambledText {
 public:
  constexpr explicit ScrambledText(const char (&text)[N]) {
    for (size_t i = 0; i < Length; ++i)
      bytes_[i] = static_cast<char>(static_cast<unsigned char>(text[i]) + ScrambleOffset);
  }

  std::string Stored() const { return std::string(bytes_, Length); }
  constexpr char operator[](size_t i) const { return bytes_[i]; }

  static constexpr size_t Length = N - 1;  // without the terminating zero

 private:
  char bytes_[N] = {};
};

}  // namespace core
