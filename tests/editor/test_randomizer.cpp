#include "ParameterTable.h"
#include "editor/Randomizer.h"

#include <QtTest>

#include <random>
#include <set>

using namespace sondrake;
using namespace sondrake::editor;

namespace {

// Each routine with what it draws, in drawing order, as typed in the table;
// "Randomize Sound" runs them in this order.
struct TypedGroup {
    RandomGroup group;
    std::span<const std::string_view> controls;
};
const TypedGroup kTypedGroups[] = {
    { RandomGroup::Osc1, parameter_table::kDrawOsc1 },
    { RandomGroup::Osc2, parameter_table::kDrawOsc2 },
    { RandomGroup::Osc3, parameter_table::kDrawOsc3 },
    { RandomGroup::NoiseRing, parameter_table::kDrawNoiseRing },
    { RandomGroup::OscCommon, parameter_table::kDrawOscCommon },
    { RandomGroup::Filter, parameter_table::kDrawFilter },
    { RandomGroup::Lfos, parameter_table::kDrawLfos },
    { RandomGroup::Envelopes, parameter_table::kDrawEnvelopes },
};

const ParameterEntry& row(std::string_view control) { return *entryForControl(control); }

SoundDump randomDump(std::mt19937& rng)
{
    SoundDump d;
    for (auto& b : d)
        b = std::uint8_t(rng());
    return d;
}

int flagCount(const ParameterEntry& p) { return p.kind == ControlKind::CheckBox ? 2 : p.valueCount(); }

// Random flags, sometimes shorter or longer than the range, sometimes empty
// or without any "1".
QString randomFlags(const ParameterEntry& p, std::mt19937& rng)
{
    const int shape = int(rng() % 8);
    if (shape == 0)
        return QString();
    if (shape == 1)
        return QString(flagCount(p), u'0');
    int length = flagCount(p);
    if (shape == 2)
        length = 1 + int(rng() % std::uint32_t(length));
    else if (shape == 3)
        length += 1 + int(rng() % 20);
    QString s;
    for (int i = 0; i < length; ++i)
        s += (rng() % 3 == 0) ? u'1' : u'0';
    return s;
}

// Places (byte, bit mask) owned by a set of controls.
std::array<std::uint8_t, kDumpSize> ownedBits(std::span<const std::string_view> controls)
{
    std::array<std::uint8_t, kDumpSize> mask {};
    for (std::string_view c : controls) {
        const ParameterEntry& p = row(c);
        const Storage& s = p.storage;
        mask[std::size_t(s.byte)] |= s.encoding == Encoding::BitField
            ? std::uint8_t(((1 << (s.hi - s.lo + 1)) - 1) << s.lo)
            : std::uint8_t(0xFF);
    }
    return mask;
}

// The value a check box's flag position stands for: position 0 is "On".
int controlValueOf(const ParameterEntry& p, int drawn)
{
    return p.kind == ControlKind::CheckBox ? (drawn == 0 ? 1 : 0) : drawn;
}

} // namespace

class TestRandomizer : public QObject {
    Q_OBJECT

private slots:
    void generatorSequence()
    {
        std::uint32_t state = 0x2A5F1C3Bu;
        Generator gen(state);
        const std::uint32_t ns[] = { 0, 1, 2, 4, 17, 25, 100, 128, 1000, 0xFFFFFFFFu, 7, 0, 3 };
        for (int round = 0; round < 3; ++round) {
            for (std::uint32_t n : ns) {
                state = std::uint32_t(std::uint64_t(state) * 134775813u + 1u);
                const std::uint32_t expected = std::uint32_t((std::uint64_t(state) * n) >> 32);
                QCOMPARE(gen.next(n), expected);
                QCOMPARE(gen.state(), state);
                QVERIFY(n == 0 ? expected == 0 : expected < n);
            }
        }
        // The first draws from seed 0 by hand: state 1, then 134775814.
        Generator zero(0);
        QCOMPARE(zero.next(1000), 0u);
        QCOMPARE(zero.state(), 1u);
        QCOMPARE(zero.next(1u << 31), 134775814u >> 1);
        QVERIFY(Generator::timeOfDaySeed() < 86400000u);
    }

