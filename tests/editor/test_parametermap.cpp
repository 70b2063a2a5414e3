#include "editor/ParameterMap.h"
#include "editor/ValueLists.h"

#include <QtTest>

#include <map>
#include <random>
#include <set>
#include <string>

using namespace sondrake;
using namespace sondrake::editor;

namespace {

using Messages = std::vector<std::vector<std::uint8_t>>;

const ParameterEntry& row(std::string_view control)
{
    const ParameterEntry* e = entryForControl(control);
    if (!e)
        qFatal("no row for %s", std::string(control).c_str());
    return *e;
}

SoundDump randomDump(std::mt19937& rng)
{
    SoundDump d;
    for (std::size_t i = 0; i < d.size(); i += 2) {
        const std::uint32_t r = rng();
        d[i] = std::uint8_t(r);
        d[i + 1] = std::uint8_t(r >> 8);
    }
    return d;
}

// Bits of the dump a row owns: the whole byte, or its field.
std::uint8_t ownedMask(const ParameterEntry& e)
{
    if (e.storage.encoding == Encoding::BitField)
        return std::uint8_t(((1 << (e.storage.hi - e.storage.lo + 1)) - 1) << e.storage.lo);
    return 0xFF;
}

// The value the row stores for a control value: unison keeps at most 3.
int storedValue(const ParameterEntry& e, int v)
{
    if (e.control == "cmbUnison")
        return std::min(v, 3);
    return v;
}

Messages nrpn(int n, int v)
{
    return { { 0xB0, 99, std::uint8_t(n >> 7) }, { 0xB0, 98, std::uint8_t(n & 0x7F) }, { 0xB0, 6, std::uint8_t(v) } };
}

} // namespace

class TestParameterMap : public QObject {
    Q_OBJECT

private slots:
    void tableShape()
    {
        const auto map = parameterMap();
        QCOMPARE(map.size(), std::size_t(143));
        QCOMPARE(map.front().control, std::string_view("KnobOsc1Semitone"));
        QCOMPARE(map.back().control, std::string_view("cmbCHorusInitialStartPOsition"));

        std::set<int> orders, buttons;
        std::set<std::string> keys, keysLower, controls;
        std::set<std::pair<int, int>> places; // (byte, bit)
        for (const ParameterEntry& e : map) {
            QVERIFY2(controls.insert(std::string(e.control)).second, e.control.data());
            QVERIFY(!e.tab.empty() && !e.group.empty());
            QVERIFY(e.minimum <= e.maximum);
            if (e.kind == ControlKind::List) {
                QCOMPARE(e.minimum, 0);
                QCOMPARE(e.maximum, int(e.items.size()) - 1);
            } else {
                QVERIFY(e.items.empty());
            }
            if (e.kind == ControlKind::CheckBox)
                QVERIFY(e.minimum == 0 && e.maximum == 1);
            QCOMPARE(e.inSchema(), e.rButton != 0);
            if (e.inSchema()) {
                QVERIFY(e.schemaOrder >= 1 && e.schemaOrder <= 99);
                QVERIFY(orders.insert(e.schemaOrder).second);
                QVERIFY(buttons.insert(e.rButton).second);
                QVERIFY(!e.key.empty() && e.key.size() <= 50);
                QVERIFY(keys.insert(std::string(e.key)).second);
                std::string lower(e.key);
                for (char& c : lower)
                    c = char(std::tolower(static_cast<unsigned char>(c)));
                QVERIFY2(keysLower.insert(lower).second, e.key.data());
                QCOMPARE(entryForKey(e.key), &e);
                QCOMPARE(entryForKey(lower), &e);
                QCOMPARE(entryForRButton(e.rButton), &e);
            } else {
                QVERIFY(e.key.empty());
            }
            QCOMPARE(entryForControl(e.control), &e);
            if (e.isStored()) {
                QVERIFY(e.storage.byte > 12 && e.storage.byte < 269);
                QVERIFY(e.storage.byte < 164 || e.storage.byte > 179);
                const int lo = e.storage.encoding == Encoding::BitField ? e.storage.lo : 0;
                const int hi = e.storage.encoding == Encoding::BitField ? e.storage.hi : 7;
                for (int b = lo; b <= hi; ++b)
                    QVERIFY2(places.insert({ e.storage.byte, b }).second, e.control.data());
            }
        }
        QCOMPARE(orders.size(), std::size_t(99));
        QCOMPARE(*orders.begin(), 1);
        QCOMPARE(*orders.rbegin(), 99);
        QCOMPARE(buttons.size(), std::size_t(99));
        QCOMPARE(*buttons.begin(), 1);
        QCOMPARE(*buttons.rbegin(), 99);

        const auto schema = schemaEntries();
        QCOMPARE(schema.size(), std::size_t(99));
        for (int i = 0; i < 99; ++i)
            QCOMPARE(schema[i]->schemaOrder, i + 1);
        QCOMPARE(schema[51]->key, std::string_view("MixerADenvOSC3"));
        QCOMPARE(schema[52]->key, std::string_view("ckbOsc12Sync"));
        QCOMPARE(entryForRButton(8)->control, std::string_view("KnobOsc1ModEnvPW"));
        QCOMPARE(entryForRButton(74)->control, std::string_view("ckbLfo2Keysync"));
        QVERIFY(!entryForKey("") && !entryForKey("nothing") && !entryForControl("btnSendPatch"));
        QVERIFY(!entryForRButton(0) && !entryForRButton(100));

        // Every CC number is sent by one row only; so is every NRPN number
        // apart from the two selector registers.
        std::map<std::pair<int, int>, int> senders;
        for (const ParameterEntry& e : map)
            ++senders[{ int(e.live.kind), e.live.number }];
        for (const auto& [k, n] : senders) {
            if (!(k.first == int(MessageKind::Nrpn) && (k.second == 104 || k.second == 105)))
                QVERIFY2(n == 1, QByteArray::number(k.second).constData());
        }
    }

