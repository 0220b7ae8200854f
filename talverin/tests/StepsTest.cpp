#include "talverin/Form1.h"

#include "form/testing/ListLines.h"
#include "sortlib/SortSteps.h"

#include <gtest/gtest.h>

namespace talverin {
namespace {

using sortlib::SortStep;

// Each button's click, step by step: 8 passes, 36 comparisons, its exchanges, and at the end the
// order that the click lists.
TEST(TalverinStepsTest, EachButtonIsRecordedWithItsComparisonsAndExchanges) {
    int const exchanges[] = {10, 12, 11};
    Form1 form;
    form::testing::ListLines list(form, "List1");
    for (std::int16_t index = 0; index < 3; ++index) {
        form::Recording const recording = Form1::lesson().record(index, {});
        form.Command1_Click(index);
        form::Step const& end = recording.steps.back();
        ASSERT_EQ(static_cast<SortStep>(end.kind), SortStep::End);
        ASSERT_EQ(end.counters.size(), 4u);
        EXPECT_EQ(end.counters[0].total, 8) << "passes";
        EXPECT_EQ(end.counters[1].value, 36) << "comparisons";
        EXPECT_EQ(end.counters[1].total, 36);
        EXPECT_EQ(end.counters[2].value, exchanges[index]);
        std::vector<std::u16string> lines;
        for (form::Row const& row : end.rows)
            lines.push_back(recording.elements[row.element].text);
        EXPECT_EQ(lines, list.lines);
    }
}

} // namespace
} // namespace talverin
