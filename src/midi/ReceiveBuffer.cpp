#include "midi/ReceiveBuffer.h"

#include <algorithm>

namespace sondrake::midi {

void ReceiveBuffer::arm(std::size_t length)
{
    std::lock_guard lock(mutex_);
    armed_ = true;
    length_ = length;
}

void ReceiveBuffer::disarm()
{
    std::lock_guard lock(mutex_);
    armed_ = false;
}

bool ReceiveBuffer::isArmed() const
{
    std::lock_guard lock(mutex_);
    return armed_;
}

std::optional<ReceivedSysEx> ReceiveBuffer::fill(const std::uint8_t* data, std::size_t size)
{
    if (!data || size == 0 || data[0] != 0xF0)
        return std::nullopt; // only system-exclusive messages fill the buffer
    std::lock_guard lock(mutex_);
    if (!armed_)
        return std::nullopt; // no buffer queued: the message is lost, as on the wire
    armed_ = false;
    ReceivedSysEx copy;
    copy.bytes.assign(data, data + std::min(size, length_));
    copy.messageSize = size;
    return copy;
}

} // namespace sondrake::midi
