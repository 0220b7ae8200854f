#include "runtime/Collection.h"

#include "TestObjects.h"
#include "runtime/testing/RuntimeTesting.h"

#include <gtest/gtest.h>

namespace runtime {
namespace {

using testing::collectionOf;
using testing::Probe;
using testing::raises;
using testing::textsOf;
using Texts = std::vector<std::string>;
using testing::i16;

TEST(CollectionTest, AddBeforeShiftsLaterElementsAndRemoveMovesThemDown) {
    auto col = collectionOf({i16(1), i16(2), i16(3)});
    col->Add(i16(9), Missing{}, i16(2));
    EXPECT_EQ(textsOf(*col), (Texts{"1", "9", "2", "3"}));
    col->Remove(i16(3));
    EXPECT_EQ(textsOf(*col), (Texts{"1", "9", "3"}));
    col->Add(i16(7), Missing{}, Missing{}, Variant(std::int32_t{3}));
    col->Add(i16(0), Missing{}, std::int32_t{1});
    EXPECT_EQ(textsOf(*col), (Texts{"0", "1", "9", "3", "7"}));
    EXPECT_EQ(col->Count(), 5);
}

TEST(CollectionTest, ItemAcceptsBothIntegerWidthsAndReturnsACopy) {
    auto col = collectionOf({Variant(u"a"), Variant(u"b")});
    EXPECT_EQ(col->Item(i16(2)), Variant(u"b"));
    EXPECT_EQ(col->Item(std::int32_t{1}), Variant(u"a"));
    Variant copy = col->Item(i16(1));
    copy = i16(5);
    EXPECT_EQ(col->Item(i16(1)), Variant(u"a"));
}

TEST(CollectionTest, PositionsOutsideOneToCountRaiseSubscriptOutOfRange) {
    auto col = collectionOf({i16(1), i16(2)});
    for (std::int32_t bad : {0, -1, 3, 32768, std::numeric_limits<std::int32_t>::min()}) {
        EXPECT_TRUE(raises(ErrorKind::SubscriptOutOfRange, [&] { col->Item(bad); })) << bad;
        EXPECT_TRUE(raises(ErrorKind::SubscriptOutOfRange, [&] { col->Remove(bad); })) << bad;
        EXPECT_TRUE(raises(ErrorKind::SubscriptOutOfRange, [&] { col->Add(i16(0), Missing{}, bad); })) << bad;
        EXPECT_TRUE(
            raises(ErrorKind::SubscriptOutOfRange, [&] { col->Add(i16(0), Missing{}, Missing{}, bad); }));
    }
    EXPECT_EQ(textsOf(*col), (Texts{"1", "2"}));
    auto empty = make<Collection>();
    EXPECT_TRUE(raises(ErrorKind::SubscriptOutOfRange, [&] { empty->Item(i16(1)); }));
}

TEST(CollectionTest, KeysNameElementsAndMustBeUnique) {
    auto col = make<Collection>();
    col->Add(i16(1), Variant(u"one"));
    col->Add(i16(2), Variant(u"two"));
    col->Add(i16(3));
    col->Add(i16(0), Variant(u"zero"), Variant(u"one"));
    EXPECT_EQ(col->Item(Variant(u"two")), i16(2));
    EXPECT_EQ(textsOf(*col), (Texts{"0", "1", "2", "3"}));

    EXPECT_TRUE(raises(ErrorKind::InvalidArgument, [&] { col->Add(i16(9), Variant(u"one")); }));
    EXPECT_TRUE(raises(ErrorKind::InvalidArgument, [&] { col->Item(Variant(u"One")); }));
    EXPECT_TRUE(raises(ErrorKind::InvalidArgument, [&] { col->Remove(Variant(u"three")); }));
    EXPECT_TRUE(raises(ErrorKind::TypeMismatch, [&] { col->Add(i16(9), i16(1)); }));
    EXPECT_EQ(col->Count(), 4);

    col->Remove(Variant(u"one"));
    col->Add(i16(1), Variant(u"one")); // a removed key can be used again
    EXPECT_EQ(textsOf(*col), (Texts{"0", "2", "3", "1"}));
}

TEST(CollectionTest, IndexesThatAreNeitherPositionNorKeyAreATypeMismatch) {
    auto col = collectionOf({i16(1)});
    for (Variant const& bad : {Variant(), Variant(Boolean::True), Variant(Missing{})})
        EXPECT_TRUE(raises(ErrorKind::TypeMismatch, [&] { col->Item(bad); })) << bad;
    EXPECT_TRUE(raises(ErrorKind::InvalidArgument, [&] { col->Add(i16(2), Missing{}, i16(1), i16(1)); }));
    EXPECT_EQ(col->Count(), 1);
}

TEST(CollectionTest, EnumerationKeepsItsPlaceWhileTheCollectionChanges) {
    // Removing the current element skips nothing; later removals shorten the run.
    auto col = collectionOf({i16(1), i16(2), i16(3), i16(4), i16(5)});
    Texts seen;
    for (Variant const& element : *col) {
        seen.push_back(toUtf8(element.toText()));
        if (element == i16(2) || element == i16(3))
            col->Remove(col->Item(i16(1)) == i16(1) ? i16(2) : i16(1));
        if (element == i16(4))
            col->Remove(col->Count());
    }
    EXPECT_EQ(seen, (Texts{"1", "2", "3", "4"}));
    EXPECT_EQ(textsOf(*col), (Texts{"1", "4"}));

    // An element added behind the current one is reached; one added before it is not.
    col = collectionOf({i16(1), i16(2), i16(3)});
    seen.clear();
    for (Variant const& element : *col) {
        seen.push_back(toUtf8(element.toText()));
        if (element == i16(2)) {
            col->Add(i16(8), Missing{}, i16(1));
            col->Add(i16(9));
        }
    }
    EXPECT_EQ(seen, (Texts{"1", "2", "3", "9"}));
    EXPECT_EQ(textsOf(*make<Collection>()), Texts{});
}

TEST(CollectionTest, AnIteratorKeepsItsCollectionAlive) {
    auto const before = Object::liveCount();
    auto col = collectionOf({i16(1), i16(2)});
    auto it = col->begin();
    col = nullptr;
    EXPECT_EQ(Object::liveCount(), before + 1);
    ++it;
    EXPECT_EQ(*it, i16(2));
    it = {};
    EXPECT_EQ(Object::liveCount(), before);
}

// Thousands of elements cross many leaves and internal nodes: every operation is checked against a
// plain vector, and the structure's invariants after each step.
TEST(CollectionTest, LargeCollectionsAgreeWithAPlainSequenceThroughSplitsAndMerges) {
    auto const col = make<Collection>();
    std::vector<std::int32_t> model;
    std::uint32_t state = 12345;
    auto next = [&](std::uint32_t bound) {
        state = state * 1103515245 + 12345;
        return (state >> 8) % bound;
    };
    for (int step = 0; step < 20000; ++step) {
        auto const value = static_cast<std::int32_t>(step);
        bool const growing = step < 12000 ? next(4) != 0 : next(4) == 0;
        if (growing || model.empty()) {
            auto const position =
                static_cast<std::int32_t>(next(static_cast<std::uint32_t>(model.size()) + 1));
            if (position == static_cast<std::int32_t>(model.size()))
                col->Add(Variant(value));
            else
                col->Add(Variant(value), Missing{}, Variant(position + 1));
            model.insert(model.begin() + position, value);
        } else {
            auto const position = static_cast<std::int32_t>(next(static_cast<std::uint32_t>(model.size())));
            col->Remove(Variant(position + 1));
            model.erase(model.begin() + position);
        }
        if (step % 500 == 0)
            col->checkInvariants();
        ASSERT_EQ(col->Count(), static_cast<std::int32_t>(model.size()));
        if (!model.empty()) {
            auto const probe = static_cast<std::int32_t>(next(static_cast<std::uint32_t>(model.size())));
            ASSERT_EQ(col->Item(Variant(probe + 1)), Variant(model[static_cast<std::size_t>(probe)])) << step;
        }
    }
    col->checkInvariants();
    std::size_t position = 0;
    for (Variant const& element : *col)
        ASSERT_EQ(element, Variant(model[position++]));
}

TEST(CollectionTest, KeysFollowTheirElementsAcrossNodes) {
    auto const col = make<Collection>();
    for (std::int32_t i = 0; i < 5000; ++i)
        col->Add(Variant(i), i % 3 == 0 ? Variant(u"k" + decimalText(i)) : Variant(Missing{}));
    // Inserting at the front and removing from the middle moves every keyed element at least once.
    // Element i then stands at 2001 + i, and removing position 3000 1,500 times removes 999..2498.
    for (std::int32_t i = 0; i < 2000; ++i)
        col->Add(Variant(-1 - i), Missing{}, i16(1));
    for (std::int32_t i = 0; i < 1500; ++i)
        col->Remove(Variant(std::int32_t{3000}));
    col->checkInvariants();
    EXPECT_EQ(col->Item(Variant(std::int32_t{2001})), Variant(std::int32_t{0}));
    EXPECT_EQ(col->Item(Variant(std::int32_t{2999})), Variant(std::int32_t{998}));
    EXPECT_EQ(col->Item(Variant(std::int32_t{3000})), Variant(std::int32_t{2499}));
    std::int32_t keyedLeft = 0;
    for (std::int32_t i = 0; i < 5000; i += 3) {
        Variant const key(u"k" + decimalText(i));
        if (i >= 999 && i <= 2498) {
            EXPECT_TRUE(raises(ErrorKind::InvalidArgument, [&] { col->Item(key); })) << i;
            continue;
        }
        ASSERT_EQ(col->Item(key), Variant(i));
        col->Remove(key);
        ++keyedLeft;
    }
    col->checkInvariants();
    EXPECT_EQ(col->Count(), 7000 - 1500 - keyedLeft);
}

TEST(CollectionTest, HeldObjectsLiveAsLongAsTheCollectionHoldsThem) {
    auto const before = Object::liveCount();
    {
        auto col = make<Collection>();
        col->Add(Variant(make<Probe>()));
        col->Add(Variant(make<Probe>()));
        EXPECT_EQ(Object::liveCount(), before + 3);
        col->Remove(i16(1));
        EXPECT_EQ(Object::liveCount(), before + 2);
        Variant const kept = col->Item(i16(1));
        col->Remove(i16(1));
        EXPECT_EQ(Object::liveCount(), before + 2);
    }
    EXPECT_EQ(Object::liveCount(), before);
}

} // namespace
} // namespace runtime
