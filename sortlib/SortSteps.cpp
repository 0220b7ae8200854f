#include "sortlib/SortSteps.h"

#include "runtime/Collection.h"
#include "runtime/Text.h"

namespace sortlib {

using form::fill;
using form::StepKind;
using runtime::decimalText;

namespace {

// clang-format off
constexpr std::u16string_view kLines[] = {
    u"i = 1 から Count − 1 まで、パスをくり返す",
    u"  j = Count から i + 1 まで、1 ずつ下がる",
    u"    Compare(Item(j), Item(i)) を呼ぶ",
    u"    True なら位置 i と位置 j を交換する",
    u"      v = Item(j) を位置 i の前に Add",
    u"      離れていれば w = Item(i + 1) を位置 j + 1 の前に Add",
    u"      重複した位置を Remove",
};
// clang-format on

enum Line {
    kPassLine = 1,
    kCompareLine = 3,
    kExchangeLine = 4,
    kFirstAddLine = 5,
    kSecondAddLine = 6,
    kRemoveLine = 7
};

} // namespace

std::span<std::u16string_view const> const kSortProcedure{kLines};

SortSteps::SortSteps(ElementText elementText, AnswerWording wording)
    : StepRecorder(std::move(elementText)), m_wording(wording) {}

void SortSteps::attachTo(runtime::Attachment& attachment) {
    StepRecorder::attachTo(attachment);
    attachment.add<SortObserver>(*this);
}

void SortSteps::sortBegun(runtime::Collection const& collection, ICompare const& comparator) noexcept {
    recordOrStop([&] { beginSort(collection, comparator); });
}

void SortSteps::beginSort(runtime::Collection const& collection, ICompare const& comparator) {
    follow(collection);
    m_comparator = classOf(comparator);
    recording().chosen = m_comparator;
    recording().comparisons = 0;
    addStep(
        StepKind::Start, 0,
        fill(u"%1 個の要素を %2 で並べ替えます。パスごとに、位置 i に来る要素を後ろから順に比べて探します。",
             {decimalText(count()), m_comparator}));
}

void SortSteps::passBegun(std::int32_t i, std::int32_t last) noexcept {
    m_pass = i;
    recording().passes = last;
    recordOrStop([&] {
        addStep(StepKind::Pass, kPassLine,
                fill(u"パス %1: 位置 %1 に来る要素を決めます。j は %2 から %3 まで下がります。",
                     {decimalText(i), decimalText(count()), decimalText(i + 1)}));
    });
}

void SortSteps::comparing(std::int32_t lhs, std::int32_t rhs) noexcept {
    m_lhs = lhs;
    m_rhs = rhs;
    m_lineInProgress = kCompareLine;
    recordOrStop([&] { nameElementsAt(lhs, rhs); });
}

void SortSteps::onCall(std::vector<form::CallLine> lines, runtime::Variant const* result) {
    if (m_exchanging)
        return;
    ++m_comparison;
    recording().comparisons = m_comparison;
    bool const answer = result->isTrue();
    std::u16string const lhsKey = keyAt(m_lhs);
    std::u16string const rhsKey = keyAt(m_rhs);
    std::u16string sentence =
        fill(u"位置 %1 の lhs と位置 %2 の rhs を比べます。", {decimalText(m_lhs), decimalText(m_rhs)});
    sentence += fill(answer ? m_wording.whenTrue : m_wording.whenFalse, {lhsKey, rhsKey});
    sentence +=
        answer ? fill(u" です。位置 %1 と位置 %2 を交換します。", {decimalText(m_rhs), decimalText(m_lhs)})
               : std::u16string(u" です。何も動かしません。");
    form::Step& step = addStep(StepKind::Compare, kCompareLine, std::move(sentence));
    step.lhs = m_lhs;
    step.rhs = m_rhs;
    step.calls = std::move(lines);
}

void SortSteps::exchangeBegun(std::int32_t i, std::int32_t j) noexcept {
    (void)i, (void)j;
    m_exchanging = true;
    m_reads = 0;
    m_adds = 0;
    m_lineInProgress = kFirstAddLine;
}

void SortSteps::onItemRead(std::int32_t position) {
    if (!m_exchanging)
        return;
    ++m_reads;
    form::Step& step = addStep(StepKind::Read, m_reads == 1 ? kFirstAddLine : kSecondAddLine,
                               fill(m_reads == 1 ? u"v = Item(%1): 位置 %1 の要素を読みます。"
                                                 : u"w = Item(%1): もとは位置 %2 にあった要素を読みます。",
                                    {decimalText(position), decimalText(m_rhs)}));
    step.position = position;
    step.partOfExchange = true;
}

void SortSteps::onAdded(std::int32_t position) {
    ++m_adds;
    // The element now stands twice: where it was added and where it still is.
    std::int32_t twin = 0;
    for (std::int32_t other = 1; other <= count(); ++other) {
        if (other != position && order()[other - 1] == order()[position - 1])
            twin = other;
    }
    form::Step& step = addStep(
        StepKind::Insert, m_adds == 1 ? kFirstAddLine : kSecondAddLine,
        fill(u"%1 を位置 %2 の前に Add: 同じ要素が位置 %2 と位置 %3 の 2 か所にあり、Count は %4 です。",
             {m_adds == 1 ? u"v" : u"w", decimalText(position), decimalText(twin), decimalText(count())}));
    step.position = position;
    step.partOfExchange = true;
    m_lineInProgress = m_adds == 1 ? kSecondAddLine : kRemoveLine;
}

void SortSteps::onRemoved(std::int32_t position, std::uint16_t element) {
    // The last position has nothing behind it to move up.
    bool const last = position > count();
    form::Step& step =
        addStep(StepKind::Remove, kRemoveLine,
                fill(last ? u"位置 %1 を Remove: 末尾の重複が消えます。Count は %2 です。"
                          : u"位置 %1 を Remove: 重複の一方が消え、後ろの要素が 1 つずつ前に詰まります。"
                            u"Count は %2 です。",
                     {decimalText(position), decimalText(count())}));
    step.position = position;
    step.removed = element;
    step.partOfExchange = true;
}

void SortSteps::exchangeEnded(std::int32_t i, std::int32_t j) noexcept {
    m_exchanging = false;
    ++m_exchanges;
    recordOrStop([&] { endExchange(i, j); });
}

void SortSteps::endExchange(std::int32_t i, std::int32_t j) {
    recording().steps.back().exchanges = m_exchanges;
    form::Step& step = addStep(
        StepKind::Exchange, kExchangeLine,
        fill(j == i + 1 ? u"位置 %1 と位置 %2 を交換しました（隣どうしなので Item・Add・Remove の 3 手順）。"
                        : u"位置 %1 と位置 %2 を交換しました（離れているので "
                          u"Item・Add・Item・Add・Remove・Remove の 6 手順）。",
             {decimalText(i), decimalText(j)}));
    step.rhs = i;
    step.lhs = j;
    step.wholeExchange = true;
}

void SortSteps::sortEnded() noexcept {
    recordOrStop([&] {
        addStep(StepKind::End, 0,
                fill(u"並べ替えが終わりました。Compare を %1 回呼び、%2 回交換しました。",
                     {decimalText(m_comparison), decimalText(m_exchanges)}));
    });
}

} // namespace sortlib
