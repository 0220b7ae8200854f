#pragma once

#include "ambulon/Ambulon.h"
#include "form/StepRecorder.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string_view>

namespace ambulon {

// The procedure of Transform_Collection as the step window shows it, one numbered line each.
extern std::span<std::u16string_view const> const kTransformProcedure;

// The lines of the procedure (Step::line, from 1), the kinds of step of a transform (Step::kind),
// its marks (Row::mark) and the stops it can jump between (the bits of Step::stops).
enum class TransformLine : std::uint8_t { None, Count, Fetch, Exec, Append, Remove };
enum class TransformStep : std::uint8_t { Start, Read, Exec, Add, Remove, End, Error };
enum class TransformMark : std::uint8_t { None, Working, Result, Added, Removed };
enum class TransformJump : std::uint8_t { Element };

// Records a transform step by step: for each element, the fetch from the front, the function's call
// (with what it called and read in turn, a running count's value included), the append of the result
// at the back and the removal of the front. The rotating collection shows in two parts: the elements
// still waiting, the one being worked on marked, and the results already appended. Each step shows
// the counters (element, Count) and the procedure's variables n, k, x and r. Each Exec asks a learner
// for the number it returns, or, through a running count, for the count's value. Two transforms side
// by side move together by element; the recording counts the calls of Exec, Item, Add and Remove.
// The first Exec of a binder explains which argument the binder fixes.
class TransformSteps final : public TransformObserver,
                             public runtime::Reader,
                             private form::StepRecorder::Owner {
public:
    TransformSteps();

    // Runs the transform's run (a click, on its data) and returns its steps.
    form::Recording record(std::function<void()> const& run) { return m_recorder.record(run); }

    // Attaches the recorder to the runtime's events and this to the transform's.
    void attachTo(runtime::Attachment& attachment) override;

    void transformBegun(runtime::Collection const& collection, IUnaryFunc const& function) noexcept override;
    void elementBegun(std::int32_t k, std::int32_t count) noexcept override;
    void transformEnded() noexcept override;

private:
    void beginTransform(runtime::Collection const& collection, IUnaryFunc const& function);
    void beginElement(std::int32_t k, std::int32_t count);
    void endTransform();
    // The recording's totals: the calls of Exec, Item, Add and Remove.
    void countAll();

    using Line = TransformLine;
    enum class Variable : std::uint8_t { N, K, X, R };

    void itemRead(std::int32_t position) override;
    std::uint16_t addedElement() override;
    void added(std::int32_t position) override;
    void removed(std::int32_t position, std::uint16_t element) override;
    void called(form::RecordedCall call, runtime::Variant const& result) override;
    void failed(form::RecordedCall call, std::u16string error) override;

    // A step of this kind at this line, with the collection as it stands, the results set apart, the
    // counters so far and the variables.
    form::Step step(TransformStep kind, Line line, std::u16string sentence);
    // What a learner predicts before seeing an Exec: the running count's value where the call read
    // one, else the whole number it returned; none for another result.
    std::optional<form::Question> execQuestion(form::RecordedCall const& call,
                                               runtime::Variant const& result) const;

    form::StepRecorder m_recorder;
    form::Variables m_variables;
    Line m_line = Line::None; // the line of the operation under way
    std::int32_t m_element = 0;
    std::int32_t m_elements = 0;
    std::int32_t m_results = 0; // appended so far, at the back
    std::int32_t m_calls = 0;   // of Exec, Item and Remove, for the totals
    std::int32_t m_items = 0;
    std::int32_t m_removes = 0;
    runtime::Variant m_result; // of the latest call
    std::u16string m_resultText;
    std::u16string m_x; // the element being worked on, as calls name it
    // What the function's first Exec explains, when it is a binder; none once given.
    form::ExplanationDefinition const* m_binder = nullptr;
};

} // namespace ambulon
