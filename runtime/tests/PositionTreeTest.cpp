// The tree's shape: after building by appending and after erase orders chosen to leave nodes as
// empty as possible, every node keeps the fill rule (checkInvariants) and the height stays within
// what the rule allows, 1 + log16(size - 1).
#include "runtime/PositionTree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>

namespace runtime {
namespace {

std::size_t heightBound(std::size_t size) {
    if (size <= 1)
        return size;
    return 1 + static_cast<std::size_t>(std::floor(std::log(double(size - 1)) / std::log(16.0) + 1e-9));
}

void expectShape(PositionTree const& tree, char const* when) {
    SCOPED_TRACE(when);
    tree.checkInvariants();
    EXPECT_LE(tree.height(), heightBound(tree.size())) << tree.size() << " values";
}

void append(PositionTree& tree, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i)
        tree.insert(tree.size(), Variant(static_cast<std::int32_t>(i)), nullptr);
}

// Erases count values, each at the position that pick chooses among the values left.
void erase(PositionTree& tree, std::size_t count, std::function<std::size_t(std::size_t size)> const& pick) {
    Variant erased;
    for (std::size_t i = 0; i < count && tree.size() > 0; ++i)
        tree.erase(pick(tree.size()), erased);
}

TEST(PositionTreeTest, HeightStaysWithinTheFillRuleAfterAppendingAndAdversarialErases) {
    constexpr std::size_t kLeaf = PositionTree::kLeafCapacity;
    constexpr std::size_t kValues = 4096 * kLeaf;
    PositionTree appended;
    for (std::size_t count : {1u, 31u, 33u, 1023u, 1025u, 40000u, unsigned(kValues) - 42113u}) {
        append(appended, count);
        expectShape(appended, "appended");
    }
    EXPECT_EQ(appended.height(), 4u); // 131,072 values in full leaves of 32 and nodes of 32

    struct Order {
        char const* name;
        std::function<std::size_t(std::size_t size)> pick;
    };
    std::size_t erasedSoFar = 0;
    std::uint32_t state = 99;
    Order const orders[] = {
        // All but the first value of each leaf-sized block, left to right: merging alone leaves a
        // single value in every leaf this way.
        {"all but one of every block",
         [&](std::size_t size) { return std::min(erasedSoFar++ / (kLeaf - 1) + 1, size - 1); }},
        {"every other value", [&](std::size_t size) { return erasedSoFar++ % size; }},
        {"from the front", [](std::size_t) { return std::size_t{0}; }},
        {"from the back", [](std::size_t size) { return size - 1; }},
        {"at random",
         [&](std::size_t size) {
             state = state * 1103515245 + 12345;
             return std::size_t{(state >> 8) % size};
         }},
    };
    for (Order const& order : orders) {
        PositionTree tree;
        append(tree, kValues);
        erasedSoFar = 0;
        for (std::size_t round = 0; round < 4; ++round) {
            erase(tree, kValues / 5, order.pick);
            expectShape(tree, order.name);
        }
        erase(tree, kValues, order.pick);
        expectShape(tree, order.name);
        EXPECT_EQ(tree.size(), 0u);
    }
}

} // namespace
} // namespace runtime
