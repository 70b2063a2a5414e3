// sondrake-shots DIR [FONT_PIXELS]: writes pictures of the windows into DIR,
// for a person to look at after a change of layout or drawing, in the usual
// font or in an application font of FONT_PIXELS pixels:
//   main.png, rename.png, help.png      the main window and two of its dialogs
//   history.png                         the list's history after two moves
//   editor-tab0.png .. editor-tab2.png  the sound editor, one picture a tab
//   schema-top.png, schema-create.png, schema-list.png
//                                       the schema box, the tolerance dialog
//                                       and an "R" list
//   explore.png                         "Explore Sound Family" after a
//                                       candidate was heard and one kept
//   library.png, library-similar.png    the sound library with a sound
//                                       selected, and its similar sounds; over
//                                       the library file SONDRAKE_SHOTS_LIBRARY
//                                       names, else over 300 made-up sounds
//   sysex.png, midi-settings.png, autoload.png, location.png
//                                       the other dialogs with buttons
// Run it offscreen (QT_QPA_PLATFORM=offscreen) or on an X server; on X the
// screen as the window system shows it is saved too (*-screen.png, through
// ImageMagick's import). Nothing is sent to MIDI and no file of the user's is
// touched: settings and schemas live in a temporary folder.

#include "editor/EditorHost.h"
#include "editor/ExploreWindow.h"
#include "editor/LocationDialog.h"
#include "editor/Schema.h"
#include "editor/SoundEditor.h"
#include "librarian/AutoloadDialog.h"
#include "librarian/LibrarianDialogs.h"
#include "librarian/LibraryWindow.h"
#include "librarian/SoundListView.h"
#include "library/Library.h"
#include "library/LibraryModel.h"
#include "parametermap/ParameterMap.h"
#include "librarian/MainWindow.h"
#include "midi/MidiSession.h"
#include "midi/MidiSettingsDialog.h"
#include "midi/SoundTransfer.h"
#include "midi/SysExDialog.h"
#include "support/RecordingBackend.h"
#include "ModalTestSupport.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTableView>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <cstdio>

using namespace sondrake;
using namespace sondrake::editor;

namespace {

QString outDir;

void save(QWidget* widget, const QString& name)
{
    QTest::qWait(300); // let the window system draw it
    const QString path = outDir + QLatin1Char('/') + name + QStringLiteral(".png");
    if (!widget->grab().save(path))
        std::fprintf(stderr, "could not write %s\n", qPrintable(path));
    if (QGuiApplication::platformName() == QStringLiteral("xcb"))
        QProcess::execute(QStringLiteral("import"),
            { QStringLiteral("-window"), QStringLiteral("root"),
                outDir + QLatin1Char('/') + name + QStringLiteral("-screen.png") });
}

// Runs `act` on the next modal dialog from inside its event loop, then
// closes it.
void mainWindow(midi::MidiSession& session, const QString& settingsFolder)
{
    MainWindow::Options options;
    options.openMidiPortsAtStart = false;
    options.settingsFile = settingsFolder + QStringLiteral("/halvorne_q-lindorn.ini");
    MainWindow w(session, options);
    w.show();
    w.store().setSoundName(1, "Warm Pad");
    w.refreshNames(false);
    SoundListView* list = w.soundList();
    const QPoint row1 = list->visualRect(list->model()->index(1, SoundListView::kNameColumn)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row1);
    save(&w, QStringLiteral("main"));
    testing::onNextModal([](QWidget* modal) { save(modal, QStringLiteral("rename")); });
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row1);
    testing::onNextModal([](QWidget* modal) { save(modal, QStringLiteral("help")); });
    w.onShortHelp();

    list->selectRows({ 0 });
    w.collectSelection();
    w.findChild<QToolButton*>(QStringLiteral("btnDown"))->click();
    // Moves among equal sounds change nothing and make no step.
    w.store().setSoundName(5, "Deep Bass");
    list->selectRows({ 5, 6 });
    w.collectSelection();
    w.findChild<QToolButton*>(QStringLiteral("btnDown"))->click();
    w.findChild<QAction*>(QStringLiteral("Undo1"))->trigger();
    w.findChild<QAction*>(QStringLiteral("History1"))->trigger();
    if (auto* history = w.findChild<QWidget*>(QStringLiteral("frmHistory")))
        save(history, QStringLiteral("history"));
}

// Every byte 64: each control shows a value from the middle of its range.
SoundDump midValueSound()
{
    SoundDump sound;
    sound.fill(64);
    return sound;
}

void editorTabs()
{
    MemoryEditorHost host;
    SoundEditor editor(host);
    editor.setWorkingCopy(midValueSound());
    editor.show();
    auto* tabs = testing::namedChild<QTabWidget>(&editor, "PageControl1");
    for (int t = 0; t < tabs->count(); ++t) {
        tabs->setCurrentIndex(t);
        save(&editor, QStringLiteral("editor-tab%1").arg(t));
    }
}

