#pragma once
#include <string>

namespace core {

// A hint is "short|long"; a hint without '|' is both.
std::string ShortHint(const std::string& hint);
std::string LongHint(const std::string& hint);

}  // namespace core
