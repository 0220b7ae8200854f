#pragma once

#include "runtime/Collection.h"
#include "runtime/Observer.h"
#include "sortlib/ICompare.h"

#include <cstdint>

namespace sortlib {

// The steps of Sort_Collection, told by the sort itself to its readers as it takes them, between the
// runtime's own events (the Item, Add and Remove calls and the Compare calls they frame). A sort is
// told to the readers attached when it begins, as long as they stay attached (runtime::ObservedRun).
// Every hook does nothing unless a reader overrides it, and none may throw: a reader that fails
// keeps its failure to report after the sort.
class SortObserver : public runtime::ObserverSlot<SortObserver> {
public:
    // The sort of collection under comparator has begun.
    virtual void sortBegun(runtime::Collection const& collection, ICompare const& comparator) noexcept {
        (void)collection, (void)comparator;
    }
    // Pass i of last (last = Count - 1) has begun: it puts the right element at position i.
    virtual void passBegun(std::int32_t i, std::int32_t last) noexcept { (void)i, (void)last; }
    // The next two Item calls fetch the elements at lhs (j) and rhs (i), and Compare is asked
    // about them in that order.
    virtual void comparing(std::int32_t lhs, std::int32_t rhs) noexcept { (void)lhs, (void)rhs; }
    // The elements at i and j (i < j) are about to be exchanged by Item, Add and Remove, and the
    // exchange has ended.
    virtual void exchangeBegun(std::int32_t i, std::int32_t j) noexcept { (void)i, (void)j; }
    virtual void exchangeEnded(std::int32_t i, std::int32_t j) noexcept { (void)i, (void)j; }
    // The sort has run to its end (not told when an error ends it).
    virtual void sortEnded() noexcept {}

protected:
    ~SortObserver() = default;
};

namespace Sort {

// Reorders the collection in place so that, for every pair of positions i < k, comparing the
// element at k (lhs) with the element at i (rhs) answers false. It makes exactly n(n-1)/2 calls of
// Compare and moves elements only with Item, Add before a position and Remove. An exchange adds the
// values again without their keys, so every element that an exchange moves loses its key; elements
// that never move keep theirs.
//
// Errors from the comparator or the collection reach the caller unchanged. Compare is called only
// between exchanges; within one, Item and Remove of a position in range cannot fail, and an Add that
// fails (out of memory, or a full collection) changes nothing. So after an error the collection
// holds every element, in the order that the finished exchanges gave it, with one exception: when
// the second Add of an exchange of positions i and j > i + 1 fails, the element that stood at j is
// there twice, that order with a copy of it added before position i. It then stands at i and at
// j + 1, the element from i at i + 1, those from i + 1 to j - 1 one position later, and Count is one
// higher. No element is lost in either case. A reader of the runtime's events can fail a Compare
// call before it runs, as the comparator itself could; no reader can fail anything else.
void Sort_Collection(runtime::Collection& col, ICompare& cmp);

} // namespace Sort

} // namespace sortlib
