#include "form/Comparison.h"

#include "runtime/Text.h"
#include "talverin/DataSets.h"
#include "talverin/Form1.h"

#include <gtest/gtest.h>

namespace talverin {
namespace {

// What a sort of numbers does, counted by a plain simulation of it on an array: each comparison
// reads two elements; a neighbour exchange reads, adds and removes once, a far one twice each, and is
// shown unfolded as that many steps.
std::vector<std::pair<std::u16string, int>> simulatedTotals(std::span<std::int32_t const> numbers) {
    std::vector<std::int32_t> order(numbers.begin(), numbers.end());
    int const n = static_cast<int>(order.size());
    int comparisons = 0, exchanges = 0, operations = 0;
    for (int i = 0; i < n - 1; ++i) {
        for (int j = n - 1; j > i; --j) {
            ++comparisons;
            if (order[j] >= order[i])
                continue;
            ++exchanges;
            operations += j == i + 1 ? 1 : 2;
            std::swap(order[i], order[j]);
        }
    }
    int const steps = 1 + (n - 1) + comparisons + 3 * operations + 1; // start, passes, comparisons, end
    return {{u"比較", comparisons}, {u"交換", exchanges},    {u"Item", 2 * comparisons + operations},
            {u"Add", operations},   {u"Remove", operations}, {u"手順", steps}};
}

// 小さい順 on 整列済み beside 逆順, moved together by comparison: after k moves each run has made k
// comparisons, and after the 36th both stand at their ends. The totals pair each count of one run
// with the other's.
TEST(TalverinComparisonTest, SortedAndReversedMoveTogetherByComparison) {
    std::span<std::int32_t const> const sorted = kDataSets[1].numbers;
    std::span<std::int32_t const> const reversed = kDataSets[2].numbers;
    form::Comparison comparison;
    comparison.load(Form1::lesson().record(0, sorted), Form1::lesson().record(0, reversed));
    for (int move = 1; move <= 36; ++move) {
        ASSERT_TRUE(comparison.forward()) << move;
        form::PairedCounter const compared = comparison.counters()[1];
        ASSERT_EQ(compared.label, u"比較");
        EXPECT_EQ(compared.left->value, move);
        EXPECT_EQ(compared.right->value, move);
        bool const ended = move == 36;
        EXPECT_EQ(comparison.left().canGoForward(), !ended) << move;
        EXPECT_EQ(comparison.right().canGoForward(), !ended) << move;
    }
    EXPECT_FALSE(comparison.forward());
    EXPECT_TRUE(comparison.back());
    EXPECT_EQ(comparison.counters()[1].left->value, 35);
    EXPECT_EQ(comparison.counters()[1].right->value, 35);

    auto const left = simulatedTotals(sorted);
    auto const right = simulatedTotals(reversed);
    std::vector<form::PairedCounter> const totals = comparison.totals();
    ASSERT_EQ(totals.size(), left.size());
    for (std::size_t row = 0; row < totals.size(); ++row) {
        EXPECT_EQ(totals[row].label, left[row].first);
        EXPECT_EQ(totals[row].left->value, left[row].second) << runtime::toUtf8(left[row].first);
        EXPECT_EQ(totals[row].right->value, right[row].second) << runtime::toUtf8(left[row].first);
    }
    EXPECT_EQ(totals[1].left->value, 0) << "no exchange on sorted data";

    // Equal values share a group across both runs: 重複あり's 10s and 9s are A and B, すべて同じ's C.
    comparison.load(Form1::lesson().record(0, kDataSets[4].numbers),
                    Form1::lesson().record(0, kDataSets[3].numbers));
    std::vector<std::uint16_t> ties;
    for (form::Element const& element : comparison.left().recording().elements)
        ties.push_back(element.tie);
    EXPECT_EQ(ties, (std::vector<std::uint16_t>{1, 2, 0, 2, 0, 1, 0, 0, 2})); // 10 9 100 9 1 10 90 1000 9
    for (form::Element const& element : comparison.right().recording().elements)
        EXPECT_EQ(element.tie, 3);
}

} // namespace
} // namespace talverin
