#pragma once

// One suite of window tests for every program. A program instantiates it with a type that names
// its form and says what its window must show:
//
//   struct Program {
//       using Form = talverin::Form1;
//       static host::testing::ProgramCase const& expected();
//   };
//   namespace host::testing {
//   INSTANTIATE_TYPED_TEST_SUITE_P(Talverin, ProgramTest, talverin::Program);
//   INSTANTIATE_TYPED_TEST_SUITE_P(Talverin, ProgramDisplayTest, talverin::Program);
//   }
#include "host/testing/FormHarness.h"
#include "runtime/testing/CallProbe.h"
#include "runtime/testing/RuntimeTesting.h"

#include <QRect>
#include <QString>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <random>
#include <regex>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace host::testing {

// The lines of each list box, by list name.
using ListLines = std::vector<std::pair<std::string, QStringList>>;

// What the click of one button shows and asks of its algorithm.
struct ButtonCase {
    QString caption;
    QRect geometry;
    ListLines lists;
    // The class of the object that the algorithm calls, how often, and for a sort how many of those
    // calls answer true (its exchanges).
    std::string callee;
    int calls = 0;
    std::optional<int> trueAnswers;
};

// A click's trace: its line count, runs of lines that must stand at given lines (0-based), and the
// shape of every line (empty: no shape checked).
struct TraceCase {
    int button = 0;
    std::size_t lineCount = 0;
    std::vector<std::pair<std::size_t, std::vector<std::string>>> excerpts;
    std::string lineShape;
};

// What a program's window must show.
struct ProgramCase {
    QString title;
    QRect geometry;
    std::vector<std::pair<std::string, QRect>> listGeometries;
    std::vector<ButtonCase> buttons; // by Index
    // The lists that a click fills before its algorithm runs: a failing click has filled them anew,
    // with the same lines whichever button it was.
    std::vector<std::string> filledBeforeTheAlgorithm;
    std::vector<std::int16_t> indexesOutsideTheTable;
    TraceCase trace;
    int screenshotButton = 0;
    QString screenshot; // its file name
};

template <class FormType>
ListLines listLines(FormHarness<FormType> const& harness, ListLines const& like) {
    ListLines lines;
    for (auto const& [name, expected] : like)
        lines.emplace_back(name, harness.lines(name));
    return lines;
}

template <class FormType>
void clearLists(FormHarness<FormType>& harness, std::vector<std::string> const& names) {
    for (std::string const& name : names)
        harness.window.listWidget(name)->clear();
}

// The lists after a failed click of button after a click of other: those the click fills before its
// algorithm as a click of button shows them, the others as other left them.
inline ListLines afterAFailure(ProgramCase const& program, int button, int other) {
    ListLines const& clean = program.buttons[static_cast<std::size_t>(button)].lists;
    ListLines lines = program.buttons[static_cast<std::size_t>(other)].lists;
    for (std::size_t list = 0; list < lines.size(); ++list) {
        if (std::ranges::find(program.filledBeforeTheAlgorithm, lines[list].first) !=
            program.filledBeforeTheAlgorithm.end())
            lines[list].second = clean[list].second;
    }
    return lines;
}

template <class Program>
class ProgramTest : public ::testing::Test {
protected:
    using Form = typename Program::Form;
    static ProgramCase const& expected() { return Program::expected(); }
    static int buttonCount() { return static_cast<int>(expected().buttons.size()); }
    static ListLines const& linesOf(int button) {
        return expected().buttons[static_cast<std::size_t>(button)].lists;
    }
};

TYPED_TEST_SUITE_P(ProgramTest);

TYPED_TEST_P(ProgramTest, WindowShowsTheStoredLayoutAndEmptyLists) {
    FormHarness<typename TestFixture::Form> harness;
    ProgramCase const& program = TestFixture::expected();
    EXPECT_EQ(harness.window.windowTitle(), program.title);
    EXPECT_EQ(harness.window.geometry(), program.geometry);
    for (auto const& [name, geometry] : program.listGeometries) {
        EXPECT_EQ(harness.window.listWidget(name)->geometry(), geometry) << name;
        EXPECT_TRUE(harness.lines(name).isEmpty()) << name;
    }
    ASSERT_EQ(harness.window.commandButtonCount(), TestFixture::buttonCount());
    for (int index = 0; index < TestFixture::buttonCount(); ++index) {
        ButtonCase const& button = program.buttons[static_cast<std::size_t>(index)];
        EXPECT_EQ(harness.window.commandButton(index)->text(), button.caption) << index;
        EXPECT_EQ(harness.window.commandButton(index)->geometry(), button.geometry) << index;
    }
}

