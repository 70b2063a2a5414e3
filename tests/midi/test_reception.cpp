// The reception of sounds without MIDI or windows: where each dump goes,
// what is refused, the request after every stored sound, and the state the
// fields hold after every step.
#include "midi/Reception.h"

#include <QtTest>

#include <utility>
#include <vector>

using namespace sondrake;
using namespace sondrake::midi;

namespace {

SoundDump makeDump(std::uint8_t bankByte, std::uint8_t programByte, std::uint8_t fill)
{
    SoundDump d;
    for (std::size_t i = 0; i < d.size(); ++i)
        d[i] = std::uint8_t((fill + i) & 0x7F);
    d[0] = 0xF0;
    d[kLocationBankByte] = bankByte;
    d[kLocationProgramByte] = programByte;
    d[kDumpSize - 1] = 0xF7;
    return d;
}

// The owner's side of a reception, recorded.
struct Harness : ReceptionPort {
    SoundStore store;
    Reception r{store, *this};
    int selected = -1;
    ArmResult armResult;
    QStringList messages;
    QString label;
    std::vector<int> refreshed;
    int requests = 0;
    bool awaiting = false; // the lost-answer clock runs
    std::vector<std::size_t> armed;
    QStringList order; // "arm" and "request" as they happen

    int selectedRow() const override { return selected; }
    ArmResult armInput(std::size_t n) override
    {
        armed.push_back(n);
        order << "arm";
        return armResult;
    }
    void sendDumpRequest() override
    {
        ++requests;
        order << "request";
    }
    void awaitAnswer(bool on) override { awaiting = on; }
    void storedSound(int slot, const SoundDump&) override { refreshed.push_back(slot); }
    void addMessage(const QString& t) override { messages << t; }
    void showProgress(const QString& t) override { label = t; }

    const ReceptionFields& fields() const { return r.fields(); }
    int count() const { return r.fields().receivedCount; }
    bool receiving() const { return r.fields().receiving; }
    ByteStack& stack() { return r.stack(); }

    // A reception over `pairs` request pairs already on the stack.
    void startWith(int pairs)
    {
        r.stack().clear();
        for (int i = 0; i < pairs; ++i) {
            r.stack().push(1);
            r.stack().push(std::uint8_t(pairs - 1 - i));
        }
        r.receiveWithoutWait(true); // sets the mode; start() then arms
        r.start(kFirstArmLength);
    }

    Reception::Outcome receive(const SoundDump& d) { return r.onMidiInput(d.data(), d.size(), d.size()); }
    Reception::Outcome receiveJunk(std::size_t n = 100)
    {
        const std::vector<std::uint8_t> junk(n, 0x11);
        return r.onMidiInput(junk.data(), junk.size(), junk.size());
    }

    // Every slot except `except` still holds what it held at `before`.
    bool othersUntouched(const SoundStore& before, int except) const
    {
        for (int s = 0; s < kSlotCount; ++s)
            if (s != except && store.slot(s) != before.slot(s))
                return false;
        return true;
    }
};

} // namespace

class TestReception : public QObject {
    Q_OBJECT
private slots:
    void locationRules_data()
    {
        QTest::addColumn<int>("bankByte");
        QTest::addColumn<int>("programByte");
        QTest::addColumn<int>("selected");
        QTest::addColumn<int>("slot");
        QTest::addColumn<QString>("line");
        QTest::newRow("bank 2 program 5") << 2 << 5 << -1 << 105 << "ZR Bank: 1 Sound:5";
        QTest::newRow("no location, row 42") << 0 << 77 << 42 << 42 << "ZR Bank: 0 Sound:42";
        QTest::newRow("no location, row 0") << 0 << 99 << 0 << 0 << "ZR Bank: 0 Sound:0";
        QTest::newRow("no location, row 199") << 0 << 0 << 199 << 199 << "ZR Bank: 1 Sound:99";
        QTest::newRow("program 150 in bank 1") << 1 << 150 << 3 << 150 << "ZR Bank: 0 Sound:150";
        QTest::newRow("first slot") << 1 << 0 << -1 << 0 << "ZR Bank: 0 Sound:0";
        QTest::newRow("last slot") << 2 << 99 << -1 << 199 << "ZR Bank: 1 Sound:99";
    }
    void locationRules()
    {
        QFETCH(int, bankByte);
        QFETCH(int, programByte);
        QFETCH(int, selected);
        QFETCH(int, slot);
        QFETCH(QString, line);

        Harness h;
        h.selected = selected;
        h.startWith(1);
        const SoundStore before = h.store;
        const SoundDump d = makeDump(std::uint8_t(bankByte), std::uint8_t(programByte), 9);

        QCOMPARE(h.receive(d), Reception::Outcome::Stored);
        QVERIFY(h.store.slot(slot) == d); // all 270 bytes, location bytes as received
        QVERIFY(h.othersUntouched(before, slot));
        QCOMPARE(h.messages, QStringList{line});
        QCOMPARE(h.label, QString("Received 1 sound."));
        QCOMPARE(h.refreshed, std::vector<int>{slot});
        QCOMPARE(h.count(), 1);
        QCOMPARE(h.requests, 1);
        QCOMPARE(h.stack().count(), 0);
        QCOMPARE(h.armed, (std::vector<std::size_t>{540, 270}));
        // the answer to the request must find the buffer already armed
        QCOMPARE(h.order, (QStringList{"arm", "arm", "request"}));
        QVERIFY(h.receiving());
        QCOMPARE(h.fields().receiveMode, kReceiveSound);
    }

