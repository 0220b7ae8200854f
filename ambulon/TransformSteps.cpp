#include "ambulon/TransformSteps.h"

#include "runtime/Collection.h"
#include "runtime/Text.h"

namespace ambulon {

using form::fill;
using form::StepKind;
using runtime::decimalText;

namespace {

// clang-format off
constexpr std::u16string_view kLines[] = {
    u"n = Count（はじめの要素の数）",
    u"k = 1 から n まで、くり返す",
    u"  x = Item(1): 先頭の要素を読む",
    u"  r = f.Exec(x): 関数を呼ぶ",
    u"  Add r: 結果を末尾に加える",
    u"  Remove 1: 先頭を取り除く",
};
// clang-format on

enum Line { kCountLine = 1, kFetchLine = 3, kExecLine = 4, kAppendLine = 5, kRemoveLine = 6 };

std::u16string numberText(runtime::Variant const& element) { return element.toText(); }

} // namespace

std::span<std::u16string_view const> const kTransformProcedure{kLines};

TransformSteps::TransformSteps() : StepRecorder(numberText) {}

void TransformSteps::attachTo(runtime::Attachment& attachment) {
    StepRecorder::attachTo(attachment);
    attachment.add<TransformObserver>(*this);
}

void TransformSteps::transformBegun(runtime::Collection const& collection, IUnaryFunc const& function) noexcept {
    recordOrStop([&] {
        follow(collection);
        m_function = classOf(function);
        recording().chosen = m_function;
        recording().elementCount = count();
        addStep(StepKind::Start, kCountLine,
                fill(u"%1 個の要素に %2 を先頭から順に適用します。先頭を読んで結果を末尾に加え、先頭を Remove "
                     u"するので、"
                     u"コレクションは回るように入れ替わります。",
                     {decimalText(count()), m_function}));
    });
}

void TransformSteps::elementBegun(std::int32_t k, std::int32_t count) noexcept {
    (void)count;
    m_element = k;
    m_lineInProgress = kFetchLine;
}

void TransformSteps::onItemRead(std::int32_t position) {
    form::Step& step = addStep(StepKind::Read, kFetchLine,
                               fill(u"要素 %1: Item(1) で先頭の %2 を読みます。",
                                    {decimalText(m_element), textOf(order()[position - 1])}));
    step.position = position;
    m_lineInProgress = kExecLine;
}

void TransformSteps::onCall(std::vector<form::CallLine> lines, runtime::Variant const* result) {
    m_result = result->toText();
    std::u16string sentence = fill(u"%1 の Exec が %2 を返しました。", {m_function, m_result});
    // What the call read in turn, a running count above all, is part of the answer.
    for (form::CallLine const& line : lines) {
        if (line.memberRead)
            sentence += fill(u"途中で %1 を読みました。", {line.text});
    }
    form::Step& step = addStep(StepKind::Call, kExecLine, std::move(sentence));
    step.calls = std::move(lines);
    m_lineInProgress = kAppendLine;
}

std::uint16_t TransformSteps::addedElement() {
    auto const element = static_cast<std::uint16_t>(recording().elements.size());
    recording().elements.push_back({m_result, {}});
    return element;
}

void TransformSteps::onAdded(std::int32_t position) {
    form::Step& step = addStep(StepKind::Insert, kAppendLine,
                               fill(u"結果 %1 を末尾の位置 %2 に Add します。Count は %2 です。",
                                    {m_result, decimalText(position)}));
    step.position = position;
    m_lineInProgress = kRemoveLine;
}

void TransformSteps::onRemoved(std::int32_t position, std::uint16_t element) {
    form::Step& step =
        addStep(StepKind::Remove, kRemoveLine,
                fill(u"先頭の %1 を Remove します。残りが 1 つずつ前に詰まり、Count は %2 です。",
                     {textOf(element), decimalText(count())}));
    step.position = position;
    step.removed = element;
}

void TransformSteps::transformEnded() noexcept {
    recordOrStop([&] {
        addStep(StepKind::End, 0,
                fill(u"%1 個の要素をすべて %2 の結果に置き換えました。", {decimalText(m_element), m_function}));
    });
}

} // namespace ambulon
