// The emulator's logic without ports: its sounds, what it answers, where it
// stores what it is sent.

#include "emulator/EmulatorCore.h"
#include "parametermap/ParameterMap.h"
#include "store/SoundStore.h"

#include <QtTest>

#include <set>

using namespace sondrake;
using namespace sondrake::emulator;

class TestEmulator : public QObject {
    Q_OBJECT
    EmulatorCore core;
    std::vector<Bytes> sent;

    void feed(std::initializer_list<std::uint8_t> m)
    {
        const Bytes b(m);
        core.receive(b);
    }
    void feed(const Bytes& b) { core.receive(b); }
    void feed(const SoundDump& d) { core.receive(std::span<const std::uint8_t>(d.data(), d.size())); }

private slots:
    void init()
    {
        core = EmulatorCore();
        sent.clear();
        core.setSend([this](const Bytes& b) { sent.push_back(b); });
    }

    void generatedSoundsAreValidAndDistinct()
    {
        std::set<SoundDump> all;
        std::set<std::string> names;
        for (int s = 0; s < kSlotCount; ++s) {
            const SoundDump& d = core.sound(s);
            QCOMPARE(int(d[0]), 0xF0);
            QCOMPARE(int(d[269]), 0xF7);
            for (std::size_t i = 1; i < 269; ++i)
                QVERIFY(d[i] < 0x80);
            QCOMPARE(int(d[11]), s / 100 + 1);
            QCOMPARE(int(d[12]), s % 100);
            all.insert(d);
            names.insert(readName(d));
        }
        QCOMPARE(all.size(), std::size_t(200));
        QCOMPARE(names.size(), std::size_t(200));
    }

    void requestAnswersCurrentSound()
    {
        feed({0xB0, 0x00, 0x00});
        feed({0xB0, 0x20, 0x02});
        feed({0xC0, 50});
        QCOMPARE(core.currentBank(), 1);
        QCOMPARE(core.currentProgram(), 50);
        feed(EmulatorCore::dumpRequest());
        QCOMPARE(sent.size(), std::size_t(1));
        const SoundDump expected = EmulatorCore::asSent(EmulatorCore::generatedSound(150), 1, 50);
        QCOMPARE(sent[0], Bytes(expected.begin(), expected.end()));
        // A request with other bytes is not the request.
        Bytes other = EmulatorCore::dumpRequest();
        other[7] = 0x40;
        feed(other);
        QCOMPARE(sent.size(), std::size_t(1));
    }

    void bankDumpSequence()
    {
        core.dumpBank(2);
        for (int i = 0; i < 99; ++i)
            feed(EmulatorCore::dumpRequest());
        QCOMPARE(sent.size(), std::size_t(100));
        for (int p = 0; p < 100; ++p) {
            const SoundDump e = EmulatorCore::asSent(EmulatorCore::generatedSound(100 + p), 1, p);
            QCOMPARE(sent[std::size_t(p)], Bytes(e.begin(), e.end()));
        }
        // The librarian's request after the hundredth sound ends the dump
        // silently: answering it would overwrite a slot with the edit buffer.
        QVERIFY(core.bankDumpRunning());
        feed(EmulatorCore::dumpRequest());
        QCOMPARE(sent.size(), std::size_t(100));
        QVERIFY(!core.bankDumpRunning());
        feed(EmulatorCore::dumpRequest()); // after the bank: the current sound again
        QCOMPARE(sent.size(), std::size_t(101));
        QCOMPARE(int(sent.back()[11]), 1);
        QCOMPARE(int(sent.back()[12]), 0);
    }

    void storesDumpsByLocation()
    {
        SoundDump d = EmulatorCore::generatedSound(3);
        d[20] = 0x55;
        d[11] = 1; // as the librarian sends: bank 0/1
        d[12] = 42;
        feed(d);
        QCOMPARE(core.sound(142), d);
        QCOMPARE(core.storedCount(), 1);

        // Right after a program selection the dump belongs there.
        SoundDump e = EmulatorCore::generatedSound(4);
        e[11] = 0;
        e[12] = 0;
        feed({0xB0, 0x20, 0x01});
        feed({0xC0, 7});
        feed(e);
        QCOMPARE(core.sound(7), e);
        QCOMPARE(core.editBuffer(), e);

        // A location outside the banks, a short SysEx and raw bytes store nothing.
        SoundDump bad = d;
        bad[11] = 3;
        feed(bad);
        Bytes shortSysEx(100, 0x10);
        shortSysEx.front() = 0xF0;
        shortSysEx.back() = 0xF7;
        feed(shortSysEx);
        Bytes raw(270, 0);
        feed(raw);
        QCOMPARE(core.storedCount(), 2);
        QVERIFY(sent.empty());
    }

    void liveMessagesChangeTheEditBuffer()
    {
        // Through the parameter map, as the editor's controls send them: one
        // controller row and one NRPN row, each set to a value it does not hold.
        for (auto kind : {parametermap::MessageKind::CC, parametermap::MessageKind::Nrpn}) {
            const parametermap::ParameterEntry* row = nullptr;
            for (const auto& e : parametermap::parameterMap())
                if (e.live.kind == kind && e.isStored() && e.live.number != 0 && e.live.number != 32
                    && e.maximum > e.minimum) {
                    row = &e;
                    break;
                }
            QVERIFY(row);
            const int current = parametermap::readValue(core.editBuffer(), *row);
            const int value = current == row->minimum ? row->minimum + 1 : row->minimum;
            SoundDump expected = core.editBuffer();
            const auto msgs = parametermap::liveMessages(*row, value);
            parametermap::applyLiveMessages(expected, msgs);
            for (const auto& m : msgs)
                feed(Bytes(m.begin(), m.end()));
            QCOMPARE(core.editBuffer(), expected);
            QCOMPARE(parametermap::readValue(core.editBuffer(), *row), value);
        }
        QCOMPARE(core.sound(0), EmulatorCore::generatedSound(0)); // the stored sound is untouched
        feed(EmulatorCore::dumpRequest());
        QCOMPARE(sent.size(), std::size_t(1));
        QVERIFY(!std::equal(sent[0].begin(), sent[0].end(), core.sound(0).begin())); // the edited sound leaves
    }

    void controlsReachTheHandler()
    {
        std::vector<std::pair<int, int>> seen;
        core.setControlHandler([&](SoundDump&, int c, int v) {
            seen.emplace_back(c, v);
            return true;
        });
        feed({0xB0, 0x63, 0x02});
        feed({0xB0, 0x62, 0x2C});
        feed({0xB0, 0x06, 0x05});
        feed({0xB0, 0x20, 0x02}); // bank select is the emulator's own
        QCOMPARE(seen.size(), std::size_t(3));
        QCOMPARE(seen[2], std::make_pair(6, 5));
    }
};

QTEST_GUILESS_MAIN(TestEmulator)
#include "test_emulator.moc"
