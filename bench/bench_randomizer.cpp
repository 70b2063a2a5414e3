// "Randomize Sound": 99 draws and writes into the working copy. The editor
// then reloads its controls; this measures only the randomizer's part. And
// one generation of "Explore Sound Family".

#include "editor/Randomizer.h"
#include "editor/SoundExplorer.h"

#include <benchmark/benchmark.h>

using namespace sondrake;
using namespace sondrake::editor;

static void BM_RandomizeSound(benchmark::State& state)
{
    SoundFamilySchema schema;
    for (SchemaEntry& e : schema.entries()) {
        const int count = e.parameter->kind == ControlKind::CheckBox ? 2 : e.parameter->valueCount();
        e.allowed = QString(count, u'1');
    }
    SoundDump dump {};
    Generator gen(12345);
    for (auto _ : state) {
        randomizeSound(dump, schema, gen);
        benchmark::DoNotOptimize(dump.data());
    }
}
BENCHMARK(BM_RandomizeSound)->Unit(benchmark::kMicrosecond);

// Every entry empty: the knobs take the fallback (the schema text is rebuilt
// each time) and the other parameters keep their values.
static void BM_RandomizeSoundEmptySchema(benchmark::State& state)
{
    SoundDump dump {};
    Generator gen(12345);
    for (auto _ : state) {
        state.PauseTiming();
        SoundFamilySchema schema;
        state.ResumeTiming();
        randomizeSound(dump, schema, gen);
        benchmark::DoNotOptimize(dump.data());
    }
}
BENCHMARK(BM_RandomizeSoundEmptySchema)->Unit(benchmark::kMicrosecond);

// Eight candidates bred from two kept ones, every parameter then drawn
// again (a mutation of 100 %, the most work a generation does).
static void BM_ExploreGeneration(benchmark::State& state)
{
    SoundFamilySchema schema;
    for (SchemaEntry& e : schema.entries()) {
        const int count = e.parameter->kind == ControlKind::CheckBox ? 2 : e.parameter->valueCount();
        e.allowed = QString(count, u'1');
    }
    const SoundDump base {};
    Generator gen(12345);
    SoundExplorer explorer;
    explorer.nextGeneration(base, schema, 100, gen);
    for (auto _ : state) {
        explorer.setKept(2, true);
        explorer.setKept(5, true);
        benchmark::DoNotOptimize(explorer.nextGeneration(base, schema, 100, gen).candidates.data());
    }
}
BENCHMARK(BM_ExploreGeneration)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
