// Kept apart from the table so that users of the map that never send (the
// emulator, the tests of the encodings) do not pull in the output queue.

#include "editor/ParameterMapLive.h"

#include "midi/MidiSession.h"

#include <algorithm>

namespace sondrake::editor {

void sendLive(midi::MidiSession* session, const ParameterEntry& entry, int value)
{
    if (!session)
        return;
    const int v = liveValue(entry, value);
    if (entry.live.kind == MessageKind::CC) {
        session->sendPacedMessage(0xB0, std::uint8_t(entry.live.number & 0x7F), std::uint8_t(std::clamp(v, 0, 127)));
        return;
    }
    // The row is the selector: rows that share a selector register (104,
    // 105) are different settings, and a newer value of one must not drop
    // a waiting value of another.
    const auto rows = parameterMap();
    const int row = int(&entry - rows.data());
    session->sendNrpn(std::uint16_t(entry.live.number), std::uint16_t(v & 0x7F),
                      row >= 0 && row < int(rows.size()) ? row : -1);
}

} // namespace sondrake::editor
