// One paint of a knob and of a slider: the editor repaints about a hundred
// of them at once (on showing, on a tab change, on loading a sound).
//
//   cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release
//   cmake --build build-release --target bench_controls
//   build-release/bin/bench_controls --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

#include "controls/Knob.h"
#include "controls/Slider.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QWindow>

#include <benchmark/benchmark.h>

using namespace sondrake::controls;

namespace {

int fired = 0;

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

// A paint from a setter: draw the off-screen bitmap and fire the change event.
void BM_KnobPaint(benchmark::State& state)
{
    Knob knob;
    knob.setCaption(QStringLiteral("Cutoff"));
    knob.setOnChange([](QObject*) { ++fired; });
    int v = 0;
    for (auto _ : state) {
        v = v == 100 ? 101 : 100;
        knob.setValue(v);
    }
    benchmark::DoNotOptimize(fired);
}
BENCHMARK(BM_KnobPaint);

void BM_SliderPaint(benchmark::State& state)
{
    Slider slider;
    slider.setOnChange([](QObject*) { ++fired; });
    int v = 0;
    for (auto _ : state) {
        v = v == 100 ? 101 : 100;
        slider.setValue(v);
    }
    benchmark::DoNotOptimize(fired);
}
BENCHMARK(BM_SliderPaint);

// A paint the window system asks for: draw, fire and copy to the window.
void BM_KnobWindowPaint(benchmark::State& state)
{
    QWidget window;
    auto* knob = new Knob(&window);
    knob->setCaption(QStringLiteral("Cutoff"));
    knob->setOnChange([](QObject*) { ++fired; });
    if (!showAndWait(window)) {
        state.SkipWithError("window not exposed");
        return;
    }
    for (auto _ : state)
        knob->repaint();
    benchmark::DoNotOptimize(fired);
}
BENCHMARK(BM_KnobWindowPaint);

void BM_SliderWindowPaint(benchmark::State& state)
{
    QWidget window;
    auto* slider = new Slider(&window);
    slider->setOnChange([](QObject*) { ++fired; });
    if (!showAndWait(window)) {
        state.SkipWithError("window not exposed");
        return;
    }
    for (auto _ : state)
        slider->repaint();
    benchmark::DoNotOptimize(fired);
}
BENCHMARK(BM_SliderWindowPaint);

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
