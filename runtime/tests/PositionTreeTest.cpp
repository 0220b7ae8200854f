// The tree's shape: after building by appending and after erase orders chosen to leave nodes as
// empty as possible, every node keeps the fill rule (checkInvariants) and the height stays within
// what the rule allows, 1 + log16(size - 1); and splits, merges and steals leave exactly the nodes
// they should.
#include "runtime/PositionTree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

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

// A tree beside a plain sequence of the same values, changed by the steps of one shape case.
struct Modelled {
    PositionTree tree;
    std::vector<std::int32_t> values;
    std::int32_t next = 0;

    void insertAt(std::size_t position) {
        tree.insert(position, Variant(next), nullptr);
        values.insert(values.begin() + static_cast<std::ptrdiff_t>(position), next++);
    }
    void append(std::size_t count) {
        for (std::size_t i = 0; i < count; ++i)
            insertAt(values.size());
    }
    void eraseAt(std::size_t position, std::size_t times) {
        for (std::size_t i = 0; i < times; ++i) {
            Variant erased;
            tree.erase(position, erased);
            EXPECT_EQ(erased, Variant(values[position]));
            values.erase(values.begin() + static_cast<std::ptrdiff_t>(position));
        }
    }
};

using Shape = std::vector<std::vector<PositionTree::Slot>>;

// count nodes of the given fill, then the rest.
std::vector<PositionTree::Slot> nodes(std::size_t count, PositionTree::Slot fill,
                                      std::vector<PositionTree::Slot> rest = {}) {
    std::vector<PositionTree::Slot> level(count, fill);
    level.insert(level.end(), rest.begin(), rest.end());
    return level;
}

TEST(PositionTreeTest, SplitsMergesAndStealsGiveExactlyTheExpectedNodes) {
    struct Case {
        char const* name;
        std::function<void(Modelled&)> steps;
        Shape shape;
    };
    Case const cases[] = {
        {"appending 33 fills a leaf and starts the next", [](Modelled& m) { m.append(33); }, {{2}, {32, 1}}},
        {"appending 1,025 fills 32 leaves under a full node and starts a new one beside it",
         [](Modelled& m) { m.append(1025); },
         {{2}, {32, 1}, nodes(32, 32, {1})}},
        {"inserting into a full leaf splits it in halves, the new value in the left one",
         [](Modelled& m) {
             m.append(64);
             m.insertAt(3);
         },
         {{3}, {17, 16, 32}}},
        {"a middle leaf left under half full merges with its left neighbour where they fit",
         [](Modelled& m) {
             m.append(96);
             m.eraseAt(0, 16);  // the first leaf keeps 16
             m.eraseAt(16, 17); // the middle one 15
         },
         {{2}, {31, 32}}},
        {"where they do not fit, the left neighbour gives it 8 and both hold about half",
         [](Modelled& m) {
             m.append(96);
             m.eraseAt(32, 17); // 32 + 15 values: 23 on the left, 24 on the right
         },
         {{3}, {23, 24, 32}}},
        {"the first leaf pairs with its right neighbour, and takes from it",
         [](Modelled& m) {
             m.append(96);
             m.eraseAt(0, 17);
         },
         {{3}, {23, 24, 32}}},
        {"erasing the last leaf's only value drops it, its parent and the root above them",
         [](Modelled& m) {
             m.append(1025);
             m.eraseAt(1024, 1);
         },
         {{32}, nodes(32, 32)}},
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        Modelled m;
        c.steps(m);
        m.tree.checkInvariants();
        EXPECT_EQ(m.tree.shape(), c.shape);
        ASSERT_EQ(m.tree.size(), m.values.size());
        for (std::size_t i = 0; i < m.values.size(); ++i)
            ASSERT_EQ(m.tree.at(i), Variant(m.values[i])) << i;
    }
}

} // namespace
} // namespace runtime
