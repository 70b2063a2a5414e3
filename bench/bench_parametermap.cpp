// Decoding every row of one dump: the editor does this each time it loads its
// controls, so it must stay far below a frame.

#include "parametermap/ParameterMap.h"

#include <benchmark/benchmark.h>

#include <random>

using namespace sondrake;
using namespace sondrake::parametermap;

static void BM_DecodeAllRows(benchmark::State& state)
{
    SoundDump dump;
    std::mt19937 rng(1);
    for (auto& b : dump)
        b = std::uint8_t(rng());
    const auto map = parameterMap();
    for (auto _ : state) {
        int sum = 0;
        for (const ParameterEntry& e : map)
            sum += readValue(dump, e);
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_DecodeAllRows)->Unit(benchmark::kMicrosecond);

static void BM_LiveMessagesAllRows(benchmark::State& state)
{
    const auto map = parameterMap();
    for (auto _ : state) {
        std::size_t n = 0;
        for (const ParameterEntry& e : map)
            n += liveMessages(e, e.minimum).size();
        benchmark::DoNotOptimize(n);
    }
}
BENCHMARK(BM_LiveMessagesAllRows)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
