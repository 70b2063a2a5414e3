// A MIDI flood against the running main window over the private JACK server.
// A peer process (this executable started with --flood-peer) opens ports
// named like the synthesizer, so the window finds them at start, and sends
// 10,000 messages a second: short messages, SysEx of every length 1..600 and
// whole dumps for random locations, first during a bank read and then while
// the window is idle with its buffer still armed. The window must stay
// responsive (its GUI thread never busy for 20 ms or more without serving
// the event loop; gaps the machine causes by not running the thread at all
// are reported beside it), stay within 10 MB of the
// memory it had before, store nothing but whole 270-byte dumps the peer sent,
// each at the slot it names, and not crash.
//
// Meanwhile every allocation and mutex lock made on the JACK server's
// real-time process thread by our endpoints is counted: the whole graph's
// period waits for that thread, so there must be none.
//
// SONDRAKE_FLOOD_SECONDS sets the length of each phase (default 2).

#include "JackTestSupport.h"
#include "ModalTestSupport.h"
#include "librarian/SoundListView.h"
#include "librarian/MainWindow.h"
#include "midi/MidiSession.h"
#include "midi/SysExDialog.h"
#include "platform/JackMidi.h"
#include "platform/MidiService.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <new>
#include <iostream>
#include <memory>
#include <string>
#include <thread>
#include <dlfcn.h>
#include <pthread.h>
#include <time.h>
#include <unistd.h>

namespace {
std::atomic<long> realTimeAllocations{0};
std::atomic<long> realTimeLocks{0};
bool onRealTimeThread() { return sondrake::platform::jackmidi::insideProcessCallback(); }
} // namespace

