#pragma once

// The sound parameters as the synthesizer defines them, typed in by hand and
// kept apart from the program's own table (src/editor/ParameterMap.cpp), so
// that a wrong byte, bit, controller number or value rule in the program is
// caught instead of mirrored. Nothing here is computed from the program.
//
// Rows marked Own hold facts the synthesizer leaves open (which byte keeps
// "ModEnv > PW", LFO 2's speed, delay and waveform messages, the key of
// "Mixer ADenv>Osc3", how unison "5".."8" is kept in its two bits, what CC 9
// carries for tempo 128..191): there the program's present choice is written
// down, so that changing it is a deliberate act.

#include <string_view>

namespace parameter_table {

enum Kind { Knob, Slider, List, Check };

// How a control value is kept in the SoundDump.
enum class Enc { Plain, Off64, Bits, Flag, None };
struct Place {
    Enc enc;
    int byte;
    int lo;
    int hi;
};
constexpr Place plain(int b) { return { Enc::Plain, b, 0, 7 }; }
constexpr Place off64(int b) { return { Enc::Off64, b, 0, 7 }; }
constexpr Place bits(int b, int lo, int hi) { return { Enc::Bits, b, lo, hi }; }
constexpr Place flag(int b) { return { Enc::Flag, b, 0, 7 }; }
constexpr Place none() { return { Enc::None, -1, 0, 7 }; }

// The live message and the value it carries for a control value v:
// Value v, Plus64 v + 64, PlusOffset v + offset, Fixed off/on (a check box;
// for an envelope trigger list SGL/MLT).
enum class Wire { CC, Nrpn };
enum class Rule { Value, Plus64, PlusOffset, Fixed };
struct Live {
    Wire wire;
    int number;
    Rule rule;
    int offset;
    int off;
    int on;
};
constexpr Live cc(int n) { return { Wire::CC, n, Rule::Value, 0, 0, 0 }; }
constexpr Live cc64(int n) { return { Wire::CC, n, Rule::Plus64, 0, 0, 0 }; }
constexpr Live nrpn(int n) { return { Wire::Nrpn, n, Rule::Value, 0, 0, 0 }; }
constexpr Live nrpn64(int n) { return { Wire::Nrpn, n, Rule::Plus64, 0, 0, 0 }; }
constexpr Live nrpnPlus(int n, int offset) { return { Wire::Nrpn, n, Rule::PlusOffset, offset, 0, 0 }; }
constexpr Live nrpnOnOff(int n, int on, int off) { return { Wire::Nrpn, n, Rule::Fixed, 0, off, on }; }

// Which tolerance a schema built from the current sound gives the parameter.
enum Tolerance { TolNone, TolList, TolSemitone, TolDetune, TolOther, TolExact };

constexpr bool Own = true;

struct Row {
    std::string_view control;
    Kind kind;
    std::string_view caption; // knobs and check boxes
    int min; // list: first index, check box: off
    int max; // list: last index, check box: on
    int order; // schema order 1..99, 0 = not in a schema
    std::string_view key; // schema key
    int rButton; // n of BitBtn<n>, 0 = none
    Place place;
    Live live;
    Tolerance tolerance;
    bool own = false;
};

// In the editor's order: group box by group box, as kGroupBoxes counts them.
// Columns: control, kind, caption, min, max, schema order, key, R button,
// place in the dump, live message, tolerance class (, Own).
// clang-format off
constexpr Row kRows[] = {
    { "KnobOsc1Semitone", Knob, "Semitone", 52, 76, 3, "Osc1Semitone", 3, plain(20), cc(40), TolSemitone },
    { "KnobOsc1Detune", Knob, "Detune", 15, 114, 4, "Osc1Detune", 4, plain(21), cc(41), TolDetune },
    { "KnobOsc1Level", Knob, "Level", 0, 127, 5, "Osc1Level", 5, plain(50), cc(72), TolOther },
    { "KnobOsc1ManualPW", Knob, "Manual PW", -64, 63, 6, "Osc1ManualPW", 6, off64(25), cc64(45), TolOther },
    { "KnobOsc1LFO2PW", Knob, "LFO2 > PW", -64, 63, 7, "Osc1LFO2PW", 7, off64(26), cc64(46), TolOther },
    { "KnobOsc1ModEnvPW", Knob, "ModEnv > PW", -64, 63, 8, "Osc1ModEnvPW", 8, off64(27), cc64(47), TolOther, Own },
    { "KnobOsc1ModEnvPitch", Knob, "ModEnv > Pitch", -64, 63, 10, "Osc1ModEnvPitch", 10, off64(24), cc64(44), TolOther },
    { "KnobOsc1LFO1Pitch", Knob, "LFO1 > Pitch", -64, 63, 9, "Osc1LFO1Pitch", 9, off64(23), cc64(43), TolOther },
    { "cmbOsc1Forms", List, "", 0, 16, 1, "Osc1Forms", 1, plain(141), nrpn(50), TolList },
    { "cmbOsc1Octave", List, "", 0, 3, 2, "Osc1Octave", 2, bits(19, 4, 5), nrpnPlus(105, 16), TolList },
    { "KnobOsc2Semitone", Knob, "Semitone", 52, 76, 13, "Osc2Semitone", 11, plain(28), cc(48), TolSemitone },
    { "KnobOsc2Detune", Knob, "Detune", 15, 114, 14, "Osc2Detune", 12, plain(29), cc(49), TolDetune },
    { "KnobOsc2Level", Knob, "Level", 0, 127, 15, "Osc2Level", 15, plain(51), cc(73), TolOther },
    { "KnobOsc2ManualPW", Knob, "Manual PW", -64, 63, 16, "Osc2ManualPW", 16, off64(33), cc64(53), TolOther },
    { "KnobOsc2LFO2PW", Knob, "LFO2 > PW", -64, 63, 17, "Osc2LFO2PW", 17, off64(34), cc64(54), TolOther },
    { "KnobOsc2ModEnvPW", Knob, "ModEnv > PW", -64, 63, 18, "Osc2ModEnvPW", 18, off64(35), cc64(55), TolOther, Own },
    { "KnobOsc2ModEnvPitch", Knob, "ModEnv > Pitch", -64, 63, 20, "Osc2ModEnvPitch", 20, off64(32), cc64(52), TolOther },
    { "KnobOsc2LFO1Pitch", Knob, "LFO1 > Pitch", -64, 63, 19, "Osc2LFO1Pitch", 19, off64(31), cc64(51), TolOther },
    { "cmbOsc2Forms", List, "", 0, 16, 11, "Osc2Forms", 13, plain(142), nrpn(51), TolList },
    { "cmbOsc2Octave", List, "", 0, 3, 12, "Osc2Octave", 14, bits(19, 2, 3), nrpnPlus(105, 20), TolList },
    { "KnobOsc3Semitone", Knob, "Semitone", 52, 76, 23, "Osc3Semitone", 21, plain(36), cc(56), TolSemitone },
    { "KnobOsc3Detune", Knob, "Detune", 15, 114, 24, "Osc3Detune", 24, plain(37), cc(57), TolDetune },
    { "KnobOsc3Level", Knob, "Level", 0, 127, 25, "Osc3Level", 25, plain(52), cc(74), TolOther },
    { "KnobOsc3ManualPW", Knob, "Manual PW", -64, 63, 26, "Osc3ManualPW", 26, off64(41), cc64(61), TolOther },
    { "KnobOsc3LFO2PW", Knob, "LFO2 > PW", -64, 63, 27, "Osc3LFO2PW", 27, off64(42), cc64(62), TolOther },
    { "KnobOsc3ModEnvPW", Knob, "ModEnv > PW", -64, 63, 28, "Osc3ModEnvPW", 28, off64(43), cc64(63), TolOther, Own },
    { "KnobOsc3ModEnvPitch", Knob, "ModEnv > Pitch", -64, 63, 30, "Osc3ModEnvPitch", 30, off64(40), cc64(60), TolOther },
    { "KnobOsc3LFO1Pitch", Knob, "LFO1 > Pitch", -64, 63, 29, "Osc3LFO1Pitch", 29, off64(39), cc64(59), TolOther },
    { "cmbOsc3Forms", List, "", 0, 16, 21, "Osc3Forms", 22, plain(143), nrpn(52), TolList },
    { "cmbOsc3Octave", List, "", 0, 3, 22, "Osc3Octave", 23, bits(19, 0, 1), nrpnPlus(105, 24), TolList },
    { "KnobPortamento", Knob, "Portamento", 0, 127, 40, "Portamento", 36, plain(16), cc(5), TolOther },
    { "KnobUnidetune", Knob, "Uni Detune", 0, 127, 41, "Unidetune", 42, plain(14), cc(68), TolOther },
    { "KnobVCODrift", Knob, "VCO Drift", 0, 127, 42, "VCODrift", 43, plain(15), cc(69), TolOther },
    { "KnobPreglide", Knob, "Preglide", -12, 12, 43, "Preglide", 44, off64(17), cc64(8), TolOther },
    { "KnobStartPhase", Knob, "Start Phase", 0, 127, 44, "StartPhase", 45, plain(160), nrpn(69), TolOther },
    { "Knob23FMLevel", Knob, "23 FM Level", 0, 127, 45, "23FMLevel", 50, plain(69), nrpn(0), TolOther },
    { "Knob23FMADEnv", Knob, "23 FM ADEnv", -64, 63, 46, "23FMADEnv", 51, off64(70), nrpn64(1), TolOther },
    { "Knob23FMLFO1", Knob, "23 FM Lfo1", -64, 63, 47, "23FMLFO1", 52, off64(184), nrpn64(78), TolOther },
    { "KnobMixerOut", Knob, "Mixer Out", 0, 30, 48, "MixerOut", 46, plain(138), cc(119), TolOther },
    { "KnobMixerLFO1OSC1", Knob, "Mixer Lfo1>Osc1", -64, 63, 49, "MixerLFO1OSC1", 47, off64(154), nrpn64(63), TolOther },
    { "KnobMixerLFO2OSC1", Knob, "Mixer Lfo2>Osc1", -64, 63, 50, "MixerLFO2OSC1", 48, off64(183), nrpn64(77), TolOther },
    { "KnobMixerLFO2OSC2", Knob, "Mixer Lfo2>Osc2", -64, 63, 51, "MixerLFO2OSC2", 49, off64(155), nrpn64(64), TolOther },
    { "KnobMixerADenvOSC3", Knob, "Mixer ADenv>Osc3", -64, 63, 52, "MixerADenvOSC3", 53, off64(156), nrpn64(65), TolOther, Own },
    { "cmbUnison", List, "", 0, 7, 36, "Unison", 37, bits(13, 0, 1), nrpn(106), TolList, Own },
    { "ckbOsc12Sync", Check, "Osc 1>2 Sync", 0, 1, 53, "ckbOsc12Sync", 40, bits(19, 6, 6), nrpnOnOff(104, 11, 10), TolExact },
    { "cmbOscPolyMode", List, "", 0, 3, 37, "OscPolyMode", 38, bits(13, 2, 3), nrpn(105), TolList },
    { "cmbPortaMode", List, "", 0, 1, 38, "PortaMode", 39, plain(18), cc(70), TolList },
    { "cmbFixedNote", List, "", 0, 127, 39, "FixedNote", 41, plain(180), nrpn(74), TolList },
    { "KnobNoiseLevel", Knob, "Noise Level", 0, 127, 32, "NoiseLevel", 31, plain(53), cc(75), TolOther },
    { "KnobLfo1NoiseLevel", Knob, "LFO1 > Noise Level", -64, 63, 33, "Lfo1NoiseLevel", 33, off64(157), nrpn64(66), TolOther },
    { "KnobRing12Level", Knob, "Ring12 Level", 0, 127, 34, "Ring12Level", 34, plain(54), cc(76), TolOther },
    { "KnobLFO1Ring12Level", Knob, "LFO1 > Ring12 Level", -64, 63, 35, "LFO1Ring12Level", 35, off64(158), nrpn64(67), TolOther },
    { "cmbNoisetype", List, "", 0, 3, 31, "Noisetype", 32, plain(161), nrpn(70), TolList },
    { "KnobFrequency", Knob, "Frequency", 0, 127, 54, "Frequency", 54, plain(59), cc(105), TolOther },
    { "KnobResonance", Knob, "Resonance", 0, 127, 55, "Resonance", 55, plain(57), cc(106), TolOther },
    { "KnobKeyTrack", Knob, "KeyTrack", 0, 127, 56, "KeyTrack", 56, plain(60), nrpn(11), TolOther },
    { "KnobModenvFiltFreq", Knob, "ModEnv>FiltFreq", -64, 63, 57, "ModenvFiltFreq", 57, off64(65), cc64(107), TolOther },
    { "KnobLfo2FiltFreq", Knob, "Lfo2>FiltFreq", -64, 63, 58, "Lfo2FiltFreq", 58, off64(64), cc64(102), TolOther },
    { "KnobOverdrive", Knob, "Overdrive", 0, 127, 59, "Overdrive", 59, plain(56), cc(104), TolOther },
    { "KnobQNormalise", Knob, "Q Normalise", 0, 127, 60, "QNormalise", 60, plain(58), cc(103), TolOther },
    { "KnobFiltVelocity", Knob, "Filt Velocity", 0, 127, 61, "FiltVelocity", 61, plain(163), nrpn(72), TolOther },
    { "cmbFilterSlope", List, "", 0, 1, 63, "FilterSlope", 63, bits(13, 6, 7), nrpn(62), TolList },
    { "cmbFilterType", List, "", 0, 2, 62, "FilterType", 62, plain(153), nrpnPlus(104, 6), TolList },
    { "KnobLfo1Speed", Knob, "Speed", 0, 127, 64, "Lfo1Speed", 64, plain(85), cc(80), TolOther },
    { "KnobLfo1Delay", Knob, "Delay", 0, 127, 65, "Lfo1Delay", 65, plain(87), cc(82), TolOther },
    { "KnobLfo1Velocity", Knob, "Velocity", -64, 63, 68, "Lfo1Velocity", 68, off64(181), nrpn64(75), TolOther },
    { "KnobLfo1KeysyncPhaseOffset", Knob, "Keysync Phase Offset", 0, 127, 69, "Lfo1KeysyncPhaseOffset", 69, plain(148), nrpn(57), TolOther },
    { "cmblfo1Triggering", List, "", 0, 1, 67, "lfo1Triggering", 67, bits(91, 0, 0), nrpnPlus(104, 12), TolList },
    { "cmbLfo1Waveform", List, "", 0, 31, 66, "Lfo1Waveform", 66, plain(144), nrpn(53), TolList },
    { "ckbLfo1Keysync", Check, "Keysync", 0, 1, 70, "Lfo1Keysync", 70, bits(92, 1, 1), nrpnOnOff(104, 19, 18), TolExact },
    { "ckbLfo1Polarity", Check, "Polarity", 0, 1, 71, "Lfo1Polarity", 71, flag(146), nrpnOnOff(55, 1, 0), TolExact },
    { "ckbLfo1CommonToAllVoices", Check, "Common to all Voices", 0, 1, 72, "Lfo1CommonToAllVoices", 72, bits(92, 2, 2), nrpnOnOff(104, 21, 20), TolExact },
    { "ckbLfo1OneShot", Check, "One-Shot", 0, 1, 73, "Lfo1OneShot", 73, bits(92, 0, 0), nrpnOnOff(104, 17, 16), TolExact },
    { "KnobLfo2Speed", Knob, "Speed", 0, 127, 74, "Lfo2Speed", 78, plain(88), cc(83), TolOther, Own },
    { "KnobLfo2Delay", Knob, "Delay", 0, 127, 75, "Lfo2Delay", 79, plain(90), cc(85), TolOther, Own },
    { "KnobLfo2Velocity", Knob, "Velocity", -64, 63, 78, "Lfo2Velocity", 80, off64(182), nrpn64(76), TolOther },
    { "KnobLfo2KeysyncPhaseOffset", Knob, "Keysync Phase Offset", 0, 127, 79, "Lfo2KeysyncPhaseOffset", 81, plain(149), nrpn(58), TolOther },
    { "cmblfo2Triggering", List, "", 0, 1, 77, "lfo2Triggering", 83, bits(91, 4, 4), nrpnPlus(104, 14), TolList },
    { "cmbLfo2Waveform", List, "", 0, 31, 76, "Lfo2Waveform", 82, plain(145), nrpn(54), TolList, Own },
    { "ckbLfo2Keysync", Check, "Keysync", 0, 1, 80, "Lfo2Keysync", 74, bits(92, 5, 5), nrpnOnOff(104, 25, 24), TolExact },
    { "ckbLfo2Polarity", Check, "Polarity", 0, 1, 81, "Lfo2Polarity", 75, flag(147), nrpnOnOff(56, 1, 0), TolExact },
    { "ckbLfo2CommonToAllVoices", Check, "Common to all Voices", 0, 1, 82, "Lfo2CommonToAllVoices", 76, bits(92, 6, 6), nrpnOnOff(104, 27, 26), TolExact },
    { "ckbLfo2OneShot", Check, "One-Shot", 0, 1, 83, "Lfo2OneShot", 77, bits(92, 4, 4), nrpnOnOff(104, 23, 22), TolExact },
    { "sldAmpAttack", Slider, "", 0, 127, 84, "AmpAttack", 84, plain(75), cc(108), TolOther },
    { "sldAmpDecay", Slider, "", 0, 127, 85, "AmpDecay", 85, plain(76), cc(109), TolOther },
    { "sldAmpSustain", Slider, "", 0, 127, 86, "AmpSustain", 86, plain(77), cc(110), TolOther },
    { "sldAmpRelease", Slider, "", 0, 127, 87, "AmpRelease", 87, plain(78), cc(111), TolOther },
    { "sldModEnvAttack", Slider, "", 0, 127, 88, "ModEnvAttack", 88, plain(80), cc(114), TolOther },
    { "sldModEnvDecay", Slider, "", 0, 127, 89, "ModEnvDecay", 89, plain(81), cc(115), TolOther },
    { "sldModEnvSustain", Slider, "", 0, 127, 90, "ModEnvSustain", 90, plain(82), cc(116), TolOther },
    { "sldModEnvRelease", Slider, "", 0, 127, 91, "ModEnvRelease", 91, plain(83), cc(117), TolOther },
    { "sldEnv3Attack", Slider, "", 0, 127, 92, "Env3Attack", 92, plain(72), nrpn(3), TolOther },
    { "sldEnv3Decay", Slider, "", 0, 127, 93, "Env3Decay", 93, plain(73), nrpn(4), TolOther },
    { "sldVelocityAmp", Slider, "", 0, 127, 94, "VelocityAmp", 94, plain(74), cc(112), TolOther },
    { "sldVelocityModEnv", Slider, "", 0, 127, 95, "VelocityModEnv", 95, plain(79), cc(118), TolOther },
    { "sldVelocityADEnv", Slider, "", 0, 127, 96, "VelocityADEnv", 96, plain(71), nrpn(2), TolOther },
    { "cmbAmpEnvMonotrig", List, "", 0, 1, 97, "AmpEnvMonotrig", 97, bits(93, 2, 2), nrpnOnOff(104, 1, 0), TolList },
    { "cmbMEnvMonotrig", List, "", 0, 1, 98, "AmpMEnvMonotrig", 98, bits(93, 1, 1), nrpnOnOff(104, 3, 2), TolList },
    { "cmbADEnvMonotrig", List, "", 0, 1, 99, "AmpADEnvMonotrig", 99, bits(93, 0, 0), nrpnOnOff(104, 5, 4), TolList },
    { "knobArpTempo", Knob, "Tempo", 64, 191, 0, "", 0, plain(98), cc(9), TolNone, Own },
    { "KnobArpGateTime", Knob, "Arp Gate Time", 0, 127, 0, "", 0, plain(99), cc(88), TolNone },
    { "cmbArpOctaves", List, "", 0, 3, 0, "", 0, none(), nrpnPlus(105, 36), TolNone },
    { "cmbArpMode", List, "", 0, 6, 0, "", 0, plain(100), cc(3), TolNone },
    { "ckbArpOn", Check, "Arp ON", 0, 1, 0, "", 0, flag(101), nrpnOnOff(104, 29, 28), TolNone },
    { "ckbArpLatch", Check, "Arp Latch", 0, 1, 0, "", 0, none(), nrpnOnOff(104, 33, 32), TolNone },
    { "cmbArpPattern", List, "", 0, 32, 0, "", 0, plain(162), nrpn(71), TolNone },
    { "ckbArpPatternVelocity", Check, "Arp Pattern Velocity", 0, 1, 0, "", 0, none(), nrpnOnOff(73, 1, 0), TolNone },
    { "ckbArpKeysync", Check, "Arp Keysync", 0, 1, 0, "", 0, none(), nrpnOnOff(104, 31, 30), TolNone },
    { "cmbArpNotes", List, "", 0, 2, 0, "", 0, none(), nrpnPlus(105, 40), TolNone },
    { "cmbSynctype", List, "", 0, 15, 0, "", 0, none(), cc(87), TolNone },
    { "cmbLFO1SyncDelayTime", List, "", 0, 34, 0, "", 0, plain(150), nrpn(59), TolNone },
    { "cmbLFO1SyncSpeed", List, "", 0, 34, 0, "", 0, plain(86), cc(81), TolNone },
    { "cmbLFO2SyncDelayTime", List, "", 0, 34, 0, "", 0, plain(151), nrpn(60), TolNone },
    { "cmbLFO2SyncSpeed", List, "", 0, 34, 0, "", 0, plain(89), cc(84), TolNone },
    { "cmbDelaySyncTime", List, "", 0, 19, 0, "", 0, plain(116), cc(20), TolNone },
    { "cmbChorusPhaserSyncTime", List, "", 0, 34, 0, "", 0, plain(126), cc(28), TolNone },
    { "cmbPanningSyncTime", List, "", 0, 34, 0, "", 0, plain(132), cc(13), TolNone },
    { "KnobBWOsc1Bend", Knob, "BW Osc1 Bend", -12, 12, 0, "", 0, off64(22), cc64(42), TolNone },
    { "KnobBWOsc2Bend", Knob, "BW Osc2 Bend", -12, 12, 0, "", 0, off64(30), cc64(50), TolNone },
    { "KnobBWOsc3Bend", Knob, "BW Osc3 Bend", -12, 12, 0, "", 0, off64(38), cc64(58), TolNone },
    { "KnobMWPitchDirect", Knob, "MW Pitch Direct", -64, 63, 0, "", 0, off64(44), nrpn64(5), TolNone },
    { "KnobMWPitchMod", Knob, "MW Pitch Mod", -64, 63, 0, "", 0, off64(47), nrpn64(8), TolNone },
    { "KnobMWFilterFreq", Knob, "MW Filter Freq", -64, 63, 0, "", 0, off64(61), nrpn64(12), TolNone },
    { "KnobMWFilterFreqMod", Knob, "MW FiltFreq Mod", -64, 63, 0, "", 0, off64(66), nrpn64(15), TolNone },
    { "KnobMWOutputLevel", Knob, "MW Output Level", -64, 63, 0, "", 0, off64(94), nrpn64(18), TolNone },
    { "knobMWDelayLevel", Knob, "MW Delay Level", -64, 63, 0, "", 0, off64(114), cc64(18), TolNone },
    { "KnobMWReverbLevel", Knob, "MW Reverb Level", -64, 63, 0, "", 0, off64(121), cc64(24), TolNone },
    { "KnobMWChorusLevel", Knob, "MW Chorus Level", -64, 63, 0, "", 0, off64(124), cc64(26), TolNone },
    { "MWDistortLevel", Knob, "MW Distort Level", -64, 63, 0, "", 0, off64(111), cc64(16), TolNone },
    { "KnobATPitchDirect", Knob, "AT Pitch Direct", -64, 63, 0, "", 0, off64(45), nrpn64(6), TolNone },
    { "KnobATPitchMod", Knob, "AT Pitch Mod", -64, 63, 0, "", 0, off64(48), nrpn64(9), TolNone },
    { "KnobATFilterFreq", Knob, "AT Filter Freq", -64, 63, 0, "", 0, off64(62), nrpn64(13), TolNone },
    { "KnobATFiltFreqMod", Knob, "AT FiltFreq Mod", -64, 63, 0, "", 0, off64(67), nrpn64(16), TolNone },
    { "KnobATOutputLevel", Knob, "AT Output Level", -64, 63, 0, "", 0, off64(95), nrpn64(19), TolNone },
    { "KnobBRPitchDirect", Knob, "BR Pitch Direct", -64, 63, 0, "", 0, off64(46), nrpn64(7), TolNone },
    { "KnobBRPitchMod", Knob, "BR Pitch Mod", -64, 63, 0, "", 0, off64(49), nrpn64(10), TolNone },
    { "KnobBRFIlterFreq", Knob, "BR Filter Freq", -64, 63, 0, "", 0, off64(63), nrpn64(14), TolNone },
    { "KnobBRFiltFreqMod", Knob, "BR FiltFreq Mod", -64, 63, 0, "", 0, off64(68), nrpn64(17), TolNone },
    { "KnobBROutputLevel", Knob, "BR Output Level", -64, 63, 0, "", 0, off64(96), nrpn64(20), TolNone },
    { "KnobPanModDepth", Knob, "Pan Mod Depth", 0, 127, 0, "", 0, plain(130), cc(94), TolNone },
    { "KnobPanModRate", Knob, "Pan Mod Rate", 0, 127, 0, "", 0, plain(131), cc(12), TolNone },
    { "cmbPanInitialStartPosition", List, "", 0, 3, 0, "", 0, none(), nrpnPlus(105, 48), TolNone },
    { "cmbCHorusInitialStartPOsition", List, "", 0, 3, 0, "", 0, none(), nrpnPlus(105, 44), TolNone },
};
// clang-format on

struct GroupBox {
    std::string_view tab;
    std::string_view name;
    int rows;
};

constexpr GroupBox kGroupBoxes[] = {
    { "Oscillators", "Oscillator 1", 10 },
    { "Oscillators", "Oscillator 2", 10 },
    { "Oscillators", "Oscillator 3", 10 },
    { "Oscillators", "Oscillators Common", 18 },
    { "Oscillators", "Noise & Ring", 5 },
    { "Filter & LFOs & Envelopes", "Filter", 10 },
    { "Filter & LFOs & Envelopes", "LFO 1", 10 },
    { "Filter & LFOs & Envelopes", "LFO 2", 10 },
    { "Filter & LFOs & Envelopes", "Amp Envelope", 4 },
    { "Filter & LFOs & Envelopes", "Mod Envelope", 4 },
    { "Filter & LFOs & Envelopes", "Envelope 3", 2 },
    { "Filter & LFOs & Envelopes", "Velocity", 6 },
    { "Arpeggiator", "Arpeggiator", 10 },
    { "Arpeggiator", "Sync", 8 },
    { "Arpeggiator", "Wheels", 12 },
    { "Arpeggiator", "Aftertouch & Breath", 10 },
    { "Arpeggiator", "Pan", 4 },
};

// What each randomize routine draws, in drawing order.
constexpr std::string_view kDrawOsc1[]
    = { "KnobOsc1Semitone", "cmbOsc1Forms", "KnobOsc1Detune", "KnobOsc1Level", "KnobOsc1ManualPW",
          "KnobOsc1LFO2PW", "KnobOsc1ModEnvPW", "cmbOsc1Octave", "KnobOsc1ModEnvPitch", "KnobOsc1LFO1Pitch" };
constexpr std::string_view kDrawOsc2[]
    = { "KnobOsc2Semitone", "cmbOsc2Forms", "KnobOsc2Detune", "KnobOsc2Level", "KnobOsc2ManualPW",
          "KnobOsc2LFO2PW", "KnobOsc2ModEnvPW", "cmbOsc2Octave", "KnobOsc2ModEnvPitch", "KnobOsc2LFO1Pitch" };
constexpr std::string_view kDrawOsc3[]
    = { "KnobOsc3Semitone", "cmbOsc3Forms", "KnobOsc3Detune", "KnobOsc3Level", "KnobOsc3ManualPW",
          "KnobOsc3LFO2PW", "KnobOsc3ModEnvPW", "cmbOsc3Octave", "KnobOsc3ModEnvPitch", "KnobOsc3LFO1Pitch" };
constexpr std::string_view kDrawNoiseRing[]
    = { "cmbNoisetype", "KnobNoiseLevel", "KnobLfo1NoiseLevel", "KnobRing12Level", "KnobLFO1Ring12Level" };
constexpr std::string_view kDrawOscCommon[] = { "cmbUnison", "cmbOscPolyMode", "cmbFilterSlope",
    "cmbPortaMode", "cmbFixedNote", "ckbOsc12Sync", "KnobPortamento", "KnobUnidetune", "KnobVCODrift",
    "KnobPreglide", "KnobStartPhase", "Knob23FMLevel", "Knob23FMADEnv", "Knob23FMLFO1", "KnobMixerOut",
    "KnobMixerLFO1OSC1", "KnobMixerLFO2OSC1", "KnobMixerLFO2OSC2", "KnobMixerADenvOSC3" };
constexpr std::string_view kDrawFilter[]
    = { "KnobFrequency", "KnobResonance", "KnobKeyTrack", "KnobModenvFiltFreq", "KnobLfo2FiltFreq",
          "KnobOverdrive", "KnobQNormalise", "KnobFiltVelocity", "cmbFilterType" };
constexpr std::string_view kDrawLfos[] = { "KnobLfo1Speed", "KnobLfo1Delay", "cmbLfo1Waveform",
    "cmblfo1Triggering", "KnobLfo1Velocity", "KnobLfo1KeysyncPhaseOffset", "ckbLfo1OneShot", "ckbLfo1Keysync",
    "ckbLfo1CommonToAllVoices", "ckbLfo1Polarity", "KnobLfo2Speed", "KnobLfo2Delay", "cmbLfo2Waveform",
    "cmblfo2Triggering", "KnobLfo2Velocity", "KnobLfo2KeysyncPhaseOffset", "ckbLfo2OneShot", "ckbLfo2Keysync",
    "ckbLfo2CommonToAllVoices", "ckbLfo2Polarity" };
constexpr std::string_view kDrawEnvelopes[] = { "sldAmpAttack", "sldAmpDecay", "sldAmpSustain",
    "sldAmpRelease", "sldModEnvAttack", "sldModEnvDecay", "sldModEnvSustain", "sldModEnvRelease",
    "sldEnv3Attack", "sldEnv3Decay", "sldVelocityAmp", "sldVelocityModEnv", "sldVelocityADEnv",
    "cmbAmpEnvMonotrig", "cmbMEnvMonotrig", "cmbADEnvMonotrig" };

inline const Row* rowOf(std::string_view control)
{
    for (const Row& r : kRows)
        if (r.control == control)
            return &r;
    return nullptr;
}

} // namespace parameter_table
