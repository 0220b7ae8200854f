#include "pelora/Form1.h"

#include "host/ComparisonWindow.h"
#include "host/Utf16.h"
#include "host/testing/StepTesting.h"
#include "pelora/MemberCompare.h"
#include "sortlib/SortSteps.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSlider>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

namespace pelora {
namespace {

using host::testing::buttonNamed;
using host::testing::labelSaying;
using host::testing::pressKey;
using host::testing::said;
using host::testing::snapshotOf;

// The texts of one column of a table, top to bottom.
QStringList columnOf(QTableView const& table, int column) {
    QStringList texts;
    for (int row = 0; row < table.model()->rowCount(); ++row)
        texts << table.model()->index(row, column).data().toString();
    return texts;
}

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

// A learner's own comparator, by keys: Alt+C and ↓ choose 小さい順 by a member name, Alt+M types Grade,
// Enter runs it in this window only. The teachers have no Grade: the run stops at the first comparison
// with the runtime's failed-call error, and the why panel says why (missingMemberSentence), as the
// lesson of the run, not as a refusal. An empty name is refused with its message and runs nothing.
TEST(PeloraStepWindowTest, ScreenshotOfAnOwnComparatorStoppingAtGrade) {
    host::testing::StepHarness<Form1> steps;
    steps.harness.click(0);
    QStringList const mainLines = steps.harness.lines("List1");
    host::StepWindow& window = *steps.open();
    pressKey(window, Qt::ALT | Qt::Key_C);
    auto* const chooser = qobject_cast<QComboBox*>(QApplication::focusWidget());
    ASSERT_NE(chooser, nullptr);
    for (int press = 0; press < 3; ++press)
        pressKey(window, Qt::Key_Down);
    EXPECT_EQ(chooser->currentText(), QStringLiteral("小さい順（メンバー名）"));
    pressKey(window, Qt::ALT | Qt::Key_M);
    auto* const field = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->accessibleName(), QStringLiteral("メンバー名"));
    QTest::keyClicks(field, QStringLiteral("Grade"));
    pressKey(window, Qt::Key_Return);

    EXPECT_TRUE(host::testing::ownNumbersMessage(window).isEmpty());
    EXPECT_EQ(window.recording().chosen, u"CmpMember");
    EXPECT_EQ(steps.harness.lines("List1"), mainLines) << "the main window is left as it was";
    pressKey(window, Qt::Key_End);
    form::Step const& stop = *window.step();
    EXPECT_EQ(static_cast<sortlib::SortStep>(stop.kind), sortlib::SortStep::Error);
    EXPECT_EQ(stop.counters.at(1).value, 1) << "the first comparison";
    EXPECT_EQ(said(window, QStringLiteral("実行時エラー: ")), runtime::toUtf8(stop.error));
    std::string const why = said(window, QStringLiteral("なぜ？ "));
    EXPECT_NE(why.find(runtime::toUtf8(missingMemberSentence(CmpMember(u"Grade", Order::Ascending), u"Teacher#20"))),
              std::string::npos)
        << why;
    EXPECT_TRUE(host::testing::ownNumbersMessage(window).isEmpty()) << "the lesson of the run, not a refusal";
    EXPECT_TRUE(host::testing::saveScreenshot(window, QStringLiteral("pelora-member-grade.png")));

    // An empty name runs nothing: the message says why, the field keeps the focus, the run stays shown.
    QStringList const shown = snapshotOf(window);
    pressKey(window, Qt::ALT | Qt::Key_M);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Backspace);
    pressKey(window, Qt::Key_Return);
    QString const message = host::testing::ownNumbersMessage(window);
    EXPECT_EQ(message, host::toQString(memberNameMessage(u"")));
    EXPECT_EQ(QApplication::focusWidget(), field);
    QStringList now = snapshotOf(window);
    now[now.indexOf(message)] = QString();
    EXPECT_EQ(now.join(u'\n').toStdString(), shown.join(u'\n').toStdString());
}

