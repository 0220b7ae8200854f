// Costs of the value model and the sort: Variant copies, Item by position at growing sizes
// (constant), Add and Remove at the front (linear in the elements moved), and whole sorts.
#include "runtime/Collection.h"
#include "sortlib/Sort.h"

#include <benchmark/benchmark.h>

namespace {

using runtime::Collection;
using runtime::make;
using runtime::Variant;

void copyPlainVariant(benchmark::State& state) {
    Variant const value(std::int32_t{66916});
    for (auto _ : state) {
        Variant copy = value;
        benchmark::DoNotOptimize(copy);
    }
}
BENCHMARK(copyPlainVariant);

void copyObjectVariant(benchmark::State& state) {
    Variant const value(make<Collection>());
    for (auto _ : state) {
        Variant copy = value;
        benchmark::DoNotOptimize(copy);
    }
}
BENCHMARK(copyObjectVariant);

runtime::Ref<Collection> numbers(std::int64_t count) {
    auto col = make<Collection>();
    for (std::int64_t i = 0; i < count; ++i)
        col->Add(Variant::fromInteger(i * 7919 % 65536));
    return col;
}

void itemByPosition(benchmark::State& state) {
    auto const col = numbers(state.range(0));
    std::int32_t position = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(col->Item(position));
        position = position % col->Count() + 1;
    }
}
BENCHMARK(itemByPosition)->Range(8, 1 << 16);

void addAndRemoveAtFront(benchmark::State& state) {
    auto const col = numbers(state.range(0));
    for (auto _ : state) {
        col->Add(Variant(std::int16_t{1}), runtime::Missing{}, std::int32_t{1});
        col->Remove(std::int32_t{1});
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(addAndRemoveAtFront)->Range(8, 1 << 16)->Complexity();

class Ascending final : public sortlib::ICompare {
protected:
    bool ICompare_Compare(Variant lhs, Variant rhs) override { return lhs.toInt32() < rhs.toInt32(); }
};

void sortCollection(benchmark::State& state) {
    Ascending ascending;
    for (auto _ : state) {
        state.PauseTiming();
        auto const col = numbers(state.range(0));
        state.ResumeTiming();
        sortlib::Sort::Sort_Collection(*col, ascending);
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(sortCollection)->RangeMultiplier(2)->Range(8, 256)->Complexity(benchmark::oNSquared);

} // namespace

BENCHMARK_MAIN();
