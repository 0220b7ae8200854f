#include "pelora/Form1.h"

#include "host/testing/ProgramSuite.h"

namespace pelora {
namespace {

using host::testing::ProgramCase;

// The line of each roster position.
QStringList const kRoster{
    QStringLiteral("身長160cm , 体重56kg , 18才の1年生"),
    QStringLiteral("身長160cm , 体重58kg , 18才の1年生"),
    QStringLiteral("身長175cm , 体重60kg , 19才の1年生"),
    QStringLiteral("身長178cm , 体重62kg , 20才の1年生"),
    QStringLiteral("身長165cm , 体重50kg , 19才の2年生"),
    QStringLiteral("身長155cm , 体重55kg , 20才の2年生"),
    QStringLiteral("身長155cm , 体重55kg , 21才の2年生"),
    QStringLiteral("身長155cm , 体重55kg , 22才の2年生"),
    QStringLiteral("身長168cm , 体重70kg , 20才の3年生"),
    QStringLiteral("身長172cm , 体重85kg , 21才の3年生"),
    QStringLiteral("身長180cm , 体重60kg , 23才の3年生"),
    QStringLiteral("身長162cm , 体重49kg , 28才の4年生"),
    QStringLiteral("身長170cm , 体重62kg , 31才で担当科目は国語の先生"),
    QStringLiteral("身長178cm , 体重65kg , 60才で担当科目は国語の先生"),
    QStringLiteral("身長164cm , 体重62kg , 40才で担当科目は数学の先生"),
    QStringLiteral("身長158cm , 体重45kg , 38才で担当科目は数学の先生"),
    QStringLiteral("身長170cm , 体重59kg , 27才で担当科目は数学の先生"),
    QStringLiteral("身長164cm , 体重54kg , 35才で担当科目は数学の先生"),
    QStringLiteral("身長164cm , 体重57kg , 42才で担当科目は英語の先生"),
    QStringLiteral("身長181cm , 体重70kg , 50才で担当科目は英語の先生"),
};

// The lines of List1 that list the roster positions in this order.
host::testing::ListLines listed(std::vector<int> const& positions) {
    QStringList lines;
    for (int position : positions)
        lines << kRoster.at(position - 1);
    return {{"List1", lines}};
}

// Every line of a trace of the roster sorted by height: each person named by roster position,
// students 1 to 12 and teachers 13 to 20, with the height.
std::string const kPerson = R"((Student#([1-9]|1[0-2])|Teacher#(1[3-9]|20))\(\d+\))";
std::string const kLineShape = "== 身長順: CmpHeight|(Start|End) \\(Height\\):( " + kPerson + ")+| +( " +
                               kPerson +
                               ")+|"
                               R"(Pass \d+ of 19: compares \[20\]( down to \[\d+\])? with \[\d+\]|)"
                               R"(Compare\(\[\d+\] )" +
                               kPerson + R"(, \[\d+\] )" + kPerson +
                               R"(\) = (True|False)|)"
                               R"(Exchange \[\d+\] and \[\d+\]: )" +
                               kPerson + R"( to \[\d+\], )" + kPerson +
                               R"( to \[\d+\]|)"
                               "-- 190 calls of Compare, 31 exchanges; not shown: 20 reads of Get_String";

struct Program {
    using Form = Form1;
    static ProgramCase const& expected();
};

ProgramCase const& Program::expected() {
    static ProgramCase const program{
        .title = QStringLiteral("QZでMRK風サンプル－異なるクラスのオブジェクトの並べ替え"),
        .geometry = QRect(79, 128, 551, 337),
        .listGeometries = {{"List1", QRect(8, 8, 433, 316)}},
        // Each button lists the roster positions in its order; ties do not keep roster order.
        .buttons =
            {
                {QStringLiteral("身長順"), QRect(464, 128, 81, 33),
                 listed({8, 7, 6, 16, 1, 2, 12, 19, 15, 18, 5, 9, 13, 17, 10, 3, 14, 4, 11, 20}), "CmpHeight",
                 190, 31},
                {QStringLiteral("体重順"), QRect(464, 160, 81, 33),
                 listed({16, 12, 5, 18, 8, 6, 7, 1, 19, 2, 17, 11, 3, 4, 15, 13, 14, 20, 9, 10}), "CmpWeight",
                 190, 30},
                {QStringLiteral("年齢順"), QRect(464, 192, 81, 41),
                 listed({1, 2, 3, 5, 4, 6, 9, 10, 7, 8, 11, 17, 12, 13, 18, 16, 15, 19, 20, 14}), "CmpAge",
                 190, 10},
            },
        .filledBeforeTheAlgorithm = {},
        .indexesOutsideTheTable = {-1, 3, -32768},
        // clang-format off
        .trace = {0, 252, {
            {0, {
                "== 身長順: CmpHeight",
                "Start (Height): Student#1(160) Student#2(160) Student#3(175) Student#4(178)",
                "                Student#5(165) Student#6(155) Student#7(155) Student#8(155)",
                "                Student#9(168) Student#10(172) Student#11(180) Student#12(162)",
                "                Teacher#13(170) Teacher#14(178) Teacher#15(164) Teacher#16(158)",
                "                Teacher#17(170) Teacher#18(164) Teacher#19(164) Teacher#20(181)",
                "Pass 1 of 19: compares [20] down to [2] with [1]",
                "Compare([20] Teacher#20(181), [1] Student#1(160)) = False",
                "Compare([19] Teacher#19(164), [1] Student#1(160)) = False",
                "Compare([18] Teacher#18(164), [1] Student#1(160)) = False",
                "Compare([17] Teacher#17(170), [1] Student#1(160)) = False",
                "Compare([16] Teacher#16(158), [1] Student#1(160)) = True",
                "Exchange [1] and [16]: Teacher#16(158) to [1], Student#1(160) to [16]",
                "Compare([15] Teacher#15(164), [1] Teacher#16(158)) = False",
                "Compare([14] Teacher#14(178), [1] Teacher#16(158)) = False",
                "Compare([13] Teacher#13(170), [1] Teacher#16(158)) = False",
                "Compare([12] Student#12(162), [1] Teacher#16(158)) = False",
                "Compare([11] Student#11(180), [1] Teacher#16(158)) = False",
                "Compare([10] Student#10(172), [1] Teacher#16(158)) = False",
                "Compare([9] Student#9(168), [1] Teacher#16(158)) = False",
                "Compare([8] Student#8(155), [1] Teacher#16(158)) = True",
                "Exchange [1] and [8]: Student#8(155) to [1], Teacher#16(158) to [8]",
                "Compare([7] Student#7(155), [1] Student#8(155)) = False",
                "Compare([6] Student#6(155), [1] Student#8(155)) = False",
                "Compare([5] Student#5(165), [1] Student#8(155)) = False",
                "Compare([4] Student#4(178), [1] Student#8(155)) = False",
                "Compare([3] Student#3(175), [1] Student#8(155)) = False",
                "Compare([2] Student#2(160), [1] Student#8(155)) = False",
                "Pass 2 of 19: compares [20] down to [3] with [2]",
            }},
            {241, {
                "Pass 18 of 19: compares [20] down to [19] with [18]",
                "Compare([20] Teacher#20(181), [18] Student#4(178)) = False",
                "Compare([19] Student#11(180), [18] Student#4(178)) = False",
                "Pass 19 of 19: compares [20] with [19]",
                "Compare([20] Teacher#20(181), [19] Student#11(180)) = False",
                "End (Height): Student#8(155) Student#7(155) Student#6(155) Teacher#16(158)",
                "              Student#1(160) Student#2(160) Student#12(162) Teacher#19(164)",
                "              Teacher#15(164) Teacher#18(164) Student#5(165) Student#9(168)",
                "              Teacher#13(170) Teacher#17(170) Student#10(172) Student#3(175)",
                "              Teacher#14(178) Student#4(178) Student#11(180) Teacher#20(181)",
                "-- 190 calls of Compare, 31 exchanges; not shown: 20 reads of Get_String",
            }},
        }, kLineShape},
        // clang-format on
        .screenshotButton = 0,
        .screenshot = QStringLiteral("pelora.png"),
    };
    return program;
}

} // namespace
} // namespace pelora

namespace host::testing {
INSTANTIATE_TYPED_TEST_SUITE_P(Pelora, ProgramTest, pelora::Program);
INSTANTIATE_TYPED_TEST_SUITE_P(Pelora, ProgramDisplayTest, pelora::Program);
} // namespace host::testing
