#pragma once

#include <cstddef>

namespace runtime::testing {

// A test binary that links FailingAllocator.cpp replaces the global operator new with one that can
// make allocations of this project's code fail with std::bad_alloc.
//
// Whose allocation it is: the first caller of operator new outside the C++ runtime library decides,
// since new[], nothrow new and the standard library's strings all reach operator new through it. The
// allocation is Qt's when that caller's code lies in one of Qt's libraries, and this project's
// otherwise (the test binary and the project's libraries, standard containers instantiated there
// included). Qt's own allocations are neither counted nor failed: Qt is not written to survive a
// throwing allocation, and how it behaves under exhaustion is not what these tests examine.
enum class Exhaustion {
    Once,    // the k-th allocation fails, every other one succeeds
    Lasting, // the k-th allocation and every later one fail, as long as the failure is armed
};

// While an AllocationFailure lives, allocations fail from the k-th on, counted from its start.
class AllocationFailure {
public:
    explicit AllocationFailure(std::size_t k, Exhaustion exhaustion = Exhaustion::Once) noexcept;
    AllocationFailure(AllocationFailure const&) = delete;
    AllocationFailure& operator=(AllocationFailure const&) = delete;
    ~AllocationFailure();

    // True once an allocation has failed.
    bool happened() const noexcept;
};

} // namespace runtime::testing
