// The main window: construction and start-up, the sound list and its
// selection, the Messages box, program selection, rename, the entry to the
// sound editor, help, about, panic and sending a file.
#include "librarian/MainWindow.h"

#include "librarian/FlowLayout.h"
#include "librarian/LibrarianDialogs.h"
#include "librarian/SoundListView.h"
#include "librarian/HelpWindow.h"
#include "librarian/RenameDialog.h"
#include "librarian/SoundListModel.h"
#include "library/LibraryDatabase.h"
#include "midi/MidiSession.h"
#include "midi/PortDetection.h"
#include "midi/SoundTransfer.h"
#include "midi/SysExDialog.h"
#include "platform/FileLocations.h"
#include "platform/Messages.h"
#include "sondrake/Version.h"
#include "store/SoundName.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScreen>
#include <QThread>
#include <QToolButton>
#include <QUndoStack>
#include <QUndoView>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace sondrake {

namespace {

    // Names are padded with blanks to their 16 bytes; a step's text shows them without.
    QString withoutTrailingBlanks(QString name)
    {
        while (!name.isEmpty() && name.back() == QLatin1Char(' '))
            name.chop(1);
        return name;
    }

    const char* const kCaption
        = QT_TRANSLATE_NOOP("sondrake::MainWindow", "Halvorne Q-Lindorn Sondrake - Sound Editor - Sound Restrictioned Randomizer");
    const char* const kProgramName = "Halvorne Q-Lindorn Sondrake";
    const char* const kVideoAddress = "https://sondrake.example.org/video";
    const char* const kContactAddress = "sondrake@example.org";

    constexpr int kMessageLines = 1000;
    constexpr int kMessagesWidth = 217;

    // The Messages box: the user may type into it, a double click empties it,
    // and it never holds more than 1000 lines (the oldest goes first).
    class MessagesBox : public QPlainTextEdit {
    public:
        explicit MessagesBox(QWidget* parent)
            : QPlainTextEdit(parent)
        {
            setMaximumBlockCount(kMessageLines);
            setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        }

    protected:
        void mouseDoubleClickEvent(QMouseEvent* event) override
        {
            clear();
            event->accept();
        }
    };

    QString nameText(const std::string& name) { return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())); }

} // namespace

MainWindow::MainWindow(midi::MidiSession& session, const Options& options, QWidget* parent)
    : QMainWindow(parent)
    , m_session(session)
    , m_openMidiPortsAtStart(options.openMidiPortsAtStart)
    , m_settingsFile(options.settingsFile.isEmpty()
              ? settingsFileIn(platform::chooseFileLocations(QCoreApplication::applicationDirPath(), false))
              : options.settingsFile)
    , m_dialogs(options.dialogs ? *options.dialogs : m_ownDialogs)
{
    m_library = options.library;
    setObjectName(QStringLiteral("TfrmMain"));
    setWindowTitle(tr(kCaption));

    m_undoStack = new QUndoStack(this);
    m_undoStack->setUndoLimit(200);
    m_history = std::make_unique<StoreHistory>(
        m_store, *m_undoStack, [this](const StoreHistory::Rows& select) { onHistoryApplied(select); });
    buildMenus();
    buildToolBar();
    buildCentral();

    resize(773, 535);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));

    // The session's lines and received SysEx reach the window on the GUI thread.
    connect(&m_session, &midi::MidiSession::messageAdded, this, [this](const QString& line) { addMessage(line); });
    connectTransfer();
    connectLibrary();

    startUp();

    // The window's keys are read before the focused control sees them.
    m_keys.setWindowKeyHandler(this, [this](QKeyEvent* key) { return onWindowKey(key); });
}

MainWindow::~MainWindow()
{
    if (m_historyWindow)
        m_keys.setWindowKeyHandler(m_historyWindow, {});
    m_keys.setWindowKeyHandler(this, {});
}

// ---- construction ---------------------------------------------------------

