#include "runtime/Checked.h"
#include "runtime/Collection.h"
#include "runtime/Error.h"
#include "runtime/Ref.h"

#include "TestObjects.h"
#include "runtime/testing/RuntimeTesting.h"

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <stdexcept>

namespace runtime {
namespace {

using testing::collectionOf;
using testing::i32;

// The error that an action raised, as the window host receives it.
RuntimeError errorOf(std::function<void()> const& action) {
    try {
        action();
    } catch (...) {
        return currentError();
    }
    ADD_FAILURE() << "raised nothing";
    return RuntimeError::outOfMemory();
}

// One error of each kind, raised where the programs raise it: its English text stays what the
// traces and logs show, its Japanese detail is made from the same values, and every copy shares
// both texts.
TEST(ErrorTest, EveryKindCarriesItsEnglishTextAndAJapaneseDetailMadeFromTheSameValues) {
    struct Row {
        std::function<void()> action;
        ErrorKind kind;
        std::string_view what;
        std::string_view japaneseDetail;
    };
    auto const nine = collectionOf({i32(1), i32(2), i32(3), i32(4), i32(5), i32(6), i32(7), i32(8), i32(9)});
    nine->Add(i32(10), Variant(u"one"));
    Row const rows[] = {
        {[] { (void)(i32(50000) * i32(50000)); },
         ErrorKind::Overflow,
         "overflow: 50000 * 50000 = 2500000000 does not fit in 32 bits",
         "50000 × 50000 = 2500000000 は 32 ビット整数に収まりません"},
        {[] { (void)checkedAdd(2147483647, 1); },
         ErrorKind::Overflow,
         "overflow: 2147483647 + 1 does not fit in 32 bits",
         "2147483647 + 1 の結果は 32 ビット整数に収まりません"},
        {[&] { (void)nine->Item(i32(12)); },
         ErrorKind::SubscriptOutOfRange,
         "subscript out of range: index 12 is outside 1 to 10",
         "index に指定した位置 12 は 1 から 10 の範囲にありません"},
        {[] { (void)Variant(u"abc").toInt32(); },
         ErrorKind::TypeMismatch,
         "type mismatch: 'abc' is not a whole number",
         "文字列「abc」は整数ではありません"},
        {[] { (void)Variant(u"x").asInt32(); },
         ErrorKind::TypeMismatch,
         "type mismatch: expected 32-bit integer, got string",
         "32 ビット整数が必要ですが、文字列が渡されました"},
        {[] { (void)Variant().asObject(); },
         ErrorKind::ObjectRequired,
         "object required: expected object, got Empty",
         "オブジェクトが必要ですが、Empty 値が渡されました"},
        {[] { (void)Ref<Collection>()->Count(); },
         ErrorKind::ObjectRequired,
         "object required: object variable not set",
         "オブジェクト変数が設定されていません"},
        {[] { (void)make<testing::Plain>()->readMember(u"Height"); },
         ErrorKind::FailedCall,
         "failed call: Plain has no member 'Height'",
         "オブジェクト Plain にメンバー Height がありません"},
        {[] { throw std::length_error("vector too long"); },
         ErrorKind::FailedCall,
         "failed call: vector too long",
         "想定外の例外「vector too long」が発生しました"},
        {[] { throw 42; }, ErrorKind::FailedCall, "failed call: an unknown exception",
         "種類の分からない例外が発生しました"},
        {[&] { (void)nine->Item(Variant(u"two")); },
         ErrorKind::InvalidArgument,
         "invalid argument: index key 'two' is not in the collection",
         "index に指定したキー「two」はコレクションにありません"},
        {[&] { nine->Add(i32(11), Variant(u"one")); },
         ErrorKind::InvalidArgument,
         "invalid argument: key 'one' is already in the collection",
         "キー「one」はすでにコレクションにあります"},
        {[] { throw std::bad_alloc(); }, ErrorKind::OutOfMemory, "out of memory: not enough memory to go on",
         "処理を続けるのに必要なメモリを確保できませんでした"},
    };
    for (Row const& row : rows) {
        RuntimeError const error = errorOf(row.action);
        SCOPED_TRACE(error.what());
        EXPECT_EQ(error.kind(), row.kind);
        EXPECT_EQ(std::string_view(error.what()), row.what);
        EXPECT_EQ(error.detail(), row.what.substr(kindName(row.kind).size() + 2));
        EXPECT_EQ(error.japaneseDetail(), row.japaneseDetail);
        RuntimeError copy = RuntimeError::outOfMemory();
        copy = error;
        EXPECT_EQ(copy.what(), error.what());
        EXPECT_EQ(copy.japaneseDetail().data(), error.japaneseDetail().data());
    }
    EXPECT_EQ(nine->Count(), 10);
}

} // namespace
} // namespace runtime
