// Allocations through operator new that fail on purpose, on the test's own thread only, so
// that the program's handling of exhausted memory can be reached.
#pragma once

namespace capturetest {

// From now on the first `allowed` allocations of this thread succeed and every later one
// throws std::bad_alloc, until StopFailingAllocations.
void FailAllocationsAfter(int allowed);
void StopFailingAllocations();
// How many allocations of this thread were refused since the last FailAllocationsAfter.
int RefusedAllocations();

}  // namespace capturetest
