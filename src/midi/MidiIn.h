#pragma once

// The one MIDI input port, with one receive buffer as the program expects:
// a SysEx message that arrives while no buffer is armed is lost; one that
// arrives while a buffer is armed fills it (up to the armed length) and
// disarms it. Complete messages are copied on the back end's thread and
// handed to the GUI thread; all reception state lives there.

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace sondrake::midi {

struct ReceivedSysEx {
    std::vector<std::uint8_t> bytes; // what the buffer recorded: the first min(size, armed length) bytes
    std::size_t messageSize = 0;     // size of the whole message as it arrived
};

class MidiInPort {
public:
    static MidiInPort& instance();

    // OpenMidiIn / CloseMidiIn on device MidiInDeviceIndex.
    bool open(int deviceIndex, QString* error);
    bool start();
    bool stop();
    void close();
    bool isOpen() const;
    // Marks the port open with no device behind it, so that arming works and
    // messages come only through deliverFromBackend (tests, benchmarks).
    void openWithoutDevice();

    // Arms the single buffer for `length` bytes (re-arming an armed buffer
    // leaves it armed once, for the new length). Returns 0, or a non-zero
    // error code when there is no open port to arm it at.
    int arm(std::size_t length);
    static constexpr int kErrorNotOpen = 5; // the code arm() gives without a port
    bool isArmed() const;
    void disarm();

    // Runs on the GUI thread for every message that found the buffer armed.
    void setHandler(std::function<void(const ReceivedSysEx&)> handler);

    // Entry of the back end (any thread): one complete message. Short
    // messages are ignored. Tests call it directly.
    void deliverFromBackend(const std::uint8_t* data, std::size_t size);

    ~MidiInPort();

private:
    MidiInPort();
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace sondrake::midi
