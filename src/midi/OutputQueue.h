#pragma once

// The ordered output queue: the GUI thread appends entries, one sender
// thread hands them to the back end in order and waits each entry's pause.
// Two exceptions to first-in-first-out, both decided where an entry is
// queued: a Panic goes to the head (it leaves right after the entry that is
// on the wire, never inside one), and a parameter value replaces the
// waiting value of the same parameter.

#include "midi/MidiMessages.h"

#include <QString>

#include <chrono>
#include <functional>
#include <memory>

namespace sondrake::midi {

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
    virtual std::size_t bytesPerSecond() const { return isHardware() ? kWireBytesPerSecond : 0; }
    // The port is gone: failures are expected and not worth a line each.
    virtual bool isLost() const { return false; }
    // Makes a send that waits for room return at once.
    virtual void interrupt() { }
};

class OutputQueue {
public:
    // Lines for the user (a refused message, a failing port); called on the
    // sender thread.
    using Reporter = std::function<void(const QString&)>;

    explicit OutputQueue(Reporter reporter = {});
    // Stops the sender, waiting at most half a second.
    ~OutputQueue();

    OutputQueue(const OutputQueue&) = delete;
    OutputQueue& operator=(const OutputQueue&) = delete;

    // nullptr: nothing is queued until a back end is set again. Entries
    // already waiting stay, and leave on the next back end; the entry being
    // sent finishes on the old one. Once a back end reports its port lost,
    // the waiting entries stay where they are until it is replaced.
    void setBackend(std::shared_ptr<OutputBackend> backend);
    std::shared_ptr<OutputBackend> backend() const;

    // Appends the entry, after dropping a waiting one with the same
    // coalescing key. False (and nothing queued) without a back end.
    bool enqueue(QueueEntry entry);
    // Same for several entries at once, in order.
    bool enqueue(std::vector<QueueEntry> entries);
    // Puts the entry at the head of the waiting ones, so it leaves right
    // after the entry being sent. Waiting notes are dropped: they were
    // queued before it, and it would have silenced them.
    bool enqueueFirst(QueueEntry entry);

    // Drops every waiting entry; returns how many there were.
    std::size_t discardWaiting();

    // Blocks until everything queued so far has been handed over, or the
    // timeout ran out. For tests and for closing; never on a GUI path.
    bool waitIdle(std::chrono::milliseconds timeout);
    // Entries waiting or being sent.
    std::size_t pending() const;

    // Stops the sender thread, waiting at most `timeout` for it; waiting
    // entries are dropped. True when it ended in time; otherwise it is left
    // inside the back end, and the queue starts over empty and closed. A
    // later enqueue starts a new sender thread.
    bool shutdown(std::chrono::milliseconds timeout);

    struct Impl;

private:
    std::shared_ptr<Impl> d;
};

} // namespace sondrake::midi
