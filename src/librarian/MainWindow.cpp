// The main window: construction and start-up, the sound list and its
// selection, the Messages box, program selection, rename, the entry to the
// sound editor, help, about, panic and sending a file.
#include "librarian/MainWindow.h"

#include "librarian/FlowLayout.h"
#include "librarian/LibrarianDialogs.h"
#include "librarian/SoundListView.h"
#include "librarian/HelpWindow.h"
#include "librarian/RenameDialog.h"
#include "midi/MidiSession.h"
#include "midi/PortDetection.h"
#include "midi/SysExDialog.h"
#include "platform/KeyState.h"
#include "platform/Messages.h"
#include "sondrake/Version.h"

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
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace sondrake {

namespace {

    bool openMidiPortsAtStart = true;

    const char* const kCaption = "Halvorne Q-Lindorn Sondrake - Sound Editor - Sound Restrictioned Randomizer";
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

void MainWindow::setOpenMidiPortsAtStart(bool open) { openMidiPortsAtStart = open; }

MainWindow::MainWindow(midi::MidiSession& session, QWidget* parent)
    : QMainWindow(parent)
    , m_session(session)
{
    setObjectName(QStringLiteral("TfrmMain"));
    setWindowTitle(QString::fromLatin1(kCaption));

    buildMenus();
    buildToolBar();
    buildCentral();

    resize(773, 535);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));

    // Every layer's failures end up in our Messages box from now on.
    setMessageSink([window = QPointer<MainWindow>(this)](const QString& text) {
        if (window)
            window->AddMessage(text);
        else
            std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    });

    // The session's lines and received SysEx reach the window on the GUI thread.
    connect(&m_session, &midi::MidiSession::messageAdded, this, [this](const QString& line) { AddMessage(line); });
    connect(&m_session, &midi::MidiSession::sysExReceived, this,
            [this](const midi::ReceivedSysEx& message) { guarded([this, &message] { handleReceived(message); }); });

    FormCreate();

    // The window's keys are read before the focused control sees them.
    platform::KeyState::instance().setWindowKeyHandler(this, [this](QKeyEvent* key) { return onWindowKey(key); });
}

