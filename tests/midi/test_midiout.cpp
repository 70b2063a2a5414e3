// Wire bytes of every builder, and the queue's order, pacing, grouping,
// priority, coalescing, SysEx cutting and refusals, checked at the hand-off
// to the back end.

#include "midi/MidiSession.h"
#include "support/GateBackend.h"
#include "support/RecordingBackend.h"

#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QtTest>

#include <algorithm>
#include <atomic>
#include <thread>

#include <sys/stat.h>

using namespace sondrake;
using namespace sondrake::midi;
using namespace std::chrono_literals;

namespace {
Bytes hex(std::initializer_list<int> v)
{
    Bytes b;
    for (int x : v)
        b.push_back(static_cast<std::uint8_t>(x));
    return b;
}

SoundDump makeDump(std::uint8_t seed)
{
    SoundDump d{};
    d[0] = 0xF0;
    for (std::size_t i = 1; i < kDumpSize - 1; ++i)
        d[i] = static_cast<std::uint8_t>((i * 7 + seed) & 0x7F);
    d[kDumpSize - 1] = 0xF7;
    return d;
}
} // namespace

using sondrake::testing::GateBackend;

class TestMidiOut : public QObject {
    Q_OBJECT
    std::unique_ptr<MidiSession> session;
    std::shared_ptr<RecordingBackend> rec;
    QStringList messages;

    std::vector<Bytes> drained()
    {
        session->waitIdle(10s);
        return rec->messages();
    }

private slots:
    void init()
    {
        messages.clear();
        session = std::make_unique<MidiSession>();
        connect(session.get(), &MidiSession::messageAdded, this, [this](const QString& m) { messages << m; });
        rec = installRecordingBackend(*session);
    }
    void cleanup()
    {
        session->waitIdle(10s);
        session.reset();
    }

    void shortBuildersAndClamping()
    {
        session->sendNoteOn(0, 60);
        session->sendNoteOff(3, 61);
        session->sendControl(7, 100);
        session->sendChannelControl(15, 10, 1);
        session->sendProgramChange(0, 50);
        // Arguments above 127 never reach the wire as data bytes.
        session->sendControl(200, 255);
        session->sendNoteOn(0, 128);
        session->sendProgramChange(0, 200);
        session->sendPacedMessage(0xB0, 0x90, 0xFF);
        const auto m = drained();
        const std::vector<Bytes> expected{hex({0x90, 60, 0x7F}), hex({0x83, 61, 0x00}), hex({0xB0, 7, 100}),
                                          hex({0xBF, 10, 1}),    hex({0xC0, 50}),        hex({0xB0, 127, 127}),
                                          hex({0x90, 127, 0x7F}), hex({0xC0, 127}),      hex({0xB0, 127, 127})};
        QCOMPARE(m, expected);
        for (const auto& msg : m)
            for (std::size_t i = 1; i < msg.size(); ++i)
                QVERIFY(msg[i] < 0x80);
    }

    void nrpnBytes()
    {
        session->sendNrpn(300, 5);
        session->sendNrpn(300, 130);   // value masked to 7 bits: 02
        session->sendNrpn(0xFFFF, 0);  // MSB would be 511: clamped
        const auto m = drained();
        const std::vector<Bytes> expected{hex({0xB0, 0x63, 0x02}), hex({0xB0, 0x62, 0x2C}), hex({0xB0, 0x06, 0x05}),
                                          hex({0xB0, 0x63, 0x02}), hex({0xB0, 0x62, 0x2C}), hex({0xB0, 0x06, 0x02}),
                                          hex({0xB0, 0x63, 0x7F}), hex({0xB0, 0x62, 0x7F}), hex({0xB0, 0x06, 0x00})};
        QCOMPARE(m, expected);
    }

