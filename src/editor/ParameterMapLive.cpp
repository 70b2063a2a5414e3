// Kept apart from the table so that users of the map that never send (the
// emulator, the tests of the encodings) do not pull in the output queue.

#include "editor/ParameterMapLive.h"

#include "midi/MidiOut.h"

#include <algorithm>

namespace sondrake::editor {

void sendLive(const ParameterEntry& entry, int value)
{
    const int v = liveValue(entry, value);
    if (entry.live.kind == MessageKind::CC) {
        midi::SendPacedMessage(0xB0, std::uint8_t(entry.live.number & 0x7F), std::uint8_t(std::clamp(v, 0, 127)));
    } else {
        midi::SendNrpn(std::uint16_t(entry.live.number), std::uint16_t(v & 0x7F));
    }
}

} // namespace sondrake::editor
