#include "pelora/Form1.h"

#include "host/testing/StepTesting.h"
#include "sortlib/SortSteps.h"

#include <QAbstractButton>
#include <QTableView>

#include <gtest/gtest.h>

namespace pelora {
namespace {

using host::testing::buttonNamed;
using host::testing::pressKey;

// The step window shows the attribute read of each person in a column of its own, and follows each
// click.
TEST(PeloraStepWindowTest, TheAttributeReadStandsInAColumnOfItsOwn) {
    host::testing::StepHarness<Form1> steps;
    host::StepWindow& window = *steps.open();
    steps.harness.click(2);
    EXPECT_EQ(window.recording().valueName, u"Age");
    QAbstractItemModel const& table = *window.findChild<QTableView*>()->model();
    EXPECT_EQ(table.headerData(2, Qt::Horizontal).toString(), QStringLiteral("Age"));
    EXPECT_EQ(table.index(0, 2).data().toString(), QStringLiteral("18"));
    // For a person to look at: a comparison of two heights.
    steps.harness.click(0);
    window.goToStep(2);
    EXPECT_TRUE(host::testing::saveScreenshot(window, QStringLiteral("pelora-steps.png")));
}

// 身長順's 31 exchanges are 31 jumps forward by PageDown, or by the button 次の交換, each to the first
// step of the next exchange; and 31 back by PageUp. Past them the way on is disabled.
TEST(PeloraStepWindowTest, ThirtyOneExchangesAreThirtyOneJumps) {
    host::testing::StepHarness<Form1> steps;
    steps.harness.click(0);
    host::StepWindow& window = *steps.open();
    QAbstractButton* const next = buttonNamed(window, QStringLiteral("次の交換へ"));
    QAbstractButton* const previous = buttonNamed(window, QStringLiteral("前の交換へ"));
    ASSERT_NE(next, nullptr);
    ASSERT_NE(previous, nullptr);
    auto const exchanges = [&] { return window.step()->counters.at(2).value; };
    std::vector<std::size_t> stops;
    while (next->isEnabled()) {
        if (stops.size() % 2 == 0)
            pressKey(window, Qt::Key_PageDown);
        else
            next->click();
        ASSERT_EQ(static_cast<sortlib::SortStep>(window.step()->kind), sortlib::SortStep::Read);
        EXPECT_EQ(exchanges(), static_cast<int>(stops.size())) << "before exchange " << stops.size() + 1;
        stops.push_back(window.currentStep());
        ASSERT_LE(stops.size(), 31u);
    }
    EXPECT_EQ(stops.size(), 31u);
    EXPECT_TRUE(previous->isEnabled());
    for (std::size_t back = stops.size() - 1; back-- > 0;) {
        pressKey(window, Qt::Key_PageUp);
        EXPECT_EQ(window.currentStep(), stops[back]);
    }
    EXPECT_FALSE(previous->isEnabled());
}

// At every scale and in both faces the window stays on the screen with nothing cut; at step 3 of
// 身長順, roster position 20 (lhs) is in view.
TEST(PeloraStepWindowDisplayTest, WithinTheScreen) {
    host::testing::expectStepWindowWithinTheScreen<Form1>(QStringLiteral("pelora-steps"), 0, 2);
}

} // namespace
} // namespace pelora
