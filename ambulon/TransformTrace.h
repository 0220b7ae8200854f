#pragma once

#include "ambulon/Ambulon.h"
#include "form/CallTrace.h"

namespace ambulon {

// The call trace of a click that transforms: the header names the function the transform was
// handed, a Start line lists the elements before it, then its calls as the call trace writes them,
// and an End line lists the results.
class TransformTrace final : public form::CallTrace, public TransformObserver {
public:
    explicit TransformTrace(std::ostream& out) : CallTrace(out) {}

    void transformBegun(runtime::Collection const& collection, IUnaryFunc const& function) override {
        m_collection = &collection;
        writeHeader(function);
        writeElements("Start", collection);
    }
    void transformEnded() override { writeElements("End", *m_collection); }

private:
    runtime::ObserverScope<TransformObserver> m_scope{this};
    runtime::Collection const* m_collection = nullptr;
};

} // namespace ambulon
