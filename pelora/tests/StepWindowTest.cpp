#include "pelora/Form1.h"

#include "host/testing/StepTesting.h"

#include <QTableWidget>

#include <gtest/gtest.h>

namespace pelora {
namespace {

// The step window shows the attribute read of each person in a column of its own, and follows each
// click.
TEST(PeloraStepWindowTest, TheAttributeReadStandsInAColumnOfItsOwn) {
    host::testing::StepHarness<Form1> steps;
    host::StepWindow& window = *steps.open();
    steps.harness.click(2);
    EXPECT_EQ(window.recording().valueName, u"Age");
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
