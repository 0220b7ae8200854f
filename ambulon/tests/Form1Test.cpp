#include "ambulon/Form1.h"

#include "host/CommandButton.h"
#include "host/testing/ProgramSuite.h"

namespace ambulon {
namespace {

using host::testing::FormHarness;
using host::testing::ProgramCase;

QStringList const kInput{"1", "2", "3", "10", "100", "123", "1000", "7777", "10000"};

struct Program {
    using Form = Form1;
    static ProgramCase const& expected();
};

ProgramCase const& Program::expected() {
    static ProgramCase const program{
        .title = QStringLiteral("QZでMRK風サンプル－配列の各要素を編集"),
        .geometry = QRect(79, 128, 298, 254),
        .listGeometries = {{"List1", QRect(8, 8, 97, 232)}, {"List2", QRect(104, 8, 97, 232)}},
        .buttons =
            {
                {QStringLiteral("x^2"),
                 QRect(208, 8, 81, 33),
                 {{"List1", kInput},
                  {"List2", {"1", "4", "9", "100", "10000", "15129", "1000000", "60481729", "100000000"}}},
                 "Sqr",
                 9,
                 {}},
                {QStringLiteral("x-10"),
                 QRect(208, 40, 81, 41),
                 {{"List1", kInput}, {"List2", {"-9", "-8", "-7", "0", "90", "113", "990", "7767", "9990"}}},
                 "Bind1st",
                 9,
                 {}},
                {QStringLiteral("-x"),
                 QRect(208, 80, 81, 33),
                 {{"List1", kInput},
                  {"List2", {"-1", "-2", "-3", "-10", "-100", "-123", "-1000", "-7777", "-10000"}}},
                 "Bind2nd",
                 9,
                 {}},
                {QStringLiteral("1・2・3…を引く"),
                 QRect(208, 112, 81, 33),
                 {{"List1", kInput}, {"List2", {"0", "0", "0", "6", "95", "117", "993", "7769", "9991"}}},
                 "Bind1st",
                 9,
                 {}},
            },
        // List1 shows the input before the function runs.
        .filledBeforeTheAlgorithm = {"List1"},
        .indexesOutsideTheTable = {-1, 4, 32767},
        // clang-format off
        .trace = {3, 31, {
            {0, {
                "== 1・2・3…を引く: Bind1st",
                "Start: 1 2 3 10 100 123 1000 7777 10000",
                "Exec(1) = 0",
                "  MinusCls.Exec(1, SeqCount#1) = 0",
                "    SeqCount#1.Counter = 1",
                "Exec(2) = 0",
                "  MinusCls.Exec(2, SeqCount#1) = 0",
                "    SeqCount#1.Counter = 2",
                "Exec(3) = 0",
                "  MinusCls.Exec(3, SeqCount#1) = 0",
                "    SeqCount#1.Counter = 3",
                "Exec(10) = 6",
                "  MinusCls.Exec(10, SeqCount#1) = 6",
                "    SeqCount#1.Counter = 4",
                "Exec(100) = 95",
                "  MinusCls.Exec(100, SeqCount#1) = 95",
                "    SeqCount#1.Counter = 5",
                "Exec(123) = 117",
                "  MinusCls.Exec(123, SeqCount#1) = 117",
                "    SeqCount#1.Counter = 6",
                "Exec(1000) = 993",
                "  MinusCls.Exec(1000, SeqCount#1) = 993",
                "    SeqCount#1.Counter = 7",
                "Exec(7777) = 7769",
                "  MinusCls.Exec(7777, SeqCount#1) = 7769",
                "    SeqCount#1.Counter = 8",
                "Exec(10000) = 9991",
                "  MinusCls.Exec(10000, SeqCount#1) = 9991",
                "    SeqCount#1.Counter = 9",
                "End: 0 0 0 6 95 117 993 7769 9991",
                "-- 9 calls of Exec",
            }},
        }, ""},
        // clang-format on
        .screenshotButton = 3,
        .screenshot = QStringLiteral("ambulon.png"),
    };
    return program;
}

// The fourth caption is wider than its button, so it is drawn on a second line too; a screen reader
// reads it whole, and each list by what it holds.
TEST(AmbulonWindowTest, ALongCaptionBreaksAndScreenReadersReadEveryControlWhole) {
    FormHarness<Form1> harness;
    auto const& count = dynamic_cast<host::CommandButton const&>(*harness.window.commandButton(3));
    EXPECT_EQ(count.accessibleName(), QStringLiteral("1・2・3…を引く"));
    EXPECT_TRUE(count.captionText().contains(QLatin1Char('\n')));
    EXPECT_EQ(QString(count.captionText()).remove(QLatin1Char('\n')), QStringLiteral("1・2・3…を引く"));
    EXPECT_EQ(harness.window.listWidget("List1")->accessibleName(), QStringLiteral("入力"));
    EXPECT_EQ(harness.window.listWidget("List2")->accessibleName(), QStringLiteral("結果"));
    EXPECT_EQ(harness.window.commandButton(0)->accessibleName(), QStringLiteral("xの2乗"));
}

} // namespace
} // namespace ambulon

namespace host::testing {
INSTANTIATE_TYPED_TEST_SUITE_P(Ambulon, ProgramTest, ambulon::Program);
INSTANTIATE_TYPED_TEST_SUITE_P(Ambulon, ProgramDisplayTest, ambulon::Program);
} // namespace host::testing
