// The computer-keyboard player.
#include "librarian/TfrmMain.h"

#include <QWidget>

namespace sondrake {

void TfrmMain::Keyboard1Click() {}
void TfrmMain::btnPlusOctClick() {}
void TfrmMain::btnMinusOctClick() {}
void TfrmMain::btnHideKeyboardClick() {}
bool TfrmMain::keyboardChecked() const { return false; }
void TfrmMain::setOctave(int octave) { Octave = static_cast<std::uint8_t>(octave); }
void TfrmMain::buildKeyboardPanel() { pnlKeyboard = new QWidget(this); }
void TfrmMain::tmrKeyboardTimer() {}
void TfrmMain::tmrKeyboardHookTimer() {}
bool TfrmMain::IsOwnWindowForeground() const { return true; }
bool TfrmMain::FormKeyPress(QKeyEvent*) { return false; }

} // namespace sondrake
