#pragma once

// The twelve note names of one octave, index = semitone above C. The
// eleventh semitone is written "H". Header-only and standard-library-only on
// purpose: the painted controls link Qt alone and include it by path, the
// keyboard player and the editor's note lists take their names from here.

#include <array>
#include <string_view>

namespace sondrake {

inline constexpr std::array<std::string_view, 12> NoteNames{ "C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A",
    "A#", "H" };

} // namespace sondrake