    void valueLists()
    {
        const auto notes = lists::fixedNotes();
        QCOMPARE(notes.size(), std::size_t(128));
        QCOMPARE(notes[0], std::string_view("OFF"));
        QCOMPARE(notes[1], std::string_view("C-2"));
        QCOMPARE(notes[12], std::string_view("H-2"));
        QCOMPARE(notes[13], std::string_view("C-1"));
        QCOMPARE(notes[61], std::string_view("C3"));
        QCOMPARE(notes[127], std::string_view("F#8"));
        QCOMPARE(lists::lfoWaveforms().size(), std::size_t(32));
        QCOMPARE(lists::lfoWaveforms()[31], std::string_view("Pattern9"));
        QCOMPARE(lists::syncTypes().size(), std::size_t(16));
        QCOMPARE(lists::syncTypes()[15], std::string_view("1 bar"));
        QCOMPARE(lists::longSyncTimes()[34], std::string_view("12bars"));
        QCOMPARE(lists::delaySyncTimes().size(), std::size_t(20));
        QCOMPARE(lists::delaySyncTimes()[19], std::string_view("2 bars"));
        QCOMPARE(lists::arpPatterns().size(), std::size_t(33));
        QCOMPARE(lists::arpPatterns()[32], std::string_view("32"));
        QCOMPARE(lists::oscillatorWaveforms().size(), std::size_t(17));
        QCOMPARE(row("cmbDelaySyncTime").maximum, 19);
        QCOMPARE(row("cmbSynctype").maximum, 15);
        QCOMPARE(row("cmbLFO1SyncSpeed").maximum, 34);
    }

    // Read after write gives the value back, and nothing but the row's own
    // byte (or bits) changes, over many random dumps.
    void writeReadFuzz()
    {
        std::mt19937 rng(12345);
        for (const ParameterEntry& e : parameterMap()) {
            for (int round = 0; round < 8; ++round) {
                for (int v = e.minimum; v <= e.maximum; ++v) {
                    const SoundDump before = randomDump(rng);
                    SoundDump after = before;
                    writeValue(after, e, v);
                    for (std::size_t i = 0; i < after.size(); ++i) {
                        std::uint8_t allowed = 0;
                        if (e.isStored() && int(i) == e.storage.byte)
                            allowed = ownedMask(e);
                        if ((before[i] ^ after[i]) & ~allowed)
                            QFAIL(qPrintable(QStringLiteral("%1 value %2 changed byte %3")
                                                 .arg(e.control.data())
                                                 .arg(v)
                                                 .arg(i)));
                    }
                    if (e.isStored() && readValue(after, e) != storedValue(e, v))
                        QFAIL(qPrintable(QStringLiteral("%1: wrote %2, read %3")
                                             .arg(e.control.data())
                                             .arg(v)
                                             .arg(readValue(after, e))));
                }
            }
        }
    }

