#include "parametermap/ParameterMap.h"

#include "parametermap/ValueLists.h"
#include "store/ControllerBytes.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <map>
#include <set>
#include <stdexcept>
#include <utility>

// Marks the texts the editor shows (tab, group and control captions) for
// lupdate, which collects them into the translation template; the editor
// translates them in the context "ParameterMap" where it shows them. This
// library has no Qt, so the mark is the text itself.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, text) text
#endif

namespace sondrake::parametermap {

namespace {

    // Storage helpers.
    Storage plain(int byte) { return { Encoding::Plain, byte, 0, 7 }; }
    Storage off64(int byte) { return { Encoding::Offset64, byte, 0, 7 }; }
    Storage bits(int byte, int lo, int hi) { return { Encoding::BitField, byte, lo, hi }; }
    Storage bit(int byte, int n) { return { Encoding::BitField, byte, n, n }; }
    Storage flag(int byte) { return { Encoding::Flag, byte, 0, 7 }; }
    Storage notStored() { return { Encoding::NotStored, -1, 0, 7 }; }

    // Live message helpers.
    LiveMessage ccPos(int n) { return { MessageKind::CC, n, ValueRule::Position, 0, { 0, 0 } }; }
    LiveMessage ccPos64(int n) { return { MessageKind::CC, n, ValueRule::PositionPlus64, 0, { 0, 0 } }; }
    LiveMessage ccIdx(int n) { return { MessageKind::CC, n, ValueRule::Index, 0, { 0, 0 } }; }
    LiveMessage nrpnPos(int n) { return { MessageKind::Nrpn, n, ValueRule::Position, 0, { 0, 0 } }; }
    LiveMessage nrpnPos64(int n) { return { MessageKind::Nrpn, n, ValueRule::PositionPlus64, 0, { 0, 0 } }; }
    LiveMessage nrpnIdx(int n) { return { MessageKind::Nrpn, n, ValueRule::Index, 0, { 0, 0 } }; }
    LiveMessage nrpnIdxPlus(int n, int offset)
    {
        return { MessageKind::Nrpn, n, ValueRule::IndexPlusOffset, offset, { 0, 0 } };
    }
    LiveMessage nrpnOnOff(int n, int on, int off) { return { MessageKind::Nrpn, n, ValueRule::OnOff, 0, { off, on } }; }
    LiveMessage nrpnSglMlt(int n, int sgl, int mlt)
    {
        return { MessageKind::Nrpn, n, ValueRule::SglMlt, 0, { sgl, mlt } };
    }

    constexpr std::string_view kTabOscillators = QT_TRANSLATE_NOOP("ParameterMap", "Oscillators");
    constexpr std::string_view kTabFilterLfoEnv
        = QT_TRANSLATE_NOOP("ParameterMap", "Filter & LFOs & Envelopes");
    constexpr std::string_view kTabArpeggiator = QT_TRANSLATE_NOOP("ParameterMap", "Arpeggiator");

    class MapBuilder {
    public:
        std::vector<ParameterEntry> rows;

        void group(std::string_view tab, std::string_view group, int line, int width)
        {
            m_tab = tab;
            m_group = group;
            m_line = line;
            m_width = width;
        }
        // Schema rows end with their init value and their randomizer step;
        // the semitone and detune knobs name their tolerance class, which
        // every other schema row takes from its kind.
        void knob(int order, std::string_view key, std::string_view control, std::string_view caption,
            int min, int max, Storage s, LiveMessage l, int r, int init = kNoInitValue, RandomDraw draw = {},
            ToleranceClass tolerance = ToleranceClass::None)
        {
            add(order, key, control, ControlKind::Knob, caption, {}, min, max, {}, s, l, r, init, draw,
                tolerance);
        }
        void slider(int order, std::string_view key, std::string_view control, std::string_view shortName,
            Storage s, LiveMessage l, int r, int init = kNoInitValue, RandomDraw draw = {})
        {
            add(order, key, control, ControlKind::Slider, {}, shortName, 0, 127, {}, s, l, r, init, draw, {});
        }
        void list(int order, std::string_view key, std::string_view control, std::string_view shortName,
            std::span<const std::string_view> items, Storage s, LiveMessage l, int r, int init = kNoInitValue,
            RandomDraw draw = {})
        {
            add(order, key, control, ControlKind::List, {}, shortName, 0, int(items.size()) - 1, items, s, l,
                r, init, draw, {});
        }
        void check(int order, std::string_view key, std::string_view control, std::string_view caption,
            Storage s, LiveMessage l, int r, int init = kNoInitValue, RandomDraw draw = {})
        {
            add(order, key, control, ControlKind::CheckBox, caption, {}, 0, 1, {}, s, l, r, init, draw, {});
        }

    private:
        static ToleranceClass toleranceOfKind(ControlKind kind)
        {
            switch (kind) {
            case ControlKind::List:
                return ToleranceClass::List;
            case ControlKind::CheckBox:
                return ToleranceClass::Exact;
            case ControlKind::Knob:
            case ControlKind::Slider:
                break;
            }
            return ToleranceClass::OtherKnob;
        }
        void add(int order, std::string_view key, std::string_view control, ControlKind kind,
            std::string_view caption, std::string_view shortName, int min, int max,
            std::span<const std::string_view> items, Storage s, LiveMessage l, int r, int init,
            RandomDraw draw, ToleranceClass tolerance)
        {
            ParameterEntry e;
            e.schemaOrder = order;
            e.key = key;
            e.control = control;
            e.kind = kind;
            e.caption = caption;
            e.shortName = shortName;
            e.tab = m_tab;
            e.group = m_group;
            e.boxLine = m_line;
            e.boxWidth = m_width;
            e.minimum = min;
            e.maximum = max;
            e.items = items;
            e.storage = s;
            e.live = l;
            e.rButton = r;
            e.initValue = init;
            e.draw = draw;
            e.tolerance = tolerance == ToleranceClass::None && order != 0 ? toleranceOfKind(kind) : tolerance;
            rows.push_back(e);
        }
        std::string_view m_tab;
        std::string_view m_group;
        int m_line = 0;
        int m_width = 0;
    };

