#pragma once

// The one table that ties every editable sound parameter to its editor
// control, its place in the SoundDump, its live MIDI message and (for 99 of
// them) its sound-family schema key, its step in the randomizer's drawing
// order and its schema tolerance class. Nothing else in the program knows a
// parameter's byte or message number: the editor window builds its controls
// from these rows, the randomizer draws and writes through them, and the
// emulator uses them in reverse to apply received controllers to its edit
// buffer.
//
// This header depends on the standard library and the store only, so the
// emulator can use it without any window.

#include "store/SoundDump.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace sondrake::parametermap {

enum class ControlKind : std::uint8_t { Knob, Slider, List, CheckBox };

enum class Encoding : std::uint8_t {
    Plain, // the value itself
    Offset64, // value + 64 (a bipolar knob -64..63 is stored as 0..127)
    BitField, // bits lo..hi of the byte (lo == hi: a single bit); other bits untouched
    Flag, // 1 = on, 0 = off; reading: only the byte value 1 is on
    NotStored, // the sound keeps no byte for it: never read nor written
};

struct Storage {
    Encoding encoding = Encoding::NotStored;
    int byte = -1; // SoundDump offset, -1 when not stored
    int lo = 0; // bit fields only
    int hi = 7;
};

enum class MessageKind : std::uint8_t { CC, Nrpn };

enum class ValueRule : std::uint8_t {
    Position, // knob/slider position as it is
    PositionPlus64, // position + 64
    Index, // list index as it is
    IndexPlusOffset, // list index + offset (selector registers 104/105)
    OnOff, // check box: fixed value for off (0) and on (1)
    SglMlt, // envelope trigger list: fixed value for SGL (index 0) and MLT (index 1)
};

struct LiveMessage {
    MessageKind kind = MessageKind::CC;
    int number = 0; // controller or NRPN number
    ValueRule rule = ValueRule::Position;
    int offset = 0; // IndexPlusOffset: added to the index
    int fixed[2] = { 0, 0 }; // OnOff: {off, on}; SglMlt: {SGL, MLT}
};

// A schema row's initValue; other rows have none.
constexpr int kNoInitValue = -1000;

// The randomizer's groups, in the order "Randomize Sound" draws them.
enum class RandomGroup : std::uint8_t { Osc1, Osc2, Osc3, NoiseRing, OscCommon, Filter, Lfos, Envelopes };
constexpr int kRandomGroupCount = 8;

// Where the randomizer draws a schema row: its group and its step in the
// group's fixed drawing order (1 = first). The order is what a seeded
// generator's sequence is spent on, so changing it changes every sound a
// schema gives. Step 0: the row is never drawn (every row outside a schema).
struct RandomDraw {
    RandomGroup group = RandomGroup::Osc1;
    int step = 0;
};

// Which tolerance a schema built from the current sound allows a schema row:
// lists and check boxes by their kind, the semitone and detune knobs their
// own, every other knob and every slider the "other knobs" one. None for rows
// outside a schema.
enum class ToleranceClass : std::uint8_t { None, List, Semitone, Detune, OtherKnob, Exact };

// Control values: knob and slider positions Min..Max, list index 0..n-1,
// check box 1 = on, 0 = off.
struct ParameterEntry {
    int schemaOrder = 0; // 1..99, 0 = not covered by a schema
    std::string_view key; // schema key, empty when schemaOrder == 0
    std::string_view control; // editor control name, e.g. "KnobOsc1Semitone"
    ControlKind kind = ControlKind::Knob;
    std::string_view caption; // label of knobs and check boxes, empty for the other kinds
    std::string_view shortName; // label of lists and sliders, empty for the other kinds
    std::string_view tab; // "Oscillators", "Filter & LFOs & Envelopes", "Arpeggiator"
    std::string_view group; // group box caption, e.g. "Oscillator 1"
    // Where the group box stands on its tab: its line (0 = top) and its share
    // of the line's width, in pixels at the editor's usual font. Every row of
    // a group gives the same values.
    int boxLine = 0;
    int boxWidth = 0;
    int minimum = 0; // list: 0, check box: 0
    int maximum = 127; // list: item count - 1, check box: 1
    std::span<const std::string_view> items; // list entries; empty for other kinds
    Storage storage;
    LiveMessage live;
    int rButton = 0; // n of the "R" button BitBtn<n> beside the control, 0 = none
    int initValue = kNoInitValue; // the control value "Init Sound" gives a schema row
    RandomDraw draw; // schema rows only
    ToleranceClass tolerance = ToleranceClass::None; // schema rows only

