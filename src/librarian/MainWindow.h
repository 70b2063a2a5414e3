#pragma once

// The librarian window. Its implementation is split by concern, one file
// each, so the window stays readable:
//   MainWindow.cpp           construction, list, Messages box, program selection,
//                          rename, edit entry point, help/about, panic, send file
//   MainWindowTransfer.cpp   receiving sounds and sending the selected ones
//   MainWindowFiles.cpp      bank files, autoload, settings file, closing sequence
//   MainWindowReorder.cpp    move up/down, move to a clicked row, sort, drag and drop
//   MainWindowKeyboard.cpp   the computer-keyboard player

#include "librarian/Settings.h"
#include "midi/Reception.h"
#include "store/ByteStack.h"
#include "store/SoundStore.h"

#include <QMainWindow>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

class QAbstractButton;
class QAction;
class QKeyEvent;
class QLabel;
class QPlainTextEdit;
class QTimer;
class QToolButton;
class QWidget;
class QPushButton;

namespace sondrake {

namespace midi {
    class MidiSession;
    struct ReceivedSysEx;
}

class SoundListModel;
class SoundListView;
class SysExDialog;

class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    // Everything MIDI goes through `session`, which outlives the window.
    explicit MainWindow(midi::MidiSession& session, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Start-up opens the MIDI ports found by name. Tests switch that off and
    // install their own output back end in the session.
    static void setOpenMidiPortsAtStart(bool open);
    midi::MidiSession& midiSession() const { return m_session; }
    // Closes the window as on File > Exit, but asks nothing: SIGTERM and
    // SIGINT come from somebody who cannot answer (a logout, a terminal).
    void closeWithoutQuestions();
    // The output could not be opened at start-up: the program must end with
    // "Midi Open error" and exit code 1 (main() tells the user).
    bool midiOpenFailed() const { return m_midiOpenFailed; }

    // ---- shared state (Overview: the main window owns it) ----------------
    SoundStore& store() { return m_store; }
    const SoundStore& store() const { return m_store; }

    void AddMessage(const QString& text);
    QPlainTextEdit* messagesBox() const { return Memo1; }

    // ---- sound list ------------------------------------------------------
    void RebuildList();
    void RefreshNames(bool selectionOnly);
    void RefreshRow(int row);
    void CollectSelection();
    std::vector<int>& selectionList() { return SelectionList; }
    int firstSelectedRow() const; // -1 when none
    std::vector<int> selectedRows() const; // ascending
    SoundListView* soundList() const { return ListView1; }

    int currentProgram() const { return CurrentProgram; }
    void SelectProgram();
    // "Send SysEx from file" once a file has been chosen.
    void sendSysExFile(const QString& path);

    // The sound editor lives in another layer; the program wires it in.
    using EditorLauncher = std::function<void(MainWindow& main, SoundDump& workingCopy)>;
    void setEditorLauncher(EditorLauncher launcher) { m_editorLauncher = std::move(launcher); }

    // Remembered location of the editor's "Send Sound to Q-Lindorn".
    std::uint8_t lastSaveBank = 0;
    std::uint8_t lastSaveProgram = 0;

    // ---- reception state -------------------------------------------------
    int ReceiveMode = 0;
    bool Receiving = false;
    int ReceivedCount = 0;
    midi::PendingRequest ReceptionRequest;
    int SendDelayMs = 155;
    SysExDialog* receiver() const { return frmSysExReceiver; }

    // ---- settings (bank files, autoload, tolerances) ---------------------
    // What the settings file keeps: read at start, written when closing.
    Settings& settings() { return m_settings; }
    const Settings& settings() const { return m_settings; }
    bool SettingsWritten = false;
    // The closing sequence could not save the settings file or the autoload
    // bank: the user was told, and the program must not end with success.
    bool closeSaveFailed() const { return !m_closeFailures.isEmpty(); }
    static QString settingsFilePath(); // halvorne_q-lindorn.ini in platform::fileLocations().settingsFolder
    // Tests point the window at a settings file of their own (empty = back to the default).
    static void setSettingsFilePath(const QString& path);

    // ---- keyboard player -------------------------------------------------
    std::uint8_t Octave = 4;
    bool keyboardChecked() const;
    void setOctave(int octave);
    bool keyboardRunning() const; // tmrKeyboard active: onSendSelected switches it off
    void suspendKeyboardPlayer(); // receptions: panel hidden, both timers off, check mark kept

public slots:
    // commands of the menus and tool bar (guarded: failures go to AddMessage)
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

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // construction helpers (MainWindow.cpp)
    void buildMenus();
    void buildToolBar();
    void buildCentral();
    void buildKeyboardPanel();
    void FormCreate();
    void bindButton(QAbstractButton* button, QAction* action);

    // the window's keys, read once before the focused control sees them
    bool onWindowKey(QKeyEvent* event); // true = kept from the control
    void runWindowKey(const QKeyEvent* event);
    bool menuShortcutWins(const QKeyEvent* event) const;

    // list events (MainWindow.cpp)
    void ListView1SelectItem(int row, bool selected);
    void ListView1DblClick();
    void ListView1LeftClick();
    void ListView1RightClick(int row, bool ctrlHeld);
    void ListView1DragDrop(int targetRow);

    // transfer (MainWindowTransfer.cpp)
    void ReadSoundDumps();
    void StartReception(int length);
    void StopReception();
    void ArmInputBuffer(int length);
    void handleReceived(const midi::ReceivedSysEx& message);

    // files (MainWindowFiles.cpp)
    void ReadSettings();
    bool WriteSettings();
    bool LoadBankFile(const QString& path);
    bool SaveBankFile(const QString& path, QString* reason = nullptr);
    bool FormCloseQuery();

    // reorder (MainWindowReorder.cpp)
    void moveUp(bool asCommand);
    void moveDown(bool asCommand);
    void MoveSelectionTo(int target);
    bool m_moveRunning = false; // a move to a clicked row is in its steps

    // keyboard player (MainWindowKeyboard.cpp)
    void tmrKeyboardTimer();
    void tmrKeyboardHookTimer();
    bool IsOwnWindowForeground() const;
    // The letters a, e, d, f, g and h play notes and are not typed while the
    // player is on.
    bool swallowsPlayerLetter(const QKeyEvent* event) const;
    void setKeyboardPlayer(bool on); // check mark, panel and both timers
    bool KeyboardOn = true; // the "Keyboard" check mark; Keyboard1 mirrors it

    // runs a command, sending its failure to the Messages box
    void guarded(const std::function<void()>& command);
    void runCommand(void (MainWindow::*handler)());
    // While the selected sounds go out one by one, each is read from its
    // slot when its turn comes: a command that would change the slots (or
    // the reception state the send shares) is refused with one Messages line.
    bool sendingSelected() const;
    bool refuseWhileSending(const QString& command);

    midi::MidiSession& m_session;
    bool m_askOnClose = true;
    Settings m_settings;
    SoundStore m_store;
    SoundListModel* m_listModel = nullptr; // the store as the sound list shows it
    std::vector<int> SelectionList;
    int CurrentProgram = 0;
    EditorLauncher m_editorLauncher;
    bool m_midiOpenFailed = false;
    QStringList m_closeFailures; // what the closing sequence could not save, with the reasons
    SysExDialog* frmSysExReceiver = nullptr;
    std::array<std::uint8_t, 128> KeyState{};

    // widgets (names as the user and tests know them)
    SoundListView* ListView1 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QWidget* pnlKeyboard = nullptr;
    QLabel* lblOctave = nullptr;
    QPushButton* btnMinusOct = nullptr;
    QPushButton* btnPlusOct = nullptr;
    QPushButton* btnHideKeyboard = nullptr;
    QTimer* tmrKeyboard = nullptr;
    QTimer* tmrKeyboardHook = nullptr;

    QToolButton* ToolButton1 = nullptr;
    QToolButton* btnSendPatch = nullptr;
    QToolButton* btnDown = nullptr;
    QToolButton* btnUP = nullptr;
    QToolButton* btnPrgDown = nullptr;
    QToolButton* btnPrgUp = nullptr;
    QToolButton* ToolButton6 = nullptr;
    QToolButton* ToolButton8 = nullptr;

    QAction* ReadCurrentSound1 = nullptr;
    QAction* A1 = nullptr;
    QAction* Newemptypatchlist1 = nullptr;
    QAction* LoadFromfilepatchlist1 = nullptr;
    QAction* SavetofileSoundBanks1 = nullptr;
    QAction* SavetoseparatefileSoundBanks1 = nullptr;
    QAction* SendSysExfile1 = nullptr;
    QAction* SendSysExforselectedsounds1 = nullptr;
    QAction* Exit1 = nullptr;
    QAction* SelectAll1 = nullptr;
    QAction* Keyboard1 = nullptr;
    QAction* Midi1 = nullptr;
    QAction* Settings2 = nullptr;
    QAction* DeviceVersion1 = nullptr;
    QAction* Orderbyname1 = nullptr;
    QAction* Panic1 = nullptr;
    QAction* About1 = nullptr;
    QAction* Video1 = nullptr;
    QAction* Shorthelp1 = nullptr;
    QAction* m_moveDownAction = nullptr;
    QAction* m_moveUpAction = nullptr;
    QAction* m_programDownAction = nullptr;
    QAction* m_programUpAction = nullptr;
    QAction* m_editSoundAction = nullptr;
    QAction* m_octaveDownAction = nullptr;
    QAction* m_octaveUpAction = nullptr;
};

} // namespace sondrake
