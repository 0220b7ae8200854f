#include "ambulon/Form1.h"

#include "ambulon/TransformSteps.h"
#include "form/testing/ListLines.h"
#include "runtime/Text.h"

#include <gtest/gtest.h>

namespace ambulon {
namespace {

using runtime::decimalText;

TransformStep kindOf(form::Step const& step) { return static_cast<TransformStep>(step.kind); }

// The marks of a step's rows as letters, top to bottom: w being worked on, r a result, a just added,
// x removed, . none.
std::string marksOf(form::Step const& step) {
    std::string marks;
    for (form::Row const& row : step.rows)
        marks += ".wrax"[row.mark];
    return marks;
}

// Each button's click: each of the nine elements fetched, passed to Exec, its result appended and the
// front removed, ending in the lines the click lists; the element being worked on and the results
// stand apart, and each element's fetch is a stop.
TEST(AmbulonStepsTest, EachElementTakesFourStepsAndTheResultsStandApart) {
    std::vector<TransformStep> expected{TransformStep::Start};
    for (int element = 0; element < 9; ++element)
        expected.insert(expected.end(), {TransformStep::Read, TransformStep::Exec, TransformStep::Add,
                                         TransformStep::Remove});
    expected.push_back(TransformStep::End);
    Form1 form;
    form::testing::ListLines input(form, "List1");
    form::testing::ListLines results(form, "List2");
    for (std::int16_t index = 0; index < 4; ++index) {
        form::Recording const recording = Form1::lesson().record(index, {});
        form.Command1_Click(index);
        std::vector<TransformStep> kinds;
        std::vector<std::size_t> stops;
        for (std::size_t step = 0; step < recording.steps.size(); ++step) {
            kinds.push_back(kindOf(recording.steps[step]));
            if (recording.steps[step].stops != 0)
                stops.push_back(step);
        }
        EXPECT_EQ(kinds, expected) << "button " << index;
        EXPECT_EQ(stops, (std::vector<std::size_t>{1, 5, 9, 13, 17, 21, 25, 29, 33})) << "button " << index;
        std::vector<std::u16string> first;
        std::vector<std::u16string> last;
        for (form::Row const& row : recording.steps.front().rows)
            first.push_back(recording.elements[row.element].text);
        for (form::Row const& row : recording.steps.back().rows)
            last.push_back(recording.elements[row.element].text);
        EXPECT_EQ(first, input.lines);
        EXPECT_EQ(last, results.lines);
        // Before each Exec a learner predicts its result; through the running count, the count's value.
        std::vector<std::u16string> answers;
        for (form::Step const& step : recording.steps) {
            if (kindOf(step) == TransformStep::Exec) {
                ASSERT_TRUE(step.question.has_value());
                EXPECT_EQ(step.question->kind, form::AnswerKind::Number);
                answers.push_back(decimalText(step.question->answer));
            }
        }
        // The first Exec of a binder, and no other step, says which argument it fixes.
        std::vector<std::size_t> explained;
        for (std::size_t step = 0; step < recording.steps.size(); ++step) {
            if (recording.steps[step].explanation >= 0)
                explained.push_back(step);
        }
        std::u16string_view const fixes[] = {u"", u"Bind1st が固定するのは 2 番目の引数",
                                             u"Bind2nd が固定するのは 1 番目の引数",
                                             u"Bind1st が固定するのは 2 番目の引数"};
        if (index == 0) {
            EXPECT_TRUE(explained.empty());
        } else {
            EXPECT_EQ(explained, std::vector<std::size_t>{2}) << "button " << index;
            ASSERT_EQ(recording.explanations.size(), 1u);
            EXPECT_EQ(recording.explanations[0].title, fixes[index]);
        }
        if (index < 3) {
            EXPECT_EQ(answers, results.lines) << "button " << index;
        } else {
            EXPECT_EQ(answers,
                      (std::vector<std::u16string>{u"1", u"2", u"3", u"4", u"5", u"6", u"7", u"8", u"9"}));
        }
    }
    // The fourth element: fetched and passed to Exec at the front, its result added at the back after the
    // three results before it, then removed from the front.
    form::Recording const recording = Form1::lesson().record(3, {});
    EXPECT_EQ(recording.jumps, std::vector<std::u16string>{u"要素"});
    EXPECT_EQ(marksOf(recording.steps[0]), ".........");
    EXPECT_EQ(marksOf(recording.steps[13]), "w.....rrr");
    EXPECT_EQ(marksOf(recording.steps[14]), "w.....rrr");
    EXPECT_EQ(marksOf(recording.steps[15]), "w.....rrra");
    EXPECT_EQ(marksOf(recording.steps[16]), "x.....rrrr");
    EXPECT_EQ(marksOf(recording.steps.back()), "rrrrrrrrr");
    EXPECT_EQ(recording.marks[1].label, u"処理中");
    EXPECT_EQ(recording.marks[2].style, form::MarkStyle::Settled);
}

// 1・2・3…を引く: the k-th call reads the counter as k beneath the binder's call of MinusCls, and the
// variables n, k, x and r show each value where the procedure's line sets it.
TEST(AmbulonStepsTest, TheRunningCountRisesAndTheVariablesFollowTheLines) {
    form::Recording const recording = Form1::lesson().record(3, {});
    int k = 0;
    for (form::Step const& step : recording.steps) {
        if (kindOf(step) != TransformStep::Exec)
            continue;
        ++k;
        ASSERT_EQ(step.counters.size(), 2u);
        EXPECT_EQ(step.counters[0].value, k);
        EXPECT_EQ(step.counters[0].total, 9);
        ASSERT_EQ(step.calls.size(), 3u);
        EXPECT_EQ(step.calls[0].text.substr(0, 13), u"Bind1st.Exec(");
        EXPECT_EQ(step.calls[1].text.substr(0, 14), u"MinusCls.Exec(");
        EXPECT_NE(step.calls[1].text.find(u", SeqCount#1) = "), std::u16string::npos);
        EXPECT_EQ(step.calls[2].text, u"SeqCount#1.Counter = " + decimalText(k));
        EXPECT_NE(
            step.sentence.find(u"その中で SeqCount#1.Counter を読み、" + decimalText(k) + u" を得ました。"),
            std::u16string::npos)
            << runtime::toUtf8(step.sentence);
    }
    EXPECT_EQ(k, 9);
    // The fourth element, 10: fetched (line 2 sets k and x), passed to Exec (line 3 sets r = 10 - 4).
    struct Expected {
        TransformLine line;
        char const* variables;
    };
    Expected const expected[] = {
        {TransformLine::Count, "n=9* k= x= r="},     {TransformLine::Fetch, "n=9 k=4* x=10* r="},
        {TransformLine::Exec, "n=9 k=4 x=10 r=6*"},  {TransformLine::Append, "n=9 k=4 x=10 r=6"},
        {TransformLine::Remove, "n=9 k=4 x=10 r=6"},
    };
    for (std::size_t index = 0; index < std::size(expected); ++index) {
        form::Step const& step = recording.steps[index == 0 ? 0 : 12 + index];
        EXPECT_EQ(step.line, form::lineNumber(expected[index].line)) << index;
        std::string variables;
        for (form::Variable const& variable : step.variables)
            variables += (variables.empty() ? "" : " ") +
                         runtime::toUtf8(variable.name + u"=" + variable.value) +
                         (variable.changed ? "*" : "");
        EXPECT_EQ(variables, expected[index].variables) << index;
    }
    EXPECT_EQ(recording.steps[14].question->prompt,
              u"Bind1st.Exec(10) の中で SeqCount#1.Counter を読みます。SeqCount#1.Counter はいくつを返す？");
    EXPECT_EQ(recording.steps[16].calls.front().text, u"Remove(1)");
    EXPECT_EQ(recording.steps[15].calls.front().text, u"Add(r)");
    EXPECT_EQ(recording.steps[13].calls.front().text, u"Item(1)");
}

// x^2 of 50000 overflows: the run of a learner's numbers ends at that call, with the runtime's text;
// the next run is whole.
TEST(AmbulonStepsTest, AnOverflowEndsTheRunAtItsStep) {
    std::int32_t const numbers[] = {7, 50000, 2};
    form::Recording const recording = Form1::lesson().record(0, numbers);
    ASSERT_FALSE(recording.steps.empty());
    form::Step const& last = recording.steps.back();
    EXPECT_EQ(kindOf(last), TransformStep::Error);
    EXPECT_EQ(last.line, form::lineNumber(TransformLine::Exec));
    ASSERT_EQ(last.counters.size(), 2u);
    EXPECT_EQ(last.counters[0].value, 2);
    EXPECT_EQ(last.counters[0].total, 3);
    EXPECT_EQ(marksOf(last), "w.r");
    ASSERT_EQ(last.calls.size(), 1u);
    EXPECT_EQ(last.calls.front().text, u"Sqr.Exec(50000) → エラー");
    EXPECT_EQ(last.error,
              u"オーバーフローしました。50000 × 50000 = 2500000000 は 32 ビット整数に収まりません。");

    std::int32_t const fine[] = {7, -2};
    EXPECT_EQ(kindOf(Form1::lesson().record(0, fine).steps.back()), TransformStep::End);
}

} // namespace
} // namespace ambulon
