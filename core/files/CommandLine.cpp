#include "CommandLine.h"

namespace core {

std::string DocumentOnCommandLine(const std::string& arguments) {
  const auto first = arguments.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  if (arguments[first] == '"') {
    const auto close = arguments.find('"', first + 1);
    return arguments.substr(first + 1,
                            close == std::string::npos ? std::string::npos : close - first - 1);
  }
  const auto last = arguments.find_last_not_of(" \t");
  return arguments.substr(first, last - first + 1);
}

}  // namespace core