    // What the editor shows beside the control: its caption or short name.
    std::string_view label() const { return caption.empty() ? shortName : caption; }

    int valueCount() const { return maximum - minimum + 1; }
    bool isStored() const { return storage.encoding != Encoding::NotStored; }
    bool inSchema() const { return schemaOrder != 0; }
};

// Every row, in the order of the editor's group boxes (Oscillator 1 first,
// Pan last). The table lives for the whole program.
std::span<const ParameterEntry> parameterMap();

// The 99 schema rows in schema order (index 0 = schema order 1).
std::span<const ParameterEntry* const> schemaEntries();

// The schema rows the group draws, in drawing order.
std::span<const ParameterEntry* const> drawOrder(RandomGroup group);

// The first fault of a table (a row without a name, label, group box place,
// schema key, init value, randomizer step or tolerance class where it needs
// one, or with one where it needs none; a range, storage or tolerance class
// that does not fit; a control, schema order, "R" button or step of a
// randomizer group given twice; a schema order or a step of a group missing),
// or an empty string for a complete table. parameterMap() checks its own rows
// with this once and throws std::logic_error on a fault, so an incomplete row
// stops the program at its first use of the map instead of showing later as a
// missing control, a wrong init sound or a parameter the randomizer skips.
std::string parameterTableFault(std::span<const ParameterEntry> rows);

// Writes every schema row's init value into the dump (the "Init Sound");
// the name, location bytes and every byte outside those rows stay.
void writeInitSound(SoundDump& dump);

// nullptr when nothing matches. Control names match exactly. Keys match
// without regard to ASCII case, because schema files match keys that way;
// no two keys of the map differ only in case.
const ParameterEntry* entryForControl(std::string_view controlName);
const ParameterEntry* entryForKey(std::string_view key);
const ParameterEntry* entryForRButton(int n); // n of BitBtn<n>, 1..99

// Decodes the control value from the dump by the row's encoding. The result is
// not clamped to the range: a byte the editor never wrote may decode to a
// value outside it (byte 13 = 0xFF gives filter slope 3), and the caller
// decides how to show that. A not-stored row reads as its minimum.
int readValue(const SoundDump& dump, const ParameterEntry& entry);

// Encodes value (clamped to the row's range) into the dump. A bit field
// changes only its own bits; a not-stored row writes nothing.
void writeValue(SoundDump& dump, const ParameterEntry& entry, int value);

// The data value the live message carries for a control value (before the
// 7-bit limit of the wire).
int liveValue(const ParameterEntry& entry, int value);

// The complete wire bytes of the row's live message, on MIDI channel 1: one
// message {B0, n, v} for a CC, three messages {B0 63 n>>7}, {B0 62 n&7F},
// {B0 06 v&7F} for an NRPN. No data byte is ever 0x80 or more: a CC value is
// clamped to 0..127 (Tempo positions 128..191 leave as 127). The bytes come
// from store/ControllerBytes.h, which the MIDI layer's builders use too.
std::vector<std::vector<std::uint8_t>> liveMessages(const ParameterEntry& entry, int value);

// The map used in reverse, for a synthesizer's edit buffer: a received
// controller or NRPN value is decoded by the row that sends it and stored with
// that row's encoding. Return true when a stored parameter was written; false
// for numbers and values no stored row sends (and for not-stored rows).
// Values are 7-bit (0..127). CC 9 value v sets Tempo position v.
bool applyController(SoundDump& dump, int controller, int value);
bool applyNrpn(SoundDump& dump, int nrpn, int value);

// Follows a stream of channel-1 short messages: CC 99 and CC 98 select the
// NRPN number, CC 6 applies the NRPN value; any other control change goes to
// applyController. Messages that are not control changes on channel 1 are
// ignored. Returns true when a stored parameter was written.
class LiveMessageApplier {
public:
    bool apply(SoundDump& dump, std::span<const std::uint8_t> message);
    void reset();

private:
    int m_nrpnMsb = -1;
    int m_nrpnLsb = -1;
};

// Applies a sequence of complete messages (as liveMessages() returns them)
// with a fresh applier. Returns true when a stored parameter was written.
bool applyLiveMessages(SoundDump& dump, const std::vector<std::vector<std::uint8_t>>& messages);

} // namespace sondrake::parametermap
