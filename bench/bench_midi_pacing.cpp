// Pacing at the hand-off to the back end, and how long the GUI thread's event
// loop stalls while big sends drain.
//   bench_midi_pacing --benchmark_counters_tabular=true

#include "midi/MidiSession.h"
#include "midi/RecordingBackend.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryFile>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

using namespace sondrake;
using namespace sondrake::midi;
using namespace std::chrono_literals;

namespace {

QCoreApplication& app()
{
    static int argc = 1;
    static char name[] = "bench_midi_pacing";
    static char* argv[] = {name, nullptr};
    static QCoreApplication a(argc, argv);
    return a;
}

// The benchmark's own MIDI session, made once the application exists.
MidiSession& benchSession()
{
    static auto* session = new MidiSession;
    return *session;
}

double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// A back end that passes SysEx on at a JACK port's rate, like the real one.
class RatedBackend : public RecordingBackend {
public:
    std::size_t bytesPerSecond() const override { return 31250; }
};

// Runs the event loop with a 1 ms timer until the queue is empty and returns
// the longest gap between two ticks, in milliseconds.
double longestStall(const std::function<void()>& start)
{
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    tick.setInterval(1);
    QElapsedTimer clock;
    qint64 last = 0, worst = 0;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        worst = std::max(worst, now - last);
        last = now;
        if (benchSession().pending() == 0)
            QCoreApplication::quit();
    });
    clock.start();
    tick.start();
    start(); // on the GUI thread, inside the measured loop
    last = clock.nsecsElapsed();
    QCoreApplication::exec();
    return double(worst) / 1e6;
}

} // namespace

static void BM_PacedHandOffGap(benchmark::State& state)
{
    app();
    auto rec = installRecordingBackend(benchSession());
    std::vector<double> gaps;
    for (auto _ : state) {
        rec->clear();
        // Distinct controllers: a newer value of the same one would replace
        // the waiting one, and there would be no gaps to measure.
        for (int i = 0; i < 100; ++i)
            benchSession().sendPacedMessage(0xB0, static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i));
        benchSession().waitIdle(10s);
        const auto r = rec->records();
        for (std::size_t i = 1; i < r.size(); ++i)
            gaps.push_back(std::chrono::duration<double, std::milli>(r[i].at - r[i - 1].at).count());
    }
    state.counters["median_gap_ms"] = median(gaps);
    state.counters["min_gap_ms"] = *std::min_element(gaps.begin(), gaps.end());
}
BENCHMARK(BM_PacedHandOffGap)->Iterations(5)->Unit(benchmark::kMillisecond);

static void BM_GuiStallWhileFileDrains(benchmark::State& state)
{
    app();
    auto rec = std::make_shared<RatedBackend>();
    benchSession().setOutputBackend(rec);
    QTemporaryFile file;
    file.open();
    QByteArray data(54000, 0x11);
    for (int i = 0; i < 200; ++i) {
        data[i * 270] = char(0xF0);
        data[i * 270 + 269] = char(0xF7);
    }
    file.write(data);
    file.flush();
    std::vector<double> stalls;
    for (auto _ : state) {
        rec->clear();
        stalls.push_back(longestStall([&] {
            QString error;
            benchSession().sendSysExFile(file.fileName(), &error);
        }));
    }
    state.counters["median_stall_ms"] = median(stalls);
    state.counters["worst_stall_ms"] = *std::max_element(stalls.begin(), stalls.end());
}
BENCHMARK(BM_GuiStallWhileFileDrains)->Iterations(3)->Unit(benchmark::kMillisecond);

static void BM_GuiStallWhilePacedDrain(benchmark::State& state)
{
    app();
    installRecordingBackend(benchSession());
    std::vector<double> stalls;
    for (auto _ : state) {
        stalls.push_back(longestStall([] {
            for (int i = 0; i < 1000; ++i)
                benchSession().sendPacedMessage(0xB0, static_cast<std::uint8_t>(i & 0x7F),
                                                static_cast<std::uint8_t>(i >> 3));
        }));
    }
    state.counters["median_stall_ms"] = median(stalls);
    state.counters["worst_stall_ms"] = *std::max_element(stalls.begin(), stalls.end());
}
BENCHMARK(BM_GuiStallWhilePacedDrain)->Iterations(3)->Unit(benchmark::kMillisecond);

// The same measurement with nothing to send, for 2 s: what the machine's
// scheduler alone costs, to read the two above against.
static void BM_GuiStallIdleBaseline(benchmark::State& state)
{
    app();
    auto rec = std::make_shared<RatedBackend>();
    benchSession().setOutputBackend(rec);
    std::vector<double> stalls;
    for (auto _ : state) {
        // A 2 s SysEx to a rated port keeps the queue busy without GUI work.
        stalls.push_back(longestStall([] {
            QueueEntry e;
            e.messages.push_back(Bytes(62500, 0x01));
            benchSession().enqueue(std::move(e));
        }));
    }
    state.counters["median_stall_ms"] = median(stalls);
    state.counters["worst_stall_ms"] = *std::max_element(stalls.begin(), stalls.end());
}
BENCHMARK(BM_GuiStallIdleBaseline)->Iterations(3)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
