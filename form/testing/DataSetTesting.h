#pragma once

#include "form/DataSets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <span>

namespace form::testing {

// Checks a program's table of data sets: one set of each kind in the order of DataSetKind, each
// named for its kind and holding what its kind says. The reversed set is the sorted one backwards.
inline void expectDataSetsAsNamed(std::span<DataSet const> sets) {
    using Numbers = std::array<std::int32_t, kDataSetSize>;
    auto const allEqual = [](Numbers const& numbers) {
        return std::adjacent_find(numbers.begin(), numbers.end(), std::not_equal_to{}) == numbers.end();
    };
    auto const hasRepeat = [](Numbers numbers) {
        std::sort(numbers.begin(), numbers.end());
        return std::adjacent_find(numbers.begin(), numbers.end()) != numbers.end();
    };
    ASSERT_EQ(sets.size(), std::size(kDataSetNames));
    Numbers const& sorted = sets[1].numbers;
    Numbers backwards{};
    std::reverse_copy(sorted.begin(), sorted.end(), backwards.begin());
    struct Expected {
        DataSetKind kind;
        std::u16string_view name;
        bool holds;
    };
    Expected const expected[] = {
        {DataSetKind::Program, u"プログラムのデータ", !allEqual(sets[0].numbers)},
        {DataSetKind::Sorted, u"整列済み", std::is_sorted(sorted.begin(), sorted.end()) && !allEqual(sorted)},
        {DataSetKind::Reversed, u"逆順", sets[2].numbers == backwards},
        {DataSetKind::AllEqual, u"すべて同じ", allEqual(sets[3].numbers)},
        {DataSetKind::Repeats, u"重複あり", hasRepeat(sets[4].numbers) && !allEqual(sets[4].numbers)},
    };
    for (std::size_t index = 0; index < std::size(expected); ++index) {
        EXPECT_EQ(sets[index].kind, expected[index].kind) << "set " << index;
        EXPECT_TRUE(sets[index].name() == expected[index].name) << "set " << index;
        EXPECT_TRUE(expected[index].holds) << "set " << index << " is not what its name says";
    }
}

} // namespace form::testing