    void locationsOutsideTheStoreAreRefused_data()
    {
        QTest::addColumn<int>("bankByte");
        QTest::addColumn<int>("programByte");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("line");
        QTest::newRow("bank 3") << 3 << 0 << 10 << "Refused a received sound for bank 3 program 0: no such slot";
        QTest::newRow("bank 255") << 255 << 255 << 10 << "Refused a received sound for bank 255 program 255: no such slot";
        QTest::newRow("bank 2 program 100") << 2 << 100 << 10 << "Refused a received sound for bank 2 program 100: no such slot";
        QTest::newRow("bank 1 program 200") << 1 << 200 << 10 << "Refused a received sound for bank 1 program 200: no such slot";
        QTest::newRow("no location, no row") << 0 << 5 << -1 << "Refused a received sound without location: no row is selected";
    }
    void locationsOutsideTheStoreAreRefused()
    {
        QFETCH(int, bankByte);
        QFETCH(int, programByte);
        QFETCH(int, selected);
        QFETCH(QString, line);

        Harness h;
        h.selected = selected;
        h.startWith(1);
        const SoundStore before = h.store;

        QCOMPARE(h.receive(makeDump(std::uint8_t(bankByte), std::uint8_t(programByte), 3)),
                 Reception::Outcome::RefusedLocation);
        QVERIFY(h.othersUntouched(before, -1));
        QCOMPARE(h.messages, QStringList{line});
        QCOMPARE(h.count(), 0);
        QVERIFY(h.label.isEmpty());
        QCOMPARE(h.requests, 0); // the loop waits for the next real dump
        QCOMPARE(h.stack().count(), 2);
        QCOMPARE(h.armed, (std::vector<std::size_t>{540, 270}));
        QVERIFY(h.receiving());
    }

    void messagesThatAreNotOneSoundAreRefused()
    {
        Harness h;
        h.selected = 5;
        h.startWith(1);
        const SoundStore before = h.store;
        const SoundDump d = makeDump(1, 5, 1);

        // shorter, longer within the 540 buffer, and longer than the buffer
        // (the recorded part is cut at the armed length but the size says more)
        QCOMPARE(h.r.onMidiInput(d.data(), 269, 269), Reception::Outcome::RefusedLength);
        QCOMPARE(h.receiveJunk(300), Reception::Outcome::RefusedLength);
        QCOMPARE(h.r.onMidiInput(d.data(), 270, 1000), Reception::Outcome::RefusedLength);
        QCOMPARE(h.r.onMidiInput(nullptr, 0, 0), Reception::Outcome::RefusedLength);

        QVERIFY(h.othersUntouched(before, -1));
        QCOMPARE(h.messages, (QStringList{"Refused a received message of 269 bytes: a sound has 270 bytes",
                                          "Refused a received message of 300 bytes: a sound has 270 bytes",
                                          "Refused a received message of 1000 bytes: a sound has 270 bytes",
                                          "Refused a received message of 0 bytes: a sound has 270 bytes"}));
        QCOMPARE(h.armed, (std::vector<std::size_t>{540, 270, 270, 270, 270}));
        QCOMPARE(h.requests, 0);
        QCOMPARE(h.count(), 0);

        // the next real dump goes on as if nothing happened
        QCOMPARE(h.receive(d), Reception::Outcome::Stored);
        QVERIFY(h.store.slot(5) == d);
        QCOMPARE(h.count(), 1);
        QCOMPARE(h.requests, 1);
    }

