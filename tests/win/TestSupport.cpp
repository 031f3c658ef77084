#include "TestSupport.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include "Application.h"
#include "DocumentRecovery.h"
#include "StartUp.h"

namespace testing_support {

void Pump(int milliseconds) {
  const DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
  do {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) continue;
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    winui::Application::Instance().Idle();
    Sleep(1);
  } while (static_cast<int>(end - GetTickCount()) > 0);
}

void RunEditorLoop(int milliseconds) {
  const DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
  do {
    winui::Application::Instance().ProcessMessages();
    Sleep(1);
  } while (static_cast<int>(end - GetTickCount()) > 0);
}

bool WaitInEditorLoop(const std::function<bool()>& condition, int timeoutMilliseconds) {
  const DWORD end = GetTickCount() + static_cast<DWORD>(timeoutMilliseconds);
  while (!condition()) {
    if (static_cast<int>(end - GetTickCount()) <= 0) return false;
    RunEditorLoop(10);
  }
  return true;
}

bool WaitUntil(const std::function<bool()>& condition, int timeoutMilliseconds) {
  const DWORD end = GetTickCount() + static_cast<DWORD>(timeoutMilliseconds);
  while (!condition()) {
    if (static_cast<int>(end - GetTickCount()) <= 0) return false;
    Pump(10);
  }
  return true;
}

std::string ProgramFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  return folder.erase(folder.find_last_of('\\') + 1);
}

ChildProgram::ChildProgram(const std::string& program, const std::string& arguments) {
  std::string line = "\"" + ProgramFolder() + program + "\" " + arguments;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  started_ = CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &startup, &process_);
}

ClipboardHolder::ClipboardHolder()
    : opened_(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
      release_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
  thread_ = CreateThread(
      nullptr, 0,
      [](void* data) -> DWORD {
        auto* self = static_cast<ClipboardHolder*>(data);
        OpenClipboard(nullptr);
        SetEvent(self->opened_);
        WaitForSingleObject(self->release_, 10000);
        CloseClipboard();
        return 0;
      },
      this, 0, nullptr);
  WaitForSingleObject(opened_, 5000);
}

ClipboardHolder::~ClipboardHolder() {
  SetEvent(release_);
  WaitForSingleObject(thread_, 5000);
  for (HANDLE h : {thread_, opened_, release_}) CloseHandle(h);
}

ChildProgram::~ChildProgram() {
  if (!started_) return;
  TerminateProcess(process_.hProcess, 0);
  WaitForSingleObject(process_.hProcess, 5000);
  CloseHandle(process_.hThread);
  CloseHandle(process_.hProcess);
}

void MoveMouse(HWND hwnd, int x, int y) {
  POINT point{x, y};
  ClientToScreen(hwnd, &point);
  SetCursorPos(point.x, point.y);
  Pump(30);
}

void Click(HWND hwnd, int x, int y, DWORD down, DWORD up) {
  MoveMouse(hwnd, x, y);
  MouseButton(down);
  Pump(20);
  MouseButton(up);
  Pump(50);
}

namespace {
POINT Middle(const winui::SpeedButton& button) {
  const RECT& bounds = button.Bounds();
  return {(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2};
}
}  // namespace

POINT ScreenMiddle(const winui::SpeedButton& button) {
  POINT point = Middle(button);
  ClientToScreen(button.PanelHandle(), &point);
  return point;
}

void MoveMouse(const winui::SpeedButton& button) {
  MoveMouse(button.PanelHandle(), Middle(button).x, Middle(button).y);
}

void Click(const winui::SpeedButton& button) {
  Click(button.PanelHandle(), Middle(button).x, Middle(button).y);
}

void TapKey(BYTE key) {
  PressKey(key);
  ReleaseKey(key);
  Pump(50);
}

RECT RectInParent(HWND hwnd) {
  RECT rc;
  GetWindowRect(hwnd, &rc);
  MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&rc), 2);
  return rc;
}

namespace {
// The tests' own temporary folder: a recovery copy that an editor under
// test leaves (its process ended hard) stays among the tests' files, and
// an editor started outside the tests is never offered it. Nor is an
// editor a later test starts: the copies of ended test programs go first.
void UseOwnTemporaryFolder() {
  char temp[MAX_PATH] = {};
  GetTempPathA(sizeof temp, temp);
  const std::string own = std::string(temp) + "dabiro-tests\\";
  CreateDirectoryA(own.c_str(), nullptr);
  for (const char* name : {"TMP", "TEMP"}) SetEnvironmentVariableA(name, own.c_str());
  DocumentRecovery recovery;
  for (DocumentRecovery::Left left; recovery.TakeOneLeft(left);) DocumentRecovery::Discard(left);
}

// Every test program starts the way the editor does.
class ApplicationEnvironment : public testing::Environment {
 public:
  void SetUp() override {
    UseOwnTemporaryFolder();
    StartApplication();
  }
};

const auto* const environment = testing::AddGlobalTestEnvironment(new ApplicationEnvironment);
}  // namespace

}  // namespace testing_support
