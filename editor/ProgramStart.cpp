#include "ProgramStart.h"

#include <windows.h>

#include "MailCommand.h"
#include "SaveAsRules.h"
#include "SystemFolders.h"

namespace {

bool IsFile(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool IsFullPath(const std::string& name) {
  return (name.size() > 2 && name[1] == ':' && IsSeparator(name[2])) ||
         (name.size() > 1 && IsSeparator(name[0]) && IsSeparator(name[1]));
}

std::string Environment(const char* name) {
  std::string value(GetEnvironmentVariableA(name, nullptr, 0), '\0');
  value.resize(GetEnvironmentVariableA(name, &value[0], static_cast<DWORD>(value.size())));
  return value;
}

// The program file of that name, or "".
std::string Found(const std::string& name) {
  if (name.find_first_of("\\/:") != std::string::npos) {
    if (!IsFullPath(name)) return {};
    if (IsFile(name)) return name;
    return core::ExtensionOf(name).empty() && IsFile(name + ".exe") ? name + ".exe" : "";
  }
  const std::string folders =
      SystemDirectory() + ";" + WindowsDirectory() + ";" + Environment("PATH");
  char found[MAX_PATH] = {};
  char* filePart = nullptr;
  const DWORD length =
      SearchPathA(folders.c_str(), name.c_str(), ".exe", MAX_PATH, found, &filePart);
  return length > 0 && length < MAX_PATH ? found : "";
}

}  // namespace

bool StartProgram(const std::string& commandLine, int show) {
  for (const std::string& name : core::ProgramCandidates(commandLine)) {
    const std::string program = Found(name);
    if (program.empty()) continue;
    std::string line = commandLine;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(show);
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(program.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
      return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
  }
  return false;
}
