// The modal helpers themselves: a run that its windows do not let end is
// cut off, whatever those windows do.
#include <gtest/gtest.h>

#include "ModalScript.h"

using namespace testing_support;

// A thread that dispatches nothing, as in a dialog stuck in its own work:
// the script's timer never fires, and the program ends with the test's name.
TEST(ModalScriptDeathTest, ARunItsThreadNeverEndsEndsTheProgramNamingTheTest) {
  EXPECT_EXIT(
      {
        ModalScript script;
        script.On([] { return CommonDialog("Save As"); }, [](HWND) {});
        script.Run([] { Sleep(30000); }, 200);
      },
      testing::ExitedWithCode(3), "ModalScriptDeathTest.ARunItsThreadNeverEnds.* does not answer");
}
