#pragma once

#include "runtime/Object.h"
#include "runtime/Observer.h"
#include "runtime/Variant.h"

namespace sortlib {

// The comparator interface. Callers use Compare; a comparator class implements it by overriding
// ICompare_Compare. The interface's own answer is false.
class ICompare : public runtime::Object {
public:
    // True when lhs must stand before rhs. Both arguments are the callee's own copies. The call is
    // told to the observer in place.
    bool Compare(runtime::Variant lhs, runtime::Variant rhs) {
        if (runtime::Observer::attached()) [[unlikely]]
            return observedCompare(lhs, rhs);
        return ICompare_Compare(std::move(lhs), std::move(rhs));
    }

protected:
    virtual bool ICompare_Compare(runtime::Variant lhs, runtime::Variant rhs) {
        (void)lhs;
        (void)rhs;
        return false;
    }

private:
    // Compare as the observer is told of it, out of line, so that the path without one stays as
    // small as a plain call.
    [[gnu::noinline]] bool observedCompare(runtime::Variant& lhs, runtime::Variant& rhs) {
        runtime::ObservedCall call(*this, "Compare", {lhs, rhs});
        return call.returned(ICompare_Compare(std::move(lhs), std::move(rhs)));
    }
};

} // namespace sortlib
