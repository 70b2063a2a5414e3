#pragma once

// The MIDI devices of the machine: the ALSA sequencer's ports (over RtMidi)
// when the sequencer exists, then the ports of a running JACK server (over
// libjack; never started from here). A device index counts over that whole
// list; this process's own ports never appear in it. Back-end exceptions
// stop at this layer.
//
// A JACK server can die, restart or stop under us. Devices notice it
// (isLost, checkConnection) and never touch a dead server's memory. Calls
// that ask a server something block while that server is stopped: the
// listing below waits for it a bounded time, opening does not (callers that
// must not wait run it through runBounded).

#include <QString>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace sondrake::platform {

enum class MidiApiKind { Alsa, Jack };

struct MidiPortInfo {
    QString name;         // most specific readable name, at most 32 characters
    std::string fullName; // the back end's own name, used to find the port again
    MidiApiKind api = MidiApiKind::Alsa;
    bool hardware = false; // an interface to a cable, not a program
};

constexpr int kMidiNameLength = 32;

// How long listing waits for a JACK server that does not answer.
constexpr std::chrono::milliseconds kServerWait{1000};

class MidiService {
public:
    // The name under which this process's MIDI clients appear; ports of
    // clients with this name (or JACK's numbered variants of it) are ours and
    // never listed. Set before the first device is listed or opened.
    static void setClientName(const QString& name);
    static QString clientName();

    static bool alsaAvailable();
    static bool jackAvailable();

    // With `bounded`, a JACK server that does not answer within kServerWait
    // adds no ports; otherwise the call waits for it.
    static std::vector<MidiPortInfo> inputs(bool bounded = true);
    static std::vector<MidiPortInfo> outputs(bool bounded = true);
    static int inputCount();
    static int outputCount();
    // Empty for an index outside the list.
    static QString inputName(int index);
    static QString outputName(int index);

    // Builds the readable name from the back end's full name (exposed for tests).
    static QString readableName(MidiApiKind api, const std::string& fullName);
};

class MidiOutputDevice {
public:
    // Opens `port` (as listed by MidiService::outputs()).
    static std::unique_ptr<MidiOutputDevice> open(const MidiPortInfo& port, QString* error);
    // Opens output device `index` of MidiService::outputs().
    static std::unique_ptr<MidiOutputDevice> open(int index, QString* error);
    // A port other programs connect to (the emulator's).
    static std::unique_ptr<MidiOutputDevice> openVirtual(const QString& portName, QString* error);

    // Closes the port; waits at most half a second for a server that does
    // not answer, and leaves a dead server's client alone.
    ~MidiOutputDevice();

    // May wait while the port's buffer is full (asleep); returns false at
    // once when the device is lost or interrupted.
    bool send(const std::uint8_t* data, std::size_t size, QString* error);
    // A send that waits returns, and the device takes nothing more.
    void interrupt();
    // The server died under the device (known without asking anybody).
    bool isLost() const;
    // Looks whether the port it feeds is still there and connected; false
    // once the device is lost. May take a few milliseconds (lists ALSA ports).
    bool checkConnection();

    bool isHardware() const;
    std::size_t maxMessageSize() const;
    bool acceptsFragments() const;
    // SysEx rate the port passes on without loss (0: no limit).
    std::size_t bytesPerSecond() const;
    QString name() const;
    const MidiPortInfo& port() const;

    struct Impl;

private:
    explicit MidiOutputDevice(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> d;
};

class MidiInputDevice {
public:
    // Runs on the back end's thread for every complete message, SysEx included.
    using Callback = std::function<void(const std::uint8_t* data, std::size_t size)>;

    static std::unique_ptr<MidiInputDevice> open(const MidiPortInfo& port, Callback callback, QString* error);
    static std::unique_ptr<MidiInputDevice> open(int index, Callback callback, QString* error);
    static std::unique_ptr<MidiInputDevice> openVirtual(const QString& portName, Callback callback, QString* error);

    ~MidiInputDevice();

    // Messages reach the callback only between start and stop. Starting
    // fails when the server died under the device.
    bool start();
    void stop();
    bool isStarted() const;
    // When the device last saw bytes of a SysEx message, a piece of one that
    // is still arriving included; the epoch when it never did.
    std::chrono::steady_clock::time_point lastSysExActivity() const;
    bool isLost() const;
    bool checkConnection();
    QString name() const;
    const MidiPortInfo& port() const;

    struct Impl;

private:
    explicit MidiInputDevice(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> d;
};

} // namespace sondrake::platform
