#pragma once
#include <string>

namespace core {

// Upper-cases only the letters a-z; every other byte stays as it is, so
// Windows-1252 letters are never touched.
inline std::string UpperAscii(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

}  // namespace core