void MainWindow::buildMenus()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    auto entry = [this](QMenu* menu, QAction*& field, const char* name, const QString& caption,
                        const QKeySequence& shortcut, void (MainWindow::*handler)()) {
        field = menu->addAction(caption);
        field->setObjectName(QString::fromLatin1(name));
        if (!shortcut.isEmpty())
            field->setShortcut(shortcut);
        if (handler)
            connect(field, &QAction::triggered, this, [this, handler] { runCommand(handler); });
    };
    auto menu = [bar](const char* name, const QString& caption) {
        QMenu* m = bar->addMenu(caption);
        m->setObjectName(QString::fromLatin1(name));
        return m;
    };

    QMenu* file = menu("File1", tr("&File"));
    entry(file, m_readCurrentSoundAction, "ReadCurrentSound1", tr("Read Current Sound (SysEx)"),
          QKeySequence(Qt::CTRL | Qt::Key_R), &MainWindow::onReadCurrentSound);
    entry(file, m_readBankAction, "A1", tr("Read Sound Bank (1 or 2) from Q-Lindorn"), {}, &MainWindow::onReadBank);
    entry(file, m_newListAction, "Newemptypatchlist1", tr("New empty Sound Banks"), {},
          &MainWindow::onNewList);
    entry(file, m_loadBankFileAction, "LoadFromfilepatchlist1", tr("Load from file Sound Banks"),
          QKeySequence(Qt::CTRL | Qt::Key_L), &MainWindow::onLoadBankFile);
    entry(file, m_saveBankFileAction, "SavetofileSoundBanks1", tr("Save to file Sound Banks"),
          QKeySequence(Qt::CTRL | Qt::Key_S), &MainWindow::onSaveBankFile);
    entry(file, m_saveSeparateFilesAction, "SavetoseparatefileSoundBanks1",
          tr("Save to separate file Sound Banks"), {}, &MainWindow::onSaveSeparateFiles);
    entry(file, m_sendSysExFileAction, "SendSysExfile1", tr("Send SysEx from file"), {},
          &MainWindow::onSendSysExFile);
    entry(file, m_sendSelectedAction, "SendSysExforselectedsounds1",
          tr("Send SysEx for selected sounds"), QKeySequence(Qt::CTRL | Qt::Key_W),
          &MainWindow::onSendSelected);
    file->addSeparator();
    entry(file, m_exitAction, "Exit1", tr("E&xit"), {}, &MainWindow::onExit);
    m_saveBankFileAction->setEnabled(false);
    m_saveSeparateFilesAction->setEnabled(false);
    m_sendSelectedAction->setEnabled(false);

    QMenu* edit = menu("Edit1", tr("Edit"));
    // Qt's own actions keep their texts ("Undo Move 3 sounds down"), but go
    // through the refusal while a send or a reception runs.
    auto history = [this, edit](QAction* action, const char* name, QKeySequence::StandardKey keys, void (MainWindow::*handler)()) {
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcuts(keys);
        disconnect(action, &QAction::triggered, nullptr, nullptr);
        connect(action, &QAction::triggered, this, [this, handler] { runCommand(handler); });
        edit->addAction(action);
        return action;
    };
    m_undoAction = history(m_undoStack->createUndoAction(this, tr("Undo")), "Undo1", QKeySequence::Undo, &MainWindow::onUndo);
    m_redoAction = history(m_undoStack->createRedoAction(this, tr("Redo")), "Redo1", QKeySequence::Redo, &MainWindow::onRedo);
    entry(edit, m_historyAction, "History1", tr("History"), {}, &MainWindow::onHistory);
    edit->addSeparator();
    entry(edit, m_selectAllAction, "SelectAll1", tr("Select All Sounds"), QKeySequence(Qt::CTRL | Qt::Key_A),
          &MainWindow::onSelectAll);
    // onKeyboardPlayer sets the check mark from the player's own state.
    entry(edit, m_keyboardAction, "Keyboard1", tr("Keyboard"), QKeySequence(Qt::CTRL | Qt::Key_K),
          &MainWindow::onKeyboardPlayer);
    m_keyboardAction->setCheckable(true);
    m_keyboardAction->setChecked(true);

    QMenu* system = menu("System1", tr("&System"));
    entry(system, m_midiSettingsAction, "Midi1", tr("Midi &Settings ..."), QKeySequence(Qt::CTRL | Qt::Key_D),
          &MainWindow::onMidiSettings);
    entry(system, m_autoloadSettingsAction, "Settings2", tr("&Zoreduzor Settings"), {}, &MainWindow::onAutoloadSettings);
    entry(system, m_deviceVersionAction, "DeviceVersion1", tr("Device Version"), {}, nullptr);
    m_deviceVersionAction->setEnabled(false);

    QMenu* tools = menu("Tools1", tr("&Tools"));
    entry(tools, m_orderByNameAction, "Orderbyname1", tr("Order by name"), QKeySequence(Qt::CTRL | Qt::Key_N),
          &MainWindow::onOrderByName);
    entry(tools, m_panicAction, "Panic1", tr("Panic"), QKeySequence(Qt::Key_F12), &MainWindow::onPanic);
    // Stays enabled when the library is off: choosing it then says why.
    entry(tools, m_soundLibraryAction, "SoundLibrary1", tr("Sound Library"), QKeySequence(Qt::CTRL | Qt::Key_B),
          &MainWindow::onSoundLibrary);

    QMenu* help = menu("Help1", tr("Help"));
    entry(help, m_aboutAction, "About1", tr("About"), {}, &MainWindow::onAbout);
    entry(help, m_videoAction, "Video1", tr("Video demonstration"), {}, &MainWindow::onVideo);
    entry(help, m_shortHelpAction, "Shorthelp1", tr("Short help"), QKeySequence(Qt::Key_F1),
          &MainWindow::onShortHelp);

    // Commands with a button and a window key but no menu entry.
    auto command = [this](QAction*& field, const char* name, void (MainWindow::*handler)()) {
        field = new QAction(this);
        field->setObjectName(QString::fromLatin1(name));
        connect(field, &QAction::triggered, this, [this, handler] { runCommand(handler); });
    };
    command(m_moveDownAction, "actionMoveDown", &MainWindow::onMoveDown);
    command(m_moveUpAction, "actionMoveUp", &MainWindow::onMoveUp);
    command(m_programDownAction, "actionProgramDown", &MainWindow::onProgramDown);
    command(m_programUpAction, "actionProgramUp", &MainWindow::onProgramUp);
    command(m_editSoundAction, "actionEditSound", &MainWindow::onSoundRandomizer);
    command(m_octaveDownAction, "actionOctaveDown", &MainWindow::onOctaveDown);
    command(m_octaveUpAction, "actionOctaveUp", &MainWindow::onOctaveUp);
    // Nothing is selected yet: moving has nothing to work on.
    m_moveDownAction->setEnabled(false);
    m_moveUpAction->setEnabled(false);
}