void* operator new(std::size_t size)
{
    if (onRealTimeThread())
        realTimeAllocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

// std::mutex, and libjack itself, lock through this.
extern "C" int pthread_mutex_lock(pthread_mutex_t* mutex)
{
    using Lock = int (*)(pthread_mutex_t*);
    static const Lock real = reinterpret_cast<Lock>(dlsym(RTLD_NEXT, "pthread_mutex_lock"));
    if (onRealTimeThread())
        realTimeLocks.fetch_add(1, std::memory_order_relaxed);
    return real(mutex);
}

using sondrake::testing::namedChild;

using namespace sondrake;
using namespace std::chrono_literals;

using testing::indexOf;

namespace {

constexpr int kRate = 10000; // messages a second
constexpr std::size_t kLongestSysEx = 600;
const QString kPeerName = QStringLiteral("QLindorn Flood");

// ---- what the peer sends, as a function of a serial number ---------------

std::uint32_t mix(std::uint32_t x)
{
    x ^= x >> 16;
    x *= 0x7feb352dU;
    x ^= x >> 15;
    x *= 0x846ca68bU;
    x ^= x >> 16;
    return x;
}

// A SysEx message of `length` bytes (F0 ... F7) that carries its serial in
// bytes 1..4 and a marker in 5..10, so a stored dump can be traced back to
// the message it came from. A 270-byte one names a location: bank byte 0
// (the selected row), 1, 2 or 3 (no such bank), program 0..127.
std::vector<std::uint8_t> sysEx(std::uint32_t serial, std::size_t length)
{
    std::vector<std::uint8_t> m(length);
    std::uint32_t state = mix(serial + 1);
    for (std::size_t i = 0; i < length; ++i) {
        state = mix(state + std::uint32_t(i));
        m[i] = std::uint8_t(state & 0x7F);
    }
    m.front() = 0xF0;
    if (length >= 2)
        m.back() = 0xF7;
    if (length >= 12) {
        for (int k = 0; k < 4; ++k)
            m[std::size_t(1 + k)] = std::uint8_t((serial >> (7 * k)) & 0x7F);
        for (std::size_t k = 5; k <= 10; ++k)
            m[k] = 0x55;
    }
    if (length == kDumpSize) {
        const std::uint32_t where = mix(serial ^ 0xABCDEFu);
        m[kLocationBankByte] = std::uint8_t(where % 4);
        m[kLocationProgramByte] = std::uint8_t((where >> 8) % 128);
    }
    return m;
}

std::uint32_t serialOf(const SoundDump& d)
{
    std::uint32_t s = 0;
    for (int k = 0; k < 4; ++k)
        s |= std::uint32_t(d[std::size_t(1 + k)] & 0x7F) << (7 * k);
    return s;
}

// ---- the peer ----------------------------------------------------------------

int runPeer()
{
    const platform::MidiService midi(kPeerName);
    QString error;
    auto out = midi.openVirtualOutput(kPeerName, &error);
    std::atomic<long> received { 0 };
    auto in = midi.openVirtualInput(
        kPeerName, [&received](const std::uint8_t*, std::size_t) { ++received; }, &error);
    if (!out || !in) {
        std::cerr << "peer: " << error.toStdString() << std::endl;
        return 1;
    }
    in->start();
    std::cout << "ready" << std::endl;

    std::string line;
    std::uint32_t serial = 1;
    while (std::getline(std::cin, line)) {
        if (line == "quit")
            break;
        int ms = 0;
        if (std::sscanf(line.c_str(), "flood %d", &ms) != 1)
            continue;
        long sent = 0;
        long failed = 0;
        long bytes = 0;
        std::size_t nextLength = 1;
        bool afterBareStart = false;
        const auto start = std::chrono::steady_clock::now();
        const auto end = start + std::chrono::milliseconds(ms);
        for (auto now = start; now < end; now = std::chrono::steady_clock::now()) {
            const long due = long(std::chrono::duration<double>(now - start).count() * kRate);
            while (sent < due) {
                std::vector<std::uint8_t> m;
                const std::uint32_t kind = mix(serial) % 100;
                if (afterBareStart) {
                    // The back end joins a SysEx without its end to what
                    // follows; keep that joined message short and traceable.
                    m = { 0xF0, 0x01, 0xF7 };
                    afterBareStart = false;
                } else if (kind < 80) {
                    const std::uint8_t status = std::uint8_t(0x80 + ((mix(serial) >> 8) % 7) * 0x10 + serial % 16);
                    const std::uint8_t a = std::uint8_t(mix(serial) >> 16) & 0x7F;
                    const std::uint8_t b = std::uint8_t(mix(serial) >> 24) & 0x7F;
                    if ((status & 0xF0) == 0xC0 || (status & 0xF0) == 0xD0)
                        m = { status, a };
                    else
                        m = { status, a, b };
                } else if (kind < 95) {
                    m = sysEx(serial, nextLength);
                    afterBareStart = nextLength == 1;
                    nextLength = nextLength % kLongestSysEx + 1;
                } else {
                    m = sysEx(serial, kDumpSize);
                }
                QString why;
                if (!out->send(m.data(), m.size(), &why))
                    ++failed;
                bytes += long(m.size());
                ++sent;
                ++serial;
            }
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        std::cout << "done " << sent << " " << failed << " " << bytes << " " << received.load() << std::endl;
    }
    in->stop();
    in.reset();
    out.reset();
    return 0;
}

// ---- measuring -------------------------------------------------------------

double residentMb()
{
    QFile f(QStringLiteral("/proc/self/statm"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = f.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toDouble() * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0) : 0;
}

double threadCpuMs()
{
    timespec t {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// The longest time the GUI thread went without serving a 1 ms timer: as wall
// time, and as the processor time the thread itself spent in that gap. The
// second is the program's own stall; the difference is time the thread was
// not running at all (on a busy machine, other processes).
class StallMeter : public QObject {
public:
    StallMeter()
    {
        m_timer.setInterval(1);
        m_timer.setTimerType(Qt::PreciseTimer);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            const qint64 now = m_clock.nsecsElapsed();
            const double cpu = threadCpuMs();
            m_worst = std::max(m_worst, now - m_last);
            m_worstBusy = std::max(m_worstBusy, cpu - m_lastCpu);
            m_last = now;
            m_lastCpu = cpu;
        });
    }
    void start()
    {
        m_clock.start();
        m_last = 0;
        m_worst = 0;
        m_lastCpu = threadCpuMs();
        m_worstBusy = 0;
        m_timer.start();
    }
    // Returns the worst busy stall; worstWallMs() the worst gap.
    double stop()
    {
        m_timer.stop();
        return m_worstBusy;
    }
    double worstWallMs() const { return double(m_worst) / 1e6; }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    qint64 m_worst = 0;
    double m_lastCpu = 0;
    double m_worstBusy = 0;
};

} // namespace

class ITestFlood : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QProcess peer;
    QByteArray pending;
    bool ready = false;
    QList<QByteArray> doneLine;
    midi::MidiSession session; // outlives the window
    MainWindow::Options options;
    std::unique_ptr<MainWindow> w;
    int seconds = 2;
    double startMb = 0;
    static constexpr int kSelectedRow = 7;

    void readPeer()
    {
        pending += peer.readAllStandardOutput();
        int nl;
        while ((nl = pending.indexOf('\n')) >= 0) {
            const QByteArray line = pending.left(nl).trimmed();
            pending.remove(0, nl + 1);
            if (line == "ready")
                ready = true;
            else if (line.startsWith("done "))
                doneLine = line.split(' ');
        }
    }

    QAction* action(const char* name) const { return w->findChild<QAction*>(QString::fromLatin1(name)); }

    // Floods for the phase's length; returns the worst stall meanwhile.
    double flood(const char* phase)
    {
        doneLine.clear();
        StallMeter stall;
        stall.start();
        peer.write(QByteArray("flood ") + QByteArray::number(seconds * 1000) + '\n');
        QElapsedTimer limit;
        limit.start();
        while (doneLine.isEmpty() && limit.elapsed() < seconds * 1000 + 20000)
            QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
        const double worst = stall.stop();
        if (doneLine.size() >= 5)
            qInfo("%s: %s messages (%s refused by the back end, %s bytes) in %d s; %s requests reached the peer; "
                  "worst GUI stall %.2f ms (longest timer gap %.2f ms)",
                phase, doneLine[1].constData(), doneLine[2].constData(), doneLine[3].constData(), seconds,
                doneLine[4].constData(), worst, stall.worstWallMs());
        return worst;
    }

    // Every slot that changed holds a whole dump the peer sent, at the slot
    // that dump names.
    int checkStored(const SoundStore& before, const char* phase)
    {
        int stored = 0;
        for (int s = 0; s < kSlotCount; ++s) {
            const SoundDump& d = w->store().slot(s);
            if (d == before.slot(s))
                continue;
            ++stored;
            const std::vector<std::uint8_t> sent = sysEx(serialOf(d), kDumpSize);
            if (!std::equal(sent.begin(), sent.end(), d.begin())) {
                qWarning("%s: slot %d holds bytes the peer never sent as one dump", phase, s);
                return -1;
            }
            const int bank = d[kLocationBankByte];
            const int named = bank == 0 ? kSelectedRow : (bank - 1) * 100 + d[kLocationProgramByte];
            if (named != s) {
                qWarning("%s: a dump for slot %d was stored in slot %d", phase, named, s);
                return -1;
            }
        }
        return stored;
    }

    void checkRealTimeThread(const char* phase)
    {
        qInfo("%s: %ld allocations and %ld mutex locks on the JACK process thread while %d messages arrived", phase,
              realTimeAllocations.load(), realTimeLocks.load(), kRate * seconds);
        QCOMPARE(realTimeAllocations.load(), 0L);
        QCOMPARE(realTimeLocks.load(), 0L);
    }

private slots:
    void initTestCase()
    {
        SONDRAKE_REQUIRE_MIDI_SERVER();
        bool ok = false;
        const int s = qEnvironmentVariableIntValue("SONDRAKE_FLOOD_SECONDS", &ok);
        if (ok && s > 0)
            seconds = s;
        QVERIFY(dir.isValid());
        options.settingsFile = dir.filePath(QStringLiteral("halvorne_q-lindorn.ini"));
        options.openMidiPortsAtStart = true;

        connect(&peer, &QProcess::readyReadStandardOutput, this, &ITestFlood::readPeer);
        peer.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        peer.start(QCoreApplication::applicationFilePath(), { QStringLiteral("--flood-peer") });
        QVERIFY2(peer.waitForStarted(10000), qPrintable(peer.errorString()));
        QTRY_VERIFY_WITH_TIMEOUT(ready || peer.state() != QProcess::Running, 20000);
        QVERIFY(peer.state() == QProcess::Running);
        QTRY_VERIFY_WITH_TIMEOUT(indexOf(session.midiService().outputs(), kPeerName) >= 0
                && indexOf(session.midiService().inputs(), kPeerName) >= 0,
            10000);

        w = std::make_unique<MainWindow>(session, options);
        QVERIFY(!w->midiOpenFailed());
        QVERIFY(session.isInputOpen());
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        SoundListView* list = w->soundList();
        list->scrollTo(list->model()->index(kSelectedRow, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
            list->visualRect(list->model()->index(kSelectedRow, SoundListView::kNameColumn)).center());
        QCOMPARE(w->selectedRows(), std::vector<int> { kSelectedRow });
        QTest::qWait(300);
        startMb = residentMb();
    }

    void cleanupTestCase()
    {
        if (w) {
            session.waitIdle(5s);
            w.reset();
        }
        session.closeInput();
        session.closeOutput();
        if (peer.state() == QProcess::Running) {
            peer.write("quit\n");
            if (!peer.waitForFinished(10000)) {
                peer.terminate();
                peer.waitForFinished(5000);
            }
        }
    }

    void floodDuringBankRead()
    {
        const SoundStore before = w->store();
        double worst = 0;
        bool waited = false;
        testing::onNextModal([&](QWidget*) {
            waited = true;
            worst = flood("during a bank read");
            // The flood's dumps name random slots; whatever the read still
            // waits for, the user ends it.
            if (w->receiver()->isVisible())
                QTest::mouseClick(namedChild<QPushButton>(w->receiver(), "Button1"), Qt::LeftButton);
        });
        realTimeAllocations = 0;
        realTimeLocks = 0;
        action("A1")->trigger(); // "Read Sound Bank (1 or 2) from Q-Lindorn"
        QVERIFY(waited);
        checkRealTimeThread("bank read");
        QVERIFY2(!doneLine.isEmpty(), "the peer did not finish");
        const int stored = checkStored(before, "bank read");
        QVERIFY(stored >= 0);
        qInfo("bank read: %d slots stored", stored);
        QVERIFY2(worst < 20.0, qPrintable(QString("worst GUI stall %1 ms").arg(worst)));
        QVERIFY(!w->receptionFields().receiving);
    }

    void floodWhileIdle()
    {
        // The buffer stays armed after the read; with the window active again
        // a dump that arrives is stored by its location.
        QCoreApplication::processEvents();
        const SoundStore before = w->store();
        w->activateWindow();
        QApplication::setActiveWindow(w.get());
        realTimeAllocations = 0;
        realTimeLocks = 0;
        const double worst = flood("idle");
        checkRealTimeThread("idle");
        const int stored = checkStored(before, "idle");
        QVERIFY(stored >= 0);
        qInfo("idle: %d slots stored", stored);
        QVERIFY2(worst < 20.0, qPrintable(QString("worst GUI stall %1 ms").arg(worst)));
    }

    void memoryStaysWithinTenMegabytes()
    {
        QTest::qWait(200);
        const double now = residentMb();
        qInfo("resident set: %.1f MB before the floods, %.1f MB after", startMb, now);
        QVERIFY2(now - startMb < 10.0, qPrintable(QString("grew by %1 MB").arg(now - startMb)));
        QVERIFY(w->messagesBox()->blockCount() <= 1001);
    }
};

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--flood-peer") == 0)
        return runPeer();
    QApplication app(argc, argv);
    ITestFlood test;
    return QTest::qExec(&test, argc, argv);
}

#include "itest_flood.moc"
