#pragma once

#include <cstddef>

namespace runtime::testing {

// A test binary that links FailingAllocator.cpp replaces the global operator new with one that
// can make one allocation of this project's code fail with std::bad_alloc.
// Allocations that the Qt libraries make themselves are neither counted nor failed: Qt is not
// written to survive a throwing allocation, and its own behaviour under memory exhaustion is not
// what these tests examine.
//
// While an AllocationFailure lives, the k-th allocation from its start fails; every other one
// succeeds.
class AllocationFailure {
public:
    explicit AllocationFailure(std::size_t k) noexcept;
    AllocationFailure(AllocationFailure const&) = delete;
    AllocationFailure& operator=(AllocationFailure const&) = delete;
    ~AllocationFailure();

    // True once the chosen allocation has failed.
    bool happened() const noexcept;
};

} // namespace runtime::testing
