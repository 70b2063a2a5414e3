#include "editor/Randomizer.h"

#include <array>
#include <chrono>

namespace sondrake::editor {

namespace {

    using std::string_view_literals::operator""sv;

    constexpr std::array kOsc1 { "KnobOsc1Semitone"sv, "cmbOsc1Forms"sv, "KnobOsc1Detune"sv, "KnobOsc1Level"sv,
        "KnobOsc1ManualPW"sv, "KnobOsc1LFO2PW"sv, "KnobOsc1ModEnvPW"sv, "cmbOsc1Octave"sv, "KnobOsc1ModEnvPitch"sv,
        "KnobOsc1LFO1Pitch"sv };
    constexpr std::array kOsc2 { "KnobOsc2Semitone"sv, "cmbOsc2Forms"sv, "KnobOsc2Detune"sv, "KnobOsc2Level"sv,
        "KnobOsc2ManualPW"sv, "KnobOsc2LFO2PW"sv, "KnobOsc2ModEnvPW"sv, "cmbOsc2Octave"sv, "KnobOsc2ModEnvPitch"sv,
        "KnobOsc2LFO1Pitch"sv };
    constexpr std::array kOsc3 { "KnobOsc3Semitone"sv, "cmbOsc3Forms"sv, "KnobOsc3Detune"sv, "KnobOsc3Level"sv,
        "KnobOsc3ManualPW"sv, "KnobOsc3LFO2PW"sv, "KnobOsc3ModEnvPW"sv, "cmbOsc3Octave"sv, "KnobOsc3ModEnvPitch"sv,
        "KnobOsc3LFO1Pitch"sv };
    constexpr std::array kNoiseRing { "cmbNoisetype"sv, "KnobNoiseLevel"sv, "KnobLfo1NoiseLevel"sv,
        "KnobRing12Level"sv, "KnobLFO1Ring12Level"sv };
    // The filter slope shares byte 13 with unison and poly mode and is drawn
    // with them, not with the filter.
    constexpr std::array kOscCommon { "cmbUnison"sv, "cmbOscPolyMode"sv, "cmbFilterSlope"sv, "cmbPortaMode"sv,
        "cmbFixedNote"sv, "ckbOsc12Sync"sv, "KnobPortamento"sv, "KnobUnidetune"sv, "KnobVCODrift"sv,
        "KnobPreglide"sv, "KnobStartPhase"sv, "Knob23FMLevel"sv, "Knob23FMADEnv"sv, "Knob23FMLFO1"sv,
        "KnobMixerOut"sv, "KnobMixerLFO1OSC1"sv, "KnobMixerLFO2OSC1"sv, "KnobMixerLFO2OSC2"sv,
        "KnobMixerADenvOSC3"sv };
    constexpr std::array kFilter { "KnobFrequency"sv, "KnobResonance"sv, "KnobKeyTrack"sv, "KnobModenvFiltFreq"sv,
        "KnobLfo2FiltFreq"sv, "KnobOverdrive"sv, "KnobQNormalise"sv, "KnobFiltVelocity"sv, "cmbFilterType"sv };
    constexpr std::array kLfos { "KnobLfo1Speed"sv, "KnobLfo1Delay"sv, "cmbLfo1Waveform"sv, "cmblfo1Triggering"sv,
        "KnobLfo1Velocity"sv, "KnobLfo1KeysyncPhaseOffset"sv, "ckbLfo1OneShot"sv, "ckbLfo1Keysync"sv,
        "ckbLfo1CommonToAllVoices"sv, "ckbLfo1Polarity"sv, "KnobLfo2Speed"sv, "KnobLfo2Delay"sv,
        "cmbLfo2Waveform"sv, "cmblfo2Triggering"sv, "KnobLfo2Velocity"sv, "KnobLfo2KeysyncPhaseOffset"sv,
        "ckbLfo2OneShot"sv, "ckbLfo2Keysync"sv, "ckbLfo2CommonToAllVoices"sv, "ckbLfo2Polarity"sv };
    constexpr std::array kEnvelopes { "sldAmpAttack"sv, "sldAmpDecay"sv, "sldAmpSustain"sv, "sldAmpRelease"sv,
        "sldModEnvAttack"sv, "sldModEnvDecay"sv, "sldModEnvSustain"sv, "sldModEnvRelease"sv, "sldEnv3Attack"sv,
        "sldEnv3Decay"sv, "sldVelocityAmp"sv, "sldVelocityModEnv"sv, "sldVelocityADEnv"sv, "cmbAmpEnvMonotrig"sv,
        "cmbMEnvMonotrig"sv, "cmbADEnvMonotrig"sv };

