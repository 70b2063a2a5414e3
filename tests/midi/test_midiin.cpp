// The single receive buffer: what is lost, what is kept, and where the
// handler runs.

#include "midi/MidiIn.h"

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

private slots:
    void init()
    {
        got.clear();
        threads.clear();
        auto& in = MidiInPort::instance();
        in.close();
        in.setHandler([this](const ReceivedSysEx& r) {
            got.push_back(r);
            threads.push_back(QThread::currentThread());
        });
    }

    void armingNeedsAnOpenPort()
    {
        auto& in = MidiInPort::instance();
        QVERIFY(!in.isOpen());
        QVERIFY(in.arm(270) != 0);
        QVERIFY(!in.isArmed());
        const auto m = sysex(270, 1);
        in.deliverFromBackend(m.data(), m.size());
        QCoreApplication::processEvents();
        QVERIFY(got.empty());
    }

    void unarmedLostArmedOnce()
    {
        auto& in = MidiInPort::instance();
        in.openWithoutDevice();
        QVERIFY(in.start());
        const auto a = sysex(270, 1), b = sysex(270, 2), c = sysex(270, 3);
        in.deliverFromBackend(a.data(), a.size()); // nothing armed: lost
        QCOMPARE(in.arm(540), 0);
        QCOMPARE(in.arm(270), 0); // re-arming keeps one buffer, new length
        QVERIFY(in.isArmed());
        in.deliverFromBackend(b.data(), b.size());
        QVERIFY(!in.isArmed());
        in.deliverFromBackend(c.data(), c.size()); // the buffer is gone: lost
        QTRY_COMPARE(got.size(), std::size_t(1));
        QCoreApplication::processEvents();
        QCOMPARE(got.size(), std::size_t(1));
        QCOMPARE(got[0].bytes, b);
        QCOMPARE(got[0].messageSize, std::size_t(270));
    }

    void truncationAndShortMessages()
    {
        auto& in = MidiInPort::instance();
        in.openWithoutDevice();
        QCOMPARE(in.arm(270), 0);
        const std::uint8_t note[] = {0x90, 60, 127};
        in.deliverFromBackend(note, 3); // not SysEx: ignored, buffer stays armed
        QVERIFY(in.isArmed());
        const auto big = sysex(1000, 5);
        in.deliverFromBackend(big.data(), big.size());
        QCOMPARE(in.arm(540), 0);
        const auto small = sysex(100, 6);
        in.deliverFromBackend(small.data(), small.size());
        QTRY_COMPARE(got.size(), std::size_t(2));
        QCOMPARE(got[0].bytes, std::vector<std::uint8_t>(big.begin(), big.begin() + 270));
        QCOMPARE(got[0].messageSize, std::size_t(1000));
        QCOMPARE(got[1].bytes, small);
        QCOMPARE(got[1].messageSize, std::size_t(100));
    }

    void handlerRunsOnGuiThreadInOrder()
    {
        auto& in = MidiInPort::instance();
        in.openWithoutDevice();
        std::thread backend([&] {
            for (std::uint8_t i = 0; i < 50; ++i) {
                while (in.arm(270) != 0) {
                }
                const auto m = sysex(270, i);
                in.deliverFromBackend(m.data(), m.size());
            }
        });
        backend.join();
        QTRY_COMPARE(got.size(), std::size_t(50));
        for (std::size_t i = 0; i < got.size(); ++i) {
            QCOMPARE(int(got[i].bytes[1]), int(i));
            QCOMPARE(threads[i], QCoreApplication::instance()->thread());
        }
        in.close();
        QVERIFY(!in.isOpen());
        QVERIFY(!in.isArmed());
    }
};

QTEST_GUILESS_MAIN(TestMidiIn)
#include "test_midiin.moc"
