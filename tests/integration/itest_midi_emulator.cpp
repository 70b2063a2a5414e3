// The program's MIDI layer against the emulator over a real MIDI server (the
// private JACK server test.sh starts): wire bytes arrive unchanged, and a bank
// read is answered one SoundDump per request.

#include "JackTestSupport.h"
#include "emulator/EmulatorCore.h"
#include "midi/MidiSession.h"
#include "platform/MidiService.h"
#include "store/ByteStack.h"
#include "store/SoundStore.h"

#include <QProcess>
#include <QTemporaryFile>
#include <QtTest>

using namespace sondrake;
using namespace sondrake::midi;
using namespace std::chrono_literals;

using testing::fromHexLine;
using testing::indexOf;

namespace {
} // namespace

class ITestMidiEmulator : public QObject {
    Q_OBJECT
    QProcess emulator;
    MidiSession session;
    QByteArray pendingOut;
    std::vector<Bytes> received; // what the emulator printed
    QStringList messages;
    bool ready = false;

    void readEmulator()
    {
        pendingOut += emulator.readAllStandardOutput();
        int nl;
        while ((nl = pendingOut.indexOf('\n')) >= 0) {
            const QByteArray line = pendingOut.left(nl);
            pendingOut.remove(0, nl + 1);
            if (line.trimmed() == "ready")
                ready = true;
            else if (!line.trimmed().isEmpty())
                received.push_back(fromHexLine(line));
        }
    }

    std::size_t receivedBytes() const
    {
        std::size_t n = 0;
        for (const auto& m : received)
            n += m.size();
        return n;
    }

private slots:
    void initTestCase()
    {
        SONDRAKE_REQUIRE_MIDI_SERVER();
        connect(&session, &MidiSession::messageAdded, this, [this](const QString& m) { messages << m; });
        // One emulator and one pair of our ports for the whole run: every
        // JACK client that comes and goes costs a sync server a graph change.
        ready = false;
        const QString bin = qEnvironmentVariable("SONDRAKE_BIN_DIR", QCoreApplication::applicationDirPath());
        connect(&emulator, &QProcess::readyReadStandardOutput, this, &ITestMidiEmulator::readEmulator,
                Qt::UniqueConnection);
        emulator.setProcessChannelMode(QProcess::SeparateChannels);
        emulator.start(bin + "/qlindorn-emulator", {"--headless"});
        QVERIFY2(emulator.waitForStarted(10000), qPrintable(emulator.errorString()));
        QTRY_VERIFY_WITH_TIMEOUT(ready || emulator.state() != QProcess::Running, 20000);
        QVERIFY2(emulator.state() == QProcess::Running, emulator.readAllStandardError().constData());

        // The emulator's ports exist before it says "ready".
        const int out = indexOf(session.midiService().outputs(), "QLindorn");
        const int in = indexOf(session.midiService().inputs(), "QLindorn");
        QVERIFY(out >= 0 && in >= 0);
        session.choice().outputIndex = static_cast<std::uint16_t>(out);
        session.choice().inputIndex = static_cast<std::uint16_t>(in);
        QString error;
        QVERIFY2(session.openOutput(&error), qPrintable(error));
        QVERIFY2(session.openInput(&error), qPrintable(error));
        QVERIFY(session.startInput());
    }

    void init()
    {
        session.waitIdle(10s);
        QTest::qWait(100);
        received.clear();
        messages.clear();
    }

    void cleanupTestCase()
    {
        testing::closeClientsThenQuit(session, emulator);
    }

    void ownPortsNeverListed()
    {
        // Our output and input are open now; the lists show only the others.
        for (const auto& p : session.midiService().outputs())
            QVERIFY2(!p.name.contains("Sondrake"), qPrintable(p.name));
        for (const auto& p : session.midiService().inputs())
            QVERIFY2(!p.name.contains("Sondrake"), qPrintable(p.name));
        QCOMPARE(
            session.midiService().outputName(session.choice().outputIndex), QString("QLindorn Emulator"));
    }

