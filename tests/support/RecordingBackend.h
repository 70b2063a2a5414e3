#pragma once

// An output back end that keeps what the queue hands over, with the moment of
// each hand-off, so tests can check wire bytes, order and pacing without a
// MIDI system. Install it with installRecordingBackend(session).

#include "midi/MidiSession.h"
#include "midi/OutputQueue.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <vector>

namespace sondrake::midi {

class RecordingBackend : public OutputBackend {
public:
    struct Record {
        Bytes bytes;
        std::chrono::steady_clock::time_point at;
    };

    bool send(const std::uint8_t* data, std::size_t size, QString* error) override;
    bool isHardware() const override;
    std::size_t maxMessageSize() const override;
    bool acceptsFragments() const override;

    // Behaviour knobs for failure and limit cases.
    void setHardware(bool hardware);
    void setMaxMessageSize(std::size_t size);
    void setAcceptsFragments(bool accepts);
    void setFailing(bool failing); // send() refuses every message while set

    std::vector<Record> records() const;
    std::vector<Bytes> messages() const;
    Bytes allBytes() const; // every message's bytes back to back
    std::size_t count() const;
    void clear();

    // Waits until at least n messages were recorded; false on timeout.
    bool waitForCount(std::size_t n, std::chrono::milliseconds timeout) const;

private:
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    std::vector<Record> m_records;
    bool m_hardware = false;
    std::size_t m_maxSize = 1u << 20;
    bool m_fragments = true;
    bool m_failing = false;
};

// Installs a fresh RecordingBackend as the session's output and returns it.
std::shared_ptr<RecordingBackend> installRecordingBackend(MidiSession& session);

} // namespace sondrake::midi