    void drawsOnlyAllowedPositions()
    {
        Generator gen(99);
        for (int i = 0; i < 200; ++i)
            QCOMPARE(drawAllowedIndex(QStringLiteral("0000010000"), gen), 5);
        std::set<int> seen;
        for (int i = 0; i < 200; ++i)
            seen.insert(drawAllowedIndex(QStringLiteral("11111"), gen));
        QCOMPARE(seen, std::set<int>({ 0, 1, 2, 3, 4 }));
        const std::uint32_t before = gen.state();
        QCOMPARE(drawAllowedIndex(QStringLiteral("0000"), gen), 3); // last position
        QVERIFY(gen.state() != before); // a draw happened all the same
        QCOMPARE(drawAllowedIndex(QString(), gen), -1);
        // "x" is not "1": only "1" counts as allowed.
        for (int i = 0; i < 50; ++i)
            QCOMPARE(drawAllowedIndex(QStringLiteral("x1x"), gen), 1);
    }

    void uniformOverFourValues()
    {
        Generator gen(4242);
        SoundFamilySchema schema;
        SchemaEntry& noise = schema.entryFor(row("cmbNoisetype"));
        noise.allowed = QStringLiteral("1111");
        int counts[4] = {};
        for (int i = 0; i < 40000; ++i) {
            const auto v = randomizeParameter(noise, gen);
            QVERIFY(v && *v >= 0 && *v < 4);
            ++counts[*v];
        }
        double chi = 0;
        for (int c : counts)
            chi += (c - 10000.0) * (c - 10000.0) / 10000.0;
        QVERIFY2(chi < 16.27, qPrintable(QString::number(chi))); // 3 degrees of freedom, p = 0.001

        noise.allowed = QStringLiteral("0001");
        for (int i = 0; i < 100; ++i)
            QCOMPARE(randomizeParameter(noise, gen), std::optional<int>(3));
    }

    void knobFallback()
    {
        Generator gen(1);
        SoundFamilySchema schema;
        SchemaEntry& pw = schema.entryFor(row("KnobOsc1ManualPW"));
        pw.allowed = QStringLiteral("0");
        QCOMPARE(randomizeParameter(pw, gen), std::optional<int>(0));
        QCOMPARE(pw.allowed, QString(64, u'0') + u'1' + QString(63, u'0'));
        QCOMPARE(schema.allowedValues("KnobOsc1ManualPW").size(), 128);

        SchemaEntry& semi = schema.entryFor(row("KnobOsc2Semitone"));
        QCOMPARE(randomizeParameter(semi, gen), std::optional<int>(64));
        QCOMPARE(semi.allowed, QString(12, u'0') + u'1' + QString(12, u'0'));
        SchemaEntry& detune = schema.entryFor(row("KnobOsc3Detune"));
        QCOMPARE(randomizeParameter(detune, gen), std::optional<int>(65));
        SchemaEntry& level = schema.entryFor(row("KnobOsc1Level"));
        QCOMPARE(randomizeParameter(level, gen), std::optional<int>(64));

        // A "1" past the last value counts for nothing: the knob falls back
        // and never takes a value outside 0..30; the long text keeps its tail.
        SchemaEntry& mixer = schema.entryFor(row("KnobMixerOut"));
        mixer.allowed = QString(35, u'0') + QStringLiteral("10000");
        for (int i = 0; i < 50; ++i)
            QCOMPARE(randomizeParameter(mixer, gen), std::optional<int>(15));
        QCOMPARE(mixer.allowed.size(), 40);
        QCOMPARE(mixer.allowed.count(u'1'), 2);
        QCOMPARE(mixer.allowed[15], u'1');
    }