TYPED_TEST_P(ProgramTest, AnySequenceOfClicksShowsEachButtonsLinesAndKeepsNoObject) {
    FormHarness<typename TestFixture::Form> harness;
    // Every button once in order, then at random.
    std::mt19937 random(3);
    for (int click = 0; click < 40; ++click) {
        int const index =
            click < TestFixture::buttonCount()
                ? click
                : static_cast<int>(random() % static_cast<unsigned>(TestFixture::buttonCount()));
        auto const before = runtime::Object::liveCount();
        harness.click(index);
        EXPECT_EQ(runtime::Object::liveCount(), before);
        EXPECT_EQ(listLines(harness, TestFixture::linesOf(index)), TestFixture::linesOf(index))
            << "click " << click << ", button " << index;
    }
    EXPECT_TRUE(harness.errors.empty());
}

TYPED_TEST_P(ProgramTest, EachClickCallsTheChosenObjectAsOftenAsItsAlgorithmSays) {
    FormHarness<typename TestFixture::Form> harness;
    for (int index = 0; index < TestFixture::buttonCount(); ++index) {
        ButtonCase const& button = TestFixture::expected().buttons[static_cast<std::size_t>(index)];
        runtime::testing::CallProbe probe;
        runtime::Attachment const attached(probe);
        harness.click(index);
        EXPECT_EQ(probe.callees, std::set<std::string>{button.callee}) << index;
        EXPECT_EQ(probe.calls, button.calls) << index;
        if (button.trueAnswers) {
            EXPECT_EQ(probe.trueAnswers, *button.trueAnswers) << index;
        }
        EXPECT_EQ(listLines(harness, button.lists), button.lists) << index;
    }
}

TYPED_TEST_P(ProgramTest, AnIndexOutsideTheTableRaisesAndLeavesTheLists) {
    FormHarness<typename TestFixture::Form> harness;
    ProgramCase const& program = TestFixture::expected();
    harness.click(1);
    for (std::int16_t const bad : program.indexesOutsideTheTable) {
        clearLists(harness, program.filledBeforeTheAlgorithm);
        auto const before = runtime::Object::liveCount();
        EXPECT_TRUE(runtime::testing::raises(runtime::ErrorKind::SubscriptOutOfRange,
                                             [&] { harness.form.Command1_Click(bad); }));
        EXPECT_EQ(runtime::Object::liveCount(), before);
        EXPECT_EQ(listLines(harness, TestFixture::linesOf(1)), afterAFailure(program, 1, 1)) << bad;
    }
}

// Every interface call of every button's click, inner calls too, fails in turn: the error is
// reported, every object released, the lists show what they showed or what the click filled before
// its algorithm ran, and the next click is whole.
TYPED_TEST_P(ProgramTest, AFaultAtEveryCallIsReportedAndLosesNothing) {
    FormHarness<typename TestFixture::Form> harness;
    ProgramCase const& program = TestFixture::expected();
    for (int button = 0; button < TestFixture::buttonCount(); ++button) {
        int const other = (button + 1) % TestFixture::buttonCount();
        runtime::testing::CallProbe probe;
        runtime::Attachment const attached(probe);
        harness.click(button);
        int const calls = probe.everyCall;
        EXPECT_GE(calls, program.buttons[static_cast<std::size_t>(button)].calls);
        for (int k = 1; k <= calls; ++k) {
            SCOPED_TRACE(::testing::Message() << "button " << button << ", call " << k);
            probe.failAt = 0;
            harness.click(other);
            clearLists(harness, program.filledBeforeTheAlgorithm);
            probe.reset();
            probe.failAt = k;
            harness.clickExpectingError(button, runtime::ErrorKind::FailedCall);
            EXPECT_EQ(probe.everyCall, k);
            EXPECT_EQ(listLines(harness, TestFixture::linesOf(button)),
                      afterAFailure(program, button, other));
            probe.failAt = 0;
            harness.click(button);
            EXPECT_EQ(listLines(harness, TestFixture::linesOf(button)), TestFixture::linesOf(button));
        }
    }
    EXPECT_TRUE(harness.errors.empty());
}

