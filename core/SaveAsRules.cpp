#include "SaveAsRules.h"

#include "AsciiText.h"

namespace core {

namespace {
constexpr int RtfFilter = 1;
constexpr int TextFilter = 2;
constexpr std::string::size_type MaxJobName = 31;

bool HasExtension(const std::string& name, const char* upperExtension) {
  return UpperAscii(ExtensionOf(name)) == upperExtension;
}
}  // namespace

std::string ExtensionOf(const std::string& name) {
  const auto last = name.find_last_of(".\\/:");
  return last != std::string::npos && name[last] == '.' ? name.substr(last) : std::string();
}

std::string SaveAsFileName(const std::string& chosen, int filterIndex) {
  std::string name = chosen;
  if (filterIndex == RtfFilter && !HasExtension(name, ".RTF")) name += ".rtf";
  if (filterIndex == TextFilter && !HasExtension(name, ".TXT")) name += ".txt";
  return name;
}

bool SavesAsPlainText(const std::string& name) {
  return !HasExtension(name, ".RTF");
}

std::string PrintJobName(const std::string& title) {
  return title.substr(0, MaxJobName);
}

}  // namespace core
