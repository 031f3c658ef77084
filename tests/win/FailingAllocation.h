#pragma once

// The test program's own operator new, which can be told to fail: the next
// allocation of this thread throws std::bad_alloc, as when memory runs out.
namespace testing_support {

void FailNextAllocation();
bool AllocationFailurePending();

}  // namespace testing_support
