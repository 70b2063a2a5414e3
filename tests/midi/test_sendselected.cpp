// Sending the selected sounds: bytes 11/12 in the store and nothing else,
// labels, the 155 ms spacing on the event loop, and the token.
#include "midi/MidiSession.h"
#include "midi/RecordingBackend.h"
#include "midi/SendSelected.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QtTest>

using namespace sondrake;
using namespace sondrake::midi;

namespace {

struct Harness {
    MidiSession session;
    SoundStore store;
    ByteStack stack;
    bool receiving = false;
    std::vector<int> rows;
    bool keyboard = false;
    int keyboardOff = 0;
    QStringList events; // dialog shows/hides and labels, in order
    QStringList messages;
    std::vector<std::chrono::steady_clock::time_point> sentAt;
    std::function<void(int)> sendSlot = [this](int s) {
        sentAt.push_back(std::chrono::steady_clock::now());
        session.sendStoreSlot(store, s);
    };

    SendSelectedHooks hooks()
    {
        SendSelectedHooks h;
        h.keyboardRunning = [this] { return keyboard; };
        h.switchKeyboardOff = [this] {
            ++keyboardOff;
            keyboard = false;
        };
        h.selectedRows = [this] { return rows; };
        h.showDialog = [this] { events << "show"; };
        h.hideDialog = [this] { events << "hide"; };
        h.setLabel = [this](const QString& t) { events << t; };
        h.sendSlot = [this](int s) { sendSlot(s); };
        h.addMessage = [this](const QString& t) { messages << t; };
        return h;
    }
};

} // namespace

class TestSendSelected : public QObject {
    Q_OBJECT
private slots:
    void sendsRowsInOrderWithTheirLocations()
    {
        Harness h;
        auto wire = installRecordingBackend(h.session);
        for (int s : {5, 120}) {
            SoundDump& d = h.store.slot(s);
            d.fill(std::uint8_t(s & 0x7F));
            d[0] = 0xF0;
            d[kLocationBankByte] = 0x55; // whatever was there is replaced
            d[kLocationProgramByte] = 0x66;
            d[269] = 0xF7;
        }
        const SoundStore before = h.store;
        h.rows = {5, 120};
        h.keyboard = true;
        SendSelected sender(h.store, h.stack, h.receiving, h.hooks());
        QSignalSpy done(&sender, &SendSelected::finished);

        // the event loop keeps running between sounds
        int ticks = 0;
        QTimer ticker;
        connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
        ticker.start(10);

        QElapsedTimer clock;
        clock.start();
        QVERIFY(sender.start());
        QCOMPARE(h.keyboardOff, 1);
        QVERIFY(h.receiving);
        QCOMPARE(h.stack.count(), 1); // the token
        QVERIFY(!sender.start());     // a second request while sending is ignored
        QVERIFY(!sender.start());
        QCOMPARE(sender.refusedStarts(), 2);
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

        // The pause is kept where the sounds are queued (the wire bytes are
        // checked through the main window's command).
        QCOMPARE(h.sentAt.size(), std::size_t(2));
        const auto queuedGap = std::chrono::duration_cast<std::chrono::microseconds>(h.sentAt[1] - h.sentAt[0]);
        QVERIFY2(queuedGap.count() >= 154000, qPrintable(QString::number(queuedGap.count())));

        QCOMPARE(h.events, (QStringList{"show", "show", "Sending 5", "show", "Sending 120", "hide"}));
        QCOMPARE(h.stack.count(), 0);
        QVERIFY(!h.receiving);
        QVERIFY(h.messages.isEmpty());
    }

    void nothingSelectedShowsAndHidesAndSendsNothing()
    {
        Harness h;
        auto wire = installRecordingBackend(h.session);
        h.stack.push(9); // whatever was there stays below the token
        SendSelected sender(h.store, h.stack, h.receiving, h.hooks());
        QSignalSpy done(&sender, &SendSelected::finished);
        QVERIFY(sender.start());
        QCOMPARE(done.count(), 1);
        QCOMPARE(h.events, (QStringList{"show", "hide"}));
        QCOMPARE(h.stack.count(), 1);
        QCOMPARE(int(h.stack.pop()), 9);
        QVERIFY(!h.receiving);
        QCOMPARE(h.keyboardOff, 0);
        QVERIFY(h.session.waitIdle(std::chrono::milliseconds(1000)));
        QCOMPARE(wire->count(), std::size_t(0));
    }

    void aFailureEndsTheSendAndLeavesTheTokenForClose()
    {
        Harness h;
        h.rows = {1, 2, 3};
        int sent = 0;
        h.sendSlot = [&](int s) {
            if (s == 2)
                throw std::runtime_error("port gone");
            ++sent;
        };
        SendSelected sender(h.store, h.stack, h.receiving, h.hooks());
        QSignalSpy done(&sender, &SendSelected::finished);
        QVERIFY(sender.start(5));
        QVERIFY(done.wait(1000));
        QCOMPARE(done.first().first().toBool(), false);
        QCOMPARE(sent, 1);
        QCOMPARE(h.messages, QStringList{"port gone"});
        QCOMPARE(h.stack.count(), 1);
        QVERIFY(h.receiving);
        QVERIFY(!h.events.contains("hide"));
        QVERIFY(!sender.isRunning());
        // a new command can run afterwards
        h.sendSlot = [&](int) { ++sent; };
        QVERIFY(sender.start(1));
        QVERIFY(done.wait(1000));
        QCOMPARE(sent, 4);
    }
};

QTEST_MAIN(TestSendSelected)
#include "test_sendselected.moc"
