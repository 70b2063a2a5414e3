#pragma once

// Moving sounds between the slots of a store. The selection is a vector of
// row indices in ascending order (the window's remembered selection); the
// functions keep it following the moved sounds. Indices outside 0..199 in a
// selection are never used to reach a slot.

#include "store/SoundStore.h"

#include <string>
#include <vector>

namespace sondrake::reorder {

// Every run of consecutive selected rows moves one row up (down); the sound
// just above (below) the run takes its former last (first) row. Nothing
// happens, and false is returned, when the selection is empty or holds row
// 0 (Move up) or row 199 (Move down). Afterwards every selection index is
// one lower (higher).
bool moveUp(SoundStore& store, std::vector<int>& selection);
bool moveDown(SoundStore& store, std::vector<int>& selection);

// Number of single steps a move of the selection to target takes.
int moveToStepCount(const std::vector<int>& selection, int target);

// One step towards target: up when target is above the first selected row,
// down when it is below, nothing when they are equal. Returns -1, +1 or 0
// for the step that moved sounds.
int moveToStep(SoundStore& store, std::vector<int>& selection, int target);

// Whole move in one go (the window runs the steps itself, repainting between them).
void moveTo(SoundStore& store, std::vector<int>& selection, int target);

// The sort key: the sound's name with a..z turned into A..Z.
std::string sortKey(const SoundStore& store, int slot);

// Sorts the sounds at the given ascending positions by sortKey, in place, by
// exchanging whole slots; other slots never move.
void sortByName(SoundStore& store, const std::vector<int>& positions);

// Drag and drop: exchanges the sounds of the drop row and the first selected
// row. False, and nothing changed, when either is not a slot.
bool swapForDrop(SoundStore& store, int targetRow, int firstSelectedRow);

} // namespace sondrake::reorder
