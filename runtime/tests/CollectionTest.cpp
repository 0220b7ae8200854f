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

TEST(CollectionTest, EnumerationSeesChangesMadeWhileItRuns) {
    auto col = collectionOf({i16(1), i16(2), i16(3)});
    std::vector<std::string> seen;
    for (Variant const& element : *col) {
        seen.push_back(toUtf8(element.toText()));
        if (col->Count() > 1)
            col->Remove(col->Count());
    }
    EXPECT_EQ(seen, (Texts{"1", "2"}));
    EXPECT_EQ(textsOf(*make<Collection>()), Texts{});
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
