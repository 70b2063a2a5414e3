#pragma once

// The librarian window. Its implementation is split by concern, one file
// each, so the window stays readable:
//   MainWindow.cpp           construction, list, Messages box, program selection,
//                          rename, edit entry point, help/about, panic, send file
//   MainWindowTransfer.cpp   receiving sounds and sending the selected ones
//   MainWindowFiles.cpp      bank files, autoload, settings file, closing sequence
//   MainWindowReorder.cpp    move up/down, move to a clicked row, sort, drag and drop
//   MainWindowKeyboard.cpp   the computer-keyboard player
//   MainWindowLibrary.cpp    archiving arrivals, the Sound Library window and its commands

#include "librarian/KeyboardPlayer.h"
#include "librarian/LibrarianDialogs.h"
#include "librarian/Settings.h"
#include "librarian/StoreHistory.h"
#include "midi/Reception.h"
#include "platform/KeyState.h"
#include "store/SoundStore.h"

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QAbstractButton;
class QAction;
class QKeyEvent;
class QLabel;
class QPlainTextEdit;
class QTimer;
class QUndoStack;
class QUndoView;
class QToolButton;
class QWidget;
class QPushButton;

namespace sondrake {

namespace midi {
    class MidiSession;
    class SoundTransfer;
}
namespace platform {
    struct FileLocations;
}
namespace library {
    class Library;
}

class LibraryWindow;
class SoundListModel;
class SoundListView;
class SysExDialog;

// What the main window is started with; the defaults are the program's.
struct MainWindowOptions {
    // Start-up opens the MIDI ports found by name. Tests switch that off and
    // install their own output back end in the session.
    bool openMidiPortsAtStart = true;
    // The settings file; empty: halvorne_q-lindorn.ini where a program
    // started without --portable keeps it.
    QString settingsFile;
    // Asks the questions and shows the file dialogs; it must outlive the
    // window. nullptr: the real ones, which the window owns.
    LibrarianDialogs* dialogs = nullptr;
    // The sound library every arrival of a sound is archived in; it must
    // outlive the window. nullptr: no library for this run.
    library::Library* library = nullptr;
};

class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    using Options = MainWindowOptions;

    // Everything MIDI goes through `session`, which outlives the window.
    explicit MainWindow(midi::MidiSession& session, const Options& options = {}, QWidget* parent = nullptr);
    ~MainWindow() override;

    midi::MidiSession& midiSession() const { return m_session; }
    // The program's keyboard: the player polls it, and every window that
    // reads keys (the editor's too) registers its handler here.
    platform::KeyState& keyState() { return m_keys; }
    // Closes the window as on File > Exit, but asks nothing: SIGTERM and
    // SIGINT come from somebody who cannot answer (a logout, a terminal).
    void closeWithoutQuestions();
    // The output could not be opened at start-up: the program must end with
    // "Midi Open error" and exit code 1 (main() tells the user).
    bool midiOpenFailed() const { return m_midiOpenFailed; }

    // ---- shared state: the main window owns it for the whole run ---------
    SoundStore& store() { return m_store; }
    const SoundStore& store() const { return m_store; }
    // Every change of the store is a step here; only the program's end clears it.
    QUndoStack& undoStack() const { return *m_undoStack; }

    // One line into the Messages box; safe from any thread (lines from other
    // threads are posted to the window's, in order).
    void addMessage(const QString& text);
    QPlainTextEdit* messagesBox() const { return m_messages; }

    // ---- sound list ------------------------------------------------------
    void rebuildList();
    void refreshNames(bool selectionOnly);
    void refreshRow(int row);
    void collectSelection();
    // The remembered selection: what the list shows again after a rebuild.
    const std::vector<int>& selectionList() const { return m_selectionList; }
    int firstSelectedRow() const; // -1 when none
    std::vector<int> selectedRows() const; // ascending
    SoundListView* soundList() const { return m_soundList; }

    int currentProgram() const { return m_currentProgram; }
    void selectProgram();
    // "Send SysEx from file" once a file has been chosen.
    void sendSysExFile(const QString& path);

    // The sound editor lives in another layer; the program wires it in.
    using EditorLauncher = std::function<void(MainWindow& main, SoundDump& workingCopy)>;
    void setEditorLauncher(EditorLauncher launcher) { m_editorLauncher = std::move(launcher); }

    // Remembered location of the editor's "Send Sound to Q-Lindorn": bank
    // 0..1, program 0..99 (other values are brought into that range).
    int lastSaveBank() const { return m_lastSaveBank; }
    int lastSaveProgram() const { return m_lastSaveProgram; }
    void setLastSaveLocation(int bank, int program);