    // Schema indices of each group's controls, resolved once.
    struct GroupIndices {
        std::array<std::vector<int>, 8> indices;
        GroupIndices()
        {
            for (int g = 0; g < 8; ++g) {
                for (std::string_view control : groupControls(RandomGroup(g))) {
                    const ParameterEntry* p = entryForControl(control);
                    indices[std::size_t(g)].push_back(p ? p->schemaOrder - 1 : -1);
                }
            }
        }
    };

    const std::vector<int>& indicesOf(RandomGroup group)
    {
        static const GroupIndices all;
        return all.indices[std::size_t(group)];
    }

} // namespace

std::uint32_t Generator::timeOfDaySeed()
{
    using namespace std::chrono;
    const auto ms = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
    return std::uint32_t(ms % (24LL * 60 * 60 * 1000));
}

int drawAllowedIndex(QStringView text, Generator& gen)
{
    const QChar one(u'1');
    const std::uint32_t n = std::uint32_t(text.count(one));
    std::uint32_t k = gen.next(n) + 1;
    const qsizetype length = text.size();
    for (qsizetype i = 0; i < length; ++i) {
        if (text[i] == one && --k == 0)
            return int(i);
    }
    return int(length) - 1;
}

std::optional<int> randomizeParameter(
    SchemaEntry& entry, ControlKind kind, int minimum, int maximum, Generator& gen)
{
    const int count = maximum - minimum + 1;
    if (count <= 0) {
        gen.next(0);
        return std::nullopt;
    }
    // Flags past the last value stand for nothing and are never drawn.
    const auto inRange = [&] { return QStringView(entry.allowed).left(count); };
    if (kind == ControlKind::Knob && !inRange().contains(u'1')) {
        if (entry.allowed.size() < count)
            entry.allowed += QString(count - entry.allowed.size(), u'0');
        entry.allowed[count / 2] = u'1';
    }
    // A text without "1" gives its last position, cut to the range: "0"
    // (no schema file) is the first item, 0 on a slider, "On" on a check box.
    const int i = drawAllowedIndex(inRange(), gen);
    if (i < 0)
        return std::nullopt;
    switch (kind) {
    case ControlKind::Knob:
    case ControlKind::Slider:
        return minimum + i;
    case ControlKind::List:
    case ControlKind::CheckBox:
        return i;
    }
    return std::nullopt;
}

std::optional<int> randomizeParameter(SchemaEntry& entry, Generator& gen)
{
    const ParameterEntry& p = *entry.parameter;
    return randomizeParameter(entry, p.kind, p.minimum, p.maximum, gen);
}

bool randomizeInto(SoundDump& dump, SchemaEntry& entry, Generator& gen)
{
    const std::optional<int> drawn = randomizeParameter(entry, gen);
    if (!drawn)
        return false;
    const ParameterEntry& p = *entry.parameter;
    // A check box's flags are "On" first; its control value is 1 for on.
    const int value = p.kind == ControlKind::CheckBox ? (*drawn == 0 ? 1 : 0) : *drawn;
    writeValue(dump, p, value);
    return true;
}

std::span<const std::string_view> groupControls(RandomGroup group)
{
    switch (group) {
    case RandomGroup::Osc1:
        return kOsc1;
    case RandomGroup::Osc2:
        return kOsc2;
    case RandomGroup::Osc3:
        return kOsc3;
    case RandomGroup::NoiseRing:
        return kNoiseRing;
    case RandomGroup::OscCommon:
        return kOscCommon;
    case RandomGroup::Filter:
        return kFilter;
    case RandomGroup::Lfos:
        return kLfos;
    case RandomGroup::Envelopes:
        return kEnvelopes;
    }
    return {};
}

void randomizeGroup(RandomGroup group, SoundDump& dump, SoundFamilySchema& schema, Generator& gen)
{
    auto& entries = schema.entries();
    for (int index : indicesOf(group)) {
        if (index >= 0 && index < int(entries.size()))
            randomizeInto(dump, entries[std::size_t(index)], gen);
    }
}

void randomizeOsc1(SoundDump& d, SoundFamilySchema& s, Generator& g)
{
    randomizeGroup(RandomGroup::Osc1, d, s, g);
}
void randomizeOsc2(SoundDump& d, SoundFamilySchema& s, Generator& g)
{
    randomizeGroup(RandomGroup::Osc2, d, s, g);
}
void randomizeOsc3(SoundDump& d, SoundFamilySchema& s, Generator& g)
{
    randomizeGroup(RandomGroup::Osc3, d, s, g);
}
void randomizeNoiseRing(SoundDump& d, SoundFamilySchema& s, Generator& g)
{
    randomizeGroup(RandomGroup::NoiseRing, d, s, g);
}
void randomizeOscCommon(SoundDump& d, SoundFamilySchema& s, Generator& g)
{
    randomizeGroup(RandomGroup::OscCommon, d, s, g);
}
void randomizeFilter(SoundDump& d, SoundFamilySchema& s, Generator& g)
{
    randomizeGroup(RandomGroup::Filter, d, s, g);
}
void randomizeLfos(SoundDump& d, SoundFamilySchema& s, Generator& g)
{
    randomizeGroup(RandomGroup::Lfos, d, s, g);
}
void randomizeEnvelopes(SoundDump& d, SoundFamilySchema& s, Generator& g)
{
    randomizeGroup(RandomGroup::Envelopes, d, s, g);
}

void randomizeSound(SoundDump& d, SoundFamilySchema& s, Generator& g)
{
    randomizeOsc1(d, s, g);
    randomizeOsc2(d, s, g);
    randomizeOsc3(d, s, g);
    randomizeNoiseRing(d, s, g);
    randomizeOscCommon(d, s, g);
    randomizeFilter(d, s, g);
    randomizeLfos(d, s, g);
    randomizeEnvelopes(d, s, g);
}

void randomizeOscillators(SoundDump& d, SoundFamilySchema& s, Generator& g)
{
    randomizeOsc1(d, s, g);
    randomizeOsc2(d, s, g);
    randomizeOsc3(d, s, g);
}

QString parameterListCaption(const ParameterEntry& p)
{
    QString caption = QStringLiteral("Parameter List View");
    if (p.kind == ControlKind::Knob || p.kind == ControlKind::CheckBox)
        caption += QStringLiteral(" (") + QString::fromLatin1(p.caption.data(), qsizetype(p.caption.size())) + u')';
    return caption;
}

QStringList parameterListRows(const ParameterEntry& p)
{
    QStringList rows;
    switch (p.kind) {
    case ControlKind::List:
        for (std::string_view item : p.items)
            rows << QString::fromLatin1(item.data(), qsizetype(item.size()));
        break;
    case ControlKind::Knob:
    case ControlKind::Slider:
        for (int v = p.minimum; v <= p.maximum; ++v)
            rows << QString::number(v);
        break;
    case ControlKind::CheckBox:
        rows << QStringLiteral("On") << QStringLiteral("Off");
        break;
    }
    return rows;
}

std::vector<bool> parameterListChecks(const ParameterEntry& p, QStringView allowed)
{
    const int count = p.kind == ControlKind::CheckBox ? 2 : int(parameterListRows(p).size());
    std::vector<bool> checks(std::size_t(count), false);
    for (int i = 0; i < count; ++i) {
        if (i < allowed.size())
            checks[std::size_t(i)] = allowed[i] != u'0';
        else
            checks[std::size_t(i)] = p.kind == ControlKind::CheckBox;
    }
    if (p.kind == ControlKind::Knob && !allowed.left(count).contains(u'1'))
        checks[std::size_t(count / 2)] = true;
    return checks;
}

QString allowedFromChecks(const std::vector<bool>& checks)
{
    QString text;
    text.reserve(qsizetype(checks.size()));
    for (bool c : checks)
        text += c ? u'1' : u'0';
    return text;
}

} // namespace sondrake::editor