MainWindow::~MainWindow()
{
    platform::KeyState::instance().setWindowKeyHandler(this, {});
    setMessageSink(nullptr);
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

    QMenu* file = menu("File1", QStringLiteral("&File"));
    entry(file, ReadCurrentSound1, "ReadCurrentSound1", QStringLiteral("Read Current Sound (SysEx)"),
          QKeySequence(Qt::CTRL | Qt::Key_R), &MainWindow::onReadCurrentSound);
    entry(file, A1, "A1", QStringLiteral("Read Sound Bank (1 or 2) from Q-Lindorn"), {}, &MainWindow::onReadBank);
    entry(file, Newemptypatchlist1, "Newemptypatchlist1", QStringLiteral("New empty Sound Banks"), {},
          &MainWindow::onNewList);
    entry(file, LoadFromfilepatchlist1, "LoadFromfilepatchlist1", QStringLiteral("Load from file Sound Banks"),
          QKeySequence(Qt::CTRL | Qt::Key_L), &MainWindow::onLoadBankFile);
    entry(file, SavetofileSoundBanks1, "SavetofileSoundBanks1", QStringLiteral("Save to file Sound Banks"),
          QKeySequence(Qt::CTRL | Qt::Key_S), &MainWindow::onSaveBankFile);
    entry(file, SavetoseparatefileSoundBanks1, "SavetoseparatefileSoundBanks1",
          QStringLiteral("Save to separate file Sound Banks"), {}, &MainWindow::onSaveSeparateFiles);
    entry(file, SendSysExfile1, "SendSysExfile1", QStringLiteral("Send SysEx from file"), {},
          &MainWindow::onSendSysExFile);
    entry(file, SendSysExforselectedsounds1, "SendSysExforselectedsounds1",
          QStringLiteral("Send SysEx for selected sounds"), QKeySequence(Qt::CTRL | Qt::Key_W),
          &MainWindow::onSendSelected);
    file->addSeparator();
    entry(file, Exit1, "Exit1", QStringLiteral("E&xit"), {}, &MainWindow::onExit);
    SavetofileSoundBanks1->setEnabled(false);
    SavetoseparatefileSoundBanks1->setEnabled(false);
    SendSysExforselectedsounds1->setEnabled(false);

    QMenu* edit = menu("Edit1", QStringLiteral("Edit"));
    entry(edit, SelectAll1, "SelectAll1", QStringLiteral("Select All Sounds"), QKeySequence(Qt::CTRL | Qt::Key_A),
          &MainWindow::onSelectAll);
    // onKeyboardPlayer sets the check mark from the player's own state.
    entry(edit, Keyboard1, "Keyboard1", QStringLiteral("Keyboard"), QKeySequence(Qt::CTRL | Qt::Key_K),
          &MainWindow::onKeyboardPlayer);
    Keyboard1->setCheckable(true);
    Keyboard1->setChecked(true);

    QMenu* system = menu("System1", QStringLiteral("&System"));
    entry(system, Midi1, "Midi1", QStringLiteral("Midi &Settings ..."), QKeySequence(Qt::CTRL | Qt::Key_D),
          &MainWindow::onMidiSettings);
    entry(system, Settings2, "Settings2", QStringLiteral("&Zoreduzor Settings"), {}, &MainWindow::onAutoloadSettings);
    entry(system, DeviceVersion1, "DeviceVersion1", QStringLiteral("Device Version"), {}, nullptr);
    DeviceVersion1->setEnabled(false);

    QMenu* tools = menu("Tools1", QStringLiteral("&Tools"));
    entry(tools, Orderbyname1, "Orderbyname1", QStringLiteral("Order by name"), QKeySequence(Qt::CTRL | Qt::Key_N),
          &MainWindow::onOrderByName);
    entry(tools, Panic1, "Panic1", QStringLiteral("Panic"), QKeySequence(Qt::Key_F12), &MainWindow::onPanic);

    QMenu* help = menu("Help1", QStringLiteral("Help"));
    entry(help, About1, "About1", QStringLiteral("About"), {}, &MainWindow::onAbout);
    entry(help, Video1, "Video1", QStringLiteral("Video demonstration"), {}, &MainWindow::onVideo);
    entry(help, Shorthelp1, "Shorthelp1", QStringLiteral("Short help"), QKeySequence(Qt::Key_F1),
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
        line->setFixedSize(6, ToolButton1->sizeHint().height());
        flow->addWidget(line);
    };

    button(ToolButton1, "ToolButton1", QStringLiteral("Read Current Sound from Q-Lindorn"), ReadCurrentSound1);
    button(btnSendPatch, "btnSendPatch", QStringLiteral("Send selected sound(s) to Q-Lindorn"),
           SendSysExforselectedsounds1);
    separator();
    button(btnDown, "btnDown", QStringLiteral("Move down"), m_moveDownAction);
    button(btnUP, "btnUP", QStringLiteral("Move up"), m_moveUpAction);
    separator();
    button(btnPrgDown, "btnPrgDown", QStringLiteral("Prg -"), m_programDownAction);
    button(btnPrgUp, "btnPrgUp", QStringLiteral("Prg +"), m_programUpAction);
    separator();
    button(ToolButton6, "ToolButton6", QStringLiteral("Edit Sound (F4)"), m_editSoundAction);
    separator();
    button(ToolButton8, "ToolButton8", QStringLiteral("Panic"), Panic1);
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

    Memo1 = new MessagesBox(panel);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setFixedWidth(kMessagesWidth);

    ListView1 = new SoundListView(panel);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    m_listModel = new SoundListModel(m_store, this);
    ListView1->setModel(m_listModel);

    row->addWidget(Memo1);
    row->addWidget(ListView1, 1);
    column->addWidget(panel, 1);

    buildKeyboardPanel();
    if (pnlKeyboard)
        column->addWidget(pnlKeyboard);

    setCentralWidget(central);

    connect(ListView1, &SoundListView::rowSelectionChanged, this,
            [this](int r, bool selected) { guarded([=, this] { ListView1SelectItem(r, selected); }); });
    connect(ListView1, &SoundListView::leftPressed, this, [this](Qt::KeyboardModifiers modifiers) {
        if (modifiers & (Qt::ControlModifier | Qt::ShiftModifier))
            return;
        guarded([this] { ListView1LeftClick(); });
    });
    connect(ListView1, &SoundListView::rightPressed, this,
            [this](int r, bool ctrl) { guarded([=, this] { ListView1RightClick(r, ctrl); }); });
    connect(ListView1, &SoundListView::listDoubleClicked, this, [this] { guarded([this] { ListView1DblClick(); }); });
    connect(ListView1, &SoundListView::rowDropped, this,
            [this](int r) { guarded([=, this] { ListView1DragDrop(r); }); });
}