    std::vector<ParameterEntry> buildMap()
    {
        using namespace lists;
        using enum RandomGroup;
        MapBuilder m;

        m.group(kTabOscillators, QT_TRANSLATE_NOOP("ParameterMap", "Oscillator 1"), 0, 249);
        m.knob(3, "Osc1Semitone", "KnobOsc1Semitone", QT_TRANSLATE_NOOP("ParameterMap", "Semitone"), 52, 76,
            plain(20), ccPos(40), 3, 64, { Osc1, 1 }, ToleranceClass::Semitone);
        m.knob(4, "Osc1Detune", "KnobOsc1Detune", QT_TRANSLATE_NOOP("ParameterMap", "Detune"), 15, 114,
            plain(21), ccPos(41), 4, 64, { Osc1, 3 }, ToleranceClass::Detune);
        m.knob(5, "Osc1Level", "KnobOsc1Level", QT_TRANSLATE_NOOP("ParameterMap", "Level"), 0, 127, plain(50),
            ccPos(72), 5, 127, { Osc1, 4 });
        m.knob(6, "Osc1ManualPW", "KnobOsc1ManualPW", QT_TRANSLATE_NOOP("ParameterMap", "Manual PW"), -64, 63,
            off64(25), ccPos64(45), 6, 0, { Osc1, 5 });
        m.knob(7, "Osc1LFO2PW", "KnobOsc1LFO2PW", QT_TRANSLATE_NOOP("ParameterMap", "LFO2 > PW"), -64, 63,
            off64(26), ccPos64(46), 7, 0, { Osc1, 6 });
        // Each oscillator's bytes follow its CC numbers; CC 47 falls on byte 27,
        // which nothing else uses (likewise 55/35 and 63/43).
        m.knob(8, "Osc1ModEnvPW", "KnobOsc1ModEnvPW", QT_TRANSLATE_NOOP("ParameterMap", "ModEnv > PW"), -64,
            63, off64(27), ccPos64(47), 8, 0, { Osc1, 7 });
        m.knob(10, "Osc1ModEnvPitch", "KnobOsc1ModEnvPitch",
            QT_TRANSLATE_NOOP("ParameterMap", "ModEnv > Pitch"), -64, 63, off64(24), ccPos64(44), 10, 0,
            { Osc1, 9 });
        m.knob(9, "Osc1LFO1Pitch", "KnobOsc1LFO1Pitch", QT_TRANSLATE_NOOP("ParameterMap", "LFO1 > Pitch"),
            -64, 63, off64(23), ccPos64(43), 9, 0, { Osc1, 10 });
        m.list(1, "Osc1Forms", "cmbOsc1Forms", QT_TRANSLATE_NOOP("ParameterMap", "Waveform"),
            oscillatorWaveforms(), plain(141), nrpnIdx(50), 1, 2, { Osc1, 2 });
        m.list(2, "Osc1Octave", "cmbOsc1Octave", QT_TRANSLATE_NOOP("ParameterMap", "Octave"),
            oscillatorOctaves(), bits(19, 4, 5), nrpnIdxPlus(105, 16), 2, 1, { Osc1, 8 });

        m.group(kTabOscillators, QT_TRANSLATE_NOOP("ParameterMap", "Oscillator 2"), 0, 249);
        m.knob(13, "Osc2Semitone", "KnobOsc2Semitone", QT_TRANSLATE_NOOP("ParameterMap", "Semitone"), 52, 76,
            plain(28), ccPos(48), 11, 64, { Osc2, 1 }, ToleranceClass::Semitone);
        m.knob(14, "Osc2Detune", "KnobOsc2Detune", QT_TRANSLATE_NOOP("ParameterMap", "Detune"), 15, 114,
            plain(29), ccPos(49), 12, 64, { Osc2, 3 }, ToleranceClass::Detune);
        m.knob(15, "Osc2Level", "KnobOsc2Level", QT_TRANSLATE_NOOP("ParameterMap", "Level"), 0, 127,
            plain(51), ccPos(73), 15, 0, { Osc2, 4 });
        m.knob(16, "Osc2ManualPW", "KnobOsc2ManualPW", QT_TRANSLATE_NOOP("ParameterMap", "Manual PW"), -64,
            63, off64(33), ccPos64(53), 16, 0, { Osc2, 5 });
        m.knob(17, "Osc2LFO2PW", "KnobOsc2LFO2PW", QT_TRANSLATE_NOOP("ParameterMap", "LFO2 > PW"), -64, 63,
            off64(34), ccPos64(54), 17, 0, { Osc2, 6 });
        m.knob(18, "Osc2ModEnvPW", "KnobOsc2ModEnvPW", QT_TRANSLATE_NOOP("ParameterMap", "ModEnv > PW"), -64,
            63, off64(35), ccPos64(55), 18, 0, { Osc2, 7 });
        m.knob(20, "Osc2ModEnvPitch", "KnobOsc2ModEnvPitch",
            QT_TRANSLATE_NOOP("ParameterMap", "ModEnv > Pitch"), -64, 63, off64(32), ccPos64(52), 20, 0,
            { Osc2, 9 });
        m.knob(19, "Osc2LFO1Pitch", "KnobOsc2LFO1Pitch", QT_TRANSLATE_NOOP("ParameterMap", "LFO1 > Pitch"),
            -64, 63, off64(31), ccPos64(51), 19, 0, { Osc2, 10 });
        m.list(11, "Osc2Forms", "cmbOsc2Forms", QT_TRANSLATE_NOOP("ParameterMap", "Waveform"),
            oscillatorWaveforms(), plain(142), nrpnIdx(51), 13, 0, { Osc2, 2 });
        m.list(12, "Osc2Octave", "cmbOsc2Octave", QT_TRANSLATE_NOOP("ParameterMap", "Octave"),
            oscillatorOctaves(), bits(19, 2, 3), nrpnIdxPlus(105, 20), 14, 1, { Osc2, 8 });

        m.group(kTabOscillators, QT_TRANSLATE_NOOP("ParameterMap", "Oscillator 3"), 0, 249);
        m.knob(23, "Osc3Semitone", "KnobOsc3Semitone", QT_TRANSLATE_NOOP("ParameterMap", "Semitone"), 52, 76,
            plain(36), ccPos(56), 21, 64, { Osc3, 1 }, ToleranceClass::Semitone);
        m.knob(24, "Osc3Detune", "KnobOsc3Detune", QT_TRANSLATE_NOOP("ParameterMap", "Detune"), 15, 114,
            plain(37), ccPos(57), 24, 64, { Osc3, 3 }, ToleranceClass::Detune);
        m.knob(25, "Osc3Level", "KnobOsc3Level", QT_TRANSLATE_NOOP("ParameterMap", "Level"), 0, 127,
            plain(52), ccPos(74), 25, 0, { Osc3, 4 });
        m.knob(26, "Osc3ManualPW", "KnobOsc3ManualPW", QT_TRANSLATE_NOOP("ParameterMap", "Manual PW"), -64,
            63, off64(41), ccPos64(61), 26, 0, { Osc3, 5 });
        m.knob(27, "Osc3LFO2PW", "KnobOsc3LFO2PW", QT_TRANSLATE_NOOP("ParameterMap", "LFO2 > PW"), -64, 63,
            off64(42), ccPos64(62), 27, 0, { Osc3, 6 });
        m.knob(28, "Osc3ModEnvPW", "KnobOsc3ModEnvPW", QT_TRANSLATE_NOOP("ParameterMap", "ModEnv > PW"), -64,
            63, off64(43), ccPos64(63), 28, 0, { Osc3, 7 });
        m.knob(30, "Osc3ModEnvPitch", "KnobOsc3ModEnvPitch",
            QT_TRANSLATE_NOOP("ParameterMap", "ModEnv > Pitch"), -64, 63, off64(40), ccPos64(60), 30, 0,
            { Osc3, 9 });
        m.knob(29, "Osc3LFO1Pitch", "KnobOsc3LFO1Pitch", QT_TRANSLATE_NOOP("ParameterMap", "LFO1 > Pitch"),
            -64, 63, off64(39), ccPos64(59), 29, 0, { Osc3, 10 });
        m.list(21, "Osc3Forms", "cmbOsc3Forms", QT_TRANSLATE_NOOP("ParameterMap", "Waveform"),
            oscillatorWaveforms(), plain(143), nrpnIdx(52), 22, 0, { Osc3, 2 });
        m.list(22, "Osc3Octave", "cmbOsc3Octave", QT_TRANSLATE_NOOP("ParameterMap", "Octave"),
            oscillatorOctaves(), bits(19, 0, 1), nrpnIdxPlus(105, 24), 23, 1, { Osc3, 8 });

        m.group(kTabOscillators, QT_TRANSLATE_NOOP("ParameterMap", "Oscillators Common"), 1, 531);
        m.knob(40, "Portamento", "KnobPortamento", QT_TRANSLATE_NOOP("ParameterMap", "Portamento"), 0, 127,
            plain(16), ccPos(5), 36, 0, { OscCommon, 7 });
        m.knob(41, "Unidetune", "KnobUnidetune", QT_TRANSLATE_NOOP("ParameterMap", "Uni Detune"), 0, 127,
            plain(14), ccPos(68), 42, 0, { OscCommon, 8 });
        m.knob(42, "VCODrift", "KnobVCODrift", QT_TRANSLATE_NOOP("ParameterMap", "VCO Drift"), 0, 127,
            plain(15), ccPos(69), 43, 0, { OscCommon, 9 });
        m.knob(43, "Preglide", "KnobPreglide", QT_TRANSLATE_NOOP("ParameterMap", "Preglide"), -12, 12,
            off64(17), ccPos64(8), 44, 0, { OscCommon, 10 });
        m.knob(44, "StartPhase", "KnobStartPhase", QT_TRANSLATE_NOOP("ParameterMap", "Start Phase"), 0, 127,
            plain(160), nrpnPos(69), 45, 0, { OscCommon, 11 });
        m.knob(45, "23FMLevel", "Knob23FMLevel", QT_TRANSLATE_NOOP("ParameterMap", "23 FM Level"), 0, 127,
            plain(69), nrpnPos(0), 50, 0, { OscCommon, 12 });
        m.knob(46, "23FMADEnv", "Knob23FMADEnv", QT_TRANSLATE_NOOP("ParameterMap", "23 FM ADEnv"), -64, 63,
            off64(70), nrpnPos64(1), 51, 0, { OscCommon, 13 });
        m.knob(47, "23FMLFO1", "Knob23FMLFO1", QT_TRANSLATE_NOOP("ParameterMap", "23 FM Lfo1"), -64, 63,
            off64(184), nrpnPos64(78), 52, 0, { OscCommon, 14 });
        m.knob(48, "MixerOut", "KnobMixerOut", QT_TRANSLATE_NOOP("ParameterMap", "Mixer Out"), 0, 30,
            plain(138), ccPos(119), 46, 0, { OscCommon, 15 });
        m.knob(49, "MixerLFO1OSC1", "KnobMixerLFO1OSC1", QT_TRANSLATE_NOOP("ParameterMap", "Mixer Lfo1>Osc1"),
            -64, 63, off64(154), nrpnPos64(63), 47, 0, { OscCommon, 16 });
        m.knob(50, "MixerLFO2OSC1", "KnobMixerLFO2OSC1", QT_TRANSLATE_NOOP("ParameterMap", "Mixer Lfo2>Osc1"),
            -64, 63, off64(183), nrpnPos64(77), 48, 0, { OscCommon, 17 });
        m.knob(51, "MixerLFO2OSC2", "KnobMixerLFO2OSC2", QT_TRANSLATE_NOOP("ParameterMap", "Mixer Lfo2>Osc2"),
            -64, 63, off64(155), nrpnPos64(64), 49, 0, { OscCommon, 18 });
        m.knob(52, "MixerADenvOSC3", "KnobMixerADenvOSC3",
            QT_TRANSLATE_NOOP("ParameterMap", "Mixer ADenv>Osc3"), -64, 63, off64(156), nrpnPos64(65), 53, 0,
            { OscCommon, 19 });
        // The unison list has eight entries but the sound keeps only a two-bit
        // field for it: writeValue stores min(index, 3), so "5".."8" are kept
        // as "4"; the live message still carries the full index 0..7.
        m.list(36, "Unison", "cmbUnison", QT_TRANSLATE_NOOP("ParameterMap", "Unison"), unison(),
            bits(13, 0, 1), nrpnIdx(106), 37, 0, { OscCommon, 1 });
        m.check(53, "ckbOsc12Sync", "ckbOsc12Sync", QT_TRANSLATE_NOOP("ParameterMap", "Osc 1>2 Sync"),
            bit(19, 6), nrpnOnOff(104, 11, 10), 40, 1, { OscCommon, 6 });
        m.list(37, "OscPolyMode", "cmbOscPolyMode", QT_TRANSLATE_NOOP("ParameterMap", "Poly Mode"),
            polyModes(), bits(13, 2, 3), nrpnIdxPlus(105, 0), 38, 1, { OscCommon, 2 });
        m.list(38, "PortaMode", "cmbPortaMode", QT_TRANSLATE_NOOP("ParameterMap", "Porta Mode"),
            portamentoModes(), plain(18), ccIdx(70), 39, 0, { OscCommon, 4 });
        m.list(39, "FixedNote", "cmbFixedNote", QT_TRANSLATE_NOOP("ParameterMap", "Fixed Note"), fixedNotes(),
            plain(180), nrpnIdx(74), 41, 0, { OscCommon, 5 });

        m.group(kTabOscillators, QT_TRANSLATE_NOOP("ParameterMap", "Noise & Ring"), 1, 216);
        m.knob(32, "NoiseLevel", "KnobNoiseLevel", QT_TRANSLATE_NOOP("ParameterMap", "Noise Level"), 0, 127,
            plain(53), ccPos(75), 31, 0, { NoiseRing, 2 });
        m.knob(33, "Lfo1NoiseLevel", "KnobLfo1NoiseLevel",
            QT_TRANSLATE_NOOP("ParameterMap", "LFO1 > Noise Level"), -64, 63, off64(157), nrpnPos64(66), 33,
            0, { NoiseRing, 3 });
        m.knob(34, "Ring12Level", "KnobRing12Level", QT_TRANSLATE_NOOP("ParameterMap", "Ring12 Level"), 0,
            127, plain(54), ccPos(76), 34, 0, { NoiseRing, 4 });
        m.knob(35, "LFO1Ring12Level", "KnobLFO1Ring12Level",
            QT_TRANSLATE_NOOP("ParameterMap", "LFO1 > Ring12 Level"), -64, 63, off64(158), nrpnPos64(67), 35,
            0, { NoiseRing, 5 });
        m.list(31, "Noisetype", "cmbNoisetype", QT_TRANSLATE_NOOP("ParameterMap", "Noise Type"), noiseTypes(),
            plain(161), nrpnIdx(70), 32, 0, { NoiseRing, 1 });

        m.group(kTabFilterLfoEnv, QT_TRANSLATE_NOOP("ParameterMap", "Filter"), 0, 285);
        m.knob(54, "Frequency", "KnobFrequency", QT_TRANSLATE_NOOP("ParameterMap", "Frequency"), 0, 127,
            plain(59), ccPos(105), 54, 127, { Filter, 1 });
        m.knob(55, "Resonance", "KnobResonance", QT_TRANSLATE_NOOP("ParameterMap", "Resonance"), 0, 127,
            plain(57), ccPos(106), 55, 0, { Filter, 2 });
        m.knob(56, "KeyTrack", "KnobKeyTrack", QT_TRANSLATE_NOOP("ParameterMap", "KeyTrack"), 0, 127,
            plain(60), nrpnPos(11), 56, 0, { Filter, 3 });
        m.knob(57, "ModenvFiltFreq", "KnobModenvFiltFreq",
            QT_TRANSLATE_NOOP("ParameterMap", "ModEnv>FiltFreq"), -64, 63, off64(65), ccPos64(107), 57, 0,
            { Filter, 4 });
        m.knob(58, "Lfo2FiltFreq", "KnobLfo2FiltFreq", QT_TRANSLATE_NOOP("ParameterMap", "Lfo2>FiltFreq"),
            -64, 63, off64(64), ccPos64(102), 58, 0, { Filter, 5 });
        m.knob(59, "Overdrive", "KnobOverdrive", QT_TRANSLATE_NOOP("ParameterMap", "Overdrive"), 0, 127,
            plain(56), ccPos(104), 59, 0, { Filter, 6 });
        m.knob(60, "QNormalise", "KnobQNormalise", QT_TRANSLATE_NOOP("ParameterMap", "Q Normalise"), 0, 127,
            plain(58), ccPos(103), 60, 0, { Filter, 7 });
        m.knob(61, "FiltVelocity", "KnobFiltVelocity", QT_TRANSLATE_NOOP("ParameterMap", "Filt Velocity"), 0,
            127, plain(163), nrpnPos(72), 61, 0, { Filter, 8 });
        m.list(63, "FilterSlope", "cmbFilterSlope", QT_TRANSLATE_NOOP("ParameterMap", "Slope"),
            filterSlopes(), bits(13, 6, 7), nrpnIdx(62), 63, 1, { OscCommon, 3 });
        m.list(62, "FilterType", "cmbFilterType", QT_TRANSLATE_NOOP("ParameterMap", "Type"), filterTypes(),
            plain(153), nrpnIdxPlus(104, 6), 62, 0, { Filter, 9 });

        m.group(kTabFilterLfoEnv, QT_TRANSLATE_NOOP("ParameterMap", "LFO 1"), 0, 231);
        m.knob(64, "Lfo1Speed", "KnobLfo1Speed", QT_TRANSLATE_NOOP("ParameterMap", "Speed"), 0, 127,
            plain(85), ccPos(80), 64, 0, { Lfos, 1 });
        m.knob(65, "Lfo1Delay", "KnobLfo1Delay", QT_TRANSLATE_NOOP("ParameterMap", "Delay"), 0, 127,
            plain(87), ccPos(82), 65, 0, { Lfos, 2 });
        m.knob(68, "Lfo1Velocity", "KnobLfo1Velocity", QT_TRANSLATE_NOOP("ParameterMap", "Velocity"), -64, 63,
            off64(181), nrpnPos64(75), 68, 0, { Lfos, 5 });
        m.knob(69, "Lfo1KeysyncPhaseOffset", "KnobLfo1KeysyncPhaseOffset",
            QT_TRANSLATE_NOOP("ParameterMap", "Keysync Phase Offset"), 0, 127, plain(148), nrpnPos(57), 69, 0,
            { Lfos, 6 });
        m.list(67, "lfo1Triggering", "cmblfo1Triggering", QT_TRANSLATE_NOOP("ParameterMap", "Triggering"),
            triggerModes(), bit(91, 0), nrpnIdxPlus(104, 12), 67, 0, { Lfos, 4 });
        m.list(66, "Lfo1Waveform", "cmbLfo1Waveform", QT_TRANSLATE_NOOP("ParameterMap", "Waveform"),
            lfoWaveforms(), plain(144), nrpnIdx(53), 66, 0, { Lfos, 3 });
        m.check(70, "Lfo1Keysync", "ckbLfo1Keysync", QT_TRANSLATE_NOOP("ParameterMap", "Keysync"), bit(92, 1),
            nrpnOnOff(104, 19, 18), 70, 1, { Lfos, 8 });
        m.check(71, "Lfo1Polarity", "ckbLfo1Polarity", QT_TRANSLATE_NOOP("ParameterMap", "Polarity"),
            flag(146), nrpnOnOff(55, 1, 0), 71, 1, { Lfos, 10 });
        m.check(72, "Lfo1CommonToAllVoices", "ckbLfo1CommonToAllVoices",
            QT_TRANSLATE_NOOP("ParameterMap", "Common to all Voices"), bit(92, 2), nrpnOnOff(104, 21, 20), 72,
            1, { Lfos, 9 });
        m.check(73, "Lfo1OneShot", "ckbLfo1OneShot", QT_TRANSLATE_NOOP("ParameterMap", "One-Shot"),
            bit(92, 0), nrpnOnOff(104, 17, 16), 73, 1, { Lfos, 7 });

        // LFO 2 speed and delay take the CC numbers after LFO 2's sync speed
        // (CC 84), in LFO 1's pattern; its waveform the NRPN after LFO 1's.
        m.group(kTabFilterLfoEnv, QT_TRANSLATE_NOOP("ParameterMap", "LFO 2"), 0, 231);
        m.knob(74, "Lfo2Speed", "KnobLfo2Speed", QT_TRANSLATE_NOOP("ParameterMap", "Speed"), 0, 127,
            plain(88), ccPos(83), 78, 0, { Lfos, 11 });
        m.knob(75, "Lfo2Delay", "KnobLfo2Delay", QT_TRANSLATE_NOOP("ParameterMap", "Delay"), 0, 127,
            plain(90), ccPos(85), 79, 0, { Lfos, 12 });
        m.knob(78, "Lfo2Velocity", "KnobLfo2Velocity", QT_TRANSLATE_NOOP("ParameterMap", "Velocity"), -64, 63,
            off64(182), nrpnPos64(76), 80, 0, { Lfos, 15 });
        m.knob(79, "Lfo2KeysyncPhaseOffset", "KnobLfo2KeysyncPhaseOffset",
            QT_TRANSLATE_NOOP("ParameterMap", "Keysync Phase Offset"), 0, 127, plain(149), nrpnPos(58), 81, 0,
            { Lfos, 16 });
        m.list(77, "lfo2Triggering", "cmblfo2Triggering", QT_TRANSLATE_NOOP("ParameterMap", "Triggering"),
            triggerModes(), bit(91, 4), nrpnIdxPlus(104, 14), 83, 0, { Lfos, 14 });
        m.list(76, "Lfo2Waveform", "cmbLfo2Waveform", QT_TRANSLATE_NOOP("ParameterMap", "Waveform"),
            lfoWaveforms(), plain(145), nrpnIdx(54), 82, 0, { Lfos, 13 });
        m.check(80, "Lfo2Keysync", "ckbLfo2Keysync", QT_TRANSLATE_NOOP("ParameterMap", "Keysync"), bit(92, 5),
            nrpnOnOff(104, 25, 24), 74, 1, { Lfos, 18 });
        m.check(81, "Lfo2Polarity", "ckbLfo2Polarity", QT_TRANSLATE_NOOP("ParameterMap", "Polarity"),
            flag(147), nrpnOnOff(56, 1, 0), 75, 1, { Lfos, 20 });
        m.check(82, "Lfo2CommonToAllVoices", "ckbLfo2CommonToAllVoices",
            QT_TRANSLATE_NOOP("ParameterMap", "Common to all Voices"), bit(92, 6), nrpnOnOff(104, 27, 26), 76,
            1, { Lfos, 19 });
        m.check(83, "Lfo2OneShot", "ckbLfo2OneShot", QT_TRANSLATE_NOOP("ParameterMap", "One-Shot"),
            bit(92, 4), nrpnOnOff(104, 23, 22), 77, 1, { Lfos, 17 });

        m.group(kTabFilterLfoEnv, QT_TRANSLATE_NOOP("ParameterMap", "Amp Envelope"), 1, 212);
        m.slider(84, "AmpAttack", "sldAmpAttack", QT_TRANSLATE_NOOP("ParameterMap", "Attack"), plain(75),
            ccPos(108), 84, 0, { Envelopes, 1 });
        m.slider(85, "AmpDecay", "sldAmpDecay", QT_TRANSLATE_NOOP("ParameterMap", "Decay"), plain(76),
            ccPos(109), 85, 64, { Envelopes, 2 });
        m.slider(86, "AmpSustain", "sldAmpSustain", QT_TRANSLATE_NOOP("ParameterMap", "Sustain"), plain(77),
            ccPos(110), 86, 64, { Envelopes, 3 });
        m.slider(87, "AmpRelease", "sldAmpRelease", QT_TRANSLATE_NOOP("ParameterMap", "Release"), plain(78),
            ccPos(111), 87, 32, { Envelopes, 4 });

        m.group(kTabFilterLfoEnv, QT_TRANSLATE_NOOP("ParameterMap", "Mod Envelope"), 1, 212);
        m.slider(88, "ModEnvAttack", "sldModEnvAttack", QT_TRANSLATE_NOOP("ParameterMap", "Attack"),
            plain(80), ccPos(114), 88, 0, { Envelopes, 5 });
        m.slider(89, "ModEnvDecay", "sldModEnvDecay", QT_TRANSLATE_NOOP("ParameterMap", "Decay"), plain(81),
            ccPos(115), 89, 64, { Envelopes, 6 });
        m.slider(90, "ModEnvSustain", "sldModEnvSustain", QT_TRANSLATE_NOOP("ParameterMap", "Sustain"),
            plain(82), ccPos(116), 90, 64, { Envelopes, 7 });
        m.slider(91, "ModEnvRelease", "sldModEnvRelease", QT_TRANSLATE_NOOP("ParameterMap", "Release"),
            plain(83), ccPos(117), 91, 32, { Envelopes, 8 });

        m.group(kTabFilterLfoEnv, QT_TRANSLATE_NOOP("ParameterMap", "Envelope 3"), 1, 110);
        m.slider(92, "Env3Attack", "sldEnv3Attack", QT_TRANSLATE_NOOP("ParameterMap", "Attack"), plain(72),
            nrpnPos(3), 92, 64, { Envelopes, 9 });
        m.slider(93, "Env3Decay", "sldEnv3Decay", QT_TRANSLATE_NOOP("ParameterMap", "Decay"), plain(73),
            nrpnPos(4), 93, 64, { Envelopes, 10 });

        m.group(kTabFilterLfoEnv, QT_TRANSLATE_NOOP("ParameterMap", "Velocity"), 1, 213);
        m.slider(94, "VelocityAmp", "sldVelocityAmp", QT_TRANSLATE_NOOP("ParameterMap", "Amp"), plain(74),
            ccPos(112), 94, 64, { Envelopes, 11 });
        m.slider(95, "VelocityModEnv", "sldVelocityModEnv", QT_TRANSLATE_NOOP("ParameterMap", "ModEnv"),
            plain(79), ccPos(118), 95, 64, { Envelopes, 12 });
        m.slider(96, "VelocityADEnv", "sldVelocityADEnv", QT_TRANSLATE_NOOP("ParameterMap", "ADEnv"),
            plain(71), nrpnPos(2), 96, 64, { Envelopes, 13 });
        m.list(97, "AmpEnvMonotrig", "cmbAmpEnvMonotrig", QT_TRANSLATE_NOOP("ParameterMap", "Amp Trig"),
            triggerModes(), bit(93, 2), nrpnSglMlt(104, 0, 1), 97, 1, { Envelopes, 14 });
        m.list(98, "AmpMEnvMonotrig", "cmbMEnvMonotrig", QT_TRANSLATE_NOOP("ParameterMap", "ModEnv Trig"),
            triggerModes(), bit(93, 1), nrpnSglMlt(104, 2, 3), 98, 1, { Envelopes, 15 });
        m.list(99, "AmpADEnvMonotrig", "cmbADEnvMonotrig", QT_TRANSLATE_NOOP("ParameterMap", "ADEnv Trig"),
            triggerModes(), bit(93, 0), nrpnSglMlt(104, 4, 5), 99, 1, { Envelopes, 16 });

        m.group(kTabArpeggiator, QT_TRANSLATE_NOOP("ParameterMap", "Arpeggiator"), 0, 431);
        m.knob(0, {}, "knobArpTempo", QT_TRANSLATE_NOOP("ParameterMap", "Tempo"), 64, 191, plain(98),
            ccPos(9), 0);
        m.knob(0, {}, "KnobArpGateTime", QT_TRANSLATE_NOOP("ParameterMap", "Arp Gate Time"), 0, 127,
            plain(99), ccPos(88), 0);
        m.list(0, {}, "cmbArpOctaves", QT_TRANSLATE_NOOP("ParameterMap", "Octaves"), arpOctaves(),
            notStored(), nrpnIdxPlus(105, 36), 0);
        m.list(0, {}, "cmbArpMode", QT_TRANSLATE_NOOP("ParameterMap", "Mode"), arpModes(), plain(100),
            ccIdx(3), 0);
        m.check(0, {}, "ckbArpOn", QT_TRANSLATE_NOOP("ParameterMap", "Arp ON"), flag(101),
            nrpnOnOff(104, 29, 28), 0);
        m.check(0, {}, "ckbArpLatch", QT_TRANSLATE_NOOP("ParameterMap", "Arp Latch"), notStored(),
            nrpnOnOff(104, 33, 32), 0);
        m.list(0, {}, "cmbArpPattern", QT_TRANSLATE_NOOP("ParameterMap", "Pattern"), arpPatterns(),
            plain(162), nrpnIdx(71), 0);
        m.check(0, {}, "ckbArpPatternVelocity", QT_TRANSLATE_NOOP("ParameterMap", "Arp Pattern Velocity"),
            notStored(), nrpnOnOff(73, 1, 0), 0);
        m.check(0, {}, "ckbArpKeysync", QT_TRANSLATE_NOOP("ParameterMap", "Arp Keysync"), notStored(),
            nrpnOnOff(104, 31, 30), 0);
        m.list(0, {}, "cmbArpNotes", QT_TRANSLATE_NOOP("ParameterMap", "Notes"), arpNotes(), notStored(),
            nrpnIdxPlus(105, 40), 0);

        m.group(kTabArpeggiator, QT_TRANSLATE_NOOP("ParameterMap", "Sync"), 0, 316);
        m.list(0, {}, "cmbSynctype", QT_TRANSLATE_NOOP("ParameterMap", "Sync Type"), syncTypes(), notStored(),
            ccIdx(87), 0);
        m.list(0, {}, "cmbLFO1SyncDelayTime", QT_TRANSLATE_NOOP("ParameterMap", "LFO1 Delay"),
            longSyncTimes(), plain(150), nrpnIdx(59), 0);
        m.list(0, {}, "cmbLFO1SyncSpeed", QT_TRANSLATE_NOOP("ParameterMap", "LFO1 Speed"), longSyncTimes(),
            plain(86), ccIdx(81), 0);
        m.list(0, {}, "cmbLFO2SyncDelayTime", QT_TRANSLATE_NOOP("ParameterMap", "LFO2 Delay"),
            longSyncTimes(), plain(151), nrpnIdx(60), 0);
        m.list(0, {}, "cmbLFO2SyncSpeed", QT_TRANSLATE_NOOP("ParameterMap", "LFO2 Speed"), longSyncTimes(),
            plain(89), ccIdx(84), 0);
        m.list(0, {}, "cmbDelaySyncTime", QT_TRANSLATE_NOOP("ParameterMap", "Delay Time"), delaySyncTimes(),
            plain(116), ccIdx(20), 0);
        m.list(0, {}, "cmbChorusPhaserSyncTime", QT_TRANSLATE_NOOP("ParameterMap", "Chorus/Phaser"),
            longSyncTimes(), plain(126), ccIdx(28), 0);
        m.list(0, {}, "cmbPanningSyncTime", QT_TRANSLATE_NOOP("ParameterMap", "Panning"), longSyncTimes(),
            plain(132), ccIdx(13), 0);

        m.group(kTabArpeggiator, QT_TRANSLATE_NOOP("ParameterMap", "Wheels"), 1, 747);
        m.knob(0, {}, "KnobBWOsc1Bend", QT_TRANSLATE_NOOP("ParameterMap", "BW Osc1 Bend"), -12, 12, off64(22),
            ccPos64(42), 0);
        m.knob(0, {}, "KnobBWOsc2Bend", QT_TRANSLATE_NOOP("ParameterMap", "BW Osc2 Bend"), -12, 12, off64(30),
            ccPos64(50), 0);
        m.knob(0, {}, "KnobBWOsc3Bend", QT_TRANSLATE_NOOP("ParameterMap", "BW Osc3 Bend"), -12, 12, off64(38),
            ccPos64(58), 0);
        m.knob(0, {}, "KnobMWPitchDirect", QT_TRANSLATE_NOOP("ParameterMap", "MW Pitch Direct"), -64, 63,
            off64(44), nrpnPos64(5), 0);
        m.knob(0, {}, "KnobMWPitchMod", QT_TRANSLATE_NOOP("ParameterMap", "MW Pitch Mod"), -64, 63, off64(47),
            nrpnPos64(8), 0);
        m.knob(0, {}, "KnobMWFilterFreq", QT_TRANSLATE_NOOP("ParameterMap", "MW Filter Freq"), -64, 63,
            off64(61), nrpnPos64(12), 0);
        m.knob(0, {}, "KnobMWFilterFreqMod", QT_TRANSLATE_NOOP("ParameterMap", "MW FiltFreq Mod"), -64, 63,
            off64(66), nrpnPos64(15), 0);
        m.knob(0, {}, "KnobMWOutputLevel", QT_TRANSLATE_NOOP("ParameterMap", "MW Output Level"), -64, 63,
            off64(94), nrpnPos64(18), 0);
        m.knob(0, {}, "knobMWDelayLevel", QT_TRANSLATE_NOOP("ParameterMap", "MW Delay Level"), -64, 63,
            off64(114), ccPos64(18), 0);
        m.knob(0, {}, "KnobMWReverbLevel", QT_TRANSLATE_NOOP("ParameterMap", "MW Reverb Level"), -64, 63,
            off64(121), ccPos64(24), 0);
        m.knob(0, {}, "KnobMWChorusLevel", QT_TRANSLATE_NOOP("ParameterMap", "MW Chorus Level"), -64, 63,
            off64(124), ccPos64(26), 0);
        m.knob(0, {}, "MWDistortLevel", QT_TRANSLATE_NOOP("ParameterMap", "MW Distort Level"), -64, 63,
            off64(111), ccPos64(16), 0);

        m.group(kTabArpeggiator, QT_TRANSLATE_NOOP("ParameterMap", "Aftertouch & Breath"), 2, 563);
        m.knob(0, {}, "KnobATPitchDirect", QT_TRANSLATE_NOOP("ParameterMap", "AT Pitch Direct"), -64, 63,
            off64(45), nrpnPos64(6), 0);
        m.knob(0, {}, "KnobATPitchMod", QT_TRANSLATE_NOOP("ParameterMap", "AT Pitch Mod"), -64, 63, off64(48),
            nrpnPos64(9), 0);
        m.knob(0, {}, "KnobATFilterFreq", QT_TRANSLATE_NOOP("ParameterMap", "AT Filter Freq"), -64, 63,
            off64(62), nrpnPos64(13), 0);
        m.knob(0, {}, "KnobATFiltFreqMod", QT_TRANSLATE_NOOP("ParameterMap", "AT FiltFreq Mod"), -64, 63,
            off64(67), nrpnPos64(16), 0);
        m.knob(0, {}, "KnobATOutputLevel", QT_TRANSLATE_NOOP("ParameterMap", "AT Output Level"), -64, 63,
            off64(95), nrpnPos64(19), 0);
        m.knob(0, {}, "KnobBRPitchDirect", QT_TRANSLATE_NOOP("ParameterMap", "BR Pitch Direct"), -64, 63,
            off64(46), nrpnPos64(7), 0);
        m.knob(0, {}, "KnobBRPitchMod", QT_TRANSLATE_NOOP("ParameterMap", "BR Pitch Mod"), -64, 63, off64(49),
            nrpnPos64(10), 0);
        m.knob(0, {}, "KnobBRFIlterFreq", QT_TRANSLATE_NOOP("ParameterMap", "BR Filter Freq"), -64, 63,
            off64(63), nrpnPos64(14), 0);
        m.knob(0, {}, "KnobBRFiltFreqMod", QT_TRANSLATE_NOOP("ParameterMap", "BR FiltFreq Mod"), -64, 63,
            off64(68), nrpnPos64(17), 0);
        m.knob(0, {}, "KnobBROutputLevel", QT_TRANSLATE_NOOP("ParameterMap", "BR Output Level"), -64, 63,
            off64(96), nrpnPos64(20), 0);

        m.group(kTabArpeggiator, QT_TRANSLATE_NOOP("ParameterMap", "Pan"), 2, 184);
        m.knob(0, {}, "KnobPanModDepth", QT_TRANSLATE_NOOP("ParameterMap", "Pan Mod Depth"), 0, 127,
            plain(130), ccPos(94), 0);
        m.knob(0, {}, "KnobPanModRate", QT_TRANSLATE_NOOP("ParameterMap", "Pan Mod Rate"), 0, 127, plain(131),
            ccPos(12), 0);
        m.list(0, {}, "cmbPanInitialStartPosition", QT_TRANSLATE_NOOP("ParameterMap", "Pan Start"),
            startPositions(), notStored(), nrpnIdxPlus(105, 48), 0);
        m.list(0, {}, "cmbCHorusInitialStartPOsition", QT_TRANSLATE_NOOP("ParameterMap", "Chorus Start"),
            startPositions(), notStored(), nrpnIdxPlus(105, 44), 0);

        return std::move(m.rows);
    }