    // ---- transfers -------------------------------------------------------
    // Receptions and the sending of selected sounds, with all their state.
    midi::SoundTransfer& transfer() const { return *m_transfer; }
    const midi::ReceptionFields& receptionFields() const;
    SysExDialog* receiver() const { return m_receiver; }

    // ---- settings (bank files, autoload, tolerances) ---------------------
    // What the settings file keeps: read at start, written when closing.
    Settings& settings() { return m_settings; }
    const Settings& settings() const { return m_settings; }
    // The settings file was written by the closing sequence.
    bool settingsWritten() const { return m_settingsWritten; }
    // The closing sequence could not save the settings file or the autoload
    // bank: the user was told, and the program must not end with success.
    bool closeSaveFailed() const { return !m_closeFailures.isEmpty(); }
    const QString& settingsFilePath() const { return m_settingsFile; }
    // halvorne_q-lindorn.ini in the settings folder of `where`.
    static QString settingsFileIn(const platform::FileLocations& where);

    // ---- keyboard player -------------------------------------------------
    int octave() const { return m_octave; }
    bool keyboardChecked() const;
    void setOctave(int octave);
    bool keyboardRunning() const; // m_playerPoll active: onSendSelected switches it off
    void suspendKeyboardPlayer(); // receptions: panel hidden, both timers off, check mark kept

public slots:
    // commands of the menus and tool bar (guarded: failures go to addMessage)
    void onReadCurrentSound();
    void onReadBank();
    void onNewList();
    void onLoadBankFile();
    void onSaveBankFile();
    void onSaveSeparateFiles();
    void onSendSysExFile();
    void onSendSelected();
    void onExit();
    void onSelectAll();
    void onKeyboardPlayer();
    void onMidiSettings();
    void onAutoloadSettings();
    void onOrderByName();
    void onPanic();
    void onAbout();
    void onVideo();
    void onShortHelp();
    void onMoveDown();
    void onMoveUp();
    void onProgramDown();
    void onProgramUp();
    void onSoundRandomizer();
    void onOctaveUp();
    void onOctaveDown();
    void onUndo();
    void onRedo();
    void onHistory();
    void onSoundLibrary();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // construction helpers (MainWindow.cpp)
    void buildMenus();
    void buildToolBar();
    void buildCentral();
    void buildKeyboardPanel();
    void startUp();
    void bindButton(QAbstractButton* button, QAction* action);

    // the window's keys, read once before the focused control sees them
    bool onWindowKey(QKeyEvent* event); // true = kept from the control
    void runWindowKey(const QKeyEvent* event);
    bool menuShortcutWins(const QKeyEvent* event) const;

    // list events (MainWindow.cpp)
    void onRowSelectionChanged(int row, bool selected);
    void onListDoubleClicked();
    void onListLeftPressed();
    void onListRightPressed(int row, bool ctrlHeld);
    void onRowsDropped(int targetRow);

    // sound library (MainWindowLibrary.cpp)
    void connectLibrary();
    // One arrival: the sounds of these rows as they are now, in one archive call.
    void archiveSlots(const std::vector<int>& rows, const QString& source);
    void archiveReceived(const std::vector<int>& rows);
    void onSoundStored(int slot);
    void onSendToSynth(const SoundDump& dump);
    // Writes the sounds into consecutive slots from `row` as one step.
    void putSounds(int row, const std::vector<SoundDump>& dumps);
    library::Library* m_library = nullptr;
    QString m_libraryOffLine; // why the library is off, once it said so
    QPointer<LibraryWindow> m_libraryWindow;
    std::vector<int> m_receivedSlots; // the slots the running read stored, in arrival order

    // transfer (MainWindowTransfer.cpp)
    void connectTransfer();
    // The wait of a reception the transfer has started.
    void waitForSounds();

    // files (MainWindowFiles.cpp)
    void readSettings();
    bool writeSettings();
    bool loadBankFile(const QString& path);
    bool saveBankFile(const QString& path, QString* reason = nullptr);
    bool confirmClose();

    // reorder (MainWindowReorder.cpp)
    void moveUp(bool asCommand);
    void moveDown(bool asCommand);
    void moveSelectionTo(int target);
    bool m_moveRunning = false; // a move to a clicked row is in its steps

    // keyboard player (MainWindowKeyboard.cpp)
    void onPlayerPoll();
    void onForegroundCheck();
    bool isOwnWindowInFront() const;
    // The letters a, e, d, f, g and h play notes and are not typed while the
    // player is on.
    bool swallowsPlayerLetter(const QKeyEvent* event) const;
    void setKeyboardPlayer(bool on); // check mark, panel and both timers
    bool m_keyboardOn = true; // the "Keyboard" check mark; m_keyboardAction mirrors it

