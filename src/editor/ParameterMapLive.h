#pragma once

// The parameter map as the editor uses it: the map's names, brought into the
// editor's namespace here and nowhere else, and the one thing the map leaves
// to the editor, putting a live message on the output queue.

#include "parametermap/ParameterMap.h"

namespace sondrake::midi {
class MidiSession;
}

namespace sondrake::editor {

using parametermap::applyController;
using parametermap::applyLiveMessages;
using parametermap::applyNrpn;
using parametermap::ControlKind;
using parametermap::drawOrder;
using parametermap::Encoding;
using parametermap::entryForControl;
using parametermap::entryForKey;
using parametermap::entryForRButton;
using parametermap::kNoInitValue;
using parametermap::kRandomGroupCount;
using parametermap::LiveMessage;
using parametermap::LiveMessageApplier;
using parametermap::liveMessages;
using parametermap::liveValue;
using parametermap::MessageKind;
using parametermap::ParameterEntry;
using parametermap::parameterMap;
using parametermap::parameterTableFault;
using parametermap::RandomDraw;
using parametermap::RandomGroup;
using parametermap::readValue;
using parametermap::schemaEntries;
using parametermap::Storage;
using parametermap::ToleranceClass;
using parametermap::ValueRule;
using parametermap::writeInitSound;
using parametermap::writeValue;

// Enqueues the row's live message on the session's output queue: a paced
// controller message for a CC, one NRPN group for an NRPN. A newer value of
// the same row replaces one still waiting. Nothing without a session.
void sendLive(midi::MidiSession* session, const ParameterEntry& entry, int value);

} // namespace sondrake::editor
