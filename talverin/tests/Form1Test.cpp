#include "talverin/Form1.h"

#include "host/testing/FormHarness.h"
#include "runtime/testing/RuntimeTesting.h"
#include "sortlib/testing/ProbeCompare.h"

#include <gtest/gtest.h>

#include <random>

namespace talverin {
namespace {

using host::testing::FormHarness;
using runtime::ErrorKind;
using runtime::make;
using runtime::Object;
using runtime::Ref;
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

// The whole trace of a click, line by line; a second click writes the same.
TEST(TalverinWindowTest, TraceShowsEachComparisonWithItsPositionsAndEachExchange) {
    // clang-format off
    std::vector<std::string> const expected{
        "== 大きい順: LongGT",
        "Compare([9] 5562, [1] 1851) = True",
        "Exchange 1 and 9: 5562 9353 2748 926 1166 12703 40 66916 1851",
        "Compare([8] 66916, [1] 5562) = True",
        "Exchange 1 and 8: 66916 9353 2748 926 1166 12703 40 5562 1851",
        "Compare([7] 40, [1] 66916) = False",
        "Compare([6] 12703, [1] 66916) = False",
        "Compare([5] 1166, [1] 66916) = False",
        "Compare([4] 926, [1] 66916) = False",
        "Compare([3] 2748, [1] 66916) = False",
        "Compare([2] 9353, [1] 66916) = False",
        "Compare([9] 1851, [2] 9353) = False",
        "Compare([8] 5562, [2] 9353) = False",
        "Compare([7] 40, [2] 9353) = False",
        "Compare([6] 12703, [2] 9353) = True",
        "Exchange 2 and 6: 66916 12703 2748 926 1166 9353 40 5562 1851",
        "Compare([5] 1166, [2] 12703) = False",
        "Compare([4] 926, [2] 12703) = False",
        "Compare([3] 2748, [2] 12703) = False",
        "Compare([9] 1851, [3] 2748) = False",
        "Compare([8] 5562, [3] 2748) = True",
        "Exchange 3 and 8: 66916 12703 5562 926 1166 9353 40 2748 1851",
        "Compare([7] 40, [3] 5562) = False",
        "Compare([6] 9353, [3] 5562) = True",
        "Exchange 3 and 6: 66916 12703 9353 926 1166 5562 40 2748 1851",
        "Compare([5] 1166, [3] 9353) = False",
        "Compare([4] 926, [3] 9353) = False",
        "Compare([9] 1851, [4] 926) = True",
        "Exchange 4 and 9: 66916 12703 9353 1851 1166 5562 40 2748 926",
        "Compare([8] 2748, [4] 1851) = True",
        "Exchange 4 and 8: 66916 12703 9353 2748 1166 5562 40 1851 926",
        "Compare([7] 40, [4] 2748) = False",
        "Compare([6] 5562, [4] 2748) = True",
        "Exchange 4 and 6: 66916 12703 9353 5562 1166 2748 40 1851 926",
        "Compare([5] 1166, [4] 5562) = False",
        "Compare([9] 926, [5] 1166) = False",
        "Compare([8] 1851, [5] 1166) = True",
        "Exchange 5 and 8: 66916 12703 9353 5562 1851 2748 40 1166 926",
        "Compare([7] 40, [5] 1851) = False",
        "Compare([6] 2748, [5] 1851) = True",
        "Exchange 5 and 6: 66916 12703 9353 5562 2748 1851 40 1166 926",
        "Compare([9] 926, [6] 1851) = False",
        "Compare([8] 1166, [6] 1851) = False",
        "Compare([7] 40, [6] 1851) = False",
        "Compare([9] 926, [7] 40) = True",
        "Exchange 7 and 9: 66916 12703 9353 5562 2748 1851 926 1166 40",
        "Compare([8] 1166, [7] 926) = True",
        "Exchange 7 and 8: 66916 12703 9353 5562 2748 1851 1166 926 40",
        "Compare([9] 40, [8] 926) = False",
        "-- 36 calls",
    };
    // clang-format on
    host::testing::TracedHarness<Form1> traced;
    EXPECT_EQ(traced.click(1), expected);
    EXPECT_EQ(traced.click(1), expected);
    EXPECT_EQ(traced.harness.lines("List1"), kExpected[1]);
}

// Also run at the scale factors 1.5 and 2 (see add_display_tests).
// Lines whole and captions even in every Japanese face, set before or after the window is shown.
TEST(TalverinDisplayTest, WholeInEveryFace) { host::testing::expectWholeInEveryFace<Form1>("talverin", 0); }

TEST(TalverinDisplayTest, ReadableAtAnyScaleAndFontAndToScreenReaders) {
    FormHarness<Form1> harness;
    host::testing::expectReadableAndAccessible(harness.window);
}

TEST(TalverinWindowTest, ScreenshotShowsTheSortedNumbers) {
    FormHarness<Form1> harness;
    harness.click(2);
    EXPECT_TRUE(host::testing::saveScreenshot(harness.window, QStringLiteral("talverin.png")));
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
    host::testing::expectEndurance(harness.clickRepeatedly(10000, "List1"), 9);
}

} // namespace
} // namespace talverin
