#pragma once

#include "runtime/Collection.h"
#include "sortlib/ICompare.h"

namespace sortlib::Sort {

// Reorders the collection in place so that, for every pair of positions i < k, comparing the
// element at k (lhs) with the element at i (rhs) answers false. It makes exactly n(n-1)/2 calls of
// Compare and moves elements only with Item, Add before a position and Remove.
//
// Errors from the comparator or the collection reach the caller unchanged. Compare is called only
// between exchanges; within one, Item and Remove of a position in range cannot fail, and an Add that
// fails (out of memory, or a full collection) changes nothing. So after an error the collection
// holds every element, in the order that the finished exchanges gave it, with one exception: when
// the second Add of an exchange of positions i and j > i + 1 fails, the element that stood at j is
// there twice, that order with a copy of it added before position i. It then stands at i and at
// j + 1, the element from i at i + 1, those from i + 1 to j - 1 one position later, and Count is one
// higher. No element is lost in either case.
void Sort_Collection(runtime::Collection& col, ICompare& cmp);

} // namespace sortlib::Sort