    struct MapData {
        std::vector<ParameterEntry> rows;
        std::array<const ParameterEntry*, 99> schema {};
        std::array<const ParameterEntry*, 100> byRButton {};
        std::array<std::vector<const ParameterEntry*>, kRandomGroupCount> drawn;
        MapData()
            : rows(buildMap())
        {
            if (const std::string fault = parameterTableFault(rows); !fault.empty())
                throw std::logic_error("parameter table: " + fault);
            for (const ParameterEntry& e : rows) {
                if (e.schemaOrder >= 1 && e.schemaOrder <= 99)
                    schema[e.schemaOrder - 1] = &e;
                if (e.rButton >= 1 && e.rButton <= 99)
                    byRButton[e.rButton] = &e;
                if (e.draw.step > 0) {
                    auto& group = drawn[std::size_t(e.draw.group)];
                    if (group.size() < std::size_t(e.draw.step))
                        group.resize(std::size_t(e.draw.step));
                    group[std::size_t(e.draw.step - 1)] = &e;
                }
            }
        }
    };

    const MapData& data()
    {
        static const MapData d;
        return d;
    }

    bool equalsIgnoringCase(std::string_view a, std::string_view b)
    {
        if (a.size() != b.size())
            return false;
        for (std::size_t i = 0; i < a.size(); ++i) {
            if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
                return false;
        }
        return true;
    }

