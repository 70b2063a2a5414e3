// sondrake: the librarian window, with the sound editor wired in.
#include "editor/EditorHost.h"
#include "editor/Randomizer.h"
#include "editor/SoundEditor.h"
#include "librarian/MainWindow.h"
#include "library/Library.h"
#include "library/LibraryCommands.h"
#include "midi/MidiSession.h"
#include "platform/CommandLine.h"
#include "platform/FileLocations.h"
#include "platform/TerminationSignals.h"
#include "sondrake/Version.h"

#include <QApplication>
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QDir>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTranslator>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include <unistd.h>

namespace {

// The editor's view of the program: the main window's octave, "Keyboard"
// mark, Messages box, tolerances, remembered send location and keyboard, and
// the program's generator and schema folders.
class MainWindowEditorHost : public sondrake::editor::EditorHost {
public:
    MainWindowEditorHost(
        sondrake::MainWindow& main, sondrake::editor::Generator& generator, const QStringList& schemaFolders)
        : m_main(main)
        , m_generator(generator)
        , m_schemaFolders(schemaFolders)
    {
    }
    int octave() const override { return m_main.octave(); }
    void setOctave(int octave) override { m_main.setOctave(octave); }
    bool keyboardChecked() const override { return m_main.keyboardChecked(); }
    void addMessage(const QString& line) override { m_main.addMessage(line); }
    sondrake::editor::SchemaTolerances tolerances() const override
    {
        return { m_main.settings().toleranceComboBox, m_main.settings().toleranceOtherKnobs, m_main.settings().toleranceSemitoneKnobs,
            m_main.settings().toleranceDetuneKnobs };
    }
    void setTolerances(const sondrake::editor::SchemaTolerances& t) override
    {
        auto clamp = [](int v) { return std::uint8_t(std::clamp(v, 0, 64)); };
        m_main.settings().toleranceComboBox = clamp(t.comboBox);
        m_main.settings().toleranceOtherKnobs = clamp(t.otherKnobs);
        m_main.settings().toleranceSemitoneKnobs = clamp(t.semitone);
        m_main.settings().toleranceDetuneKnobs = clamp(t.detune);
    }
    int lastSaveBank() const override { return m_main.lastSaveBank(); }
    int lastSaveProgram() const override { return m_main.lastSaveProgram(); }
    void setLastSaveLocation(int bank, int program) override { m_main.setLastSaveLocation(bank, program); }
    QWidget* window() const override { return &m_main; }
    sondrake::midi::MidiSession* midiSession() const override { return &m_main.midiSession(); }
    sondrake::platform::KeyState& keyState() override { return m_main.keyState(); }
    sondrake::editor::Generator& generator() override { return m_generator; }
    QStringList schemaFolders() const override { return m_schemaFolders; }

private:
    sondrake::MainWindow& m_main;
    sondrake::editor::Generator& m_generator;
    const QStringList m_schemaFolders;
};

// SIGINT and SIGTERM end the program as File > Exit does, minus the
// questions, within two seconds in every state. The event loop, nested ones
// of modal boxes included, closes the window (a signal during start-up waits
// for its loop, so the settings read at start are the ones written). A
// watchdog ends the process should anything still hang 1.8 s after the
// signal. A second signal changes nothing: Ctrl+C in a terminal reaches a
// launching script too, which then passes on a signal of its own, and ending
// at once would leave the JACK clients open and stall their server for
// seconds.
constexpr std::chrono::milliseconds kSignalWatchdog { 1800 };
sondrake::MainWindow* signalledWindow = nullptr; // GUI thread only

void closeOnSignals(QApplication& app)
{
    sondrake::platform::onTerminationSignal(&app, [] {
        if (signalledWindow)
            signalledWindow->closeWithoutQuestions();
        // Also ends the loops of modal boxes that are open now ("Midi Open
        // error", "Midi IN Start error" during start-up included).
        QApplication::exit(0);
    });
}

// Lets a last Panic or program change leave, then closes both MIDI clients:
// a JACK client that is never closed stalls a synchronous server for
// seconds. Every wait is bounded; when a client or thread had to be left
// inside a server that does not answer, the process ends without running
// static destructors under it.
int finish(sondrake::midi::MidiSession& session, int exitCode)
{
    using namespace std::chrono_literals;
    if (session.isOutputOpen())
        session.waitIdle(400ms);
    if (!session.shutdown(1000ms)) {
        std::fflush(stdout);
        std::fflush(stderr);
        ::_exit(exitCode);
    }
    return exitCode;
}

// --import and --export-library work on the sound library without a window,
// so they are looked for before anything touches the window system.
bool asksLibraryCommand(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") == 0)
            break;
        if (std::strcmp(argv[i], "--import") == 0 || std::strcmp(argv[i], "--export-library") == 0
            || std::strncmp(argv[i], "--export-library=", 17) == 0)
            return true;
    }
    return false;
}

// The settings file or the autoload bank could not be saved at close.
constexpr int kExitNotSaved = 2;

