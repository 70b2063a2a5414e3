#pragma once

// What happens to a SysEx message that reached the GUI thread while a
// reception runs: where the sound goes, what the user is told, and the next
// dump request. A plain class over the main window's own reception fields,
// so it can be driven without MIDI or windows.

#include "store/ByteStack.h"
#include "store/SoundDump.h"
#include "store/SoundStore.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <functional>
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

// The request a reception waits on. A refused answer is asked for once
// more; a second refusal gives that sound up, so a read never stalls while
// the synthesizer keeps answering.
struct PendingRequest {
    bool sent = false;     // a request of this reception awaits its answer
    bool repeated = false; // ...and was sent again after a refused answer
    std::uint8_t bank = 0;
    std::uint8_t program = 0;
    int skipped = 0;       // sounds given up in this reception
};

// The reception fields; they belong to the main window.
struct ReceptionFields {
    int receiveMode = kReceiveNothing;
    bool receiving = false; // received sounds are accepted
    int receivedCount = 0;
    PendingRequest request;
};

// What the reception needs from its surroundings. Every member may be empty.
struct ReceptionHooks {
    std::function<int()> selectedRow;                    // -1 when no row is selected
    std::function<void(int row)> refreshRow;
    std::function<void(const QString&)> addMessage;
    std::function<void(const QString&)> setLabel;        // the receiver dialog's label
    std::function<void(std::uint8_t bank, std::uint8_t program)> sendDumpRequest;
    std::function<ArmResult(std::size_t length)> arm;    // the port's failure codes, if any
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

    Reception(ReceptionFields& fields, SoundStore& store, ByteStack& stack, ReceptionHooks hooks);

    void start(std::size_t length);
    void stop();
    void armInputBuffer(std::size_t length);

    // One message handed over by the input port, in arrival order.
    // `recorded` bytes were copied into the buffer; `messageSize` is the size
    // of the whole message as it arrived (a longer one was cut at the buffer).
    Outcome onMidiInput(const std::uint8_t* recorded, std::size_t recordedSize, std::size_t messageSize);
    Outcome onMidiInput(const ReceivedSysEx& message);

    // The slot a received dump names: byte 11 = 0 means the selected row,
    // n >= 1 means bank n - 1 with byte 12 as program; -1 when that is no slot
    // of the store. bank/program receive the 8-bit values that are logged.
    static int slotOfReceived(const std::uint8_t* dump, int selectedRow, std::uint8_t* bank, std::uint8_t* program);

private:
    Outcome storeSound(const std::uint8_t* dump);
    void afterRefusal();
    void sendNextRequest();
    void message(const QString& text) const;

    ReceptionFields& m_fields;
    SoundStore& m_store;
    ByteStack& m_stack;
    ReceptionHooks m_hooks;
};

} // namespace sondrake::midi