    void storeSlotAndDumps()
    {
        SoundStore store;
        store.slot(150) = makeDump(3);
        store.slot(0) = makeDump(9);
        session->sendStoreSlot(store, 150);
        session->sendStoreSlot(store, 0);
        session->sendStoreSlot(store, 200); // refused
        session->sendStoreSlot(store, -1);  // refused
        session->sendSoundDump(makeDump(1));
        const auto m = drained();
        QCOMPARE(m.size(), std::size_t(9));
        QCOMPARE(m[0], hex({0xB0, 0x00, 0x00}));
        QCOMPARE(m[1], hex({0xB0, 0x20, 0x02}));
        QCOMPARE(m[2], hex({0xC0, 0x32}));
        QCOMPARE(m[3], Bytes(store.slot(150).begin(), store.slot(150).end()));
        QCOMPARE(m[4], hex({0xB0, 0x00, 0x00}));
        QCOMPARE(m[5], hex({0xB0, 0x20, 0x01}));
        QCOMPARE(m[6], hex({0xC0, 0x00}));
        QCOMPARE(m[7], Bytes(store.slot(0).begin(), store.slot(0).end()));
        const auto d = makeDump(1);
        QCOMPARE(m[8], Bytes(d.begin(), d.end()));
        QCOMPARE(messages.size(), 2);
    }

    void fixedMessages()
    {
        session->sendDumpRequest();
        session->sendDumpRequest();
        session->waitIdle(10s); // a Panic would overtake them
        session->panic();
        session->sendReset();
        const auto m = drained();
        const Bytes request = hex({0xF0, 0x00, 0x20, 0x29, 0x01, 0x42, 0x7F, 0x41, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF7});
        QCOMPARE(m.size(), std::size_t(2 + 48 + 32));
        QCOMPARE(m[0], request);
        QCOMPARE(m[1], request);
        for (int c = 0; c < 16; ++c) {
            const auto s = static_cast<std::uint8_t>(0xB0 + c);
            QCOMPARE(m[2 + c * 3 + 0], (Bytes{s, 123, 0}));
            QCOMPARE(m[2 + c * 3 + 1], (Bytes{s, 120, 0}));
            QCOMPARE(m[2 + c * 3 + 2], (Bytes{s, 64, 0}));
            QCOMPARE(m[50 + c * 2 + 0], (Bytes{s, 123, 0}));
            QCOMPARE(m[50 + c * 2 + 1], (Bytes{s, 64, 0}));
        }
    }

    void pacingAndOrder()
    {
        for (int i = 0; i < 20; ++i)
            session->sendPacedMessage(0xB0, static_cast<std::uint8_t>(20 + i), static_cast<std::uint8_t>(i));
        // each of the three messages of an NRPN is paced
        session->sendNrpn(5, 1);
        session->sendNrpn(6, 2);
        session->sendControl(2, 0); // an unpaced message after them still waits its turn
        const auto r = (session->waitIdle(10s), rec->records());
        QCOMPARE(r.size(), std::size_t(20 + 6 + 1));
        for (std::size_t i = 1; i < r.size(); ++i) {
            QVERIFY2(r[i].at - r[i - 1].at >= 2ms, qPrintable(QString::number(i)));
            if (i < 20)
                QCOMPARE(int(r[i].bytes[2]), int(i));
        }
        QCOMPARE(r[20].bytes, hex({0xB0, 0x63, 0}));
        QCOMPARE(r[25].bytes, hex({0xB0, 0x06, 2}));
        QCOMPARE(r.back().bytes, hex({0xB0, 2, 0}));
    }

    void nrpnGroupsNeverInterleave()
    {
        // Two threads of changes race; every group of three must stay whole.
        auto worker = [this](std::uint16_t base) {
            for (std::uint16_t i = 0; i < 30; ++i) {
                session->sendNrpn(static_cast<std::uint16_t>(base + i), i);
                if (i % 3 == 0)
                    session->sendControl(1, static_cast<std::uint8_t>(i));
            }
        };
        std::thread a(worker, 1000), b(worker, 2000);
        a.join();
        b.join();
        const auto m = drained();
        QCOMPARE(m.size(), std::size_t(2 * (90 + 10)));
        for (std::size_t i = 0; i < m.size();) {
            if (m[i][1] == 0x63) {
                QVERIFY(i + 2 < m.size());
                QCOMPARE(int(m[i + 1][1]), 0x62);
                QCOMPARE(int(m[i + 2][1]), 0x06);
                const int param = (m[i][2] << 7) | m[i + 1][2];
                QCOMPARE(int(m[i + 2][2]), (param % 1000) & 0x7F);
                i += 3;
            } else {
                QCOMPARE(int(m[i][1]), 1);
                ++i;
            }
        }
    }

