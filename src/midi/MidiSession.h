#pragma once

// The MIDI side of the program as one object: the output and input devices,
// the ordered output queue with its sender thread, the receive buffer, the
// device choice and the device ID. Whoever sends or receives gets the
// session passed in; tests make sessions of their own.
//
// The session survives its server. A watch thread looks at both devices
// twice a second: when the server dies or the port goes away it drops the
// device (never touching a dead server's memory), discards what was queued,
// says so in one line, and opens the port again by itself once a port of
// the same name is back. Calls that could wait for a stopped server wait a
// bounded time; closing never hangs.

#include "midi/MidiMessages.h"
#include "midi/OutputQueue.h"
#include "midi/PortDetection.h"
#include "midi/Reception.h"
#include "store/SoundStore.h"

#include <QObject>
#include <QString>

#include <chrono>
#include <cstdint>
#include <memory>

namespace sondrake::platform {
class MidiService;
}

namespace sondrake::midi {

class MidiSession : public QObject {
    Q_OBJECT

public:
    // Its MIDI clients appear under `clientName`, whose ports are never listed.
    explicit MidiSession(const QString& clientName = QStringLiteral("Sondrake"), QObject* parent = nullptr);
    // shutdown() with a budget of one second, if not done before.
    ~MidiSession() override;

    // ---- devices -----------------------------------------------------------
    // The machine's devices as this session lists and opens them.
    const platform::MidiService& midiService() const;
    MidiDeviceChoice& choice();
    std::uint16_t deviceId() const;

    // Opens the chosen output (OpenMidiOut). Waits at most a few seconds for
    // a server that does not answer. On failure the session keeps the port
    // in mind and opens it when it appears.
    bool openOutput(QString* error);
    // Closes the output (CloseMidiOut); what was queued is dropped, with a line.
    void closeOutput();
    bool isOutputOpen() const;
    QString outputName() const;

    // OpenMidiIn without the start; a failure is the caller's to report.
    bool openInput(QString* error);
    bool startInput();
    bool stopInput();
    void closeInput();
    bool isInputOpen() const;
    QString inputName() const;

    // One line for the Messages box naming the ports in use.
    QString portsLine() const;

    // For tests and benchmarks: an output that is no device, and an input
    // that only deliverInput() feeds.
    void setOutputBackend(std::shared_ptr<OutputBackend> backend);
    void openInputWithoutDevice();

    // ---- the receive buffer --------------------------------------------------
    // Arms the single buffer for `length` bytes (re-arming an armed buffer
    // leaves it armed once, for the new length). A message that arrives while
    // it is not armed is lost; one that arrives while it is fills it (up to
    // the armed length) and disarms it.
    ArmResult armInput(std::size_t length);
    bool isInputArmed() const;
    void disarmInput();
    // Entry of the back end (any thread): one complete message. Messages that
    // are not SysEx are ignored. Tests call it directly.
    void deliverInput(const std::uint8_t* data, std::size_t size);
    // How long ago the input last saw bytes of a SysEx message, a piece of
    // one still arriving included (a very long time when it never did).
    std::chrono::milliseconds timeSinceSysExInput() const;

    // ---- the output queue ----------------------------------------------------
    void enqueue(QueueEntry entry);
    // At the head of the queue (Panic).
    void enqueueFirst(QueueEntry entry);
    // Blocks until everything queued so far has been handed over, or the
    // timeout ran out. For tests and for closing; never on a GUI path.
    bool waitIdle(std::chrono::milliseconds timeout) const;
    std::size_t pending() const;

    // ---- what the program sends ----------------------------------------------
    void sendNoteOn(std::uint8_t channel, std::uint8_t note);
    void sendNoteOff(std::uint8_t channel, std::uint8_t note);
    void sendControl(std::uint8_t controller, std::uint8_t value);
    void sendChannelControl(std::uint8_t channel, std::uint8_t controller, std::uint8_t value);
    void sendProgramChange(std::uint8_t channel, std::uint8_t program);
    // Replaces a waiting message of the same controller.
    void sendPacedMessage(std::uint8_t status, std::uint8_t data1, std::uint8_t data2);
    // With a selector >= 0, replaces a waiting NRPN of the same number and selector.
    void sendNrpn(std::uint16_t parameter, std::uint16_t value, int selector = -1);
    void sendReset();
    void sendStoreSlot(const SoundStore& store, int slot);
    // The bank select and program change of slot 0..199, then the dump as it
    // is (the caller has written the slot's location into bytes 11 and 12).
    void sendSoundToSlot(const SoundDump& dump, int slot);
    void sendSoundDump(const SoundDump& dump);
    // The same message, replacing an audition that is still waiting.
    void sendAuditionDump(const SoundDump& dump);
    // Reads the whole file and queues it. False with a reason (unreadable,
    // not a plain file, larger than 1 MiB), and nothing sent, on failure.
    bool sendSysExFile(const QString& path, QString* error);
    // The synthesizer's one dump request: it answers with one SoundDump,
    // whichever sound the caller has in mind.
    void sendDumpRequest();
    // To the head of the queue; queued notes are dropped.
    void panic();

    // ---- lifecycle ---------------------------------------------------------
    // How often the watch thread looks at the devices (500 ms).
    void setWatchInterval(std::chrono::milliseconds interval);
    // Stops the watch and the sender and closes both devices, within
    // `budget`. True when everything ended in time; false when a thread or
    // a client was left behind (a stopped server): the process should then
    // end with _exit.
    bool shutdown(std::chrono::milliseconds budget);

    struct Core;

signals:
    // A SysEx message that found the buffer armed, on the GUI thread, in
    // arrival order.
    void sysExReceived(const sondrake::midi::ReceivedSysEx& message);
    // A line for the Messages box.
    void messageAdded(const QString& line);
    // A device was opened, closed, lost or found again.
    void connectionChanged();

private:
    void say(const QString& line);
    std::shared_ptr<Core> d;
};

} // namespace sondrake::midi
