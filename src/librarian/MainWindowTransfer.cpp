// Receiving sounds from the synthesizer and sending the selected ones.
#include "librarian/MainWindow.h"

#include "midi/MidiSession.h"
#include "midi/PortDetection.h"
#include "midi/Reception.h"
#include "midi/SendSelected.h"
#include "midi/MidiSettingsDialog.h"
#include "midi/SysExDialog.h"
#include "platform/Messages.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPointer>
#include <QAction>

#include <exception>

namespace sondrake {

namespace {

const QString kSenderName = QStringLiteral("SendSelectedSounds");

void closeMidiIn(midi::MidiSession& session)
{
    try {
        if (session.isInputOpen() && session.stopInput())
            session.closeInput();
    } catch (const std::exception& e) {
        addMessage(QString::fromLocal8Bit(e.what()));
    }
}

void openMidiIn(midi::MidiSession& session, QWidget* parent)
{
    try {
        QString error;
        // A device that cannot be opened is not reported: the program runs
        // without input and every wait ends by the timer or Close.
        if (!session.openInput(&error))
            return;
        if (!session.startInput())
            QMessageBox::critical(parent, QCoreApplication::applicationName(), QStringLiteral("Midi IN Start error"));
    } catch (const std::exception& e) {
        addMessage(QString::fromLocal8Bit(e.what()));
    }
}

// Ending the program here, as the synthesizer's old editor did, would throw
// away every sound received or edited since the last save. The box still
// says what went wrong; the session opens the port once it is there.
void openMidiOut(midi::MidiSession& session, QWidget* parent)
{
    try {
        QString error;
        if (!session.openOutput(&error)) {
            QMessageBox::critical(parent, QCoreApplication::applicationName(), QStringLiteral("Midi Open error"));
            addMessage(QStringLiteral("The MIDI output could not be opened: %1 Nothing is sent until it is open; "
                                      "it is opened by itself once it is there, or choose another under System, "
                                      "Midi Settings (Ctrl+D).")
                           .arg(error.isEmpty() ? QString() : error + QLatin1Char(' ')));
        }
    } catch (const std::exception& e) {
        addMessage(QString::fromLocal8Bit(e.what()));
    }
}

} // namespace

bool MainWindow::sendingSelected() const
{
    auto* sender = findChild<midi::SendSelected*>(kSenderName, Qt::FindDirectChildrenOnly);
    return sender && sender->isRunning();
}

bool MainWindow::refuseWhileSending(const QString& command)
{
    if (!sendingSelected())
        return false;
    addMessage(QStringLiteral("Still sending the selected sounds; %1 again when sending has ended").arg(command));
    return true;
}

void MainWindow::onReadCurrentSound()
{
    guarded([this] {
        // A read shares the dialog and the stack with the send: it would take
        // the send's token, and the send's end would close the read's wait.
        if (refuseWhileSending(QStringLiteral("read")))
            return;
        ByteStack& stack = byteStack();
        stack.clear();
        const int r = firstSelectedRow();
        // With no row selected the pair is (0, 255): the request itself is
        // fixed, and a sound without location then finds no slot.
        stack.push(static_cast<std::uint8_t>(r / kProgramsPerBank));
        stack.push(static_cast<std::uint8_t>(r % kProgramsPerBank));
        readSoundDumps();
    });
}

void MainWindow::onReadBank()
{
    guarded([this] {
        if (refuseWhileSending(QStringLiteral("read")))
            return;
        ByteStack& stack = byteStack();
        stack.clear();
        for (int n = kProgramsPerBank - 1; n >= 0; --n) {
            stack.push(1);
            stack.push(static_cast<std::uint8_t>(n));
        }
        readSoundDumps();
    });
}

void MainWindow::readSoundDumps()
{
    try {
        suspendKeyboardPlayer();
    } catch (const std::exception& e) {
        addMessage(QString::fromLocal8Bit(e.what()));
    }
    try {
        m_reception.receiveMode = midi::kReceiveSound;
        startReception(int(midi::kFirstArmLength));
        // The wait: sounds keep arriving through queued calls while the
        // dialog's own event loop runs, and its timer or Close ends it.
        if (m_receiver)
            m_receiver->exec();
        stopReception();
    } catch (const std::exception& e) {
        addMessage(QString::fromLocal8Bit(e.what()));
    }
    for (QAction* command : { m_programDownAction, m_programUpAction, m_moveDownAction, m_moveUpAction })
        command->setEnabled(true);
    try {
        collectSelection(); // not an older remembered selection
        refreshNames(false);
    } catch (const std::exception& e) {
        addMessage(QString::fromLocal8Bit(e.what()));
    }
}

midi::Reception MainWindow::reception()
{
    // Built per use: it holds nothing but references, and the window
    // outlives every use.
    midi::ReceptionHooks hooks;
    hooks.selectedRow = [this] { return firstSelectedRow(); };
    hooks.refreshRow = [this](int row) { refreshRow(row); };
    hooks.addMessage = [this](const QString& text) { addMessage(text); };
    hooks.setLabel = [this](const QString& text) {
        if (m_receiver)
            m_receiver->setLabelText(text);
    };
    hooks.sendDumpRequest = [this](std::uint8_t bank, std::uint8_t program) {
        m_session.sendDumpRequest(m_session.deviceId(), bank, program);
    };
    hooks.arm = [this](std::size_t length) { return m_session.armInput(length); };
    return midi::Reception(m_reception, m_store, byteStack(), std::move(hooks));
}

void MainWindow::receiveSoundsWithoutDialog(bool on)
{
    m_reception.receiveMode = on ? midi::kReceiveSound : midi::kReceiveNothing;
    m_reception.receiving = on;
    if (on)
        m_reception.receivedCount = 0;
}

void MainWindow::startReception(int length)
{
    reception().start(length > 0 ? std::size_t(length) : midi::kFirstArmLength);
}

void MainWindow::stopReception()
{
    reception().stop();
}

void MainWindow::armInputBuffer(int length)
{
    reception().armInputBuffer(length > 0 ? std::size_t(length) : midi::kNextArmLength);
}

void MainWindow::handleReceived(const midi::ReceivedSysEx& message)
{
    reception().onMidiInput(message);
}

void MainWindow::onSendSelected()
{
    guarded([this] {
        if (m_moveRunning) {
            // The rows are still moving; sending now would send them half-way.
            addMessage(QStringLiteral("Still moving the selected sounds; send again when they have arrived"));
            return;
        }
        auto* sender = findChild<midi::SendSelected*>(kSenderName, Qt::FindDirectChildrenOnly);
        if (!sender) {
            midi::SendSelectedHooks hooks;
            hooks.keyboardRunning = [this] { return keyboardRunning(); };
            hooks.switchKeyboardOff = [this] { onKeyboardPlayer(); };
            hooks.selectedRows = [this] { return selectedRows(); };
            hooks.showDialog = [this] {
                if (!m_receiver)
                    return;
                m_receiver->show();
                m_receiver->raise();
                m_receiver->activateWindow();
                m_receiver->setFocus();
            };
            hooks.hideDialog = [this] {
                if (m_receiver)
                    m_receiver->hide();
            };
            hooks.setLabel = [this](const QString& text) {
                if (m_receiver)
                    m_receiver->setLabelText(text);
            };
            hooks.sendSlot = [this](int slot) { m_session.sendStoreSlot(store(), slot); };
            hooks.addMessage = [this](const QString& text) { addMessage(text); };
            sender = new midi::SendSelected(store(), byteStack(), m_reception.receiving, std::move(hooks), this);
            sender->setObjectName(kSenderName);
        }
        // A held Enter key repeats: one line per running send is enough.
        if (!sender->start() && sender->refusedStarts() == 1)
            addMessage(QStringLiteral("Still sending the selected sounds; the new request is ignored"));
    });
}

void MainWindow::onMidiSettings()
{
    guarded([this] {
        midi::MidiReopen reopen;
        reopen.closeIn = [this] { closeMidiIn(m_session); };
        reopen.openIn = [this] { openMidiIn(m_session, this); };
        reopen.closeOut = [this] { m_session.closeOutput(); };
        reopen.openOut = [this] { openMidiOut(m_session, this); };
        midi::runMidiSettings(this, m_session.choice(), midi::inputDeviceNames(), midi::outputDeviceNames(), reopen);
    });
}

} // namespace sondrake