    void sysexCuttingAndRawRecords()
    {
        // A bank file: framed records, a never-filled slot (zeros and a name)
        // between them, and stray bytes at the end.
        Bytes file;
        std::vector<Bytes> expected;
        for (int i = 0; i < 200; ++i) {
            Bytes rec;
            if (i == 7) {
                rec.assign(kDumpSize, 0);
                std::copy_n("empty           ", 16, rec.begin() + kNameOffset);
            } else {
                const auto d = makeDump(static_cast<std::uint8_t>(i));
                rec.assign(d.begin(), d.end());
            }
            expected.push_back(rec);
            file.insert(file.end(), rec.begin(), rec.end());
        }
        file.push_back(0x01);
        file.push_back(0x02);
        expected.push_back(hex({0x01, 0x02}));
        QueueEntry e;
        e.messages.push_back(file);
        session->enqueue(e);
        const auto m = drained();
        QCOMPARE(m.size(), expected.size());
        QCOMPARE(m, expected);
        QCOMPARE(rec->allBytes(), file);
    }

    void longPiecesSplitOrRefused()
    {
        Bytes big(40000, 0x11);
        big.front() = 0xF0;
        big.back() = 0xF7;
        rec->setMaxMessageSize(16379);
        rec->setAcceptsFragments(true);
        QueueEntry e;
        e.messages.push_back(big);
        session->enqueue(e);
        auto m = drained();
        QCOMPARE(m.size(), std::size_t(3));
        QCOMPARE(m[0].size(), std::size_t(16379));
        QCOMPARE(rec->allBytes(), big);
        QVERIFY(messages.isEmpty());

        rec->clear();
        rec->setAcceptsFragments(false);
        session->sendSoundDump(makeDump(4)); // short pieces around it still leave
        session->enqueue(e);
        session->sendControl(1, 1);
        m = drained();
        QCOMPARE(m.size(), std::size_t(2));
        QCOMPARE(m[1], hex({0xB0, 1, 1}));
        QTRY_COMPARE(messages.size(), 1); // posted from the sender thread
        QVERIFY(messages[0].contains("40000"));
    }

    void hardwarePortWireRate()
    {
        rec->setHardware(true);
        session->sendSoundDump(makeDump(1));
        session->sendSoundDump(makeDump(2));
        const auto r = (session->waitIdle(10s), rec->records());
        QCOMPARE(r.size(), std::size_t(2));
        // 270 bytes at 3,125 bytes a second take 86.4 ms on the wire.
        QVERIFY(r[1].at - r[0].at >= 86ms);
    }

    void closedPortAndFailures()
    {
        session->setOutputBackend(nullptr);
        QVERIFY(!session->isOutputOpen());
        session->sendNrpn(1, 1);
        session->panic();
        QCOMPARE(messages.size(), 2); // one line per entry, nothing sent
        QCOMPARE(rec->count(), std::size_t(0));

        messages.clear();
        session->setOutputBackend(rec);
        rec->setFailing(true);
        session->panic();
        drained();
        QTRY_COMPARE(messages.size(), 1); // one line for the entry, not 48
        rec->setFailing(false);

        // A port that is gone takes one failure; what waits behind it stays
        // to be counted and dropped, instead of failing entry by entry.
        struct Gone : OutputBackend {
            std::atomic<int> attempts{0};
            bool send(const std::uint8_t*, std::size_t, QString*) override
            {
                ++attempts;
                return false;
            }
            bool isLost() const override { return true; }
        };
        auto gone = std::make_shared<Gone>();
        OutputQueue queue;
        queue.setBackend(gone);
        for (std::uint8_t i = 0; i < 5; ++i)
            queue.enqueue(QueueEntry{{controlMessage(1, i)}});
        QTRY_COMPARE(gone->attempts.load(), 1);
        QCOMPARE(queue.discardWaiting(), std::size_t(4));
        QCOMPARE(gone->attempts.load(), 1);
    }

    void shutdownNeverWaitsOutPacing()
    {
        OutputQueue queue;
        queue.setBackend(rec);
        rec->setHardware(true);
        QueueEntry e;
        Bytes big(10000, 0x01);
        big.front() = 0xF0;
        big.back() = 0xF7;
        e.messages.push_back(big); // 3.2 s of wire time after it
        e.messages.push_back(big);
        queue.enqueue(e);
        QVERIFY(rec->waitForCount(1, 5s));
        const auto t0 = std::chrono::steady_clock::now();
        QVERIFY(queue.shutdown(2s));
        QVERIFY(std::chrono::steady_clock::now() - t0 < 1s);
        QCOMPARE(rec->count(), std::size_t(1));
        // The queue works again afterwards.
        rec->setHardware(false);
        QVERIFY(queue.enqueue(QueueEntry{{controlMessage(1, 2)}}));
        QVERIFY(rec->waitForCount(2, 5s));
    }

