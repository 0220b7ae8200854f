#include "pelora/Form1.h"

#include "host/testing/FormHarness.h"
#include "runtime/testing/RuntimeTesting.h"
#include "sortlib/testing/ProbeCompare.h"

#include <gtest/gtest.h>

#include <regex>

#include <random>

namespace pelora {
namespace {

using host::testing::FormHarness;
using runtime::ErrorKind;
using runtime::make;
using runtime::Object;
using runtime::Ref;
using runtime::Variant;
using sortlib::ICompare;
using sortlib::testing::ProbeCompare;

// Roster positions, top to bottom, after each button.
std::vector<int> const kOrders[] = {
    {8, 7, 6, 16, 1, 2, 12, 19, 15, 18, 5, 9, 13, 17, 10, 3, 14, 4, 11, 20},
    {16, 12, 5, 18, 8, 6, 7, 1, 19, 2, 17, 11, 3, 4, 15, 13, 14, 20, 9, 10},
    {1, 2, 3, 5, 4, 6, 9, 10, 7, 8, 11, 17, 12, 13, 18, 16, 15, 19, 20, 14},
};

// A comparator that never asks for an exchange, so the list shows the roster in its first order.
class KeepOrder final : public ICompare {};

// The line of each roster position, read from the window with a sort that moves nothing.
QStringList rosterLines() {
    FormHarness<Form1> unsorted([](Ref<ICompare>) { return Ref<ICompare>(make<KeepOrder>()); });
    unsorted.click(0);
    return unsorted.lines("List1");
}

QStringList linesInOrder(std::vector<int> const& positions) {
    static QStringList const roster = rosterLines();
    QStringList lines;
    for (int position : positions)
        lines << roster.at(position - 1);
    return lines;
}

TEST(PeloraWindowTest, WindowShowsTheStoredLayout) {
    FormHarness<Form1> harness;
    EXPECT_EQ(harness.window.windowTitle(),
              QStringLiteral("QZでMRK風サンプル－異なるクラスのオブジェクトの並べ替え"));
    EXPECT_EQ(harness.window.geometry(), QRect(79, 128, 551, 337));
    EXPECT_EQ(harness.window.listWidget("List1")->geometry(), QRect(8, 8, 433, 316));
    EXPECT_EQ(harness.window.commandButton(0)->geometry(), QRect(464, 128, 81, 33));
    EXPECT_EQ(harness.window.commandButton(2)->geometry(), QRect(464, 192, 81, 41));
    EXPECT_EQ(harness.window.commandButton(1)->text(), QStringLiteral("体重順"));
    EXPECT_TRUE(harness.lines("List1").isEmpty());
}

TEST(PeloraWindowTest, RosterLinesAreThePersonsOwnDescriptions) {
    QStringList const roster = rosterLines();
    ASSERT_EQ(roster.size(), 20);
    EXPECT_EQ(roster[0], QStringLiteral("身長160cm , 体重56kg , 18才の1年生"));
    EXPECT_EQ(roster[7], QStringLiteral("身長155cm , 体重55kg , 22才の2年生"));
    EXPECT_EQ(roster[9], QStringLiteral("身長172cm , 体重85kg , 21才の3年生"));
    EXPECT_EQ(roster[13], QStringLiteral("身長178cm , 体重65kg , 60才で担当科目は国語の先生"));
    EXPECT_EQ(roster[15], QStringLiteral("身長158cm , 体重45kg , 38才で担当科目は数学の先生"));
    EXPECT_EQ(roster[19], QStringLiteral("身長181cm , 体重70kg , 50才で担当科目は英語の先生"));
}

TEST(PeloraWindowTest, EachButtonListsTheRosterInItsOrder) {
    FormHarness<Form1> harness;
    for (int index = 0; index < 3; ++index) {
        harness.click(index);
        EXPECT_EQ(harness.lines("List1"), linesInOrder(kOrders[index])) << "button " << index;
    }
    harness.click(0);
    EXPECT_EQ(harness.lines("List1").first(), QStringLiteral("身長155cm , 体重55kg , 22才の2年生"));
    EXPECT_TRUE(harness.errors.empty());
}

TEST(PeloraWindowTest, EveryClickMakesOneHundredNinetyCallsAndItsExchanges) {
    std::vector<Ref<ProbeCompare>> probes;
    FormHarness<Form1> harness([&](Ref<ICompare> inner) {
        probes.push_back(make<ProbeCompare>(std::move(inner)));
        return Ref<ICompare>(probes.back());
    });
    int const exchanges[] = {31, 30, 10};
    for (int index = 0; index < 3; ++index) {
        probes.clear();
        harness.click(index);
        ASSERT_EQ(probes.size(), 3u);
        EXPECT_EQ(probes[index]->calls, 190);
        EXPECT_EQ(probes[index]->trueAnswers, exchanges[index]);
    }
}

TEST(PeloraWindowTest, AnySequenceOfClicksShowsTwentyLinesAndKeepsNoObject) {
    FormHarness<Form1> harness;
    std::mt19937 random(5);
    for (int click = 0; click < 20; ++click) {
        int const index = static_cast<int>(random() % 3);
        auto const before = Object::liveCount();
        harness.click(index);
        EXPECT_EQ(Object::liveCount(), before);
        EXPECT_EQ(harness.lines("List1"), linesInOrder(kOrders[index])) << "click " << click;
    }
}

TEST(PeloraWindowTest, AnIndexOutsideTheTableRaisesAndLeavesTheList) {
    FormHarness<Form1> harness;
    harness.click(2);
    for (std::int16_t bad : {std::int16_t{-1}, std::int16_t{3}, std::int16_t{-32768}}) {
        auto const before = Object::liveCount();
        EXPECT_TRUE(runtime::testing::raises(ErrorKind::SubscriptOutOfRange,
                                             [&] { harness.form.Command1_Click(bad); }));
        EXPECT_EQ(Object::liveCount(), before);
        EXPECT_EQ(harness.lines("List1"), linesInOrder(kOrders[2]));
    }
}

// A click's trace names each person by class and number, shows where each comparison looks and the
// heights it reads, and how each exchange reorders the roster: the three students of 155 cm end up
// in reverse roster order because the pass finds the last of them first and only a smaller height
// displaces it.
TEST(PeloraWindowTest, TraceShowsEachComparisonItsMemberReadsAndEachExchange) {
    host::testing::TracedHarness<Form1> traced;
    std::vector<std::string> const lines = traced.click(0);
    ASSERT_EQ(lines.size(), 623u);
    // clang-format off
    std::vector<std::string> const start{
        "== 身長順: CmpHeight",
        "Compare([20] Teacher#9, [1] Student#2) = False",
        "  Teacher#9.Height = 181",
        "  Student#2.Height = 160",
    };
    // clang-format on
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 4), start);
    // clang-format off
    std::vector<std::string> const shortest{
        "Compare([8] Student#9, [1] Teacher#5) = True",
        "  Student#9.Height = 155",
        "  Teacher#5.Height = 158",
        "Exchange 1 and 8: Student#9 Student#3 Student#4 Student#5 Student#6 Student#7 Student#8 Teacher#5 Student#10 Student#11 Student#12 Student#13 Teacher#2 Teacher#3 Teacher#4 Student#2 Teacher#6 Teacher#7 Teacher#8 Teacher#9",
        "Compare([7] Student#8, [1] Student#9) = False",
        "  Student#8.Height = 155",
        "  Student#9.Height = 155",
        "Compare([6] Student#7, [1] Student#9) = False",
        "  Student#7.Height = 155",
        "  Student#9.Height = 155",
    };
    // clang-format on
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 38, lines.begin() + 48), shortest);
    std::regex const shape(
        R"((== 身長順: CmpHeight|Compare\(\[\d+\] (Student|Teacher)#\d+, \[\d+\] (Student|Teacher)#\d+\) = (True|False)|  (Student|Teacher)#\d+\.Height = \d+|Exchange \d+ and \d+:( (Student|Teacher)#\d+){20}|(Student|Teacher)#\d+\.Get_String = ".+"|-- 190 calls))");
    for (std::string const& line : lines)
        EXPECT_TRUE(std::regex_match(line, shape)) << line;
    EXPECT_EQ(traced.click(0), lines);
}

