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

    void attachTo(runtime::Attachment& attachment) override {
        CallTrace::attachTo(attachment);
        attachment.add<TransformObserver>(*this);
    }

    void transformBegun(runtime::Collection const& collection, IUnaryFunc const& function) noexcept override {
        m_collection = &collection;
        writeOrLose([&] {
            writeHeader(function);
            writeElements("Start", collection);
        });
    }
    void transformEnded() noexcept override {
        writeOrLose([&] { writeElements("End", *m_collection); });
    }

private:
    runtime::Collection const* m_collection = nullptr;
};

} // namespace ambulon
