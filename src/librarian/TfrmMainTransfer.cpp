// Receiving sounds from the synthesizer and sending the selected ones.
#include "librarian/TfrmMain.h"

namespace sondrake {

void TfrmMain::ReadCurrentSound1Click() {}
void TfrmMain::A1Click() {}
void TfrmMain::SendSelectedSounds() {}
void TfrmMain::Midi1Click() {}
void TfrmMain::ReadSoundDumps() {}
void TfrmMain::StartReception(int) {}
void TfrmMain::StopReception() {}
void TfrmMain::ArmInputBuffer(int) {}
void TfrmMain::handleReceived(const std::vector<std::uint8_t>&) {}

} // namespace sondrake
