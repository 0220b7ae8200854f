#include "talverin/Form1.h"

#include "host/ComparisonWindow.h"
#include "host/testing/StepTesting.h"
#include "sortlib/SortSteps.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

namespace talverin {
namespace {

using host::testing::labelSaying;
using host::testing::pressKey;
using host::testing::said;
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

// Predicting 大きい順 with exchanges folded, by keys: → asks before each comparison, T answers True and
// F False; each answer is scored at once, its step shown with the feedback and the comparison's
// sentence, and traced. Stepping back shows the answers given and asks nothing again; at the end the
// question answered wrongly is listed, and Enter on it goes back to its step.
TEST(TalverinStepWindowTest, ScreenshotOfAPredictionWithItsFeedback) {
    host::testing::TracedHarness<Form1> traced;
    traced.harness.window.setLesson(&Form1::lesson());
    traced.harness.click(1);
    host::testing::pressF2(traced.harness.window);
    host::StepWindow& window = *traced.harness.window.stepWindow();
    traced.out.str({});
    pressKey(window, Qt::ALT | Qt::Key_F);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.player().folded(); }));
    pressKey(window, Qt::ALT | Qt::Key_Y);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.quiz().predicting(); }));
    EXPECT_EQ(said(window, QStringLiteral("成績: ")), "正解 0 / 問 0");

    pressKey(window, Qt::Key_Right);
    pressKey(window, Qt::Key_Right);
    EXPECT_EQ(window.currentStep(), 1u) << "the comparison waits for the answer";
    EXPECT_EQ(said(window, QStringLiteral("問い: ")), "Compare(Item(9), Item(1)) の答えは True と False のどちら？");
    pressKey(window, Qt::Key_Right);
    EXPECT_EQ(window.currentStep(), 1u) << "→ does not pass a question";
    pressKey(window, Qt::Key_T);
    std::size_t const first = window.currentStep();
    EXPECT_EQ(first, 2u);
    EXPECT_EQ(said(window, QStringLiteral("問い: ")), "(none)");
    std::string const right = said(window, QStringLiteral("答え合わせ: "));
    EXPECT_EQ(right, "○ 正解です。答えは True です。" + runtime::toUtf8(window.step()->sentence));
    EXPECT_EQ(said(window, QStringLiteral("成績: ")), "正解 1 / 問 1");

    pressKey(window, Qt::Key_Right); // the exchange, folded: no question
    pressKey(window, Qt::Key_Right);
    EXPECT_EQ(said(window, QStringLiteral("問い: ")), "Compare(Item(8), Item(1)) の答えは True と False のどちら？");
    pressKey(window, Qt::Key_F);
    std::size_t const second = window.currentStep();
    EXPECT_EQ(second, 4u);
    std::string const wrong = said(window, QStringLiteral("答え合わせ: "));
    EXPECT_TRUE(wrong.starts_with("× ちがいます。あなたの答えは False で、正しい答えは True です。lhs（位置 8）"))
        << wrong;
    EXPECT_EQ(said(window, QStringLiteral("成績: ")), "正解 1 / 問 2");
    EXPECT_TRUE(host::testing::saveScreenshot(window, QStringLiteral("talverin-predict.png")));
    EXPECT_EQ(runtime::testing::linesOfText(traced.out.str()),
              (std::vector<std::string>{
                  "Predict: LongGT.Compare(5562, 1851) = True on [9] 5562, [1] 1851, answered True: right",
                  "Predict: LongGT.Compare(66916, 5562) = True on [8] 66916, [1] 5562, answered False: wrong"}));

    // Back and forth: each answer shows again with its step, and nothing is asked.
    pressKey(window, Qt::Key_Left);
    pressKey(window, Qt::Key_Left);
    EXPECT_EQ(window.currentStep(), first);
    EXPECT_EQ(said(window, QStringLiteral("答え合わせ: ")), right);
    pressKey(window, Qt::Key_Right);
    pressKey(window, Qt::Key_Right);
    EXPECT_EQ(window.currentStep(), second);
    EXPECT_EQ(said(window, QStringLiteral("問い: ")), "(none)");
    EXPECT_EQ(said(window, QStringLiteral("答え合わせ: ")), wrong);
    EXPECT_EQ(said(window, QStringLiteral("成績: ")), "正解 1 / 問 2");

    // At the end, the summary lists the wrong answer; Enter on it goes back to its step.
    pressKey(window, Qt::Key_End);
    EXPECT_EQ(said(window, QStringLiteral("まちがえた問い: ")),
              "最後まで来ました。まちがえた問いが 1 問あります（正解 1 / 問 2）。");
    pressKey(window, Qt::ALT | Qt::Key_L);
    auto* const missed = window.findChild<QListWidget*>(QStringLiteral("missed"));
    ASSERT_EQ(QApplication::focusWidget(), missed);
    ASSERT_EQ(missed->count(), 1);
    EXPECT_TRUE(missed->item(0)->text().startsWith(QStringLiteral("手順 %1: Compare(Item(8), Item(1))").arg(second + 1)));
    pressKey(window, Qt::Key_Down);
    pressKey(window, Qt::Key_Return);
    EXPECT_EQ(window.currentStep(), second);
    EXPECT_EQ(said(window, QStringLiteral("答え合わせ: ")), wrong);
}

