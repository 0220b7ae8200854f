#include "ambulon/Form1.h"

#include "ambulon/testing/ProbeFunc.h"
#include "host/CommandButton.h"
#include "host/testing/FormHarness.h"
#include "runtime/testing/RuntimeTesting.h"

#include <gtest/gtest.h>

#include <random>

namespace ambulon {
namespace {

using host::testing::FormHarness;
using runtime::ErrorKind;
using runtime::make;
using runtime::Object;
using runtime::Ref;
using testing::ProbeFunc;

QStringList const kInput{"1", "2", "3", "10", "100", "123", "1000", "7777", "10000"};
QStringList const kResults[] = {
    {"1", "4", "9", "100", "10000", "15129", "1000000", "60481729", "100000000"},
    {"-9", "-8", "-7", "0", "90", "113", "990", "7767", "9990"},
    {"-1", "-2", "-3", "-10", "-100", "-123", "-1000", "-7777", "-10000"},
    {"0", "0", "0", "6", "95", "117", "993", "7769", "9991"},
};

TEST(AmbulonWindowTest, WindowShowsTheStoredLayout) {
    FormHarness<Form1> harness;
    EXPECT_EQ(harness.window.windowTitle(), QStringLiteral("QZでMRK風サンプル－配列の各要素を編集"));
    EXPECT_EQ(harness.window.geometry(), QRect(79, 128, 298, 254));
    EXPECT_EQ(harness.window.listWidget("List2")->geometry(), QRect(104, 8, 97, 232));
    EXPECT_EQ(harness.window.commandButton(1)->geometry(), QRect(208, 40, 81, 41));
    // The caption is wider than its button, so it is drawn on a second line too.
    auto const& count = dynamic_cast<host::CommandButton const&>(*harness.window.commandButton(3));
    EXPECT_EQ(count.text(), QStringLiteral("1・2・3…を引く"));
    EXPECT_EQ(count.accessibleName(), QStringLiteral("1・2・3…を引く"));
    EXPECT_TRUE(count.captionText().contains(QLatin1Char('\n')));
    EXPECT_EQ(QString(count.captionText()).remove(QLatin1Char('\n')), QStringLiteral("1・2・3…を引く"));
    EXPECT_EQ(harness.window.commandButton(0)->text(), QStringLiteral("x^2"));
    EXPECT_TRUE(harness.lines("List1").isEmpty());
    EXPECT_TRUE(harness.lines("List2").isEmpty());
}

TEST(AmbulonWindowTest, AScreenReaderCanTellEveryControlApart) {
    FormHarness<Form1> harness;
    EXPECT_EQ(harness.window.listWidget("List1")->accessibleName(), QStringLiteral("入力"));
    EXPECT_EQ(harness.window.listWidget("List2")->accessibleName(), QStringLiteral("結果"));
    EXPECT_EQ(harness.window.commandButton(0)->accessibleName(), QStringLiteral("xの2乗"));
}

TEST(AmbulonWindowTest, EachButtonShowsTheInputAndItsResults) {
    FormHarness<Form1> harness;
    for (int index = 0; index < 4; ++index) {
        harness.click(index);
        EXPECT_EQ(harness.lines("List1"), kInput) << "button " << index;
        EXPECT_EQ(harness.lines("List2"), kResults[index]) << "button " << index;
    }
    EXPECT_TRUE(harness.errors.empty());
}

TEST(AmbulonWindowTest, TheRunningCountStartsAfreshOnEveryClick) {
    FormHarness<Form1> harness;
    harness.click(3);
    harness.click(3);
    EXPECT_EQ(harness.lines("List2"), kResults[3]);
}

TEST(AmbulonWindowTest, AnySequenceOfClicksShowsNineLinesEachAndKeepsNoObject) {
    FormHarness<Form1> harness;
    std::mt19937 random(11);
    for (int click = 0; click < 30; ++click) {
        int const index = static_cast<int>(random() % 4);
        auto const before = Object::liveCount();
        harness.click(index);
        EXPECT_EQ(Object::liveCount(), before);
        EXPECT_EQ(harness.lines("List1"), kInput);
        EXPECT_EQ(harness.lines("List2"), kResults[index]) << "click " << click;
    }
}

TEST(AmbulonWindowTest, EveryClickCallsItsFunctionOncePerNumber) {
    std::vector<Ref<ProbeFunc>> probes;
    FormHarness<Form1> harness([&](Ref<IUnaryFunc> inner) {
        probes.push_back(make<ProbeFunc>(std::move(inner)));
        return Ref<IUnaryFunc>(probes.back());
    });
    for (int index = 0; index < 4; ++index) {
        probes.clear();
        harness.click(index);
        ASSERT_EQ(probes.size(), 4u);
        for (int other = 0; other < 4; ++other)
            EXPECT_EQ(probes[other]->calls, other == index ? 9 : 0);
    }
}

TEST(AmbulonWindowTest, AnIndexOutsideTheTableRaisesAfterList1IsFilled) {
    FormHarness<Form1> harness;
    harness.click(0);
    harness.window.listWidget("List1")->clear();
    for (std::int16_t bad : {std::int16_t{-1}, std::int16_t{4}, std::int16_t{32767}}) {
        auto const before = Object::liveCount();
        EXPECT_TRUE(runtime::testing::raises(ErrorKind::SubscriptOutOfRange,
                                             [&] { harness.form.Command1_Click(bad); }));
        EXPECT_EQ(Object::liveCount(), before);
        EXPECT_EQ(harness.lines("List1"), kInput);
        EXPECT_EQ(harness.lines("List2"), kResults[0]);
    }
}

// Beneath each call of the binder, the call it makes in turn and the running counter's read.
TEST(AmbulonWindowTest, TraceShowsTheBindersInnerCallAndTheCountersReads) {
    // clang-format off
    std::vector<std::string> const expected{
        "== 1・2・3…を引く: Bind1st",
        "Exec(1) = 0",
        "  Exec(1, SeqCount#1) = 0",
        "    SeqCount#1.Counter = 1",
        "Exec(2) = 0",
        "  Exec(2, SeqCount#1) = 0",
        "    SeqCount#1.Counter = 2",
        "Exec(3) = 0",
        "  Exec(3, SeqCount#1) = 0",
        "    SeqCount#1.Counter = 3",
        "Exec(10) = 6",
        "  Exec(10, SeqCount#1) = 6",
        "    SeqCount#1.Counter = 4",
        "Exec(100) = 95",
        "  Exec(100, SeqCount#1) = 95",
        "    SeqCount#1.Counter = 5",
        "Exec(123) = 117",
        "  Exec(123, SeqCount#1) = 117",
        "    SeqCount#1.Counter = 6",
        "Exec(1000) = 993",
        "  Exec(1000, SeqCount#1) = 993",
        "    SeqCount#1.Counter = 7",
        "Exec(7777) = 7769",
        "  Exec(7777, SeqCount#1) = 7769",
        "    SeqCount#1.Counter = 8",
        "Exec(10000) = 9991",
        "  Exec(10000, SeqCount#1) = 9991",
        "    SeqCount#1.Counter = 9",
        "-- 9 calls",
    };
    // clang-format on
    host::testing::TracedHarness<Form1> traced;
    EXPECT_EQ(traced.click(3), expected);
    EXPECT_EQ(traced.click(3), expected);
    std::vector<std::string> const square = traced.click(0);
    ASSERT_EQ(square.size(), 11u);
    EXPECT_EQ(square[0], "== x^2: Sqr");
    EXPECT_EQ(square[9], "Exec(10000) = 100000000");
    EXPECT_EQ(square.back(), "-- 9 calls");
    EXPECT_EQ(traced.harness.lines("List2"), kResults[0]);
}

// Also run at the scale factors 1.5 and 2 (see add_display_tests).
// Lines whole and captions even in every Japanese face, set before or after the window is shown.
TEST(AmbulonDisplayTest, WholeInEveryFace) { host::testing::expectWholeInEveryFace<Form1>("ambulon", 0); }

TEST(AmbulonDisplayTest, ReadableAtAnyScaleAndFontAndToScreenReaders) {
    FormHarness<Form1> harness;
    host::testing::expectReadableAndAccessible(harness.window);
}

TEST(AmbulonWindowTest, ScreenshotShowsBothLists) {
    FormHarness<Form1> harness;
    harness.click(3);
    EXPECT_TRUE(host::testing::saveScreenshot(harness.window, QStringLiteral("ambulon.png")));
}

TEST(AmbulonHardeningTest, AFaultAtEveryFunctionCallIsReportedAndLosesNothing) {
    int failAt = 0;
    FormHarness<Form1> harness(
        [&](Ref<IUnaryFunc> inner) { return Ref<IUnaryFunc>(make<ProbeFunc>(std::move(inner), failAt)); });
    for (int button = 0; button < 4; ++button) {
        for (int k = 1; k <= 9; ++k) {
            SCOPED_TRACE(::testing::Message() << "button " << button << ", call " << k);
            failAt = 0;
            harness.click((button + 1) % 4);
            harness.window.listWidget("List1")->clear();
            failAt = k;
            harness.clickExpectingError(button, ErrorKind::FailedCall);
            EXPECT_EQ(harness.lines("List1"), kInput);
            EXPECT_EQ(harness.lines("List2"), kResults[(button + 1) % 4]);
            failAt = 0;
            harness.click(button);
            EXPECT_EQ(harness.lines("List2"), kResults[button]);
        }
    }
    EXPECT_TRUE(harness.errors.empty());
}

TEST(AmbulonHardeningTest, TenThousandClicksKeepObjectsLinesAndMemoryFlat) {
    FormHarness<Form1> harness;
    harness.clickRepeatedly(1000, "List2");
    auto const run = harness.clickRepeatedly(10000, "List2");
    host::testing::expectEndurance(run, 9);
    EXPECT_EQ(harness.lines("List1"), kInput);
}

} // namespace
} // namespace ambulon