void schemaWindows(const QString& folder)
{
    QFile brass(schemaPath(folder, QStringLiteral("Brass")));
    if (brass.open(QIODevice::WriteOnly))
        brass.write("[Parameters]\n");
    brass.close();

    MemoryEditorHost host;
    host.schemaFolderList = { folder };
    SoundEditor editor(host);
    editor.setWorkingCopy(midValueSound());
    editor.show();
    QTest::qWait(300);
    editor.grab(QRect(0, 0, editor.width(), 100)).save(outDir + QStringLiteral("/schema-top.png"));
    testing::onNextModal([](QWidget* modal) { save(modal, QStringLiteral("schema-create")); });
    testing::namedChild<QPushButton>(&editor, "btnCreateSchemaFromCurrentSound")->click();
    editor.schema().setAllowedValues(
        "KnobOsc1Semitone", QString(10, u'0') + QString(5, u'1') + QString(10, u'0'));
    testing::onNextModal([](QWidget* modal) { save(modal, QStringLiteral("schema-list")); });
    editor.parameterPages().rButtons[3]->click();
}

void exploreWindow()
{
    MemoryEditorHost host;
    SoundEditor editor(host);
    editor.setWorkingCopy(midValueSound());
    editor.show();
    testing::namedChild<QPushButton>(&editor, "btnExplore")->click();
    ExploreWindow* window = editor.exploreWindow();
    if (!window)
        return;
    testing::namedChild<QPushButton>(window, "btnCandidate3")->click();
    testing::namedChild<QCheckBox>(window, "ckbKeep3")->setChecked(true);
    save(window, QStringLiteral("explore"));
}

void libraryWindow(const QString& folder)
{
    QString file = qEnvironmentVariable("SONDRAKE_SHOTS_LIBRARY");
    if (file.isEmpty()) {
        file = folder + QStringLiteral("/library.sqlite");
        library::LibraryDatabase db;
        db.open(file);
        QRandomGenerator random(5);
        const char* const words[] = { "Warm", "Glass", "Pad", "Bass", "Sweep", "Pluck" };
        std::vector<SoundDump> sounds;
        for (int n = 0; n < 300; ++n) {
            SoundDump d {};
            d.front() = 0xF0;
            d.back() = 0xF7;
            for (const auto& entry : parametermap::parameterMap())
                parametermap::writeValue(d, entry, entry.minimum + int(random.bounded(entry.maximum - entry.minimum + 1)));
            writeName(d, std::string(words[n % 6]) + " " + words[(n / 6) % 6] + " " + std::to_string(n));
            sounds.push_back(d);
        }
        db.archive(sounds, QStringLiteral("/home/user/banks/2026-12-08.syx"));
    }
    library::Library lib(file);
    QSignalSpy opened(&lib, &library::Library::opened);
    lib.open();
    opened.wait(20000);
    LibraryWindow w(lib);
    w.show();
    w.table()->selectRow(2);
    w.table()->setFocus();
    save(&w, QStringLiteral("library"));
    w.findChild<QPushButton*>(QStringLiteral("btnSimilarSounds"))->click();
    save(&w, QStringLiteral("library-similar"));
}

// The dialogs no window above opens on its own, shown as their commands show
// them but not run, so nothing is sent and no file is touched.
void otherDialogs(midi::MidiSession& session)
{
    SoundStore store;
    midi::SoundTransfer transfer(session, store);
    SysExDialog sysex(nullptr, transfer);
    sysex.setLabelText(QStringLiteral("Waiting for data..."));
    sysex.show();
    save(&sysex, QStringLiteral("sysex"));

    midi::MidiDeviceChoice choice;
    const QStringList ports { QStringLiteral("QLindorn Emulator"), QStringLiteral("Midi Through Port-0") };
    midi::MidiSettingsDialog settings(nullptr, choice, ports, ports);
    settings.show();
    save(&settings, QStringLiteral("midi-settings"));

    LibrarianDialogs dialogs;
    AutoloadDialog autoload(dialogs);
    autoload.show();
    save(&autoload, QStringLiteral("autoload"));

    LocationDialog location;
    location.show();
    save(&location, QStringLiteral("location"));
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const int fontPixels = argc == 3 ? QByteArray(argv[2]).toInt() : 0;
    if (argc < 2 || argc > 3 || (argc == 3 && fontPixels <= 0)) {
        std::fprintf(stderr,
            "usage: %s DIR [FONT_PIXELS]\nwrites pictures of the windows into DIR, with an application font of "
            "FONT_PIXELS pixels when given\n",
            argv[0]);
        return 2;
    }
    if (fontPixels > 0) {
        QFont font = QApplication::font();
        font.setPixelSize(fontPixels);
        QApplication::setFont(font);
    }
    outDir = QString::fromLocal8Bit(argv[1]);
    QTemporaryDir settings;
    if (!settings.isValid()) {
        std::fprintf(stderr, "no temporary folder: %s\n", qPrintable(settings.errorString()));
        return 1;
    }
    midi::MidiSession session;
    midi::installRecordingBackend(session);

    mainWindow(session, settings.path());
    editorTabs();
    schemaWindows(settings.path());
    exploreWindow();
    libraryWindow(settings.path());
    otherDialogs(session);
    return 0;
}
