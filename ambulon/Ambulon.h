#pragma once

#include "ambulon/Functions.h"
#include "runtime/Collection.h"
#include "runtime/Observer.h"

#include <cstdint>

namespace ambulon {

// The steps of Transform_Collection, told by the transform itself to its readers as it takes them,
// between the runtime's own events (the Item, Exec, Add and Remove calls of each element). A
// transform is told to the readers attached when it begins, as long as they stay attached. Every hook
// does nothing unless a reader overrides it, and none may throw.
class TransformObserver : public runtime::ObserverSlot<TransformObserver> {
public:
    // The transform of collection by function has begun.
    virtual void transformBegun(runtime::Collection const& collection, IUnaryFunc const& function) noexcept {
        (void)collection, (void)function;
    }
    // Element k of count is about to be taken from the front, passed to the function, its result
    // appended and the front removed.
    virtual void elementBegun(std::int32_t k, std::int32_t count) noexcept { (void)k, (void)count; }
    // The transform has run to its end (not told when an error ends it).
    virtual void transformEnded() noexcept {}

protected:
    ~TransformObserver() = default;
};

namespace Ambulon {

// dst refers to the same object when src holds one, and is an independent copy of src otherwise;
// what dst held before is released.
void Assign_Variant(runtime::Variant& dst, runtime::Variant const& src);

// Replaces every element by f's result for it, first to last, keeping the order and dropping keys:
// each of the Count elements present at the start is taken from the front, passed to f and its
// result appended at the back. When f fails on the k-th element the collection holds
// xk..xn followed by f(x1)..f(x(k-1)).
void Transform_Collection(runtime::Collection& col, IUnaryFunc& f);

} // namespace Ambulon

} // namespace ambulon
