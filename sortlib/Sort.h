#pragma once

#include "runtime/Collection.h"
#include "sortlib/ICompare.h"

namespace sortlib::Sort {

// Reorders the collection in place so that, for every pair of positions i < k, comparing the
// element at k (lhs) with the element at i (rhs) answers false. It makes exactly n(n-1)/2 calls of
// Compare and moves elements only with Item, Add before a position and Remove. Errors from the
// comparator or the collection reach the caller with every element still in the collection.
void Sort_Collection(runtime::Collection& col, ICompare& cmp);

} // namespace sortlib::Sort
