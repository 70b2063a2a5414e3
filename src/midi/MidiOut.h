#pragma once

// Everything the program sends to the synthesizer goes through one ordered
// queue owned by MidiOutPort. The GUI thread only appends; a sender thread
// hands the entries to the back end in order and waits each entry's pause.

#include "store/SoundDump.h"
#include "store/SoundStore.h"

#include <QString>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace sondrake::midi {

using Bytes = std::vector<std::uint8_t>;

// Where the queue delivers complete MIDI messages (one short message, or one
// SysEx piece). The real one wraps the platform's output port; tests record.
class OutputBackend {
public:
    virtual ~OutputBackend() = default;
    // Returns false with a reason when the message could not be handed over.
    virtual bool send(const std::uint8_t* data, std::size_t size, QString* error) = 0;
    // A port that feeds a hardware interface must not get SysEx faster than
    // the MIDI wire rate (3,125 bytes a second).
    virtual bool isHardware() const { return false; }
    // Longest single message the back end takes; longer SysEx is split.
    virtual std::size_t maxMessageSize() const { return 16000; }
    // Whether a message longer than maxMessageSize may leave in consecutive
    // fragments (a byte stream such as ALSA's takes them; JACK events must be
    // whole messages, so a longer piece is refused there instead).
    virtual bool acceptsFragments() const { return false; }
    // The highest rate, in bytes a second, at which the port takes SysEx
    // without losing any (0: no limit). A hardware port runs at the wire rate.
    virtual std::size_t bytesPerSecond() const { return isHardware() ? 3125 : 0; }
};

// One queue entry: messages that leave together, none of another entry
// between them, with a pause after each message.
struct QueueEntry {
    std::vector<Bytes> messages;
    std::chrono::microseconds pauseAfterEach{0};
};

class MidiOutPort {
public:
    static MidiOutPort& instance();

    // nullptr means closed: entries queued meanwhile are dropped with one
    // Messages line per entry.
    void setBackend(std::shared_ptr<OutputBackend> backend);
    bool isOpen() const;

    void enqueue(QueueEntry entry);

    // Blocks until everything queued so far has been handed over, or the
    // timeout ran out. For tests and for closing; never on a GUI path.
    bool waitIdle(std::chrono::milliseconds timeout);

    // Stops the sender thread, waiting at most timeout for it. Entries still
    // queued are dropped. A later enqueue starts a new sender thread.
    void shutdown(std::chrono::milliseconds timeout);

    // Entries waiting or being sent (for tests and benchmarks).
    std::size_t pending() const;

    ~MidiOutPort();

private:
    MidiOutPort();
    struct Impl;
    std::unique_ptr<Impl> d;
};

// Device chosen by name at start-up (see port detection) and the device ID.
extern std::uint16_t MidiOutDeviceIndex;
extern std::uint16_t MidiInDeviceIndex;
extern std::uint16_t DeviceId;

// The message builders. Data bytes above 127 are clamped to 127: a short
// message never carries a data byte with the high bit set.
void SendNoteOn(std::uint8_t channel, std::uint8_t note);
void SendNoteOff(std::uint8_t channel, std::uint8_t note);
void SendControl(std::uint8_t controller, std::uint8_t value);
void SendChannelControl(std::uint8_t channel, std::uint8_t controller, std::uint8_t value);
void SendProgramChange(std::uint8_t channel, std::uint8_t program);
void SendPacedMessage(std::uint8_t status, std::uint8_t data1, std::uint8_t data2);
void SendNrpn(std::uint16_t parameter, std::uint16_t value);
void SendReset();
void SendStoreSlot(const SoundStore& store, int slot);
// The bank select and program change of slot 0..199, then the dump as it is
// (the caller has written the slot's location into bytes 11 and 12).
void SendSoundToSlot(const SoundDump& dump, int slot);
void SendSoundDump(const SoundDump& dump);
// Reads the whole file and sends it as one block. Returns false with a
// reason (unreadable, larger than 1 MiB) and sends nothing then.
bool SendSysExFile(const QString& path, QString* error);
void SendDumpRequest(std::uint16_t deviceId, std::uint8_t bank, std::uint8_t program);
void Panic();

// The pause after every paced message.
constexpr std::chrono::microseconds kPacedPause{2000};
// The MIDI wire rate that a hardware port is never fed faster than.
constexpr std::size_t kWireBytesPerSecond = 3125;
// Largest file SendSysExFile reads.
constexpr std::size_t kMaxSysExFileSize = 1024 * 1024;

// How the queue cuts one message into the pieces it hands to the back end:
// after every F7 and before every F0, so each SysEx record of a block leaves
// as its own message and unframed bytes between them go out raw; a piece
// longer than maxSize is cut into maxSize fragments when `fragments` is set
// and otherwise returned whole (the sender refuses it).
std::vector<Bytes> splitMessage(const Bytes& message, std::size_t maxSize, bool fragments);

// Opens MidiOutDeviceIndex through the platform; false when refused.
bool OpenMidiOut();
// Same, with the platform's reason for a refusal.
bool OpenMidiOut(QString* error);
void CloseMidiOut();

} // namespace sondrake::midi
