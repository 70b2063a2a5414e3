// The librarian window against the emulator over the private JACK server:
// a whole bank read, sending selected sounds, and a synthesizer that goes
// away in the middle of a read.

#include "JackTestSupport.h"
#include "ModalTestSupport.h"
#include "emulator/EmulatorCore.h"
#include "librarian/SoundListView.h"
#include "librarian/MainWindow.h"
#include "midi/MidiSession.h"
#include "midi/SoundTransfer.h"
#include "midi/SysExDialog.h"
#include "platform/MidiService.h"
#include "store/ByteStack.h"

#include <QAction>
#include <QComboBox>
#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using sondrake::testing::namedChild;

using namespace sondrake;
using namespace std::chrono_literals;
using emulator::EmulatorCore;

using testing::indexOf;
using testing::onNextModal;

namespace {

// The longest time the GUI thread went without serving a 1 ms timer.
class StallMeter : public QObject {
public:
    StallMeter()
    {
        m_timer.setInterval(1);
        m_timer.setTimerType(Qt::PreciseTimer);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            const qint64 now = m_clock.nsecsElapsed();
            m_worst = std::max(m_worst, now - m_last);
            m_last = now;
        });
    }
    void start()
    {
        m_clock.start();
        m_last = 0;
        m_worst = 0;
        m_timer.start();
    }
    double stop()
    {
        m_timer.stop();
        return double(m_worst) / 1e6;
    }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    qint64 m_worst = 0;
};

} // namespace

