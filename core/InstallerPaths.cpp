#include "InstallerPaths.h"

#include "AsciiText.h"

namespace core {

std::string FontSourceName(const std::string& systemDirectory) {
  const bool isNt = UpperAscii(systemDirectory).find("\\SYSTEM32") != std::string::npos;
  return isNt ? "pfontnt.ttf" : "pfont95.ttf";
}

std::string FontSourcePath(const std::string& installerFolder, const std::string& systemDirectory) {
  return installerFolder + FontSourceName(systemDirectory);
}

std::string FontFolder(const std::string& windowsDirectory) { return windowsDirectory + "\\Fonts"; }

std::string FontDestinationPath(const std::string& windowsDirectory) {
  return FontFolder(windowsDirectory) + "\\pfont.ttf";
}

}  // namespace core
