#pragma once
#include <string>

namespace core {

// "pfontnt.ttf" on the Windows NT family (its system directory is
// ...\SYSTEM32), else "pfont95.ttf".
std::string FontSourceName(const std::string& systemDirectory);

// The font file beside the installer; installerFolder ends in its separator.
std::string FontSourcePath(const std::string& installerFolder, const std::string& systemDirectory);

std::string FontFolder(const std::string& windowsDirectory);
std::string FontDestinationPath(const std::string& windowsDirectory);

// The key under HKEY_LOCAL_MACHINE that lists the installed fonts, for the
// same family as FontSourceName, and the font's entry there.
std::string FontsRegistryKey(const std::string& systemDirectory);
constexpr char FontRegistryName[] = "Persian (TrueType)";
constexpr char FontRegistryFile[] = "pfont.ttf";

}  // namespace core
