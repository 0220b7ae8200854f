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

// F2 opens the window; it asks for a click, then follows it; → and End reach the last step, ← comes
// back exactly; Home goes to the first.
TEST(TalverinStepsTest, F2OpensTheWindowAndTheKeysStepForwardAndBackExactly) {
    StepHarness<Form1> steps;
    host::StepWindow* window = steps.open();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    // Every control is named and described for screen readers.
    for (QWidget const* control : window->findChildren<QWidget*>()) {
        if (!qobject_cast<QAbstractButton const*>(control) && !qobject_cast<QComboBox const*>(control) &&
            !qobject_cast<QSlider const*>(control) && !qobject_cast<QLineEdit const*>(control) &&
            !qobject_cast<QTableWidget const*>(control) && !qobject_cast<QListWidget const*>(control))
            continue;
        if (control->focusPolicy() == Qt::NoFocus && !qobject_cast<QListWidget const*>(control))
            continue; // the table's corner and other parts that no one reaches
        EXPECT_FALSE(control->accessibleName().isEmpty()) << control->metaObject()->className();
        EXPECT_FALSE(control->accessibleDescription().isEmpty()) << control->metaObject()->className();
    }
    // The About window's button opens the same window.
    window->close();
    steps.harness.window.setAbout(QStringLiteral("Talverin"), QStringLiteral("説明"));
    QApplication::setActiveWindow(&steps.harness.window);
    QTest::keyClick(&steps.harness.window, Qt::Key_F1);
    auto* about = steps.harness.window.findChild<QMessageBox*>();
    ASSERT_NE(about, nullptr);
    QAbstractButton* open = about->buttons().front();
    for (QAbstractButton* button : about->buttons()) {
        if (button->text().contains(QStringLiteral("F2")))
            open = button;
    }
    // F2 works there too, as the button's caption says.
    QApplication::setActiveWindow(about);
    QTest::keyClick(about, Qt::Key_F2);
    EXPECT_TRUE(window->isVisible());
    window->close();
    open->click();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(steps.harness.window.stepWindow(), window);
    EXPECT_EQ(window->stepCount(), 0u);
    EXPECT_TRUE(snapshotOf(*window).join(u'\n').contains(QStringLiteral("ボタンを押してください")));

    steps.harness.click(1);
    ASSERT_GT(window->stepCount(), 100u);
    std::vector<QStringList> forwards{snapshotOf(*window)};
    while (window->currentStep() + 1 < window->stepCount()) {
        pressKey(*window, Qt::Key_Right);
        forwards.push_back(snapshotOf(*window));
    }
    EXPECT_EQ(forwards.size(), window->stepCount());
    ASSERT_EQ(window->step()->kind, StepKind::End);
    QString const last = forwards.back().join(u'\n');
    EXPECT_TRUE(last.contains(QStringLiteral("比較 36 / 36"))) << last.toStdString();
    EXPECT_TRUE(last.contains(QStringLiteral("交換 12 回"))) << last.toStdString();
    for (std::size_t back = forwards.size() - 1; back-- > 0;) {
        pressKey(*window, Qt::Key_Left);
        ASSERT_EQ(snapshotOf(*window), forwards[back]) << "step " << back;
    }
    pressKey(*window, Qt::Key_End);
    EXPECT_EQ(snapshotOf(*window), forwards.back());
    pressKey(*window, Qt::Key_Home);
    EXPECT_EQ(snapshotOf(*window), forwards.front());
    // Space plays and pauses.
    auto const playButton = [&] {
        for (QAbstractButton const* button : window->findChildren<QAbstractButton*>()) {
            if (button->accessibleName() == QStringLiteral("再生と一時停止"))
                return button->text();
        }
        return QString();
    };
    EXPECT_EQ(playButton(), QStringLiteral("再生"));
    pressKey(*window, Qt::Key_Space);
    EXPECT_EQ(playButton(), QStringLiteral("一時停止"));
    pressKey(*window, Qt::Key_Space);
    EXPECT_EQ(playButton(), QStringLiteral("再生"));
    pressKey(*window, Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
    host::testing::pressF2(steps.harness.window);
    EXPECT_TRUE(window->isVisible());

    // A new click is followed; the main window's lines are its own.
    steps.harness.click(0);
    EXPECT_EQ(window->recording().chosen, u"LongLess");
    EXPECT_EQ(window->currentStep(), 0u);
    EXPECT_EQ(steps.harness.lines("List1").front(), QStringLiteral("40"));
}

// The keys step wherever the focus is but in the field, which starts without it; Tab goes round the
// controls in a handful of presses, not through the table's cells; the window opens beside the main one.
TEST(TalverinStepsTest, KeysStepFromEveryControlAndTabGoesRoundTheControls) {
    StepHarness<Form1> steps;
    steps.harness.window.move(0, 0);
    steps.harness.click(1);
    host::StepWindow& window = *steps.open();
    EXPECT_FALSE(window.frameGeometry().intersects(steps.harness.window.frameGeometry()))
        << "step window at " << window.x() << "," << window.y();
    QRect const screen = window.screen()->availableGeometry();
    EXPECT_TRUE(screen.contains(window.frameGeometry()))
        << window.frameGeometry().width() << "x" << window.frameGeometry().height() << " on "
        << screen.width() << "x" << screen.height() << ", at least " << window.minimumSizeHint().width()
        << "x" << window.minimumSizeHint().height();
    QApplication::setActiveWindow(&window);
    auto* const field = window.findChild<QLineEdit*>();
    ASSERT_NE(field, nullptr);
    ASSERT_TRUE(window.isAncestorOf(QApplication::focusWidget()));
    EXPECT_NE(QApplication::focusWidget(), field);

    auto* const speed = window.findChild<QComboBox*>();
    int const chosenSpeed = speed->currentIndex();
    std::vector<QWidget*> focusable;
    for (QWidget* control : window.findChildren<QWidget*>()) {
        if ((control->focusPolicy() & Qt::TabFocus) && control->isVisibleTo(&window) && control->isEnabled())
            focusable.push_back(control);
    }
    ASSERT_GE(focusable.size(), 10u);
    for (QWidget* control : focusable) {
        control->setFocus();
        ASSERT_EQ(QApplication::focusWidget(), control);
        char const* const name = control->metaObject()->className();
        window.goToStep(5);
        pressKey(window, Qt::Key_Right);
        if (control == field) {
            EXPECT_EQ(window.currentStep(), 5u) << "the field's arrows edit its text";
            continue;
        }
        EXPECT_EQ(window.currentStep(), 6u) << name;
        pressKey(window, Qt::Key_Left);
        EXPECT_EQ(window.currentStep(), 5u) << name;
        pressKey(window, Qt::Key_End);
        EXPECT_EQ(window.currentStep() + 1, window.stepCount()) << name;
        pressKey(window, Qt::Key_Home);
        EXPECT_EQ(window.currentStep(), 0u) << name;
        pressKey(window, Qt::Key_Space);
        EXPECT_EQ(window.findChild<QTimer*>(QString(), Qt::FindDirectChildrenOnly)->isActive(), true) << name;
        pressKey(window, Qt::Key_Space);
        EXPECT_EQ(window.findChild<QTimer*>(QString(), Qt::FindDirectChildrenOnly)->isActive(), false)
            << name;
    }
    EXPECT_EQ(speed->currentIndex(), chosenSpeed);

    // From the first button, Tab comes round to it again past every control, and never into the table.
    focusable.front()->setFocus();
    QWidget* const first = QApplication::focusWidget();
    std::size_t presses = 0;
    do {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(qobject_cast<QTableWidget*>(QApplication::focusWidget()), nullptr);
    } while (QApplication::focusWidget() != first && ++presses < 3 * focusable.size());
    EXPECT_EQ(presses + 1, focusable.size());
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