// Also run at the scale factors 1.5 and 2 (see add_display_tests).
// Lines whole and captions even in every Japanese face, set before or after the window is shown.
TEST(PeloraDisplayTest, WholeInEveryFace) { host::testing::expectWholeInEveryFace<Form1>("pelora", 0); }

TEST(PeloraDisplayTest, ReadableAtAnyScaleAndFontAndToScreenReaders) {
    FormHarness<Form1> harness;
    host::testing::expectReadableAndAccessible(harness.window);
}

TEST(PeloraWindowTest, ScreenshotShowsTheSortedRoster) {
    FormHarness<Form1> harness;
    harness.click(0);
    EXPECT_TRUE(host::testing::saveScreenshot(harness.window, QStringLiteral("pelora.png")));
}

TEST(PeloraHardeningTest, AFaultAtEveryComparatorCallIsReportedAndLosesNothing) {
    int failAt = 0;
    FormHarness<Form1> harness(
        [&](Ref<ICompare> inner) { return Ref<ICompare>(make<ProbeCompare>(std::move(inner), failAt)); });
    for (int button = 0; button < 3; ++button) {
        failAt = 0;
        harness.click((button + 1) % 3);
        QStringList const previous = harness.lines("List1");
        for (int k = 1; k <= 190; ++k) {
            SCOPED_TRACE(::testing::Message() << "button " << button << ", call " << k);
            failAt = k;
            harness.clickExpectingError(button, ErrorKind::FailedCall);
            EXPECT_EQ(harness.lines("List1"), previous);
        }
        failAt = 0;
        harness.click(button);
        EXPECT_EQ(harness.lines("List1"), linesInOrder(kOrders[button]));
    }
    EXPECT_TRUE(harness.errors.empty());
}

TEST(PeloraHardeningTest, TenThousandClicksKeepObjectsLinesAndMemoryFlat) {
    FormHarness<Form1> harness;
    harness.clickRepeatedly(1000, "List1");
    host::testing::expectEndurance(harness.clickRepeatedly(10000, "List1"), 20);
}

} // namespace
} // namespace pelora
