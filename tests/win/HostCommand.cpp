#include "HostCommand.h"

#include <windows.h>

#include <fstream>
#include <sstream>

namespace testing_support {

namespace {

constexpr int TimeoutMilliseconds = 120000;

std::string ReadAndDelete(const std::string& hostPath) {
  const std::string path = WindowsPath(hostPath);
  std::ifstream file(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  file.close();
  DeleteFileA(path.c_str());
  return bytes.str();
}

bool Exists(const std::string& hostPath) {
  return GetFileAttributesA(WindowsPath(hostPath).c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

std::string WindowsPath(const std::string& hostPath) {
  std::string path = "Z:" + hostPath;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

// Wine's process handle for a Unix program gives neither its end nor its
// exit code reliably: the shell writes the code into a file, renamed into
// place when the command has finished.
HostResult RunHost(const std::string& command) {
  const std::string base = "/tmp/dabiro-host-" + std::to_string(GetCurrentProcessId());
  const std::string output = base + ".out", code = base + ".rc";
  std::string line = "Z:\\bin\\sh -c \"( " + command + " ) > " + output + " 2>&1; echo $? > " +
                     code + ".part; mv " + code + ".part " + code + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process))
    return {false, -1, {}};
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  for (int waited = 0; !Exists(code); waited += 20) {
    if (waited > TimeoutMilliseconds) return {false, -1, ReadAndDelete(output)};
    Sleep(20);
  }
  const int exitCode = std::atoi(ReadAndDelete(code).c_str());
  return {true, exitCode, ReadAndDelete(output)};
}

}  // namespace testing_support
