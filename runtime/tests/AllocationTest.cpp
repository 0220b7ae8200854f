// Counts heap allocations through a replaced global operator new, in a test binary of its own so that
// the replacement touches no other test.
#include "runtime/Collection.h"
#include "runtime/Error.h"
#include "runtime/Variant.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

namespace {
std::size_t g_allocations = 0;
}

void* operator new(std::size_t size) {
    ++g_allocations;
    if (void* block = std::malloc(size == 0 ? 1 : size))
        return block;
    throw std::bad_alloc();
}
void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }

namespace runtime {
namespace {

TEST(AllocationTest, CopyingAndMovingValuesOfEveryKindAllocatesNothing) {
    Variant const values[] = {Variant(),
                              Variant(std::int16_t{-32768}),
                              Variant(std::int32_t{66916}),
                              Variant(Boolean::True),
                              Variant(Missing{}),
                              Variant(u"a text longer than any short-string buffer"),
                              Variant(make<Collection>())};
    std::size_t const before = g_allocations;
    for (Variant const& value : values) {
        Variant copy = value;
        Variant moved = std::move(copy);
        copy = moved;
        moved = std::move(copy);
        EXPECT_EQ(moved, value);
    }
    EXPECT_EQ(g_allocations, before);
}

TEST(AllocationTest, ItemByPositionAndArithmeticOnIntegersAllocateNothing) {
    auto const col = make<Collection>();
    for (std::int16_t i = 0; i < 100; ++i)
        col->Add(Variant(i));
    std::size_t const before = g_allocations;
    Variant sum = std::int16_t{0};
    for (std::int32_t position = 1; position <= col->Count(); ++position)
        sum = sum - col->Item(position) * Variant(std::int16_t{-1});
    Variant const product = Variant(std::int32_t{-1000000}) * Variant(std::int16_t{-2000});
    Variant const difference = Variant(std::int32_t{-1000000000}) - Variant(std::int32_t{-1000000000});
    EXPECT_EQ(g_allocations, before);
    EXPECT_EQ(sum, Variant(std::int16_t{4950}));
    EXPECT_EQ(product, Variant(std::int32_t{2000000000}));
    EXPECT_EQ(difference, Variant(std::int32_t{0}));
}

// The out-of-memory error is made, copied and read without allocating; a copy of any other error
// shares its message, so carrying an error to the window that reports it allocates nothing either.
TEST(AllocationTest, ErrorsAreMadeWhenMemoryIsOutCopiedAndReadWithoutAllocating) {
    RuntimeError raised = RuntimeError::outOfMemory();
    try {
        (void)(Variant(std::int32_t{50000}) * Variant(std::int32_t{50000}));
    } catch (RuntimeError const& error) {
        raised = error;
    }
    ASSERT_EQ(raised.kind(), ErrorKind::Overflow);
    std::size_t const before = g_allocations;
    RuntimeError const outOfMemory = RuntimeError::outOfMemory();
    for (RuntimeError const& error : {outOfMemory, raised}) {
        RuntimeError copy = error;
        EXPECT_EQ(copy.what(), error.what());
        EXPECT_EQ(copy.detail().data(), error.detail().data());
        EXPECT_EQ(copy.japaneseDetail().data(), error.japaneseDetail().data());
        EXPECT_FALSE(copy.japaneseDetail().empty());
    }
    EXPECT_EQ(outOfMemory.japaneseDetail(), "処理を続けるのに必要なメモリを確保できませんでした");
    EXPECT_EQ(g_allocations, before);
}

} // namespace
} // namespace runtime
