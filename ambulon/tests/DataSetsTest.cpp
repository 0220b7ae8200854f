#include "ambulon/DataSets.h"

#include "ambulon/Ambulon.h"
#include "ambulon/Form1.h"
#include "form/Steps.h"
#include "form/testing/DataSetTesting.h"
#include "form/testing/ListLines.h"
#include "runtime/testing/RuntimeTesting.h"

#include <gtest/gtest.h>

namespace ambulon {
namespace {

std::vector<std::u16string> textsOf(std::span<std::int32_t const> numbers) {
    std::vector<std::u16string> texts;
    for (std::int32_t const number : numbers)
        texts.push_back(runtime::decimalText(number));
    return texts;
}

// Every set is what its name says, x^2 runs to the end on each, and the program's own set holds the
// numbers that the window lists, in its order.
TEST(AmbulonDataSetsTest, EachSetIsWhatItsNameSaysAndSquaresWithoutOverflow) {
    form::testing::expectDataSetsAsNamed(kDataSets);

    for (form::DataSet const& set : kDataSets) {
        auto const data = form::collectionOf(set.numbers);
        Ambulon::Transform_Collection(*data, *runtime::make<Sqr>());
        std::vector<std::string> squares;
        for (std::int32_t const number : set.numbers)
            squares.push_back(runtime::decimal(std::int64_t{number} * number));
        EXPECT_EQ(runtime::testing::textsOf(*data), squares) << runtime::toUtf8(set.name());
    }

    Form1 form;
    form::testing::ListLines input(form, "List1");
    form::testing::ListLines output(form, "List2");
    form.Command1_Click(0);
    EXPECT_EQ(input.lines, textsOf(kDataSets[0].numbers));
}

} // namespace
} // namespace ambulon
