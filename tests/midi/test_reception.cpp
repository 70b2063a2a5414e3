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

// The window's side of a reception, recorded.
struct Harness {
    ReceptionFields fields;
    int& mode = fields.receiveMode;
    bool& receiving = fields.receiving;
    int& count = fields.receivedCount;
    PendingRequest& request = fields.request;
    int selected = -1;
    ArmResult armResult;
    SoundStore store;
    ByteStack stack;
    QStringList messages;
    QString label;
    std::vector<int> refreshed;
    std::vector<std::pair<int, int>> requests;
    std::vector<std::size_t> armed;
    QStringList order; // "arm" and "request" as they happen

    Reception reception()
    {
        ReceptionHooks h;
        h.selectedRow = [this] { return selected; };
        h.refreshRow = [this](int r) { refreshed.push_back(r); };
        h.addMessage = [this](const QString& t) { messages << t; };
        h.setLabel = [this](const QString& t) { label = t; };
        h.sendDumpRequest = [this](std::uint8_t b, std::uint8_t p) {
            requests.emplace_back(b, p);
            order << "request";
        };
        h.arm = [this](std::size_t n) {
            armed.push_back(n);
            order << "arm";
            return armResult;
        };
        return Reception(fields, store, stack, std::move(h));
    }

    // The pairs "Read Sound Bank" pushes: (1, 99) down to (1, 0).
    void pushBankRead()
    {
        for (int n = 99; n >= 0; --n) {
            stack.push(1);
            stack.push(std::uint8_t(n));
        }
    }

    Reception::Outcome receive(const SoundDump& d) { return reception().onMidiInput(d.data(), d.size(), d.size()); }

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
        h.mode = kReceiveSound;
        h.selected = selected;
        h.stack.push(1);
        h.stack.push(7);
        h.reception().start(kFirstArmLength);
        const SoundStore before = h.store;
        const SoundDump d = makeDump(std::uint8_t(bankByte), std::uint8_t(programByte), 9);

        QCOMPARE(h.receive(d), Reception::Outcome::Stored);
        QVERIFY(h.store.slot(slot) == d); // all 270 bytes, location bytes as received
        QVERIFY(h.othersUntouched(before, slot));
        QCOMPARE(h.messages, QStringList{line});
        QCOMPARE(h.label, QString("Received 1 sound."));
        QCOMPARE(h.refreshed, std::vector<int>{slot});
        QCOMPARE(h.count, 1);
        QCOMPARE(h.requests.size(), std::size_t(1));
        QCOMPARE(h.requests[0], std::make_pair(1, 7)); // program popped first, then bank
        QCOMPARE(h.stack.count(), 0);
        QCOMPARE(h.armed, (std::vector<std::size_t>{540, 270}));
        // the answer to the request must find the buffer already armed
        QCOMPARE(h.order, (QStringList{"arm", "arm", "request"}));
        QVERIFY(h.receiving);
        QCOMPARE(h.mode, kReceiveSound);
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
        h.mode = kReceiveSound;
        h.selected = selected;
        h.stack.push(1);
        h.stack.push(0);
        h.reception().start(kFirstArmLength);
        const SoundStore before = h.store;

