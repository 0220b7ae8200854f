#include "pelora/Form1.h"

#include "host/testing/StepTesting.h"

#include <QTableWidget>

#include <gtest/gtest.h>

namespace pelora {
namespace {

using form::StepKind;

// Each button's click, step by step: 190 comparisons and its exchanges, the attribute read of every
// person beside their line, each comparison with the two values it read, and at the end the lines
// in the order that the main window lists.
TEST(PeloraStepsTest, EachButtonShowsTheValuesItComparedAndItsExchanges) {
    struct Expected {
        std::u16string member;
        int exchanges;
        std::u16string firstValue; // of roster position 1
        std::u16string lastValue;  // of roster position 20
    };
    Expected const expected[] = {
        {u"Height", 31, u"160", u"181"}, {u"Weight", 30, u"56", u"70"}, {u"Age", 10, u"18", u"50"}};
    host::testing::StepHarness<Form1> steps;
    host::StepWindow& window = *steps.open();
    for (int index = 0; index < 3; ++index) {
        steps.harness.click(index);
        form::Recording const& recording = window.recording();
        form::Step const& end = recording.steps.back();
        ASSERT_EQ(end.kind, StepKind::End);
        EXPECT_EQ(recording.comparisons, 190);
        EXPECT_EQ(end.comparison, 190);
        EXPECT_EQ(end.exchanges, expected[index].exchanges);
        EXPECT_EQ(recording.valueName, expected[index].member);
        EXPECT_EQ(recording.elements.front().value, expected[index].firstValue);
        QStringList lines;
        for (std::uint16_t const element : end.order)
            lines << QString::fromStdU16String(recording.elements[element].text);
        EXPECT_EQ(lines, steps.harness.lines("List1"));

        // The first comparison: roster position 20 (lhs) against position 1 (rhs).
        form::Step const& first = recording.steps[2];
        ASSERT_EQ(first.kind, StepKind::Compare);
        ASSERT_EQ(first.calls.size(), 3u);
        std::u16string const member(expected[index].member);
        EXPECT_EQ(first.calls[0].text, u"Cmp" + member + u".Compare(lhs, rhs) = False");
        EXPECT_EQ(first.calls[1].text, u"lhs." + member + u" = " + expected[index].lastValue);
        EXPECT_EQ(first.calls[2].text, u"rhs." + member + u" = " + expected[index].firstValue);
    }
    // The window shows the member's values in a column of their own.
    auto const* table = window.findChild<QTableWidget*>();
    EXPECT_EQ(table->horizontalHeaderItem(2)->text(), QStringLiteral("Age"));
    EXPECT_EQ(table->item(0, 2)->text(), QStringLiteral("18"));
    // For a person to look at: a comparison of two heights.
    steps.harness.click(0);
    window.goToStep(2);
    EXPECT_TRUE(host::testing::saveScreenshot(window, QStringLiteral("pelora-steps.png")));
}

} // namespace
} // namespace pelora
