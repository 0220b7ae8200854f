#include "sortlib/Sort.h"

#include "runtime/testing/FailingAllocator.h"
#include "runtime/testing/RuntimeTesting.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <numeric>
#include <optional>
#include <random>

namespace sortlib {
namespace {

using runtime::Collection;
using runtime::ErrorKind;
using runtime::make;
using runtime::Ref;
using runtime::Variant;
using runtime::testing::collectionOf;
using runtime::testing::raises;
using runtime::testing::textsOf;
using Texts = std::vector<std::string>;

// A comparator that answers through a function and records every pair it is asked about.
class ScriptedCompare final : public ICompare {
public:
    explicit ScriptedCompare(std::function<bool(Variant const&, Variant const&)> answer)
        : m_answer(std::move(answer)) {}

    std::vector<std::pair<std::string, std::string>> pairs;
    int trueAnswers = 0;

protected:
    bool ICompare_Compare(Variant lhs, Variant rhs) override {
        pairs.emplace_back(runtime::toUtf8(lhs.toText()), runtime::toUtf8(rhs.toText()));
        bool const answer = m_answer(lhs, rhs);
        trueAnswers += answer ? 1 : 0;
        return answer;
    }

private:
    std::function<bool(Variant const&, Variant const&)> m_answer;
};

bool ascending(Variant const& lhs, Variant const& rhs) { return lhs.toInt32() < rhs.toInt32(); }
// An element "A2" is compared by its last character.
bool lastCharacterLess(Variant const& lhs, Variant const& rhs) {
    return lhs.asString().back() < rhs.asString().back();
}

Ref<Collection> lettersOf(std::u16string_view letters) {
    auto col = make<Collection>();
    for (char16_t letter : letters)
        col->Add(Variant(std::u16string(1, letter)));
    return col;
}

TEST(SortTest, InterfaceItselfAnswersFalse) {
    auto const plain = make<ICompare>();
    EXPECT_FALSE(plain->Compare(Variant(std::int16_t{1}), Variant(std::int16_t{2})));
}

TEST(SortTest, EmptyAndSingleCollectionsAreNeverCompared) {
    ScriptedCompare cmp(ascending);
    auto empty = make<Collection>();
    Sort::Sort_Collection(*empty, cmp);
    auto single = collectionOf({Variant(std::int16_t{5})});
    Sort::Sort_Collection(*single, cmp);
    EXPECT_TRUE(cmp.pairs.empty());
    EXPECT_EQ(textsOf(*single), Texts{"5"});
}

TEST(SortTest, TwoElementsMakeOneCallWithTheLaterElementAsLhs) {
    ScriptedCompare cmp([](auto&, auto&) { return true; });
    auto col = lettersOf(u"ab");
    Sort::Sort_Collection(*col, cmp);
    EXPECT_EQ(cmp.pairs, (std::vector<std::pair<std::string, std::string>>{{"b", "a"}}));
    EXPECT_EQ(textsOf(*col), (Texts{"b", "a"}));
}

TEST(SortTest, ExchangePatternsOfConstantAnswers) {
    ScriptedCompare always([](auto&, auto&) { return true; });
    auto three = lettersOf(u"abc");
    Sort::Sort_Collection(*three, always);
    EXPECT_EQ(textsOf(*three), (Texts{"b", "a", "c"}));
    auto four = lettersOf(u"abcd");
    Sort::Sort_Collection(*four, always);
    EXPECT_EQ(textsOf(*four), (Texts{"b", "d", "c", "a"}));

    ScriptedCompare never([](auto&, auto&) { return false; });
    auto untouched = lettersOf(u"dcba");
    Sort::Sort_Collection(*untouched, never);
    EXPECT_EQ(textsOf(*untouched), (Texts{"d", "c", "b", "a"}));
    EXPECT_EQ(never.pairs.size(), 6u);
}

TEST(SortTest, ThreeOneTwoFollowsTheDocumentedPasses) {
    ScriptedCompare cmp(ascending);
    auto col = collectionOf({Variant(std::int16_t{3}), Variant(std::int16_t{1}), Variant(std::int16_t{2})});
    Sort::Sort_Collection(*col, cmp);
    EXPECT_EQ(cmp.pairs,
              (std::vector<std::pair<std::string, std::string>>{{"2", "3"}, {"1", "2"}, {"3", "2"}}));
    EXPECT_EQ(textsOf(*col), (Texts{"1", "2", "3"}));
}

TEST(SortTest, EqualValuesEndInReverseOfTheirFirstOrder) {
    ScriptedCompare cmp(lastCharacterLess);
    auto first = collectionOf({Variant(u"A2"), Variant(u"B1"), Variant(u"C1")});
    Sort::Sort_Collection(*first, cmp);
    EXPECT_EQ(textsOf(*first), (Texts{"C1", "B1", "A2"}));
    auto second = collectionOf({Variant(u"A1"), Variant(u"B1"), Variant(u"C0")});
    Sort::Sort_Collection(*second, cmp);
    EXPECT_EQ(textsOf(*second), (Texts{"C0", "B1", "A1"}));
}

TEST(SortTest, NineNumbersAscendingTakeThirtySixCallsAndTenExchanges) {
    ScriptedCompare cmp(ascending);
    auto col = make<Collection>();
    for (std::int64_t value : {1851, 9353, 2748, 926, 1166, 12703, 40, 66916, 5562})
        col->Add(Variant::fromInteger(value));
    Sort::Sort_Collection(*col, cmp);
    EXPECT_EQ(textsOf(*col), (Texts{"40", "926", "1166", "1851", "2748", "5562", "9353", "12703", "66916"}));
    EXPECT_EQ(cmp.pairs.size(), 36u);
    EXPECT_EQ(cmp.trueAnswers, 10);
    EXPECT_EQ(col->Item(std::int32_t{9}).kind(), runtime::Kind::Int32); // kinds travel with the values
}

// Any answers, even inconsistent ones: n(n-1)/2 calls, and the result is a permutation of the input.
TEST(SortTest, EveryComparatorMakesExactlyNChooseTwoCallsAndKeepsAllElements) {
    std::mt19937 random(7);
    for (int n = 0; n <= 12; ++n) {
        ScriptedCompare cmp([&](auto&, auto&) { return random() % 2 == 0; });
        std::vector<Variant> values;
        for (int i = 0; i < n; ++i)
            values.push_back(Variant(std::int16_t(i)));
        auto col = collectionOf(values);
        Sort::Sort_Collection(*col, cmp);
        EXPECT_EQ(cmp.pairs.size(), static_cast<std::size_t>(n * (n - 1) / 2)) << n;
        Texts sorted = textsOf(*col);
        std::sort(sorted.begin(), sorted.end());
        Texts expected = textsOf(*collectionOf(values));
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(sorted, expected) << n;
    }
}

TEST(SortTest, AnErrorInCompareReachesTheCallerWithEveryElementKept) {
    for (int failAt = 1; failAt <= 10; ++failAt) {
        auto const before = runtime::Object::liveCount();
        {
            int calls = 0;
            ScriptedCompare cmp([&](Variant const& lhs, Variant const& rhs) {
                if (++calls == failAt)
                    runtime::raise(ErrorKind::TypeMismatch, "cannot compare");
                return ascending(lhs, rhs);
            });
            auto col =
                collectionOf({Variant(std::int16_t{4}), Variant(std::int16_t{3}), Variant(std::int16_t{2}),
                              Variant(std::int16_t{1}), Variant(std::int16_t{0})});
            EXPECT_TRUE(raises(ErrorKind::TypeMismatch, [&] { Sort::Sort_Collection(*col, cmp); }));
            EXPECT_EQ(calls, failAt);
            Texts kept = textsOf(*col);
            std::sort(kept.begin(), kept.end());
            EXPECT_EQ(kept, (Texts{"0", "1", "2", "3", "4"}));
        }
        EXPECT_EQ(runtime::Object::liveCount(), before);
    }
}

// Where the c-th call of Compare falls when the sort runs on order (1-based positions): the order
// just before it and the positions it compares.
struct CompareStep {
    std::vector<int> order;
    std::int32_t i = 0;
    std::int32_t j = 0;
};

CompareStep compareStep(std::vector<int> order, int c) {
    auto const n = static_cast<std::int32_t>(order.size());
    for (std::int32_t i = 1; i < n; ++i) {
        for (std::int32_t j = n; j > i; --j) {
            auto& x = order[static_cast<std::size_t>(j - 1)];
            auto& y = order[static_cast<std::size_t>(i - 1)];
            if (--c == 0)
                return {order, i, j};
            if (x < y)
                std::swap(x, y);
        }
    }
    return {order, 0, 0};
}

// Ascending integers, counting its calls without allocating.
class CountingAscending final : public ICompare {
public:
    int calls = 0;

protected:
    bool ICompare_Compare(Variant lhs, Variant rhs) override {
        ++calls;
        return ascending(lhs, rhs);
    }
};

// Each allocation of a sort of 64 elements (two full leaves) fails in turn, once or from there on:
// out-of-memory reaches the caller, and the collection holds what Sort.h states: the order before the
// exchange that was running, or, when the second Add of a far exchange failed, that order with the
// element from j added again before i.
TEST(SortTest, AFailedAddLeavesTheOrderBeforeItsExchangeWithAtMostTheMovedElementTwice) {
    std::vector<int> input(64);
    std::iota(input.begin(), input.end(), 0);
    std::shuffle(input.begin(), input.end(), std::mt19937(64));
    for (auto const exhaustion :
         {runtime::testing::Exhaustion::Once, runtime::testing::Exhaustion::Lasting}) {
        int unchanged = 0;
        int twice = 0;
        for (std::size_t k = 1;; ++k) {
            SCOPED_TRACE(::testing::Message() << "allocation " << k);
            auto const col = make<Collection>();
            for (int value : input)
                col->Add(Variant(value));
            CountingAscending cmp;
            std::optional<ErrorKind> raised;
            bool failed = false;
            {
                runtime::testing::AllocationFailure const failure(k, exhaustion);
                try {
                    Sort::Sort_Collection(*col, cmp);
                } catch (runtime::RuntimeError const& error) {
                    raised = error.kind();
                }
                failed = failure.happened();
            }
            EXPECT_EQ(raised, failed ? std::optional(ErrorKind::OutOfMemory) : std::nullopt);
            col->checkInvariants();
            std::vector<int> held;
            for (Variant const& element : *col)
                held.push_back(element.toInt32());
            if (!failed) {
                EXPECT_TRUE(std::is_sorted(held.begin(), held.end()));
                break;
            }
            CompareStep const step = compareStep(input, cmp.calls);
            ASSERT_GT(step.i, 0);
            ASSERT_LT(step.order[static_cast<std::size_t>(step.j - 1)],
                      step.order[static_cast<std::size_t>(step.i - 1)])
                << "an allocation failed after a compare that answered false";
            if (held == step.order) {
                ++unchanged;
                continue;
            }
            std::vector<int> withCopy = step.order;
            withCopy.insert(withCopy.begin() + (step.i - 1),
                            step.order[static_cast<std::size_t>(step.j - 1)]);
            ASSERT_GT(step.j, step.i + 1) << "a neighbour exchange left a copy";
            ASSERT_EQ(held, withCopy);
            ++twice;
        }
        EXPECT_GT(unchanged, 0);
        EXPECT_GT(twice, 0);
    }
}

} // namespace
} // namespace sortlib
