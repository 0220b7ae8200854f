#include "ambulon/ConstantFunctions.h"

#include "ambulon/Ambulon.h"
#include "ambulon/DataSets.h"
#include "ambulon/Form1.h"
#include "ambulon/TransformSteps.h"
#include "form/Numbers.h"
#include "form/Steps.h"
#include "runtime/testing/RuntimeTesting.h"

#include <gtest/gtest.h>

namespace ambulon {
namespace {

using runtime::ErrorKind;
using runtime::testing::raises;
using runtime::testing::textsOf;

// Each row types k for a choice and transforms the inputs. A run that ends holds the results; one
// that overflows at element k leaves xk..xn followed by the results of the elements before it.
TEST(ConstantFunctionsTest, EachChoiceComputesWithTheTypedConstant) {
    struct Row {
        ConstantChoice choice;
        std::u16string_view typed;
        std::vector<std::int32_t> inputs;
        std::vector<std::int32_t> results; // of every element, or of those before the overflow
        std::size_t overflowsAt = 0;       // the element whose call overflows; 0: none does
    };
    constexpr std::int32_t kMax = 2147483647;
    constexpr std::int32_t kMin = -kMax - 1;
    Row const rows[] = {
        {ConstantChoice::MinusConstant, u"10", {1, 10, -5, kMax}, {-9, 0, -15, kMax - 10}},
        {ConstantChoice::MinusConstant, u"－３", {1, 0}, {4, 3}},
        {ConstantChoice::MinusConstant, u"1", {5, kMin, 7}, {4}, 2},
        {ConstantChoice::ConstantMinus, u"0", {5, -7, kMax}, {-5, 7, -kMax}},
        {ConstantChoice::ConstantMinus, u"１００", {1, 100, 250}, {99, 0, -150}},
        {ConstantChoice::ConstantMinus, u"-2147483648", {0, 1, 2}, {kMin}, 2},
        {ConstantChoice::MinusCount, u"0", {10, 10, 10}, {9, 8, 7}},
        {ConstantChoice::MinusCount, u"5", {10, 10, 10}, {4, 3, 2}},
        {ConstantChoice::MinusCount, u"-3", {0, 0, 0, 0}, {2, 1, 0, -1}},
        {ConstantChoice::MinusCount, u"2147483646", {1, 2, 3}, {1 - kMax}, 2},
    };
    for (Row const& row : rows) {
        SCOPED_TRACE(runtime::toUtf8(constantFunctions()[static_cast<std::size_t>(row.choice)].caption) +
                     " k=" + runtime::toUtf8(row.typed));
        BuiltFunction const built = makeConstantFunction(row.choice, row.typed);
        ASSERT_TRUE(built.function) << runtime::toUtf8(built.message);
        EXPECT_EQ(built.message, u"");
        auto const data = form::collectionOf(row.inputs);
        std::vector<std::int32_t> expected;
        if (row.overflowsAt == 0) {
            Ambulon::Transform_Collection(*data, *built.function);
        } else {
            EXPECT_TRUE(
                raises(ErrorKind::Overflow, [&] { Ambulon::Transform_Collection(*data, *built.function); }));
            expected.assign(row.inputs.begin() + static_cast<std::ptrdiff_t>(row.overflowsAt - 1),
                            row.inputs.end());
        }
        expected.insert(expected.end(), row.results.begin(), row.results.end());
        EXPECT_EQ(textsOf(*data), textsOf(*form::collectionOf(expected)));
    }
    BuiltFunction const refused = makeConstantFunction(ConstantChoice::MinusConstant, u"ten");
    EXPECT_FALSE(refused.function);
    EXPECT_EQ(refused.message, u"「ten」は整数ではありません。");
}

// The step window's runs of a choice: c+1・c+2…を引く with 5 typed, on the sorted set -4..4,
// takes 6, 7, ... 14 from them (each Exec asks for the count's value) and leaves -10 nine times; a
// constant that is no whole number runs nothing and says why.
TEST(ConstantFunctionsTest, TheLessonRunsAChoiceWithItsConstantOnADataSet) {
    form::Lesson const& lesson = Form1::lesson();
    EXPECT_EQ(lesson.dataSets.data(), std::data(kDataSets));
    ASSERT_EQ(lesson.choices.size(), constantFunctions().size());
    EXPECT_EQ(lesson.choices[2].field, constantFunctions()[2].constantName);

    std::span<std::int32_t const> const sorted = lesson.dataSets[1].numbers;
    form::Recorded const run =
        lesson.recordRun({.index = 0, .numbers = {sorted.begin(), sorted.end()}, .own = 2, .typed = u"５"});
    EXPECT_EQ(run.refusal, u"");
    std::vector<std::int32_t> counts;
    for (form::Step const& step : run.recording.steps) {
        if (static_cast<TransformStep>(step.kind) == TransformStep::Exec)
            counts.push_back(step.question->answer);
    }
    EXPECT_EQ(counts, (std::vector<std::int32_t>{6, 7, 8, 9, 10, 11, 12, 13, 14}));
    for (form::Row const& row : run.recording.steps.back().rows)
        EXPECT_EQ(run.recording.elements[row.element].text, u"-10");

    form::Recorded const refused = lesson.recordRun({.index = 0, .own = 0, .typed = u"ten"});
    EXPECT_EQ(refused.refusal, u"「ten」は整数ではありません。");
    EXPECT_TRUE(refused.recording.steps.empty());
}

// A whole number typed for a constant or a prediction: either width, blanks around it, within 32 bits.
TEST(ConstantFunctionsTest, TypedWholeNumbersWithinThirtyTwoBitsAreTakenAndTheRestRefused) {
    std::u16string const outside =
        u"」は 32 ビットの整数（-2147483648 から 2147483647 まで）に収まりません。";
    struct Row {
        std::u16string_view typed;
        std::optional<std::int32_t> number;
        std::u16string message;
    };
    Row const rows[] = {
        {u"7", 7, u""},
        {u"  ７　", 7, u""},
        {u"+10", 10, u""},
        {u"－２１４７４８３６４８", -2147483647 - 1, u""},
        {u"−5", -5, u""},
        {u"2147483647", 2147483647, u""},
        {u"", std::nullopt, u"整数を入力してください。"},
        {u"2147483648", std::nullopt, u"「2147483648" + outside},
        {u"-2147483649", std::nullopt, u"「-2147483649" + outside},
        {u"９９９９９９９９９９９９９９９９９９９９", std::nullopt,
         u"「９９９９９９９９９９９９９９９９９９９９" + outside},
        {u"-", std::nullopt, u"「-」は整数ではありません。"},
        {u"3.5", std::nullopt, u"「3.5」は整数ではありません。"},
        {u"1 2", std::nullopt, u"「1 2」は整数ではありません。"},
        {u"十", std::nullopt, u"「十」は整数ではありません。"},
    };
    for (Row const& row : rows) {
        form::ParsedNumber const parsed = form::parseWholeNumber(row.typed);
        EXPECT_EQ(parsed.number, row.number) << runtime::toUtf8(row.typed);
        EXPECT_EQ(parsed.message, row.message) << runtime::toUtf8(row.typed);
    }
}

} // namespace
} // namespace ambulon
