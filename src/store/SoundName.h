#pragma once

// A sound's name is 16 bytes inside the SysEx body, where a byte of 0x80 or
// more would read as a status byte and cut the message. Names are therefore
// stored as printable 7-bit text: a letter with a mark becomes its plain
// letter (é → e, ü → u, ß → s, ł → l) and anything else without a printable
// 7-bit form becomes "?".

#include <string>
#include <string_view>

namespace sondrake {

// The byte a character is stored as: always 0x20..0x7E.
char storableNameChar(char32_t c);
// Each character through storableNameChar; the length stays.
std::string storableName(std::u32string_view name);

} // namespace sondrake
