#pragma once
#include <string>

namespace core {

// The pattern with its first "%s" replaced by the argument, as the
// messages and questions about one file are built.
inline std::string FormatWith(const std::string& pattern, const std::string& argument) {
  const auto at = pattern.find("%s");
  if (at == std::string::npos) return pattern;
  return pattern.substr(0, at) + argument + pattern.substr(at + 2);
}

}  // namespace core
