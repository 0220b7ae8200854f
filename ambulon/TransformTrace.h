#pragma once

#include "ambulon/Ambulon.h"
#include "form/CallTrace.h"

namespace ambulon {

// The call trace of a click that transforms: the header names the function the transform was
// handed, then its calls as the call trace writes them.
class TransformTrace final : public form::CallTrace, public TransformObserver {
public:
    explicit TransformTrace(std::ostream& out) : CallTrace(out) {}

    void transformBegun(runtime::Collection const& collection, IUnaryFunc const& function) override {
        (void)collection;
        writeHeader(function);
    }

private:
    runtime::ObserverScope<TransformObserver> m_scope{this};
};

} // namespace ambulon
