#include "sortlib/SortTrace.h"

#include "runtime/Members.h"
#include "runtime/testing/RuntimeTesting.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

namespace sortlib {
namespace {

using runtime::make;
using runtime::Ref;
using runtime::Variant;

// An object with one member, read by name.
class Item final : public runtime::Object {
public:
    explicit Item(std::int32_t rank) : Rank(rank) {}
    std::int32_t Rank;

protected:
    std::span<runtime::MemberEntry const> members() const override {
        static constexpr runtime::MemberEntry kMembers[] = {runtime::member<&Item::Rank>(u"Rank")};
        return kMembers;
    }
};

// Orders items by the distance of their Rank from an origin's Rank, all three read by name.
class ByDistance final : public ICompare {
public:
    explicit ByDistance(Ref<Item> origin) : m_origin(std::move(origin)) {}

protected:
    bool ICompare_Compare(Variant lhs, Variant rhs) override {
        std::int32_t const origin = m_origin->readMember(u"Rank").toInt32();
        return std::abs(runtime::readMember(lhs, u"Rank").toInt32() - origin) <
               std::abs(runtime::readMember(rhs, u"Rank").toInt32() - origin);
    }

private:
    Ref<Item> m_origin;
};

// A sort trace that shows each item with its Rank.
class RankedTrace final : public SortTrace {
public:
    using SortTrace::SortTrace;

protected:
    std::u16string_view orderMember(ICompare const&) const override { return u"Rank"; }
};

// Items named by their first position and shown with their Rank, the origin (made first, and no
// element) named from 0 beneath the calls that read it; both exchange forms; the reads after the
// sort counted, not shown.
TEST(SortTraceTest, FramesTheSortAndNamesElementsByTheirFirstPosition) {
    std::ostringstream out;
    RankedTrace trace(out);
    trace.beginClick(u"並べ替え");
    {
        runtime::Attachment const attached(trace);
        auto const origin = make<Item>(0);
        auto const items = runtime::testing::collectionOf(
            {Variant(make<Item>(3)), Variant(make<Item>(1)), Variant(make<Item>(2))});
        Sort::Sort_Collection(*items, *make<ByDistance>(origin));
        for (Variant const& item : *items)
            runtime::readMember(item, u"Rank");
    }
    trace.endClick();
    // clang-format off
    std::vector<std::string> const expected{
        "== 並べ替え: ByDistance",
        "Start (Rank): Item#1(3) Item#2(1) Item#3(2)",
        "Pass 1 of 2: compares [3] down to [2] with [1]",
        "Compare([3] Item#3(2), [1] Item#1(3)) = True",
        "  Item#0.Rank = 0",
        "Exchange [1] and [3]: Item#3(2) to [1], Item#1(3) to [3]",
        "Compare([2] Item#2(1), [1] Item#3(2)) = True",
        "  Item#0.Rank = 0",
        "Exchange [1] and [2]: Item#2(1) to [1], Item#3(2) to [2]",
        "Pass 2 of 2: compares [3] with [2]",
        "Compare([3] Item#1(3), [2] Item#3(2)) = False",
        "  Item#0.Rank = 0",
        "End (Rank): Item#2(1) Item#3(2) Item#1(3)",
        "-- 3 calls of Compare, 2 exchanges; not shown: 3 reads of Rank",
    };
    // clang-format on
    EXPECT_EQ(runtime::testing::linesOfText(out.str()), expected);

    // A click that sorts nothing counts no exchange.
    out.str({});
    trace.beginClick(u"空");
    {
        runtime::Attachment const attached(trace);
    }
    trace.endClick();
    EXPECT_EQ(out.str(), "== 空\n-- 0 calls\n");

    // A click that an error ended says which, before its closing line.
    out.str({});
    trace.beginClick(u"失敗");
    runtime::RuntimeError const error(runtime::ErrorKind::Overflow, "1 + 1 does not fit", "1 + 1 は収まりません");
    trace.endClick(&error);
    EXPECT_EQ(out.str(), "== 失敗\nError: overflow: 1 + 1 does not fit\n-- 0 calls\n");
}

} // namespace
} // namespace sortlib