class ITestTransfer : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QProcess emulator;
    QByteArray pendingOut;
    int emulatorLines = 0;
    int requestsSeen = 0;
    int lastProgramSeen = -1; // the data byte of the latest program change the emulator received
    bool ready = false;
    midi::MidiSession session; // outlives the window
    MainWindow::Options options;
    std::unique_ptr<MainWindow> w;

    void readEmulator()
    {
        pendingOut += emulator.readAllStandardOutput();
        int nl;
        while ((nl = pendingOut.indexOf('\n')) >= 0) {
            const QByteArray line = pendingOut.left(nl).trimmed();
            pendingOut.remove(0, nl + 1);
            if (line == "ready")
                ready = true;
            else if (!line.isEmpty()) {
                ++emulatorLines;
                if (line == "F0 00 20 29 01 42 7F 41 00 00 00 00 00 F7" || line == "f0 00 20 29 01 42 7f 41 00 00 00 00 00 f7")
                    ++requestsSeen;
                else if (line.size() == 5 && (line[0] == 'C' || line[0] == 'c'))
                    lastProgramSeen = line.mid(3).toInt(nullptr, 16);
            }
        }
    }

    QStringList memoLines() const { return w->messagesBox()->toPlainText().split(QLatin1Char('\n')); }

    void clickRow(int row, Qt::KeyboardModifiers modifiers = {})
    {
        SoundListView* list = w->soundList();
        list->scrollTo(list->model()->index(row, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers,
                          list->visualRect(list->model()->index(row, SoundListView::kNameColumn)).center());
    }

    // Runs a reception command; `duringWait` runs once the dialog waits. A
    // wait that does not end by itself is ended with Close after `limit`.
    bool runReception(QAction* command, std::function<void()> duringWait, std::chrono::milliseconds limit)
    {
        bool closedByUs = false;
        onNextModal([&, duringWait](QWidget*) {
            duringWait();
            if (!QTest::qWaitFor([&] { return !w->receiver()->isVisible(); }, int(limit.count()))) {
                closedByUs = true;
                QTest::mouseClick(namedChild<QPushButton>(w->receiver(), "Button1"), Qt::LeftButton);
            }
        });
        command->trigger();
        return !closedByUs;
    }

    QAction* action(const char* name) const { return w->findChild<QAction*>(QString::fromLatin1(name)); }

private slots:
    void initTestCase()
    {
        SONDRAKE_REQUIRE_MIDI_SERVER();
        QVERIFY(dir.isValid());
        options.settingsFile = dir.filePath(QStringLiteral("halvorne_q-lindorn.ini"));
        options.openMidiPortsAtStart = true;
    }

    void init()
    {
        pendingOut.clear();
        emulatorLines = 0;
        requestsSeen = 0;
        ready = false;
        const QString bin = qEnvironmentVariable("SONDRAKE_BIN_DIR", QCoreApplication::applicationDirPath());
        connect(&emulator, &QProcess::readyReadStandardOutput, this, &ITestTransfer::readEmulator,
                Qt::UniqueConnection);
        emulator.setProcessChannelMode(QProcess::SeparateChannels);
        emulator.start(bin + "/qlindorn-emulator", {"--headless"});
        QVERIFY2(emulator.waitForStarted(10000), qPrintable(emulator.errorString()));
        QTRY_VERIFY_WITH_TIMEOUT(ready || emulator.state() != QProcess::Running, 20000);
        QVERIFY2(emulator.state() == QProcess::Running, emulator.readAllStandardError().constData());
        QTRY_VERIFY_WITH_TIMEOUT(indexOf(session.midiService().outputs(), "QLindorn") >= 0
                                     && indexOf(session.midiService().inputs(), "QLindorn") >= 0,
                                 10000);

        // The window finds the emulator by name and opens both ports itself.
        w = std::make_unique<MainWindow>(session, options);
        QVERIFY(!w->midiOpenFailed());
        QVERIFY(session.isInputOpen());
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    }

    void cleanup()
    {
        session.waitIdle(10s);
        w.reset();
        testing::closeClientsThenQuit(session, emulator);
    }

    void bankReadStoresAllHundredSounds()
    {
        const SoundStore before = w->store();
        StallMeter stall;
        QElapsedTimer clock;
        const bool endedByItself = runReception(action("A1"), [&] {
            stall.start();
            clock.start();
            emulator.write("dump-bank 1\n"); // the user presses Dump Bank 1
        }, 120s);
        const double worstStallMs = stall.stop();
        QVERIFY(endedByItself);

        for (int p = 0; p < 100; ++p) {
            const SoundDump expected = EmulatorCore::asSent(EmulatorCore::generatedSound(p), 0, p);
            QVERIFY2(w->store().slot(p) == expected, qPrintable(QString("program %1").arg(p)));
            QCOMPARE(w->soundList()->model()->index(p, SoundListView::kNameColumn).data().toString(),
                     QString::fromStdString(w->store().getSoundName(p)));
        }
        for (int s = 100; s < 200; ++s)
            QVERIFY(w->store().slot(s) == before.slot(s));

        const QStringList lines = memoLines();
        // The hundredth stored sound still sends a request (one per stored
        // sound while pairs remain); whatever answers it before the dialog
        // closes is stored by its own location as well.
        const int zr = lines.filter(QRegularExpression("^ZR Bank: ")).size();
        QVERIFY2(zr == 100 || zr == 101, qPrintable(QString::number(zr)));
        QVERIFY(lines.contains("ZR Bank: 0 Sound:0"));
        QVERIFY(lines.contains("ZR Bank: 0 Sound:99"));
        QCOMPARE(lines.filter("Refused").size(), 0);
        QCOMPARE(w->receiver()->labelText(), QString("Received %1 sound.").arg(zr));
        QTRY_COMPARE_WITH_TIMEOUT(requestsSeen, 100, 10000);
        QCOMPARE(w->transfer().stack().count(), 0);
        QVERIFY(!w->receptionFields().receiving);
        qInfo("bank read of 100 sounds: %lld ms until the dialog closed, worst GUI stall %.2f ms", clock.elapsed(),
              worstStallMs);
    }

    void sendingThreeSelectedSoundsStoresThemOnTheSynthesizer()
    {
        const int rows[] = {3, 77, 150};
        for (int i = 0; i < 3; ++i) {
            SoundDump d = EmulatorCore::generatedSound(190 - i);
            writeName(d, "Sent " + std::to_string(rows[i]));
            d[40] = std::uint8_t(0x11 * (i + 1));
            w->store().slot(rows[i]) = d;
        }
        clickRow(rows[0]);
        clickRow(rows[1], Qt::ControlModifier);
        clickRow(rows[2], Qt::ControlModifier);
        QCOMPARE(w->selectedRows(), std::vector<int>(std::begin(rows), std::end(rows)));

        StallMeter stall;
        stall.start();
        action("SendSysExforselectedsounds1")->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(!w->receiver()->isVisible(), 5000);
        const double worstStallMs = stall.stop();
        QCOMPARE(w->receiver()->labelText(), QString("Sending 150"));
        QVERIFY(session.waitIdle(10s));

        // Read each one back from the synthesizer: select its program there
        // and ask for the current sound.
        SoundStore sent = w->store();
        for (int row : rows) {
            w->store().slot(row).fill(0);
            clickRow(row); // selects the program on the synthesizer
            // "dump" reaches the emulator through its standard input, which
            // may overtake the program change still queued for MIDI.
            QTRY_COMPARE_WITH_TIMEOUT(lastProgramSeen, row % 100, 10000);
            QVERIFY(runReception(action("ReadCurrentSound1"), [&] { emulator.write("dump\n"); }, 10s));
            SoundDump expected = sent.slot(row);
            expected[kLocationBankByte] = std::uint8_t(row / 100 + 1); // as the synthesizer names it
            expected[kLocationProgramByte] = std::uint8_t(row % 100);
            QVERIFY2(w->store().slot(row) == expected, qPrintable(QString("row %1").arg(row)));
        }
        qInfo("sending 3 sounds: worst GUI stall %.2f ms", worstStallMs);
    }

    void midiSettingsOkReopensThePortsAndReadingStillWorks()
    {
        const int before = emulatorLines;
        onNextModal([&](QWidget* modal) {
            auto* ids = modal->findChild<QComboBox*>("cmbDeviceID");
            QVERIFY(ids);
            ids->setCurrentIndex(ids->findText("Broadcast"));
            auto* ins = modal->findChild<QComboBox*>("cmbMidiIns");
            QVERIFY(ins && ins->currentText().contains("QLindorn"));
            QTest::mouseClick(modal->findChild<QPushButton*>("btnOk"), Qt::LeftButton);
        });
        action("Midi1")->trigger();
        QCOMPARE(int(session.deviceId()), 127);
        QVERIFY(session.isInputOpen());

        // both directions work through the reopened ports
        clickRow(42);
        QTRY_VERIFY_WITH_TIMEOUT(emulatorLines >= before + 2, 5000); // bank select and program change
        // "dump" reaches the emulator through its standard input, which may
        // overtake the program change still on its way over MIDI.
        QTRY_COMPARE_WITH_TIMEOUT(lastProgramSeen, 42, 10000);
        QVERIFY(runReception(action("ReadCurrentSound1"), [&] { emulator.write("dump\n"); }, 10s));
        QVERIFY(w->store().slot(42) == EmulatorCore::asSent(EmulatorCore::generatedSound(42), 0, 42));
        session.choice().deviceId = 0;
    }

    void synthesizerVanishingMidReadLeavesCloseWorking()
    {
        int stored = 0;
        onNextModal([&](QWidget*) {
            emulator.write("dump-bank 2\n");
            // a few sounds in, the synthesizer goes away
            QTRY_VERIFY_WITH_TIMEOUT(memoLines().filter(QRegularExpression("^ZR Bank: 1 ")).size() >= 5, 20000);
            emulator.terminate();
            QVERIFY(emulator.waitForFinished(10000));
            // the wait goes on past the dialog's next tick: pairs remain
            QSignalSpy ticks(w->transfer().tickTimer(), &QTimer::timeout);
            QTRY_VERIFY_WITH_TIMEOUT(ticks.count() >= 1, 5000);
            QVERIFY(w->receiver()->isVisible());
            stored = memoLines().filter(QRegularExpression("^ZR Bank: 1 ")).size();
            QTest::mouseClick(namedChild<QPushButton>(w->receiver(), "Button1"), Qt::LeftButton);
        });
        action("A1")->trigger();
        QVERIFY(stored >= 5 && stored < 100);
        for (int p = 0; p < stored; ++p)
            QVERIFY(w->store().slot(100 + p) == EmulatorCore::asSent(EmulatorCore::generatedSound(100 + p), 1, p));
        for (int s = 0; s < 100; ++s)
            QVERIFY(w->store().slot(s)[0] == 0);
        QCOMPARE(w->transfer().stack().count(), 0);
        QVERIFY(!w->receptionFields().receiving);
    }
};

QTEST_MAIN(ITestTransfer)
#include "itest_transfer.moc"
