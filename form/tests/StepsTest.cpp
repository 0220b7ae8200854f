#include "form/Steps.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace form {
namespace {

// A learner's numbers, typed in either width and with either kind of separator, or the reason they
// cannot run.
TEST(StepsTest, ParseNumbersReadsBothWidthsOrSaysWhyNot) {
    struct Case {
        std::u16string text;
        std::vector<std::int32_t> numbers;
        std::u16string message;
    };
    std::u16string twentyOne;
    for (int i = 0; i < 21; ++i)
        twentyOne += u"7 ";
    Case const cases[] = {
        {u"3, 12 1", {3, 12, 1}, u""},
        {u"  ３　１２、－５，+0\t＋９０ ", {3, 12, -5, 0, 90}, u""},
        {u"-2147483648 2147483647", {-2147483648, 2147483647}, u""},
        {u"1 x 3", {}, u"「x」は整数ではありません。"},
        {u"1 ２a", {}, u"「２a」は整数ではありません。"},
        {u"1 - 2", {}, u"「-」は整数ではありません。"},
        {u"1 2147483648",
         {},
         u"「2147483648」は 32 ビットの整数（-2147483648 から 2147483647 まで）に収まりません。"},
        {u"1 99999999999999999999",
         {},
         u"「99999999999999999999」は 32 ビットの整数（-2147483648 から 2147483647 まで）に収まりません。"},
        {u"５", {}, u"整数を 2 個から 20 個まで、空白かコンマで区切って入力してください（今は 1 個です）。"},
        {twentyOne,
         {},
         u"整数を 2 個から 20 個まで、空白かコンマで区切って入力してください（今は 21 個です）。"},
    };
    for (Case const& c : cases) {
        ParsedNumbers const parsed = parseNumbers(c.text);
        EXPECT_EQ(parsed.numbers, c.numbers) << std::string(c.text.begin(), c.text.end());
        EXPECT_EQ(parsed.message, c.message) << std::string(c.text.begin(), c.text.end());
    }
}

} // namespace
} // namespace form
