#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "SpeedButton.h"
#include "SyntheticInput.h"
#include "ThreadWindows.h"

// Helpers for tests that drive real windows under Wine: message pumping,
// waiting, and real mouse and keyboard input through the system queue.
namespace testing_support {

// Dispatches messages for the given time (quit messages are dropped).
void Pump(int milliseconds);

// The editor's own loop: unlike Pump it moves the focus on Tab and hands
// keys to the application's key filter.
void RunEditorLoop(int milliseconds);

// Runs the editor's loop until the condition holds; false on time-out.
bool WaitInEditorLoop(const std::function<bool()>& condition, int timeoutMilliseconds = 5000);

// Pumps until the condition holds; false on time-out.
bool WaitUntil(const std::function<bool()>& condition, int timeoutMilliseconds = 5000);

// The folder of the test program, where the build puts the other programs;
// ends with a backslash.
std::string ProgramFolder();

// The clipboard held open by another thread while the object lives, as
// another program may hold it.
class ClipboardHolder {
 public:
  ClipboardHolder();
  ~ClipboardHolder();
  ClipboardHolder(const ClipboardHolder&) = delete;
  ClipboardHolder& operator=(const ClipboardHolder&) = delete;

 private:
  HANDLE opened_, release_, thread_;
};

// A program of the test program's folder started with arguments, ended
// when the object goes.
class ChildProgram {
 public:
  ChildProgram(const std::string& program, const std::string& arguments);
  ~ChildProgram();
  ChildProgram(const ChildProgram&) = delete;
  ChildProgram& operator=(const ChildProgram&) = delete;
  bool Started() const { return started_ != FALSE; }
  DWORD Id() const { return process_.dwProcessId; }

 private:
  PROCESS_INFORMATION process_{};
  BOOL started_ = FALSE;
};

// Real input (SyntheticInput.h), each step pumped for this thread's
// windows to take it: the pointer moves to a point in the window's client
// area.
void MoveMouse(HWND hwnd, int x, int y);
void Click(HWND hwnd, int x, int y, DWORD down = MOUSEEVENTF_LEFTDOWN,
           DWORD up = MOUSEEVENTF_LEFTUP);
void TapKey(BYTE key);
// The same on the middle of a toolbar button its panel draws.
void MoveMouse(const winui::SpeedButton& button);
void Click(const winui::SpeedButton& button);
POINT ScreenMiddle(const winui::SpeedButton& button);

// A window rectangle relative to its parent's client area.
RECT RectInParent(HWND hwnd);

}  // namespace testing_support
