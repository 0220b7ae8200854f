#include "talverin/Form1.h"

#include "host/testing/StepTesting.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QScreen>
#include <QSlider>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace talverin {
namespace {

using form::StepKind;
using host::testing::pressKey;
using host::testing::snapshotOf;
using host::testing::StepHarness;

std::vector<std::string> endOrder(form::Recording const& recording) {
    std::vector<std::string> texts;
    for (std::uint16_t const element : recording.steps.back().order)
        texts.push_back(runtime::toUtf8(recording.elements[element].text));
    return texts;
}

// Each button's click, step by step: 36 comparisons, its exchanges, and at the end the order that
// the main window lists.
TEST(TalverinStepsTest, EachButtonIsRecordedWithItsComparisonsAndExchanges) {
    struct Expected {
        int exchanges;
        std::vector<std::string> order;
    };
    Expected const expected[] = {
        {10, {"40", "926", "1166", "1851", "2748", "5562", "9353", "12703", "66916"}},
        {12, {"66916", "12703", "9353", "5562", "2748", "1851", "1166", "926", "40"}},
        {11, {"1166", "12703", "1851", "2748", "40", "5562", "66916", "926", "9353"}},
    };
    for (std::int16_t index = 0; index < 3; ++index) {
        form::Recording const recording = Form1::lesson().record(index, {});
        form::Step const& end = recording.steps.back();
        EXPECT_EQ(end.kind, StepKind::End);
        EXPECT_EQ(recording.comparisons, 36);
        EXPECT_EQ(end.comparison, 36);
        EXPECT_EQ(end.exchanges, expected[index].exchanges);
        EXPECT_EQ(recording.passes, 8);
        EXPECT_EQ(endOrder(recording), expected[index].order);
    }
}

// With --trace and the step window both open, each reads its own run: the trace holds the click's
// 36 calls once, and the window has all of them too.
TEST(TalverinStepsTest, TheTraceAndTheWindowEachReadTheClickOnce) {
    host::testing::TracedHarness<Form1> traced;
    traced.harness.window.setLesson(&Form1::lesson());
    host::testing::pressF2(traced.harness.window);
    ASSERT_NE(traced.harness.window.stepWindow(), nullptr);
    std::vector<std::string> const lines = traced.click(1);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), "== 大きい順: LongGT");
    EXPECT_EQ(lines.back(), "-- 36 calls of Compare, 12 exchanges");
    EXPECT_EQ(traced.harness.window.stepWindow()->recording().comparisons, 36);
    EXPECT_EQ(traced.click(1), lines);
}

// Own numbers run in the step window only; input that cannot run says why and runs nothing.
TEST(TalverinStepsTest, OwnNumbersRunHereOnlyAndBadInputRunsNothing) {
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
    EXPECT_EQ(own.comparisons, 3);
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

// The README's picture: the first far exchange of 大きい順, with the duplicate just added.
TEST(TalverinStepsTest, Screenshot) {
    StepHarness<Form1> steps;
    steps.harness.click(1);
    host::StepWindow& window = *steps.open();
    while (window.step()->kind != StepKind::Insert)
        pressKey(window, Qt::Key_Right);
    EXPECT_TRUE(snapshotOf(window).join(u'\n').contains(QStringLiteral("同じ要素")));
    // The column headers show above the rows, inside the table's frame.
    QHeaderView const* header = window.findChild<QTableWidget*>()->horizontalHeader();
    EXPECT_GE(header->geometry().top(), 0);
    EXPECT_GT(header->height(), 0);
    EXPECT_TRUE(host::testing::saveScreenshot(
        window, QDir::current().filePath(QStringLiteral("talverin-steps.png"))));
}

} // namespace
} // namespace talverin
