#pragma once

#include "ambulon/Functions.h"
#include "runtime/Collection.h"

namespace ambulon::Ambulon {

// dst refers to the same object when src holds one, and is an independent copy of src otherwise;
// what dst held before is released.
void Assign_Variant(runtime::Variant& dst, runtime::Variant const& src);

// Replaces every element by f's result for it, first to last, keeping the order and dropping keys:
// each of the Count elements present at the start is taken from the front, passed to f and its
// result appended at the back. When f fails on the k-th element the collection holds
// xk..xn followed by f(x1)..f(x(k-1)).
void Transform_Collection(runtime::Collection& col, IUnaryFunc& f);

} // namespace ambulon::Ambulon
