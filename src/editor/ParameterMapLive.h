#pragma once

#include "parametermap/ParameterMap.h"

namespace sondrake::editor {

// Enqueues the row's live message on the MIDI output queue: a paced
// controller message for a CC, one NRPN group for an NRPN.
void sendLive(const ParameterEntry& entry, int value);

} // namespace sondrake::editor