    void stuckBackendNeverHangsShutdown()
    {
        // A back end that does not return and cannot be interrupted.
        struct Stuck : OutputBackend {
            std::atomic<bool> release{false};
            bool send(const std::uint8_t*, std::size_t, QString*) override
            {
                while (!release)
                    std::this_thread::sleep_for(1ms);
                return true;
            }
        };
        auto stuck = std::make_shared<Stuck>();
        OutputQueue queue;
        queue.setBackend(stuck);
        queue.enqueue(QueueEntry{{controlMessage(1, 1)}});
        std::this_thread::sleep_for(20ms);
        const auto t0 = std::chrono::steady_clock::now();
        QVERIFY(!queue.shutdown(200ms));
        QVERIFY(std::chrono::steady_clock::now() - t0 < 1s);
        // Closed afterwards, and still usable.
        QVERIFY(!queue.backend());
        QVERIFY(!queue.enqueue(QueueEntry{{controlMessage(1, 2)}}));
        stuck->release = true;
        queue.setBackend(rec);
        queue.enqueue(QueueEntry{{controlMessage(1, 3)}});
        QVERIFY(rec->waitForCount(1, 5s));
    }

    void panicLeavesRightAfterTheEntryOnTheWire()
    {
        auto gate = std::make_shared<GateBackend>();
        rec = gate;
        session->setOutputBackend(gate);
        SoundStore store;
        for (int s : {0, 1, 2})
            store.slot(s) = makeDump(std::uint8_t(s));
        session->sendStoreSlot(store, 0);
        QVERIFY(gate->waitOnWire()); // slot 0's record is being handed over
        session->sendStoreSlot(store, 1);
        session->sendNoteOn(0, 60); // would sound after the Panic: dropped
        session->sendNrpn(300, 5);
        QTemporaryFile file;
        QVERIFY(file.open());
        const auto r1 = makeDump(11), r2 = makeDump(12);
        file.write(reinterpret_cast<const char*>(r1.data()), r1.size());
        file.write(reinterpret_cast<const char*>(r2.data()), r2.size());
        file.flush();
        QString error;
        QVERIFY(session->sendSysExFile(file.fileName(), &error));
        session->panic();
        session->panic(); // a second one while the first waits changes nothing
        session->sendControl(7, 1);
        gate->release();
        const auto m = drained();

        QCOMPARE(m.size(), std::size_t(4 + 48 + 4 + 3 + 2 + 1));
        QCOMPARE(m[3], Bytes(store.slot(0).begin(), store.slot(0).end())); // the entry on the wire ends whole
        for (int c = 0; c < 16; ++c)
            QCOMPARE(m[4 + c * 3], (Bytes{std::uint8_t(0xB0 + c), 123, 0}));
        QCOMPARE(m[52], hex({0xB0, 0x00, 0x00})); // the sounds continue in their order
        QCOMPARE(m[55], Bytes(store.slot(1).begin(), store.slot(1).end()));
        QCOMPARE(m[56], hex({0xB0, 0x63, 0x02}));
        QCOMPARE(m[58], hex({0xB0, 0x06, 0x05}));
        QCOMPARE(m[59], Bytes(r1.begin(), r1.end()));
        QCOMPARE(m[60], Bytes(r2.begin(), r2.end()));
        QCOMPARE(m[61], hex({0xB0, 7, 1}));
        for (const Bytes& b : m)
            QVERIFY(b[0] != 0x90);

        // While a file's records leave, a Panic goes between two records.
        gate = std::make_shared<GateBackend>();
        rec = gate;
        session->setOutputBackend(gate);
        QVERIFY(session->sendSysExFile(file.fileName(), &error));
        QVERIFY(gate->waitOnWire());
        session->panic();
        gate->release();
        const auto n = drained();
        QCOMPARE(n.size(), std::size_t(2 + 48));
        QCOMPARE(n[0], Bytes(r1.begin(), r1.end()));
        QCOMPARE(n[1], (Bytes{0xB0, 123, 0}));
        QCOMPARE(n.back(), Bytes(r2.begin(), r2.end()));
    }