        QCOMPARE(h.receive(makeDump(std::uint8_t(bankByte), std::uint8_t(programByte), 3)),
                 Reception::Outcome::RefusedLocation);
        QVERIFY(h.othersUntouched(before, -1));
        QCOMPARE(h.messages, QStringList{line});
        QCOMPARE(h.count, 0);
        QVERIFY(h.label.isEmpty());
        QVERIFY(h.requests.empty()); // the loop waits for the next real dump
        QCOMPARE(h.stack.count(), 2);
        QCOMPARE(h.armed, (std::vector<std::size_t>{540, 270}));
        QVERIFY(h.receiving);
    }

    void messagesThatAreNotOneSoundAreRefused()
    {
        Harness h;
        h.mode = kReceiveSound;
        h.selected = 5;
        h.stack.push(1);
        h.stack.push(0);
        h.reception().start(kFirstArmLength);
        const SoundStore before = h.store;
        const SoundDump d = makeDump(1, 5, 1);

        // shorter, longer within the 540 buffer, and longer than the buffer
        // (the recorded part is cut at the armed length but the size says more)
        QCOMPARE(h.reception().onMidiInput(d.data(), 269, 269), Reception::Outcome::RefusedLength);
        const std::vector<std::uint8_t> big(300, 0x11);
        QCOMPARE(h.reception().onMidiInput(big.data(), 300, 300), Reception::Outcome::RefusedLength);
        QCOMPARE(h.reception().onMidiInput(d.data(), 270, 1000), Reception::Outcome::RefusedLength);
        QCOMPARE(h.reception().onMidiInput(nullptr, 0, 0), Reception::Outcome::RefusedLength);

        QVERIFY(h.othersUntouched(before, -1));
        QCOMPARE(h.messages, (QStringList{"Refused a received message of 269 bytes: a sound has 270 bytes",
                                          "Refused a received message of 300 bytes: a sound has 270 bytes",
                                          "Refused a received message of 1000 bytes: a sound has 270 bytes",
                                          "Refused a received message of 0 bytes: a sound has 270 bytes"}));
        QCOMPARE(h.armed, (std::vector<std::size_t>{540, 270, 270, 270, 270}));
        QVERIFY(h.requests.empty());
        QCOMPARE(h.count, 0);

        // the next real dump goes on as if nothing happened
        QCOMPARE(h.receive(d), Reception::Outcome::Stored);
        QVERIFY(h.store.slot(5) == d);
        QCOMPARE(h.count, 1);
        QCOMPARE(h.requests.size(), std::size_t(1));
    }

    void bankReadRequestsOncePerStoredSound()
    {
        Harness h;
        h.pushBankRead();
        h.mode = kReceiveSound;
        h.count = 17; // left from an earlier reception
        h.reception().start(kFirstArmLength);
        QCOMPARE(h.count, 0);
        QVERIFY(h.receiving);
        QCOMPARE(h.armed, std::vector<std::size_t>{540});

        for (int k = 1; k <= 100; ++k) {
            const SoundDump d = makeDump(1, std::uint8_t(k - 1), std::uint8_t(k));
            QCOMPARE(h.receive(d), Reception::Outcome::Stored);
            QCOMPARE(h.count, k);
            QCOMPARE(h.stack.count(), 200 - 2 * k);
            QCOMPARE(h.requests.size(), std::size_t(k));
            QCOMPARE(h.requests.back(), std::make_pair(1, k - 1));
            QCOMPARE(h.label, QString("Received %1 sound.").arg(k));
            QCOMPARE(h.messages.back(), QString("ZR Bank: 0 Sound:%1").arg(k - 1));
            QVERIFY(h.receiving);
            QCOMPARE(h.mode, kReceiveSound);
            QCOMPARE(h.armed.back(), std::size_t(270));
        }
        for (int s = 0; s < 100; ++s)
            QVERIFY(h.store.slot(s) == makeDump(1, std::uint8_t(s), std::uint8_t(s + 1)));

        // One more finds the stack empty: stored, no request. The re-arm
        // makes Receiving true again; the empty stack ends the dialog.
        QCOMPARE(h.receive(makeDump(2, 0, 50)), Reception::Outcome::Stored);
        QCOMPARE(h.requests.size(), std::size_t(100));
        QCOMPARE(h.count, 101);
        QVERIFY(h.receiving);
        QCOMPARE(h.armed.size(), std::size_t(102));
    }

    // A refused answer is asked for once more; a second refusal gives the
    // sound up and goes on, so the read ends by itself while answers come.
    void refusedAnswersAreAskedAgainThenSkipped()
    {
        Harness h;
        h.pushBankRead();
        h.mode = kReceiveSound;
        h.reception().start(kFirstArmLength);
        const std::vector<std::uint8_t> junk(100, 0x11);
        // before any request (waiting for the user's dump) nothing is asked
        QCOMPARE(h.reception().onMidiInput(junk.data(), junk.size(), junk.size()), Reception::Outcome::RefusedLength);
        QVERIFY(h.requests.empty());
        QCOMPARE(h.receive(makeDump(1, 0, 1)), Reception::Outcome::Stored);
        QCOMPARE(h.receive(makeDump(1, 1, 2)), Reception::Outcome::Stored);
        QCOMPARE(h.requests.size(), std::size_t(2));
        QCOMPARE(h.stack.count(), 196);

        QCOMPARE(h.reception().onMidiInput(junk.data(), junk.size(), junk.size()), Reception::Outcome::RefusedLength);
        QCOMPARE(h.requests.size(), std::size_t(3));
        QCOMPARE(h.requests.back(), std::make_pair(1, 1)); // the same request again
        QCOMPARE(h.stack.count(), 196);
        QCOMPARE(h.order.mid(h.order.size() - 2), (QStringList{"arm", "request"}));

        QCOMPARE(h.receive(makeDump(7, 0, 3)), Reception::Outcome::RefusedLocation);
        QCOMPARE(h.messages.back(), QString("Skipped sound 3 of this reception: its answer was refused twice"));
        QCOMPARE(h.requests.size(), std::size_t(4));
        QCOMPARE(h.requests.back(), std::make_pair(1, 2)); // the next one
        QCOMPARE(h.stack.count(), 194);

        int answers = 0;
        while (h.stack.count() > 0 && answers < 200) {
            ++answers;
            const bool bad = answers % 3 == 0; // every third answer is refused once
            if (bad)
                QCOMPARE(h.reception().onMidiInput(junk.data(), junk.size(), junk.size()),
                         Reception::Outcome::RefusedLength);
            QCOMPARE(h.receive(makeDump(1, std::uint8_t(answers % 100), 4)), Reception::Outcome::Stored);
        }
        QCOMPARE(h.stack.count(), 0);
        QCOMPARE(h.count, 2 + 97);
        QCOMPARE(h.messages.filter("Skipped").size(), 1);

        // once the wait is over a refused message asks for nothing
        h.reception().stop();
        h.receiving = true;
        const std::size_t sent = h.requests.size();
        h.stack.push(1);
        h.stack.push(5);
        QCOMPARE(h.reception().onMidiInput(junk.data(), junk.size(), junk.size()), Reception::Outcome::RefusedLength);
        QCOMPARE(h.requests.size(), sent);
    }

    void stateAroundTheReception()
    {
        Harness h;
        h.selected = 10;

        // nothing expected yet: Receiving true (window activated) but mode 0
        h.receiving = true;
        QCOMPARE(h.receive(makeDump(1, 1, 1)), Reception::Outcome::Ignored);
        QCOMPARE(h.store.slot(1)[0], std::uint8_t(0));

        h.mode = kReceiveSound;
        h.reception().start(kFirstArmLength);
        QCOMPARE(h.receive(makeDump(1, 1, 1)), Reception::Outcome::Stored); // empty stack: no request
        QVERIFY(h.requests.empty());
        QVERIFY(h.receiving);

        // the dialog closed: reception stops, mode keeps its value
        h.reception().stop();
        QVERIFY(!h.receiving);
        QCOMPARE(h.mode, kReceiveSound);
        const SoundStore before = h.store;
        QCOMPARE(h.receive(makeDump(1, 2, 2)), Reception::Outcome::Dropped);
        QVERIFY(h.othersUntouched(before, -1));
        QCOMPARE(h.armed.size(), std::size_t(2)); // a dropped message does not re-arm

        // a dump arriving after the window became active again is stored
        h.receiving = true;
        QCOMPARE(h.receive(makeDump(1, 3, 3)), Reception::Outcome::Stored);
        QVERIFY(h.store.slot(3) == makeDump(1, 3, 3));
        QCOMPARE(h.count, 2);
        QCOMPARE(h.armed.size(), std::size_t(3));
    }

    void armingWithoutAnInputPortIsReported()
    {
        Harness h;
        h.armResult.prepareError = 7;
        h.mode = kReceiveSound;
        h.stack.push(1);
        h.stack.push(0);
        h.reception().start(kFirstArmLength);
        QCOMPARE(h.messages, QStringList{"INPREPARE error7"});
        QVERIFY(h.receiving); // the wait goes on until Close
        QCOMPARE(h.stack.count(), 2);

        // Registered, but the port went away before it could be queued.
        h.messages.clear();
        h.armResult = ArmResult{0, kErrorInputGone, 0};
        h.reception().armInputBuffer(kNextArmLength);
        QCOMPARE(h.messages, QStringList{"ADDBUFFER error6:0"});
        QVERIFY(h.receiving);
    }

    void aFailingStepIsReportedAndEndsTheMessage()
    {
        Harness h;
        h.mode = kReceiveSound;
        h.receiving = true;
        ReceptionHooks hooks;
        QStringList lines;
        hooks.addMessage = [&](const QString& t) { lines << t; };
        hooks.refreshRow = [](int) { throw std::runtime_error("list gone"); };
        Reception r(h.fields, h.store, h.stack, hooks);
        const SoundDump d = makeDump(1, 4, 4);
        QCOMPARE(r.onMidiInput(d.data(), d.size(), d.size()), Reception::Outcome::Failed);
        QCOMPARE(lines, QStringList{"list gone"});
        QCOMPARE(h.count, 0);
    }
};

QTEST_GUILESS_MAIN(TestReception)
#include "test_reception.moc"
