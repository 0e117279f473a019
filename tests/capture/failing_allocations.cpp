// Replaces the global operator new of the test program (the program's sources are linked in,
// so their allocations come here too) with one that can be told to fail.
#include "failing_allocations.h"
#include <cstdlib>
#include <new>

namespace {
thread_local int t_allowed = -1;  // -1: no failures
thread_local int t_refused = 0;

void* Allocate(std::size_t size) {
    if (t_allowed == 0) {
        ++t_refused;
        throw std::bad_alloc();
    }
    if (t_allowed > 0) --t_allowed;
    void* block = std::malloc(size ? size : 1);
    if (!block) throw std::bad_alloc();
    return block;
}
}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }

namespace capturetest {

void FailAllocationsAfter(int allowed) {
    t_allowed = allowed;
    t_refused = 0;
}

void StopFailingAllocations() { t_allowed = -1; }

int RefusedAllocations() { return t_refused; }

}  // namespace capturetest
