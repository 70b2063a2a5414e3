// Start-up to the main window shown, against a minimal Qt Widgets window
// started the same way: the same executable is started as a child process in
// one of two modes, and the time runs from starting the process to the line
// it prints once its window is exposed. The main window is created with the
// recording MIDI back end, so no MIDI system is needed (opening real ports is
// not part of the figure).
//
// A third benchmark starts the main window on a damaged settings file of the
// largest size read (16 MB: a megabyte-long autoload name, then millions of
// short lines); the window must still be up within 2 s.
//
//   bench_startup                          the benchmarks, then medians and the ratio
//   bench_startup --child main|minimal|damaged   one start (used by the benchmarks)
//   bench_startup --show main [ms]         shows the main window for ms (default 3000),
//                                          for looking at it under xvfb-run
#include "librarian/MainWindow.h"
#include "midi/MidiSession.h"
#include "support/RecordingBackend.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QElapsedTimer>
#include <QLabel>
#include <QMainWindow>
#include <QProcess>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace {

QString selfPath;
enum Mode { Minimal, Main, Damaged };
std::vector<double> samples[3]; // milliseconds, by mode
const char* const kModeNames[] = { "minimal", "main", "damaged" };

std::unique_ptr<sondrake::midi::MidiSession> session;

// The damaged settings file, written before the clock of a start runs.
QString damagedSettingsPath()
{
    return QDir::temp().filePath(QStringLiteral("sondrake-bench-damaged-%1.ini").arg(QCoreApplication::applicationPid()));
}

void writeDamagedSettings(const QString& path)
{
    QByteArray bytes = "[Globals]\nAutoloadfile=/" + QByteArray(1 << 20, 'x') + "\n";
    const qsizetype size = 16 * 1024 * 1024 - 16;
    bytes.reserve(size);
    while (bytes.size() + 4 <= size)
        bytes += "k=v\n";
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        std::fprintf(stderr, "could not write %s\n", qPrintable(path));
}

std::unique_ptr<QWidget> makeWindow(Mode mode, const QString& settingsPath)
{
    if (mode != Minimal) {
        sondrake::MainWindow::Options options;
        options.openMidiPortsAtStart = false;
        options.settingsFile = settingsPath; // empty: where the program keeps it
        session = std::make_unique<sondrake::midi::MidiSession>();
        sondrake::midi::installRecordingBackend(*session);
        return std::make_unique<sondrake::MainWindow>(*session, options);
    }
    auto window = std::make_unique<QMainWindow>();
    window->setWindowTitle(QStringLiteral("Minimal"));
    window->setCentralWidget(new QLabel(QStringLiteral("Hello")));
    window->resize(773, 535);
    return window;
}

void waitExposed(QWidget& window)
{
    while (!window.windowHandle() || !window.windowHandle()->isExposed())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
}

int runChild(int argc, char** argv, Mode mode, const QString& settingsPath, int holdMs)
{
    QElapsedTimer phases;
    phases.start();
    QApplication app(argc, argv);
    const qint64 appMs = phases.restart();
    auto window = makeWindow(mode, settingsPath);
    const qint64 constructMs = phases.restart();
    window->show();
    waitExposed(*window);
    const qint64 showMs = phases.restart();
    if (qEnvironmentVariableIsSet("SONDRAKE_BENCH_PHASES"))
        std::fprintf(stderr, "application %lld ms, window %lld ms, shown %lld ms\n", appMs, constructMs, showMs);
    std::printf("shown\n");
    std::fflush(stdout);
    if (holdMs > 0) {
        QTimer::singleShot(holdMs, &app, &QApplication::quit);
        QApplication::exec();
    }
    window.reset();
    session.reset();
    return 0;
}

double startOnce(Mode mode)
{
    QStringList arguments { QStringLiteral("--child"), QString::fromLatin1(kModeNames[mode]) };
    if (mode == Damaged) {
        arguments << damagedSettingsPath();
        writeDamagedSettings(arguments.back());
    }
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer timer;
    timer.start();
    child.start(selfPath, arguments);
    while (!child.canReadLine()) {
        if (!child.waitForReadyRead(30000))
            break;
    }
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    child.waitForFinished(30000);
    if (mode == Damaged)
        QFile::remove(arguments.back());
    return ms;
}

void startBenchmark(benchmark::State& state, Mode mode)
{
    for (auto _ : state) {
        const double ms = startOnce(mode);
        samples[mode].push_back(ms);
        state.SetIterationTime(ms / 1000.0);
    }
}

void BM_StartMinimalWindow(benchmark::State& state) { startBenchmark(state, Minimal); }
void BM_StartMainWindow(benchmark::State& state) { startBenchmark(state, Main); }
void BM_StartMainWindowDamagedSettings(benchmark::State& state) { startBenchmark(state, Damaged); }

BENCHMARK(BM_StartMinimalWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(15);
BENCHMARK(BM_StartMainWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(15);
BENCHMARK(BM_StartMainWindowDamagedSettings)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    if (argc >= 3 && (std::strcmp(argv[1], "--child") == 0 || std::strcmp(argv[1], "--show") == 0)) {
        const bool show = std::strcmp(argv[1], "--show") == 0;
        const Mode mode = std::strcmp(argv[2], "damaged") == 0 ? Damaged
            : std::strcmp(argv[2], "main") == 0                ? Main
                                                               : Minimal;
        const QString settingsPath = !show && argc >= 4 ? QString::fromLocal8Bit(argv[3]) : QString();
        const int hold = show ? (argc >= 4 ? std::atoi(argv[3]) : 3000) : 0;
        return runChild(argc, argv, mode, settingsPath, hold);
    }

    QCoreApplication app(argc, argv);
    selfPath = QCoreApplication::applicationFilePath();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    const double minimal = median(samples[Minimal]);
    const double mainWindow = median(samples[Main]);
    std::printf("\nmedian start to window shown: minimal %.1f ms, main window %.1f ms, ratio %.2f (target <= 1.5)\n",
                minimal, mainWindow, minimal > 0 ? mainWindow / minimal : 0.0);
    if (!samples[Damaged].empty())
        std::printf("median start with a damaged 16 MB settings file: %.1f ms (target < 2000)\n",
                    median(samples[Damaged]));
    return 0;
}
