#include "host/StepWindow.h"
#include "host/StepTableModel.h"

#include "host/Utf16.h"
#include "host/testing/StepTesting.h"
#include "runtime/Text.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSlider>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

namespace host {
namespace {

using testing::buttonNamed;
using testing::pressKey;
using testing::snapshotOf;

constexpr std::size_t kExchange = 0; // the sample recording's jumps
constexpr std::size_t kPass = 1;

// The sample recording's marks, by index into Recording::marks.
enum SampleMark : std::uint8_t { kNone, kLhs, kRhs, kAdded, kTwin, kRemoved, kExchanged, kSettled };

// A recording made by hand of an exchange sort of numbers (smallest first, or largest first): a step
// for each pass and each comparison, and each exchange both as two operations and as one whole step,
// with its counters, its variables i and j, and at the end every row settled. Each step's sentence
// names it, so no two steps look alike.
form::Recording sampleRecording(std::vector<std::int32_t> numbers, bool largestFirst) {
    form::Recording recording;
    recording.chosen = largestFirst ? u"Greater" : u"Less";
    recording.marks = {{},
                       {u"lhs（j）", form::MarkStyle::Strong},
                       {u"rhs（i）", form::MarkStyle::Underlined},
                       {u"Add した", form::MarkStyle::Strong},
                       {u"同じ要素", form::MarkStyle::Echo},
                       {u"Remove した", form::MarkStyle::StruckOut},
                       {u"交換した", form::MarkStyle::Strong},
                       {u"済み", form::MarkStyle::Settled}};
    recording.jumps = {u"交換", u"パス"};
    std::vector<std::uint16_t> order; // element numbers, position 1 first
    for (std::int32_t const number : numbers) {
        order.push_back(static_cast<std::uint16_t>(recording.elements.size()));
        recording.elements.push_back({runtime::decimalText(number), {}});
    }
    auto const n = static_cast<std::int32_t>(order.size());
    std::int32_t comparisons = 0;
    std::int32_t exchanges = 0;
    std::int32_t i = 0;
    std::int32_t j = 0;
    auto const add = [&](std::u16string sentence, int line,
                         std::vector<std::pair<std::int32_t, SampleMark>> marks,
                         form::Fold fold = form::Fold::Always, std::uint32_t stops = 0) -> form::Step& {
        form::Step& step = recording.steps.emplace_back();
        step.sentence = sentence + u"（" + runtime::decimalText(recording.steps.size()) + u"）";
        step.line = line;
        step.fold = fold;
        step.stops = stops;
        for (std::size_t at = 0; at < order.size(); ++at) {
            auto const position = static_cast<std::int32_t>(at + 1);
            std::uint8_t mark = kNone;
            for (auto const& [marked, kind] : marks)
                mark = marked == position || marked < 0 ? std::uint8_t(kind) : mark;
            step.rows.push_back({position, order[at], mark});
        }
        step.counters = {{u"比較", comparisons, n * (n - 1) / 2}, {u"交換", exchanges, 0}};
        step.variables = {{u"i", i > 0 ? runtime::decimalText(i) : u"", line == 1},
                          {u"j", j > 0 ? runtime::decimalText(j) : u"", line == 2}};
        return step;
    };
    add(u"始め", 0, {});
    for (i = 1; i < n; ++i) {
        add(u"パス", 1, {}, form::Fold::Always, 1u << kPass);
        for (j = n; j > i; --j) {
            ++comparisons;
            add(u"比較", 2, {{j, kLhs}, {i, kRhs}}).calls = {{0, u"Compare(lhs, rhs)", false}};
            std::int32_t const lhs = numbers[std::size_t(order[std::size_t(j - 1)])];
            std::int32_t const rhs = numbers[std::size_t(order[std::size_t(i - 1)])];
            if (largestFirst ? lhs <= rhs : lhs >= rhs)
                continue;
            ++exchanges;
            std::uint16_t const moved = order[std::size_t(i - 1)];
            order.insert(order.begin() + (i - 1), order[std::size_t(j - 1)]);
            add(u"Add", 3, {{i, kAdded}, {j + 1, kTwin}}, form::Fold::UnfoldedOnly, 1u << kExchange);
            order.erase(order.begin() + j);
            order[std::size_t(j - 1)] = moved;
            form::Step& removed = add(u"Remove", 3, {}, form::Fold::UnfoldedOnly);
            removed.rows.insert(removed.rows.begin() + j, {0, moved, kRemoved});
            add(u"交換", 3, {{i, kExchanged}, {j, kExchanged}}, form::Fold::FoldedOnly, 1u << kExchange);
        }
    }
    i = j = 0;
    add(u"終わり", 0, {{-1, kSettled}});
    return recording;
}

constexpr std::u16string_view kSampleLines[] = {u"パス", u"比較", u"交換"};

form::Lesson const& sampleLesson() {
    static form::Lesson const lesson{
        u"Sort_Collection", kSampleLines, true,
        [](std::int16_t index, std::span<std::int32_t const> numbers) {
            std::vector<std::int32_t> const given(numbers.begin(), numbers.end());
            return sampleRecording(given.empty() ? std::vector<std::int32_t>{40, 7, 12, 3, 25} : given,
                                   index == 1);
        }};
    return lesson;
}

// A form of two buttons and a list, whose step window shows the sample recording.
constexpr form::ControlLayout kControls[] = {
    {form::ControlKind::CommandButton, "Command1", 0, u"小さい順", 2000, 120, 1215, 495, 1},
    {form::ControlKind::CommandButton, "Command1", 1, u"大きい順", 2000, 700, 1215, 495, 2},
    {form::ControlKind::ListBox, "List1", form::kNoIndex, u"", 120, 120, 1455, 3480, 0},
};
constexpr form::FormLayout kLayout{u"見本", 1185, 1920, 3500, 3810, kControls};

class SampleForm final : public form::Form {
public:
    form::FormLayout const& layout() const override { return kLayout; }
    void Command1_Click(std::int16_t Index) override {
        List1.Clear();
        List1.AddItem(Index == 0 ? u"小さい順" : u"大きい順");
    }
    static form::Lesson const& lesson() { return sampleLesson(); }

