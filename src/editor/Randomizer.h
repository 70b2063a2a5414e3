#pragma once

// The restricted randomizer: draws, for each schema parameter, one of the
// values its schema entry allows, with equal chance, and writes it into a
// SoundDump through the parameter map. Window-free; the editor window calls
// the group routines and then reloads its controls.

#include "editor/ParameterMapLive.h"
#include "editor/Schema.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace sondrake::editor {

// A linear congruential generator with one 32-bit state. A draw in 0..n-1
// advances the state (state * 134775813 + 1 mod 2^32) and takes the upper 32
// bits of state * n, so it is 0 for n = 0 and every draw advances the state.
class Generator {
public:
    explicit Generator(std::uint32_t seed)
        : m_state(seed)
    {
    }

    std::uint32_t next(std::uint32_t n)
    {
        m_state = m_state * 134775813u + 1u;
        return std::uint32_t((std::uint64_t(m_state) * n) >> 32);
    }

    std::uint32_t state() const { return m_state; }

    // Milliseconds since midnight UTC.
    static std::uint32_t timeOfDaySeed();

private:
    std::uint32_t m_state;
};

// The position of a randomly chosen "1" of text, each with equal chance. A
// non-empty text without "1" gives its last position; an empty text gives -1.
int drawAllowedIndex(QStringView text, Generator& gen);

// Draws a value for one parameter from its schema entry. kind and the range
// are the control's: Min..Max for a knob or slider, 0..count-1 for a list,
// 0..1 for a check box. Only positions that stand for a value of the range
// count: "1"s past the last value are not allowed.
// A knob whose text allows no value gets the fallback first: its text is
// padded with "0" to the full range and its middle position (Max-Min+1) div 2
// becomes "1"; the changed text stays in the schema.
// A list, slider or check box whose text allows no value of its range takes
// the last position of the text, cut to the range.
// Returns the knob or slider position, the list index, or for a check box
// 0 = "On" / 1 = "Off". Returns nothing only for an empty text (or an empty
// range): the parameter keeps its current value. Every call makes exactly
// one draw.
std::optional<int> randomizeParameter(
    SchemaEntry& entry, ControlKind kind, int minimum, int maximum, Generator& gen);
// Kind and range from the entry's row of the parameter map.
std::optional<int> randomizeParameter(SchemaEntry& entry, Generator& gen);

// Draws one parameter and writes it into the dump (a check box drawn "On" is
// stored as on). Returns false when the parameter kept its value.
bool randomizeInto(SoundDump& dump, SchemaEntry& entry, Generator& gen);

// The group routines, each drawing its parameters in a fixed order.
void randomizeOsc1(SoundDump& dump, SoundFamilySchema& schema, Generator& gen);
void randomizeOsc2(SoundDump& dump, SoundFamilySchema& schema, Generator& gen);
void randomizeOsc3(SoundDump& dump, SoundFamilySchema& schema, Generator& gen);
void randomizeNoiseRing(SoundDump& dump, SoundFamilySchema& schema, Generator& gen);
void randomizeOscCommon(SoundDump& dump, SoundFamilySchema& schema, Generator& gen);
void randomizeFilter(SoundDump& dump, SoundFamilySchema& schema, Generator& gen);
void randomizeLfos(SoundDump& dump, SoundFamilySchema& schema, Generator& gen);
void randomizeEnvelopes(SoundDump& dump, SoundFamilySchema& schema, Generator& gen);

// What the editor's five randomize buttons run.
void randomizeSound(SoundDump& dump, SoundFamilySchema& schema, Generator& gen); // all eight groups
void randomizeOscillators(SoundDump& dump, SoundFamilySchema& schema, Generator& gen); // Osc1..Osc3

// The controls a group routine draws, in drawing order (the parameter map's
// drawOrder() by control name).
std::span<const std::string_view> groupControls(RandomGroup group);
void randomizeGroup(RandomGroup group, SoundDump& dump, SoundFamilySchema& schema, Generator& gen);

// The "R" list of one parameter, without the dialog: its caption, its rows
// (list items; knob and slider values as decimal numbers; "On", "Off"), the
// rows ticked for an Allowed text, and the text a set of ticks gives back.
QString parameterListCaption(const ParameterEntry& parameter);
QStringList parameterListRows(const ParameterEntry& parameter);
// Row i is ticked unless character i is "0"; rows past the text stay
// unticked, except that a check box counts a missing character as not "0".
// A knob whose text allows none of its values gets its middle row ticked.
std::vector<bool> parameterListChecks(const ParameterEntry& parameter, QStringView allowed);
QString allowedFromChecks(const std::vector<bool>& checks);

} // namespace sondrake::editor
