#include "parametermap/ValueLists.h"

#include "store/NoteNames.h"

#include <array>
#include <string>

namespace sondrake::parametermap::lists {

namespace {

    using std::string_view_literals::operator""sv;

    constexpr std::array kOscillatorWaveforms { "SINE"sv, "TRIANGLE"sv, "SAWTOOTH"sv, "SQR/PULSE"sv,
        "WHT/NOISE"sv, "HP NOISE"sv, "BP NOISE"sv, "HBP NOISE"sv, "ORGAN"sv, "HARPSICORD"sv, "ELECPIANO"sv,
        "SLAP BASS"sv, "RHODPIANO"sv, "RHOD TINE"sv, "WHURLY EP"sv, "CLAVINET"sv, "ANA BASS"sv };
    constexpr std::array kOscillatorOctaves { "-1"sv, "0"sv, "1"sv, "2"sv };
    constexpr std::array kUnison { "OFF"sv, "2"sv, "3"sv, "4"sv, "5"sv, "6"sv, "7"sv, "8"sv };
    constexpr std::array kPolyModes { "MONO"sv, "MONO AG"sv, "POLY 1"sv, "POLY 2"sv };
    constexpr std::array kPortamentoModes { "EXP"sv, "LIN"sv };
    constexpr const auto& kNoteNames = NoteNames;
    constexpr std::array kNoiseTypes { "0"sv, "1"sv, "2"sv, "3"sv };
    constexpr std::array kFilterSlopes { "12dB/Oct"sv, "24dB/Oct"sv };
    constexpr std::array kFilterTypes { "Lo-pass"sv, "Band-pass"sv, "High-pass"sv };
    constexpr std::array kLfoWaveforms { "Sine"sv, "TRiangle"sv, "Sawtooth"sv, "Square"sv, "Random s/h"sv,
        "Quant s/h"sv, "Crossfade"sv, "Exp Dec1"sv, "Exp Dec2"sv, "Exp Dec3"sv, "Att Exp1"sv, "Att Exp2"sv,
        "Att Exp3"sv, "Sust Exp1"sv, "Sust Exp2"sv, "Sust Exp3"sv, "PianoEnv1"sv, "PianoEnv2"sv, "PianoEnv3"sv,
        "ExpUpDown"sv, "Chromatic"sv, "Maj-Modes"sv, "Major-7"sv, "Pattern1"sv, "Pattern2"sv, "Pattern3"sv,
        "Pattern4"sv, "Pattern5"sv, "Pattern6"sv, "Pattern7"sv, "Pattern8"sv, "Pattern9"sv };
    constexpr std::array kTriggerModes { "SGL"sv, "MLT"sv };
    constexpr std::array kArpOctaves { "1"sv, "2"sv, "3"sv, "4"sv };
    constexpr std::array kArpModes { "Up"sv, "Down"sv, "Up-down 1"sv, "Up-down 2"sv, "Played"sv, "Random"sv,
        "Chord"sv };
    constexpr std::array kArpPatterns { "Off"sv, "1"sv, "2"sv, "3"sv, "4"sv, "5"sv, "6"sv, "7"sv, "8"sv, "9"sv,
        "10"sv, "11"sv, "12"sv, "13"sv, "14"sv, "15"sv, "16"sv, "17"sv, "18"sv, "19"sv, "20"sv, "21"sv, "22"sv,
        "23"sv, "24"sv, "25"sv, "26"sv, "27"sv, "28"sv, "29"sv, "30"sv, "31"sv, "32"sv };
    constexpr std::array kArpNotes { "INT"sv, "EXT"sv, "I+E"sv };
    // "Off", the sixteen sync types, then the long times. The sync-type list
    // and the delay list are views into this one.
    constexpr std::array kLongSyncTimes { "Off"sv, "32nd T"sv, "32nd"sv, "16th T"sv, "16th"sv, "8th T"sv,
        "16th D"sv, "8th"sv, "4th T"sv, "8th D"sv, "4th"sv, "2nd T"sv, "4th D"sv, "2nd"sv, "1bar T"sv, "2bar D"sv,
        "1 bar"sv, "2bar T"sv, "1bar D"sv, "2 bars"sv, "4bar T"sv, "3bars"sv, "5bar T"sv, "4bars"sv, "3bar D"sv,
        "7bar T"sv, "5bars"sv, "8bar T"sv, "6bars"sv, "7bars"sv, "5bar D"sv, "8bars"sv, "9bars"sv, "7bar D"sv,
        "12bars"sv };
    static_assert(kLongSyncTimes.size() == 35);
    constexpr std::array kStartPositions { "Off"sv, "Left"sv, "Centre"sv, "Right"sv };

    struct FixedNoteList {
        std::array<std::string, 128> text;
        std::array<std::string_view, 128> views;
        FixedNoteList()
        {
            text[0] = "OFF";
            for (int n = 0; n <= 126; ++n)
                text[n + 1] = std::string(kNoteNames[n % 12]) + std::to_string(n / 12 - 2);
            for (std::size_t i = 0; i < text.size(); ++i)
                views[i] = text[i];
        }
    };

} // namespace

std::span<const std::string_view> oscillatorWaveforms() { return kOscillatorWaveforms; }
std::span<const std::string_view> oscillatorOctaves() { return kOscillatorOctaves; }
std::span<const std::string_view> unison() { return kUnison; }
std::span<const std::string_view> polyModes() { return kPolyModes; }
std::span<const std::string_view> portamentoModes() { return kPortamentoModes; }
std::span<const std::string_view> noteNames() { return kNoteNames; }
std::span<const std::string_view> fixedNotes()
{
    static const FixedNoteList list;
    return list.views;
}
std::span<const std::string_view> noiseTypes() { return kNoiseTypes; }
std::span<const std::string_view> filterSlopes() { return kFilterSlopes; }
std::span<const std::string_view> filterTypes() { return kFilterTypes; }
std::span<const std::string_view> lfoWaveforms() { return kLfoWaveforms; }
std::span<const std::string_view> triggerModes() { return kTriggerModes; }
std::span<const std::string_view> arpOctaves() { return kArpOctaves; }
std::span<const std::string_view> arpModes() { return kArpModes; }
std::span<const std::string_view> arpPatterns() { return kArpPatterns; }
std::span<const std::string_view> arpNotes() { return kArpNotes; }
std::span<const std::string_view> syncTypes() { return std::span(kLongSyncTimes).subspan(1, 16); }
std::span<const std::string_view> longSyncTimes() { return kLongSyncTimes; }
std::span<const std::string_view> delaySyncTimes() { return std::span(kLongSyncTimes).first(20); }
std::span<const std::string_view> startPositions() { return kStartPositions; }

} // namespace sondrake::parametermap::lists
