// Writes the command line it was started with into the file that
// DABIRO_RECORDER_FILE names, so a test sees what a started program got.
// The text appears at once or not at all: it is written beside the file and
// then renamed.
#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char path[MAX_PATH] = {};
  if (!GetEnvironmentVariableA("DABIRO_RECORDER_FILE", path, sizeof path)) return 1;
  const std::string partial = std::string(path) + ".partial";
  HANDLE file = CreateFileA(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  const char* line = GetCommandLineA();
  DWORD written = 0;
  const BOOL wrote = WriteFile(file, line, lstrlenA(line), &written, nullptr);
  CloseHandle(file);
  return wrote && MoveFileExA(partial.c_str(), path, MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
