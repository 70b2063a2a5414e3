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

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
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

class MidiOutputDevice;
class MidiInputDevice;

// The machine's MIDI as one client name sees it. Listing leaves out the ports
// of clients with that name (or JACK's numbered variants of it), and devices
// are opened under it. Whoever lists or opens devices holds one; its methods
// may be called from any thread.
class MidiService {
public:
    explicit MidiService(QString clientName);
    MidiService(const MidiService&) = delete;
    MidiService& operator=(const MidiService&) = delete;

    QString clientName() const { return m_clientName; }

    static bool alsaAvailable();
    bool jackAvailable() const;

    // With `bounded`, a JACK server that does not answer within kServerWait
    // adds no ports; otherwise the call waits for it.
    std::vector<MidiPortInfo> inputs(bool bounded = true) const;
    std::vector<MidiPortInfo> outputs(bool bounded = true) const;
    int inputCount() const;
    int outputCount() const;
    // Empty for an index outside the list.
    QString inputName(int index) const;
    QString outputName(int index) const;

    // Builds the readable name from the back end's full name (exposed for tests).
    static QString readableName(MidiApiKind api, const std::string& fullName);

    // Opens `port` (as listed by outputs()).
    std::unique_ptr<MidiOutputDevice> openOutput(const MidiPortInfo& port, QString* error) const;
    // Opens output device `index` of outputs().
    std::unique_ptr<MidiOutputDevice> openOutput(int index, QString* error) const;
    // A port other programs connect to (the emulator's).
    std::unique_ptr<MidiOutputDevice> openVirtualOutput(const QString& portName, QString* error) const;

    // The callback runs on the back end's thread for every complete message,
    // SysEx included.
    using InputCallback = std::function<void(const std::uint8_t* data, std::size_t size)>;
    std::unique_ptr<MidiInputDevice> openInput(
        const MidiPortInfo& port, InputCallback callback, QString* error) const;
    std::unique_ptr<MidiInputDevice> openInput(int index, InputCallback callback, QString* error) const;
    std::unique_ptr<MidiInputDevice> openVirtualInput(
        const QString& portName, InputCallback callback, QString* error) const;

private:
    std::string backendClientName(const char* suffix = "") const;
    template <typename T>
    std::optional<T> askJack(std::function<T()> work) const;
    template <typename Rt>
    std::vector<MidiPortInfo> listPorts(bool sending, bool bounded) const;

    QString m_clientName;
    // Set while a bounded call to the JACK server that was given up on still
    // waits for it: the next one would only queue behind it inside libjack,
    // so it is not even tried (start-up with a stopped server waits once,
    // not for every list). Shared with that call, which may outlive us.
    std::shared_ptr<std::atomic<bool>> m_jackNotAnswering = std::make_shared<std::atomic<bool>>(false);
};

// Opened by a MidiService.
class MidiOutputDevice {
public:
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
    friend class MidiService;
    explicit MidiOutputDevice(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> d;
};

// Opened by a MidiService.
class MidiInputDevice {
public:
    using Callback = MidiService::InputCallback;

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
    friend class MidiService;
    explicit MidiInputDevice(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> d;
};

} // namespace sondrake::platform
