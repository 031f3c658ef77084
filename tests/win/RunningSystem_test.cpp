// The program copy named ..._on_95 runs where Wine reports Windows 95: the
// file tests it runs take the way of 95, 98 and ME only if it sees that.
#include "RunningSystem.h"

#include <windows.h>
#include <gtest/gtest.h>

TEST(RunningSystem, IsTheOneThisTestProgramIsRunOn) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  const bool on95 = std::string(path).find("_on_95") != std::string::npos;
  EXPECT_EQ(winui::RunsOnWindows9x(), on95) << path;
  EXPECT_EQ(winui::RunsOnWindows2000OrLater(), !on95) << path;
}