    void aNewerValueReplacesTheWaitingOneOfItsParameter()
    {
        auto gate = std::make_shared<GateBackend>();
        rec = gate;
        session->setOutputBackend(gate);
        const SoundDump first = makeDump(1), second = makeDump(2);
        session->sendSoundDump(first);
        QVERIFY(gate->waitOnWire());
        session->sendPacedMessage(0xB0, 7, 1);
        session->sendPacedMessage(0xB0, 8, 5);
        session->sendNrpn(104, 1, 10); // one selector register, two settings
        session->sendNrpn(104, 3, 11);
        session->sendNrpn(300, 9);     // no selector: never replaced
        session->sendPacedMessage(0xB0, 7, 2);
        session->sendNrpn(104, 0, 10);
        session->sendNrpn(300, 8);
        session->sendControl(7, 50); // not a paced value: stays
        session->sendPacedMessage(0xB0, 7, 3);
        session->sendPacedMessage(0xB1, 7, 4); // another channel, another controller
        gate->release();
        const auto m = drained();
        const std::vector<Bytes> expected{
            Bytes(first.begin(), first.end()),
            hex({0xB0, 8, 5}),
            hex({0xB0, 0x63, 0x00}), hex({0xB0, 0x62, 104}), hex({0xB0, 0x06, 3}),
            hex({0xB0, 0x63, 0x02}), hex({0xB0, 0x62, 0x2C}), hex({0xB0, 0x06, 9}),
            hex({0xB0, 0x63, 0x00}), hex({0xB0, 0x62, 104}), hex({0xB0, 0x06, 0}),
            hex({0xB0, 0x63, 0x02}), hex({0xB0, 0x62, 0x2C}), hex({0xB0, 0x06, 8}),
            hex({0xB0, 7, 50}),
            hex({0xB0, 7, 3}),
            hex({0xB1, 7, 4}),
        };
        QCOMPARE(m, expected);

        // A value already on the wire is not taken back: the next one follows it.
        gate = std::make_shared<GateBackend>();
        rec = gate;
        session->setOutputBackend(gate);
        QueueEntry longValue = pacedEntry(0xB0, 9, 1);
        longValue.messages.insert(longValue.messages.begin(), Bytes(second.begin(), second.end()));
        session->enqueue(longValue);
        QVERIFY(gate->waitOnWire());
        session->sendPacedMessage(0xB0, 9, 2);
        gate->release();
        const auto n = drained();
        QCOMPARE(n.size(), std::size_t(3));
        QCOMPARE(n[1], hex({0xB0, 9, 1}));
        QCOMPARE(n[2], hex({0xB0, 9, 2}));
    }

    void sysexFiles()
    {
        QString error;
        QVERIFY(!session->sendSysExFile("/nonexistent/x.syx", &error));
        QVERIFY(!error.isEmpty());

        // A named pipe, a folder or a device is refused without waiting on it.
        QTemporaryDir dir;
        const QString fifo = dir.filePath("pipe.syx");
        QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        for (const QString& path : {fifo, dir.path(), QStringLiteral("/dev/zero")}) {
            error.clear();
            QVERIFY2(!session->sendSysExFile(path, &error), qPrintable(path));
            QVERIFY(error.contains("not a plain file"));
        }
        QCOMPARE(drained().size(), std::size_t(0));

        QTemporaryFile big;
        QVERIFY(big.open());
        big.write(QByteArray(int(kMaxSysExFileSize) + 1, '\0'));
        big.flush();
        error.clear();
        QVERIFY(!session->sendSysExFile(big.fileName(), &error));
        QVERIFY(error.contains("1 MiB"));

        QTemporaryFile ok;
        QVERIFY(ok.open());
        QByteArray data(54000, '\0');
        for (int i = 0; i < 200; ++i) {
            const auto d = makeDump(static_cast<std::uint8_t>(i));
            std::copy(d.begin(), d.end(), data.begin() + i * 270);
        }
        ok.write(data);
        ok.flush();
        QVERIFY(session->sendSysExFile(ok.fileName(), &error));
        const auto m = drained();
        QCOMPARE(m.size(), std::size_t(200));
        const Bytes all = rec->allBytes();
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(all.data()), int(all.size())), data);
    }
};

QTEST_GUILESS_MAIN(TestMidiOut)
#include "test_midiout.moc"