    form::ListBox List1{*this, "List1"};
};

using SampleSteps = testing::StepHarness<SampleForm>;

// The step window of the sample form, open on a click of button.
struct OpenSteps {
    explicit OpenSteps(int button) {
        steps.harness.click(button);
        window = steps.open();
    }
    SampleSteps steps;
    StepWindow* window = nullptr;
};

// Where the step window goes: beside the main window on the first side with room for its minimum,
// in the order right, below, left, above, as near to the main window as the screen lets it and made
// smaller to fit; where no side has room, beside the main window moved to the screen's edge; with no
// room for both, on the screen in the corner away from the main window.
TEST(StepWindowTest, BesideWindowPlacesItOnTheFirstSideWithRoom) {
    QRect const screen(0, 0, 1600, 1000);
    QSize const size(900, 600);
    QSize const minimum(500, 400);
    struct Row {
        char const* where;
        QRect main;
        QRect window;
        QPoint mainMovedTo;
    };
    Row const rows[] = {
        {"right, at the main window's top", QRect(0, 100, 400, 500), QRect(400, 100, 900, 600),
         QPoint(0, 100)},
        {"right, narrower, on the screen", QRect(0, 700, 1000, 200), QRect(1000, 400, 600, 600),
         QPoint(0, 700)},
        {"below, at the main window's left", QRect(200, 0, 1200, 300), QRect(200, 300, 900, 600),
         QPoint(200, 0)},
        {"left, ending at the main window", QRect(1100, 100, 500, 600), QRect(200, 100, 900, 600),
         QPoint(1100, 100)},
        {"left, made narrower", QRect(700, 100, 900, 700), QRect(0, 100, 700, 600), QPoint(700, 100)},
        {"above, ending at the main window", QRect(100, 550, 1300, 450), QRect(100, 0, 900, 550),
         QPoint(100, 550)},
        {"the main window moved to the left edge", QRect(400, 300, 800, 500), QRect(800, 300, 800, 600),
         QPoint(0, 300)},
        {"the main window moved to the top edge", QRect(300, 300, 1200, 500), QRect(300, 500, 900, 500),
         QPoint(300, 0)},
        {"no room: the far corner", QRect(100, 100, 1400, 800), QRect(700, 400, 900, 600), QPoint(100, 100)},
    };
    for (Row const& row : rows) {
        Beside const beside = besideWindow(row.main, size, minimum, screen);
        EXPECT_EQ(beside.window, row.window) << row.where;
        EXPECT_EQ(beside.main, row.mainMovedTo) << row.where;
    }
    // A screen smaller than the window: it is made as small as the screen, not smaller than minimum.
    EXPECT_EQ(besideWindow(QRect(0, 0, 300, 300), size, minimum, QRect(0, 0, 800, 500)).window,
              QRect(300, 0, 500, 500));
}

// The table model says what changed of a step: the rows that differ, with rows inserted or removed
// only when their count changes, and never a reset within a recording.
TEST(StepWindowTest, TheTableModelTellsWhichRowsAStepChanged) {
    form::Recording const recording = sampleRecording({40, 7, 12, 3, 25}, true);
    StepTableModel model;
    model.setRecording(&recording);
    QSignalSpy const resets(&model, &QAbstractItemModel::modelReset);
    QSignalSpy const changes(&model, &QAbstractItemModel::dataChanged);
    QSignalSpy const inserts(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy const removals(&model, &QAbstractItemModel::rowsRemoved);
    auto const rowsOf = [&](QSignalSpy const& spy, int at) {
        return std::pair(spy.at(at).at(0).value<QModelIndex>().row(),
                         spy.at(at).at(1).value<QModelIndex>().row());
    };
    auto const stepOf = [&](std::u16string_view begins) {
        return std::find_if(recording.steps.begin(), recording.steps.end(),
                            [&](form::Step const& step) { return step.sentence.starts_with(begins); });
    };
    model.setStep(&recording.steps[0]);
    EXPECT_EQ(inserts.size(), 1);
    EXPECT_EQ(model.rowCount(), 5);
    EXPECT_EQ(model.columnCount(), 3);
    // The first comparison marks positions 5 (lhs) and 1 (rhs): rows 0 to 4 change. Largest first, it
    // exchanges nothing, and the next one moves lhs to 4: rows 3 and 4 only.
    auto const compare = stepOf(u"比較");
    model.setStep(&*compare);
    ASSERT_EQ(changes.size(), 1);
    EXPECT_EQ(rowsOf(changes, 0), std::pair(0, 4));
    EXPECT_EQ(model.index(4, 1).data().toString(), QStringLiteral("lhs（j）"));
    EXPECT_TRUE(model.index(4, 2).data(Qt::FontRole).value<QFont>().bold());
    EXPECT_TRUE(model.index(0, 2).data(Qt::FontRole).value<QFont>().underline());
    EXPECT_EQ(model.index(0, 2).data(Qt::ToolTipRole).toString(), QStringLiteral("40"));
    ASSERT_TRUE(compare[1].sentence.starts_with(u"比較"));
    model.setStep(&compare[1]);
    ASSERT_EQ(changes.size(), 2);
    EXPECT_EQ(rowsOf(changes, 1), std::pair(3, 4));
    // An Add makes one row more, a Remove's struck-out row keeps the count, the whole exchange one less.
    auto const add = stepOf(u"Add");
    model.setStep(&*(add - 1));
    qsizetype const inserted = inserts.size();
    model.setStep(&*add);
    EXPECT_EQ(inserts.size(), inserted + 1);
    EXPECT_EQ(model.rowCount(), 6);
    model.setStep(&*(add + 1));
    EXPECT_EQ(model.rowCount(), 6);
    int const struck = static_cast<int>(std::find_if(add[1].rows.begin(), add[1].rows.end(),
                                                     [](form::Row const& row) { return row.position == 0; }) -
                                        add[1].rows.begin());
    ASSERT_LT(struck, 6);
    EXPECT_EQ(model.index(struck, 0).data().toString(), QStringLiteral("—"));
    EXPECT_TRUE(model.index(struck, 2).data(Qt::FontRole).value<QFont>().strikeOut());
    EXPECT_FALSE(model.index(struck, 1).data(Qt::FontRole).value<QFont>().strikeOut())
        << "the mark is read as it is";
    model.setStep(&*(add + 2));
    EXPECT_EQ(removals.size(), 1);
    EXPECT_EQ(model.rowCount(), 5);
    // The same step again changes nothing.
    qsizetype const told = changes.size();
    model.setStep(&*(add + 2));
    EXPECT_EQ(changes.size(), told);
    EXPECT_EQ(resets.size(), 0);
    // Settled rows carry a sign besides their tint.
    model.setStep(&recording.steps.back());
    EXPECT_EQ(model.index(0, 1).data().toString(), QStringLiteral("✓ 済み"));
}

// F2 opens the window; it asks for a click, then follows it; → and End reach the last step, ← comes
// back exactly; Home goes to the first; Space plays and pauses; Esc closes; the About window's button
// and F2 there open it again.
TEST(StepWindowTest, F2OpensTheWindowAndTheKeysStepForwardAndBackExactly) {
    SampleSteps steps;
    StepWindow* window = steps.open();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->stepCount(), 0u);
    QString const waiting = snapshotOf(*window).join(u'\n');
    EXPECT_TRUE(waiting.contains(QStringLiteral("まだボタンが押されていません"))) << waiting.toStdString();
    // Every control, the table and the procedure are named and described for screen readers.
    for (QWidget const* control : window->findChildren<QWidget*>()) {
        bool const view =
            qobject_cast<QAbstractItemView const*>(control) && !qobject_cast<QHeaderView const*>(control);
        if (!(control->focusPolicy() & Qt::TabFocus) && !view)
            continue;
        EXPECT_FALSE(control->accessibleName().isEmpty()) << control->metaObject()->className();
        EXPECT_FALSE(control->accessibleDescription().isEmpty()) << control->metaObject()->className();
    }
    window->close();
    steps.harness.window.setAbout(QStringLiteral("見本"), QStringLiteral("説明"));
    QApplication::setActiveWindow(&steps.harness.window);
    QTest::keyClick(&steps.harness.window, Qt::Key_F1);
    auto* about = steps.harness.window.findChild<QMessageBox*>();
    ASSERT_NE(about, nullptr);
    QAbstractButton* open = nullptr;
    for (QAbstractButton* button : about->buttons())
        open = button->text().contains(QStringLiteral("F2")) ? button : open;
    ASSERT_NE(open, nullptr);
    QApplication::setActiveWindow(about);
    QTest::keyClick(about, Qt::Key_F2);
    EXPECT_TRUE(window->isVisible());
    window->close();
    open->click();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(steps.harness.window.stepWindow(), window);

    steps.harness.click(1);
    ASSERT_GT(window->stepCount(), 15u);
    std::vector<QStringList> forwards{snapshotOf(*window)};
    while (window->currentStep() + 1 < window->stepCount()) {
        pressKey(*window, Qt::Key_Right);
        forwards.push_back(snapshotOf(*window));
    }
    EXPECT_EQ(forwards.size(), window->stepCount());
    QString const last = forwards.back().join(u'\n');
    EXPECT_TRUE(last.contains(QStringLiteral("比較 10 / 10　交換 "))) << last.toStdString();
    EXPECT_TRUE(last.contains(QStringLiteral("手順 %1 / %1").arg(window->stepCount()))) << last.toStdString();
    for (std::size_t back = forwards.size() - 1; back-- > 0;) {
        pressKey(*window, Qt::Key_Left);
        ASSERT_EQ(snapshotOf(*window), forwards[back]) << "step " << back;
    }
    pressKey(*window, Qt::Key_End);
    EXPECT_EQ(snapshotOf(*window), forwards.back());
    pressKey(*window, Qt::Key_Home);
    EXPECT_EQ(snapshotOf(*window), forwards.front());
    QAbstractButton const* play = buttonNamed(*window, QStringLiteral("再生と一時停止"));
    ASSERT_NE(play, nullptr);
    EXPECT_EQ(play->text(), QStringLiteral("再生"));
    pressKey(*window, Qt::Key_Space);
    EXPECT_EQ(play->text(), QStringLiteral("一時停止"));
    EXPECT_TRUE(window->player().playing());
    pressKey(*window, Qt::Key_Space);
    EXPECT_EQ(play->text(), QStringLiteral("再生"));
    pressKey(*window, Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
    testing::pressF2(steps.harness.window);
    EXPECT_TRUE(window->isVisible());
    // A new click is followed from its first step.
    window->goToStep(4);
    steps.harness.click(0);
    EXPECT_EQ(window->recording().chosen, u"Less");
    EXPECT_EQ(window->currentStep(), 0u);
}

// The keys step and jump wherever the focus is (PageUp and PageDown in the field of own numbers too,
// whose arrows edit its text); Tab goes round the controls from the top left to the bottom right,
// never into the table or the procedure.
TEST(StepWindowTest, KeysStepFromEveryControlAndTabFollowsTheLayout) {
    OpenSteps open(0);
    StepWindow& window = *open.window;
    QApplication::setActiveWindow(&window);
    auto* const field = window.findChild<QLineEdit*>(QStringLiteral("numbers"));
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(QApplication::focusWidget(), window.findChild<QSlider*>()) << "the focus starts on the slider";

    auto* const speed = window.findChild<QComboBox*>();
    int const chosenSpeed = speed->currentIndex();
    std::vector<QWidget*> focusable;
    for (QWidget* control : window.findChildren<QWidget*>()) {
        if ((control->focusPolicy() & Qt::TabFocus) && control->isVisibleTo(&window) && control->isEnabled())
            focusable.push_back(control);
    }
    std::size_t const middle = window.stepCount() / 2;
    for (QWidget* control : focusable) {
        char const* const name = control->metaObject()->className();
        window.goToStep(middle);
        control->setFocus();
        ASSERT_EQ(QApplication::focusWidget(), control) << name;
        std::optional<std::size_t> const nextExchange = window.player().nextStop(kExchange);
        std::optional<std::size_t> const previousPass = window.player().previousStop(kPass);
        ASSERT_TRUE(nextExchange && previousPass);
        pressKey(window, Qt::Key_PageDown);
        EXPECT_EQ(window.currentStep(), *nextExchange) << name;
        window.goToStep(middle);
        pressKey(window, Qt::CTRL | Qt::Key_PageUp);
        EXPECT_EQ(window.currentStep(), *previousPass) << name;
        window.goToStep(middle);
        pressKey(window, Qt::Key_Right);
        if (control == field) {
            EXPECT_EQ(window.currentStep(), middle) << "the field's arrows edit its text";
            continue;
        }
        EXPECT_EQ(window.currentStep(), middle + 1) << name;
        pressKey(window, Qt::Key_Left);
        EXPECT_EQ(window.currentStep(), middle) << name;
        // Space presses a focused button or check box, as everywhere; elsewhere it plays and pauses.
        if (qobject_cast<QAbstractButton*>(control))
            continue;
        pressKey(window, Qt::Key_Space);
        EXPECT_TRUE(window.player().playing()) << name;
        pressKey(window, Qt::Key_Space);
        EXPECT_FALSE(window.player().playing()) << name;
    }
    EXPECT_EQ(speed->currentIndex(), chosenSpeed);
    window.goToStep(middle);
    QAbstractButton* const next = host::testing::buttonNamed(window, QStringLiteral("次の手順へ"));
    ASSERT_NE(next, nullptr);
    next->setFocus();
    pressKey(window, Qt::Key_Space);
    EXPECT_EQ(window.currentStep(), middle + 1);
    EXPECT_FALSE(window.player().playing());

    // Tab, from the first control: each next one stands right of the last on its row, or on a row
    // further down; round to the first after every control, never into the table.
    window.goToStep(middle);
    focusable.clear();
    for (QWidget* control : window.findChildren<QWidget*>()) {
        if ((control->focusPolicy() & Qt::TabFocus) && control->isVisibleTo(&window) && control->isEnabled())
            focusable.push_back(control);
    }
    QWidget* const first = buttonNamed(window, QStringLiteral("最初の手順へ"));
    first->setFocus();
    std::vector<QWidget*> visited{first};
    for (std::size_t presses = 0; presses < 2 * focusable.size(); ++presses) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        if (QApplication::focusWidget() == first)
            break;
        visited.push_back(QApplication::focusWidget());
    }
    EXPECT_EQ(visited.size(), focusable.size());
    for (std::size_t index = 1; index < visited.size(); ++index) {
        QRect const before(visited[index - 1]->mapTo(&window, QPoint()), visited[index - 1]->size());
        QRect const now(visited[index]->mapTo(&window, QPoint()), visited[index]->size());
        bool const sameRow = now.top() < before.bottom() && before.top() < now.bottom();
        EXPECT_TRUE(sameRow ? now.left() > before.left() : now.top() > before.top())
            << visited[index]->accessibleName().toStdString() << " after "
            << visited[index - 1]->accessibleName().toStdString();
        EXPECT_EQ(qobject_cast<QAbstractItemView*>(visited[index]), nullptr);
    }
}

// At the first step nothing goes back, at the last nothing goes on or plays, and a jump with no stop
// that way is disabled; the focus on a button that becomes disabled goes to the slider.
TEST(StepWindowTest, ControlsThatCanDoNothingAreDisabled) {
    OpenSteps open(1);
    StepWindow& window = *open.window;
    auto const enabled = [&](char const* name) {
        QAbstractButton const* button = buttonNamed(window, QString::fromUtf8(name));
        EXPECT_NE(button, nullptr) << name;
        return button && button->isEnabled();
    };
    struct Expected {
        bool first, back, next, last, play, previousExchange, nextExchange, previousPass, nextPass;
    };
    auto const expect = [&](Expected const& expected, char const* where) {
        EXPECT_EQ(enabled("最初の手順へ"), expected.first) << where;
        EXPECT_EQ(enabled("前の手順へ"), expected.back) << where;
        EXPECT_EQ(enabled("次の手順へ"), expected.next) << where;
        EXPECT_EQ(enabled("最後の手順へ"), expected.last) << where;
        EXPECT_EQ(enabled("再生と一時停止"), expected.play) << where;
        EXPECT_EQ(enabled("前の交換へ"), expected.previousExchange) << where;
        EXPECT_EQ(enabled("次の交換へ"), expected.nextExchange) << where;
        EXPECT_EQ(enabled("前のパスへ"), expected.previousPass) << where;
        EXPECT_EQ(enabled("次のパスへ"), expected.nextPass) << where;
    };
    expect({false, false, true, true, true, false, true, false, true}, "first step");
    window.jump(kPass, true);
    expect({true, true, true, true, true, false, true, false, true}, "first pass");
    window.goToStep(window.stepCount());
    expect({true, true, false, false, false, true, false, true, false}, "last step");

    QAbstractButton* const next = buttonNamed(window, QStringLiteral("次の手順へ"));
    window.goToStep(window.stepCount() - 2);
    QApplication::setActiveWindow(&window);
    next->setFocus();
    QTest::keyClick(next, Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !next->isEnabled(); }));
    EXPECT_EQ(window.currentStep() + 1, window.stepCount());
    EXPECT_FALSE(next->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), window.findChild<QSlider*>());
    pressKey(window, Qt::Key_Left);
    EXPECT_EQ(window.currentStep() + 2, window.stepCount()) << "the arrows step from there";
}

