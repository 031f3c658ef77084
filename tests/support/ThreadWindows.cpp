#include "ThreadWindows.h"

namespace testing_support {

namespace {
struct Search {
  const char* className;
  const char* caption;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM data) {
  auto* search = reinterpret_cast<Search*>(data);
  char name[256] = {};
  GetClassNameA(hwnd, name, sizeof name);
  if (!IsWindowVisible(hwnd)) return TRUE;
  if (search->className && lstrcmpiA(name, search->className) != 0) return TRUE;
  if (search->caption && WindowText(hwnd) != search->caption) return TRUE;
  search->found = hwnd;
  return FALSE;
}

struct ChildSearch {
  const char* className;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectChild(HWND hwnd, LPARAM data) {
  auto* search = reinterpret_cast<ChildSearch*>(data);
  char name[64] = {};
  GetClassNameA(hwnd, name, sizeof name);
  if (lstrcmpiA(name, search->className) == 0) search->found.push_back(hwnd);
  return TRUE;
}
}  // namespace

HWND FindThreadWindow(const char* className, const char* caption) {
  Search search{className, caption, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string WindowText(HWND hwnd) {
  char text[1024] = {};
  GetWindowTextA(hwnd, text, sizeof text);
  return text;
}

std::vector<HWND> ChildrenOfClass(HWND parent, const char* className) {
  ChildSearch search{className, {}};
  EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND ChildWithText(HWND parent, const std::string& text) {
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (WindowText(child) == text) return child;
  return nullptr;
}

bool CloseBoxPoint(HWND window, POINT& point) {
  RECT rc;
  GetWindowRect(window, &rc);
  for (int y = rc.top; y < rc.top + 40 && y < rc.bottom; ++y)
    for (int x = rc.right - 1; x > rc.right - 80 && x > rc.left; --x)
      if (SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE) {
        // Aim at the middle of the box, not its edge.
        point = {x - 4, y + 4};
        return SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y)) == HTCLOSE;
      }
  return false;
}

}  // namespace testing_support
