// Installs the glyph font: asks, copies the file for the running Windows
// family into the font folder as pfont.ttf, lists it as an installed font,
// loads it so running programs can use it at once, opens the folder and
// reports. Its whole user interface is ownerless message boxes.
#include <windows.h>

#include <shellapi.h>

#include <string>

#include "DocumentName.h"
#include "FontRegistration.h"
#include "InstallerPaths.h"
#include "SystemFolders.h"
#include "SystemLibraries.h"

namespace {

constexpr int InstallFailed = 1;

bool UserWantsTheFont() {
  return MessageBoxA(nullptr, "This will install the required Persian Font. Continue ?", "Hi",
                     MB_YESNOCANCEL | MB_ICONINFORMATION) == IDYES;
}

std::string SystemReason(DWORD error) {
  char* text = nullptr;
  const DWORD flags =
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
  const DWORD length =
      FormatMessageA(flags, nullptr, error, 0, reinterpret_cast<LPSTR>(&text), 0, nullptr);
  std::string reason = length ? std::string(text, length) : std::string();
  LocalFree(text);
  reason.erase(reason.find_last_not_of(" \r\n") + 1);
  return reason.empty() ? "System error " + std::to_string(error) + "." : reason;
}

void ShowFailure(const std::string& what, const std::string& details, DWORD error) {
  const std::string text =
      "The persian font could not be " + what + ".\n\n" + details + "\n\n" + SystemReason(error);
  MessageBoxA(nullptr, text.c_str(), "Installation failed.", MB_OK | MB_ICONSTOP);
}

// Copies the font into place. A font the running system has loaded may be
// held open by it: let go of it and try once more, and load the old one
// again if that fails too.
DWORD CopyFont(const std::string& source, const std::string& destination) {
  if (SameContent(source, destination)) return 0;
  if (CopyFileA(source.c_str(), destination.c_str(), FALSE)) return 0;
  DWORD error = GetLastError();
  if (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED) return error;
  UnloadFont(destination);
  if (CopyFileA(source.c_str(), destination.c_str(), FALSE)) return 0;
  error = GetLastError();
  LoadFont(destination);
  return error;
}

void ShowFontFolder(const std::string& windowsDirectory) {
  ShellExecuteA(nullptr, nullptr, core::FontFolder(windowsDirectory).c_str(), "", "", SW_SHOW);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // It runs as administrator, often from a download folder: whatever the
  // message boxes and the shell load by name comes from the system folder.
  winui::KeepLibrarySearchInSystemFolder();
  if (!UserWantsTheFont()) return 0;

  const std::string windowsDirectory = WindowsDirectory();
  const std::string systemDirectory = SystemDirectory();
  const std::string installerFolder = core::FolderOf(OwnExecutablePath());
  const std::string source = core::FontSourcePath(installerFolder, systemDirectory);
  const std::string destination = core::FontDestinationPath(windowsDirectory);
  const std::string fontsKey = core::FontsRegistryKey(systemDirectory);

  if (const DWORD error = CopyFont(source, destination)) {
    ShowFailure("copied", "From: " + source + "\nTo: " + destination, error);
    return InstallFailed;
  }
  if (const DWORD error = ListInFontsKey(fontsKey)) {
    ShowFailure("registered",
                "Key: HKEY_LOCAL_MACHINE\\" + fontsKey + "\nValue: " + core::FontRegistryName,
                error);
    return InstallFailed;
  }
  if (const DWORD error = LoadFont(destination)) {
    ShowFailure("loaded", "File: " + destination, error);
    return InstallFailed;
  }
  AnnounceFontChange();
  ShowFontFolder(windowsDirectory);
  // Gives the shell's folder window time to come up before the last box.
  Sleep(2000);
  MessageBoxA(nullptr, "The persian font is now ready to use.", "Installation complete.",
              MB_OK | MB_ICONINFORMATION);
  return 0;
}
