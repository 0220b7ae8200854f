#include "talverin/Form1.h"

#include "runtime/formhost/testing/FormHarness.h"
#include "runtime/testing/RuntimeTesting.h"
#include "sortlib/testing/ProbeCompare.h"

#include <gtest/gtest.h>

#include <random>

namespace talverin {
namespace {

using runtime::ErrorKind;
using runtime::make;
using runtime::Object;
using runtime::Ref;
using runtime::testing::FormHarness;
using sortlib::ICompare;
using sortlib::testing::ProbeCompare;

QStringList const kExpected[] = {
    {"40", "926", "1166", "1851", "2748", "5562", "9353", "12703", "66916"},
    {"66916", "12703", "9353", "5562", "2748", "1851", "1166", "926", "40"},
    {"1166", "12703", "1851", "2748", "40", "5562", "66916", "926", "9353"},
};

TEST(TalverinWindowTest, WindowShowsTheStoredLayout) {
    FormHarness<Form1> harness;
    EXPECT_EQ(harness.window.windowTitle(), QStringLiteral("QZでMRK風サンプル－整数値の並べ替え"));
    EXPECT_EQ(harness.window.geometry(), QRect(79, 128, 299, 254));
    EXPECT_EQ(harness.window.listWidget("List1")->geometry(), QRect(8, 8, 185, 232));
    QStringList const captions{QStringLiteral("小さい順"), QStringLiteral("大きい順"),
                               QStringLiteral("文字列順")};
    for (int index = 0; index < 3; ++index)
        EXPECT_EQ(harness.window.commandButton(index)->text(), captions[index]);
    EXPECT_EQ(harness.window.commandButton(2)->geometry(), QRect(200, 72, 81, 41));
    EXPECT_TRUE(harness.lines("List1").isEmpty());
}

TEST(TalverinWindowTest, EachButtonListsTheNineNumbersInItsOrder) {
    FormHarness<Form1> harness;
    for (int index = 0; index < 3; ++index) {
        harness.click(index);
        EXPECT_EQ(harness.lines("List1"), kExpected[index]) << "button " << index;
    }
    EXPECT_TRUE(harness.errors.empty());
}

TEST(TalverinWindowTest, AnySequenceOfClicksShowsTheSameLinesAndKeepsNoObject) {
    FormHarness<Form1> harness;
    std::mt19937 random(3);
    for (int click = 0; click < 30; ++click) {
        int const index = static_cast<int>(random() % 3);
        auto const before = Object::liveCount();
        harness.click(index);
        EXPECT_EQ(Object::liveCount(), before);
        EXPECT_EQ(harness.lines("List1"), kExpected[index]) << "click " << click;
    }
}

TEST(TalverinWindowTest, EachComparatorTakesThirtySixCallsAndItsExchanges) {
    std::vector<Ref<ProbeCompare>> probes;
    FormHarness<Form1> harness([&](Ref<ICompare> inner) {
        probes.push_back(make<ProbeCompare>(std::move(inner)));
        return Ref<ICompare>(probes.back());
    });
    int const exchanges[] = {10, 12, 11};
    for (int index = 0; index < 3; ++index) {
        probes.clear();
        harness.click(index);
        ASSERT_EQ(probes.size(), 3u);
        EXPECT_EQ(probes[index]->calls, 36);
        EXPECT_EQ(probes[index]->trueAnswers, exchanges[index]);
        EXPECT_EQ(harness.lines("List1"), kExpected[index]);
    }
}

TEST(TalverinWindowTest, AnIndexOutsideTheTableRaisesAndLeavesTheList) {
    FormHarness<Form1> harness;
    harness.click(1);
    for (std::int16_t bad : {std::int16_t{-1}, std::int16_t{3}, std::int16_t{32767}, std::int16_t{-32768}}) {
        auto const before = Object::liveCount();
        EXPECT_TRUE(runtime::testing::raises(ErrorKind::SubscriptOutOfRange,
                                             [&] { harness.form.Command1_Click(bad); }));
        EXPECT_EQ(Object::liveCount(), before);
        EXPECT_EQ(harness.lines("List1"), kExpected[1]);
    }
}

TEST(TalverinWindowTest, TraceWritesEveryInterfaceCallAndTheirNumberPerClick) {
    runtime::testing::TracedHarness<Form1> traced;
    std::vector<std::string> const lines = traced.click(1);
    ASSERT_EQ(lines.size(), 37u);
    EXPECT_EQ(lines.front(), "Compare(5562, 1851) = True");
    EXPECT_EQ(lines.back(), "-- 36 calls");
    EXPECT_EQ(traced.harness.lines("List1"), kExpected[1]);
}

// Also run at the scale factors 1.5 and 2 (see add_display_tests).
TEST(TalverinDisplayTest, ReadableAtAnyScaleAndFontAndToScreenReaders) {
    FormHarness<Form1> harness;
    runtime::testing::expectReadableAndAccessible(harness.window);
}

TEST(TalverinWindowTest, ScreenshotShowsTheSortedNumbers) {
    FormHarness<Form1> harness;
    harness.click(2);
    EXPECT_TRUE(runtime::testing::saveScreenshot(harness.window, QStringLiteral("talverin.png")));
}

TEST(TalverinHardeningTest, AFaultAtEveryComparatorCallIsReportedAndLosesNothing) {
    int failAt = 0;
    FormHarness<Form1> harness(
        [&](Ref<ICompare> inner) { return Ref<ICompare>(make<ProbeCompare>(std::move(inner), failAt)); });
    for (int button = 0; button < 3; ++button) {
        for (int k = 1; k <= 36; ++k) {
            SCOPED_TRACE(::testing::Message() << "button " << button << ", call " << k);
            failAt = 0;
            harness.click((button + 1) % 3);
            failAt = k;
            harness.clickExpectingError(button, ErrorKind::FailedCall);
            EXPECT_EQ(harness.lines("List1"), kExpected[(button + 1) % 3]);
            failAt = 0;
            harness.click(button);
            EXPECT_EQ(harness.lines("List1"), kExpected[button]);
        }
    }
    EXPECT_TRUE(harness.errors.empty());
}

TEST(TalverinHardeningTest, TenThousandClicksKeepObjectsLinesAndMemoryFlat) {
    FormHarness<Form1> harness;
    harness.clickRepeatedly(1000, "List1");
    runtime::testing::expectEndurance(harness.clickRepeatedly(10000, "List1"), 9);
}

} // namespace
} // namespace talverin
