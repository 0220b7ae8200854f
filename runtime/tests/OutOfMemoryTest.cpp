// Fails the allocations of every Collection operation, once or lastingly, on collections large
// enough that adding splits leaves and internal nodes: every failure raises the operation's own error
// or out-of-memory, never a bare std::bad_alloc, and leaves the collection exactly as it was.
#include "runtime/Collection.h"
#include "runtime/PositionTree.h"
#include "runtime/Text.h"
#include "runtime/testing/FailingAllocator.h"

#include "TestObjects.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace runtime {
namespace {

using testing::AllocationFailure;
using testing::Exhaustion;

std::u16string keyOf(std::int32_t value) { return u"k" + decimalText(value); }

// Elements 0..count-1 in order; every keyEvery-th one (when nonzero) keyed by its value.
Ref<Collection> numbered(std::int32_t count, std::int32_t keyEvery) {
    auto col = make<Collection>();
    for (std::int32_t i = 0; i < count; ++i)
        col->Add(Variant(i), keyEvery != 0 && i % keyEvery == 0 ? Variant(keyOf(i)) : Variant(Missing{}));
    return col;
}

// What can be seen of a collection: its elements, and where each of its keys leads.
struct Seen {
    std::vector<Variant> elements;
    std::vector<Variant> keyed;
    friend bool operator==(Seen const&, Seen const&) = default;
};

Seen look(Collection const& col, std::vector<Variant> const& keys) {
    Seen seen;
    for (Variant const& element : col)
        seen.elements.push_back(element);
    for (Variant const& key : keys)
        seen.keyed.push_back(col.Item(key));
    return seen;
}

// One operation on a numbered collection: item is made before any allocation can fail, and handed
// over as the only reference to it.
struct Operation {
    char const* name;
    std::int32_t count;
    std::int32_t keyEvery;
    std::function<void(Collection&, Variant&& item)> run;
    std::optional<ErrorKind> error = std::nullopt; // what it raises with memory to spare
    int fewestAllocations = 0;                     // what it must allocate, at least
    std::function<Variant(Collection&)> item = [](Collection&) { return Variant(std::int32_t{-1}); };
};

// Runs the operation once for each allocation it makes, failing allocations from that one on (once or
// lastingly), until a run makes no allocation fail; returns how many were failed.
int failEachAllocation(Operation const& op, Exhaustion exhaustion) {
    std::vector<Variant> keys;
    for (std::int32_t i = 0; op.keyEvery != 0 && i < op.count; i += op.keyEvery)
        keys.emplace_back(keyOf(i));
    for (int k = 1;; ++k) {
        SCOPED_TRACE(::testing::Message()
                     << op.name << ", allocation " << k << (exhaustion == Exhaustion::Lasting ? " on" : ""));
        auto const col = numbered(op.count, op.keyEvery);
        Seen const before = look(*col, keys);
        Variant item = op.item(*col);
        std::optional<ErrorKind> raised;
        bool failed = false;
        {
            AllocationFailure const failure(static_cast<std::size_t>(k), exhaustion);
            try {
                op.run(*col, std::move(item));
            } catch (RuntimeError const& error) {
                raised = error.kind();
                EXPECT_NE(std::string_view(error.what()), "");
                EXPECT_NE(error.japaneseDetail(), "");
            } catch (std::bad_alloc const&) {
                ADD_FAILURE() << "a bare std::bad_alloc left the operation";
            }
            failed = failure.happened();
        }
        col->checkInvariants();
        if (!failed) {
            EXPECT_EQ(raised, op.error);
            return k - 1;
        }
        EXPECT_TRUE(raised == ErrorKind::OutOfMemory || (raised && raised == op.error));
        EXPECT_EQ(look(*col, keys), before);
        if (::testing::Test::HasFailure())
            return k;
    }
}

Variant position(std::int32_t value) { return Variant(value); }

TEST(OutOfMemoryTest, EveryOperationRaisesItsErrorOrOutOfMemoryAndChangesNothing) {
    // 1,024 appended elements fill 32 leaves and the root's 32 children: one more element splits a
    // leaf, the root and grows the tree by a level.
    auto add = [](Variant key, Variant before = Missing{}, Variant after = Missing{}) {
        return [=](Collection& col, Variant&& item) { col.Add(std::move(item), key, before, after); };
    };
    Operation const operations[] = {
        {"append that grows the tree", 1024, 0, add(Missing{}), std::nullopt, 3},
        {"keyed append that grows the tree", 1024, 7, add(Variant(u"new")), std::nullopt, 5},
        {"insert into a full leaf", 1024, 0, add(Missing{}, position(500)), std::nullopt, 3},
        {"first keyed insert", 3000, 0, add(Variant(u"new"), Missing{}, position(1700)), std::nullopt, 4},
        {"keyed insert into a full leaf", 2048, 3, add(Variant(u"new"), Variant(u"k999")), std::nullopt, 4},
        // The only reference to an object whose destructor reads its holder: a failed Add releases it
        // once the collection is whole again.
        {"keyed append of an object", 1024, 4, add(Variant(u"new")), std::nullopt, 5,
         [](Collection& col) {
             return Variant(make<testing::OnRelease>([&col] {
                 col.checkInvariants();
                 (void)col.Count();
             }));
         }},
        {"remove by key", 300, 3, [key = Variant(u"k99")](Collection& col, Variant&&) { col.Remove(key); }},
        {"remove by position", 300, 3, [](Collection& col, Variant&&) { col.Remove(position(150)); }},
        {"item and enumeration", 300, 3,
         [key = Variant(u"k99")](Collection& col, Variant&&) {
             (void)col.Item(key);
             (void)col.Item(position(150));
             for (auto it = col.begin(); it != col.end(); ++it)
                 (void)*it;
         }},
        {"item outside the positions", 300, 3,
         [](Collection& col, Variant&&) { (void)col.Item(position(0)); }, ErrorKind::SubscriptOutOfRange, 1},
        {"item of an unknown key", 300, 3,
         [key = Variant(u"k1")](Collection& col, Variant&&) { (void)col.Item(key); },
         ErrorKind::InvalidArgument, 1},
        {"item of a truth value", 300, 3,
         [](Collection& col, Variant&&) { (void)col.Item(Variant(Boolean::True)); }, ErrorKind::TypeMismatch,
         1},
        {"remove outside the positions", 300, 3,
         [](Collection& col, Variant&&) { col.Remove(position(301)); }, ErrorKind::SubscriptOutOfRange, 1},
        {"add with a key already there", 300, 3, add(Variant(u"k3")), ErrorKind::InvalidArgument, 1},
        {"add before and after", 300, 3, add(Missing{}, position(1), position(1)),
         ErrorKind::InvalidArgument},
        {"add with a key that is no text", 300, 3, add(position(1)), ErrorKind::TypeMismatch, 1},
    };
    for (Exhaustion const exhaustion : {Exhaustion::Once, Exhaustion::Lasting}) {
        for (Operation const& op : operations)
            EXPECT_GE(failEachAllocation(op, exhaustion), op.fewestAllocations) << op.name;
    }
}

// An error whose message cannot be built, at any of the allocations that building its two details
// makes, is the out-of-memory error with its fixed texts; once memory suffices, the error itself.
TEST(OutOfMemoryTest, AnErrorWhoseMessageCannotBeBuiltIsOutOfMemory) {
    auto const col = numbered(3, 1);
    Variant const key(u"a key longer than any short-string buffer");
    for (Exhaustion const exhaustion : {Exhaustion::Once, Exhaustion::Lasting}) {
        int failures = 0;
        for (std::size_t k = 1;; ++k) {
            SCOPED_TRACE(::testing::Message() << "allocation " << k);
            std::optional<RuntimeError> raised;
            bool failed = false;
            {
                AllocationFailure const failure(k, exhaustion);
                try {
                    (void)col->Item(key);
                } catch (RuntimeError const& error) {
                    raised = error;
                }
                failed = failure.happened();
            }
            ASSERT_TRUE(raised);
            if (!failed) {
                EXPECT_EQ(raised->kind(), ErrorKind::InvalidArgument);
                EXPECT_EQ(raised->japaneseDetail(),
                          "index に指定したキー「a key longer than any short-string buffer」はコレクションにありません");
                break;
            }
            ++failures;
            EXPECT_EQ(raised->kind(), ErrorKind::OutOfMemory);
            EXPECT_STREQ(raised->what(), "out of memory: not enough memory to go on");
            EXPECT_EQ(raised->japaneseDetail(), "処理を続けるのに必要なメモリを確保できませんでした");
        }
        EXPECT_GE(failures, 4); // each detail, the English text and the shared message at least
    }
}

// The first keyed insert gives every leaf a key array: a failure at any allocation leaves the tree
// unkeyed, with its values, wherever the insert goes (a full leaf, a leaf with room, the end).
TEST(OutOfMemoryTest, AFailedFirstKeyedInsertLeavesTheTreeUnkeyed) {
    for (Exhaustion const exhaustion : {Exhaustion::Once, Exhaustion::Lasting}) {
        for (std::size_t const count : {std::size_t{64}, std::size_t{1024}}) {
            // Full leaves but one: the one that held position count / 2 + 1, erased.
            std::vector<Variant> values;
            for (std::size_t i = 0; i < count; ++i)
                values.emplace_back(static_cast<std::int32_t>(i));
            values.erase(values.begin() + static_cast<std::ptrdiff_t>(count / 2 + 1));
            for (std::size_t const position : {std::size_t{0}, count / 2 + 1, count - 1}) {
                PositionTree tree;
                for (Variant const& value : values)
                    tree.insert(tree.size(), Variant(value), nullptr);
                PositionTree::KeyRecord record;
                int failures = 0;
                for (std::size_t k = 1;; ++k) {
                    SCOPED_TRACE(::testing::Message()
                                 << count << " values, at " << position << ", allocation " << k);
                    bool failed = false;
                    {
                        AllocationFailure const failure(k, exhaustion);
                        try {
                            tree.insert(position, Variant(std::int32_t{-1}), &record);
                        } catch (std::bad_alloc const&) {
                        }
                        failed = failure.happened();
                    }
                    tree.checkInvariants();
                    if (!failed)
                        break;
                    ++failures;
                    ASSERT_FALSE(tree.keyed());
                    ASSERT_EQ(tree.size(), values.size());
                    for (std::size_t i = 0; i < values.size(); ++i)
                        ASSERT_EQ(tree.at(i), values[i]);
                }
                EXPECT_GE(failures, 2); // the list of leaves and a key array at least
                EXPECT_TRUE(tree.keyed());
                EXPECT_EQ(tree.positionOf(record), position);
            }
        }
    }
}

} // namespace
} // namespace runtime
