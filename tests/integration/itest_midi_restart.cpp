// The program over a JACK server of its own that dies and comes back, and
// that is stopped while the program ends: no crash, one line per loss and
// per return, the ports open again by themselves, Midi Settings works in
// every state, and the program ends within two seconds.

#include "JackTestSupport.h"
#include "librarian/MainWindow.h"
#include "librarian/WindowTestSupport.h"
#include "midi/MidiSession.h"
#include "platform/MidiService.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <memory>

#include <sys/resource.h>

using namespace sondrake;
using namespace std::chrono_literals;

using testing::answerNextMessageBox;
using testing::onNextModal;

namespace {

const QString kListerName = QStringLiteral("RestartTest");

double cpuSeconds()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
        + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// A JACK server under one name for the whole test, killed and started again.
class Server {
public:
    explicit Server(QString name)
        : m_name(std::move(name))
    {
    }
    ~Server() { stop(); }
    bool start()
    {
        m_process.setProcessChannelMode(QProcess::MergedChannels);
        m_process.setStandardOutputFile(QProcess::nullDevice());
        m_process.start(QStringLiteral("jackd"),
                       { "--no-realtime", "--sync", "--name", m_name, "-d", "dummy", "-r", "48000", "-p", "256" });
        if (!m_process.waitForStarted(10000))
            return false;
        return QTest::qWaitFor([&] { return m_midi.jackAvailable(); }, 15000);
    }
    // SIGTERM, never SIGKILL first: a killed server can leave its name taken.
    void stop()
    {
        terminate();
        waitStopped();
    }
    void terminate()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        resume();
        m_process.terminate();
    }
    void waitStopped()
    {
        if (m_process.state() != QProcess::NotRunning && !m_process.waitForFinished(20000)) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }
    // A server that did not end on its own (killed, or dead of a signal)
    // keeps its name in JACK's registry of eight servers per user; starting
    // one under the same name takes the entry back, and a clean stop frees it.
    void freeName()
    {
        terminate();
        waitStopped();
        if (start())
            stop();
    }
    void pause() { ::kill(pid_t(m_process.processId()), SIGSTOP); }
    void resume() { ::kill(pid_t(m_process.processId()), SIGCONT); }

private:
    QString m_name;
    QProcess m_process;
    const platform::MidiService m_midi { kListerName };
};

// The emulator in headless mode, with what it received.
class Emulator {
public:
    ~Emulator() { quit(); }
    bool start()
    {
        lines.clear();
        m_ready = false;
        m_pending.clear();
        m_process.setProcessChannelMode(QProcess::SeparateChannels);
        QObject::connect(&m_process, &QProcess::readyReadStandardOutput, &m_process, [this] {
            m_pending += m_process.readAllStandardOutput();
            int nl;
            while ((nl = m_pending.indexOf('\n')) >= 0) {
                const QByteArray line = m_pending.left(nl).trimmed();
                m_pending.remove(0, nl + 1);
                if (line == "ready")
                    m_ready = true;
                else if (!line.isEmpty())
                    lines << QString::fromLatin1(line).toUpper();
            }
        });
        const QString bin = qEnvironmentVariable("SONDRAKE_BIN_DIR", QCoreApplication::applicationDirPath());
        m_process.start(bin + "/qlindorn-emulator", { "--headless" });
        return m_process.waitForStarted(10000)
            && QTest::qWaitFor([&] { return m_ready || m_process.state() != QProcess::Running; }, 20000) && m_ready;
    }
    void quit()
    {
        if (m_process.state() != QProcess::Running)
            return;
        m_process.write("quit\n");
        if (!m_process.waitForFinished(10000)) {
            m_process.terminate();
            m_process.waitForFinished(5000);
        }
        m_process.disconnect();
    }
    QStringList lines;

private:
    QProcess m_process;
    QByteArray m_pending;
    bool m_ready = false;
};

} // namespace

