#pragma once

// The settings file beside the program: section "Globals" with the autoload
// file name and six tolerance bytes.

#include <QString>

#include <cstdint>

namespace sondrake {

class IniFile;

struct Settings {
    QString autoloadFile;
    std::uint8_t toleranceComboBox = 0;
    std::uint8_t toleranceOctave = 2;
    std::uint8_t toleranceKeytrack = 0;
    std::uint8_t toleranceOtherKnobs = 10;
    std::uint8_t toleranceSemitoneKnobs = 0;
    std::uint8_t toleranceDetuneKnobs = 3;

    bool operator==(const Settings&) const = default;
};

namespace settings {

inline constexpr const char* kSection = "Globals";
inline constexpr const char* kFileName = "halvorne_q-lindorn.ini";

// A decimal 32-bit integer (blanks around it allowed) cut to its low 8 bits
// (300 -> 44, -1 -> 255); anything else gives the default.
std::uint8_t parseByte(const QString& text, std::uint8_t defaultValue);

// Missing keys and values that are not integers take their defaults.
Settings read(const IniFile& ini);

// The seven keys in their fixed order; every other line of the file stays.
void write(IniFile& ini, const Settings& values);

// A missing file gives the defaults and true. An unreadable file gives the
// defaults, false and the reason.
bool load(const QString& path, Settings& values, QString* error);

// Updates the keys in the existing file (or creates it) atomically. An
// existing file that cannot be read is not overwritten, so keys and sections
// of others are never lost.
bool save(const QString& path, const Settings& values, QString* error);

} // namespace settings
} // namespace sondrake
