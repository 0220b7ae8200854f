// Fails each allocation of a Collection operation in turn, on collections large enough that the
// operation splits leaves and internal nodes: every failure raises out-of-memory and leaves the
// collection exactly as it was.
#include "runtime/Collection.h"
#include "runtime/Text.h"
#include "runtime/testing/FailingAllocator.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace runtime {
namespace {

using testing::AllocationFailure;

std::u16string keyOf(std::int32_t value) { return u"k" + decimalText(value); }

// Elements 0..count-1 in order; every keyEvery-th one (when nonzero) keyed by its value.
Ref<Collection> numbered(std::int32_t count, std::int32_t keyEvery) {
    auto col = make<Collection>();
    for (std::int32_t i = 0; i < count; ++i)
        col->Add(Variant(i), keyEvery != 0 && i % keyEvery == 0 ? Variant(keyOf(i)) : Variant(Missing{}));
    return col;
}

// What can be seen of a collection: its elements, and where each of the given keys leads.
struct Seen {
    std::vector<std::int32_t> elements;
    std::vector<std::int32_t> keyed;
    friend bool operator==(Seen const&, Seen const&) = default;
};

Seen look(Collection const& col, std::vector<std::u16string> const& keys) {
    Seen seen;
    for (Variant const& element : col)
        seen.elements.push_back(element.toInt32());
    for (std::u16string const& key : keys)
        seen.keyed.push_back(col.Item(Variant(key)).toInt32());
    return seen;
}

// Adding item with key, before and after (each possibly Missing) to a numbered collection.
struct Scenario {
    char const* name;
    int fewestAllocations; // the nodes (and key arrays) it must make, at least
    std::int32_t count;
    std::int32_t keyEvery;
    Variant key = Missing{};
    Variant before = Missing{};
    Variant after = Missing{};
};

// Runs the operation once for each allocation it makes, failing that allocation, then once more
// without a failure; returns how many allocations were failed.
int failEachAllocation(Scenario const& scenario) {
    std::vector<std::u16string> keys;
    for (std::int32_t i = 0; scenario.keyEvery != 0 && i < scenario.count; i += scenario.keyEvery)
        keys.push_back(keyOf(i));
    for (int k = 1;; ++k) {
        SCOPED_TRACE(::testing::Message() << scenario.name << ", allocation " << k);
        auto const col = numbered(scenario.count, scenario.keyEvery);
        Seen const before = look(*col, keys);
        bool raised = false;
        bool failed = false;
        {
            AllocationFailure const failure(static_cast<std::size_t>(k));
            try {
                col->Add(Variant(std::int32_t{-1}), scenario.key, scenario.before, scenario.after);
            } catch (RuntimeError const& error) {
                raised = true;
                EXPECT_EQ(error.kind(), ErrorKind::OutOfMemory) << error.what();
            }
            failed = failure.happened();
        }
        col->checkInvariants();
        if (!failed) {
            EXPECT_FALSE(raised);
            EXPECT_EQ(col->Count(), scenario.count + 1);
            return k - 1;
        }
        EXPECT_TRUE(raised);
        EXPECT_EQ(look(*col, keys), before);
        if (::testing::Test::HasFailure())
            return k;
    }
}

TEST(OutOfMemoryTest, AFailedAddLeavesTheCollectionAsItWas) {
    // 1,024 appended elements fill 32 leaves and the root's 32 children: one more element splits a
    // leaf, the root and grows the tree by a level.
    Scenario const scenarios[] = {
        {"append that grows the tree", 3, 1024, 0},
        {"keyed append that grows the tree", 5, 1024, 7, Variant(u"new")},
        {"insert into a full leaf", 3, 1024, 0, Missing{}, Variant(std::int32_t{500})},
        {"keyed insert into a leaf without keys", 3, 3000, 0, Variant(u"new"), Missing{},
         Variant(std::int32_t{1700})},
        {"keyed insert into a keyed full leaf", 4, 2048, 3, Variant(u"new"), Variant(u"k999")},
    };
    for (Scenario const& scenario : scenarios)
        EXPECT_GE(failEachAllocation(scenario), scenario.fewestAllocations) << scenario.name;
}

TEST(OutOfMemoryTest, RemoveAndItemNeverAllocate) {
    auto const col = numbered(3000, 5);
    std::vector<Variant> keys;
    for (std::int32_t i = 0; i < 3000; i += 10)
        keys.emplace_back(keyOf(i));
    AllocationFailure const failure(1);
    for (Variant const& key : keys)
        col->Remove(key);
    for (std::int32_t i = 0; i < 2000; ++i)
        col->Remove(Variant(i % 2 == 0 ? std::int32_t{1} : col->Count() / 2));
    for (std::int32_t position = 1; position <= col->Count(); ++position)
        (void)col->Item(Variant(position));
    EXPECT_FALSE(failure.happened());
    EXPECT_EQ(col->Count(), 700);
    col->checkInvariants();
}

} // namespace
} // namespace runtime
