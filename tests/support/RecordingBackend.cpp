#include "support/RecordingBackend.h"

namespace sondrake::midi {

bool RecordingBackend::send(const std::uint8_t* data, std::size_t size, QString* error)
{
    const auto now = std::chrono::steady_clock::now();
    {
        std::lock_guard lock(m_mutex);
        if (m_failing) {
            if (error)
                *error = QStringLiteral("the recording port refuses messages");
            return false;
        }
        m_records.push_back(Record{Bytes(data, data + size), now});
    }
    m_changed.notify_all();
    return true;
}

bool RecordingBackend::isHardware() const
{
    std::lock_guard lock(m_mutex);
    return m_hardware;
}

std::size_t RecordingBackend::maxMessageSize() const
{
    std::lock_guard lock(m_mutex);
    return m_maxSize;
}

bool RecordingBackend::acceptsFragments() const
{
    std::lock_guard lock(m_mutex);
    return m_fragments;
}

void RecordingBackend::setHardware(bool hardware)
{
    std::lock_guard lock(m_mutex);
    m_hardware = hardware;
}

void RecordingBackend::setMaxMessageSize(std::size_t size)
{
    std::lock_guard lock(m_mutex);
    m_maxSize = size;
}

void RecordingBackend::setAcceptsFragments(bool accepts)
{
    std::lock_guard lock(m_mutex);
    m_fragments = accepts;
}

void RecordingBackend::setFailing(bool failing)
{
    std::lock_guard lock(m_mutex);
    m_failing = failing;
}

std::vector<RecordingBackend::Record> RecordingBackend::records() const
{
    std::lock_guard lock(m_mutex);
    return m_records;
}

std::vector<Bytes> RecordingBackend::messages() const
{
    std::lock_guard lock(m_mutex);
    std::vector<Bytes> out;
    out.reserve(m_records.size());
    for (const auto& r : m_records)
        out.push_back(r.bytes);
    return out;
}

Bytes RecordingBackend::allBytes() const
{
    std::lock_guard lock(m_mutex);
    Bytes out;
    for (const auto& r : m_records)
        out.insert(out.end(), r.bytes.begin(), r.bytes.end());
    return out;
}

std::size_t RecordingBackend::count() const
{
    std::lock_guard lock(m_mutex);
    return m_records.size();
}

void RecordingBackend::clear()
{
    std::lock_guard lock(m_mutex);
    m_records.clear();
}

bool RecordingBackend::waitForCount(std::size_t n, std::chrono::milliseconds timeout) const
{
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, timeout, [&] { return m_records.size() >= n; });
}

std::shared_ptr<RecordingBackend> installRecordingBackend(MidiSession& session)
{
    auto backend = std::make_shared<RecordingBackend>();
    session.setOutputBackend(backend);
    return backend;
}

} // namespace sondrake::midi
