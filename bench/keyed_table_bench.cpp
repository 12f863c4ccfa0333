// Lookups and inserts of the keyed table that maps host handles to view
// items; the interception path looks up such tables for every mirrored message.
#include <benchmark/benchmark.h>

#include "data/keyed_table.h"

static void lookUpPresentKey(benchmark::State& state) {
    KeyedTable table;
    table.create();
    const INT_PTR count = state.range(0);
    for (INT_PTR i = 0; i < count; ++i) table.set(0x10010 + 4 * i, i);
    INT_PTR key = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(table.get(0x10010 + 4 * key));
        key = (key + 7) % count;
    }
}
BENCHMARK(lookUpPresentKey)->Arg(16)->Arg(1024)->Arg(65536);

static void insertKeys(benchmark::State& state) {
    for (auto _ : state) {
        KeyedTable table;
        table.create();
        for (INT_PTR i = 0; i < state.range(0); ++i) table.set(i * 2654435761u, i);
        benchmark::DoNotOptimize(table.count());
    }
}
BENCHMARK(insertKeys)->Arg(1024);
