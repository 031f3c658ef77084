#include "Hint.h"

namespace core {

std::string ShortHint(const std::string& hint) { return hint.substr(0, hint.find('|')); }

std::string LongHint(const std::string& hint) {
  const auto bar = hint.find('|');
  return bar == std::string::npos ? hint : hint.substr(bar + 1);
}

}  // namespace core