    // Lists, sliders and check boxes whose text allows nothing in range take
    // the last position of the text, cut to the range; only an empty text
    // keeps the value. Check boxes map "On"/"Off" to on/off.
    void nonKnobsWithoutAllowedValue()
    {
        Generator gen(5);
        SoundFamilySchema schema;
        SoundDump d {};
        d.fill(0x5A);
        schema.setAllowedValues("cmbOsc1Forms", QString(17, u'0') + u'1'); // the 18th item does not exist
        schema.setAllowedValues("sldAmpAttack", QStringLiteral("000"));
        schema.setAllowedValues("ckbLfo1Polarity", QStringLiteral("00111"));
        schema.setAllowedValues("cmbFilterSlope", QStringLiteral("0"));
        for (const char* c : { "cmbOsc1Forms", "sldAmpAttack", "ckbLfo1Polarity", "cmbFilterSlope" })
            QVERIFY(randomizeInto(d, *schema.entryForControl(c), gen));
        QCOMPARE(readValue(d, row("cmbOsc1Forms")), 16);
        QCOMPARE(readValue(d, row("sldAmpAttack")), 2);
        QCOMPARE(readValue(d, row("ckbLfo1Polarity")), 0); // "Off"
        QCOMPARE(readValue(d, row("cmbFilterSlope")), 0);

        const SoundDump before = d;
        schema.setAllowedValues("sldAmpDecay", QString());
        const std::uint32_t state = gen.state();
        QVERIFY(!randomizeInto(d, *schema.entryForControl("sldAmpDecay"), gen));
        QVERIFY(gen.state() != state);
        QCOMPARE(d, before);

        schema.setAllowedValues("ckbLfo1Polarity", QStringLiteral("10"));
        QVERIFY(randomizeInto(d, *schema.entryForControl("ckbLfo1Polarity"), gen));
        QCOMPARE(d[146], std::uint8_t(1));
        schema.setAllowedValues("ckbLfo1Polarity", QStringLiteral("01"));
        QVERIFY(randomizeInto(d, *schema.entryForControl("ckbLfo1Polarity"), gen));
        QCOMPARE(d[146], std::uint8_t(0));
        schema.setAllowedValues("ckbOsc12Sync", QStringLiteral("10"));
        d[19] = 0x00;
        QVERIFY(randomizeInto(d, *schema.entryForControl("ckbOsc12Sync"), gen));
        QCOMPARE(d[19], std::uint8_t(0x40));

        // Octave "2" -> "-1" keeps the other octaves and the sync bit.
        d[19] = 0xFF;
        schema.setAllowedValues("cmbOsc1Octave", QStringLiteral("1000"));
        QVERIFY(randomizeInto(d, *schema.entryForControl("cmbOsc1Octave"), gen));
        QCOMPARE(d[19], std::uint8_t(0xCF));
    }

    // Every group routine changes only its own parameters (whole bytes or
    // bits), stores only allowed values, and draws once per parameter in its
    // fixed order.
    void groupsChangeExactlyTheirParameters()
    {
        std::mt19937 rng(2024);
        std::set<std::string_view> all;
        for (const TypedGroup& typed : kTypedGroups) {
            const RandomGroup g = typed.group;
            const auto controls = typed.controls;
            QVERIFY(std::ranges::equal(groupControls(g), controls));
            for (std::string_view c : controls)
                QVERIFY(all.insert(c).second);
            const auto mask = ownedBits(controls);
            for (int round = 0; round < 300; ++round) {
                SoundFamilySchema schema;
                for (SchemaEntry& e : schema.entries())
                    e.allowed = randomFlags(*e.parameter, rng);
                const SoundFamilySchema original = schema;
                const SoundDump before = randomDump(rng);
                SoundDump after = before;
                Generator gen { std::uint32_t(rng()) };
                const std::uint32_t seed = gen.state();
                randomizeGroup(g, after, schema, gen);

                for (std::size_t i = 0; i < kDumpSize; ++i)
                    QVERIFY(((before[i] ^ after[i]) & ~mask[i]) == 0);

                // Replay: one draw per parameter, in order, over its in-range flags.
                Generator replay(seed);
                for (std::string_view c : controls) {
                    const ParameterEntry& p = row(c);
                    const SchemaEntry& e = *schema.entryForControl(c);
                    const QString flags = e.allowed.left(flagCount(p));
                    const int drawn = drawAllowedIndex(flags, replay);
                    const int got = readValue(after, p);
                    if (drawn >= 0) {
                        const int min = p.kind == ControlKind::Knob || p.kind == ControlKind::Slider ? p.minimum : 0;
                        int expected = controlValueOf(p, min + drawn);
                        if (c == "cmbUnison")
                            expected = std::min(expected, 3);
                        QCOMPARE(got, expected);
                    } else { // an empty text
                        QVERIFY(p.kind != ControlKind::Knob);
                        QCOMPARE(got, readValue(before, p));
                    }
                    // Only knob entries without an allowed value change the schema.
                    const SchemaEntry& o = *original.entryForControl(c);
                    if (p.kind != ControlKind::Knob || o.allowed.left(p.valueCount()).contains(u'1'))
                        QCOMPARE(e.allowed, o.allowed);
                }
                QCOMPARE(gen.state(), replay.state());
            }
        }
        QCOMPARE(all.size(), std::size_t(99));
    }

