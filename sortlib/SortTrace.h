#pragma once

#include "form/CallTrace.h"
#include "sortlib/Sort.h"

namespace sortlib {

// The call trace of a click that sorts: the header names the comparator the sort was handed, each
// Compare shows the positions of its two elements ("Compare([8] 66916, [1] 1851) = True"), and each
// exchange is followed by its positions and the whole new order.
class SortTrace final : public form::CallTrace, public SortObserver {
public:
    explicit SortTrace(std::ostream& out) : CallTrace(out) {}

    void sortBegun(runtime::Collection const& collection, ICompare const& comparator) override;
    void comparing(std::int32_t lhs, std::int32_t rhs) override { setPositions(lhs, rhs); }
    void exchangeEnded(std::int32_t i, std::int32_t j) override;

private:
    runtime::ObserverScope<SortObserver> m_scope{this};
    runtime::Collection const* m_collection = nullptr;
};

} // namespace sortlib
