#pragma once

// The keyboard player's octave and the letters it keeps from text fields:
// facts the main window's player and the sound editor's test keys share,
// so they live in one place both may include. Header-only and
// standard-library-only, like NoteNames.h.

#include <string_view>

namespace sondrake {

// The player's octave: the main window's Z and X and its octave buttons move
// it within MinOctave..MaxOctave.
inline constexpr int MinOctave = 0;
inline constexpr int MaxOctave = 10;
inline constexpr int StartOctave = 4;
// The sound editor's Z, X and number-pad keys move the same octave, but only
// up to here.
inline constexpr int EditorMaxOctave = 9;

// Letters (as typed, lower case) a window swallows while the player is on,
// so playing does not type into it: the sound editor every letter the
// player reads, the main window only these six.
inline constexpr std::string_view EditorSwallowedLetters = "asdfghjklwetyuop";
inline constexpr std::string_view MainWindowSwallowedLetters = "aedfgh";

constexpr bool isSwallowedLetter(std::string_view letters, char32_t typed)
{
    return typed != 0 && typed < 0x80 && letters.find(char(typed)) != std::string_view::npos;
}

} // namespace sondrake