// The whole trace of a click as the program's --trace writes it; a second click writes the same.
TYPED_TEST_P(ProgramTest, TraceFramesTheClickAndShowsEachCall) {
    TraceCase const& expected = TestFixture::expected().trace;
    TracedHarness<typename TestFixture::Form> traced;
    std::vector<std::string> const lines = traced.click(expected.button);
    EXPECT_EQ(lines.size(), expected.lineCount);
    for (auto const& [first, excerpt] : expected.excerpts) {
        ASSERT_LE(first + excerpt.size(), lines.size());
        auto const from = lines.begin() + static_cast<std::ptrdiff_t>(first);
        EXPECT_EQ(std::vector<std::string>(from, from + static_cast<std::ptrdiff_t>(excerpt.size())), excerpt)
            << "from line " << first;
    }
    if (!expected.lineShape.empty()) {
        std::regex const shape(expected.lineShape);
        for (std::string const& line : lines)
            EXPECT_TRUE(std::regex_match(line, shape)) << line;
    }
    EXPECT_EQ(traced.click(expected.button), lines);
    EXPECT_EQ(listLines(traced.harness, TestFixture::linesOf(expected.button)),
              TestFixture::linesOf(expected.button));
}

TYPED_TEST_P(ProgramTest, TenThousandClicksKeepObjectsLinesAndMemoryFlat) {
    FormHarness<typename TestFixture::Form> harness;
    auto const& [list, lines] = TestFixture::linesOf(0).back();
    harness.clickRepeatedly(1000, list);
    expectEndurance(harness.clickRepeatedly(10000, list), static_cast<int>(lines.size()));
}

REGISTER_TYPED_TEST_SUITE_P(ProgramTest, WindowShowsTheStoredLayoutAndEmptyLists,
                            AnySequenceOfClicksShowsEachButtonsLinesAndKeepsNoObject,
                            EachClickCallsTheChosenObjectAsOftenAsItsAlgorithmSays,
                            AnIndexOutsideTheTableRaisesAndLeavesTheLists,
                            AFaultAtEveryCallIsReportedAndLosesNothing, TraceFramesTheClickAndShowsEachCall,
                            TenThousandClicksKeepObjectsLinesAndMemoryFlat);

// Also run at the scale factors 1.5 and 2 (see add_display_tests).
template <class Program>
class ProgramDisplayTest : public ProgramTest<Program> {};

TYPED_TEST_SUITE_P(ProgramDisplayTest);

TYPED_TEST_P(ProgramDisplayTest, ReadableAtAnyScaleAndFontAndToScreenReaders) {
    FormHarness<typename TestFixture::Form> harness;
    expectReadableAndAccessible(harness.window);
}

// Saved in the build folder, for a person to look at.
TYPED_TEST_P(ProgramDisplayTest, ScreenshotShowsAClick) {
    FormHarness<typename TestFixture::Form> harness;
    harness.click(TestFixture::expected().screenshotButton);
    EXPECT_TRUE(saveScreenshot(harness.window, TestFixture::expected().screenshot));
}

// Lines whole and captions even in every Japanese face, set before or after the window is shown.
TYPED_TEST_P(ProgramDisplayTest, WholeInEveryFace) {
    QString const name = TestFixture::expected().screenshot.section(u'.', 0, 0);
    expectWholeInEveryFace<typename TestFixture::Form>(name.toStdString(), 0);
}

REGISTER_TYPED_TEST_SUITE_P(ProgramDisplayTest, ReadableAtAnyScaleAndFontAndToScreenReaders,
                            ScreenshotShowsAClick, WholeInEveryFace);

} // namespace host::testing
