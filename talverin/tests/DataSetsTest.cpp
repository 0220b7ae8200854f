#include "talverin/DataSets.h"

#include "form/testing/DataSetTesting.h"
#include "form/testing/ListLines.h"
#include "runtime/Text.h"
#include "runtime/testing/RuntimeTesting.h"
#include "talverin/Form1.h"

#include <gtest/gtest.h>

namespace talverin {
namespace {

// Every set is what its name says, and the program's own set holds the numbers that the window
// sorts: 小さい順 lists them smallest first. The step window is offered these sets and no choice of a
// learner's own comparator.
TEST(TalverinDataSetsTest, EachSetIsWhatItsNameSaysAndTheFirstIsTheProgramsOwn) {
    form::testing::expectDataSetsAsNamed(kDataSets);
    form::Lesson const& lesson = Form1::lesson();
    EXPECT_EQ(lesson.dataSets.data(), std::data(kDataSets));
    EXPECT_TRUE(lesson.choices.empty());
    EXPECT_TRUE(runtime::testing::raises(runtime::ErrorKind::SubscriptOutOfRange,
                                         [&] { lesson.recordRun({.index = 0, .own = 0}); }));

    Form1 form;
    form::testing::ListLines list(form, "List1");
    form.Command1_Click(0);
    std::array<std::int32_t, form::kDataSetSize> own = kDataSets[0].numbers;
    std::sort(own.begin(), own.end());
    std::vector<std::u16string> lines;
    for (std::int32_t const number : own)
        lines.push_back(runtime::decimalText(number));
    EXPECT_EQ(list.lines, lines);
}

} // namespace
} // namespace talverin