// Each explanation shows once a run, at its first step: the first comparison of 身長順 says that
// CmpHeight knows only the member's name. Esc closes it, and coming back to that step does not show it
// again; Alt+W opens the list of the run's explanations, ↓ reads the next, Esc closes it again.
TEST(PeloraStepWindowTest, AnExplanationShowsOnceAndOpensAgain) {
    host::testing::StepHarness<Form1> steps;
    steps.harness.click(0);
    host::StepWindow& window = *steps.open();
    std::string const none = "(none)";
    EXPECT_EQ(said(window, QStringLiteral("なぜ？ ")), none);
    pressKey(window, Qt::Key_Right);
    pressKey(window, Qt::Key_Right);
    std::string const first = said(window, QStringLiteral("なぜ？ "));
    EXPECT_NE(first.find("CmpHeight が知っているのはメンバー名「Height」だけです。"), std::string::npos) << first;
    pressKey(window, Qt::Key_Escape);
    EXPECT_EQ(said(window, QStringLiteral("なぜ？ ")), none);
    EXPECT_TRUE(window.isVisible()) << "Esc closed the explanation, not the window";
    pressKey(window, Qt::Key_Left);
    pressKey(window, Qt::Key_Right);
    EXPECT_EQ(said(window, QStringLiteral("なぜ？ ")), none) << "once a run";

    pressKey(window, Qt::ALT | Qt::Key_W);
    EXPECT_TRUE(QTest::qWaitFor([&] { return said(window, QStringLiteral("なぜ？ ")) == first; }));
    auto* const list = qobject_cast<QListWidget*>(QApplication::focusWidget());
    ASSERT_NE(list, nullptr) << (QApplication::focusWidget() ? QApplication::focusWidget()->metaObject()->className() : "none");
    EXPECT_EQ(list->count(), static_cast<int>(window.recording().explanations.size()));
    EXPECT_GE(list->count(), 3);
    pressKey(window, Qt::Key_Down);
    std::string const second = said(window, QStringLiteral("なぜ？ "));
    EXPECT_EQ(second, runtime::toUtf8(u"なぜ？ " + window.recording().explanations[1].title + u": " +
                                      window.recording().explanations[1].text)
                          .substr(std::string("なぜ？ ").size()));
    pressKey(window, Qt::Key_Escape);
    EXPECT_EQ(said(window, QStringLiteral("なぜ？ ")), none);
    EXPECT_EQ(QApplication::focusWidget(), window.findChild<QSlider*>()) << "back where the arrows step";
}

// Two runs side by side, opened with Alt+2 from 身長順: beside it the learner's own CmpMember of
// Height, both moved together by → to their ends. The three students of 155 cm carry the same tie
// group in both, and come out in reverse, as each run's note says.
TEST(PeloraStepWindowTest, ScreenshotOfTwoRunsSideBySideWithTheTieMarked) {
    host::testing::SideBySide<Form1> opened(0);
    ASSERT_NE(opened.both, nullptr);
    host::ComparisonWindow& both = *opened.both;
    form::Comparison const& comparison = both.comparison();
    EXPECT_EQ(comparison.left().recording().chosen, u"CmpHeight");
    EXPECT_EQ(comparison.right().recording().chosen, u"CmpMember");
    int moves = 0;
    while (comparison.left().canGoForward() || comparison.right().canGoForward()) {
        pressKey(both, Qt::Key_Right);
        ASSERT_LE(++moves, 190);
    }
    EXPECT_EQ(moves, 190);

    std::vector<QTableView*> tables;
    for (QTableView* table : both.findChildren<QTableView*>()) {
        if (table->accessibleName().endsWith(QStringLiteral("のコレクション")))
            tables.push_back(table);
    }
    ASSERT_EQ(tables.size(), 2u);
    QString tie;
    for (QTableView const* table : tables) {
        int const value = 2;
        int const ties = table->model()->columnCount() - 2;
        ASSERT_EQ(table->model()->headerData(ties, Qt::Horizontal).toString(), QStringLiteral("同値"));
        QStringList const values = columnOf(*table, value);
        QStringList const groups = columnOf(*table, ties);
        QStringList const lines = columnOf(*table, ties + 1);
        // The three 155s stand first, the last of the roster's first: ages 22, 21, 20.
        EXPECT_EQ(values.mid(0, 4), (QStringList{QStringLiteral("155"), QStringLiteral("155"),
                                                QStringLiteral("155"), QStringLiteral("158")}));
        tie = tie.isEmpty() ? groups[0] : tie;
        EXPECT_TRUE(tie.startsWith(QStringLiteral("同値 "))) << tie.toStdString();
        EXPECT_EQ(groups.count(tie), 3) << "the same group in both runs, for 155 only";
        EXPECT_EQ(groups.mid(0, 3), (QStringList{tie, tie, tie}));
        for (int row = 0; row < 3; ++row)
            EXPECT_TRUE(lines[row].contains(QString::number(22 - row))) << lines[row].toStdString();
    }
    for (QString const& side : {QStringLiteral("左"), QStringLiteral("右")}) {
        std::string const note = said(both, side + QStringLiteral("の実行全体について: "));
        EXPECT_NE(note.find("（155）の 3 つの要素"), std::string::npos) << note;
        EXPECT_NE(note.find("もとの位置 8・7・6 の順"), std::string::npos) << note;
    }
    host::testing::expectWholeOnScreen(both, QStringLiteral("pelora-side-by-side"));
}

// At every scale and in both faces the window stays on the screen with nothing cut; at step 3 of
// 身長順, roster position 20 (lhs) is in view.
TEST(PeloraStepWindowDisplayTest, WithinTheScreen) {
    host::testing::expectStepWindowWithinTheScreen<Form1>(QStringLiteral("pelora-steps"), 0, 2);
}

} // namespace
} // namespace pelora
