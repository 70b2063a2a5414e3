#pragma once

// Every message the program sends to the synthesizer, as bytes: pure
// builders, no port. MidiSession queues what they build.

#include "store/SoundDump.h"

#include <chrono>
#include <cstdint>
#include <vector>

namespace sondrake::midi {

using Bytes = std::vector<std::uint8_t>;

// One entry of the output queue: messages that leave together, none of
// another entry between them, with a pause after each message.
struct QueueEntry {
    std::vector<Bytes> messages;
    std::chrono::microseconds pauseAfterEach{0};
    // Entries with the same non-zero key carry the value of one parameter:
    // queuing one drops a waiting one, since only the last value counts.
    std::uint64_t coalesceKey = 0;
    // A note: a Panic that overtakes it would not silence it, so it is
    // dropped instead.
    bool note = false;
};

// The pause after every paced message.
constexpr std::chrono::microseconds kPacedPause{2000};
// The MIDI wire rate that a hardware port is never fed faster than.
constexpr std::size_t kWireBytesPerSecond = 3125;
// Largest file a SysEx file send reads.
constexpr std::size_t kMaxSysExFileSize = 1024 * 1024;

// Short messages. Data bytes above 127 are clamped to 127 and channels
// above 15 to 15: a short message never carries a data byte with the high
// bit set.
Bytes noteOnMessage(std::uint8_t channel, std::uint8_t note);
Bytes noteOffMessage(std::uint8_t channel, std::uint8_t note);
Bytes controlMessage(std::uint8_t controller, std::uint8_t value);
Bytes channelControlMessage(std::uint8_t channel, std::uint8_t controller, std::uint8_t value);
Bytes programChangeMessage(std::uint8_t channel, std::uint8_t program);

// A channel message followed by the 2 ms pause; it replaces a waiting one
// of the same status and first data byte. No messages for a status that is
// not a channel message.
QueueEntry pacedEntry(std::uint8_t status, std::uint8_t data1, std::uint8_t data2);
// Controllers 99, 98 and 6 as one entry, each followed by the 2 ms pause;
// the bytes are nrpnBytes() of store/ControllerBytes.h, as the parameter
// map's live messages are.
// With a selector >= 0 it replaces a waiting NRPN of the same number and
// selector (a selector register's values name different settings, so the
// number alone does not say which parameter it is).
QueueEntry nrpnEntry(std::uint16_t parameter, std::uint16_t value, int selector = -1);
// Controllers 123 and 64 on every channel.
QueueEntry resetEntry();
// Controllers 123, 120 and 64 on every channel, channel by channel.
QueueEntry panicEntry();
// Bank select, program change and the record of `slot`, as one entry so
// nothing comes between the location and the sound. Slot 0..199.
QueueEntry storeSlotEntry(const SoundDump& dump, int slot);
// A sound to listen to (the 270 bytes as they are, one SysEx message): it
// replaces a waiting one, so a quick run of choices sends only the last.
QueueEntry auditionEntry(const SoundDump& dump);
// The fixed dump request; the synthesizer answers it whatever is asked.
Bytes dumpRequestMessage();
// A SysEx file's bytes as entries, one per F0..F7 record (bytes outside a
// record go out raw, in their own entries), so a Panic can leave between
// two records of a long file.
std::vector<QueueEntry> sysExFileEntries(const Bytes& file);

// How the queue cuts one message into the pieces it hands to the back end:
// after every F7 and before every F0, so each SysEx record of a block leaves
// as its own message and unframed bytes between them go out raw; a piece
// longer than maxSize is cut into maxSize fragments when `fragments` is set
// and otherwise returned whole (the sender refuses it).
std::vector<Bytes> splitMessage(const Bytes& message, std::size_t maxSize, bool fragments);

} // namespace sondrake::midi
