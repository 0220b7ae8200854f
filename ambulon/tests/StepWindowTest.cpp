#include "ambulon/Form1.h"

#include "ambulon/TransformSteps.h"
#include "host/testing/StepTesting.h"

#include <QSlider>

#include <gtest/gtest.h>

namespace ambulon {
namespace {

using host::testing::pressKey;
using host::testing::snapshotOf;

// x^2 of 50000 overflows: the window shows the run end at that call, with the error in Japanese; the main
// window and the next run are untouched.
TEST(AmbulonStepWindowTest, AnOverflowIsShownAtItsStep) {
    host::testing::StepHarness<Form1> steps;
    steps.harness.click(0);
    QStringList const results = steps.harness.lines("List2");
    host::StepWindow& window = *steps.open();
    host::testing::runOwnNumbers(window, QStringLiteral("7 50000 2"));
    // End in the field goes to the end of its text; on the slider it goes to the last step.
    window.findChild<QSlider*>()->setFocus();
    pressKey(window, Qt::Key_End);
    form::Step const* last = window.step();
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(static_cast<TransformStep>(last->kind), TransformStep::Error);
    QString const shown = snapshotOf(window).join(u'\n');
    EXPECT_TRUE(shown.contains(QStringLiteral("50000 × 50000 = 2500000000 は 32 ビット整数に収まりません"))) << shown.toStdString();
    EXPECT_TRUE(shown.contains(QStringLiteral("要素 2 / 3"))) << shown.toStdString();
    EXPECT_EQ(steps.harness.lines("List2"), results);
    EXPECT_TRUE(steps.harness.errors.empty());
    EXPECT_TRUE(host::testing::saveScreenshot(window, QStringLiteral("ambulon-steps.png")));

    host::testing::runOwnNumbers(window, QStringLiteral("7 -2"));
    EXPECT_EQ(static_cast<TransformStep>(window.recording().steps.back().kind), TransformStep::End);
}

// At every scale and in both faces the window stays on the screen with nothing cut, the element being
// worked on and the results already made in view.
TEST(AmbulonStepWindowDisplayTest, WithinTheScreen) {
    host::testing::expectStepWindowWithinTheScreen<Form1>(QStringLiteral("ambulon-steps"), 3, 15);
}

} // namespace
} // namespace ambulon
