#pragma once

// The state of receiving sounds from the synthesizer: the pending dump
// requests, the receive mode, whether received sounds are accepted, the
// count, and what happens to each SysEx message that reaches the GUI thread.
// A plain class without MIDI, timers or windows: SoundTransfer owns one and
// is its port to the rest of the program; tests and the fuzzer drive it
// directly.

#include "store/ByteStack.h"
#include "store/SoundDump.h"
#include "store/SoundStore.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace sondrake::midi {

// One SysEx message that found the receive buffer armed.
struct ReceivedSysEx {
    std::vector<std::uint8_t> bytes; // what the buffer recorded: the first min(size, armed length) bytes
    std::size_t messageSize = 0;     // size of the whole message as it arrived
};

// What arming the receive buffer came to, with the codes the failure lines
// show: the buffer could not be registered (no input port), or it was
// registered but could not be queued (the port is gone).
struct ArmResult {
    int prepareError = 0;
    int queueError = 0;
    std::size_t recordedLength = 0;
    bool ok() const { return prepareError == 0 && queueError == 0; }
};
constexpr int kErrorInputNotOpen = 5; // no input port to register the buffer with
constexpr int kErrorInputGone = 6;    // the input port went away with its server or device

// receiveMode values: nothing is expected, or a sound to store.
constexpr int kReceiveNothing = 0;
constexpr int kReceiveSound = 10;

// Armed lengths: the first buffer of a sound reception, and every later one.
constexpr std::size_t kFirstArmLength = 540;
constexpr std::size_t kNextArmLength = kDumpSize;

// The request a reception waits on. An answer that is refused or never
// comes is asked for once more; a second failure gives that sound up, so a
// read ends by itself whatever the synthesizer does.
struct PendingRequest {
    bool sent = false;     // a request of this reception awaits its answer
    bool repeated = false; // ...and was sent again after a failed answer
};

struct ReceptionFields {
    int receiveMode = kReceiveNothing;
    bool receiving = false; // received sounds are accepted
    int receivedCount = 0;  // shown in the dialog; the dialog's tick and Close reset it
    PendingRequest request;
};

// What a reception asks of its owner.
class ReceptionPort {
public:
    virtual ~ReceptionPort() = default;
    virtual int selectedRow() const = 0; // -1 when no row is selected
    virtual ArmResult armInput(std::size_t length) = 0;
    virtual void sendDumpRequest() = 0;
    // Runs the clock of a lost answer (on), or stops it (off).
    virtual void awaitAnswer(bool on) = 0;
    virtual void storedSound(int slot, const SoundDump& previous) = 0;
    virtual void addMessage(const QString& line) = 0;
    virtual void showProgress(const QString& label) = 0;
};

class Reception {
public:
    enum class Outcome {
        Dropped,         // receiving was false
        Ignored,         // receiveMode expects nothing
        Stored,
        RefusedLength,   // not a 270-byte message
        RefusedLocation, // names no slot 0..199
        Failed,          // an exception, reported
    };

    Reception(SoundStore& store, ReceptionPort& port);

    // The two read commands: their requests, then the reception itself.
    void startCurrentSoundRead(int selectedRow);
    void startBankRead();
    // Starts a sound reception over the requests on the stack.
    void start(std::size_t length);
    // The wait is over: received sounds are no longer accepted, and a read
    // that ran writes its one closing line.
    void stop();
    void armInputBuffer(std::size_t length);
    // Sounds are stored as during a read, without requests or a wait (for
    // tools that feed the input themselves), or no longer.
    void receiveWithoutWait(bool on);

    // One message handed over by the input port, in arrival order.
    // `recorded` bytes were copied into the buffer; `messageSize` is the size
    // of the whole message as it arrived (a longer one was cut at the buffer).
    Outcome onMidiInput(const std::uint8_t* recorded, std::size_t recordedSize, std::size_t messageSize);
    Outcome onMidiInput(const ReceivedSysEx& message);
    // No complete answer came in time for the pending request.
    void onAnswerLost();

    // The dialog's tick: true when the wait ends (nothing pending, or no
    // longer receiving). The stack is cleared and the count reset then.
    bool onTick();
    // Close (or Escape): the pending requests are forgotten.
    void cancel();
    // The main window became active: received sounds are accepted again.
    void onWindowActivated();
    // The list's selection changed: a pending reception ends.
    void onSelectionChanged();

    // A send of the selected sounds keeps the wait open while it runs.
    void beginSend();
    void endSend();
    bool sendPending() const { return m_sendPending; }

    const ReceptionFields& fields() const { return m_fields; }
    ByteStack& stack() { return m_stack; }
    const ByteStack& stack() const { return m_stack; }

    // The slot a received dump names: byte 11 = 0 means the selected row,
    // n >= 1 means bank n - 1 with byte 12 as program; -1 when that is no slot
    // of the store. bank/program receive the 8-bit values that are logged.
    static int slotOfReceived(const std::uint8_t* dump, int selectedRow, std::uint8_t* bank, std::uint8_t* program);

private:
    Outcome storeSound(const std::uint8_t* dump);
    void afterFailedAnswer(const QString& why);
    void sendNextRequest();
    void requestAgain();
    void clearPending();
    bool moreRequestsFollow() const { return m_stack.count() > 0; }

    SoundStore& m_store;
    ReceptionPort& m_port;
    ByteStack m_stack;
    ReceptionFields m_fields;
    bool m_sendPending = false; // a send of the selected sounds runs
    // The read in progress, for its closing line.
    bool m_readRunning = false;
    int m_readStored = 0;
    std::vector<int> m_readSkipped; // ordinals within the read
};

} // namespace sondrake::midi
