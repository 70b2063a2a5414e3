// Every row of the program's parameter map against the table typed in
// ParameterTable.h: what a byte decodes to, what a value writes (and what it
// leaves alone), the bytes that go to the synthesizer and how they are paced,
// and what the emulator makes of them, at both ends of each range and in the
// middle.
#include "ParameterTable.h"
#include "parametermap/ParameterMap.h"
#include "parametermap/ValueLists.h"
#include "editor/ParameterMapLive.h"
#include "midi/MidiSession.h"
#include "support/RecordingBackend.h"

#include <QtTest>

#include <random>
#include <string>

using namespace sondrake;
using namespace sondrake::editor;
using namespace sondrake::parametermap;
namespace pt = parameter_table;

namespace {

using Messages = std::vector<std::vector<std::uint8_t>>;

const ParameterEntry& row(std::string_view control)
{
    const ParameterEntry* e = entryForControl(control);
    if (!e)
        qFatal("no row for %s", std::string(control).c_str());
    return *e;
}

// Every byte different from its neighbours and most bits set somewhere, so a
// write that touches a wrong byte or bit shows.
SoundDump patternDump(unsigned seed)
{
    std::mt19937 rng(seed);
    SoundDump d;
    for (auto& b : d)
        b = std::uint8_t(rng());
    return d;
}

ControlKind kindOf(const pt::Row& t)
{
    switch (t.kind) {
    case pt::Knob:
        return ControlKind::Knob;
    case pt::Slider:
        return ControlKind::Slider;
    case pt::List:
        return ControlKind::List;
    case pt::Check:
        break;
    }
    return ControlKind::CheckBox;
}

int fieldMask(const pt::Row& t) { return (1 << (t.place.hi - t.place.lo + 1)) - 1; }

// The value a row keeps for control value v: only unison's eight entries do
// not fit their two bits, and they keep the largest the field holds.
int keptValue(const pt::Row& t, int v)
{
    if (t.place.enc == pt::Enc::Bits && v > fieldMask(t)) {
        if (!t.own)
            qFatal("%s: value %d does not fit its field", std::string(t.control).c_str(), v);
        return fieldMask(t);
    }
    return v;
}

// `dump` with the row's byte (or bits) holding control value v.
SoundDump encoded(const pt::Row& t, SoundDump dump, int v)
{
    if (t.place.enc == pt::Enc::None)
        return dump;
    std::uint8_t& b = dump[std::size_t(t.place.byte)];
    switch (t.place.enc) {
    case pt::Enc::Plain:
        b = std::uint8_t(v);
        break;
    case pt::Enc::Off64:
        b = std::uint8_t(v + 64);
        break;
    case pt::Enc::Bits: {
        const int mask = fieldMask(t) << t.place.lo;
        b = std::uint8_t((b & ~mask) | (keptValue(t, v) << t.place.lo));
        break;
    }
    case pt::Enc::Flag:
        b = v ? 1 : 0;
        break;
    case pt::Enc::None:
        break;
    }
    return dump;
}

int wireValue(const pt::Row& t, int v)
{
    switch (t.live.rule) {
    case pt::Rule::Value:
        return v;
    case pt::Rule::Plus64:
        return v + 64;
    case pt::Rule::PlusOffset:
        return v + t.live.offset;
    case pt::Rule::Fixed:
        return v ? t.live.on : t.live.off;
    }
    return -1;
}

Messages wireBytes(const pt::Row& t, int v)
{
    const int value = wireValue(t, v);
    if (t.live.wire == pt::Wire::CC) {
        // Tempo runs to 191 but CC 9 carries 7 bits: 128..191 leave as 127.
        if (value > 127 && !t.own)
            qFatal("%s: value %d does not fit a controller", std::string(t.control).c_str(), value);
        return { { 0xB0, std::uint8_t(t.live.number), std::uint8_t(std::min(value, 127)) } };
    }
    return { { 0xB0, 99, 0 }, { 0xB0, 98, std::uint8_t(t.live.number) },
        { 0xB0, 6, std::uint8_t(value & 0x7F) } };
}

std::vector<int> valuesToTry(const pt::Row& t)
{
    std::vector<int> v { t.min, t.max, (t.min + t.max) / 2 };
    if (t.control == "cmbUnison")
        v.push_back(3); // the last entry its field holds as it is
    return v;
}

QByteArray where(const pt::Row& t, int v)
{
    return QByteArray(t.control.data(), int(t.control.size())) + " value " + QByteArray::number(v);
}

int firstDifference(const SoundDump& a, const SoundDump& b)
{
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i])
            return int(i);
    return -1;
}

} // namespace

