#include "ambulon/Form1.h"

#include "ambulon/DataSets.h"

#include "ambulon/Ambulon.h"
#include "ambulon/Binders.h"
#include "ambulon/ConstantFunctions.h"
#include "ambulon/TransformSteps.h"
#include "form/Numbers.h"
#include "form/Table.h"
#include "runtime/Collection.h"

#include <array>
#include <functional>
#include <vector>

namespace ambulon {

using form::ControlKind;
using form::kNoIndex;
using runtime::make;
using runtime::Ref;
using runtime::Variant;

namespace {

// clang-format off
constexpr form::ControlLayout kControls[] = {
    // kind                      name        Index     caption              left  top   width height tab  accessible name / description
    {ControlKind::ListBox,       "List1",    kNoIndex, u"",                 120,  120,  1455, 3480,  0, u"入力",         u"関数を適用する前の9つの整数"},
    {ControlKind::CommandButton, "Command1", 0,        u"x^2",              3120, 120,  1215, 495,   1, u"xの2乗",       u"各整数を2乗します"},
    {ControlKind::CommandButton, "Command1", 1,        u"x-10",             3120, 600,  1215, 615,   2, u"x引く10",      u"各整数から10を引きます"},
    {ControlKind::CommandButton, "Command1", 2,        u"-x",               3120, 1200, 1215, 495,   3, u"マイナスx",    u"各整数の符号を反転します"},
    {ControlKind::CommandButton, "Command1", 3,        u"1・2・3…を引く", 3120, 1680, 1215, 495,   4, u"",             u"各整数から1、2、3…と順に増える数を引きます"},
    {ControlKind::ListBox,       "List2",    kNoIndex, u"",                 1560, 120,  1455, 3480,  5, u"結果",         u"関数を適用した後の9つの整数"},
};
// clang-format on

constexpr form::FormLayout kLayout{
    u"QZでMRK風サンプル－配列の各要素を編集", 1185, 1920, 4470, 3810, kControls};

// The program's own numbers in their first order, the first of the data sets a learner may choose;
// each value is stored in the narrowest integer kind that holds it.
constexpr std::span<std::int32_t const> kNumbers{kDataSets[0].numbers};

// The function table of a click, one function per button Index: x * x, x - 10, 0 - x, and x minus
// a running count. The binders hold the only references to their MinusCls and to the SeqCount.
std::array<Ref<IUnaryFunc>, 4> functionTable() {
    return {
        make<Sqr>(),
        make<Bind1st>()->Init(make<MinusCls>(), Variant(std::int16_t{10})),
        make<Bind2nd>()->Init(make<MinusCls>(), Variant(std::int16_t{0})),
        make<Bind1st>()->Init(make<MinusCls>(), Variant(make<SeqCount>())),
    };
}

// Makes the function of a click, when the click runs: a button's or a learner's own.
using FunctionMaker = std::function<Ref<IUnaryFunc>()>;

// A click: the function made, the numbers in a new collection (each in the narrowest integer kind
// that holds it, so the program's are 16-bit), each replaced in place by the function's result for it.
Ref<runtime::Collection> transformedNumbers(FunctionMaker const& makeFunction,
                                            std::span<std::int32_t const> numbers) {
    Ref<IUnaryFunc> const function = makeFunction();

    auto const data = form::collectionOf(numbers);

    Ambulon::Transform_Collection(*data, *function);
    return data;
}

// Button Index's function, from the click's table of functions.
FunctionMaker buttonFunction(std::int16_t Index) {
    return [Index] {
        std::array<Ref<IUnaryFunc>, 4> functions = functionTable();
        return form::tableAt(functions, Index);
    };
}

// The functions with a learner's own constant, as the window offers them.
std::span<form::OwnChoice const> ownChoices() {
    static std::vector<form::OwnChoice> const choices = [] {
        std::vector<form::OwnChoice> made;
        for (ConstantFunction const& function : constantFunctions())
            made.push_back({function.caption, function.constantName, function.description});
        return made;
    }();
    return choices;
}

// The steps of a transform by the function made, on the program's numbers (numbers empty), a
// learner's own or a data set's.
form::Recording recordTransform(FunctionMaker const& makeFunction, std::span<std::int32_t const> numbers) {
    TransformSteps recorder;
    runtime::Attachment const attached(recorder);
    return recorder.record([&] { transformedNumbers(makeFunction, numbers.empty() ? kNumbers : numbers); });
}

form::Recording recordClick(std::int16_t Index, std::span<std::int32_t const> numbers) {
    return recordTransform(buttonFunction(Index), numbers);
}

// The steps of a function with a learner's own constant; a constant that is no whole number within
// 32 bits runs nothing.
form::Recorded recordChoice(form::Run const& run) {
    std::span<ConstantFunction const> const functions = constantFunctions();
    ConstantFunction const& chosen = form::tableAt(functions, *run.own);
    form::ParsedNumber parsed = form::parseWholeNumber(run.typed);
    if (!parsed.number)
        return {{}, std::move(parsed.message)};
    return {recordTransform([&chosen, k = *parsed.number] { return chosen.make(k); }, run.numbers)};
}

} // namespace

form::FormLayout const& Form1::layout() const { return kLayout; }

void Form1::Command1_Click(std::int16_t Index) {
    // The numbers are shown before the function runs, so that they show even when it fails.
    List1.Clear();
    for (std::int32_t const number : kNumbers)
        List1.AddItem(runtime::decimalText(number));

    auto const data = transformedNumbers(buttonFunction(Index), kNumbers);
    List2.Clear();
    for (Variant const& element : *data)
        List2.AddItem(element.toText());
}

form::Lesson const& Form1::lesson() {
    static form::Lesson const lesson{u"Transform_Collection",
                                     kTransformProcedure,
                                     true,
                                     recordClick,
                                     kDataSets,
                                     ownChoices(),
                                     recordChoice};
    return lesson;
}

} // namespace ambulon
