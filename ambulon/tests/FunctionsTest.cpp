#include "ambulon/Functions.h"

#include "runtime/testing/RuntimeTesting.h"

#include <gtest/gtest.h>

namespace ambulon {
namespace {

using runtime::ErrorKind;
using runtime::make;
using runtime::Variant;
using runtime::testing::i16;
using runtime::testing::i32;
using runtime::testing::raises;

// A counter that starts at a chosen count, to reach the top without two billion reads.
class SeqCountFrom final : public SeqCount {
public:
    explicit SeqCountFrom(std::int32_t start) { m_count = start; }
};

TEST(FunctionsTest, EachSeqCountCountsOnItsOwnFromOne) {
    auto const first = make<SeqCount>();
    EXPECT_EQ(first->Counter(), 1);
    EXPECT_EQ(first->Counter(), 2);
    auto const second = make<SeqCount>();
    EXPECT_EQ(second->Counter(), 1);
    EXPECT_EQ(first->Counter(), 3);
    EXPECT_EQ(runtime::readMember(Variant(second), u"Counter"), i32(2));
}

TEST(FunctionsTest, CounterRaisesOverflowAtTheTopAndStaysThere) {
    auto const counter = make<SeqCountFrom>(2147483646);
    EXPECT_EQ(counter->Counter(), 2147483647);
    EXPECT_TRUE(raises(ErrorKind::Overflow, [&] { counter->Counter(); }));
    EXPECT_TRUE(raises(ErrorKind::Overflow, [&] { counter->Counter(); }));
    EXPECT_TRUE(raises(ErrorKind::Overflow, [&] { (void)(i16(1) - Variant(counter)); }));
}

TEST(FunctionsTest, MinusClsSubtractsRhsFromLhs) {
    auto const minus = make<MinusCls>();
    EXPECT_EQ(minus->Exec(i16(3), i16(10)), i16(-7));
    Variant const counter(make<SeqCount>());
    EXPECT_EQ(minus->Exec(i16(10), counter), i32(9));
    EXPECT_EQ(minus->Exec(i16(10), counter), i32(8));
    EXPECT_TRUE(raises(ErrorKind::Overflow, [&] { minus->Exec(i32(-2147483647 - 1), i16(1)); }));
}

TEST(FunctionsTest, SqrKeepsSixteenBitsOnlyWhileTheSquareFits) {
    auto const sqr = make<Sqr>();
    EXPECT_EQ(sqr->Exec(i16(3)), i16(9));
    EXPECT_EQ(sqr->Exec(i16(123)), i16(15129));
    EXPECT_EQ(sqr->Exec(i16(7777)), i32(60481729));
    EXPECT_EQ(sqr->Exec(i16(10000)), i32(100000000));
    EXPECT_EQ(sqr->Exec(i16(-1000)), i32(1000000));
    EXPECT_TRUE(raises(ErrorKind::Overflow, [&] { sqr->Exec(i32(46341)); }));
    // A counter squared is two reads: 1 * 2.
    EXPECT_EQ(sqr->Exec(Variant(make<SeqCount>())), i32(2));
}

TEST(FunctionsTest, TheInterfacesThemselvesReturnEmpty) {
    EXPECT_TRUE(make<IUnaryFunc>()->Exec(i16(5)).isEmpty());
    EXPECT_TRUE(make<IBinaryFunc>()->Exec(i16(5), i16(6)).isEmpty());
}

} // namespace
} // namespace ambulon