class TestParameterMap : public QObject {
    Q_OBJECT

private slots:
    void rowsMatchTheTypedTable()
    {
        const auto map = parameterMap();
        QCOMPARE(map.size(), std::size(pt::kRows));
        std::size_t first = 0;
        for (const pt::GroupBox& g : pt::kGroupBoxes) {
            for (std::size_t i = first; i < first + std::size_t(g.rows); ++i) {
                QCOMPARE(map[i].tab, g.tab);
                QCOMPARE(map[i].group, g.name);
            }
            first += std::size_t(g.rows);
        }
        QCOMPARE(first, map.size());

        for (std::size_t i = 0; i < map.size(); ++i) {
            const ParameterEntry& e = map[i];
            const pt::Row& t = pt::kRows[i];
            const QByteArray name(t.control.data(), int(t.control.size()));
            QCOMPARE(e.control, t.control);
            QCOMPARE(entryForControl(t.control), &e);
            QVERIFY2(e.kind == kindOf(t), name);
            QVERIFY2(e.caption == t.caption, name);
            QVERIFY2(e.minimum == t.min && e.maximum == t.max, name);
            if (t.kind == pt::List)
                QVERIFY2(e.items.size() == std::size_t(t.max + 1), name);
            QVERIFY2(e.schemaOrder == t.order, name);
            QVERIFY2(e.key == t.key, name);
            QVERIFY2(e.rButton == t.rButton, name);
            QVERIFY2(e.isStored() == (t.place.enc != pt::Enc::None), name);
            if (t.order) {
                QCOMPARE(schemaEntries()[std::size_t(t.order - 1)], &e);
                QCOMPARE(entryForRButton(t.rButton), &e);
                QCOMPARE(entryForKey(t.key), &e);
                std::string lower(t.key);
                for (char& c : lower)
                    c = char(std::tolower(static_cast<unsigned char>(c)));
                QCOMPARE(entryForKey(lower), &e); // schema files match keys in any case
            }
        }
        QVERIFY(!entryForKey("") && !entryForKey("nothing") && !entryForControl("btnSendPatch"));
        QVERIFY(!entryForRButton(0) && !entryForRButton(100));
    }

    // Decoding typed bytes, encoding into a dump (the rest of the dump, other
    // bits of a shared byte included, unchanged; unstored rows write nothing),
    // the live bytes, and the emulator applying those bytes to its sound.
    void valuesOfEveryRow()
    {
        // A pattern and its complement: every bit beside a field is once set
        // and once clear.
        SoundDump inverted = patternDump(2024);
        for (auto& b : inverted)
            b = std::uint8_t(~b);
        for (const SoundDump& pattern : { patternDump(2024), inverted })
            for (const pt::Row& t : pt::kRows) {
                const ParameterEntry& e = row(t.control);
                for (int v : valuesToTry(t)) {
                    const SoundDump expected = encoded(t, pattern, v);

                    SoundDump written = pattern;
                    writeValue(written, e, v);
                    QVERIFY2(written == expected,
                        where(t, v) + " writes byte "
                            + QByteArray::number(firstDifference(written, expected)));

                    if (t.place.enc != pt::Enc::None)
                        QVERIFY2(readValue(expected, e) == keptValue(t, v),
                            where(t, v) + " reads " + QByteArray::number(readValue(expected, e)));

                    const Messages wire = wireBytes(t, v);
                    QVERIFY2(liveMessages(e, v) == wire, where(t, v));

                    SoundDump applied = pattern;
                    if (t.place.enc == pt::Enc::None) {
                        QVERIFY2(!applyLiveMessages(applied, wire), where(t, v));
                        QVERIFY2(applied == pattern, where(t, v));
                    } else if (wireValue(t, v) <= 127) {
                        QVERIFY2(applyLiveMessages(applied, wire), where(t, v));
                        QVERIFY2(applied == expected,
                            where(t, v) + " applies to byte "
                                + QByteArray::number(firstDifference(applied, expected)));
                    }
                }
                // A flag is on only for the byte value 1.
                if (t.place.enc == pt::Enc::Flag) {
                    SoundDump d = pattern;
                    for (int b : { 0, 2, 0x7F, 0xFF }) {
                        d[std::size_t(t.place.byte)] = std::uint8_t(b);
                        QVERIFY2(readValue(d, e) == 0, where(t, b));
                    }
                }
            }
    }

    // What sendLive hands to the output: the same bytes, every message of a
    // controller or an NRPN group followed by at least 2 ms before the next,
    // and nothing of another row inside an NRPN group.
    void sentLiveAndPaced()
    {
        midi::MidiSession session;
        auto rec = midi::installRecordingBackend(session);
        Messages expected;
        for (const pt::Row& t : pt::kRows) {
            sendLive(&session, row(t.control), t.max);
            for (const auto& m : wireBytes(t, t.max))
                expected.push_back(m);
        }
        QVERIFY(session.waitIdle(std::chrono::seconds(20)));
        const auto records = rec->records();
        QCOMPARE(rec->messages(), expected);
        for (std::size_t i = 1; i < records.size(); ++i)
            QVERIFY2(records[i].at - records[i - 1].at >= std::chrono::milliseconds(2),
                qPrintable(QStringLiteral("message %1").arg(i)));
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
        QCOMPARE(lists::lfoWaveforms()[31], std::string_view("Pattern9"));
        QCOMPARE(lists::syncTypes()[15], std::string_view("1 bar"));
        QCOMPARE(lists::longSyncTimes()[34], std::string_view("12bars"));
        QCOMPARE(lists::delaySyncTimes()[19], std::string_view("2 bars"));
        QCOMPARE(lists::arpPatterns()[32], std::string_view("32"));
        QCOMPARE(lists::oscillatorWaveforms()[16], std::string_view("ANA BASS"));
    }

