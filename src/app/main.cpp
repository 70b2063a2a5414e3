// sondrake: the librarian window, with the sound editor wired in.
#include "editor/EditorHost.h"
#include "editor/TfrmPatchEdit.h"
#include "librarian/TfrmMain.h"
#include "midi/MidiIn.h"
#include "midi/MidiOut.h"
#include "platform/CommandLine.h"
#include "platform/FileLocations.h"
#include "sondrake/Version.h"

#include <QApplication>
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QIcon>
#include <QMessageBox>
#include <QSocketNotifier>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdint>

#include <unistd.h>

namespace {

// The editor's view of the main window: the octave, the "Keyboard" mark,
// the Messages box, the tolerances and the remembered send location.
class MainWindowEditorHost : public sondrake::editor::EditorHost {
public:
    explicit MainWindowEditorHost(sondrake::TfrmMain& main)
        : main_(main)
    {
    }
    int octave() const override { return main_.Octave; }
    void setOctave(int octave) override { main_.setOctave(octave); }
    bool keyboardChecked() const override { return main_.keyboardChecked(); }
    void addMessage(const QString& line) override { main_.AddMessage(line); }
    sondrake::editor::SchemaTolerances tolerances() const override
    {
        return { main_.ToleranceComboBox, main_.ToleranceOtherKnobs, main_.ToleranceSemitoneKnobs,
            main_.ToleranceDetuneKnobs };
    }
    void setTolerances(const sondrake::editor::SchemaTolerances& t) override
    {
        auto clamp = [](int v) { return std::uint8_t(std::clamp(v, 0, 64)); };
        main_.ToleranceComboBox = clamp(t.comboBox);
        main_.ToleranceOtherKnobs = clamp(t.otherKnobs);
        main_.ToleranceSemitoneKnobs = clamp(t.semitone);
        main_.ToleranceDetuneKnobs = clamp(t.detune);
    }
    int lastSaveBank() const override { return main_.lastSaveBank; }
    int lastSaveProgram() const override { return main_.lastSaveProgram; }
    void setLastSaveLocation(int bank, int program) override
    {
        main_.lastSaveBank = std::uint8_t(std::clamp(bank, 0, 1));
        main_.lastSaveProgram = std::uint8_t(std::clamp(program, 0, 99));
    }
    QWidget* window() const override { return &main_; }

private:
    sondrake::TfrmMain& main_;
};

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

// SIGINT and SIGTERM end the event loop, so the MIDI clients are closed as on
// a normal exit. The handler only writes a byte; the loop does the rest.
int signalPipe[2] = { -1, -1 };

void onSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(signalPipe[1], &byte, 1);
}

void quitOnSignals(QApplication& app)
{
    if (::pipe(signalPipe) != 0)
        return;
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, [] {
        char byte = 0;
        [[maybe_unused]] const auto got = ::read(signalPipe[0], &byte, 1);
        QApplication::quit();
    });
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

// The settings file or the autoload bank could not be saved at close.
constexpr int kExitNotSaved = 2;

QIcon programIcon()
{
    QIcon icon;
    for (int size : { 16, 22, 24, 32, 48, 64, 128, 256 })
        icon.addFile(QStringLiteral(":/icons/sondrake-%1.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication::setApplicationName(QStringLiteral("Sondrake"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(sondrake::kVersion));
    QCommandLineParser parser;
    sondrake::platform::addStandardOptions(parser,
        "Sound librarian, sound editor and restricted sound randomizer for the Halvorne Q-Lindorn "
        "synthesizer, reached over MIDI.");
    const QCommandLineOption portable(QStringLiteral("portable"),
        QStringLiteral("Keep the settings file and the sound-family schemas beside the program, "
                       "even where the program's folder is not writable."));
    parser.addOption(portable);
    sondrake::platform::answerHelpAndVersion(parser, argc, argv);

    QApplication app(argc, argv);
    parser.process(app);
    sondrake::platform::setPortable(parser.isSet(portable));
    Q_INIT_RESOURCE(resources); // the icons sit in a static library nothing else pulls in
    QApplication::setWindowIcon(programIcon());
    // Lets the desktop match the windows to the installed entry and its icon.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(sondrake::kDesktopId));
    quitOnSignals(app);

    int exitCode = 0;
    {
        sondrake::TfrmMain window;
        if (window.midiOpenFailed()) {
            QMessageBox::critical(nullptr, QStringLiteral("Sondrake"), QStringLiteral("Midi Open error"));
            closeMidi();
            return 1;
        }

        // ---- the sound editor is wired in here ----------------------------
        window.setEditorLauncher([](sondrake::TfrmMain& main, sondrake::SoundDump& workingCopy) {
            MainWindowEditorHost host(main);
            sondrake::editor::runSoundEditor(host, workingCopy, &main);
        });

        window.show();
        exitCode = QApplication::exec();
        if (exitCode == 0 && window.closeSaveFailed())
            exitCode = kExitNotSaved;
    }
    closeMidi();
    return exitCode;
}
