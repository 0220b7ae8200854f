#include "talverin/Form1.h"

#include "host/testing/StepTesting.h"
#include "sortlib/SortSteps.h"

#include <QLabel>

#include <gtest/gtest.h>

namespace talverin {
namespace {

using host::testing::snapshotOf;
using host::testing::StepHarness;

std::vector<std::string> endOrder(form::Recording const& recording) {
    std::vector<std::string> texts;
    for (form::Row const& row : recording.steps.back().rows)
        texts.push_back(runtime::toUtf8(recording.elements[row.element].text));
    return texts;
}

// With --trace and the step window both open, each reads its own run: the trace holds the click's
// 36 calls once, and the window has all of them too.
TEST(TalverinStepWindowTest, TheTraceAndTheWindowEachReadTheClickOnce) {
    host::testing::TracedHarness<Form1> traced;
    traced.harness.window.setLesson(&Form1::lesson());
    host::testing::pressF2(traced.harness.window);
    ASSERT_NE(traced.harness.window.stepWindow(), nullptr);
    std::vector<std::string> const lines = traced.click(1);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), "== 大きい順: LongGT");
    EXPECT_EQ(lines.back(), "-- 36 calls of Compare, 12 exchanges");
    EXPECT_EQ(traced.harness.window.stepWindow()->recording().steps.back().counters.at(1).value, 36);
    EXPECT_EQ(traced.click(1), lines);

    // A run on the learner's own numbers has both readers at once: the trace writes it as a click of
    // its own, and the window records it.
    traced.out.str({});
    host::StepWindow& window = *traced.harness.window.stepWindow();
    host::testing::runOwnNumbers(window, QStringLiteral("3 1 2"));
    std::vector<std::string> const own = runtime::testing::linesOfText(traced.out.str());
    ASSERT_FALSE(own.empty());
    EXPECT_EQ(own.front(), "== 自分の数（3 個）で「大きい順」: LongGT");
    EXPECT_EQ(own.back(), "-- 3 calls of Compare, 1 exchange");
    EXPECT_EQ(window.recording().steps.back().counters.at(1).value, 3);
}

// Own numbers run in the step window only; input that cannot run says why and runs nothing.
TEST(TalverinStepWindowTest, OwnNumbersRunHereOnlyAndBadInputRunsNothing) {
    StepHarness<Form1> steps;
    steps.harness.click(2);
    QStringList const mainLines = steps.harness.lines("List1");
    host::StepWindow& window = *steps.open();
    EXPECT_EQ(window.recording().chosen, u"StrLess") << "the last click, shown again";
    host::testing::runOwnNumbers(window, QStringLiteral("3, 12 1"));
    EXPECT_TRUE(host::testing::ownNumbersMessage(window).isEmpty());
    form::Recording const& own = window.recording();
    EXPECT_EQ(endOrder(own), (std::vector<std::string>{"1", "12", "3"}))
        << "by decimal text, the chosen button";
    EXPECT_EQ(own.steps.back().counters.at(1).value, 3);
    EXPECT_EQ(steps.harness.lines("List1"), mainLines);

    QStringList const shown = snapshotOf(window);
    for (QString const& bad : {QStringLiteral("1 x 3"), QStringLiteral("5"), QStringLiteral("1 99999999999"),
                               QStringLiteral("1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21")}) {
        host::testing::runOwnNumbers(window, bad);
        EXPECT_FALSE(host::testing::ownNumbersMessage(window).isEmpty()) << bad.toStdString();
        QStringList now = snapshotOf(window);
        now[now.indexOf(host::testing::ownNumbersMessage(window))] = QString();
        EXPECT_EQ(now, shown) << bad.toStdString();
    }
}

// The README's picture: the first far exchange of 大きい順 as its second Add puts w before position
// j + 1. The variables panel shows i, j, v and w with their values, w just set: in bold and underlined,
// and said to screen readers to have changed.
TEST(TalverinStepWindowTest, ScreenshotOfAFarExchangeWithItsVariables) {
    StepHarness<Form1> steps;
    steps.harness.click(1);
    host::StepWindow& window = *steps.open();
    while (window.step() && window.step()->line != form::lineNumber(sortlib::SortLine::SecondAdd) &&
           window.player().canGoForward())
        window.stepBy(1);
    ASSERT_EQ(window.step()->line, form::lineNumber(sortlib::SortLine::SecondAdd));
    QLabel const* variables = nullptr;
    for (QLabel const* label : window.findChildren<QLabel*>())
        variables = label->accessibleName().startsWith(QStringLiteral("変数: ")) ? label : variables;
    ASSERT_NE(variables, nullptr);
    EXPECT_EQ(variables->accessibleName(),
              QStringLiteral("変数: i = 1、j = 9、v = 5562、w = 1851（変わった）"));
    EXPECT_TRUE(variables->text().contains(QStringLiteral("<b><u>w = 1851</u></b>")))
        << variables->text().toStdString();
    EXPECT_TRUE(host::testing::saveScreenshot(window, QStringLiteral("talverin-steps.png")));
}

// At every scale and in both faces the window stays on the screen with nothing cut, the rows of a
// far exchange in view.
TEST(TalverinStepWindowDisplayTest, WithinTheScreen) {
    host::testing::expectStepWindowWithinTheScreen<Form1>(QStringLiteral("talverin-steps"), 1, 5);
}

} // namespace
} // namespace talverin
