#include "DocumentName.h"

namespace core {

namespace {
std::string::size_type LastSeparator(const std::string& path) { return path.find_last_of("\\/:"); }
}  // namespace

std::string FileNamePart(const std::string& name) {
  const auto sep = LastSeparator(name);
  return sep == std::string::npos ? name : name.substr(sep + 1);
}

std::string FolderOf(const std::string& path) {
  const auto sep = LastSeparator(path);
  return sep == std::string::npos ? std::string() : path.substr(0, sep + 1);
}

std::string WindowCaption(const std::string& documentName, const std::string& title) {
  return FileNamePart(documentName) + " - " + title;
}

std::string PrintJobName(const std::string& title) {
  constexpr std::string::size_type longest = 31;
  return title.substr(0, longest);
}

}  // namespace core
