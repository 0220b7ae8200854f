#include "runtime/testing/FailingAllocator.h"

#include <dlfcn.h>
#include <execinfo.h>

#include <cstdlib>
#include <cstring>
#include <new>

namespace {

using runtime::testing::Exhaustion;

std::size_t g_count = 0;  // counted allocations while a failure is armed
std::size_t g_failAt = 0; // 0: no failure armed
Exhaustion g_exhaustion = Exhaustion::Once;
bool g_failed = false;

bool codeIn(void* address, char const* library) {
    Dl_info info{};
    return dladdr(address, &info) != 0 && info.dli_fname && std::strstr(info.dli_fname, library);
}

// True when the first caller outside the C++ runtime library, from operator new's own caller on,
// lies in one of Qt's libraries.
bool isQtAllocation(void* caller) {
    if (!codeIn(caller, "libstdc++"))
        return codeIn(caller, "libQt6");
    void* frames[16];
    int const depth = backtrace(frames, 16);
    int frame = 0;
    while (frame < depth && frames[frame] != caller)
        ++frame;
    for (; frame < depth; ++frame) {
        if (!codeIn(frames[frame], "libstdc++"))
            return codeIn(frames[frame], "libQt6");
    }
    return false;
}

bool shouldFail(void* caller) {
    if (g_failAt == 0 || isQtAllocation(caller))
        return false;
    if (++g_count < g_failAt)
        return false;
    if (g_exhaustion == Exhaustion::Once)
        g_failAt = 0;
    return true;
}

} // namespace

void* operator new(std::size_t size) {
    if (shouldFail(__builtin_return_address(0))) {
        g_failed = true;
        throw std::bad_alloc();
    }
    if (void* block = std::malloc(size == 0 ? 1 : size))
        return block;
    throw std::bad_alloc();
}
void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }

namespace runtime::testing {

AllocationFailure::AllocationFailure(std::size_t k, Exhaustion exhaustion) noexcept {
    // The first backtrace loads the unwinder; let that happen before anything is counted.
    void* frame = nullptr;
    backtrace(&frame, 1);
    g_count = 0;
    g_failed = false;
    g_exhaustion = exhaustion;
    g_failAt = k;
}

AllocationFailure::~AllocationFailure() { g_failAt = 0; }

bool AllocationFailure::happened() const noexcept { return g_failed; }

} // namespace runtime::testing
