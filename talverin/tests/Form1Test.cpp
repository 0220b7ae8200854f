#include "talverin/Form1.h"

#include "host/testing/ProgramSuite.h"

namespace talverin {
namespace {

using host::testing::ProgramCase;

struct Program {
    using Form = Form1;
    static ProgramCase const& expected();
};

ProgramCase const& Program::expected() {
    static ProgramCase const program{
        .title = QStringLiteral("QZでMRK風サンプル－整数値の並べ替え"),
        .geometry = QRect(79, 128, 299, 254),
        .listGeometries = {{"List1", QRect(8, 8, 185, 232)}},
        .buttons =
            {
                {QStringLiteral("小さい順"),
                 QRect(200, 8, 81, 33),
                 {{"List1", {"40", "926", "1166", "1851", "2748", "5562", "9353", "12703", "66916"}}},
                 "LongLess",
                 36,
                 10},
                {QStringLiteral("大きい順"),
                 QRect(200, 40, 81, 33),
                 {{"List1", {"66916", "12703", "9353", "5562", "2748", "1851", "1166", "926", "40"}}},
                 "LongGT",
                 36,
                 12},
                {QStringLiteral("文字列順"),
                 QRect(200, 72, 81, 41),
                 {{"List1", {"1166", "12703", "1851", "2748", "40", "5562", "66916", "926", "9353"}}},
                 "StrLess",
                 36,
                 11},
            },
        .filledBeforeTheAlgorithm = {},
        .indexesOutsideTheTable = {-1, 3, 32767, -32768},
        // clang-format off
        .trace = {1, 60, {
            {0, {
                "== 大きい順: LongGT",
                "Start: 1851 9353 2748 926 1166 12703 40 66916 5562",
                "Pass 1 of 8: compares [9] down to [2] with [1]",
                "Compare([9] 5562, [1] 1851) = True",
                "Exchange [1] and [9]: 5562 to [1], 1851 to [9]",
                "Compare([8] 66916, [1] 5562) = True",
                "Exchange [1] and [8]: 66916 to [1], 5562 to [8]",
                "Compare([7] 40, [1] 66916) = False",
                "Compare([6] 12703, [1] 66916) = False",
                "Compare([5] 1166, [1] 66916) = False",
                "Compare([4] 926, [1] 66916) = False",
                "Compare([3] 2748, [1] 66916) = False",
                "Compare([2] 9353, [1] 66916) = False",
                "Pass 2 of 8: compares [9] down to [3] with [2]",
                "Compare([9] 1851, [2] 9353) = False",
                "Compare([8] 5562, [2] 9353) = False",
                "Compare([7] 40, [2] 9353) = False",
                "Compare([6] 12703, [2] 9353) = True",
                "Exchange [2] and [6]: 12703 to [2], 9353 to [6]",
                "Compare([5] 1166, [2] 12703) = False",
                "Compare([4] 926, [2] 12703) = False",
                "Compare([3] 2748, [2] 12703) = False",
                "Pass 3 of 8: compares [9] down to [4] with [3]",
                "Compare([9] 1851, [3] 2748) = False",
                "Compare([8] 5562, [3] 2748) = True",
                "Exchange [3] and [8]: 5562 to [3], 2748 to [8]",
                "Compare([7] 40, [3] 5562) = False",
                "Compare([6] 9353, [3] 5562) = True",
                "Exchange [3] and [6]: 9353 to [3], 5562 to [6]",
                "Compare([5] 1166, [3] 9353) = False",
                "Compare([4] 926, [3] 9353) = False",
                "Pass 4 of 8: compares [9] down to [5] with [4]",
                "Compare([9] 1851, [4] 926) = True",
                "Exchange [4] and [9]: 1851 to [4], 926 to [9]",
                "Compare([8] 2748, [4] 1851) = True",
                "Exchange [4] and [8]: 2748 to [4], 1851 to [8]",
                "Compare([7] 40, [4] 2748) = False",
                "Compare([6] 5562, [4] 2748) = True",
                "Exchange [4] and [6]: 5562 to [4], 2748 to [6]",
                "Compare([5] 1166, [4] 5562) = False",
                "Pass 5 of 8: compares [9] down to [6] with [5]",
                "Compare([9] 926, [5] 1166) = False",
                "Compare([8] 1851, [5] 1166) = True",
                "Exchange [5] and [8]: 1851 to [5], 1166 to [8]",
                "Compare([7] 40, [5] 1851) = False",
                "Compare([6] 2748, [5] 1851) = True",
                "Exchange [5] and [6]: 2748 to [5], 1851 to [6]",
                "Pass 6 of 8: compares [9] down to [7] with [6]",
                "Compare([9] 926, [6] 1851) = False",
                "Compare([8] 1166, [6] 1851) = False",
                "Compare([7] 40, [6] 1851) = False",
                "Pass 7 of 8: compares [9] down to [8] with [7]",
                "Compare([9] 926, [7] 40) = True",
                "Exchange [7] and [9]: 926 to [7], 40 to [9]",
                "Compare([8] 1166, [7] 926) = True",
                "Exchange [7] and [8]: 1166 to [7], 926 to [8]",
                "Pass 8 of 8: compares [9] with [8]",
                "Compare([9] 40, [8] 926) = False",
                "End: 66916 12703 9353 5562 2748 1851 1166 926 40",
                "-- 36 calls of Compare, 12 exchanges",
            }},
        }, ""},
        // clang-format on
        .screenshotButton = 2,
        .screenshot = QStringLiteral("talverin.png"),
    };
    return program;
}

} // namespace
} // namespace talverin

namespace host::testing {
INSTANTIATE_TYPED_TEST_SUITE_P(Talverin, ProgramTest, talverin::Program);
INSTANTIATE_TYPED_TEST_SUITE_P(Talverin, ProgramDisplayTest, talverin::Program);
} // namespace host::testing
