#pragma once

// Which MIDI devices the program talks to: chosen by name at every start,
// and again by the settings dialog. Nothing of it is stored.

#include <QStringList>

#include <cstdint>

namespace sondrake::midi {

// Index of the last device whose name contains "QLindorn" or "USB Audio"
// (case-sensitive); `current` when no name matches.
int detectPortIndex(const QStringList& names, int current);

// Index of the last device whose name contains "QLindorn"; `current` when
// none does. The settings dialog accepts no other devices.
int lastModelPortIndex(const QStringList& names, int current);

// Sets MidiInDeviceIndex and MidiOutDeviceIndex from the given name lists.
void DetectMidiPorts(const QStringList& inputNames, const QStringList& outputNames);
// Same over the machine's devices; a failure goes to the Messages box.
void DetectMidiPorts();

// The machine's device names, in index order.
QStringList inputDeviceNames();
QStringList outputDeviceNames();

} // namespace sondrake::midi
