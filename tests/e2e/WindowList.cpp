// Prints what a person sees of the desktop's visible top-level windows:
// one record per window and per child of a dialog, so the end-to-end tests
// can read message boxes that xdotool only knows by their caption.
// Fields: kind, class, text, control id or owner, process id, screen
// rectangle; fields are split by 0x1F, records by 0x1E (texts may hold
// line breaks and backslashes).
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <string>

namespace {

std::string ClassOf(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

// Of another process's window this reads the text the system keeps,
// without a message that a busy program could leave unanswered (the
// length query would send one).
std::string TextOf(HWND window) {
  std::string text(8192, '\0');
  text.resize(GetWindowTextA(window, &text[0], static_cast<int>(text.size())));
  return text;
}

void Print(const char* kind, HWND window, LONG_PTR relation) {
  RECT r{};
  GetWindowRect(window, &r);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  std::printf("%s\x1f%s\x1f%s\x1f%lld\x1f%lu\x1f%ld,%ld,%ld,%ld\x1e", kind, ClassOf(window).c_str(),
              TextOf(window).c_str(), static_cast<long long>(relation), processId, r.left, r.top,
              r.right, r.bottom);
}

BOOL CALLBACK PrintChild(HWND child, LPARAM) {
  Print("child", child, GetDlgCtrlID(child));
  return TRUE;
}

BOOL CALLBACK PrintTopLevel(HWND window, LPARAM) {
  if (!IsWindowVisible(window)) return TRUE;
  Print("window", window, reinterpret_cast<LONG_PTR>(GetWindow(window, GW_OWNER)));
  if (ClassOf(window) == "#32770") EnumChildWindows(window, PrintChild, 0);
  return TRUE;
}

}  // namespace

int main() {
  _setmode(_fileno(stdout), _O_BINARY);  // texts keep their own line breaks
  EnumWindows(PrintTopLevel, 0);
  return 0;
}
