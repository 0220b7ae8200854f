#include "ambulon/Binders.h"

#include "runtime/testing/RuntimeTesting.h"

#include <gtest/gtest.h>

namespace ambulon {
namespace {

using runtime::ErrorKind;
using runtime::make;
using runtime::Object;
using runtime::Ref;
using runtime::Variant;
using runtime::testing::i16;
using runtime::testing::i32;
using runtime::testing::raises;

TEST(BindersTest, Bind1stBindsTheRightHandArgument) {
    auto const minusTen = make<Bind1st>()->Init(make<MinusCls>(), i16(10));
    EXPECT_EQ(minusTen->Exec(i16(1)), i16(-9));
    EXPECT_EQ(minusTen->Exec(i16(10000)), i16(9990));
}

TEST(BindersTest, Bind2ndBindsTheLeftHandArgument) {
    auto const negate = make<Bind2nd>()->Init(make<MinusCls>(), i16(0));
    EXPECT_EQ(negate->Exec(i16(123)), i16(-123));
    EXPECT_EQ(negate->Exec(i16(0)), i16(0));
    EXPECT_EQ(negate->Exec(i32(-2147483647)), i32(2147483647));
}

TEST(BindersTest, ABoundCounterAdvancesOnEveryCall) {
    auto const minusCount = make<Bind1st>()->Init(make<MinusCls>(), Variant(make<SeqCount>()));
    EXPECT_EQ(minusCount->Exec(i16(100)), i32(99));
    EXPECT_EQ(minusCount->Exec(i16(100)), i32(98));
    EXPECT_EQ(minusCount->Exec(i16(100)), i32(97));
}

TEST(BindersTest, InitReturnsTheVeryBinder) {
    auto const first = make<Bind1st>();
    EXPECT_EQ(first->Init(make<MinusCls>(), i16(1)).get(), first.get());
    auto const second = make<Bind2nd>();
    EXPECT_EQ(second->Init(make<MinusCls>(), i16(1)).get(), second.get());
    EXPECT_EQ(second->refCount(), 1u);
}

TEST(BindersTest, ABoundValueIsCopiedAndABoundObjectIsShared) {
    Variant value = i16(10);
    auto const binder = make<Bind1st>()->Init(make<MinusCls>(), value);
    value = i16(99);
    EXPECT_EQ(binder->Exec(i16(20)), i16(10));

    auto const counter = make<SeqCount>();
    auto const shared = make<Bind1st>()->Init(make<MinusCls>(), Variant(counter));
    EXPECT_EQ(counter->Counter(), 1);
    EXPECT_EQ(shared->Exec(i16(10)), i32(8));
    EXPECT_EQ(counter->Counter(), 3);
}

TEST(BindersTest, ALaterInitReplacesBothFieldsAndReleasesTheOldOnes) {
    auto const before = Object::liveCount();
    {
        auto const binder = make<Bind2nd>()->Init(make<MinusCls>(), Variant(make<SeqCount>()));
        EXPECT_EQ(Object::liveCount(), before + 3);
        binder->Init(make<MinusCls>(), i16(5));
        EXPECT_EQ(Object::liveCount(), before + 2);
        EXPECT_EQ(binder->Exec(i16(2)), i16(3));
    }
    EXPECT_EQ(Object::liveCount(), before);
}

TEST(BindersTest, ExecBeforeInitRaisesInsteadOfCrashing) {
    EXPECT_TRUE(raises(ErrorKind::ObjectRequired, [] { make<Bind1st>()->Exec(i16(1)); }));
    EXPECT_TRUE(raises(ErrorKind::ObjectRequired, [] { make<Bind2nd>()->Exec(i16(1)); }));
}

TEST(BindersTest, AnErrorOfTheBinaryFunctionLeavesTheBinderAsItWas) {
    auto const binder = make<Bind1st>()->Init(make<MinusCls>(), i16(1));
    EXPECT_TRUE(raises(ErrorKind::Overflow, [&] { binder->Exec(i32(-2147483647 - 1)); }));
    EXPECT_TRUE(raises(ErrorKind::TypeMismatch, [&] { binder->Exec(Variant(u"x")); }));
    EXPECT_EQ(binder->Exec(i16(1)), i16(0));
}

} // namespace
} // namespace ambulon