// A run of one's own numbers moves the focus to the slider, where the arrows step at once; a refused
// input keeps the focus in the field, and its message is what screen readers are told.
TEST(StepWindowTest, OwnNumbersGoToTheSliderAndARefusalIsAnnounced) {
    OpenSteps open(0);
    StepWindow& window = *open.window;
    QApplication::setActiveWindow(&window);
    auto* const field = window.findChild<QLineEdit*>(QStringLiteral("numbers"));
    testing::runOwnNumbers(window, QStringLiteral("1 x 3"));
    QString const refused = testing::ownNumbersMessage(window);
    EXPECT_FALSE(refused.isEmpty());
    EXPECT_EQ(QApplication::focusWidget(), field);
    // The message reads as it shows, and the field where the focus stays says it too.
    QString const message =
        QAccessible::queryAccessibleInterface(window.findChild<QLabel*>(QStringLiteral("message")))
            ->text(QAccessible::Name);
    EXPECT_TRUE(message.contains(refused)) << message.toStdString();
    EXPECT_TRUE(
        QAccessible::queryAccessibleInterface(field)->text(QAccessible::Description).contains(refused));

    testing::runOwnNumbers(window, QStringLiteral("9 4 6"));
    EXPECT_FALSE(
        QAccessible::queryAccessibleInterface(field)->text(QAccessible::Description).contains(refused));
    EXPECT_TRUE(testing::ownNumbersMessage(window).isEmpty());
    EXPECT_EQ(window.recording().elements.size(), 3u);
    EXPECT_EQ(QApplication::focusWidget(), window.findChild<QSlider*>());
    pressKey(window, Qt::Key_Right);
    EXPECT_EQ(window.currentStep(), 1u);
    // By the button too.
    window.findChild<QLineEdit*>(QStringLiteral("numbers"))->setText(QStringLiteral("5 2"));
    QAbstractButton* const run = buttonNamed(window, QStringLiteral("自分の数で実行"));
    run->setFocus();
    QTest::keyClick(run, Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.recording().elements.size() == 2; }));
    EXPECT_EQ(window.recording().elements.size(), 2u);
    EXPECT_EQ(QApplication::focusWidget(), window.findChild<QSlider*>());
    // The chooser is named for what it chooses, not by its current choice.
    auto* const chooser = window.findChild<QLineEdit*>(QStringLiteral("numbers"))->parentWidget()->findChild<QComboBox*>();
    EXPECT_EQ(chooser->accessibleName(), QStringLiteral("使う比較オブジェクト"));
}

