#include "midi/ReceiveBuffer.h"

#include <algorithm>

namespace sondrake::midi {

void ReceiveBuffer::arm(std::size_t length)
{
    std::lock_guard lock(m_mutex);
    m_armed = true;
    m_length = length;
}

void ReceiveBuffer::disarm()
{
    std::lock_guard lock(m_mutex);
    m_armed = false;
}

bool ReceiveBuffer::isArmed() const
{
    std::lock_guard lock(m_mutex);
    return m_armed;
}

std::optional<ReceivedSysEx> ReceiveBuffer::fill(const std::uint8_t* data, std::size_t size)
{
    if (!data || size == 0 || data[0] != 0xF0)
        return std::nullopt; // only system-exclusive messages fill the buffer
    std::lock_guard lock(m_mutex);
    if (!m_armed)
        return std::nullopt; // no buffer queued: the message is lost, as on the wire
    m_armed = false;
    ReceivedSysEx copy;
    copy.bytes.assign(data, data + std::min(size, m_length));
    copy.messageSize = size;
    return copy;
}

} // namespace sondrake::midi