void MainWindow::bindButton(QAbstractButton* button, QAction* action)
{
    // The button is another way to trigger the action: it keeps its own
    // caption, and is enabled exactly while the action is.
    button->setEnabled(action->isEnabled());
    connect(button, &QAbstractButton::clicked, action, [action] { action->trigger(); });
    connect(action, &QAction::enabledChanged, button, &QWidget::setEnabled);
}

void MainWindow::buildToolBar()
{
    // A tool bar that wraps instead of hiding buttons behind an overflow
    // arrow: the captions are long and the window is narrow.
    auto* bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("ToolBar1"));
    auto* flow = new FlowLayout(bar, 1);
    flow->setContentsMargins(2, 2, 2, 2);
    setContextMenuPolicy(Qt::NoContextMenu);

    auto button = [this, bar, flow](QToolButton*& field, const char* name, const QString& caption, QAction* action) {
        field = new QToolButton(bar);
        field->setObjectName(QString::fromLatin1(name));
        field->setText(caption);
        field->setToolButtonStyle(Qt::ToolButtonTextOnly);
        field->setAutoRaise(true);
        // Reached by Tab, but a click leaves the focus in the list: Enter
        // there sends the selected sounds.
        field->setFocusPolicy(Qt::TabFocus);
        flow->addWidget(field);
        bindButton(field, action);
    };
    auto separator = [this, bar, flow] {
        auto* line = new QFrame(bar);
        line->setFrameShape(QFrame::VLine);
        line->setFrameShadow(QFrame::Sunken);
        line->setFixedSize(6, m_readCurrentSoundButton->sizeHint().height());
        flow->addWidget(line);
    };

    button(m_readCurrentSoundButton, "ToolButton1", tr("Read Current Sound from Q-Lindorn"), m_readCurrentSoundAction);
    button(m_sendSelectedButton, "btnSendPatch", tr("Send selected sound(s) to Q-Lindorn"),
           m_sendSelectedAction);
    separator();
    button(m_moveDownButton, "btnDown", tr("Move down"), m_moveDownAction);
    button(m_moveUpButton, "btnUP", tr("Move up"), m_moveUpAction);
    separator();
    button(m_programDownButton, "btnPrgDown", tr("Prg -"), m_programDownAction);
    button(m_programUpButton, "btnPrgUp", tr("Prg +"), m_programUpAction);
    separator();
    button(m_editSoundButton, "ToolButton6", tr("Edit Sound (F4)"), m_editSoundAction);
    separator();
    button(m_panicButton, "ToolButton8", tr("Panic"), m_panicAction);
}