// What a label shows is its accessible name, under its caption: the counters, calls, variables,
// position and sentence read differently at two steps, the variable just set said to be so. (Qt tells
// screen readers of each new name; the offscreen platform has no bridge to hear it.)
TEST(StepWindowTest, ScreenReadersReadWhatTheLabelsShowAtEachStep) {
    OpenSteps open(0);
    StepWindow& window = *open.window;
    auto const spoken = [&] {
        QStringList names;
        for (QLabel* label : window.findChildren<QLabel*>()) {
            QAccessibleInterface* const accessible = QAccessible::queryAccessibleInterface(label);
            names << accessible->text(QAccessible::Name);
        }
        return names;
    };
    auto const withPrefix = [](QStringList const& names, QString const& prefix) {
        QStringList found =
            names.filter(QRegularExpression(QStringLiteral("^") + QRegularExpression::escape(prefix)));
        return found.size() == 1 ? found.front() : QStringLiteral("%1 labels").arg(found.size());
    };
    // A pass begun, then its first comparison.
    window.goToStep(1);
    QStringList const before = spoken();
    pressKey(window, Qt::Key_Right);
    QStringList const after = spoken();
    for (QString const& prefix : {QStringLiteral("カウンター: 比較 "), QStringLiteral("呼び出し: "),
                                  QStringLiteral("変数: i = "), QStringLiteral("手順 ")}) {
        QString const was = withPrefix(before, prefix);
        QString const is = withPrefix(after, prefix);
        EXPECT_TRUE(was.startsWith(prefix)) << was.toStdString();
        EXPECT_TRUE(is.startsWith(prefix)) << is.toStdString();
        EXPECT_NE(was, is) << prefix.toStdString();
    }
    EXPECT_EQ(withPrefix(before, QStringLiteral("変数: ")),
              QStringLiteral("変数: i = 1（変わった）、j = なし"));
    EXPECT_EQ(withPrefix(after, QStringLiteral("変数: ")), QStringLiteral("変数: i = 1、j = 5（変わった）"));
    EXPECT_TRUE(after.contains(toQString(window.step()->sentence)));
    EXPECT_FALSE(before.contains(toQString(window.step()->sentence)));
}

} // namespace
} // namespace host
