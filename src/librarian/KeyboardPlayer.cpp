#include "librarian/KeyboardPlayer.h"

#include <QCoreApplication>

namespace sondrake {

QString octaveCaption(int octave) { return QCoreApplication::translate("KeyboardPlayer", "Octave %1").arg(octave); }

int pollKeyboard(NoteStateTable& states, int octave, const KeyQuery& keyDown, const NoteSender& send)
{
    int sent = 0;
    for (int i = 0; i < static_cast<int>(NoteKeyTable.size()); ++i) {
        // Ask even for a key that has no note here, so a tap made while it
        // was out of range is not played later at another octave.
        const bool down = keyDown(NoteKeyTable[static_cast<std::size_t>(i)].key);
        const int n = noteStateIndex(octave, i);
        if (n < 0)
            continue;
        auto& state = states[static_cast<std::size_t>(n)];
        if (down && state == 0) {
            state = 1;
            send(true, static_cast<std::uint8_t>(n + 12));
            ++sent;
        } else if (!down && state == 1) {
            state = 0;
            send(false, static_cast<std::uint8_t>(n + 12));
            ++sent;
        }
    }
    return sent;
}

} // namespace sondrake
