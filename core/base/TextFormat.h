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

// The pattern with its first two "%s" replaced by the arguments; the second
// is looked for after the first argument, never inside it.
inline std::string FormatWith(const std::string& pattern, const std::string& first,
                              const std::string& second) {
  const auto at = pattern.find("%s");
  if (at == std::string::npos) return pattern;
  return pattern.substr(0, at) + first + FormatWith(pattern.substr(at + 2), second);
}

}  // namespace core
