#include "runtime/Variant.h"

#include "TestObjects.h"
#include "runtime/testing/RuntimeTesting.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace runtime {
namespace {

using testing::i16;
using testing::i32;
using testing::Plain;
using testing::Probe;
using testing::raises;

constexpr std::int32_t kMax32 = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin32 = std::numeric_limits<std::int32_t>::min();

TEST(VariantTest, CopySharesObjectsAndMoveLeavesEmpty) {
    auto probe = make<Probe>();
    Variant held(probe);
    EXPECT_EQ(probe->refCount(), 2u);
    Variant copy = held;
    EXPECT_EQ(probe->refCount(), 3u);
    EXPECT_EQ(copy.asObject().get(), probe.get());

    Variant moved = std::move(held);
    EXPECT_TRUE(held.isEmpty());
    EXPECT_EQ(probe->refCount(), 3u);

    moved = i16(4);
    EXPECT_EQ(probe->refCount(), 2u);
    Variant number = i16(7);
    Variant taken = std::move(number);
    EXPECT_TRUE(number.isEmpty());
    EXPECT_EQ(taken, i16(7));
}

TEST(VariantTest, FromIntegerPicksTheNarrowestKind) {
    EXPECT_EQ(Variant::fromInteger(32767).kind(), Kind::Int16);
    EXPECT_EQ(Variant::fromInteger(-32768).kind(), Kind::Int16);
    EXPECT_EQ(Variant::fromInteger(32768), i32(32768));
    EXPECT_EQ(Variant::fromInteger(-32769), i32(-32769));
    EXPECT_EQ(Variant::fromInteger(66916), i32(66916));
    EXPECT_TRUE(raises(ErrorKind::Overflow, [] { Variant::fromInteger(std::int64_t{kMax32} + 1); }));
}

TEST(VariantTest, SixteenBitResultsWidenOnlyWhenTheyDoNotFit) {
    EXPECT_EQ(i16(1000) * i16(1000), i32(1000000));
    EXPECT_EQ(i16(181) * i16(181), i16(32761));
    EXPECT_EQ(i16(123) * i16(123), i16(15129));
    EXPECT_EQ(i16(7777) * i16(7777), i32(60481729));
    EXPECT_EQ(i16(32767) - i16(-1), i32(32768));
    EXPECT_EQ(i16(-32768) - i16(1), i32(-32769));
    EXPECT_EQ(i16(-32768) * i16(-1), i32(32768));
    EXPECT_EQ(i16(3) - i16(10), i16(-7));
}

TEST(VariantTest, AThirtyTwoBitOperandGivesAThirtyTwoBitResult) {
    EXPECT_EQ(i32(5) * i16(2), i32(10));
    EXPECT_EQ(i16(10) - i32(1), i32(9));
    EXPECT_EQ(i32(kMin32 + 1) - i16(1), i32(kMin32));
    EXPECT_EQ(i32(kMax32) * i16(1), i32(kMax32));
}

TEST(VariantTest, ResultsBeyondThirtyTwoBitsRaiseOverflowInsteadOfWrapping) {
    EXPECT_TRUE(raises(ErrorKind::Overflow, [] { (void)(i32(kMax32) - i16(-1)); }));
    EXPECT_TRUE(raises(ErrorKind::Overflow, [] { (void)(i32(kMin32) - i16(1)); }));
    EXPECT_TRUE(raises(ErrorKind::Overflow, [] { (void)(i32(kMin32) * i16(-1)); }));
    EXPECT_TRUE(raises(ErrorKind::Overflow, [] { (void)(i32(65536) * i32(65536)); }));
    EXPECT_TRUE(raises(ErrorKind::Overflow, [] { (void)(i32(kMin32) * i32(kMin32)); }));
}

TEST(VariantTest, EmptyAndTruthValuesTakePartAsSixteenBitIntegers) {
    EXPECT_EQ(Variant() * i16(5), i16(0));
    EXPECT_EQ(Variant() - i16(5), i16(-5));
    EXPECT_EQ(Variant(Boolean::True) * i16(3), i16(-3));
    EXPECT_EQ(Variant::fromBool(true).asBoolean(), Boolean::True);
    EXPECT_EQ(static_cast<std::int16_t>(Boolean::True), -1);
}

TEST(VariantTest, TextAndMissingAreNotArithmeticOperands) {
    EXPECT_TRUE(raises(ErrorKind::TypeMismatch, [] { (void)(Variant(u"3") * i16(2)); }));
    EXPECT_TRUE(raises(ErrorKind::TypeMismatch, [] { (void)(i16(2) - Variant(Missing{})); }));
}

TEST(VariantTest, AnObjectOperandGivesExactlyOneReadOfItsDefaultMember) {
    auto probe = make<Probe>();
    Variant const held(probe);
    EXPECT_EQ(i16(10) - held, i32(9));
    EXPECT_EQ(i16(10) - held, i32(8));
    EXPECT_EQ(held * held, i32(12)); // left reads 3, right reads 4
    EXPECT_EQ(probe->reads, 4);
    EXPECT_EQ(held.toInt32(), 5);
    EXPECT_EQ(held.toText(), u"6");

    Variant const plain(make<Plain>());
    EXPECT_TRUE(raises(ErrorKind::FailedCall, [&] { (void)(plain * i16(2)); }));
    EXPECT_TRUE(raises(ErrorKind::FailedCall, [&] { (void)plain.toInt32(); }));
}

TEST(VariantTest, LessThanComparesNumbersNumericallyAndTextsByCodeUnit) {
    EXPECT_EQ(lessThan(i16(1851), i32(66916)), Variant(Boolean::True));
    EXPECT_EQ(lessThan(i32(99), i16(100)).asBoolean(), Boolean::True);
    EXPECT_EQ(lessThan(i16(40), i16(40)).asBoolean(), Boolean::False);
    EXPECT_EQ(lessThan(i16(-1), Variant()).asBoolean(), Boolean::True);
    EXPECT_EQ(lessThan(Variant(u"12703"), Variant(u"1851")).asBoolean(), Boolean::True);
    EXPECT_EQ(lessThan(Variant(u"Z"), Variant(u"a")).asBoolean(), Boolean::True);
    EXPECT_EQ(lessThan(Variant(u"ab"), Variant(u"abc")).asBoolean(), Boolean::True);
    // A code unit above the ASCII range sorts after every ASCII one.
    EXPECT_EQ(lessThan(Variant(u"z"), Variant(u"国")).asBoolean(), Boolean::True);
}

TEST(VariantTest, LessThanBetweenNumbersTextsAndEmpty) {
    EXPECT_EQ(lessThan(i16(9), Variant(u"1")).asBoolean(), Boolean::True);
    EXPECT_EQ(lessThan(Variant(u"1"), i16(9)).asBoolean(), Boolean::False);
    EXPECT_EQ(lessThan(Variant(), Variant(u"a")).asBoolean(), Boolean::True);
    EXPECT_EQ(lessThan(Variant(), Variant(u"")).asBoolean(), Boolean::False);
    EXPECT_EQ(lessThan(Variant(u"a"), Variant()).asBoolean(), Boolean::False);
    EXPECT_TRUE(raises(ErrorKind::TypeMismatch, [] { lessThan(Variant(Missing{}), i16(1)); }));
}

TEST(VariantTest, ToInt32ConvertsOrRaises) {
    EXPECT_EQ(i16(-5).toInt32(), -5);
    EXPECT_EQ(Variant(Boolean::True).toInt32(), -1);
    EXPECT_EQ(Variant().toInt32(), 0);
    EXPECT_EQ(Variant(u" -2147483648 ").toInt32(), kMin32);
    EXPECT_EQ(Variant(u"+0042").toInt32(), 42);
    EXPECT_TRUE(raises(ErrorKind::Overflow, [] { Variant(u"2147483648").toInt32(); }));
    EXPECT_TRUE(raises(ErrorKind::Overflow, [] { Variant(u"99999999999999999999999").toInt32(); }));
    for (char16_t const* bad : {u"", u"-", u"12a", u"1 2", u"0x10", u"１２"})
        EXPECT_TRUE(raises(ErrorKind::TypeMismatch, [&] { Variant(bad).toInt32(); })) << toUtf8(bad);
    EXPECT_TRUE(raises(ErrorKind::TypeMismatch, [] { Variant(Missing{}).toInt32(); }));
}

TEST(VariantTest, ToTextWritesPlainDecimalDigits) {
    EXPECT_EQ(i16(0).toText(), u"0");
    EXPECT_EQ(i16(-3).toText(), u"-3");
    EXPECT_EQ(i32(100000000).toText(), u"100000000");
    EXPECT_EQ(i32(kMin32).toText(), u"-2147483648");
    EXPECT_EQ(Variant().toText(), u"");
    EXPECT_EQ(Variant(Boolean::False).toText(), u"False");
    EXPECT_EQ(concat(Variant(u"身長"), i16(160)), Variant(u"身長160"));
    EXPECT_TRUE(raises(ErrorKind::TypeMismatch, [] { Variant(Missing{}).toText(); }));
}

// Texts go to UTF-8 and back whole, a character beyond 16 bits too; a byte that starts no character
// comes back as U+FFFD, as do overlong forms and surrogates written in UTF-8.
TEST(VariantTest, TextsGoToUtf8AndBack) {
    std::u16string const text = u"身長 160 cm, \U0001F600 ok";
    EXPECT_EQ(fromUtf8(toUtf8(text)), text);
    EXPECT_EQ(toUtf8(text).size(), 22u);
    EXPECT_EQ(fromUtf8("a\xFF"
                       "b\xE6\x97"
                       "c"),
              u"a\uFFFDb\uFFFD\uFFFDc");
    EXPECT_EQ(fromUtf8("\xC0\xAF\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD");
}

TEST(VariantTest, StrictAccessNamesBothKinds) {
    try {
        (void)Variant(u"x").asInt32();
        FAIL() << "no error";
    } catch (RuntimeError const& error) {
        EXPECT_STREQ(error.what(), "type mismatch: expected 32-bit integer, got string");
    }
    EXPECT_TRUE(raises(ErrorKind::ObjectRequired, [] { (void)i16(1).asObject(); }));
}

TEST(VariantTest, LateBoundReadsByName) {
    auto probe = make<Probe>();
    probe->Value = 42;
    Variant const held(probe);
    EXPECT_EQ(readMember(held, u"Value"), i32(42));
    EXPECT_EQ(readMember(held, u"Label"), Variant(u"probe"));
    EXPECT_EQ(readMember(held, u"Next"), i32(1));
    EXPECT_TRUE(raises(ErrorKind::FailedCall, [&] { readMember(held, u"value"); }));
    EXPECT_TRUE(raises(ErrorKind::FailedCall, [&] { readMember(held, u"Missing"); }));
    EXPECT_TRUE(raises(ErrorKind::ObjectRequired, [] { readMember(i16(1), u"Value"); }));
    EXPECT_TRUE(raises(ErrorKind::ObjectRequired, [] { readMember(Variant(), u"Value"); }));
}

} // namespace
} // namespace runtime
