#include "FontRegistration.h"

#include <vector>

#include "InstallerPaths.h"

namespace {

// The whole file, or false when it cannot be read.
bool ReadWhole(const std::string& path, std::vector<char>& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const DWORD size = GetFileSize(file, nullptr);
  DWORD read = 0;
  bool ok = size != INVALID_FILE_SIZE;
  if (ok) {
    bytes.resize(size);
    ok = ReadFile(file, bytes.data(), size, &read, nullptr) && read == size;
  }
  CloseHandle(file);
  return ok;
}

}  // namespace

DWORD ListInFontsKey(const std::string& fontsKey) {
  HKEY key = nullptr;
  LONG result = RegCreateKeyExA(HKEY_LOCAL_MACHINE, fontsKey.c_str(), 0, nullptr,
                                REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &key, nullptr);
  if (result != ERROR_SUCCESS) return static_cast<DWORD>(result);
  const std::string file = core::FontRegistryFile;
  result = RegSetValueExA(key, core::FontRegistryName, 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(file.c_str()),
                          static_cast<DWORD>(file.size() + 1));
  RegCloseKey(key);
  return static_cast<DWORD>(result);
}

DWORD LoadFont(const std::string& fontFile) {
  if (AddFontResourceA(fontFile.c_str()) > 0) return 0;
  const DWORD error = GetLastError();
  return error ? error : ERROR_INVALID_DATA;
}

void AnnounceFontChange() {
  // A hung program must not hold the installer up.
  SendMessageTimeoutA(HWND_BROADCAST, WM_FONTCHANGE, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
}

void UnloadFont(const std::string& fontFile) {
  // Each load counts once; a bound, should a system never say it is done.
  for (int i = 0; i < 64 && RemoveFontResourceA(fontFile.c_str()); ++i) {
  }
}

bool SameContent(const std::string& first, const std::string& second) {
  std::vector<char> a, b;
  return ReadWhole(first, a) && ReadWhole(second, b) && a == b;
}
