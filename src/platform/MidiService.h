#pragma once

// The MIDI devices of the machine over RtMidi: the ALSA sequencer's ports when
// the sequencer exists, then the ports of a running JACK server (never started
// from here). A device index counts over that whole list; this process's own
// ports never appear in it. RtMidi's exceptions stop at this layer.

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
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

class MidiService {
public:
    // The name under which this process's MIDI clients appear; ports of
    // clients with this name (or JACK's numbered variants of it) are ours and
    // never listed. Set before the first device is listed or opened.
    static void setClientName(const QString& name);
    static QString clientName();

    static bool alsaAvailable();
    static bool jackAvailable();

    static std::vector<MidiPortInfo> inputs();
    static std::vector<MidiPortInfo> outputs();
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
    // Opens output device `index` of MidiService::outputs().
    static std::unique_ptr<MidiOutputDevice> open(int index, QString* error);
    // A port other programs connect to (the emulator's).
    static std::unique_ptr<MidiOutputDevice> openVirtual(const QString& portName, QString* error);

    ~MidiOutputDevice();

    bool send(const std::uint8_t* data, std::size_t size, QString* error);
    bool isHardware() const;
    std::size_t maxMessageSize() const;
    bool acceptsFragments() const;
    // SysEx rate the port passes on without loss (0: no limit).
    std::size_t bytesPerSecond() const;
    QString name() const;

    struct Impl;

private:
    explicit MidiOutputDevice(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> d;
};

class MidiInputDevice {
public:
    // Runs on the back end's thread for every complete message, SysEx included.
    using Callback = std::function<void(const std::uint8_t* data, std::size_t size)>;

    static std::unique_ptr<MidiInputDevice> open(int index, Callback callback, QString* error);
    static std::unique_ptr<MidiInputDevice> openVirtual(const QString& portName, Callback callback, QString* error);

    ~MidiInputDevice();

    // Messages reach the callback only between start and stop.
    bool start();
    bool stop();
    bool isStarted() const;
    QString name() const;

    struct Impl;

private:
    explicit MidiInputDevice(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> d;
};

} // namespace sondrake::platform