    void bankReadRequestsOncePerStoredSound()
    {
        Harness h;
        h.r.startBankRead();
        QCOMPARE(h.count(), 0);
        QVERIFY(h.receiving());
        QCOMPARE(h.armed, std::vector<std::size_t>{540});
        // (1, 99) pushed first, (1, 0) last: the first pop gives program 0, then bank 1
        ByteStack copy = h.stack();
        QCOMPARE(copy.count(), 200);
        QCOMPARE(int(copy.pop()), 0);
        QCOMPARE(int(copy.pop()), 1);

        for (int k = 1; k <= 100; ++k) {
            const SoundDump d = makeDump(1, std::uint8_t(k - 1), std::uint8_t(k));
            QCOMPARE(h.receive(d), Reception::Outcome::Stored);
            QCOMPARE(h.count(), k);
            QCOMPARE(h.stack().count(), 200 - 2 * k);
            QCOMPARE(h.requests, k);
            QCOMPARE(h.label, QString("Received %1 sound.").arg(k));
            QCOMPARE(h.messages.back(), QString("ZR Bank: 0 Sound:%1").arg(k - 1));
            QVERIFY(h.receiving());
            QCOMPARE(h.armed.back(), std::size_t(270));
            // the last request's answer is not waited for: the wait ends at the next tick
            QCOMPARE(h.awaiting, k < 100);
        }
        for (int s = 0; s < 100; ++s)
            QVERIFY(h.store.slot(s) == makeDump(1, std::uint8_t(s), std::uint8_t(s + 1)));

        // One more finds the stack empty: stored, no request. The re-arm
        // makes Receiving true again; the empty stack ends the dialog.
        QCOMPARE(h.receive(makeDump(2, 0, 50)), Reception::Outcome::Stored);
        QCOMPARE(h.requests, 100);
        QCOMPARE(h.count(), 101);
        QVERIFY(h.receiving());
        QCOMPARE(h.armed.size(), std::size_t(102));
        QVERIFY(h.r.onTick());
        h.r.stop();
        QCOMPARE(h.messages.back(), QString("Reception ended: 101 sounds received."));
    }

    // An answer that is refused or never comes is asked for once more; a
    // second failure gives the sound up and goes on, so the read ends by
    // itself whatever the synthesizer does.
    void failedAnswersAreAskedAgainThenSkipped()
    {
        Harness h;
        h.r.startBankRead();
        // before any request (waiting for the user's dump) nothing is asked
        QCOMPARE(h.receiveJunk(), Reception::Outcome::RefusedLength);
        h.r.onAnswerLost();
        QCOMPARE(h.requests, 0);
        QCOMPARE(h.receive(makeDump(1, 0, 1)), Reception::Outcome::Stored);
        QCOMPARE(h.receive(makeDump(1, 1, 2)), Reception::Outcome::Stored);
        QCOMPARE(h.requests, 2);
        QCOMPARE(h.stack().count(), 196);

        QCOMPARE(h.receiveJunk(), Reception::Outcome::RefusedLength);
        QCOMPARE(h.requests, 3); // the same request again
        QCOMPARE(h.stack().count(), 196);
        QCOMPARE(h.order.mid(h.order.size() - 2), (QStringList{"arm", "request"}));

        QCOMPARE(h.receive(makeDump(7, 0, 3)), Reception::Outcome::RefusedLocation);
        QCOMPARE(h.messages.back(), QString("Skipped sound 3 of this reception: its answer was refused twice"));
        QCOMPARE(h.requests, 4); // the next one
        QCOMPARE(h.stack().count(), 194);

        // lost answers: asked again, then skipped with their own line
        QVERIFY(h.awaiting);
        h.r.onAnswerLost();
        QCOMPARE(h.requests, 5);
        QCOMPARE(h.stack().count(), 194);
        QVERIFY(h.awaiting);
        QCOMPARE(h.receive(makeDump(1, 3, 4)), Reception::Outcome::Stored); // the repeat's answer
        QCOMPARE(h.requests, 6);
        h.r.onAnswerLost();
        h.r.onAnswerLost();
        QCOMPARE(h.messages.back(), QString("Skipped sound 5 of this reception: no answer"));
        QCOMPARE(h.requests, 8);
        QCOMPARE(h.stack().count(), 190);

        int answers = 0;
        while (h.stack().count() > 0 && answers < 200) {
            ++answers;
            if (answers % 3 == 0) // every third answer is refused once
                QCOMPARE(h.receiveJunk(), Reception::Outcome::RefusedLength);
            QCOMPARE(h.receive(makeDump(1, std::uint8_t(answers % 100), 4)), Reception::Outcome::Stored);
        }
        QCOMPARE(h.stack().count(), 0);
        QCOMPARE(h.count(), 3 + 95);
        QCOMPARE(h.messages.filter("Skipped").size(), 2);
        // the last request's answer is not waited for
        QVERIFY(!h.awaiting);
        h.r.onAnswerLost();
        QCOMPARE(h.messages.filter("Skipped").size(), 2);

        QVERIFY(h.r.onTick());
        h.r.stop();
        QCOMPARE(h.messages.back(), QString("Reception ended: 98 sounds received; skipped sounds 3, 5 of this reception."));

        // once the wait is over a failed answer asks for nothing
        h.r.onWindowActivated();
        const int sent = h.requests;
        h.stack().push(1);
        h.stack().push(5);
        QCOMPARE(h.receiveJunk(), Reception::Outcome::RefusedLength);
        h.r.onAnswerLost();
        QCOMPARE(h.requests, sent);
    }

