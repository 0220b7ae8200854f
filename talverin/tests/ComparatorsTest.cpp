#include "talverin/Comparators.h"

#include "runtime/testing/RuntimeTesting.h"
#include "sortlib/Sort.h"

#include <gtest/gtest.h>

namespace talverin {
namespace {

using runtime::ErrorKind;
using runtime::make;
using runtime::Variant;
using runtime::testing::i16;
using runtime::testing::i32;
using runtime::testing::raises;

bool compare(sortlib::ICompare& cmp, Variant lhs, Variant rhs) {
    return cmp.Compare(std::move(lhs), std::move(rhs));
}

TEST(NumberComparatorsTest, LongLessAndLongGTCompareSignedValues) {
    LongLess less;
    LongGT greater;
    EXPECT_TRUE(compare(less, i16(926), i16(1851)));
    EXPECT_FALSE(compare(less, i16(1851), i16(926)));
    EXPECT_FALSE(compare(less, i16(40), i16(40)));
    EXPECT_TRUE(compare(greater, i32(66916), i16(12703)));
    EXPECT_FALSE(compare(greater, i16(40), i16(40)));
    EXPECT_TRUE(compare(less, i16(-5), i16(3)));
    EXPECT_TRUE(compare(greater, i32(2147483647), i32(-2147483647 - 1)));
}

TEST(NumberComparatorsTest, StorageWidthDoesNotMatter) {
    LongLess less;
    LongGT greater;
    EXPECT_TRUE(compare(less, i16(1851), i32(66916)));
    EXPECT_FALSE(compare(greater, i16(1851), i32(66916)));
    EXPECT_FALSE(compare(less, i16(40), i32(40)));
    EXPECT_FALSE(compare(greater, i32(40), i16(40)));
}

TEST(NumberComparatorsTest, StrLessComparesDecimalTextByCodeUnit) {
    StrLess text;
    EXPECT_FALSE(compare(text, i16(926), i16(1851)));
    EXPECT_TRUE(compare(text, i16(12703), i16(1851)));
    EXPECT_TRUE(compare(text, i16(40), i16(5562)));
    EXPECT_FALSE(compare(text, i16(40), i16(40)));
    EXPECT_TRUE(compare(text, i16(-5), i16(3)));
    EXPECT_TRUE(compare(text, i16(1), i32(10)));
    EXPECT_FALSE(compare(text, i32(66916), i16(926)) == compare(text, i16(926), i32(66916)));
}

TEST(NumberComparatorsTest, ConversionErrorsReachTheCallerAndLhsIsConvertedFirst) {
    LongLess less;
    LongGT greater;
    StrLess text;
    EXPECT_TRUE(raises(ErrorKind::TypeMismatch, [&] { compare(less, Variant(u"abc"), i16(1)); }));
    EXPECT_TRUE(raises(ErrorKind::Overflow, [&] { compare(greater, i16(1), Variant(u"2147483648")); }));
    // Both bad: the error is the one for lhs.
    EXPECT_TRUE(
        raises(ErrorKind::TypeMismatch, [&] { compare(less, Variant(u"abc"), Variant(u"99999999999")); }));
    EXPECT_TRUE(
        raises(ErrorKind::Overflow, [&] { compare(greater, Variant(u"99999999999"), Variant(u"abc")); }));
    EXPECT_TRUE(raises(ErrorKind::TypeMismatch, [&] { compare(text, Variant(runtime::Missing{}), i16(1)); }));
    EXPECT_TRUE(
        raises(ErrorKind::FailedCall, [&] { compare(text, i16(1), Variant(make<runtime::Collection>())); }));
    // Nothing is kept: the comparator works as before after an error.
    EXPECT_TRUE(compare(less, i16(1), i16(2)));
}

} // namespace
} // namespace talverin