void MainWindow::FormCreate()
{
    // A failing step ends the start-up; what went before stays done.
    try {
        KeyState.fill(0);

        frmSysExReceiver = new SysExDialog(this, Receiving, ReceivedCount);
        ReceiveMode = 0;

        if (openMidiPortsAtStart)
            midi::DetectMidiPorts(m_session.choice());

        CurrentProgram = 0;
        setOctave(4);
        SendDelayMs = 155;
        SettingsWritten = false;

        if (openMidiPortsAtStart) {
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
                QMessageBox::warning(nullptr, QString::fromLatin1(kProgramName), QStringLiteral("Midi IN Start error"));
            AddMessage(m_session.portsLine());
        }

        ReadSettings();

        lastSaveBank = 0;
        lastSaveProgram = 0;
    } catch (const std::exception& e) {
        AddMessage(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        AddMessage(QStringLiteral("Start-up failed."));
    }
}

void MainWindow::guarded(const std::function<void()>& command)
{
    try {
        command();
    } catch (const std::exception& e) {
        AddMessage(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        AddMessage(QStringLiteral("The command failed for an unknown reason; what it had done so far is kept."));
    }
}

// ---- Messages box ---------------------------------------------------------

void MainWindow::AddMessage(const QString& text)
{
    if (QThread::currentThread() != thread()) {
        // Back through the thread-safe route, which posts to our thread.
        sondrake::AddMessage(text);
        return;
    }
    if (!Memo1) {
        std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
        return;
    }
    Memo1->appendPlainText(messageLine(text));
}

// ---- sound list -----------------------------------------------------------

void MainWindow::RebuildList()
{
    // As a list whose rows are made anew: nothing selected or current and
    // the top row in view, then the remembered selection.
    ListView1->setUpdatesEnabled(false);
    ListView1->clearSelection();
    ListView1->selectionModel()->clearCurrentIndex();
    m_listModel->namesChanged();
    ListView1->scrollToTop();
    ListView1->selectRows(SelectionList);
    ListView1->setUpdatesEnabled(true);

    const bool any = m_store.count() > 0;
    SavetofileSoundBanks1->setEnabled(any);
    SavetoseparatefileSoundBanks1->setEnabled(any);
}

void MainWindow::RefreshRow(int row) { m_listModel->nameChanged(row); }

void MainWindow::RefreshNames(bool selectionOnly)
{
    if (!selectionOnly)
        m_listModel->namesChanged();
    ListView1->selectRows(SelectionList);
}

void MainWindow::CollectSelection() { SelectionList = selectedRows(); }

std::vector<int> MainWindow::selectedRows() const { return ListView1->selectedRowList(); }

int MainWindow::firstSelectedRow() const
{
    const auto rows = selectedRows();
    return rows.empty() ? -1 : rows.front();
}

// ---- list events ----------------------------------------------------------

void MainWindow::ListView1SelectItem(int row, bool selected)
{
    Q_UNUSED(row);
    // A change of the selection ends a pending reception.
    Receiving = false;
    byteStack().clear();
    // The state follows the last event: deselecting one of several rows
    // greys the send command although others stay selected (Enter still
    // sends them), and the move commands stay as they are.
    if (selected) {
        m_moveUpAction->setEnabled(true);
        m_moveDownAction->setEnabled(true);
    }
    SendSysExforselectedsounds1->setEnabled(selected);
}

void MainWindow::ListView1LeftClick()
{
    const int r = firstSelectedRow();
    if (r < 0)
        return;
    CurrentProgram = r;
    SelectProgram();
}

void MainWindow::SelectProgram()
{
    CurrentProgram = std::clamp(CurrentProgram, 0, kSlotCount - 1);
    if (selectedRows().empty())
        ListView1->setFocus();
    ListView1->selectRows({ CurrentProgram });
    const QModelIndex index = ListView1->model()->index(CurrentProgram, SoundListView::kIndexColumn);
    ListView1->selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    ListView1->scrollTo(index);

    m_session.sendControl(32, static_cast<std::uint8_t>(CurrentProgram / kProgramsPerBank + 1));
    m_session.sendProgramChange(0, static_cast<std::uint8_t>(CurrentProgram % kProgramsPerBank));
}

void MainWindow::onProgramDown()
{
    guarded([this] {
        if (CurrentProgram > 0)
            --CurrentProgram;
        SelectProgram();
    });
}

void MainWindow::onProgramUp()
{
    guarded([this] {
        if (CurrentProgram < kSlotCount - 1)
            ++CurrentProgram;
        SelectProgram();
    });
}

void MainWindow::onSelectAll()
{
    guarded([this] {
        ListView1->selectAll();
        ListView1->setFocus();
    });
}

void MainWindow::ListView1DblClick()
{
    const int r = firstSelectedRow();
    if (!isValidSlot(r) || refuseWhileSending(QStringLiteral("rename")))
        return;
    RenameDialog dialog(this);
    const QString name = nameText(m_store.getSoundName(r));
    dialog.setWindowTitle(name);
    dialog.edtName->setText(name);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_store.setSoundName(r, dialog.edtName->text().toLatin1().toStdString());
    // The remembered selection may be an old one (a move's); the rows shown
    // now are the ones Enter must send afterwards.
    CollectSelection();
    RefreshNames(false);
}

void MainWindow::onSoundRandomizer()
{
    guarded([this] {
        int r = firstSelectedRow();
        if (r < 0) {
            r = 0;
            ListView1->selectRows({ 0 });
        }
        if (!m_editorLauncher)
            return;
        SoundDump workingCopy = m_store.slot(r);
        try {
            m_editorLauncher(*this, workingCopy);
        } catch (...) {
            // However the editor ended, its copy goes back into the slot.
            m_store.slot(r) = workingCopy;
            RefreshRow(r);
            throw;
        }
        m_store.slot(r) = workingCopy;
        RefreshRow(r);
    });
}

// ---- commands -------------------------------------------------------------

void MainWindow::onNewList()
{
    guarded([this] {
        if (refuseWhileSending(QStringLiteral("New empty Sound Banks")))
            return;
        m_store.resetSoundNames();
        RebuildList();
    });
}

void MainWindow::onSendSysExFile()
{
    guarded([this] {
        const QString path = librarianDialogs().openFile(this);
        if (!path.isEmpty())
            sendSysExFile(path);
    });
}

void MainWindow::sendSysExFile(const QString& path)
{
    guarded([this, &path] {
        QString error;
        if (!m_session.sendSysExFile(path, &error))
            AddMessage(error.isEmpty() ? QStringLiteral("The file %1 was not sent.").arg(path) : error);
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
        QMessageBox::about(this, QStringLiteral("About"),
                           QStringLiteral("%1\nVersion %2\nSound librarian, editor and restricted randomizer\n\n%3")
                               .arg(QString::fromLatin1(kProgramName), QString::fromLatin1(kVersion),
                                   QString::fromLatin1(kContactAddress)));
    });
}

void MainWindow::onVideo()
{
    guarded([this] {
        const QUrl url(QString::fromLatin1(kVideoAddress));
        if (!QDesktopServices::openUrl(url))
            AddMessage(QStringLiteral("No web browser could be started for %1; open the address in a browser yourself.")
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

// ---- window events --------------------------------------------------------

void MainWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Receiving = true;
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
    switch (platform::KeyState::physicalKey(event)) {
    case Qt::Key_X:
        return runCommand(&MainWindow::onOctaveUp);
    case Qt::Key_Z:
        return runCommand(&MainWindow::onOctaveDown);
    case Qt::Key_Plus:
        if (keypad)
            runCommand(ctrl ? &MainWindow::onMoveDown : &MainWindow::onProgramUp);
        return;
    case Qt::Key_Minus:
        if (keypad)
            runCommand(ctrl ? &MainWindow::onMoveUp : &MainWindow::onProgramDown);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return runCommand(&MainWindow::onSendSelected);
    case Qt::Key_F4:
        return runCommand(&MainWindow::onSoundRandomizer);
    default:
        return;
    }
}

bool MainWindow::menuShortcutWins(const QKeyEvent* event) const
{
    // The menu's shortcuts win over a control's own use of the same keys
    // (Ctrl+A in the Messages box selects all sounds, as everywhere).
    const QKeySequence pressed(event->keyCombination());
    for (const QAction* action : findChildren<QAction*>()) {
        if (action->isEnabled() && !action->shortcut().isEmpty() && action->shortcut() == pressed)
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