// The program's own translation for the user's locale, looked for beside the
// executable (a build tree, a portable copy) and in the installed data
// folder, and then Qt's, so its standard buttons and dialogs follow. Without
// a file of our own for the locale everything stays English: Qt's buttons in
// the user's language among our English texts would read as a fault.
void loadTranslations(QCoreApplication& app)
{
    const QLocale locale;
    const QDir program(QCoreApplication::applicationDirPath());
    const QStringList folders = { program.filePath(QStringLiteral("translations")),
        QDir::cleanPath(program.filePath(QStringLiteral("../share/sondrake/translations"))) };
    auto* own = new QTranslator(&app);
    bool found = false;
    for (const QString& folder : folders) {
        if (own->load(locale, QStringLiteral("sondrake"), QStringLiteral("_"), folder)) {
            found = QCoreApplication::installTranslator(own);
            break;
        }
    }
    if (!found) {
        delete own;
        return;
    }
    auto* qt = new QTranslator(&app);
    if (!qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))
        || !QCoreApplication::installTranslator(qt))
        delete qt;
}

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
    sondrake::platform::installTerminationSignals(kSignalWatchdog);
    QCoreApplication::setApplicationName(QStringLiteral("Sondrake"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(sondrake::kVersion));
    QCommandLineParser parser;
    sondrake::platform::addStandardOptions(parser,
        QT_TRANSLATE_NOOP("CommandLine",
            "Sound librarian, sound editor and restricted sound randomizer for the Halvorne Q-Lindorn "
            "synthesizer, reached over MIDI."));
    // --help is answered before any application object, so before a
    // translation can be loaded: the option texts are marked for the
    // translator but read in English there.
    const QCommandLineOption portable(QStringLiteral("portable"),
        QCoreApplication::translate("CommandLine",
            "Keep the settings file and the sound-family schemas beside the program, "
            "even where the program's folder is not writable."));
    parser.addOption(portable);
    const QCommandLineOption importFiles(QStringLiteral("import"),
        QCoreApplication::translate("CommandLine",
            "Archive the bank and sound files given as arguments in the sound library, print how many "
            "sounds were new, and end (no window is opened)."));
    const QCommandLineOption exportLibrary(QStringLiteral("export-library"),
        QCoreApplication::translate("CommandLine",
            "Write every sound of the sound library into <folder> as one .syx file per sound, named "
            "after it, and end (no window is opened)."),
        QStringLiteral("folder"));
    const QCommandLineOption libraryFile(QStringLiteral("library"),
        QCoreApplication::translate("CommandLine",
            "Use <file> as the sound library instead of library.sqlite in the usual place."),
        QStringLiteral("file"));
    parser.addOption(importFiles);
    parser.addOption(exportLibrary);
    parser.addOption(libraryFile);
    parser.addPositionalArgument(QStringLiteral("files"), QCoreApplication::translate("CommandLine", "With --import: the files to archive."),
        QStringLiteral("[files...]"));
    sondrake::platform::answerHelpAndVersion(parser, argc, argv);

    if (asksLibraryCommand(argc, argv)) {
        QCoreApplication app(argc, argv);
        loadTranslations(app);
        parser.process(app);
        const QString library = parser.isSet(libraryFile)
            ? parser.value(libraryFile)
            : sondrake::platform::chooseFileLocations(QCoreApplication::applicationDirPath(), parser.isSet(portable))
                  .libraryFile;
        if (parser.isSet(exportLibrary))
            return sondrake::library::runExport(library, parser.value(exportLibrary), stdout, stderr);
        return sondrake::library::runImport(library, parser.positionalArguments(), stdout, stderr);
    }

    QApplication app(argc, argv);
    loadTranslations(app);
    parser.process(app);
    // Where the settings file and the schemas live, decided once.
    const sondrake::platform::FileLocations locations = sondrake::platform::chooseFileLocations(
        QCoreApplication::applicationDirPath(), parser.isSet(portable));
    Q_INIT_RESOURCE(resources); // the icons sit in a static library nothing else pulls in
    QApplication::setWindowIcon(programIcon());
    // Lets the desktop match the windows to the installed entry and its icon.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(sondrake::kDesktopId));
    closeOnSignals(app);

    sondrake::midi::MidiSession session;
    // The randomizer's one generator, seeded once at start and never again.
    sondrake::editor::Generator generator(sondrake::editor::Generator::timeOfDaySeed());
    int exitCode = 0;
    {
        // Opened without waiting: the window comes up at once, and what arrives
        // before the file is open waits in the library's queue. It is closed
        // after the window, so the window's last arrivals are written too.
        sondrake::library::Library library(parser.isSet(libraryFile) ? parser.value(libraryFile) : locations.libraryFile);
        library.open();
        {
            sondrake::MainWindow::Options options;
            options.settingsFile = sondrake::MainWindow::settingsFileIn(locations);
            options.library = &library;
            sondrake::MainWindow window(session, options);
            if (window.midiOpenFailed()) {
                using sondrake::platform::caughtTerminationSignal;
                if (!caughtTerminationSignal())
                    QMessageBox::critical(
                        nullptr, QStringLiteral("Sondrake"), QCoreApplication::translate("Main", "Midi Open error"));
                // A signal may have ended the box.
                return finish(session, caughtTerminationSignal() ? 128 + caughtTerminationSignal() : 1);
            }

            // ---- the sound editor is wired in here ----------------------------
            window.setEditorLauncher(
                [&generator, &locations](sondrake::MainWindow& main, sondrake::SoundDump& workingCopy) {
                    MainWindowEditorHost host(main, generator, locations.schemaFolders);
                    sondrake::editor::runSoundEditor(host, workingCopy, &main);
                });

            signalledWindow = &window;
            if (sondrake::platform::caughtTerminationSignal()) {
                window.closeWithoutQuestions(); // came during start-up, while a box's loop ran
            } else {
                window.show();
                exitCode = QApplication::exec();
            }
            signalledWindow = nullptr;
            if (exitCode == 0 && window.closeSaveFailed())
                exitCode = kExitNotSaved;
        }
    }
    return finish(session, exitCode);
}
