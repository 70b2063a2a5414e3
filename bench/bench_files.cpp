// Bank files and reordering: saving and loading a whole bank, ordering 200
// sounds by name, and a right-click move across 150 rows in the real window
// (reporting the longest time the event loop went without a turn).
//
//   cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release
//   cmake --build build-release --target bench_files
//   build-release/bin/bench_files --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

#include "platform/BankFile.h"
#include "librarian/Reorder.h"
#include "librarian/SoundListView.h"
#include "librarian/MainWindow.h"
#include "support/RecordingBackend.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QMouseEvent>
#include <QTimer>
#include <QWindow>

#include <benchmark/benchmark.h>

#include <algorithm>

using namespace sondrake;

namespace {

QTemporaryDir& tempDir()
{
    static QTemporaryDir dir;
    return dir;
}

void fill(SoundStore& store)
{
    store.resetSoundNames();
    for (int s = 0; s < kSlotCount; ++s) {
        store.slot(s).fill(std::uint8_t(s & 0x7F));
        // Names in falling order with mixed case: the sort has work to do.
        std::string name = "Sound " + std::to_string(1000 - s);
        if (s % 3 == 0)
            std::transform(name.begin(), name.end(), name.begin(), [](char c) { return char(std::tolower(c)); });
        store.setSoundName(s, name);
    }
}

void BM_SaveBank(benchmark::State& state)
{
    SoundStore store;
    fill(store);
    const QString path = tempDir().filePath("bench.syx");
    QString error;
    for (auto _ : state)
        if (!bankfile::saveBank(path, store, &error))
            state.SkipWithError(qPrintable(error));
}
BENCHMARK(BM_SaveBank)->Unit(benchmark::kMillisecond);

void BM_LoadBank(benchmark::State& state)
{
    SoundStore store;
    fill(store);
    const QString path = tempDir().filePath("bench-load.syx");
    QString error;
    bankfile::saveBank(path, store, &error);
    for (auto _ : state) {
        const auto r = bankfile::loadBankFile(path, store);
        if (r.blocksLoaded != 200)
            state.SkipWithError("short load");
    }
}
BENCHMARK(BM_LoadBank)->Unit(benchmark::kMillisecond);

void BM_OrderByName200(benchmark::State& state)
{
    SoundStore fresh;
    fill(fresh);
    std::vector<int> all(kSlotCount);
    for (int i = 0; i < kSlotCount; ++i)
        all[std::size_t(i)] = i;
    for (auto _ : state) {
        state.PauseTiming();
        SoundStore store = fresh;
        state.ResumeTiming();
        reorder::sortByName(store, all);
        benchmark::DoNotOptimize(store);
    }
}
BENCHMARK(BM_OrderByName200)->Unit(benchmark::kMillisecond);

// The benchmark's own MIDI session, made once the application exists and
// shut down at the end of main().
midi::MidiSession& benchSession()
{
    static auto* session = new midi::MidiSession;
    return *session;
}

std::unique_ptr<MainWindow> openWindow()
{
    MainWindow::Options options;
    options.openMidiPortsAtStart = false;
    options.settingsFile = tempDir().filePath("halvorne_q-lindorn.ini");
    midi::installRecordingBackend(benchSession());
    auto w = std::make_unique<MainWindow>(benchSession(), options);
    w->show();
    QElapsedTimer timer;
    timer.start();
    while (!(w->windowHandle() && w->windowHandle()->isExposed()) && timer.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    fill(w->store());
    w->rebuildList();
    return w;
}

// The whole command on the window: sort, names into the list, selection back.
void BM_OrderByNameWindow(benchmark::State& state)
{
    auto w = openWindow();
    SoundStore fresh = w->store();
    for (auto _ : state) {
        state.PauseTiming();
        w->store() = fresh;
        w->refreshNames(false);
        w->onSelectAll();
        QCoreApplication::processEvents();
        state.ResumeTiming();
        w->onOrderByName();
    }
}
BENCHMARK(BM_OrderByNameWindow)->Unit(benchmark::kMillisecond);

// A right click 150 rows below the selection: 150 steps, each letting the
// list repaint. A 1 ms timer measures how long the event loop waits at most.
void rightButton(QWidget* target, QEvent::Type type, const QPoint& p)
{
    QMouseEvent event(type, p, target->mapToGlobal(p), Qt::RightButton,
        type == QEvent::MouseButtonPress ? Qt::RightButton : Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}

void BM_RightClickMove150(benchmark::State& state)
{
    auto w = openWindow();
    SoundListView* list = w->soundList();
    qint64 worst = 0;
    for (auto _ : state) {
        state.PauseTiming();
        list->selectRows({ 10 });
        list->scrollTo(list->model()->index(160, 0));
        QCoreApplication::processEvents();
        const QPoint p = list->visualRect(list->model()->index(160, SoundListView::kNameColumn)).center();
        QElapsedTimer clock;
        qint64 last = 0;
        qint64 gap = 0;
        QTimer tick;
        QObject::connect(&tick, &QTimer::timeout, [&] {
            const qint64 now = clock.nsecsElapsed();
            gap = std::max(gap, now - last);
            last = now;
        });
        tick.start(1);
        clock.start();
        state.ResumeTiming();
        rightButton(list->viewport(), QEvent::MouseButtonPress, p);
        state.PauseTiming();
        gap = std::max(gap, clock.nsecsElapsed() - last);
        tick.stop();
        rightButton(list->viewport(), QEvent::MouseButtonRelease, p);
        if (w->selectedRows() != std::vector<int> { 160 })
            state.SkipWithError("selection did not reach row 160");
        worst = std::max(worst, gap);
        state.ResumeTiming();
    }
    state.counters["max_stall_ms"] = double(worst) / 1e6;
}
BENCHMARK(BM_RightClickMove150)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