    void edgeCases()
    {
        SoundDump d {};
        // Mixer Out runs 0..30; Tempo 64..191 stored plainly in byte 98.
        QCOMPARE(row("KnobMixerOut").maximum, 30);
        writeValue(d, row("KnobMixerOut"), 99);
        QCOMPARE(d[138], std::uint8_t(30));
        const ParameterEntry& tempo = row("knobArpTempo");
        QVERIFY(tempo.minimum == 64 && tempo.maximum == 191);
        writeValue(d, tempo, 191);
        QCOMPARE(d[98], std::uint8_t(191));
        QCOMPARE(readValue(d, tempo), 191);
        writeValue(d, tempo, 64);
        QCOMPARE(d[98], std::uint8_t(64));
        QCOMPARE(liveMessages(tempo, 191), Messages({ { 0xB0, 9, 127 } }));
        QCOMPARE(liveMessages(tempo, 128), Messages({ { 0xB0, 9, 127 } }));
        QCOMPARE(liveMessages(tempo, 127), Messages({ { 0xB0, 9, 127 } }));
        QCOMPARE(liveMessages(tempo, 64), Messages({ { 0xB0, 9, 64 } }));

        // Byte 13 = 0xFF: unison index 3, poly mode 3, slope 3 (no such entry).
        d[13] = 0xFF;
        QCOMPARE(readValue(d, row("cmbUnison")), 3);
        QCOMPARE(readValue(d, row("cmbOscPolyMode")), 3);
        QCOMPARE(readValue(d, row("cmbFilterSlope")), 3);
        writeValue(d, row("cmbFilterSlope"), 0);
        QCOMPARE(d[13], std::uint8_t(0x3F));
        writeValue(d, row("cmbUnison"), 7);
        QCOMPARE(d[13], std::uint8_t(0x3F));
        writeValue(d, row("cmbUnison"), 1);
        QCOMPARE(d[13], std::uint8_t(0x3D));
        QCOMPARE(liveMessages(row("cmbUnison"), 7), nrpn(106, 7));

        // Flag byte 2 reads off; writing it back stores 0.
        d[146] = 2;
        QCOMPARE(readValue(d, row("ckbLfo1Polarity")), 0);
        writeValue(d, row("ckbLfo1Polarity"), readValue(d, row("ckbLfo1Polarity")));
        QCOMPARE(d[146], std::uint8_t(0));
        d[101] = 1;
        QCOMPARE(readValue(d, row("ckbArpOn")), 1);

        // Fixed note.
        const ParameterEntry& fixed = row("cmbFixedNote");
        d[180] = 0;
        QCOMPARE(fixed.items[std::size_t(readValue(d, fixed))], std::string_view("OFF"));
        d[180] = 61;
        QCOMPARE(fixed.items[std::size_t(readValue(d, fixed))], std::string_view("C3"));
        d[180] = 127;
        QCOMPARE(fixed.items[std::size_t(readValue(d, fixed))], std::string_view("F#8"));

        // Octave going from "2" to "-1" keeps the other octaves and the sync bit.
        d[19] = 0xFF;
        writeValue(d, row("cmbOsc2Octave"), 0);
        QCOMPARE(d[19], std::uint8_t(0xF3));
        writeValue(d, row("ckbOsc12Sync"), 0);
        QCOMPARE(d[19], std::uint8_t(0xB3));

        QCOMPARE(liveMessages(row("ckbLfo2Keysync"), 1), nrpn(104, 25));
        QCOMPARE(liveMessages(row("ckbLfo2Keysync"), 0), nrpn(104, 24));
        QCOMPARE(liveMessages(row("Knob23FMADEnv"), -1), nrpn(1, 63));
        QCOMPARE(liveMessages(row("cmbMEnvMonotrig"), 1), nrpn(104, 3));
        QCOMPARE(liveMessages(row("cmbFilterType"), 2), nrpn(104, 8));
        QCOMPARE(liveMessages(row("cmbOsc3Octave"), 3), nrpn(105, 27));
        QCOMPARE(liveMessages(row("KnobOsc1ModEnvPW"), -64), Messages({ { 0xB0, 47, 0 } }));
        QCOMPARE(liveMessages(row("KnobLfo2Speed"), 10), Messages({ { 0xB0, 83, 10 } }));
        QCOMPARE(liveMessages(row("KnobLfo2Delay"), 10), Messages({ { 0xB0, 85, 10 } }));
        QCOMPARE(liveMessages(row("cmbLfo2Waveform"), 31), nrpn(54, 31));
        QCOMPARE(row("KnobOsc2ModEnvPW").storage.byte, 35);
        QCOMPARE(row("KnobOsc3ModEnvPW").storage.byte, 43);

        // Not-stored rows write nothing and still send.
        const char* notStored[] = { "cmbArpOctaves", "ckbArpLatch", "ckbArpPatternVelocity", "ckbArpKeysync",
            "cmbArpNotes", "cmbSynctype", "cmbPanInitialStartPosition", "cmbCHorusInitialStartPOsition" };
        int count = 0;
        for (const ParameterEntry& e : parameterMap())
            count += e.isStored() ? 0 : 1;
        QCOMPARE(count, 8);
        for (const char* name : notStored) {
            const ParameterEntry& e = row(name);
            QVERIFY(!e.isStored());
            SoundDump a {};
            a.fill(0x55);
            const SoundDump b = a;
            writeValue(a, e, e.maximum);
            QCOMPARE(a, b);
            QVERIFY(!liveMessages(e, e.maximum).empty());
            QVERIFY(!applyLiveMessages(a, liveMessages(e, e.maximum)));
            QCOMPARE(a, b);
        }
        QCOMPARE(liveMessages(row("cmbCHorusInitialStartPOsition"), 3), nrpn(105, 47));
        QCOMPARE(liveMessages(row("ckbArpPatternVelocity"), 1), nrpn(73, 1));
    }

