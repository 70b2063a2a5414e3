#include "midi/RecordingBackend.h"

namespace sondrake::midi {

bool RecordingBackend::send(const std::uint8_t* data, std::size_t size, QString* error)
{
    const auto now = std::chrono::steady_clock::now();
    {
        std::lock_guard lock(mutex_);
        if (failing_) {
            if (error)
                *error = QStringLiteral("the recording port refuses messages");
            return false;
        }
        records_.push_back(Record{Bytes(data, data + size), now});
    }
    changed_.notify_all();
    return true;
}

bool RecordingBackend::isHardware() const
{
    std::lock_guard lock(mutex_);
    return hardware_;
}

std::size_t RecordingBackend::maxMessageSize() const
{
    std::lock_guard lock(mutex_);
    return maxSize_;
}

bool RecordingBackend::acceptsFragments() const
{
    std::lock_guard lock(mutex_);
    return fragments_;
}

void RecordingBackend::setHardware(bool hardware)
{
    std::lock_guard lock(mutex_);
    hardware_ = hardware;
}

void RecordingBackend::setMaxMessageSize(std::size_t size)
{
    std::lock_guard lock(mutex_);
    maxSize_ = size;
}

void RecordingBackend::setAcceptsFragments(bool accepts)
{
    std::lock_guard lock(mutex_);
    fragments_ = accepts;
}

void RecordingBackend::setFailing(bool failing)
{
    std::lock_guard lock(mutex_);
    failing_ = failing;
}

std::vector<RecordingBackend::Record> RecordingBackend::records() const
{
    std::lock_guard lock(mutex_);
    return records_;
}

std::vector<Bytes> RecordingBackend::messages() const
{
    std::lock_guard lock(mutex_);
    std::vector<Bytes> out;
    out.reserve(records_.size());
    for (const auto& r : records_)
        out.push_back(r.bytes);
    return out;
}

Bytes RecordingBackend::allBytes() const
{
    std::lock_guard lock(mutex_);
    Bytes out;
    for (const auto& r : records_)
        out.insert(out.end(), r.bytes.begin(), r.bytes.end());
    return out;
}

std::size_t RecordingBackend::count() const
{
    std::lock_guard lock(mutex_);
    return records_.size();
}

void RecordingBackend::clear()
{
    std::lock_guard lock(mutex_);
    records_.clear();
}

bool RecordingBackend::waitForCount(std::size_t n, std::chrono::milliseconds timeout) const
{
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] { return records_.size() >= n; });
}

std::shared_ptr<RecordingBackend> installRecordingBackend(MidiSession& session)
{
    auto backend = std::make_shared<RecordingBackend>();
    session.setOutputBackend(backend);
    return backend;
}

} // namespace sondrake::midi
