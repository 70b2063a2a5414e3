#pragma once

#include "parametermap/ParameterMap.h"

namespace sondrake::midi {
class MidiSession;
}

namespace sondrake::editor {

// Enqueues the row's live message on the session's output queue: a paced
// controller message for a CC, one NRPN group for an NRPN. A newer value of
// the same row replaces one still waiting. Nothing without a session.
void sendLive(midi::MidiSession* session, const ParameterEntry& entry, int value);

} // namespace sondrake::editor
