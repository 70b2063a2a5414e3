// What the list's history holds: 100 bank reads of distinct sounds pushed as
// steps, measured as the heap the stack keeps (history_mb), and the time of
// one such step's commit (the snapshot, the comparison and the push).
//
//   bench_history

#include "librarian/StoreHistory.h"

#include <benchmark/benchmark.h>

#include <QUndoStack>

#include <malloc.h>

#include <random>

using namespace sondrake;

namespace {

// A bank of sounds no earlier read had: every byte but the frame differs.
void receiveBank(SoundStore& store, std::mt19937& random, int bank)
{
    std::uniform_int_distribution<int> byte(0, 0x7F);
    for (int p = 0; p < kProgramsPerBank; ++p) {
        SoundDump& d = store.slot(bank * kProgramsPerBank + p);
        for (std::size_t i = 1; i + 1 < kDumpSize; ++i)
            d[i] = std::uint8_t(byte(random));
        d[0] = 0xF0;
        d[kDumpSize - 1] = 0xF7;
    }
}

double heapMb() { return double(mallinfo2().uordblks) / (1024.0 * 1024.0); }

void BM_HundredBankReadsOnTheStack(benchmark::State& state)
{
    for (auto _ : state) {
        SoundStore store;
        QUndoStack stack;
        stack.setUndoLimit(200);
        StoreHistory history(store, stack, [](const StoreHistory::Rows&) {});
        std::mt19937 random(7);
        const double before = heapMb();
        for (int read = 0; read < 100; ++read) {
            StoreHistory::Change change = history.begin({});
            receiveBank(store, random, read % 2);
            history.commit(std::move(change), QStringLiteral("Receive 100 sounds"), {});
        }
        state.counters["history_mb"] = heapMb() - before;
        state.counters["steps"] = stack.count();
    }
}
BENCHMARK(BM_HundredBankReadsOnTheStack)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_BankReadStep(benchmark::State& state)
{
    SoundStore store;
    QUndoStack stack;
    stack.setUndoLimit(200);
    StoreHistory history(store, stack, [](const StoreHistory::Rows&) {});
    std::mt19937 random(11);
    for (auto _ : state) {
        state.PauseTiming();
        SoundStore next = store;
        receiveBank(next, random, 0);
        state.ResumeTiming();
        StoreHistory::Change change = history.begin({});
        store = next;
        history.commit(std::move(change), QStringLiteral("Receive 100 sounds"), {});
    }
}
BENCHMARK(BM_BankReadStep)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
