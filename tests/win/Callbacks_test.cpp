// Memory running out inside a callback that the system calls: the failure
// must come back out on this side of the system call, never through its
// frames, and leave nothing half done.
#include <gtest/gtest.h>

#include <new>

#include "FailingAllocation.h"
#include "ImportPatch.h"
#include "MainFormFixture.h"
#include "ModalScope.h"

using namespace testing_support;

namespace {

int WINAPI FailingEnumFonts(HDC dc, LPCSTR face, FONTENUMPROCA callback, LPARAM data) {
  FailNextAllocation();
  return ImportPatch::Original<decltype(&EnumFontsA)>("EnumFontsA")(dc, face, callback, data);
}

BOOL WINAPI FailingEnumThreadWindows(DWORD thread, WNDENUMPROC callback, LPARAM data) {
  FailNextAllocation();
  return ImportPatch::Original<decltype(&EnumThreadWindows)>("EnumThreadWindows")(thread, callback,
                                                                                  data);
}

}  // namespace

TEST_F(MainFormTest, FillingTheFontListRaisesAMemoryFailureAfterTheEnumeration) {
  {
    const ImportPatch failing("GDI32.dll", "EnumFontsA", reinterpret_cast<void*>(FailingEnumFonts));
    EXPECT_THROW(form->FillFontNames(), std::bad_alloc);
  }
  EXPECT_FALSE(AllocationFailurePending());
}

TEST_F(MainFormTest, AModalScopeThatCannotStartLeavesEveryWindowEnabled) {
  {
    const ImportPatch failing("USER32.dll", "EnumThreadWindows",
                              reinterpret_cast<void*>(FailingEnumThreadWindows));
    EXPECT_THROW(winui::ModalScope scope, std::bad_alloc);
  }
  EXPECT_TRUE(IsWindowEnabled(form->Handle()));
}
