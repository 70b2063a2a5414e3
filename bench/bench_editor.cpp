// The sound editor's GUI cost: creating the window and showing its first tab
// (about fifty painted controls, each sending its live message), a knob
// drag, whose messages queue behind the GUI without slowing it, and opening
// "Explore Sound Family".
//
//   cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release
//   cmake --build build-release --target bench_editor
//   build-release/bin/bench_editor --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

#include "controls/Knob.h"
#include "editor/EditorHost.h"
#include "editor/ExploreWindow.h"
#include "parametermap/ParameterMap.h"
#include "editor/Randomizer.h"
#include "editor/Schema.h"
#include "editor/SoundEditor.h"
#include "midi/MidiSession.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPushButton>
#include <QWindow>

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>

using namespace sondrake;
using namespace sondrake::editor;

namespace {

// Takes every message at once: the queue's pacing runs on its own thread and
// is not what is measured here.
class NullBackend : public midi::OutputBackend {
public:
    bool send(const std::uint8_t*, std::size_t, QString*) override { return true; }
};

// The benchmark's own MIDI session, made once the application exists and
// shut down at the end of main().
midi::MidiSession& benchSession()
{
    static auto* session = new midi::MidiSession;
    return *session;
}

SoundDump sampleSound()
{
    SoundDump d {};
    d.fill(0x10);
    d[0] = 0xF0;
    d[d.size() - 1] = 0xF7;
    int i = 0;
    for (const ParameterEntry& e : parameterMap()) {
        if (e.isStored())
            writeValue(d, e, e.minimum + (i++ * 7) % e.valueCount());
    }
    return d;
}

bool showAndWait(QWidget& window)
{
    window.show();
    QElapsedTimer timer;
    timer.start();
    while (!(window.windowHandle() && window.windowHandle()->isExposed()) && timer.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    QCoreApplication::processEvents();
    return window.windowHandle() && window.windowHandle()->isExposed();
}

void drainQueue() { benchSession().waitIdle(std::chrono::milliseconds(60000)); }

void BM_EditorCreateAndShowFirstTab(benchmark::State& state)
{
    MemoryEditorHost host;
    host.session = &benchSession();
    const SoundDump sound = sampleSound();
    for (auto _ : state) {
        auto editor = std::make_unique<SoundEditor>(host);
        editor->setWorkingCopy(sound);
        if (!showAndWait(*editor)) {
            state.SkipWithError("the editor was never exposed");
            break;
        }
        state.PauseTiming();
        const auto* knob = editor->findChild<controls::Knob*>(QStringLiteral("KnobOsc1Level"));
        if (!knob || knob->drawCount() < 2)
            state.SkipWithError("the first tab was not painted");
        editor.reset();
        QCoreApplication::processEvents();
        drainQueue();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_EditorCreateAndShowFirstTab)->Unit(benchmark::kMillisecond)->Iterations(10);

// One iteration: press on the dial, 50 moves of one pixel up and 50 back
// (each changes the value, so each paints and sends twice), release; every
// event is followed by the event loop's own work (the screen copy).
void BM_EditorKnobDrag100Moves(benchmark::State& state)
{
    MemoryEditorHost host;
    host.session = &benchSession();
    SoundEditor editor(host);
    editor.setWorkingCopy(sampleSound());
    if (!showAndWait(editor)) {
        state.SkipWithError("the editor was never exposed");
        return;
    }
    auto* knob = editor.findChild<controls::Knob*>(QStringLiteral("KnobOsc1Level"));
    knob->setValue(60);
    QCoreApplication::processEvents();
    drainQueue();
    auto send = [&](QEvent::Type type, int y) {
        const QPointF at(16, y);
        QMouseEvent ev(type, at, knob->mapToGlobal(at), Qt::LeftButton,
            type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(knob, &ev);
        QCoreApplication::processEvents();
    };
    const int drawsBefore = knob->drawCount();
    for (auto _ : state) {
        send(QEvent::MouseButtonPress, 20);
        for (int i = 0; i < 100; ++i)
            send(QEvent::MouseMove, 20 - (i < 50 ? i + 1 : 99 - i)); // 50 up, 50 back
        send(QEvent::MouseButtonRelease, 20);
    }
    // Every move changes the value and redraws.
    if (knob->drawCount() - drawsBefore < 100 * int(state.iterations()))
        state.SkipWithError("the drag did not move the knob");
    // The messages leave paced behind the GUI (2 ms each): the queue
    // drains here, outside the measured time.
    drainQueue();
    // Seconds of GUI time per mouse move.
    state.counters["s_per_move"] = benchmark::Counter(
        double(state.iterations()) * 100, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_EditorKnobDrag100Moves)->Unit(benchmark::kMillisecond)->Iterations(20);

// "Randomize Sound" followed by the reload of every control from the
// working copy, as the button does: every entry allows every value, so each
// draw moves most knobs and each reload repaints and sends them.
void BM_EditorRandomizeSoundAndReload(benchmark::State& state)
{
    MemoryEditorHost host;
    host.session = &benchSession();
    SoundEditor editor(host);
    editor.setWorkingCopy(sampleSound());
    if (!showAndWait(editor)) {
        state.SkipWithError("the editor was never exposed");
        return;
    }
    SoundFamilySchema schema;
    for (SchemaEntry& entry : schema.entries())
        entry.allowed = QString(entry.parameter->valueCount(), QLatin1Char('1'));
    Generator gen(12345);
    drainQueue();
    for (auto _ : state) {
        SoundDump sound = editor.workingCopy();
        randomizeSound(sound, schema, gen);
        editor.setWorkingCopy(sound);
        editor.loadControls();
        QCoreApplication::processEvents();
        state.PauseTiming();
        drainQueue();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_EditorRandomizeSoundAndReload)->Unit(benchmark::kMillisecond)->Iterations(20);

// "Explore...": from the click until "Explore Sound Family" is on the
// screen, its first generation of eight candidates made over the working
// copy. The window is closed (and so deleted) outside the measured time.
void BM_ExploreWindowOpen(benchmark::State& state)
{
    MemoryEditorHost host;
    host.session = &benchSession();
    SoundEditor editor(host);
    editor.setWorkingCopy(sampleSound());
    if (!showAndWait(editor)) {
        state.SkipWithError("the editor was never exposed");
        return;
    }
    for (SchemaEntry& entry : editor.schema().entries())
        entry.allowed = QString(entry.parameter->valueCount(), QLatin1Char('1'));
    auto* button = editor.findChild<QPushButton*>(QStringLiteral("btnExplore"));
    if (!button) {
        state.SkipWithError("no Explore button");
        return;
    }
    drainQueue();
    for (auto _ : state) {
        button->click();
        ExploreWindow* window = editor.exploreWindow();
        if (!window || !showAndWait(*window)) {
            state.SkipWithError("the explore window was never exposed");
            break;
        }
        state.PauseTiming();
        window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
        if (editor.exploreWindow())
            state.SkipWithError("the explore window stayed after closing");
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ExploreWindowOpen)->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchSession().setOutputBackend(std::make_shared<NullBackend>());
    ::benchmark::Initialize(&argc, argv);
    if (::benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    ::benchmark::RunSpecifiedBenchmarks();
    ::benchmark::Shutdown();
    benchSession().shutdown(std::chrono::milliseconds(1000));
    return 0;
}
