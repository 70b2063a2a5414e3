// The resident set of the program: the main window after start-up, and after
// a bank read of 100 sounds, without the shared memory a JACK client maps
// (reported as shared_memory_mb); peak_rss_mb includes it. With a MIDI system (a JACK server, as bench.sh
// starts one) the window opens real ports and reads the bank from the
// emulator; without one the sounds come in through the input port's own
// entry, as the back end would hand them over.
//
//   bench_memory      (QT_QPA_PLATFORM defaults to offscreen)

#include "librarian/MainWindow.h"
#include "midi/MidiSession.h"
#include "support/RecordingBackend.h"
#include "midi/SysExDialog.h"
#include "platform/MidiService.h"
#include "store/ByteStack.h"

#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <memory>

using namespace sondrake;

namespace {

// The benchmark's own MIDI session, made once the application exists and
// shut down at the end of main().
midi::MidiSession& benchSession()
{
    static auto* session = new midi::MidiSession;
    return *session;
}

// A field of /proc/self/status ("VmRSS", "VmHWM") in MB.
double statusMb(const char* field)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(line.indexOf(':') + 1).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0;
}

void runEvents(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

bool portsListed()
{
    auto has = [](const std::vector<platform::MidiPortInfo>& ports) {
        for (const auto& p : ports)
            if (p.name.contains(QStringLiteral("QLindorn")))
                return true;
        return false;
    };
    return has(benchSession().midiService().outputs()) && has(benchSession().midiService().inputs());
}

SoundDump dumpFor(int program)
{
    SoundDump d;
    for (std::size_t i = 0; i < d.size(); ++i)
        d[i] = std::uint8_t((i * 5 + std::size_t(program)) & 0x7F);
    d[0] = 0xF0;
    d[kLocationBankByte] = 1;
    d[kLocationProgramByte] = std::uint8_t(program);
    d[kDumpSize - 1] = 0xF7;
    return d;
}

void BM_ResidentSet(benchmark::State& state)
{
    for (auto _ : state) {
        QTemporaryDir dir;
        MainWindow::Options options;
        options.settingsFile = dir.filePath(QStringLiteral("halvorne_q-lindorn.ini"));
        QProcess emulator;
        bool real = false;
        if (benchSession().midiService().jackAvailable() || platform::MidiService::alsaAvailable()) {
            emulator.start(QCoreApplication::applicationDirPath() + QStringLiteral("/qlindorn-emulator"),
                { QStringLiteral("--headless") });
            QElapsedTimer wait;
            wait.start();
            while (emulator.waitForStarted(100) && !portsListed() && wait.elapsed() < 15000)
                runEvents(100);
            real = portsListed();
        }
        options.openMidiPortsAtStart = real;
        if (!real)
            midi::installRecordingBackend(benchSession());

        auto window = std::make_unique<MainWindow>(benchSession(), options);
        window->show();
        runEvents(500);
        // A JACK client maps the server's shared memory; it is resident in
        // the process but belongs to the server, so it is counted apart.
        const double afterStart = statusMb("VmRSS") - statusMb("RssShmem");

        // "Read Sound Bank (1 or 2) from Q-Lindorn", answered by 100 sounds.
        bool started = false;
        QTimer poll;
        poll.setInterval(5);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (!QApplication::activeModalWidget() || started)
                return;
            started = true;
            if (real) {
                emulator.write("dump-bank 1\n");
            } else {
                for (int p = 0; p < 100; ++p) {
                    const SoundDump d = dumpFor(p);
                    benchSession().deliverInput(d.data(), d.size());
                    runEvents(2);
                }
            }
            QTimer::singleShot(60000, window->receiver(), [&] {
                if (window->receiver()->isVisible())
                    window->receiver()->findChild<QPushButton*>(QStringLiteral("Button1"))->click();
            });
        });
        if (!real)
            benchSession().openInputWithoutDevice();
        poll.start();
        window->findChild<QAction*>(QStringLiteral("A1"))->trigger();
        poll.stop();
        runEvents(300);
        state.counters["rss_after_start_mb"] = afterStart;
        state.counters["rss_after_bank_read_mb"] = statusMb("VmRSS") - statusMb("RssShmem");
        state.counters["shared_memory_mb"] = statusMb("RssShmem");
        state.counters["peak_rss_mb"] = statusMb("VmHWM");
        state.counters["real_midi"] = real ? 1 : 0;
        int stored = 0;
        for (int p = 0; p < 100; ++p)
            stored += window->store().slot(p)[0] == 0xF0 ? 1 : 0;
        state.counters["sounds_stored"] = stored;

        benchSession().waitIdle(std::chrono::seconds(5));
        window.reset();
        benchSession().closeInput();
        benchSession().closeOutput();
        if (emulator.state() == QProcess::Running) {
            emulator.write("quit\n");
            if (!emulator.waitForFinished(10000))
                emulator.terminate();
            emulator.waitForFinished(5000);
        }
    }
}
BENCHMARK(BM_ResidentSet)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    benchSession().shutdown(std::chrono::milliseconds(1000));
    return 0;
}