void MainWindow::buildCentral()
{
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("pnlClient"));
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    if (auto* bar = findChild<QWidget*>(QStringLiteral("ToolBar1"), Qt::FindDirectChildrenOnly))
        column->addWidget(bar);

    auto* panel = new QWidget(central);
    panel->setObjectName(QStringLiteral("Panel1"));
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);

    m_messages = new MessagesBox(panel);
    m_messages->setObjectName(QStringLiteral("Memo1"));
    m_messages->setFixedWidth(kMessagesWidth);

    m_soundList = new SoundListView(panel);
    m_soundList->setObjectName(QStringLiteral("ListView1"));
    m_listModel = new SoundListModel(m_store, this);
    m_soundList->setModel(m_listModel);

    row->addWidget(m_messages);
    row->addWidget(m_soundList, 1);
    column->addWidget(panel, 1);

    buildKeyboardPanel();
    if (m_keyboardPanel)
        column->addWidget(m_keyboardPanel);

    setCentralWidget(central);

    connect(m_soundList, &SoundListView::rowSelectionChanged, this,
            [this](int r, bool selected) { guarded([=, this] { onRowSelectionChanged(r, selected); }); });
    connect(m_soundList, &SoundListView::leftPressed, this, [this](Qt::KeyboardModifiers modifiers) {
        if (modifiers & (Qt::ControlModifier | Qt::ShiftModifier))
            return;
        guarded([this] { onListLeftPressed(); });
    });
    connect(m_soundList, &SoundListView::rightPressed, this,
            [this](int r, bool ctrl) { guarded([=, this] { onListRightPressed(r, ctrl); }); });
    connect(m_soundList, &SoundListView::listDoubleClicked, this, [this] { guarded([this] { onListDoubleClicked(); }); });
    connect(m_soundList, &SoundListView::rowDropped, this,
            [this](int r) { guarded([=, this] { onRowsDropped(r); }); });
    connect(m_soundList, &SoundListView::soundsDropped, this,
            [this](int r, const std::vector<SoundDump>& sounds) { guarded([&] { putSounds(r, sounds); }); });
}

