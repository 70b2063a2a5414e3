#pragma once

// Which MIDI devices the program talks to: chosen by name at every start,
// and again by the settings dialog. Nothing of it is stored.

#include <QString>
#include <QStringList>

#include <cstdint>

namespace sondrake::platform {
class MidiService;
}

namespace sondrake::midi {

// The devices and the synthesizer's device ID the session uses. An index
// counts over the machine's device list at the time it was chosen; the name
// beside it is what the index pointed at then, so a reopen finds the same
// device even when the list has changed since.
struct MidiDeviceChoice {
    std::uint16_t inputIndex = 0;
    std::uint16_t outputIndex = 0;
    QString inputName;  // empty: not chosen by name, the index alone counts
    QString outputName;
    std::uint16_t deviceId = 0; // 0..126, or 127 for "Broadcast"
};

// Index of the last device whose name contains "QLindorn" or "USB Audio"
// (case-sensitive); `current` when no name matches.
int detectPortIndex(const QStringList& names, int current);

// Index of the last device whose name contains "QLindorn"; `current` when
// none does. The settings dialog accepts no other devices.
int lastModelPortIndex(const QStringList& names, int current);

// Points the choice at the devices detectPortIndex finds in the given lists.
void detectMidiPorts(MidiDeviceChoice& choice, const QStringList& inputNames, const QStringList& outputNames);
// Same over the machine's devices; false with the reason when they could not
// be listed (the choice is left as it was).
bool detectMidiPorts(MidiDeviceChoice& choice, const platform::MidiService& midi, QString* error);

// The machine's device names, in index order.
QStringList inputDeviceNames(const platform::MidiService& midi);
QStringList outputDeviceNames(const platform::MidiService& midi);

} // namespace sondrake::midi
