#pragma once

#include "form/StepRecorder.h"
#include "sortlib/Sort.h"

#include <span>
#include <string_view>

namespace sortlib {

// The procedure of Sort_Collection as the step window shows it, one numbered line each.
extern std::span<std::u16string_view const> const kSortProcedure;

// How a comparator's answer reads in a sentence; %1 and %2 stand for what it compared of lhs and
// rhs (the members it read, or the elements themselves): "%1 は %2 より小さいので True".
struct AnswerWording {
    std::u16string_view whenTrue;
    std::u16string_view whenFalse;
};

// Records a sort step by step: each pass, each comparison with the comparator's call and its answer
// in one sentence, and each exchange both as its single Item, Add and Remove operations and as one
// step, so that the window can fold it.
class SortSteps final : public form::StepRecorder, public SortObserver {
public:
    SortSteps(ElementText elementText, AnswerWording wording);

    void attachTo(runtime::Attachment& attachment) override;

    void sortBegun(runtime::Collection const& collection, ICompare const& comparator) noexcept override;
    void passBegun(std::int32_t i, std::int32_t last) noexcept override;
    void comparing(std::int32_t lhs, std::int32_t rhs) noexcept override;
    void exchangeBegun(std::int32_t i, std::int32_t j) noexcept override;
    void exchangeEnded(std::int32_t i, std::int32_t j) noexcept override;
    void sortEnded() noexcept override;

private:
    void beginSort(runtime::Collection const& collection, ICompare const& comparator);
    void endExchange(std::int32_t i, std::int32_t j);
    void onItemRead(std::int32_t position) override;
    void onAdded(std::int32_t position) override;
    void onRemoved(std::int32_t position, std::uint16_t element) override;
    void onCall(std::vector<form::CallLine> lines, runtime::Variant const* result) override;

    AnswerWording m_wording;
    std::u16string m_comparator;
    std::int32_t m_lhs = 0;
    std::int32_t m_rhs = 0;
    bool m_exchanging = false;
    int m_reads = 0; // Item calls of the exchange under way
    int m_adds = 0;
};

} // namespace sortlib
