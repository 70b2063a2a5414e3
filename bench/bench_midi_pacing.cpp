// Pacing at the hand-off to the back end, and how long the GUI thread's event
// loop stalls while big sends drain.
//   bench_midi_pacing --benchmark_counters_tabular=true

#include "midi/MidiOut.h"
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
        if (MidiOutPort::instance().pending() == 0)
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
    auto rec = installRecordingBackend();
    std::vector<double> gaps;
    for (auto _ : state) {
        rec->clear();
        for (int i = 0; i < 100; ++i)
            SendPacedMessage(0xB0, 1, static_cast<std::uint8_t>(i));
        MidiOutPort::instance().waitIdle(10s);
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
    MidiOutPort::instance().setBackend(rec);
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
            SendSysExFile(file.fileName(), &error);
        }));
    }
    state.counters["median_stall_ms"] = median(stalls);
    state.counters["worst_stall_ms"] = *std::max_element(stalls.begin(), stalls.end());
}
BENCHMARK(BM_GuiStallWhileFileDrains)->Iterations(3)->Unit(benchmark::kMillisecond);

static void BM_GuiStallWhilePacedDrain(benchmark::State& state)
{
    app();
    installRecordingBackend();
    std::vector<double> stalls;
    for (auto _ : state) {
        stalls.push_back(longestStall([] {
            for (int i = 0; i < 1000; ++i)
                SendPacedMessage(0xB0, 7, static_cast<std::uint8_t>(i & 0x7F));
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
    MidiOutPort::instance().setBackend(rec);
    std::vector<double> stalls;
    for (auto _ : state) {
        // A 2 s SysEx to a rated port keeps the queue busy without GUI work.
        stalls.push_back(longestStall([] {
            QueueEntry e;
            e.messages.push_back(Bytes(62500, 0x01));
            MidiOutPort::instance().enqueue(std::move(e));
        }));
    }
    state.counters["median_stall_ms"] = median(stalls);
    state.counters["worst_stall_ms"] = *std::max_element(stalls.begin(), stalls.end());
}
BENCHMARK(BM_GuiStallIdleBaseline)->Iterations(3)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
