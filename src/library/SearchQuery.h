#pragma once

// What the library's search field understands.
//
//   search     := { term }
//   term       := condition | "fav" | word | '"' words '"'
//   condition  := parameter operator value
//   parameter  := the parameter as the editor names it: its group box and its
//                 label, "osc1 waveform", "filter frequency", "amp envelope
//                 attack", "lfo 1 speed"; the label alone where only one
//                 parameter has it ("resonance"); or its schema key
//                 ("Osc1Forms"). Case, blanks and punctuation do not count,
//                 and "osc" stands for "oscillator", "env" for "envelope", so
//                 "LFO2 > PW" of oscillator 1 is "osc1 lfo2 pw".
//   operator   := "=" | "!=" | "<" | "<=" | ">" | ">="
//   value      := a knob or slider position as the editor shows it ("100",
//                 "-12"); a list entry as the list shows it ("SAWTOOTH",
//                 "HP NOISE", "24dB/Oct"), where "<" and ">" follow the
//                 list's order; "on" or "off" for a check box
//   word       := any other text: it must occur in one of the sound's names
//                 or tags (case does not count)
//
// Every term must hold ("and"). "fav" keeps the favourites only.
// Examples: `bass fav`, `osc1 waveform = SAWTOOTH filter frequency > 100`.

#include "parametermap/ParameterMap.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace sondrake::library {

enum class Comparison { Equal, NotEqual, Less, LessOrEqual, Greater, GreaterOrEqual };

struct ParameterCondition {
    const parametermap::ParameterEntry* entry = nullptr;
    Comparison comparison = Comparison::Equal;
    int value = 0; // a control value: position, list index, 1 = on
};

struct SearchQuery {
    QStringList words; // lower case
    std::vector<ParameterCondition> conditions;
    bool favouritesOnly = false;
    QString error; // the first thing not understood; empty when all was

    bool matchesEverything() const { return words.isEmpty() && conditions.empty() && !favouritesOnly; }
};

SearchQuery parseSearch(const QString& text);

// The stored parameter the words name, or nullptr (none, or more than one).
const parametermap::ParameterEntry* findParameter(const QString& words);

// How the search writes a parameter: "osc1 waveform".
QString searchName(const parametermap::ParameterEntry& entry);

// A value as the editor shows it: the list entry, "on"/"off", the position.
QString valueText(const parametermap::ParameterEntry& entry, int value);

// The short help's text of the grammar above.
QString searchHelp();

} // namespace sondrake::library
