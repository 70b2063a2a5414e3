#pragma once

// An output back end for tests that need an entry to stay on the wire while
// they queue more behind it.

#include "support/RecordingBackend.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace sondrake::testing {

// Holds the first SysEx it is handed until released, so a test can queue
// behind an entry that is on the wire.
class GateBackend : public midi::RecordingBackend {
public:
    bool send(const std::uint8_t* data, std::size_t size, QString* error) override
    {
        if (size > 3 && !m_held.exchange(true)) {
            std::unique_lock lock(m_mutex);
            m_onWire = true;
            m_changed.notify_all();
            m_changed.wait(lock, [&] { return m_open; });
        }
        return midi::RecordingBackend::send(data, size, error);
    }
    bool waitOnWire()
    {
        std::unique_lock lock(m_mutex);
        return m_changed.wait_for(lock, std::chrono::seconds(10), [&] { return m_onWire; });
    }
    void release()
    {
        std::lock_guard lock(m_mutex);
        m_open = true;
        m_changed.notify_all();
    }

private:
    std::atomic<bool> m_held { false };
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_onWire = false;
    bool m_open = false;
};

} // namespace sondrake::testing
