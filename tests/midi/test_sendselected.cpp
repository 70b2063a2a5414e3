// Sending the selected sounds: bytes 11/12 in the store and nothing else,
// labels, the 155 ms spacing on the event loop, and the wait it keeps open.
#include "midi/MidiSession.h"
#include "support/RecordingBackend.h"
#include "midi/SoundTransfer.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QtTest>

using namespace sondrake;
using namespace sondrake::midi;

namespace {

struct Harness {
    MidiSession session;
    std::shared_ptr<RecordingBackend> wire = installRecordingBackend(session);
    SoundStore store;
    SoundTransfer transfer{session, store};
    QStringList events; // dialog shows/hides and labels, in order
    QStringList messages;

    Harness()
    {
        QObject::connect(&transfer, &SoundTransfer::sendShowing, [this] { events << "show"; });
        QObject::connect(&transfer, &SoundTransfer::sendEnded, [this](bool done) { events << (done ? "hide" : "failed"); });
        QObject::connect(&transfer, &SoundTransfer::progressChanged, [this](const QString& t) { events << t; });
        QObject::connect(&transfer, &SoundTransfer::messageAdded, [this](const QString& t) { messages << t; });
    }
};

} // namespace

class TestSendSelected : public QObject {
    Q_OBJECT
private slots:
    void sendsRowsInOrderWithTheirLocations()
    {
        Harness h;
        for (int s : {5, 120}) {
            SoundDump& d = h.store.slot(s);
            d.fill(std::uint8_t(s & 0x7F));
            d[0] = 0xF0;
            d[kLocationBankByte] = 0x55; // whatever was there is replaced
            d[kLocationProgramByte] = 0x66;
            d[269] = 0xF7;
        }
        const SoundStore before = h.store;
        QSignalSpy done(&h.transfer, &SoundTransfer::sendEnded);

        // the event loop keeps running between sounds
        int ticks = 0;
        QTimer ticker;
        connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
        ticker.start(10);
        std::vector<std::chrono::steady_clock::time_point> queuedAt;
        connect(&h.transfer, &SoundTransfer::progressChanged, [&] { queuedAt.push_back(std::chrono::steady_clock::now()); });

        QElapsedTimer clock;
        clock.start();
        QVERIFY(h.transfer.startSend({5, 120, 200, -1}));
        QVERIFY(h.transfer.fields().receiving);
        QVERIFY(h.transfer.isSending());
        QVERIFY(!h.transfer.startSend({5})); // a second request while sending is ignored
        QVERIFY(!h.transfer.startSend({5}));
        QCOMPARE(h.transfer.refusedSends(), 2);
        QVERIFY(done.wait(5000));
        QVERIFY(clock.elapsed() >= 2 * 155);
        QVERIFY(ticks >= 1);
        QCOMPARE(done.first().first().toBool(), true);

        QCOMPARE(int(h.store.slot(5)[11]), 0);
        QCOMPARE(int(h.store.slot(5)[12]), 5);
        QCOMPARE(int(h.store.slot(120)[11]), 1);
        QCOMPARE(int(h.store.slot(120)[12]), 20);
        for (int s = 0; s < kSlotCount; ++s)
            for (std::size_t i = 0; i < kDumpSize; ++i)
                if (!((s == 5 || s == 120) && (i == 11 || i == 12)))
                    QCOMPARE(h.store.slot(s)[i], before.slot(s)[i]);

        // The pause is kept where the sounds are queued.
        QCOMPARE(queuedAt.size(), std::size_t(2));
        const auto queuedGap = std::chrono::duration_cast<std::chrono::microseconds>(queuedAt[1] - queuedAt[0]);
        QVERIFY2(queuedGap.count() >= 154000, qPrintable(QString::number(queuedGap.count())));

        // rows outside the store are never sent
        QCOMPARE(h.events, (QStringList{"show", "show", "Sending 5", "show", "Sending 120", "hide"}));
        QVERIFY(h.session.waitIdle(std::chrono::milliseconds(2000)));
        QCOMPARE(h.wire->count(), std::size_t(8));
        QVERIFY(!h.transfer.fields().receiving);
        QVERIFY(h.transfer.tickTimer()->isActive());
        QVERIFY(h.messages.isEmpty());
    }

    void nothingSelectedShowsAndHidesAndSendsNothing()
    {
        Harness h;
        QSignalSpy done(&h.transfer, &SoundTransfer::sendEnded);
        QVERIFY(h.transfer.startSend({}));
        QCOMPARE(done.count(), 1);
        QCOMPARE(h.events, (QStringList{"show", "hide"}));
        QVERIFY(!h.transfer.fields().receiving);
        QVERIFY(!h.transfer.isSending());
        QVERIFY(h.session.waitIdle(std::chrono::milliseconds(1000)));
        QCOMPARE(h.wire->count(), std::size_t(0));
    }
};

QTEST_MAIN(TestSendSelected)
#include "test_sendselected.moc"
