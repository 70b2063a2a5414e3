#pragma once

// The single receive buffer, as the program expects it from the platform:
// a SysEx message that arrives while no buffer is armed is lost; one that
// arrives while it is armed fills it (up to the armed length) and disarms
// it. Filled on the back end's thread, armed on the GUI thread.

#include "midi/Reception.h"

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <optional>

namespace sondrake::midi {

class ReceiveBuffer {
public:
    // Re-arming an armed buffer leaves it armed once, for the new length.
    void arm(std::size_t length);
    void disarm();
    bool isArmed() const;

    // What the buffer recorded of the message, or nothing when it was not
    // armed or the message is not SysEx.
    std::optional<ReceivedSysEx> fill(const std::uint8_t* data, std::size_t size);

private:
    mutable std::mutex m_mutex;
    bool m_armed = false;
    std::size_t m_length = 0;
};

} // namespace sondrake::midi