    void stateAroundTheReception()
    {
        Harness h;
        h.selected = 10;

        // nothing expected yet: Receiving true (window activated) but mode 0
        h.r.onWindowActivated();
        QCOMPARE(h.receive(makeDump(1, 1, 1)), Reception::Outcome::Ignored);
        QCOMPARE(h.store.slot(1)[0], std::uint8_t(0));

        h.startWith(0);
        QCOMPARE(h.receive(makeDump(1, 1, 1)), Reception::Outcome::Stored); // empty stack: no request
        QCOMPARE(h.requests, 0);
        QVERIFY(h.receiving());

        // the dialog closed: reception stops, mode keeps its value
        h.r.stop();
        QVERIFY(!h.receiving());
        QCOMPARE(h.fields().receiveMode, kReceiveSound);
        const SoundStore before = h.store;
        QCOMPARE(h.receive(makeDump(1, 2, 2)), Reception::Outcome::Dropped);
        QVERIFY(h.othersUntouched(before, -1));
        QCOMPARE(h.armed.size(), std::size_t(2)); // a dropped message does not re-arm

        // a dump arriving after the window became active again is stored
        h.r.onWindowActivated();
        QCOMPARE(h.receive(makeDump(1, 3, 3)), Reception::Outcome::Stored);
        QVERIFY(h.store.slot(3) == makeDump(1, 3, 3));
        QCOMPARE(h.count(), 2);
        QCOMPARE(h.armed.size(), std::size_t(3));

        // a change of the selection ends it again and forgets the requests
        h.stack().push(1);
        h.stack().push(2);
        h.r.onSelectionChanged();
        QVERIFY(!h.receiving());
        QCOMPARE(h.stack().count(), 0);
    }

    // The dialog's tick ends the wait once nothing is pending; a running
    // send keeps it open; Close forgets everything.
    void tickSendAndClose()
    {
        Harness h;
        h.startWith(1);
        QVERIFY(!h.r.onTick());
        QCOMPARE(h.count(), 0);
        QCOMPARE(h.receive(makeDump(1, 0, 1)), Reception::Outcome::Stored);
        QVERIFY(h.r.onTick()); // the stack ran out
        QCOMPARE(h.count(), 0);

        h.r.beginSend();
        QVERIFY(h.receiving());
        QVERIFY(!h.r.onTick());
        h.r.endSend();
        QVERIFY(!h.receiving());
        QVERIFY(h.r.onTick());

        h.r.startBankRead();
        QVERIFY(!h.r.onTick());
        h.r.cancel();
        QCOMPARE(h.stack().count(), 0);
        QVERIFY(!h.receiving());
        QVERIFY(h.r.onTick());
        h.r.stop();
        QCOMPARE(h.messages.back(), QString("Reception ended: no sound received."));
    }

    void armingWithoutAnInputPortIsReported()
    {
        Harness h;
        h.armResult.prepareError = 7;
        h.startWith(1);
        QCOMPARE(h.messages, QStringList{"INPREPARE error7"});
        QVERIFY(h.receiving()); // the wait goes on until Close
        QCOMPARE(h.stack().count(), 2);

        // Registered, but the port went away before it could be queued.
        h.messages.clear();
        h.armResult = ArmResult{0, kErrorInputGone, 0};
        h.r.armInputBuffer(kNextArmLength);
        QCOMPARE(h.messages, QStringList{"ADDBUFFER error6:0"});
        QVERIFY(h.receiving());
    }

    void aFailingStepIsReportedAndEndsTheMessage()
    {
        struct Failing : Harness {
            void storedSound(int, const SoundDump&) override { throw std::runtime_error("list gone"); }
        } h;
        h.r.receiveWithoutWait(true);
        const SoundDump d = makeDump(1, 4, 4);
        QCOMPARE(h.receive(d), Reception::Outcome::Failed);
        QCOMPARE(h.messages, QStringList{"list gone"});
        QCOMPARE(h.count(), 0);
    }
};

QTEST_GUILESS_MAIN(TestReception)
#include "test_reception.moc"