    void bankReadOneDumpPerRequest()
    {
        SoundStore store;
        ByteStack stack;
        for (int n = 99; n >= 0; --n) {
            stack.push(1);
            stack.push(static_cast<std::uint8_t>(n));
        }
        int stored = 0;
        int wrongSize = 0;
        int requests = 0;
        // The librarian's loop in small: store by location, re-arm, one
        // request per stored sound while pairs remain.
        const auto handler = connect(&session, &MidiSession::sysExReceived, this, [&](const ReceivedSysEx& r) {
            if (r.messageSize != kDumpSize) {
                ++wrongSize;
            } else {
                const int slot = (r.bytes[kLocationBankByte] - 1) * 100 + r.bytes[kLocationProgramByte];
                if (isValidSlot(slot)) {
                    std::copy(r.bytes.begin(), r.bytes.end(), store.slot(slot).begin());
                    ++stored;
                }
            }
            // Armed before the request goes out: on a busy machine the
            // answer can arrive before this thread runs again, and a dump
            // that finds no buffer is lost.
            session.armInput(270);
            if (stack.count() > 0) {
                stack.pop();
                stack.pop();
                session.sendDumpRequest();
                ++requests;
            }
        });
        QVERIFY(session.armInput(540).ok());
        emulator.write("dump-bank 1\n");
        QTRY_VERIFY_WITH_TIMEOUT(stored >= 100, 60000);
        QCOMPARE(wrongSize, 0);
        for (int p = 0; p < 100; ++p) {
            const SoundDump expected =
                emulator::EmulatorCore::asSent(emulator::EmulatorCore::generatedSound(p), 0, p);
            QVERIFY2(store.slot(p) == expected, qPrintable(QString("program %1").arg(p)));
        }
        // Each stored sound took one pair; the emulator saw every request.
        QCOMPARE(requests, 100);
        QCOMPARE(stack.count(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(received.size() >= std::size_t(requests), 10000);
        for (const auto& m : received)
            QCOMPARE(m, emulator::EmulatorCore::dumpRequest());
        disconnect(handler);
    }

    void programSelectionAndFileArriveWhole()
    {
        session.sendControl(32, 2);
        session.sendProgramChange(0, 50);

        // A bank file as saved: 200 records, one never filled (zeros and a name).
        QByteArray file;
        for (int s = 0; s < kSlotCount; ++s) {
            SoundDump d = emulator::EmulatorCore::generatedSound((s * 37) % 200);
            if (s == 123) {
                d.fill(0);
                writeName(d, "empty");
            }
            file.append(reinterpret_cast<const char*>(d.data()), int(d.size()));
        }
        QCOMPARE(file.size(), 54000);
        QTemporaryFile tmp;
        QVERIFY(tmp.open());
        tmp.write(file);
        tmp.flush();
        QString error;
        QVERIFY2(session.sendSysExFile(tmp.fileName(), &error), qPrintable(error));
        // Messages arrive in order: once this one is there, all before it are.
        const Bytes marker { 0xB0, 119, 7 };
        session.sendControl(marker[1], marker[2]);

        QTRY_VERIFY2_WITH_TIMEOUT(!received.empty() && received.back() == marker,
                                  qPrintable(QString("%1 messages, %2 bytes arrived; queue %3; %4")
                                                 .arg(received.size())
                                                 .arg(receivedBytes())
                                                 .arg(session.pending())
                                                 .arg(messages.join(" | "))),
                                  30000);
        QCOMPARE(received.size(), std::size_t(2 + 200 + 1));
        received.pop_back();
        QCOMPARE(received[0], (Bytes{0xB0, 0x20, 0x02}));
        QCOMPARE(received[1], (Bytes{0xC0, 0x32}));
        Bytes all;
        for (std::size_t i = 2; i < received.size(); ++i) {
            QCOMPARE(received[i].size(), std::size_t(270));
            all.insert(all.end(), received[i].begin(), received[i].end());
        }
        QVERIFY(all == Bytes(file.begin(), file.end()));
        QVERIFY2(messages.isEmpty(), qPrintable(messages.join('\n')));
    }
};

QTEST_GUILESS_MAIN(ITestMidiEmulator)
#include "itest_midi_emulator.moc"
