#pragma once

namespace sondrake::editor {

// The tolerances a schema built from the current sound uses, each 0..64.
// They are program settings: the main window keeps them for the whole run.
struct SchemaTolerances {
    int comboBox = 0; // "ToleranceComboBox": every list, in item steps
    int otherKnobs = 10; // "ToleranceOtherKnobs": every other knob and every slider
    int semitone = 0; // "ToleranceSemitoneKnobs"
    int detune = 3; // "ToleranceDetuneKnobs"
};

} // namespace sondrake::editor