// Two runs side by side, opened with Alt+2 from 小さい順: 整列済み beside 逆順, moved together by → to
// their ends in 36 moves, a comparison each; the counters of both stand side by side, 0 exchanges
// against 4. Ctrl+→ moves the left run alone.
TEST(TalverinStepWindowTest, SortedBesideReversedMoveTogetherToTheEnd) {
    host::testing::SideBySide<Form1> opened(0);
    ASSERT_NE(opened.both, nullptr);
    host::ComparisonWindow& both = *opened.both;
    form::Comparison const& comparison = both.comparison();
    ASSERT_EQ(comparison.left().recording().elements.at(0).text, u"40");
    ASSERT_EQ(comparison.right().recording().elements.at(0).text, u"66916");
    EXPECT_TRUE(said(both, QStringLiteral("左のカウンター: ")).starts_with("手順 1 / "));

    int moves = 0;
    while (comparison.left().canGoForward() || comparison.right().canGoForward()) {
        pressKey(both, Qt::Key_Right);
        ASSERT_LE(++moves, 36);
        EXPECT_EQ(comparison.left().step()->counters.at(1).value, moves);
        EXPECT_EQ(comparison.right().step()->counters.at(1).value, moves);
    }
    EXPECT_EQ(moves, 36);
    std::string const left = said(both, QStringLiteral("左のカウンター: "));
    std::string const right = said(both, QStringLiteral("右のカウンター: "));
    EXPECT_NE(left.find("比較 36 / 36　交換 0"), std::string::npos) << left;
    EXPECT_NE(right.find("比較 36 / 36　交換 4"), std::string::npos) << right;
    // The totals, paired by label: each run what it has done and in all.
    QTableView const* table = nullptr;
    for (QTableView const* view : both.findChildren<QTableView*>())
        table = view->accessibleName() == QStringLiteral("2 つの実行の数") ? view : table;
    ASSERT_NE(table, nullptr);
    QStringList pairs;
    for (int column = 0; column < table->model()->columnCount(); ++column)
        pairs << QStringLiteral("%1 %2 | %3")
                     .arg(table->model()->headerData(column, Qt::Horizontal).toString(),
                          table->model()->index(0, column).data().toString(),
                          table->model()->index(1, column).data().toString());
    EXPECT_EQ(pairs.mid(0, 2), (QStringList{QStringLiteral("比較 36 / 36 | 36 / 36"), QStringLiteral("交換 0 / 0 | 4 / 4")}));
    // Home takes both to their start, End to their end.
    pressKey(both, Qt::Key_Home);
    EXPECT_FALSE(comparison.left().canGoBack() || comparison.right().canGoBack());
    pressKey(both, Qt::Key_End);
    EXPECT_FALSE(comparison.left().canGoForward() || comparison.right().canGoForward());
    EXPECT_TRUE(pairs.filter(QStringLiteral("Add ")).size() == 1) << pairs.join(u'\n').toStdString();
    EXPECT_TRUE(pairs.last().startsWith(QStringLiteral("手順 "))) << pairs.join(u'\n').toStdString();

    pressKey(both, Qt::Key_Home);
    pressKey(both, Qt::CTRL | Qt::Key_Right);
    EXPECT_EQ(comparison.left().current(), 1u);
    EXPECT_EQ(comparison.right().current(), 0u);
    pressKey(both, Qt::Key_Escape);
    EXPECT_FALSE(both.isVisible());
}

// At every scale and in both faces the window stays on the screen with nothing cut, the rows of a
// far exchange in view.
TEST(TalverinStepWindowDisplayTest, WithinTheScreen) {
    host::testing::expectStepWindowWithinTheScreen<Form1>(QStringLiteral("talverin-steps"), 1, 5);
}

} // namespace
} // namespace talverin
