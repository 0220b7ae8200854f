#include "ambulon/Ambulon.h"

#include "ambulon/Binders.h"
#include "runtime/testing/CallProbe.h"
#include "runtime/testing/RuntimeTesting.h"

#include <gtest/gtest.h>

namespace ambulon {
namespace {

using runtime::Collection;
using runtime::ErrorKind;
using runtime::make;
using runtime::Object;
using runtime::Variant;
using runtime::testing::CallProbe;
using runtime::testing::collectionOf;
using runtime::testing::raises;
using runtime::testing::textsOf;
using Texts = std::vector<std::string>;
using runtime::testing::i16;

TEST(TransformTest, AnEmptyCollectionStaysEmptyAndFIsNeverCalled) {
    auto const empty = make<Collection>();
    CallProbe probe;
    runtime::Attachment const attached(probe);
    Ambulon::Transform_Collection(*empty, *make<Sqr>());
    EXPECT_EQ(empty->Count(), 0);
    EXPECT_EQ(probe.calls, 0);
}

TEST(TransformTest, ElementsAreReplacedInOrderWithTheKindsFReturns) {
    auto const one = collectionOf({i16(7777)});
    Ambulon::Transform_Collection(*one, *make<Sqr>());
    EXPECT_EQ(one->Item(i16(1)), Variant(std::int32_t{60481729}));

    auto const three = collectionOf({i16(1), i16(2), i16(3)});
    Ambulon::Transform_Collection(*three, *make<Sqr>());
    EXPECT_EQ(textsOf(*three), (Texts{"1", "4", "9"}));
    EXPECT_EQ(three->Item(i16(3)).kind(), runtime::Kind::Int16);
}

TEST(TransformTest, AStatefulFunctionMeetsTheElementsFirstToLast) {
    auto const col = collectionOf({i16(10), i16(10), i16(10)});
    auto const minusCount = make<Bind1st>()->Init(make<MinusCls>(), Variant(make<SeqCount>()));
    Ambulon::Transform_Collection(*col, *minusCount);
    EXPECT_EQ(textsOf(*col), (Texts{"9", "8", "7"}));
}

TEST(TransformTest, KeysAreDropped) {
    auto const col = make<Collection>();
    col->Add(i16(2), Variant(u"two"));
    col->Add(i16(3), Variant(u"three"));
    Ambulon::Transform_Collection(*col, *make<Sqr>());
    EXPECT_EQ(textsOf(*col), (Texts{"4", "9"}));
    EXPECT_TRUE(raises(ErrorKind::InvalidArgument, [&] { col->Item(Variant(u"two")); }));
    col->Add(i16(0), Variant(u"two")); // the key is free again
}

TEST(TransformTest, AFailureOnTheKthElementLeavesTheCollectionPartWay) {
    for (int k = 1; k <= 4; ++k) {
        auto const before = Object::liveCount();
        {
            auto const col = collectionOf({i16(1), i16(2), i16(3), i16(4)});
            auto const square = make<Sqr>();
            CallProbe probe(k);
            runtime::Attachment const attached(probe);
            EXPECT_TRUE(raises(ErrorKind::FailedCall, [&] { Ambulon::Transform_Collection(*col, *square); }));
            Texts expected;
            for (int i = k; i <= 4; ++i)
                expected.push_back(std::to_string(i));
            for (int i = 1; i < k; ++i)
                expected.push_back(std::to_string(i * i));
            EXPECT_EQ(textsOf(*col), expected) << "k = " << k;
        }
        EXPECT_EQ(Object::liveCount(), before);
    }
}

TEST(AssignVariantTest, SharesObjectsAndCopiesEverythingElse) {
    auto const counter = make<SeqCount>();
    Variant dst = i16(5);
    Ambulon::Assign_Variant(dst, Variant(counter));
    EXPECT_EQ(dst.asObject().get(), counter.get());
    EXPECT_EQ(dst - i16(0), Variant(std::int32_t{1}));
    EXPECT_EQ(counter->Counter(), 2);

    Variant source = i16(7);
    Ambulon::Assign_Variant(dst, source);
    EXPECT_EQ(counter->refCount(), 1u);
    source = i16(8);
    EXPECT_EQ(dst, i16(7));

    Ambulon::Assign_Variant(dst, Variant());
    EXPECT_TRUE(dst.isEmpty());
    Ambulon::Assign_Variant(dst, dst);
    EXPECT_TRUE(dst.isEmpty());
}

} // namespace
} // namespace ambulon