    // The live bytes of every row at its minimum, maximum and one inner value
    // follow the row's rule and never carry a data byte of 0x80 or more.
    void liveBytesEveryRow()
    {
        for (const ParameterEntry& e : parameterMap()) {
            for (int v : { e.minimum, e.maximum, (e.minimum + e.maximum) / 2 }) {
                int expected = v;
                switch (e.live.rule) {
                case ValueRule::Position:
                case ValueRule::Index:
                    break;
                case ValueRule::PositionPlus64:
                    expected = v + 64;
                    break;
                case ValueRule::IndexPlusOffset:
                    expected = v + e.live.offset;
                    break;
                case ValueRule::OnOff:
                case ValueRule::SglMlt:
                    expected = e.live.fixed[v];
                    break;
                }
                const Messages m = liveMessages(e, v);
                for (const auto& msg : m) {
                    QCOMPARE(msg.size(), std::size_t(3));
                    QCOMPARE(msg[0], std::uint8_t(0xB0));
                    QVERIFY(msg[1] < 0x80 && msg[2] < 0x80);
                }
                if (e.live.kind == MessageKind::CC)
                    QCOMPARE(m, Messages({ { 0xB0, std::uint8_t(e.live.number), std::uint8_t(std::min(expected, 127)) } }));
                else
                    QCOMPARE(m, nrpn(e.live.number, expected & 0x7F));
            }
        }
    }

    // Applying a row's live messages to one dump equals writing the value into
    // another: the emulator's edit buffer ends up as the editor's copy.
    void reverseRoundTrip()
    {
        std::mt19937 rng(777);
        for (const ParameterEntry& e : parameterMap()) {
            if (!e.isStored())
                continue;
            // Tempo positions above 127 cannot travel on CC 9.
            const int max = e.control == "knobArpTempo" ? 127 : e.maximum;
            for (int v = e.minimum; v <= max; ++v) {
                const SoundDump start = randomDump(rng);
                SoundDump a = start, b = start;
                writeValue(a, e, v);
                QVERIFY2(applyLiveMessages(b, liveMessages(e, v)), e.control.data());
                if (a != b)
                    QFAIL(qPrintable(QStringLiteral("%1 value %2").arg(e.control.data()).arg(v)));
            }
        }
        // Unknown numbers and stray values change nothing.
        SoundDump d {};
        const SoundDump zero = d;
        QVERIFY(!applyController(d, 1, 5));
        QVERIFY(!applyNrpn(d, 104, 9));
        QVERIFY(!applyNrpn(d, 104, 34));
        QVERIFY(!applyNrpn(d, 105, 4));
        QVERIFY(!applyNrpn(d, 55, 7));
        QVERIFY(!applyNrpn(d, 999, 1));
        QVERIFY(!applyController(d, 40, 200));
        LiveMessageApplier applier;
        const std::uint8_t dataEntryAlone[] = { 0xB0, 6, 5 };
        QVERIFY(!applier.apply(d, dataEntryAlone));
        const std::uint8_t otherChannel[] = { 0xB1, 40, 5 };
        QVERIFY(!applier.apply(d, otherChannel));
        QCOMPARE(d, zero);
    }
};

QTEST_GUILESS_MAIN(TestParameterMap)
#include "test_parametermap.moc"
