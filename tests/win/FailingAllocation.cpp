#include "FailingAllocation.h"

#include <windows.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
// The thread whose next allocation fails, or 0.
std::atomic<DWORD> failingThread{0};
}  // namespace

namespace testing_support {

void FailNextAllocation() { failingThread = GetCurrentThreadId(); }

bool AllocationFailurePending() { return failingThread != 0; }

}  // namespace testing_support

void* operator new(std::size_t size) {
  DWORD thread = GetCurrentThreadId();
  if (failingThread == thread && failingThread.compare_exchange_strong(thread, 0))
    throw std::bad_alloc();
  if (void* block = std::malloc(size ? size : 1)) return block;
  throw std::bad_alloc();
}

void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
