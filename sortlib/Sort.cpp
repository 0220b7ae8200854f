#include "sortlib/Sort.h"

#include "runtime/Checked.h"

namespace sortlib::Sort {

using runtime::checkedAdd;
using runtime::checkedSubtract;
using runtime::Missing;
using runtime::Variant;

namespace {

// Exchanges the elements at positions i and j (i < j) with the collection's own operations.
void exchange(runtime::Collection& col, std::int32_t i, std::int32_t j) {
    if (j == checkedAdd(i, 1)) {
        Variant const v = col.Item(j);
        col.Add(v, Missing{}, i);
        col.Remove(checkedAdd(i, 2));
        return;
    }
    Variant const v = col.Item(j);
    col.Add(v, Missing{}, i);
    Variant const w = col.Item(checkedAdd(i, 1));
    col.Add(w, Missing{}, checkedAdd(j, 1));
    col.Remove(checkedAdd(i, 1));
    col.Remove(checkedAdd(j, 1));
}

// The passes of Sort_Collection, telling observer of each step when Announced; the sort without an
// observer is its own instance, with no test of one inside its loops.
template <bool Announced>
void sortCollection(runtime::Collection& col, ICompare& cmp, SortObserver* observer) {
    if constexpr (Announced)
        observer->sortBegun(col, cmp);
    std::int32_t const last = checkedSubtract(col.Count(), 1);
    for (std::int32_t i = 1; i <= last; i = checkedAdd(i, 1)) {
        if constexpr (Announced)
            observer->passBegun(i, last);
        std::int32_t const stop = checkedAdd(i, 1);
        for (std::int32_t j = col.Count(); j >= stop; j = checkedSubtract(j, 1)) {
            if constexpr (Announced)
                observer->comparing(j, i);
            Variant x = col.Item(j);
            Variant y = col.Item(i);
            if (!cmp.Compare(std::move(x), std::move(y)))
                continue;
            if constexpr (Announced)
                observer->exchangeBegun(i, j);
            exchange(col, i, j);
            if constexpr (Announced)
                observer->exchangeEnded(i, j);
        }
    }
    if constexpr (Announced)
        observer->sortEnded();
}

} // namespace

void Sort_Collection(runtime::Collection& col, ICompare& cmp) {
    if (SortObserver* const observer = SortObserver::current())
        sortCollection<true>(col, cmp, observer);
    else
        sortCollection<false>(col, cmp, nullptr);
}

} // namespace sortlib::Sort
