// The keyboard player in a running main window (offscreen): how long from a
// key press to its note on at the MIDI output, and how much processor time
// the idle program takes while the player polls.
//
//   QT_QPA_PLATFORM=offscreen ./bench_keyboard
#include "librarian/KeyboardPlayer.h"
#include "librarian/MainWindow.h"
#include "midi/MidiSession.h"
#include "support/RecordingBackend.h"
#include "platform/KeyState.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QWindow>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <random>
#include <vector>

using namespace sondrake;
using Clock = std::chrono::steady_clock;

namespace {

// The benchmark's own MIDI session, made once the application exists and
// shut down at the end of main().
midi::MidiSession& benchSession()
{
    static auto* session = new midi::MidiSession;
    return *session;
}

std::shared_ptr<midi::RecordingBackend> out;

// Lets the event loop run for a while, as a user's idle time would.
void runEvents(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}
MainWindow* window = nullptr;

// Runs the event loop until the output holds a message with this status and
// note, or the time runs out; returns when it was handed over.
bool waitForNote(std::uint8_t status, std::uint8_t note, Clock::time_point* at)
{
    QElapsedTimer limit;
    limit.start();
    while (limit.elapsed() < 1000) {
        for (const auto& r : out->records())
            if (r.bytes.size() == 3 && r.bytes[0] == status && r.bytes[1] == note) {
                *at = r.at;
                return true;
            }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    }
    return false;
}

void sendKey(QEvent::Type type)
{
    // As the keyboard delivers it: to the window, which hands it on to the
    // focused control; the program reads its keys at the window.
    window->messagesBox()->setFocus();
    window->winId();
    QKeyEvent event(type, Qt::Key_S, Qt::NoModifier, QStringLiteral("s"));
    QApplication::sendEvent(window->windowHandle(), &event);
}

void BM_KeyPressToNoteOn(benchmark::State& state)
{
    std::mt19937 random(12345);
    std::vector<double> latencies;
    for (auto _ : state) {
        // Users press at any moment relative to the poll: wait a random part
        // of an interval first, so the timer's phase is not always the same.
        runEvents(int(random() % 15) + 1);
        out->clear();
        const auto pressed = Clock::now();
        sendKey(QEvent::KeyPress);
        Clock::time_point at;
        if (!waitForNote(0x90, 62, &at)) {
            state.SkipWithError("no note on within a second");
            return;
        }
        const double ms = std::chrono::duration<double, std::milli>(at - pressed).count();
        latencies.push_back(ms);
        state.SetIterationTime(ms / 1000.0);
        sendKey(QEvent::KeyRelease);
        if (!waitForNote(0x80, 62, &at)) {
            state.SkipWithError("no note off within a second");
            return;
        }
    }
    std::sort(latencies.begin(), latencies.end());
    if (!latencies.empty()) {
        state.counters["median_ms"] = latencies[latencies.size() / 2];
        state.counters["p95_ms"] = latencies[latencies.size() * 95 / 100];
        state.counters["max_ms"] = latencies.back();
    }
}
BENCHMARK(BM_KeyPressToNoteOn)->UseManualTime()->Iterations(200)->Unit(benchmark::kMillisecond);

// One polling step with no key down: the work done 67 times a second.
void BM_PollStepIdle(benchmark::State& state)
{
    NoteStateTable states {};
    auto& keys = window->keyState(); // the one the window polls
    for (auto _ : state) {
        const int sent = pollKeyboard(
            states, StartOctave, [&keys](int key) { return keys.asyncKeyState(key); },
            [](bool, std::uint8_t) {});
        benchmark::DoNotOptimize(sent);
    }
}
BENCHMARK(BM_PollStepIdle);

double processorSeconds()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
        + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Ten seconds of an idle window with the player on: the share of one core
// the whole process (GUI thread, MIDI sender thread) used.
void BM_IdleCpuWithPlayerOn(benchmark::State& state)
{
    for (auto _ : state) {
        if (!window->keyboardRunning()) {
            state.SkipWithError("the player is not running");
            return;
        }
        const double cpu0 = processorSeconds();
        QElapsedTimer wall;
        wall.start();
        runEvents(10000);
        const double seconds = double(wall.elapsed()) / 1000.0;
        state.counters["cpu_percent"] = 100.0 * (processorSeconds() - cpu0) / seconds;
        state.counters["still_running"] = window->keyboardRunning() ? 1 : 0;
    }
}
BENCHMARK(BM_IdleCpuWithPlayerOn)->Iterations(1)->Unit(benchmark::kSecond);

// The same with the player switched off, to see what the polling adds.
void BM_IdleCpuWithPlayerOff(benchmark::State& state)
{
    window->onKeyboardPlayer();
    for (auto _ : state) {
        const double cpu0 = processorSeconds();
        QElapsedTimer wall;
        wall.start();
        runEvents(10000);
        const double seconds = double(wall.elapsed()) / 1000.0;
        state.counters["cpu_percent"] = 100.0 * (processorSeconds() - cpu0) / seconds;
    }
    window->onKeyboardPlayer();
}
BENCHMARK(BM_IdleCpuWithPlayerOff)->Iterations(1)->Unit(benchmark::kSecond);

// The floor: the same window with a 15 ms timer that does nothing. What the
// player costs is the difference to BM_IdleCpuWithPlayerOn. Runs last, as it
// takes the poll away from the window.
void BM_IdleCpuEmptyTimerFloor(benchmark::State& state)
{
    auto* poll = window->findChild<QTimer*>(QStringLiteral("tmrKeyboard"));
    auto* hook = window->findChild<QTimer*>(QStringLiteral("tmrKeyboardHook"));
    if (!poll || !hook) {
        state.SkipWithError("no timers");
        return;
    }
    QObject::disconnect(poll, nullptr, nullptr, nullptr);
    QObject::disconnect(hook, nullptr, nullptr, nullptr);
    poll->start();
    hook->start();
    for (auto _ : state) {
        const double cpu0 = processorSeconds();
        QElapsedTimer wall;
        wall.start();
        runEvents(10000);
        const double seconds = double(wall.elapsed()) / 1000.0;
        state.counters["cpu_percent"] = 100.0 * (processorSeconds() - cpu0) / seconds;
    }
}
BENCHMARK(BM_IdleCpuEmptyTimerFloor)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    QTemporaryDir dir;
    MainWindow::Options options;
    options.openMidiPortsAtStart = false;
    options.settingsFile = dir.filePath(QStringLiteral("halvorne_q-lindorn.ini"));
    out = midi::installRecordingBackend(benchSession());
    auto main = std::make_unique<MainWindow>(benchSession(), options);
    window = main.get();
    main->show();
    main->activateWindow();
    QElapsedTimer activation;
    activation.start();
    while (!main->isActiveWindow() && activation.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    if (!main->isActiveWindow())
        return 1;
    main->messagesBox()->setFocus();

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    main.reset();
    benchSession().shutdown(std::chrono::milliseconds(1000));
    return 0;
}
