#include "ModalDriver.h"

#include "TestSupport.h"

namespace testing_support {

namespace {
ModalDriver* activeDriver = nullptr;
constexpr UINT TickMilliseconds = 100;
constexpr int GraceTicks = 50;
}  // namespace

ModalDriver::ModalDriver(std::vector<Step> steps) : steps_(std::move(steps)) {
  activeDriver = this;
  timer_ = SetTimer(nullptr, 0, TickMilliseconds, Tick);
}

ModalDriver::~ModalDriver() {
  KillTimer(nullptr, timer_);
  activeDriver = nullptr;
}

void CALLBACK ModalDriver::Tick(HWND, UINT, UINT_PTR, DWORD) {
  if (activeDriver) activeDriver->OnTick();
}

void ModalDriver::OnTick() {
  HWND dialog = OpenDialog();
  if (!dialog) return;
  if (next_ < static_cast<int>(steps_.size())) {
    steps_[static_cast<size_t>(next_++)](dialog);
    return;
  }
  if (++idleTicks_ < GraceTicks) return;
  timedOut_ = true;
  PostMessageA(dialog, WM_CLOSE, 0, 0);
}

HWND OpenDialog() { return FindThreadWindow("#32770", nullptr); }

namespace {
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
