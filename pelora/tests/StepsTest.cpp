#include "pelora/Form1.h"

#include "form/Player.h"
#include "form/testing/ListLines.h"
#include "sortlib/SortSteps.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace pelora {
namespace {

using sortlib::SortStep;

// Each button's click, step by step: 190 comparisons and its exchanges, the attribute read of every
// person beside their line, each comparison with the two values it read, and at the end the lines in
// the order that the click lists.
TEST(PeloraStepsTest, EachButtonShowsTheValuesItComparedAndItsExchanges) {
    struct Expected {
        std::u16string member;
        int exchanges;
        std::u16string firstValue; // of roster position 1
        std::u16string lastValue;  // of roster position 20
    };
    Expected const expected[] = {
        {u"Height", 31, u"160", u"181"}, {u"Weight", 30, u"56", u"70"}, {u"Age", 10, u"18", u"50"}};
    Form1 form;
    form::testing::ListLines list(form, "List1");
    for (std::int16_t index = 0; index < 3; ++index) {
        form::Recording const recording = Form1::lesson().record(index, {});
        form.Command1_Click(index);
        form::Step const& end = recording.steps.back();
        ASSERT_EQ(static_cast<SortStep>(end.kind), SortStep::End);
        ASSERT_EQ(end.counters.size(), 4u);
        EXPECT_EQ(end.counters[0].total, 19) << "passes";
        EXPECT_EQ(end.counters[1].value, 190) << "comparisons";
        EXPECT_EQ(end.counters[1].total, 190);
        EXPECT_EQ(end.counters[2].value, expected[index].exchanges);
        EXPECT_EQ(recording.valueName, expected[index].member);
        EXPECT_EQ(recording.elements.front().value, expected[index].firstValue);
        std::vector<std::u16string> lines;
        for (form::Row const& row : end.rows)
            lines.push_back(recording.elements[row.element].text);
        EXPECT_EQ(lines, list.lines);

        // The first comparison: roster position 20 (lhs) against position 1 (rhs).
        form::Step const& first = recording.steps[2];
        ASSERT_EQ(static_cast<SortStep>(first.kind), SortStep::Compare);
        ASSERT_EQ(first.calls.size(), 3u);
        std::u16string const member(expected[index].member);
        EXPECT_EQ(first.calls[0].text, u"Cmp" + member + u".Compare(lhs, rhs) = False");
        EXPECT_EQ(first.calls[1].text, u"lhs." + member + u" = " + expected[index].lastValue);
        EXPECT_EQ(first.calls[2].text, u"rhs." + member + u" = " + expected[index].firstValue);
    }
}

// 身長順 takes the same 391 steps as ever, and the first pass says of the roster's three students of
// 155 cm that their heights are equal: the last of them keeps position 1, which that comparison
// explains. They share a tie group, and the recording's note says they came out reversed. The first
// comparison explains that CmpHeight knows only the name Height.
TEST(PeloraStepsTest, EqualHeightsAreSaidToBeEqual) {
    form::Recording const recording = Form1::lesson().record(0, {});
    form::Player player;
    player.load(recording);
    EXPECT_EQ(player.stepCount(), 391u);
    auto const sentence = [&](std::u16string const& start) {
        auto const found =
            std::find_if(recording.steps.begin(), recording.steps.end(),
                         [&](form::Step const& step) { return step.sentence.starts_with(start); });
        return found == recording.steps.end() ? std::u16string() : found->sentence;
    };
    EXPECT_EQ(
        sentence(u"lhs（位置 7）と rhs（位置 1）"),
        u"lhs（位置 7）と rhs（位置 1）を比べました。身長 155 と 155 は等しく、小さくないので False です。"
        u"交換しません。");
    EXPECT_EQ(sentence(u"lhs（位置 16）と rhs（位置 1）"),
              u"lhs（位置 16）と rhs（位置 1）を比べました。身長 158 は 160 より小さいので True です。"
              u"位置 1 と位置 16 を交換します。");

    auto const explained = [&](std::u16string const& start) {
        auto const found =
            std::find_if(recording.steps.begin(), recording.steps.end(),
                         [&](form::Step const& step) { return step.sentence.starts_with(start); });
        return found->explanation < 0 ? form::Explanation{} : recording.explanations.at(found->explanation);
    };
    EXPECT_EQ(explained(u"lhs（位置 7）と rhs（位置 1）").title, u"等しい値が逆の順に残る理由");
    EXPECT_TRUE(explained(u"lhs（位置 20）と rhs（位置 1）")
                    .text.starts_with(u"CmpHeight が知っているのはメンバー名「Height」だけです。"));
    EXPECT_EQ(recording.elements[5].tie, recording.elements[7].tie);
    EXPECT_EQ(recording.elements[6].tie, recording.elements[7].tie);
    EXPECT_NE(recording.elements[4].tie, recording.elements[7].tie);
    ASSERT_EQ(recording.notes.size(), 1u);
    EXPECT_TRUE(recording.notes[0].starts_with(
        u"同値 C（155）の 3 つの要素は、もとの位置 6・7・8 の順に並んでいましたが、"
        u"並べ替えの後はもとの位置 8・7・6 の順です。"));
}

} // namespace
} // namespace pelora
