#include "runtime/testing/FailingAllocator.h"

#include <dlfcn.h>

#include <cstdlib>
#include <cstring>
#include <new>

namespace {

std::size_t g_count = 0;  // counted allocations while a failure is armed
std::size_t g_failAt = 0; // 0: no failure armed
bool g_failed = false;

// True when the code at address lies in one of Qt's libraries.
bool isQtCode(void const* address) {
    Dl_info info{};
    return dladdr(address, &info) != 0 && info.dli_fname && std::strstr(info.dli_fname, "libQt6");
}

} // namespace

void* operator new(std::size_t size) {
    if (g_failAt != 0 && !isQtCode(__builtin_return_address(0)) && ++g_count == g_failAt) {
        g_failAt = 0;
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

AllocationFailure::AllocationFailure(std::size_t k) noexcept {
    g_count = 0;
    g_failed = false;
    g_failAt = k;
}

AllocationFailure::~AllocationFailure() { g_failAt = 0; }

bool AllocationFailure::happened() const noexcept { return g_failed; }

} // namespace runtime::testing
