// Costs of the value model and of the algorithms built on it, each beside a plain peer doing the
// same work: the sort's passes over a Collection, over a QList<QVariant> and over a vector of
// integers; the in-place transform; Item at random and sequential positions; the resident bytes of
// one element; and the logic of one Pelora click, plain and recorded for the step window.
#include "ambulon/Ambulon.h"
#include "pelora/Form1.h"
#include "runtime/Collection.h"
#include "runtime/Text.h"
#include "sortlib/Sort.h"

#include <QList>
#include <QVariant>
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <cstdio>
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
    auto const numbers = randomNumbers(state.range(0));
    Ascending ascending;
    for (auto _ : state) {
        state.PauseTiming();
        auto const col = collectionOf(numbers);
        state.ResumeTiming();
        sortlib::Sort::Sort_Collection(*col, ascending);
    }
    countCompares(state);
}
BENCHMARK(sortCollection)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

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
    auto const numbers = randomNumbers(state.range(0));
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
BENCHMARK(sortQListPeer)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

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
BENCHMARK(sortQListNoCopyPeer)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// The floor: the same passes over plain integers.
void sortVectorFloor(benchmark::State& state) {
    auto const numbers = randomNumbers(state.range(0));
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
BENCHMARK(sortVectorFloor)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

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

BENCHMARK_MAIN();