    // The one way a command changes the store: `change` runs between a
    // snapshot and the step made from it, named `stepText`; the selection
    // after it is the list's.
    void changeStore(const QString& stepText, const std::function<void()>& change, int mergeId = -1);
    void onHistoryApplied(const StoreHistory::Rows& select);

    // runs a command, sending its failure to the Messages box
    void guarded(const std::function<void()>& command);
    void runCommand(void (MainWindow::*handler)());
    // While the selected sounds go out one by one, each is read from its
    // slot when its turn comes: a command that would change the slots (or
    // the reception state the send shares) is refused with one Messages line.
    bool sendingSelected() const;
    bool refuseWhileSending(const QString& command);

    midi::MidiSession& m_session;
    platform::KeyState m_keys;
    const bool m_openMidiPortsAtStart;
    const QString m_settingsFile;
    LibrarianDialogs m_ownDialogs; // in use unless others were handed in
    LibrarianDialogs& m_dialogs;
    midi::SoundTransfer* m_transfer = nullptr;
    bool m_settingsWritten = false;
    std::uint8_t m_octave = StartOctave;
    std::uint8_t m_lastSaveBank = 0;
    std::uint8_t m_lastSaveProgram = 0;
    bool m_askOnClose = true;
    Settings m_settings;
    SoundStore m_store;
    SoundListModel* m_listModel = nullptr; // the store as the sound list shows it
    std::vector<int> m_selectionList;
    int m_currentProgram = 0;
    EditorLauncher m_editorLauncher;
    bool m_midiOpenFailed = false;
    QStringList m_closeFailures; // what the closing sequence could not save, with the reasons
    SysExDialog* m_receiver = nullptr;
    NoteStateTable m_noteStates{}; // the player's notes held on
    QUndoStack* m_undoStack = nullptr;
    std::unique_ptr<StoreHistory> m_history;
    // A read or a send is one step from its start to its end.
    std::unique_ptr<StoreHistory::Change> m_readChange;
    int m_readCount = 0; // sounds stored during the read
    std::unique_ptr<StoreHistory::Change> m_sendChange;
    int m_sendCount = 0;
    QWidget* m_historyWindow = nullptr;
    QUndoView* m_historyView = nullptr;

    // widgets (names as the user and tests know them)
    SoundListView* m_soundList = nullptr;
    QPlainTextEdit* m_messages = nullptr;
    QWidget* m_keyboardPanel = nullptr;
    QLabel* m_octaveLabel = nullptr;
    QPushButton* m_octaveDownButton = nullptr;
    QPushButton* m_octaveUpButton = nullptr;
    QPushButton* m_hideKeyboardButton = nullptr;
    QTimer* m_playerPoll = nullptr;
    QTimer* m_foregroundCheck = nullptr;

    QToolButton* m_readCurrentSoundButton = nullptr;
    QToolButton* m_sendSelectedButton = nullptr;
    QToolButton* m_moveDownButton = nullptr;
    QToolButton* m_moveUpButton = nullptr;
    QToolButton* m_programDownButton = nullptr;
    QToolButton* m_programUpButton = nullptr;
    QToolButton* m_editSoundButton = nullptr;
    QToolButton* m_panicButton = nullptr;

    QAction* m_readCurrentSoundAction = nullptr;
    QAction* m_readBankAction = nullptr;
    QAction* m_newListAction = nullptr;
    QAction* m_loadBankFileAction = nullptr;
    QAction* m_saveBankFileAction = nullptr;
    QAction* m_saveSeparateFilesAction = nullptr;
    QAction* m_sendSysExFileAction = nullptr;
    QAction* m_sendSelectedAction = nullptr;
    QAction* m_exitAction = nullptr;
    QAction* m_selectAllAction = nullptr;
    QAction* m_keyboardAction = nullptr;
    QAction* m_midiSettingsAction = nullptr;
    QAction* m_autoloadSettingsAction = nullptr;
    QAction* m_deviceVersionAction = nullptr;
    QAction* m_orderByNameAction = nullptr;
    QAction* m_panicAction = nullptr;
    QAction* m_soundLibraryAction = nullptr;
    QAction* m_aboutAction = nullptr;
    QAction* m_videoAction = nullptr;
    QAction* m_shortHelpAction = nullptr;
    QAction* m_moveDownAction = nullptr;
    QAction* m_moveUpAction = nullptr;
    QAction* m_programDownAction = nullptr;
    QAction* m_programUpAction = nullptr;
    QAction* m_editSoundAction = nullptr;
    QAction* m_octaveDownAction = nullptr;
    QAction* m_octaveUpAction = nullptr;
    QAction* m_undoAction = nullptr;
    QAction* m_redoAction = nullptr;
    QAction* m_historyAction = nullptr;
};

} // namespace sondrake
