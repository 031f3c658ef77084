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

// Lower-cases only the letters A-Z, as Windows tells names apart.
inline std::string LowerAscii(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

}  // namespace core