class ITestMidiRestart : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    std::unique_ptr<Server> server;
    // Listed under another name than the program's, so the program's own
    // ports show up in our lists.
    const platform::MidiService lister { kListerName };

    static bool hasLine(const MainWindow& w, const QString& start)
    {
        for (const QString& line : w.messagesBox()->toPlainText().split(QLatin1Char('\n')))
            if (line.startsWith(start))
                return true;
        return false;
    }

    static QString line(const MainWindow& w, const QString& start)
    {
        for (const QString& l : w.messagesBox()->toPlainText().split(QLatin1Char('\n')))
            if (l.startsWith(start))
                return l;
        return {};
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        // A server of our own, whatever test.sh started: this one is killed.
        const QString name = QStringLiteral("sondrake-restart-%1-%2")
                                 .arg(QCoreApplication::applicationPid())
                                 .arg(QRandomGenerator::global()->bounded(100000));
        qputenv("JACK_DEFAULT_SERVER", name.toLocal8Bit());
        qputenv("JACK_NO_AUDIO_RESERVATION", "1");
        qputenv("JACK_NO_START_SERVER", "1");
        server = std::make_unique<Server>(name);
    }

    void cleanupTestCase()
    {
        if (server)
            server->freeName();
        server.reset();
    }

    void serverRestartIsSurvivedAndThePortsReturn()
    {
        QVERIFY(server->start());
        Emulator emulator;
        QVERIFY(emulator.start());
        MainWindow::Options options;
        options.settingsFile = dir.filePath(QStringLiteral("halvorne_q-lindorn.ini"));
        midi::MidiSession session(kListerName);
        session.setWatchInterval(100ms);
        auto w = std::make_unique<MainWindow>(session, options);
        QVERIFY(!w->midiOpenFailed());
        w->show();
        QVERIFY(hasLine(*w, "MIDI output: QLindorn Emulator. MIDI input: QLindorn Emulator."));

        // The server dies while a bank file is on its way out.
        QByteArray file;
        for (int i = 0; i < 200; ++i) {
            QByteArray record(270, char(0x11));
            record[0] = char(0xF0);
            record[269] = char(0xF7);
            file += record;
        }
        QFile bank(dir.filePath("bank.syx"));
        QVERIFY(bank.open(QIODevice::WriteOnly) && bank.write(file) == file.size());
        bank.close();
        for (int i = 0; i < 4; ++i) // seven seconds of output at JACK's pace
            w->sendSysExFile(bank.fileName());
        QVERIFY(session.pending() > 600);
        server->stop();
        QElapsedTimer sinceDeath;
        sinceDeath.start();
        QTRY_VERIFY_WITH_TIMEOUT(hasLine(*w, "MIDI output lost: QLindorn Emulator (the MIDI server stopped)"), 10000);
        QVERIFY2(sinceDeath.elapsed() < 2000, qPrintable(QString::number(sinceDeath.elapsed())));
        QTRY_VERIFY_WITH_TIMEOUT(hasLine(*w, "MIDI input lost: QLindorn Emulator"), 5000);
        const auto discarded = QRegularExpression("(\\d+) queued message\\(s\\) discarded")
                                   .match(line(*w, "MIDI output lost"));
        QVERIFY(discarded.hasMatch() && discarded.captured(1).toInt() > 0);
        QCOMPARE(session.pending(), std::size_t(0));

        // Nothing spins while the server is away (the window's own timers run).
        const double cpuBefore = cpuSeconds();
        QElapsedTimer window;
        window.start();
        QTest::qWait(1000);
        const double busy = (cpuSeconds() - cpuBefore) / (double(window.elapsed()) / 1000.0);
        QVERIFY2(busy < 0.25, qPrintable(QString("%1 of a core").arg(busy)));

        // Midi Settings > OK while the port is gone: the box, and the program goes on.
        QString boxText;
        onNextModal([&](QWidget* settings) {
            answerNextMessageBox(&boxText);
            QTest::mouseClick(settings->findChild<QPushButton*>("btnOk"), Qt::LeftButton);
        });
        w->findChild<QAction*>("Midi1")->trigger();
        QCOMPARE(boxText, QString("Midi Open error"));
        QVERIFY(w->isVisible());

        // The server and the synthesizer come back under the same names.
        emulator.quit();
        QVERIFY(server->start());
        QVERIFY(emulator.start());
        // A loaded machine can hold a freshly started synchronous server up for a while.
        QTRY_VERIFY_WITH_TIMEOUT(hasLine(*w, "MIDI output QLindorn Emulator is back and open again."), 40000);
        QTRY_VERIFY_WITH_TIMEOUT(hasLine(*w, "MIDI input QLindorn Emulator is back and open again."), 20000);
        w->onProgramUp();
        QTRY_VERIFY_WITH_TIMEOUT(emulator.lines.contains("C0 01"), 10000);

        // Midi Settings > OK once it is back reopens both and still reaches it.
        onNextModal([&](QWidget* settings) {
            QTest::mouseClick(settings->findChild<QPushButton*>("btnOk"), Qt::LeftButton);
        });
        w->findChild<QAction*>("Midi1")->trigger();
        QVERIFY(session.isOutputOpen() && session.isInputOpen());
        w->onProgramUp();
        QTRY_VERIFY_WITH_TIMEOUT(emulator.lines.contains("C0 02"), 10000);

        // File > Exit and closing the session take less than two seconds.
        QElapsedTimer exit;
        exit.start();
        w->findChild<QAction*>("Exit1")->trigger();
        session.waitIdle(400ms);
        QVERIFY(session.shutdown(1000ms));
        QVERIFY2(exit.elapsed() < 2000, qPrintable(QString::number(exit.elapsed())));
        w.reset();
        emulator.quit();
        server->stop();
    }

    // The program itself: SIGTERM while its server is stopped, and during
    // the "Midi Open error" box when there is no server at all.
    void signalsEndTheProgramWithinTwoSeconds()
    {
        const QString bin = qEnvironmentVariable("SONDRAKE_BIN_DIR", QCoreApplication::applicationDirPath());
        QTemporaryDir programDir; // the settings file is written beside the program
        const QString program = programDir.filePath("sondrake");
        QVERIFY(QFile::copy(bin + "/sondrake", program));

        QVERIFY(server->start());
        Emulator emulator;
        QVERIFY(emulator.start());
        QProcess sondrake;
        sondrake.setProcessChannelMode(QProcess::ForwardedChannels);
        sondrake.start(program, {});
        QVERIFY(sondrake.waitForStarted(10000));
        // Its input is opened last; then it reads its settings and shows the window.
        auto inputOpen = [this] {
            for (const auto& port : lister.outputs())
                if (port.name.startsWith("Sondrake") && port.name.endsWith(":in"))
                    return true;
            return false;
        };
        QTRY_VERIFY_WITH_TIMEOUT(inputOpen(), 20000);
        QTest::qWait(1000);
        server->pause();
        QElapsedTimer clock;
        clock.start();
        ::kill(pid_t(sondrake.processId()), SIGTERM);
        QVERIFY(sondrake.waitForFinished(10000));
        const qint64 ms = clock.elapsed();
        server->resume();
        QVERIFY2(ms < 2000, qPrintable(QString::number(ms)));
        QCOMPARE(sondrake.exitStatus(), QProcess::NormalExit);
        QCOMPARE(sondrake.exitCode(), 0); // the orderly way, not the watchdog
        QVERIFY(QFile::exists(programDir.filePath("halvorne_q-lindorn.ini")));
        // The server now finds the program's clients gone, which holds a
        // synchronous server up for seconds (or ends it with SIGPIPE): it is
        // stopped meanwhile, and its name freed at the end.
        server->terminate();

        // No server: "Midi Open error" waits for an answer, and SIGTERM ends it.
        QProcess lonely;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("JACK_DEFAULT_SERVER", "sondrake-restart-none");
        lonely.setProcessEnvironment(environment);
        lonely.setProcessChannelMode(QProcess::SeparateChannels);
        lonely.start(program, {});
        QVERIFY(lonely.waitForStarted(10000));
        QByteArray said;
        QTRY_VERIFY_WITH_TIMEOUT((said += lonely.readAllStandardError()).contains("MIDI output"), 20000);
        clock.restart();
        ::kill(pid_t(lonely.processId()), SIGTERM);
        QVERIFY(lonely.waitForFinished(10000));
        QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(lonely.exitCode(), 128 + SIGTERM);
        server->waitStopped();
        emulator.quit();
    }
};

QTEST_MAIN(ITestMidiRestart)
#include "itest_midi_restart.moc"