    void wholeSoundAndButtons()
    {
        std::mt19937 rng(8);
        SoundFamilySchema a;
        for (SchemaEntry& e : a.entries())
            e.allowed = randomFlags(*e.parameter, rng);
        SoundFamilySchema b = a;
        SoundDump d1 = randomDump(rng);
        SoundDump d2 = d1;
        Generator g1(77), g2(77);
        randomizeSound(d1, a, g1);
        for (const TypedGroup& typed : kTypedGroups)
            for (std::string_view c : typed.controls)
                randomizeInto(d2, *b.entryForControl(c), g2);
        QCOMPARE(d1, d2);
        QCOMPARE(g1.state(), g2.state());

        // With every entry "0": knobs go to their middle and gain it in the
        // schema; lists go to their first item, sliders to 0, check boxes on.
        SoundFamilySchema zero;
        for (SchemaEntry& e : zero.entries())
            e.allowed = QStringLiteral("0");
        SoundDump d {};
        d.fill(0x11);
        Generator gen(3);
        randomizeSound(d, zero, gen);
        for (const SchemaEntry& e : zero.entries()) {
            const ParameterEntry& p = *e.parameter;
            if (p.kind == ControlKind::Knob) {
                QCOMPARE(readValue(d, p), p.minimum + p.valueCount() / 2);
                QCOMPARE(e.allowed.size(), qsizetype(p.valueCount()));
                QCOMPARE(e.allowed.count(u'1'), 1);
            } else {
                QCOMPARE(readValue(d, p), p.kind == ControlKind::CheckBox ? 1 : 0);
                QCOMPARE(e.allowed, QStringLiteral("0"));
            }
        }
    }

    void parameterListHelpers()
    {
        const ParameterEntry& semi = row("KnobOsc1Semitone");
        QCOMPARE(parameterListCaption(semi), QStringLiteral("Parameter List View (Semitone)"));
        QCOMPARE(parameterListCaption(row("ckbOsc12Sync")), QStringLiteral("Parameter List View (Osc 1>2 Sync)"));
        QCOMPARE(parameterListCaption(row("sldAmpAttack")), QStringLiteral("Parameter List View"));
        QCOMPARE(parameterListCaption(row("cmbFilterType")), QStringLiteral("Parameter List View"));

        const QStringList pw = parameterListRows(row("KnobOsc1ManualPW"));
        QCOMPARE(pw.size(), 128);
        QCOMPARE(pw.first(), QStringLiteral("-64"));
        QCOMPARE(pw.last(), QStringLiteral("63"));
        QCOMPARE(parameterListRows(row("cmbFilterType")),
            QStringList({ QStringLiteral("Lo-pass"), QStringLiteral("Band-pass"), QStringLiteral("High-pass") }));
        QCOMPARE(parameterListRows(row("ckbLfo1Keysync")), QStringList({ QStringLiteral("On"), QStringLiteral("Off") }));

        // A knob without a "1": only its middle row, and "Ok" stores the full text.
        const auto knob = parameterListChecks(semi, u"0");
        QCOMPARE(allowedFromChecks(knob), QString(12, u'0') + u'1' + QString(12, u'0'));
        // Rows past the text stay unticked; anything but "0" ticks.
        QCOMPARE(allowedFromChecks(parameterListChecks(row("cmbFilterType"), u"0x")), QStringLiteral("010"));
        QCOMPARE(allowedFromChecks(parameterListChecks(row("ckbLfo1Keysync"), u"0")), QStringLiteral("01"));
        QCOMPARE(allowedFromChecks(parameterListChecks(row("ckbLfo1Keysync"), u"")), QStringLiteral("11"));
        QCOMPARE(allowedFromChecks(parameterListChecks(row("ckbLfo1Keysync"), u"10")), QStringLiteral("10"));
        QCOMPARE(allowedFromChecks(parameterListChecks(row("sldAmpAttack"), u"11")), QStringLiteral("11") + QString(126, u'0'));
    }
};

QTEST_GUILESS_MAIN(TestRandomizer)
#include "test_randomizer.moc"
