// Costs of the value model and of the algorithms built on it, each beside a plain peer doing the
// same work: the sort's passes over a Collection, over a QList<QVariant> (swapping, or with the
// sort's own inserts and removals) and over a vector of integers, on random and on sorted input; the
// in-place transform; Item at random and sequential positions, and by key beside a QHash; the
// resident bytes of one element; and the logic of one Pelora click, plain and recorded for
// the step window.
#include "ambulon/Ambulon.h"
#include "pelora/Form1.h"
#include "runtime/Collection.h"
#include "runtime/Text.h"
#include "sortlib/Sort.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QVariant>
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <memory>
#include <numeric>
#include <random>
#include <utility>
#include <vector>

namespace {

using runtime::Collection;
using runtime::make;
using runtime::Ref;
using runtime::Variant;

std::vector<std::int32_t> randomNumbers(std::int64_t count) {
    std::mt19937 generator(20261209);
    std::vector<std::int32_t> numbers(static_cast<std::size_t>(count));
    for (std::int32_t& number : numbers)
        number = static_cast<std::int32_t>(generator());
    return numbers;
}

// The numbers a sort benchmark starts from: state.range(0) of them, at random, or already in order
// when state.range(1) is 1, so that no exchange happens and only the compare path is timed.
std::vector<std::int32_t> sortInput(benchmark::State& state) {
    auto numbers = randomNumbers(state.range(0));
    bool const sorted = state.range(1) != 0;
    if (sorted)
        std::sort(numbers.begin(), numbers.end());
    state.SetLabel(sorted ? "sorted" : "random");
    return numbers;
}

// Random input at 100 and 1,000 elements (and 10,000 unless the peer is quadratic in its exchanges),
// and sorted input at 1,000.
void sortSizesUpTo(benchmark::internal::Benchmark* benchmark, std::int64_t largest) {
    benchmark->ArgNames({"n", "sorted"});
    for (std::int64_t n = 100; n <= largest; n *= 10)
        benchmark->Args({n, 0});
    benchmark->Args({1000, 1})->Unit(benchmark::kMillisecond);
}
void sortSizes(benchmark::internal::Benchmark* benchmark) { sortSizesUpTo(benchmark, 10000); }
void smallSortSizes(benchmark::internal::Benchmark* benchmark) { sortSizesUpTo(benchmark, 1000); }

Ref<Collection> collectionOf(std::vector<std::int32_t> const& numbers) {
    auto col = make<Collection>();
    for (std::int32_t number : numbers)
        col->Add(Variant(number));
    return col;
}

// Reports the time of one compare: the sort makes n(n-1)/2 of them.
void countCompares(benchmark::State& state) {
    double const n = static_cast<double>(state.range(0));
    state.counters["per_compare"] = benchmark::Counter(
        n * (n - 1) / 2, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

class Ascending final : public sortlib::ICompare {
protected:
    bool ICompare_Compare(Variant lhs, Variant rhs) override { return lhs.toInt32() < rhs.toInt32(); }
};

void sortCollection(benchmark::State& state) {
    auto const numbers = sortInput(state);
    Ascending ascending;
    for (auto _ : state) {
        state.PauseTiming();
        auto const col = collectionOf(numbers);
        state.ResumeTiming();
        sortlib::Sort::Sort_Collection(*col, ascending);
    }
    countCompares(state);
}
BENCHMARK(sortCollection)->Apply(sortSizes);

// The peer a Qt programmer would write: the same passes over a QList<QVariant>, an abstract
// comparator that converts with toInt(), and swapItemsAt as the exchange.
class QtCompare {
public:
    virtual ~QtCompare() = default;
    virtual bool compare(QVariant const& lhs, QVariant const& rhs) const = 0;
};

class QtAscending final : public QtCompare {
public:
    bool compare(QVariant const& lhs, QVariant const& rhs) const override {
        return lhs.toInt() < rhs.toInt();
    }
};

void sortQList(QList<QVariant>& list, QtCompare const& cmp) {
    for (qsizetype i = 0; i + 1 < list.size(); ++i) {
        for (qsizetype j = list.size() - 1; j > i; --j) {
            QVariant const x = list.at(j);
            QVariant const y = list.at(i);
            if (cmp.compare(x, y))
                list.swapItemsAt(i, j);
        }
    }
}

// The passes of sort over a fresh list of the same random numbers, timed without building the list.
void timeQListSort(benchmark::State& state, void (*sort)(QList<QVariant>&, QtCompare const&)) {
    auto const numbers = sortInput(state);
    QtAscending const ascending;
    for (auto _ : state) {
        state.PauseTiming();
        QList<QVariant> list;
        for (std::int32_t number : numbers)
            list.append(QVariant(number));
        state.ResumeTiming();
        sort(list, ascending);
        benchmark::DoNotOptimize(list.data());
    }
    countCompares(state);
}

void sortQListPeer(benchmark::State& state) { timeQListSort(state, sortQList); }
BENCHMARK(sortQListPeer)->Apply(sortSizes);

// The peer most Qt code would write: the comparator reads both values straight from list.at(),
// without copies.
void sortQListByReference(QList<QVariant>& list, QtCompare const& cmp) {
    for (qsizetype i = 0; i + 1 < list.size(); ++i) {
        for (qsizetype j = list.size() - 1; j > i; --j) {
            if (cmp.compare(list.at(j), list.at(i)))
                list.swapItemsAt(i, j);
        }
    }
}

void sortQListNoCopyPeer(benchmark::State& state) { timeQListSort(state, sortQListByReference); }
BENCHMARK(sortQListNoCopyPeer)->Apply(sortSizes);

// The peer under the same contract as the sort: copies fetched with at(), and the exchange made of
// the same inserts before a position and removals, in the same order, with insert and removeAt.
void sortQListSameContract(QList<QVariant>& list, QtCompare const& cmp) {
    for (qsizetype i = 0; i + 1 < list.size(); ++i) {
        for (qsizetype j = list.size() - 1; j > i; --j) {
            QVariant const x = list.at(j);
            QVariant const y = list.at(i);
            if (!cmp.compare(x, y))
                continue;
            QVariant const v = list.at(j);
            list.insert(i, v);
            if (j == i + 1) {
                list.removeAt(i + 2);
                continue;
            }
            QVariant const w = list.at(i + 1);
            list.insert(j + 1, w);
            list.removeAt(i + 1);
            list.removeAt(j + 1);
        }
    }
}

void sortQListSameContractPeer(benchmark::State& state) { timeQListSort(state, sortQListSameContract); }
BENCHMARK(sortQListSameContractPeer)->Apply(smallSortSizes);

// The floor: the same passes over plain integers.
void sortVectorFloor(benchmark::State& state) {
    auto const numbers = sortInput(state);
    for (auto _ : state) {
        std::vector<std::int32_t> values = numbers;
        for (std::size_t i = 0; i + 1 < values.size(); ++i) {
            for (std::size_t j = values.size() - 1; j > i; --j) {
                if (values[j] < values[i])
                    std::swap(values[i], values[j]);
            }
        }
        benchmark::DoNotOptimize(values.data());
    }
    countCompares(state);
}
BENCHMARK(sortVectorFloor)->Apply(sortSizes);

// Reports the time of one operation when each iteration makes two.
void countOperationPairs(benchmark::State& state) {
    state.counters["per_operation"] =
        benchmark::Counter(2, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// The two operations of an exchange alone: an Add before a position and the Remove of that
// position, at each position of a collection of 1,000 from the last to the first, as a pass of the
// sort meets them: the leaf is a remembered one but at each 32nd position, and no leaf splits or
// merges.
void addBeforeAndRemove(benchmark::State& state) {
    auto const col = collectionOf(randomNumbers(1000));
    Variant const value(std::int32_t{7});
    std::int32_t position = 1;
    for (auto _ : state) {
        position = position > 1 ? position - 1 : col->Count();
        col->Add(value, runtime::Missing{}, position);
        col->Remove(position);
    }
    countOperationPairs(state);
}
BENCHMARK(addBeforeAndRemove);

// The floor: the bytes those two operations must move, inside one leaf of 16 values, as the
// collection's leaves hold once the first pass has split them.
void addBeforeAndRemoveFloor(benchmark::State& state) {
    std::array<Variant, 32> leaf{};
    std::size_t const count = 16;
    std::size_t slot = 0;
    for (auto _ : state) {
        slot = slot > 0 ? slot - 1 : count - 1;
        Variant* const values = leaf.data();
        std::memmove(static_cast<void*>(values + slot + 1), values + slot, (count - slot) * sizeof(Variant));
        new (values + slot) Variant(std::int32_t{7});
        std::memmove(static_cast<void*>(values + slot), values + slot + 1, (count - slot) * sizeof(Variant));
        benchmark::DoNotOptimize(leaf.data());
    }
    countOperationPairs(state);
}
BENCHMARK(addBeforeAndRemoveFloor);

class MinusTen final : public ambulon::IUnaryFunc {
protected:
    Variant IUnaryFunc_Exec(Variant v) override { return v - Variant(std::int16_t{10}); }
};

void transformCollection(benchmark::State& state) {
    std::vector<std::int32_t> numbers(static_cast<std::size_t>(state.range(0)));
    for (std::size_t i = 0; i < numbers.size(); ++i)
        numbers[i] = static_cast<std::int32_t>(i % 1000);
    auto const col = collectionOf(numbers);
    MinusTen minusTen;
    for (auto _ : state)
        ambulon::Ambulon::Transform_Collection(*col, minusTen);
    state.counters["per_element"] =
        benchmark::Counter(static_cast<double>(state.range(0)),
                           benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(transformCollection)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void itemAtRandomPosition(benchmark::State& state) {
    auto const col = collectionOf(randomNumbers(state.range(0)));
    std::mt19937 generator(7);
    std::uniform_int_distribution<std::int32_t> position(1, col->Count());
    for (auto _ : state)
        benchmark::DoNotOptimize(col->Item(position(generator)));
}
BENCHMARK(itemAtRandomPosition)->RangeMultiplier(10)->Range(1000, 1000000);

void itemAtSequentialPositions(benchmark::State& state) {
    auto const col = collectionOf(randomNumbers(state.range(0)));
    std::int32_t position = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(col->Item(position));
        position = position % col->Count() + 1;
    }
}
BENCHMARK(itemAtSequentialPositions)->RangeMultiplier(10)->Range(1000, 1000000);

// A million elements, each keyed, and each key as a value ready to pass.
struct KeyedCollection {
    static constexpr std::int32_t kCount = 1000000;
    KeyedCollection() {
        for (std::int32_t i = 0; i < kCount; ++i) {
            keys.emplace_back(u"k" + runtime::decimalText(i));
            col->Add(Variant(i), keys.back());
        }
    }
    Ref<Collection> col = make<Collection>();
    std::vector<Variant> keys;
};

// Item by key beside Item by position, at random elements of the same keyed collection.
void itemByKey(benchmark::State& state) {
    KeyedCollection keyed;
    std::mt19937 generator(7);
    std::uniform_int_distribution<std::size_t> which(0, keyed.keys.size() - 1);
    for (auto _ : state) {
        if (state.range(0) != 0)
            benchmark::DoNotOptimize(keyed.col->Item(keyed.keys[which(generator)]));
        else
            benchmark::DoNotOptimize(keyed.col->Item(static_cast<std::int32_t>(which(generator) + 1)));
    }
    state.SetLabel(state.range(0) != 0 ? "by key" : "by position");
}
BENCHMARK(itemByKey)->Arg(1)->Arg(0);

// The peer: a QHash of the same million keys, each with its element, looked up at the same random
// keys, each a QString ready to pass.
void itemByKeyQHashPeer(benchmark::State& state) {
    QHash<QString, QVariant> hash;
    std::vector<QString> keys;
    for (std::int32_t i = 0; i < KeyedCollection::kCount; ++i) {
        keys.push_back(QStringLiteral("k") + QString::number(i));
        hash.insert(keys.back(), QVariant(i));
    }
    std::mt19937 generator(7);
    std::uniform_int_distribution<std::size_t> which(0, keys.size() - 1);
    for (auto _ : state)
        benchmark::DoNotOptimize(hash.value(keys[which(generator)]));
}
BENCHMARK(itemByKeyQHashPeer);

// Remove by key beside Remove by position, at random elements of the same keyed collection; every
// 100,000 removals the collection is built again, outside the timing.
void removeByKey(benchmark::State& state) {
    constexpr std::size_t kRemovals = 100000;
    auto keyed = std::make_unique<KeyedCollection>();
    std::mt19937 generator(7);
    std::vector<std::size_t> order(keyed->keys.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::shuffle(order.begin(), order.end(), generator);
    std::size_t removed = 0;
    for (auto _ : state) {
        if (removed == kRemovals) {
            state.PauseTiming();
            keyed = std::make_unique<KeyedCollection>();
            removed = 0;
            state.ResumeTiming();
        }
        if (state.range(0) != 0) {
            keyed->col->Remove(keyed->keys[order[removed]]);
        } else {
            std::uniform_int_distribution<std::int32_t> position(1, keyed->col->Count());
            keyed->col->Remove(position(generator));
        }
        ++removed;
    }
    state.SetLabel(state.range(0) != 0 ? "by key" : "by position");
}
BENCHMARK(removeByKey)->Arg(1)->Arg(0);

// Resident set size of this process in bytes.
double residentBytes() {
    long pages = 0;
    long resident = 0;
    if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return static_cast<double>(resident) * 4096.0;
}

// The growth of the resident set while `build` makes a container of `count` elements, per element.
template <class Build>
void residentPerElement(benchmark::State& state, Build build) {
    constexpr std::int64_t kCount = 1000000;
    auto const numbers = randomNumbers(kCount);
    double bytes = 0;
    for (auto _ : state) {
        malloc_trim(0);
        double const before = residentBytes();
        auto const container = build(numbers);
        bytes = (residentBytes() - before) / kCount;
        benchmark::DoNotOptimize(container);
    }
    state.counters["bytes_per_element"] = bytes;
}

void residentCollection(benchmark::State& state) { residentPerElement(state, collectionOf); }
BENCHMARK(residentCollection)->Iterations(1)->Unit(benchmark::kMillisecond);

void residentQListPeer(benchmark::State& state) {
    residentPerElement(state, [](std::vector<std::int32_t> const& numbers) {
        QList<QVariant> list;
        for (std::int32_t number : numbers)
            list.append(QVariant(number));
        return list;
    });
}
BENCHMARK(residentQListPeer)->Iterations(1)->Unit(benchmark::kMillisecond);

// A list box that only counts its lines.
class CountingView final : public form::ListBoxView {
public:
    void clear() override { m_lines = 0; }
    void append(std::u16string_view) override { ++m_lines; }
    int lines() const { return m_lines; }

private:
    int m_lines = 0;
};

void peloraClick(benchmark::State& state) {
    pelora::Form1 form;
    CountingView view;
    form.List1.bind(&view);
    for (auto _ : state) {
        form.Command1_Click(0);
        benchmark::DoNotOptimize(view.lines());
    }
    form.List1.bind(nullptr);
}
BENCHMARK(peloraClick)->Unit(benchmark::kMicrosecond);

// The same click recorded for the step window: the roster sorted again with every step kept.
void peloraClickRecorded(benchmark::State& state) {
    form::Lesson const& lesson = pelora::Form1::lesson();
    std::size_t steps = 0;
    for (auto _ : state) {
        form::Recording const recording = lesson.record(0, {});
        steps = recording.steps.size();
        benchmark::DoNotOptimize(steps);
    }
    state.counters["steps"] = static_cast<double>(steps);
}
BENCHMARK(peloraClickRecorded)->Unit(benchmark::kMicrosecond);

} // namespace
