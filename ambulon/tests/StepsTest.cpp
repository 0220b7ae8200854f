#include "ambulon/Form1.h"

#include "host/testing/StepTesting.h"

#include <QSlider>

#include <gtest/gtest.h>

namespace ambulon {
namespace {

using form::StepKind;
using host::testing::pressKey;
using host::testing::snapshotOf;

// Each button's click: every one of the nine elements fetched, passed to Exec, its result appended
// and the front removed, ending in the lines of List2; the running count shows its counter rising.
TEST(AmbulonStepsTest, EachElementTakesFourStepsAndTheCounterRises) {
    host::testing::StepHarness<Form1> steps;
    host::StepWindow& window = *steps.open();
    std::vector<StepKind> expected{StepKind::Start};
    for (int element = 0; element < 9; ++element)
        expected.insert(expected.end(), {StepKind::Read, StepKind::Call, StepKind::Insert, StepKind::Remove});
    expected.push_back(StepKind::End);
    for (int index = 0; index < 4; ++index) {
        steps.harness.click(index);
        form::Recording const& recording = window.recording();
        EXPECT_EQ(host::testing::kindsOf(recording), expected) << "button " << index;
        EXPECT_EQ(recording.elementCount, 9);
        QStringList results;
        for (std::uint16_t const element : recording.steps.back().order)
            results << QString::fromStdU16String(recording.elements[element].text);
        EXPECT_EQ(results, steps.harness.lines("List2"));
    }
    // 1・2・3…を引く: the k-th call reads the counter as k.
    int k = 0;
    for (form::Step const& step : window.recording().steps) {
        if (step.kind != StepKind::Call)
            continue;
        ++k;
        EXPECT_EQ(step.element, k);
        ASSERT_EQ(step.calls.size(), 3u);
        EXPECT_EQ(step.calls[2].text, u"SeqCount.Counter = " + runtime::decimalText(k));
        EXPECT_NE(step.sentence.find(u"SeqCount.Counter = " + runtime::decimalText(k)), std::u16string::npos);
    }
    EXPECT_EQ(k, 9);
}

// x^2 of 50000 overflows: the run ends at that call, with the runtime's text; the main window and the
// next run are untouched.
TEST(AmbulonStepsTest, AnOverflowIsShownAtItsStep) {
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
    EXPECT_EQ(last->kind, StepKind::Error);
    EXPECT_EQ(last->line, 4);
    EXPECT_EQ(last->element, 2);
    ASSERT_EQ(last->calls.size(), 1u);
    EXPECT_EQ(last->calls.front().text, u"Sqr.Exec(50000) → エラー");
    QString const shown = snapshotOf(window).join(u'\n');
    EXPECT_TRUE(shown.contains(QStringLiteral("overflow"))) << shown.toStdString();
    EXPECT_TRUE(shown.contains(QStringLiteral("要素 2 / 3"))) << shown.toStdString();
    EXPECT_EQ(steps.harness.lines("List2"), results);
    EXPECT_TRUE(steps.harness.errors.empty());
    EXPECT_TRUE(host::testing::saveScreenshot(window, QStringLiteral("ambulon-steps.png")));

    host::testing::runOwnNumbers(window, QStringLiteral("7 -2"));
    EXPECT_EQ(window.recording().steps.back().kind, StepKind::End);
}

} // namespace
} // namespace ambulon
