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

ImportPatch* patch = nullptr;

int WINAPI FailingEnumFonts(HDC dc, LPCSTR face, FONTENUMPROCA callback, LPARAM data) {
  FailNextAllocation();
  return patch->Original<decltype(&EnumFontsA)>()(dc, face, callback, data);
}

BOOL WINAPI FailingEnumThreadWindows(DWORD thread, WNDENUMPROC callback, LPARAM data) {
  FailNextAllocation();
  return patch->Original<decltype(&EnumThreadWindows)>()(thread, callback, data);
}

template <typename Body>
void WithPatch(const char* dll, const char* function, void* replacement, Body body) {
  ImportPatch own(dll, function, replacement);
  patch = &own;
  body();
  patch = nullptr;
}

}  // namespace

TEST_F(MainFormTest, FillingTheFontListRaisesAMemoryFailureAfterTheEnumeration) {
  WithPatch("GDI32.dll", "EnumFontsA", reinterpret_cast<void*>(FailingEnumFonts),
            [&] { EXPECT_THROW(form->FillFontNames(), std::bad_alloc); });
  EXPECT_FALSE(AllocationFailurePending());
}

TEST_F(MainFormTest, AModalScopeThatCannotStartLeavesEveryWindowEnabled) {
  WithPatch("USER32.dll", "EnumThreadWindows", reinterpret_cast<void*>(FailingEnumThreadWindows),
            [&] { EXPECT_THROW(winui::ModalScope scope, std::bad_alloc); });
  EXPECT_TRUE(IsWindowEnabled(form->Handle()));
}
