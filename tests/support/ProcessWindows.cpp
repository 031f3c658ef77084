#include "ProcessWindows.h"

#include <cctype>
#include <functional>

namespace {

using WindowTest = std::function<bool(HWND)>;

struct TopLevelSearch {
  DWORD processId;
  const WindowTest& test;
  HWND found;
};

BOOL CALLBACK MatchTopLevel(HWND window, LPARAM data) {
  auto& search = *reinterpret_cast<TopLevelSearch*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search.processId || !IsWindowVisible(window) || !search.test(window)) return TRUE;
  search.found = window;
  return FALSE;
}

// The first visible top-level window of the process that passes the test.
HWND FindTopLevel(DWORD processId, const WindowTest& test) {
  TopLevelSearch search{processId, test, nullptr};
  EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

bool StartsWithIgnoringCase(const std::string& text, const std::string& prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i)
    if (std::toupper(static_cast<unsigned char>(text[i])) !=
        std::toupper(static_cast<unsigned char>(prefix[i])))
      return false;
  return true;
}

BOOL CALLBACK NoteChildToPaint(HWND child, LPARAM data) {
  auto& pending = *reinterpret_cast<bool*>(data);
  pending = GetUpdateRect(child, nullptr, FALSE) != FALSE;
  return !pending;
}

bool NeedsPaint(HWND window) {
  if (GetUpdateRect(window, nullptr, FALSE)) return true;
  bool pending = false;
  EnumChildWindows(window, NoteChildToPaint, reinterpret_cast<LPARAM>(&pending));
  return pending;
}

BOOL CALLBACK NoteRichEdit(HWND child, LPARAM data) {
  // A hidden one may be a document still loading.
  if (!StartsWithIgnoringCase(ClassOf(child), "RichEdit") || !IsWindowVisible(child)) return TRUE;
  *reinterpret_cast<HWND*>(data) = child;
  return FALSE;
}

}  // namespace

HWND MainWindowOf(DWORD processId) {
  return FindTopLevel(processId, [](HWND window) {
    return !GetWindow(window, GW_OWNER) &&
           (GetWindowLongPtrA(window, GWL_STYLE) & WS_CAPTION) == WS_CAPTION;
  });
}

HWND DialogOf(DWORD processId) { return WindowOfClass(processId, "#32770"); }

HWND WindowOfClass(DWORD processId, const char* className) {
  return FindTopLevel(processId, [className](HWND window) { return ClassOf(window) == className; });
}

HWND RichEditIn(HWND window) {
  HWND found = nullptr;
  EnumChildWindows(window, NoteRichEdit, reinterpret_cast<LPARAM>(&found));
  return found;
}

std::string TitleOf(HWND window) {
  char title[512] = {};
  GetWindowTextA(window, title, sizeof title);
  return title;
}

bool Settled(HANDLE process, HWND window) {
  if (WaitForInputIdle(process, 0) == WAIT_TIMEOUT) return false;
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result)) return false;
  return !NeedsPaint(window);
}
