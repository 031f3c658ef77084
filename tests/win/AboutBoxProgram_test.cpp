// The real editor, started as a program, with its about box opened from the
// keyboard: a quit posted while the glyph pulses ends the program.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "AboutBoxFixture.h"
#include "ProcessWindows.h"

using namespace about_test;

namespace {

void Tap(BYTE key) {
  testing_support::PressKey(key);
  Sleep(30);
  testing_support::ReleaseKey(key);
  Sleep(100);
}

}  // namespace

class EditorWithAboutBox : public testing::Test {
 protected:
  void SetUp() override {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string command = "\"" + testing_support::ProgramFolder() + "Dabiro.exe\"";
    ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &program));
    HWND main = nullptr;
    ASSERT_TRUE(
        WaitFor([&] { return (main = WindowOfClass(program.dwProcessId, "TMainForm")) != nullptr; },
                20000));
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(WaitFor(
        [&] { return GetGUIThreadInfo(program.dwThreadId, &info) && info.hwndActive == main; },
        5000));
    testing_support::PressKey(VK_MENU);
    Tap('H');
    testing_support::ReleaseKey(VK_MENU);
    Tap('A');
    ASSERT_TRUE(WaitFor(
        [&] {
          box = WindowOfClass(program.dwProcessId, "TAboutBox");
          RECT rc;
          return box && GetWindowRect(box, &rc) && rc.top == FinalTop(rc.bottom - rc.top);
        },
        10000))
        << "the about box has slid in";
    Sleep(300);
  }

  void TearDown() override {
    if (WaitForSingleObject(program.hProcess, 0) == WAIT_TIMEOUT) {
      TerminateProcess(program.hProcess, 1);
      WaitForSingleObject(program.hProcess, 5000);
    }
    CloseHandle(program.hThread);
    CloseHandle(program.hProcess);
  }

  PROCESS_INFORMATION program{};
  HWND box = nullptr;
};

TEST_F(EditorWithAboutBox, AQuitPostedWhileTheGlyphPulsesEndsTheProgramWithinASecond) {
  const DWORD posted = GetTickCount();
  ASSERT_TRUE(PostThreadMessageA(program.dwThreadId, WM_QUIT, 0, 0));
  ASSERT_EQ(WaitForSingleObject(program.hProcess, 5000), WAIT_OBJECT_0);
  const DWORD took = GetTickCount() - posted;
  printf("the editor ended %lu ms after the quit\n", static_cast<unsigned long>(took));
  EXPECT_LE(took, 1000u);
  DWORD exitCode = 1;
  GetExitCodeProcess(program.hProcess, &exitCode);
  EXPECT_EQ(exitCode, 0u);
}