    void edgeCases()
    {
        SoundDump d {};
        // Values outside the range are kept inside it.
        writeValue(d, row("KnobMixerOut"), 99);
        QCOMPARE(d[138], std::uint8_t(30));

        // Byte 13 = 0xFF: unison index 3, poly mode 3, slope 3 (no such entry).
        d[13] = 0xFF;
        QCOMPARE(readValue(d, row("cmbUnison")), 3);
        QCOMPARE(readValue(d, row("cmbOscPolyMode")), 3);
        QCOMPARE(readValue(d, row("cmbFilterSlope")), 3);
        writeValue(d, row("cmbFilterSlope"), 0);
        QCOMPARE(d[13], std::uint8_t(0x3F));
    }

    // The check that stops the program on an incomplete table: the program's
    // own table passes, and each kind of gap in one row is named.
    void incompleteRowsAreRefused()
    {
        const auto map = parameterMap();
        const std::vector<ParameterEntry> good(map.begin(), map.end());
        QCOMPARE(parameterTableFault(good), std::string());
        const auto index = [&](std::string_view control) {
            return std::size_t(&row(control) - map.data());
        };
        const auto faultAfter = [&](std::string_view control, auto change) {
            std::vector<ParameterEntry> rows = good;
            change(rows[index(control)]);
            return parameterTableFault(rows);
        };
        const std::string noInit
            = faultAfter("sldAmpDecay", [](ParameterEntry& e) { e.initValue = kNoInitValue; });
        QVERIFY2(noInit.find("sldAmpDecay") != std::string::npos, noInit.c_str());
        QVERIFY(!faultAfter("KnobMixerOut", [](ParameterEntry& e) { e.initValue = 31; }).empty());
        QVERIFY(!faultAfter("knobArpTempo", [](ParameterEntry& e) { e.initValue = 64; }).empty());
        QVERIFY(!faultAfter("cmbArpMode", [](ParameterEntry& e) { e.shortName = {}; }).empty());
        QVERIFY(!faultAfter("KnobPanModRate", [](ParameterEntry& e) { e.boxWidth = 185; }).empty());
        QVERIFY(!faultAfter("KnobPanModRate", [](ParameterEntry& e) { e.boxLine = 0; }).empty());
        QVERIFY(!faultAfter("KnobOsc2Level", [](ParameterEntry& e) { e.rButton = 5; }).empty());
        QVERIFY(!faultAfter("KnobOsc2Level", [](ParameterEntry& e) { e.control = "KnobOsc1Level"; }).empty());
        QVERIFY(!faultAfter("KnobOsc2Level", [](ParameterEntry& e) { e.storage.byte = int(kDumpSize); }).empty());
        const std::string missing = faultAfter("KnobOsc2Level", [](ParameterEntry& e) {
            e.schemaOrder = 0;
            e.key = {};
            e.initValue = kNoInitValue;
            e.draw = {};
            e.tolerance = ToleranceClass::None;
        });
        QVERIFY2(missing.find("15") != std::string::npos, missing.c_str());

        // The randomizer's steps: every schema row drawn once, no group with
        // a gap, nothing outside a schema drawn.
        const std::string undrawn = faultAfter("cmbFilterSlope", [](ParameterEntry& e) { e.draw.step = 0; });
        QVERIFY2(undrawn.find("cmbFilterSlope") != std::string::npos, undrawn.c_str());
        const std::string twice = faultAfter("KnobOsc2Level", [](ParameterEntry& e) { e.draw.step = 3; });
        QVERIFY2(twice.find("step 3") != std::string::npos, twice.c_str());
        using G = RandomGroup;
        using T = ToleranceClass;
        QVERIFY(!faultAfter("KnobOsc2Level", [](ParameterEntry& e) { e.draw.group = G::Osc1; }).empty());
        QVERIFY(!faultAfter("ckbLfo2Polarity", [](ParameterEntry& e) { e.draw.step = 21; }).empty());
        QVERIFY(!faultAfter("knobArpTempo", [](ParameterEntry& e) { e.draw = { G::Filter, 10 }; }).empty());

        // The tolerance class: given to every schema row, fitting its kind.
        QVERIFY(!faultAfter("KnobOsc3Detune", [](ParameterEntry& e) { e.tolerance = T::None; }).empty());
        QVERIFY(!faultAfter("sldAmpDecay", [](ParameterEntry& e) { e.tolerance = T::Semitone; }).empty());
        QVERIFY(!faultAfter("cmbUnison", [](ParameterEntry& e) { e.tolerance = T::OtherKnob; }).empty());
        QVERIFY(!faultAfter("ckbOsc12Sync", [](ParameterEntry& e) { e.tolerance = T::List; }).empty());
        QVERIFY(!faultAfter("KnobArpGateTime", [](ParameterEntry& e) { e.tolerance = T::OtherKnob; }).empty());
    }

    // Numbers and values no row sends change nothing in the emulator's sound.
    void strayLiveMessages()
    {
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
