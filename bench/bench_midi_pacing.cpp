// Pacing at the hand-off to the back end, how long the GUI thread's event
// loop stalls while big sends drain, and what the queue's two exceptions to
// first-in-first-out buy at a hardware port's pace: Panic behind 200 queued
// sounds, and the last value of a 300-move NRPN drag.
//   bench_midi_pacing --benchmark_counters_tabular=true

#include "editor/ParameterMapLive.h"
#include "midi/MidiSession.h"
#include "support/RecordingBackend.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryFile>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <optional>
#include <thread>
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

namespace {

using Clock = std::chrono::steady_clock;

double ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// When the first message equal to `bytes` was handed over, waiting for it.
std::optional<Clock::time_point> handedOver(const RecordingBackend& rec, const Bytes& bytes,
                                            std::chrono::milliseconds timeout)
{
    const auto until = Clock::now() + timeout;
    while (Clock::now() < until) {
        for (const auto& r : rec.records())
            if (r.bytes == bytes)
                return r.at;
        std::this_thread::sleep_for(1ms);
    }
    return std::nullopt;
}

// `sounds` store-slot entries queued at the wire rate, then Panic a moment
// into the transfer; how long until its first message is handed over.
void panicBehindSounds(benchmark::State& state, int sounds, bool first)
{
    app();
    SoundStore store;
    for (int s = 0; s < kSlotCount; ++s) {
        store.slot(s).fill(0x11);
        store.slot(s)[0] = 0xF0;
        store.slot(s)[kDumpSize - 1] = 0xF7;
    }
    std::vector<double> latencies;
    for (auto _ : state) {
        auto rec = std::make_shared<RecordingBackend>();
        rec->setHardware(true);
        benchSession().setOutputBackend(rec);
        for (int s = 0; s < sounds; ++s)
            benchSession().sendStoreSlot(store, s);
        std::this_thread::sleep_for(300ms); // pressed a moment into the transfer
        const auto pressed = Clock::now();
        if (first)
            benchSession().panic();
        else
            benchSession().enqueue(panicEntry()); // as a plain queue would
        const auto at = handedOver(*rec, Bytes{0xB0, 123, 0}, 60s);
        if (!at) {
            state.SkipWithError("Panic never left");
            return;
        }
        latencies.push_back(ms(*at - pressed));
        benchSession().closeOutput(); // drops the sounds still waiting
        benchSession().waitIdle(10s);
    }
    std::sort(latencies.begin(), latencies.end());
    state.counters["median_ms"] = median(latencies);
    state.counters["max_ms"] = latencies.back();
    // One store-slot entry: bank select, program change and 270 bytes.
    state.counters["entry_wire_ms"] = 1000.0 * (kDumpSize + 8) / double(kWireBytesPerSecond);
}

// 300 moves of an NRPN knob in 1.2 s, each queued as the editor does; how
// long after the last move its value is handed over.
void nrpnDrag(benchmark::State& state, bool coalesce)
{
    app();
    const editor::ParameterEntry* knob = editor::entryForControl("Knob23FMADEnv");
    if (!knob || knob->live.kind != editor::MessageKind::Nrpn) {
        state.SkipWithError("no NRPN knob");
        return;
    }
    std::vector<double> releases;
    double groups = 0;
    for (auto _ : state) {
        auto rec = std::make_shared<RecordingBackend>();
        rec->setHardware(true);
        benchSession().setOutputBackend(rec);
        auto next = Clock::now();
        Clock::time_point last;
        int value = 0;
        for (int i = 0; i < 300; ++i) {
            next += 4ms;
            std::this_thread::sleep_until(next);
            value = knob->minimum + (i * 7) % knob->valueCount();
            if (coalesce)
                editor::sendLive(&benchSession(), *knob, value);
            else
                benchSession().sendNrpn(std::uint16_t(knob->live.number),
                                        std::uint16_t(editor::liveValue(*knob, value) & 0x7F));
            last = Clock::now();
        }
        benchSession().waitIdle(30s);
        const auto records = rec->records();
        const Bytes lastValue = editor::liveMessages(*knob, value).back();
        if (records.empty() || records.back().bytes != lastValue) {
            state.SkipWithError("the last value did not arrive last");
            return;
        }
        releases.push_back(ms(records.back().at - last));
        groups = double(records.size()) / 3.0;
    }
    state.counters["release_ms"] = median(releases);
    state.counters["groups_sent"] = groups;
}

} // namespace

static void BM_PanicLatencyBehind200Sounds(benchmark::State& state) { panicBehindSounds(state, 200, true); }
BENCHMARK(BM_PanicLatencyBehind200Sounds)->Iterations(5)->Unit(benchmark::kMillisecond);

// The same with Panic queued like everything else, behind 20 sounds only
// (200 would take 18 s): what the first-in-first-out queue did before.
static void BM_PanicLatencyBehind20SoundsFifoReference(benchmark::State& state)
{
    panicBehindSounds(state, 20, false);
}
BENCHMARK(BM_PanicLatencyBehind20SoundsFifoReference)->Iterations(1)->Unit(benchmark::kMillisecond);

static void BM_NrpnDragReleaseLatency(benchmark::State& state) { nrpnDrag(state, true); }
BENCHMARK(BM_NrpnDragReleaseLatency)->Iterations(3)->Unit(benchmark::kMillisecond);

// Every value queued, none replaced: the backlog a drag left before.
static void BM_NrpnDragReleaseLatencyEveryValueReference(benchmark::State& state) { nrpnDrag(state, false); }
BENCHMARK(BM_NrpnDragReleaseLatencyEveryValueReference)->Iterations(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
