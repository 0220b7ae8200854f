#pragma once

#include "ambulon/Ambulon.h"
#include "form/StepRecorder.h"

#include <span>
#include <string_view>

namespace ambulon {

// The procedure of Transform_Collection as the step window shows it, one numbered line each.
extern std::span<std::u16string_view const> const kTransformProcedure;

// Records a transform step by step: for each element, the fetch from the front, the function's
// call (with what it called and read in turn, a running count's value included), the append of the
// result at the back and the removal of the front, with the rotating collection as it stands.
class TransformSteps final : public form::StepRecorder, public TransformObserver {
public:
    TransformSteps();

    void attachTo(runtime::Attachment& attachment) override;

    void transformBegun(runtime::Collection const& collection, IUnaryFunc const& function) noexcept override;
    void elementBegun(std::int32_t k, std::int32_t count) noexcept override;
    void transformEnded() noexcept override;

private:
    void onItemRead(std::int32_t position) override;
    void onAdded(std::int32_t position) override;
    void onRemoved(std::int32_t position, std::uint16_t element) override;
    void onCall(std::vector<form::CallLine> lines, runtime::Variant const* result) override;
    std::uint16_t addedElement() override;

    std::u16string m_function;
    std::u16string m_result;
};

} // namespace ambulon
