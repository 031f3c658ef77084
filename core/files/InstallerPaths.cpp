#include "InstallerPaths.h"

#include "AsciiText.h"

namespace core {

namespace {
bool IsNtSystemDirectory(const std::string& systemDirectory) {
  return UpperAscii(systemDirectory).find("\\SYSTEM32") != std::string::npos;
}
}  // namespace

std::string FontSourceName(const std::string& systemDirectory) {
  return IsNtSystemDirectory(systemDirectory) ? "pfontnt.ttf" : "pfont95.ttf";
}

std::string FontsRegistryKey(const std::string& systemDirectory) {
  return IsNtSystemDirectory(systemDirectory)
             ? "Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts"
             : "Software\\Microsoft\\Windows\\CurrentVersion\\Fonts";
}

std::string FontSourcePath(const std::string& installerFolder, const std::string& systemDirectory) {
  return installerFolder + FontSourceName(systemDirectory);
}

std::string FontFolder(const std::string& windowsDirectory) { return windowsDirectory + "\\Fonts"; }

std::string FontDestinationPath(const std::string& windowsDirectory) {
  return FontFolder(windowsDirectory) + "\\pfont.ttf";
}

}  // namespace core