void MainWindow::startUp()
{
    // A failing step ends the start-up; what went before stays done. The
    // members start with their initial values already.
    try {
        m_receiver = new SysExDialog(this, *m_transfer);

        QString detectError;
        if (m_openMidiPortsAtStart
            && !midi::detectMidiPorts(m_session.choice(), m_session.midiService(), &detectError))
            addMessage(detectError);

        if (m_openMidiPortsAtStart) {
            QString error;
            if (!m_session.openOutput(&error)) {
                // The program cannot work without its output; main() ends it.
                // The window is never shown then, so the reason goes to the terminal.
                m_midiOpenFailed = true;
                if (!error.isEmpty())
                    std::fprintf(stderr, "%s\n", error.toLocal8Bit().constData());
                return;
            }
            // A missing input is not reported: receptions then end by the
            // dialog's timer or its Close button.
            QString inError;
            if (m_session.openInput(&inError) && !m_session.startInput())
                QMessageBox::warning(nullptr, QString::fromLatin1(kProgramName), tr("Midi IN Start error"));
            addMessage(m_session.portsLine());
        }

        readSettings();
    } catch (const std::exception& e) {
        addMessage(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        addMessage(tr("Start-up failed."));
    }
}

void MainWindow::guarded(const std::function<void()>& command)
{
    try {
        command();
    } catch (const std::exception& e) {
        addMessage(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        addMessage(tr("The command failed for an unknown reason; what it had done so far is kept."));
    }
}

// ---- Messages box ---------------------------------------------------------

void MainWindow::addMessage(const QString& text)
{
    if (QThread::currentThread() != thread()) {
        // Posted to our thread, where the lines of one thread arrive in the
        // order they were added.
        QMetaObject::invokeMethod(this, [this, text] { addMessage(text); }, Qt::QueuedConnection);
        return;
    }
    if (!m_messages) {
        std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
        return;
    }
    m_messages->appendPlainText(messageLine(text));
}

// ---- sound list -----------------------------------------------------------

void MainWindow::rebuildList()
{
    // As a list whose rows are made anew: nothing selected or current and
    // the top row in view, then the remembered selection.
    m_soundList->setUpdatesEnabled(false);
    m_soundList->clearSelection();
    m_soundList->selectionModel()->clearCurrentIndex();
    m_listModel->namesChanged();
    m_soundList->scrollToTop();
    m_soundList->selectRows(m_selectionList);
    m_soundList->setUpdatesEnabled(true);

    const bool any = m_store.count() > 0;
    m_saveBankFileAction->setEnabled(any);
    m_saveSeparateFilesAction->setEnabled(any);
}

void MainWindow::refreshRow(int row) { m_listModel->nameChanged(row); }

void MainWindow::refreshNames(bool selectionOnly)
{
    if (!selectionOnly)
        m_listModel->namesChanged();
    m_soundList->selectRows(m_selectionList);
}

void MainWindow::collectSelection() { m_selectionList = selectedRows(); }

std::vector<int> MainWindow::selectedRows() const { return m_soundList->selectedRowList(); }

int MainWindow::firstSelectedRow() const
{
    const auto rows = selectedRows();
    return rows.empty() ? -1 : rows.front();
}

// ---- list events ----------------------------------------------------------

void MainWindow::onRowSelectionChanged(int row, bool selected)
{
    Q_UNUSED(row);
    // A change of the selection ends a pending reception.
    m_transfer->selectionChanged();
    // The state follows the last event: deselecting one of several rows
    // greys the send command although others stay selected (Enter still
    // sends them), and the move commands stay as they are.
    if (selected) {
        m_moveUpAction->setEnabled(true);
        m_moveDownAction->setEnabled(true);
    }
    m_sendSelectedAction->setEnabled(selected);
}

void MainWindow::onListLeftPressed()
{
    const int r = firstSelectedRow();
    if (r < 0)
        return;
    m_currentProgram = r;
    selectProgram();
}

void MainWindow::selectProgram()
{
    m_currentProgram = std::clamp(m_currentProgram, 0, kSlotCount - 1);
    if (selectedRows().empty())
        m_soundList->setFocus();
    m_soundList->selectRows({ m_currentProgram });
    const QModelIndex index = m_soundList->model()->index(m_currentProgram, SoundListView::kIndexColumn);
    m_soundList->selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    m_soundList->scrollTo(index);

    m_session.sendControl(32, static_cast<std::uint8_t>(m_currentProgram / kProgramsPerBank + 1));
    m_session.sendProgramChange(0, static_cast<std::uint8_t>(m_currentProgram % kProgramsPerBank));
}

void MainWindow::setLastSaveLocation(int bank, int program)
{
    m_lastSaveBank = static_cast<std::uint8_t>(std::clamp(bank, 0, 1));
    m_lastSaveProgram = static_cast<std::uint8_t>(std::clamp(program, 0, kProgramsPerBank - 1));
}

void MainWindow::onProgramDown()
{
    guarded([this] {
        if (m_currentProgram > 0)
            --m_currentProgram;
        selectProgram();
    });
}

void MainWindow::onProgramUp()
{
    guarded([this] {
        if (m_currentProgram < kSlotCount - 1)
            ++m_currentProgram;
        selectProgram();
    });
}

void MainWindow::onSelectAll()
{
    guarded([this] {
        m_soundList->selectAll();
        m_soundList->setFocus();
    });
}

void MainWindow::onListDoubleClicked()
{
    const int r = firstSelectedRow();
    //: A command word, put into "Still sending the selected sounds; %1 again when sending has ended"
    if (!isValidSlot(r) || refuseWhileSending(tr("rename")))
        return;
    RenameDialog dialog(this);
    const QString name = nameText(m_store.getSoundName(r));
    dialog.setWindowTitle(name);
    dialog.setName(name);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const std::string stored = storableName(dialog.name().toStdU32String());
    const QString text = tr("Rename '%1' to '%2'").arg(withoutTrailingBlanks(name), withoutTrailingBlanks(QString::fromLatin1(stored)));
    const std::string before = m_store.getSoundName(r);
    changeStore(text, [&] {
        m_store.setSoundName(r, stored);
        // The remembered selection may be an old one (a move's); the rows
        // shown now are the ones Enter must send afterwards.
        collectSelection();
        refreshNames(false);
    });
    if (m_store.getSoundName(r) != before)
        archiveSlots({ r }, library::sources::renamed(SoundListModel::indexText(r).toInt()));
}

void MainWindow::onSoundRandomizer()
{
    guarded([this] {
        int r = firstSelectedRow();
        if (r < 0) {
            r = 0;
            m_soundList->selectRows({ 0 });
        }
        if (!m_editorLauncher)
            return;
        SoundDump workingCopy = m_store.slot(r);
        // However the editor ended, its copy goes back into the slot, as
        // one step (none when it comes back unchanged).
        const auto writeBack = [&] {
            SoundStore probe;
            probe.slot(0) = workingCopy;
            const QString text = tr("Edit '%1'").arg(withoutTrailingBlanks(nameText(probe.getSoundName(0))));
            changeStore(text, [&] {
                m_store.slot(r) = workingCopy;
                refreshRow(r);
            });
        };
        try {
            m_editorLauncher(*this, workingCopy);
        } catch (...) {
            writeBack();
            throw;
        }
        const bool changed = m_store.slot(r) != workingCopy;
        writeBack();
        // A randomized sound the user kept comes back this way too.
        if (changed)
            archiveSlots({ r }, library::sources::editedFrom(SoundListModel::indexText(r).toInt()));
    });
}

// ---- commands -------------------------------------------------------------

void MainWindow::onNewList()
{
    guarded([this] {
        //: A command word, put into "Still sending the selected sounds; %1 again when sending has ended"
        if (refuseWhileSending(tr("New empty Sound Banks")))
            return;
        changeStore(tr("New empty banks"), [this] {
            m_store.resetSoundNames();
            rebuildList();
        });
    });
}

void MainWindow::onSendSysExFile()
{
    guarded([this] {
        const QString path = m_dialogs.openFile(this);
        if (!path.isEmpty())
            sendSysExFile(path);
    });
}

void MainWindow::sendSysExFile(const QString& path)
{
    guarded([this, &path] {
        QString error;
        if (!m_session.sendSysExFile(path, &error))
            addMessage(error.isEmpty() ? tr("The file %1 was not sent.").arg(path) : error);
    });
}

void MainWindow::onExit() { close(); }

void MainWindow::onPanic()
{
    guarded([this] { m_session.panic(); });
}

void MainWindow::onAbout()
{
    guarded([this] {
        QMessageBox::about(this, tr("About"),
                           tr("%1\nVersion %2\nSound librarian, editor and restricted randomizer\n\n%3")
                               .arg(QString::fromLatin1(kProgramName), QString::fromLatin1(kVersion),
                                   QString::fromLatin1(kContactAddress)));
    });
}

void MainWindow::onVideo()
{
    guarded([this] {
        const QUrl url(QString::fromLatin1(kVideoAddress));
        if (!QDesktopServices::openUrl(url))
            addMessage(tr("No web browser could be started for %1; open the address in a browser yourself.")
                           .arg(url.toString()));
    });
}

void MainWindow::onShortHelp()
{
    guarded([this] {
        HelpWindow help(this);
        help.exec();
    });
}

// ---- history --------------------------------------------------------------

void MainWindow::changeStore(const QString& stepText, const std::function<void()>& change, int mergeId)
{
    StoreHistory::Change before = m_history->begin(selectedRows());
    try {
        change();
    } catch (...) {
        // What did change stays undoable.
        m_history->commit(std::move(before), stepText, selectedRows(), static_cast<StoreHistory::MergeId>(mergeId));
        throw;
    }
    m_history->commit(std::move(before), stepText, selectedRows(), static_cast<StoreHistory::MergeId>(mergeId));
}

void MainWindow::onHistoryApplied(const StoreHistory::Rows& select)
{
    m_selectionList = select;
    refreshNames(false);
}

void MainWindow::onUndo()
{
    //: A command word, put into "Still sending the selected sounds; %1 again when sending has ended"
    if (m_moveRunning || refuseWhileSending(tr("undo")))
        return;
    m_undoStack->undo();
}

void MainWindow::onRedo()
{
    //: A command word, put into "Still sending the selected sounds; %1 again when sending has ended"
    if (m_moveRunning || refuseWhileSending(tr("redo")))
        return;
    m_undoStack->redo();
}

void MainWindow::onHistory()
{
    if (!m_historyWindow) {
        // Not modal: the list stays usable while the history is shown.
        m_historyWindow = new QWidget(this, Qt::Window);
        m_historyWindow->setObjectName(QStringLiteral("frmHistory"));
        m_historyWindow->setWindowTitle(tr("History"));
        auto* layout = new QVBoxLayout(m_historyWindow);
        m_historyView = new QUndoView(m_undoStack, m_historyWindow);
        m_historyView->setObjectName(QStringLiteral("lstHistory"));
        m_historyView->setEmptyLabel(tr("<empty>"));
        m_historyView->setEnabled(!sendingSelected());
        layout->addWidget(m_historyView);
        m_historyWindow->resize(320, 360);
        // The window keys (F4, Enter, the octave keys) work here as in the list.
        m_keys.setWindowKeyHandler(m_historyWindow, [this](QKeyEvent* key) { return onWindowKey(key); });
    }
    m_historyWindow->show();
    m_historyWindow->raise();
    m_historyWindow->activateWindow();
}

// ---- window events --------------------------------------------------------

void MainWindow::changeEvent(QEvent* event)
{
    // Received sounds are accepted again once the window is active: a sound
    // the synthesizer sends by itself after a read is stored as well.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && m_transfer)
        m_transfer->windowActivated();
    QMainWindow::changeEvent(event);
}

void MainWindow::runCommand(void (MainWindow::*handler)())
{
    guarded([this, handler] { (this->*handler)(); });
}

void MainWindow::runWindowKey(const QKeyEvent* event)
{
    // These keys are not shortcuts: the focused control still gets them
    // (Enter in the Messages box starts a new line there as well), and they
    // work while the matching menu entry or button is greyed.
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    const bool ctrl = modifiers.testFlag(Qt::ControlModifier);
    const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
    // X and Z are the player's octave keys: by their place, like its notes.
    // With Ctrl, Alt or Meta they belong to a shortcut (Ctrl+Z is Undo).
    const bool chord = ctrl || modifiers.testFlag(Qt::AltModifier) || modifiers.testFlag(Qt::MetaModifier);
    void (MainWindow::*handler)() = nullptr;
    switch (platform::KeyState::physicalKey(event)) {
    case Qt::Key_X:
        if (!chord)
            handler = &MainWindow::onOctaveUp;
        break;
    case Qt::Key_Z:
        if (!chord)
            handler = &MainWindow::onOctaveDown;
        break;
    case Qt::Key_Plus:
        if (keypad)
            handler = ctrl ? &MainWindow::onMoveDown : &MainWindow::onProgramUp;
        break;
    case Qt::Key_Minus:
        if (keypad)
            handler = ctrl ? &MainWindow::onMoveUp : &MainWindow::onProgramDown;
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        handler = &MainWindow::onSendSelected;
        break;
    case Qt::Key_F4:
        handler = &MainWindow::onSoundRandomizer;
        break;
    default:
        break;
    }
    if (handler)
        runCommand(handler);
}

bool MainWindow::menuShortcutWins(const QKeyEvent* event) const
{
    // The menu's shortcuts win over a control's own use of the same keys
    // (Ctrl+A in the Messages box selects all sounds, as everywhere).
    const QKeySequence pressed(event->keyCombination());
    for (const QAction* action : findChildren<QAction*>()) {
        if (action->isEnabled() && action->shortcuts().contains(pressed))
            return true;
    }
    return false;
}

bool MainWindow::onWindowKey(QKeyEvent* event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        return menuShortcutWins(event);
    case QEvent::KeyPress:
        runWindowKey(event);
        return swallowsPlayerLetter(event);
    default:
        return false;
    }
}

} // namespace sondrake
