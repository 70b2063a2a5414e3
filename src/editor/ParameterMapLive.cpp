// Kept apart from the table so that users of the map that never send (the
// emulator, the tests of the encodings) do not pull in the output queue.

#include "editor/ParameterMapLive.h"

#include "midi/MidiSession.h"

namespace sondrake::editor {

void sendLive(midi::MidiSession* session, const ParameterEntry& entry, int value)
{
    if (!session)
        return;
    if (entry.live.kind == MessageKind::CC) {
        const auto wire = liveMessages(entry, value);
        session->sendPacedMessage(wire[0][0], wire[0][1], wire[0][2]);
        return;
    }
    // The row is the selector: rows that share a selector register (104,
    // 105) are different settings, and a newer value of one must not drop
    // a waiting value of another.
    const auto rows = parameterMap();
    const int row = int(&entry - rows.data());
    // The session builds the group with the encoder liveMessages uses.
    session->sendNrpn(std::uint16_t(entry.live.number), std::uint16_t(liveValue(entry, value)),
                      row >= 0 && row < int(rows.size()) ? row : -1);
}

} // namespace sondrake::editor
