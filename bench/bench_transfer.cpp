// Transfers in a running main window (offscreen, MIDI output recorded):
//  - the cost of handling one received sound, from the input port's hand-off
//    to the moment it is stored, listed, logged and the next request queued;
//  - the longest the GUI thread goes without serving its event loop while
//    200 selected sounds are sent (155 ms apart: about 31 s): the longest
//    single event delivery (wall and thread processor time) and the longest
//    gap between runs of a 1 ms timer (which also counts the machine's load).
//
//  - the same handling with the sound library archiving every sound (the
//    worst case: outside a window's read each sound is an arrival of its own);
//
//   QT_QPA_PLATFORM=offscreen ./bench_transfer
#include "librarian/MainWindow.h"
#include "library/Library.h"
#include "midi/MidiSession.h"
#include "midi/SoundTransfer.h"
#include "support/RecordingBackend.h"
#include "midi/SysExDialog.h"
#include "store/ByteStack.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <functional>
#include <memory>
#include <vector>

using namespace sondrake;
using Clock = std::chrono::steady_clock;

namespace {

// Times every top-level event delivery on the GUI thread: the longest one is
// the longest stretch the window could not react, measured both as wall time
// and as the GUI thread's own processor time (which a loaded machine's
// scheduling does not inflate).
class TimingApplication : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override
    {
        if (m_depth++ > 0 || !measuring) {
            const bool r = QApplication::notify(receiver, event);
            --m_depth;
            return r;
        }
        const auto wall0 = Clock::now();
        const double cpu0 = threadCpuMs();
        const bool r = QApplication::notify(receiver, event);
        worstWallMs = std::max(worstWallMs, std::chrono::duration<double, std::milli>(Clock::now() - wall0).count());
        worstCpuMs = std::max(worstCpuMs, threadCpuMs() - cpu0);
        --m_depth;
        return r;
    }

    static double threadCpuMs()
    {
        timespec ts{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
        return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
    }

    bool measuring = false;
    double worstWallMs = 0;
    double worstCpuMs = 0;

private:
    int m_depth = 0;
};

// The benchmark's own MIDI session, made once the application exists and
// shut down at the end of main().
midi::MidiSession& benchSession()
{
    static auto* session = new midi::MidiSession;
    return *session;
}

TimingApplication* timing = nullptr;
std::shared_ptr<midi::RecordingBackend> out;
MainWindow* window = nullptr;
// Makes the window anew, with or without a sound library.
std::function<void(bool withLibrary)> remakeWindow;
bool windowHasLibrary = false;

SoundDump dumpFor(int slot, int variant)
{
    SoundDump d;
    for (std::size_t i = 0; i < d.size(); ++i)
        d[i] = std::uint8_t((i * 7 + std::size_t(variant)) & 0x7F);
    d[0] = 0xF0;
    d[kLocationBankByte] = std::uint8_t(slot / 100 + 1);
    d[kLocationProgramByte] = std::uint8_t(slot % 100);
    writeName(d, "Bench " + std::to_string(variant));
    d[269] = 0xF7;
    return d;
}

void BM_ReceivedSoundHandler(benchmark::State& state)
{
    if (windowHasLibrary != (state.range(0) != 0))
        remakeWindow(state.range(0) != 0);
    midi::MidiSession& in = benchSession();
    in.openInputWithoutDevice();
    std::vector<double> costs;
    int n = 0;
    for (auto _ : state) {
        // A bank read's handling: store, refresh, re-arm, request the next.
        if (window->transfer().stack().count() < 2)
            window->transfer().startBankRead();
        if (!in.isInputArmed())
            in.armInput(540);
        const SoundDump d = dumpFor(n % 200, n);
        const int before = window->receptionFields().receivedCount;
        const auto t0 = Clock::now();
        in.deliverInput(d.data(), d.size());
        while (window->receptionFields().receivedCount == before) {
            QCoreApplication::processEvents(QEventLoop::AllEvents);
            if (Clock::now() - t0 > std::chrono::seconds(2)) {
                state.SkipWithError("the sound was not handled");
                return;
            }
        }
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
        costs.push_back(ms);
        state.SetIterationTime(ms / 1000.0);
        ++n;
        if (n % 50 == 0)
            out->clear();
    }
    std::sort(costs.begin(), costs.end());
    if (!costs.empty()) {
        state.counters["median_ms"] = costs[costs.size() / 2];
        state.counters["p95_ms"] = costs[costs.size() * 95 / 100];
        state.counters["max_ms"] = costs.back();
    }
    window->transfer().stopReception();
    in.closeInput();
}
BENCHMARK(BM_ReceivedSoundHandler)->ArgName("library")->Arg(0)->Arg(1)->UseManualTime()->Iterations(400)->Unit(benchmark::kMillisecond);

// The longest gap between two runs of a 1 ms timer while the window sends
// every sound of both banks.
void BM_GuiStallWhileSending200(benchmark::State& state)
{
    for (auto _ : state) {
        window->onSelectAll();
        out->clear();
        QElapsedTimer clock;
        qint64 last = 0;
        qint64 worst = 0;
        std::vector<qint64> gaps;
        QTimer tick;
        tick.setTimerType(Qt::PreciseTimer);
        tick.setInterval(1);
        QObject::connect(&tick, &QTimer::timeout, [&] {
            const qint64 now = clock.nsecsElapsed();
            worst = std::max(worst, now - last);
            gaps.push_back(now - last);
            last = now;
        });
        timing->worstWallMs = 0;
        timing->worstCpuMs = 0;
        timing->measuring = true;
        clock.start();
        tick.start();
        window->onSendSelected();
        QEventLoop loop;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
            if (!window->receiver()->isVisible() || clock.elapsed() > 60000)
                loop.quit();
        });
        poll.start(20);
        loop.exec();
        tick.stop();
        timing->measuring = false;
        const double seconds = double(clock.elapsed()) / 1000.0;
        benchSession().waitIdle(std::chrono::milliseconds(5000));
        std::sort(gaps.begin(), gaps.end());
        state.counters["worst_tick_gap_ms"] = double(worst) / 1e6;
        state.counters["worst_event_wall_ms"] = timing->worstWallMs;
        state.counters["worst_event_cpu_ms"] = timing->worstCpuMs;
        state.counters["p999_gap_ms"] = gaps.empty() ? 0.0 : double(gaps[gaps.size() * 999 / 1000]) / 1e6;
        state.counters["seconds"] = seconds;
        state.counters["messages_sent"] = double(out->count());
    }
}
BENCHMARK(BM_GuiStallWhileSending200)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    TimingApplication app(argc, argv);
    timing = &app;
    QTemporaryDir dir;
    MainWindow::Options options;
    options.openMidiPortsAtStart = false;
    options.settingsFile = dir.filePath(QStringLiteral("halvorne_q-lindorn.ini"));
    out = midi::installRecordingBackend(benchSession());
    std::unique_ptr<library::Library> library;
    std::unique_ptr<MainWindow> main;
    remakeWindow = [&](bool withLibrary) {
        main.reset();
        library.reset();
        if (withLibrary) {
            library = std::make_unique<library::Library>(dir.filePath(QStringLiteral("library.sqlite")));
            library->open();
        }
        options.library = library.get();
        main = std::make_unique<MainWindow>(benchSession(), options);
        window = main.get();
        windowHasLibrary = withLibrary;
        main->show();
        QElapsedTimer settle;
        settle.start();
        while (settle.elapsed() < 300)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    };
    remakeWindow(false);

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    main.reset();
    library.reset();
    benchSession().shutdown(std::chrono::milliseconds(1000));
    return 0;
}
