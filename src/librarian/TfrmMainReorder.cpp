// Moving sounds between slots: up/down, to a clicked row, by name, by drag.
#include "librarian/TfrmMain.h"

namespace sondrake {

void TfrmMain::Orderbyname1Click() {}
void TfrmMain::btnDownClick() {}
void TfrmMain::btnUPClick() {}
void TfrmMain::moveUp(bool) {}
void TfrmMain::moveDown(bool) {}
void TfrmMain::MoveSelectionTo(int) {}
void TfrmMain::ListView1RightClick(int, bool) {}
void TfrmMain::ListView1DragDrop(int) {}

} // namespace sondrake
