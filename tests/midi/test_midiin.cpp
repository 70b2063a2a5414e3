// The single receive buffer: what is lost, what is kept, and where the
// handler runs.

#include "midi/MidiSession.h"

#include <QThread>
#include <QtTest>

#include <thread>

using namespace sondrake::midi;

namespace {
std::vector<std::uint8_t> sysex(std::size_t size, std::uint8_t fill)
{
    std::vector<std::uint8_t> m(size, fill);
    m.front() = 0xF0;
    m.back() = 0xF7;
    return m;
}
} // namespace

class TestMidiIn : public QObject {
    Q_OBJECT
    std::vector<ReceivedSysEx> got;
    std::vector<QThread*> threads;
    std::unique_ptr<MidiSession> session;

private slots:
    void init()
    {
        got.clear();
        threads.clear();
        session = std::make_unique<MidiSession>();
        connect(session.get(), &MidiSession::sysExReceived, this, [this](const ReceivedSysEx& r) {
            got.push_back(r);
            threads.push_back(QThread::currentThread());
        });
    }
    void cleanup() { session.reset(); }

    void armingNeedsAnOpenPort()
    {
        MidiSession& in = *session;
        QVERIFY(!in.isInputOpen());
        QCOMPARE(in.armInput(270).prepareError, kErrorInputNotOpen);
        QVERIFY(!in.isInputArmed());
        const auto m = sysex(270, 1);
        in.deliverInput(m.data(), m.size());
        QCoreApplication::processEvents();
        QVERIFY(got.empty());
    }

    void unarmedLostArmedOnce()
    {
        MidiSession& in = *session;
        in.openInputWithoutDevice();
        QVERIFY(in.startInput());
        const auto a = sysex(270, 1), b = sysex(270, 2), c = sysex(270, 3);
        in.deliverInput(a.data(), a.size()); // nothing armed: lost
        QVERIFY(in.armInput(540).ok());
        QVERIFY(in.armInput(270).ok()); // re-arming keeps one buffer, new length
        QVERIFY(in.isInputArmed());
        in.deliverInput(b.data(), b.size());
        QVERIFY(!in.isInputArmed());
        in.deliverInput(c.data(), c.size()); // the buffer is gone: lost
        QTRY_COMPARE(got.size(), std::size_t(1));
        QCoreApplication::processEvents();
        QCOMPARE(got.size(), std::size_t(1));
        QCOMPARE(got[0].bytes, b);
        QCOMPARE(got[0].messageSize, std::size_t(270));
    }

    void truncationAndShortMessages()
    {
        MidiSession& in = *session;
        in.openInputWithoutDevice();
        QVERIFY(in.armInput(270).ok());
        const std::uint8_t note[] = {0x90, 60, 127};
        in.deliverInput(note, 3); // not SysEx: ignored, buffer stays armed
        QVERIFY(in.isInputArmed());
        const auto big = sysex(1000, 5);
        in.deliverInput(big.data(), big.size());
        QVERIFY(in.armInput(540).ok());
        const auto small = sysex(100, 6);
        in.deliverInput(small.data(), small.size());
        QTRY_COMPARE(got.size(), std::size_t(2));
        QCOMPARE(got[0].bytes, std::vector<std::uint8_t>(big.begin(), big.begin() + 270));
        QCOMPARE(got[0].messageSize, std::size_t(1000));
        QCOMPARE(got[1].bytes, small);
        QCOMPARE(got[1].messageSize, std::size_t(100));
    }

    void handlerRunsOnGuiThreadInOrder()
    {
        MidiSession& in = *session;
        in.openInputWithoutDevice();
        std::thread backend([&] {
            for (std::uint8_t i = 0; i < 50; ++i) {
                while (!in.armInput(270).ok()) {
                }
                const auto m = sysex(270, i);
                in.deliverInput(m.data(), m.size());
            }
        });
        backend.join();
        QTRY_COMPARE(got.size(), std::size_t(50));
        for (std::size_t i = 0; i < got.size(); ++i) {
            QCOMPARE(int(got[i].bytes[1]), int(i));
            QCOMPARE(threads[i], QCoreApplication::instance()->thread());
        }
        in.closeInput();
        QVERIFY(!in.isInputOpen());
        QVERIFY(!in.isInputArmed());
    }
};

QTEST_GUILESS_MAIN(TestMidiIn)
#include "test_midiin.moc"