    int fieldMask(const Storage& s) { return (1 << (s.hi - s.lo + 1)) - 1; }

    // The control value a received live value stands for; false when the row
    // never sends that value (a selector register value of another row, or a
    // fixed value that is neither on nor off).
    bool controlValueFromLive(const ParameterEntry& e, int v, int* out)
    {
        switch (e.live.rule) {
        case ValueRule::Position:
        case ValueRule::Index:
            *out = v;
            return true;
        case ValueRule::PositionPlus64:
            *out = v - 64;
            return true;
        case ValueRule::IndexPlusOffset:
            if (v < e.live.offset || v > e.live.offset + e.maximum)
                return false;
            *out = v - e.live.offset;
            return true;
        case ValueRule::OnOff:
        case ValueRule::SglMlt:
            if (v == e.live.fixed[0]) {
                *out = 0;
                return true;
            }
            if (v == e.live.fixed[1]) {
                *out = 1;
                return true;
            }
            return false;
        }
        return false;
    }

    bool applyFrom(SoundDump& dump, MessageKind kind, int number, int value)
    {
        if (value < 0 || value > 127)
            return false;
        for (const ParameterEntry& e : data().rows) {
            if (e.live.kind != kind || e.live.number != number)
                continue;
            int control = 0;
            if (!controlValueFromLive(e, value, &control))
                continue; // a selector register: another row may own this value
            if (!e.isStored())
                return false;
            writeValue(dump, e, control);
            return true;
        }
        return false;
    }

} // namespace

std::span<const ParameterEntry> parameterMap() { return data().rows; }

std::string parameterTableFault(std::span<const ParameterEntry> rows)
{
    struct Box {
        std::string_view tab;
        int line;
        int width;
    };
    std::set<std::string_view> controls;
    std::map<std::string_view, Box> boxes;
    std::array<bool, 100> orderTaken {};
    std::array<bool, 100> rTaken {};
    std::array<std::set<int>, kRandomGroupCount> steps;
    for (const ParameterEntry& e : rows) {
        const std::string name
            = e.control.empty() ? std::string("a row without a control name") : std::string(e.control);
        if (e.control.empty() || !controls.insert(e.control).second)
            return name + (e.control.empty() ? "" : " appears twice");
        const bool captioned = e.kind == ControlKind::Knob || e.kind == ControlKind::CheckBox;
        if (captioned ? e.caption.empty() || !e.shortName.empty() : e.shortName.empty() || !e.caption.empty())
            return name + ": no label, or a label of the wrong kind";
        if (e.tab.empty() || e.group.empty() || e.boxLine < 0 || e.boxWidth <= 0)
            return name + ": no place on an editor page";
        const auto [box, added] = boxes.try_emplace(e.group, Box { e.tab, e.boxLine, e.boxWidth });
        if (!added
            && (box->second.tab != e.tab || box->second.line != e.boxLine || box->second.width != e.boxWidth))
            return name + ": its group box stands elsewhere for another row";
        if (e.minimum > e.maximum || (e.kind == ControlKind::List && int(e.items.size()) != e.valueCount()))
            return name + ": its range does not fit";
        const Storage& st = e.storage;
        if (e.isStored()
            && (st.byte < 0 || st.byte >= int(kDumpSize) || st.lo < 0 || st.lo > st.hi || st.hi > 7))
            return name + ": stored outside the sound";
        if (e.rButton < 0 || e.rButton > 99
            || (e.rButton != 0 && std::exchange(rTaken[std::size_t(e.rButton)], true)))
            return name + ": its \"R\" button is out of range or taken";
        if (e.schemaOrder < 0 || e.schemaOrder > 99)
            return name + ": schema order out of range";
        if (!e.inSchema()) {
            if (!e.key.empty() || e.initValue != kNoInitValue || e.draw.step != 0
                || e.tolerance != ToleranceClass::None)
                return name
                    + ": a schema key, init value, randomizer step or tolerance class without a schema "
                      "order";
            continue;
        }
        if (std::exchange(orderTaken[std::size_t(e.schemaOrder)], true))
            return name + ": schema order " + std::to_string(e.schemaOrder) + " is taken";
        if (e.key.empty())
            return name + ": no schema key";
        if (e.initValue < e.minimum || e.initValue > e.maximum)
            return name + ": no init value in its range";
        const int group = int(e.draw.group);
        if (e.draw.step < 1 || group >= kRandomGroupCount)
            return name + ": no randomizer group and step";
        if (!steps[std::size_t(group)].insert(e.draw.step).second)
            return name + ": step " + std::to_string(e.draw.step) + " of randomizer group "
                + std::to_string(group) + " is taken";
        const bool fits = [&] {
            switch (e.kind) {
            case ControlKind::List:
                return e.tolerance == ToleranceClass::List;
            case ControlKind::CheckBox:
                return e.tolerance == ToleranceClass::Exact;
            case ControlKind::Slider:
                return e.tolerance == ToleranceClass::OtherKnob;
            case ControlKind::Knob:
                return e.tolerance == ToleranceClass::Semitone || e.tolerance == ToleranceClass::Detune
                    || e.tolerance == ToleranceClass::OtherKnob;
            }
            return false;
        }();
        if (!fits)
            return name + ": no tolerance class, or one that does not fit its kind";
    }
    for (int order = 1; order <= 99; ++order) {
        if (!orderTaken[std::size_t(order)])
            return "no row has schema order " + std::to_string(order);
    }
    // Unique steps from 1 are without a gap when the largest is the count.
    for (int group = 0; group < kRandomGroupCount; ++group) {
        const auto& taken = steps[std::size_t(group)];
        if (!taken.empty() && *taken.rbegin() != int(taken.size()))
            return "randomizer group " + std::to_string(group) + " skips a step below "
                + std::to_string(*taken.rbegin());
    }
    return {};
}

void writeInitSound(SoundDump& dump)
{
    for (const ParameterEntry* e : schemaEntries())
        writeValue(dump, *e, e->initValue);
}

std::span<const ParameterEntry* const> schemaEntries() { return data().schema; }

std::span<const ParameterEntry* const> drawOrder(RandomGroup group)
{
    const int g = int(group);
    if (g < 0 || g >= kRandomGroupCount)
        return {};
    return data().drawn[std::size_t(g)];
}

const ParameterEntry* entryForControl(std::string_view controlName)
{
    for (const ParameterEntry& e : data().rows) {
        if (e.control == controlName)
            return &e;
    }
    return nullptr;
}

const ParameterEntry* entryForKey(std::string_view key)
{
    if (key.empty())
        return nullptr;
    for (const ParameterEntry* e : data().schema) {
        if (equalsIgnoringCase(e->key, key))
            return e;
    }
    return nullptr;
}

const ParameterEntry* entryForRButton(int n)
{
    if (n < 1 || n > 99)
        return nullptr;
    return data().byRButton[n];
}

int readValue(const SoundDump& dump, const ParameterEntry& entry)
{
    const Storage& s = entry.storage;
    if (s.encoding == Encoding::NotStored || s.byte < 0 || s.byte >= int(dump.size()))
        return entry.minimum;
    const int b = dump[std::size_t(s.byte)];
    switch (s.encoding) {
    case Encoding::Plain:
        return b;
    case Encoding::Offset64:
        return b - 64;
    case Encoding::BitField:
        return (b >> s.lo) & fieldMask(s);
    case Encoding::Flag:
        return b == 1 ? 1 : 0;
    case Encoding::NotStored:
        break;
    }
    return entry.minimum;
}

void writeValue(SoundDump& dump, const ParameterEntry& entry, int value)
{
    const Storage& s = entry.storage;
    if (s.encoding == Encoding::NotStored || s.byte < 0 || s.byte >= int(dump.size()))
        return;
    value = std::clamp(value, entry.minimum, entry.maximum);
    std::uint8_t& b = dump[std::size_t(s.byte)];
    switch (s.encoding) {
    case Encoding::Plain:
        b = std::uint8_t(value);
        break;
    case Encoding::Offset64:
        b = std::uint8_t(value + 64);
        break;
    case Encoding::BitField: {
        const int mask = fieldMask(s);
        // A list longer than its field (unison: eight entries, two bits)
        // keeps the largest value the field holds.
        const int field = std::min(value, mask);
        b = std::uint8_t((b & ~(mask << s.lo)) | ((field & mask) << s.lo));
        break;
    }
    case Encoding::Flag:
        b = value != 0 ? 1 : 0;
        break;
    case Encoding::NotStored:
        break;
    }
}

int liveValue(const ParameterEntry& entry, int value)
{
    const LiveMessage& l = entry.live;
    switch (l.rule) {
    case ValueRule::Position:
    case ValueRule::Index:
        return value;
    case ValueRule::PositionPlus64:
        return value + 64;
    case ValueRule::IndexPlusOffset:
        return value + l.offset;
    case ValueRule::OnOff:
    case ValueRule::SglMlt:
        return value != 0 ? l.fixed[1] : l.fixed[0];
    }
    return value;
}

std::vector<std::vector<std::uint8_t>> liveMessages(const ParameterEntry& entry, int value)
{
    const int v = liveValue(entry, value);
    if (entry.live.kind == MessageKind::CC)
        return { controllerBytes(entry.live.number, v) };
    return nrpnBytes(entry.live.number, v);
}

bool applyController(SoundDump& dump, int controller, int value)
{
    return applyFrom(dump, MessageKind::CC, controller, value);
}

bool applyNrpn(SoundDump& dump, int nrpn, int value) { return applyFrom(dump, MessageKind::Nrpn, nrpn, value); }

bool LiveMessageApplier::apply(SoundDump& dump, std::span<const std::uint8_t> message)
{
    if (message.size() != 3 || message[0] != 0xB0 || message[1] > 127 || message[2] > 127)
        return false;
    const int controller = message[1];
    const int value = message[2];
    switch (controller) {
    case 99:
        m_nrpnMsb = value;
        return false;
    case 98:
        m_nrpnLsb = value;
        return false;
    case 6:
        if (m_nrpnMsb < 0 || m_nrpnLsb < 0)
            return false;
        return applyNrpn(dump, (m_nrpnMsb << 7) | m_nrpnLsb, value);
    default:
        return applyController(dump, controller, value);
    }
}

void LiveMessageApplier::reset()
{
    m_nrpnMsb = -1;
    m_nrpnLsb = -1;
}

bool applyLiveMessages(SoundDump& dump, const std::vector<std::vector<std::uint8_t>>& messages)
{
    LiveMessageApplier applier;
    bool changed = false;
    for (const auto& m : messages)
        changed = applier.apply(dump, m) || changed;
    return changed;
}

} // namespace sondrake::parametermap
