#pragma once

// The computer-keyboard player without its window: the sixteen letter keys
// of a piano keyboard, the octave, and one polling step over a table of
// note states. The main window supplies the key state and the MIDI output.

#include "store/NoteNames.h"
#include "store/PlayerKeys.h"

#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <string_view>

namespace sondrake {

struct NoteKey {
    std::string_view name; // at most three characters, "C" .. "D#1"
    int key; // Qt key code; for letters the upper-case ASCII code
};

// In semitone order: entry i plays 12 * (octave + 1) + i. The first twelve
// names are the octave's note names.
inline constexpr std::array<NoteKey, 16> NoteKeyTable { {
    { NoteNames[0], 'A' },
    { NoteNames[1], 'W' },
    { NoteNames[2], 'S' },
    { NoteNames[3], 'E' },
    { NoteNames[4], 'D' },
    { NoteNames[5], 'F' },
    { NoteNames[6], 'T' },
    { NoteNames[7], 'G' },
    { NoteNames[8], 'Y' },
    { NoteNames[9], 'H' },
    { NoteNames[10], 'U' },
    { NoteNames[11], 'J' },
    { "C1", 'K' },
    { "C#1", 'O' },
    { "D1", 'L' },
    { "D#1", 'P' },
} };

// The twelve names "C" .. "H" of one octave (the first twelve entries).
inline constexpr std::string_view noteName(int semitone)
{
    return NoteNames[static_cast<std::size_t>(((semitone % 12) + 12) % 12)];
}

inline constexpr int PlayerChannel = 0; // MIDI channel 1

// The player's note state table: entry n is 1 while note n + 12 is held on.
using NoteStateTable = std::array<std::uint8_t, 128>;

// Table index of key i at this octave, or -1 when its note (index + 12)
// would lie above 127: such keys are ignored altogether.
constexpr int noteStateIndex(int octave, int keyIndex)
{
    const int n = 12 * octave + keyIndex;
    return (n >= 0 && n + 12 <= 127) ? n : -1;
}

// The MIDI note key i plays at this octave, or -1 when there is none.
constexpr int playedNote(int octave, int keyIndex)
{
    const int n = noteStateIndex(octave, keyIndex);
    return n < 0 ? -1 : n + 12;
}

constexpr int octaveUp(int octave) { return octave < MaxOctave ? octave + 1 : MaxOctave; }
constexpr int octaveDown(int octave) { return octave > MinOctave ? octave - 1 : MinOctave; }

// "Octave 4"
QString octaveCaption(int octave);

// Asks for one key's asynchronous state (down now, or pressed since asked).
using KeyQuery = std::function<bool(int key)>;
// Sends note on (true) or note off (false) for a MIDI note 0..127.
using NoteSender = std::function<void(bool on, std::uint8_t note)>;

// One polling step: every key is asked once, in table order, so a tap
// between two polls is consumed; a key that is down starts its note unless
// the table says it is already on, a key that is up ends a note the table
// holds. Returns the number of messages sent.
int pollKeyboard(NoteStateTable& states, int octave, const KeyQuery& keyDown, const NoteSender& send);

} // namespace sondrake
