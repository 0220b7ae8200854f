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

// The passes of Sort_Collection, telling the readers of each step when Announced; the sort without a
// reader is its own instance, with no test of one inside its loops.
template <bool Announced>
void sortCollection(runtime::Collection& col, ICompare& cmp, runtime::ObservedRun<SortObserver> const& readers) {
    if constexpr (Announced)
        readers.tell(&SortObserver::sortBegun, col, cmp);
    std::int32_t const last = checkedSubtract(col.Count(), 1);
    for (std::int32_t i = 1; i <= last; i = checkedAdd(i, 1)) {
        if constexpr (Announced)
            readers.tell(&SortObserver::passBegun, i, last);
        std::int32_t const stop = checkedAdd(i, 1);
        for (std::int32_t j = col.Count(); j >= stop; j = checkedSubtract(j, 1)) {
            if constexpr (Announced)
                readers.tell(&SortObserver::comparing, j, i);
            Variant x = col.Item(j);
            Variant y = col.Item(i);
            if (!cmp.Compare(std::move(x), std::move(y)))
                continue;
            if constexpr (Announced)
                readers.tell(&SortObserver::exchangeBegun, i, j);
            exchange(col, i, j);
            if constexpr (Announced)
                readers.tell(&SortObserver::exchangeEnded, i, j);
        }
    }
    if constexpr (Announced)
        readers.tell(&SortObserver::sortEnded);
}

} // namespace

void Sort_Collection(runtime::Collection& col, ICompare& cmp) {
    // A reader attached during the sort is told nothing of it, so without one at the start the sort
    // runs unannounced to its end.
    runtime::ObservedRun<SortObserver> const readers;
    if (readers)
        sortCollection<true>(col, cmp, readers);
    else
        sortCollection<false>(col, cmp, readers);
}

} // namespace sortlib::Sort
