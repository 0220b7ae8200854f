#pragma once

#include "form/StepRecorder.h"
#include "sortlib/Sort.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace sortlib {

// The procedure of Sort_Collection as the step window shows it, one numbered line each.
extern std::span<std::u16string_view const> const kSortProcedure;

// How a comparator's answer reads in a sentence; %1 and %2 stand for what it compared of lhs and
// rhs (the members it read, or the elements themselves).
struct AnswerWording {
    std::u16string_view whenTrue;  // "%1 は %2 より小さいので True"
    std::u16string_view whenFalse; // "%1 は %2 より小さくないので False"
    std::u16string_view whenEqual; // False of two equal values: "%1 と %2 は等しく、小さくないので False"
};

// The lines of the procedure (Step::line, from 1), the kinds of step of a sort (Step::kind), its
// marks (Row::mark) and the stops it can jump between (the bits of Step::stops).
enum class SortLine : std::uint8_t { None, Pass, Compare, Exchange, FirstAdd, SecondAdd, Remove };
enum class SortStep : std::uint8_t { Start, Pass, Compare, Read, Add, Remove, Exchange, End, Error };
enum class SortMark : std::uint8_t { None, Lhs, Rhs, Read, Added, Echo, Removed, Exchanged };
enum class SortJump : std::uint8_t { Exchange, Pass, Compare };
// What a sort explains (Recording::explanations), each at its first occurrence.
enum class SortExplanation : std::uint8_t { Exchange, ByName, EqualKept };

// Records a sort step by step: each pass, each comparison with the comparator's call and its answer
// in one sentence, and each exchange both as its single Item, Add and Remove operations and as one
// step, so that it can be folded. Each step shows the counters (pass, comparison, exchanges, Count)
// and the procedure's variables i, j, v and w. Each comparison asks a learner what Compare answers,
// and the first Add of each exchange where the element's other place will be. Two sorts side by side
// move together by comparison. At the end, the recording counts the comparisons, exchanges, Items,
// Adds and Removes; elements whose compared values are equal share a tie group, and where a group
// came out in another order than it went in, a note says why. Three explanations are each given once,
// at the first step where they apply: why an exchange is made of Item, Add and Remove (its first
// operation, and folded its whole step), why a comparator that reads a member by name compares any
// class (the first comparison that read one), and why equal values stay in reverse (the first False
// of two equal values whose rhs stood behind lhs in the first order).
class SortSteps final : public SortObserver, public runtime::Reader, private form::StepRecorder::Owner {
public:
    SortSteps(form::StepRecorder::ElementText elementText, AnswerWording wording);

    // Runs the sort's run (a click, on its data) and returns its steps.
    form::Recording record(std::function<void()> const& run) { return m_recorder.record(run); }

    // What the error step explains when a comparison failed reading one of the two elements: given
    // that element, named as the trace names it ("Teacher#20"), an explanation or none. For a
    // comparator that reads a member of lhs, then of rhs: the element is the first it read nothing of.
    using FailureExplanation = std::function<std::optional<form::Explanation>(std::u16string_view element)>;
    void explainFailures(FailureExplanation explain) { m_explainFailure = std::move(explain); }

    // Attaches the recorder to the runtime's events and this to the sort's.
    void attachTo(runtime::Attachment& attachment) override;

    void sortBegun(runtime::Collection const& collection, ICompare const& comparator) noexcept override;
    void passBegun(std::int32_t i, std::int32_t last) noexcept override;
    void comparing(std::int32_t lhs, std::int32_t rhs) noexcept override;
    void exchangeBegun(std::int32_t i, std::int32_t j) noexcept override;
    void exchangeEnded(std::int32_t i, std::int32_t j) noexcept override;
    void sortEnded() noexcept override;

private:
    void beginSort(runtime::Collection const& collection, ICompare const& comparator);
    void beginPass(std::int32_t i, std::int32_t last);
    void beginComparison(std::int32_t lhs, std::int32_t rhs);
    void beginExchange(std::int32_t i, std::int32_t j);
    void endExchange(std::int32_t i, std::int32_t j);
    void endSort();
    // What the recording says of the whole run: its totals and tie groups, and, of a run that ended,
    // the note on equal values that came out in another order.
    void finish(bool ended);
    std::u16string tieNote() const;

    using Line = SortLine;
    enum class Variable : std::uint8_t { I, J, V, W };

    void itemRead(std::int32_t position) override;
    std::uint16_t addedElement() override;
    void added(std::int32_t position) override;
    void removed(std::int32_t position, std::uint16_t element) override;
    void called(form::RecordedCall call, runtime::Variant const& result) override;
    void failed(form::RecordedCall call, std::u16string error) override;

    // A step of this kind at this line, with the collection as it stands (unmarked), the counters so
    // far and the variables.
    form::Step step(SortStep kind, Line line, std::u16string sentence);
    // Gives step the explanation, with texts in place of its %1, %2, ..., unless the run has given it
    // before.
    void explainFirst(form::Step& step, SortExplanation explanation,
                      std::initializer_list<std::u16string_view> texts = {});
    // The explanations that apply to a comparison, given where they apply first.
    void explainComparison(form::Step& compare, form::RecordedCall const& call, bool answer, bool equal);
    // What the program explains of a comparison that failed reading an element (explainFailures).
    void explainFailure(form::Step& failure, form::RecordedCall const& call);
    // One operation of the exchange under way, with its own call.
    void addOperation(form::Step step, std::u16string call);
    // What the comparison read of the element at position, or the element's text when it read nothing.
    std::u16string comparedValue(form::RecordedCall const& call, std::int32_t position) const;

    form::StepRecorder m_recorder;
    AnswerWording m_wording;
    form::Variables m_variables;
    Line m_line = Line::None; // the line of the operation under way
    std::int32_t m_pass = 0;
    std::int32_t m_passes = 0;
    std::int32_t m_comparison = 0;
    std::int32_t m_comparisons = 0;
    std::int32_t m_exchanges = 0;
    std::int32_t m_items = 0; // calls of Item, Add and Remove, for the totals
    std::int32_t m_addCalls = 0;
    std::int32_t m_removes = 0;
    std::int32_t m_lhs = 0;
    std::int32_t m_rhs = 0;
    // The exchange under way: its positions, its operations so far and the Removes still to come.
    bool m_exchanging = false;
    std::int32_t m_i = 0;
    std::int32_t m_j = 0;
    int m_reads = 0;
    int m_adds = 0;
    int m_removesLeft = 0;
    std::vector<form::CallLine> m_operations;
    std::array<int, 3> m_explained{-1, -1, -1}; // by SortExplanation: its index, once given
    FailureExplanation m_explainFailure;
};

} // namespace sortlib
