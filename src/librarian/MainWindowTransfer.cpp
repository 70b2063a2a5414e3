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

// The reception logic over this window's fields and list. Built per use: it
// holds nothing but references, and the window outlives every use.
midi::Reception reception(MainWindow& window)
{
    midi::ReceptionHooks hooks;
    hooks.selectedRow = [&window] { return window.firstSelectedRow(); };
    hooks.refreshRow = [&window](int row) { window.RefreshRow(row); };
    hooks.addMessage = [&window](const QString& text) { window.AddMessage(text); };
    hooks.setLabel = [&window](const QString& text) {
        if (auto* dialog = window.receiver())
            dialog->setLabelText(text);
    };
    hooks.sendDumpRequest = [&window](std::uint8_t bank, std::uint8_t program) {
        window.midiSession().sendDumpRequest(window.midiSession().deviceId(), bank, program);
    };
    hooks.arm = [&window](std::size_t length) { return window.midiSession().armInput(length); };
    return midi::Reception({window.ReceiveMode, window.Receiving, window.ReceivedCount, window.ReceptionRequest}, window.store(),
                           byteStack(), std::move(hooks));
}

void closeMidiIn(midi::MidiSession& session)
{
    try {
        if (session.isInputOpen() && session.stopInput())
            session.closeInput();
    } catch (const std::exception& e) {
        AddMessage(QString::fromLocal8Bit(e.what()));
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
        AddMessage(QString::fromLocal8Bit(e.what()));
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
            AddMessage(QStringLiteral("The MIDI output could not be opened: %1 Nothing is sent until it is open; "
                                      "it is opened by itself once it is there, or choose another under System, "
                                      "Midi Settings (Ctrl+D).")
                           .arg(error.isEmpty() ? QString() : error + QLatin1Char(' ')));
        }
    } catch (const std::exception& e) {
        AddMessage(QString::fromLocal8Bit(e.what()));
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
    AddMessage(QStringLiteral("Still sending the selected sounds; %1 again when sending has ended").arg(command));
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
        ReadSoundDumps();
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
        ReadSoundDumps();
    });
}

void MainWindow::ReadSoundDumps()
{
    try {
        suspendKeyboardPlayer();
    } catch (const std::exception& e) {
        AddMessage(QString::fromLocal8Bit(e.what()));
    }
    try {
        ReceiveMode = midi::kReceiveSound;
        StartReception(int(midi::kFirstArmLength));
        // The wait: sounds keep arriving through queued calls while the
        // dialog's own event loop runs, and its timer or Close ends it.
        if (frmSysExReceiver)
            frmSysExReceiver->exec();
        StopReception();
    } catch (const std::exception& e) {
        AddMessage(QString::fromLocal8Bit(e.what()));
    }
    for (QAction* command : { m_programDownAction, m_programUpAction, m_moveDownAction, m_moveUpAction })
        command->setEnabled(true);
    try {
        CollectSelection(); // not an older remembered selection
        RefreshNames(false);
    } catch (const std::exception& e) {
        AddMessage(QString::fromLocal8Bit(e.what()));
    }
}

void MainWindow::StartReception(int length)
{
    reception(*this).StartReception(length > 0 ? std::size_t(length) : midi::kFirstArmLength);
}

void MainWindow::StopReception()
{
    reception(*this).StopReception();
}

void MainWindow::ArmInputBuffer(int length)
{
    reception(*this).ArmInputBuffer(length > 0 ? std::size_t(length) : midi::kNextArmLength);
}

void MainWindow::handleReceived(const midi::ReceivedSysEx& message)
{
    reception(*this).OnMidiInput(message);
}

void MainWindow::onSendSelected()
{
    guarded([this] {
        if (m_moveRunning) {
            // The rows are still moving; sending now would send them half-way.
            AddMessage(QStringLiteral("Still moving the selected sounds; send again when they have arrived"));
            return;
        }
        auto* sender = findChild<midi::SendSelected*>(kSenderName, Qt::FindDirectChildrenOnly);
        if (!sender) {
            midi::SendSelectedHooks hooks;
            hooks.keyboardRunning = [this] { return keyboardRunning(); };
            hooks.switchKeyboardOff = [this] { onKeyboardPlayer(); };
            hooks.selectedRows = [this] { return selectedRows(); };
            hooks.showDialog = [this] {
                if (!frmSysExReceiver)
                    return;
                frmSysExReceiver->show();
                frmSysExReceiver->raise();
                frmSysExReceiver->activateWindow();
                frmSysExReceiver->setFocus();
            };
            hooks.hideDialog = [this] {
                if (frmSysExReceiver)
                    frmSysExReceiver->hide();
            };
            hooks.setLabel = [this](const QString& text) {
                if (frmSysExReceiver)
                    frmSysExReceiver->setLabelText(text);
            };
            hooks.sendSlot = [this](int slot) { m_session.sendStoreSlot(store(), slot); };
            hooks.addMessage = [this](const QString& text) { AddMessage(text); };
            sender = new midi::SendSelected(store(), byteStack(), Receiving, std::move(hooks), this);
            sender->setObjectName(kSenderName);
        }
        // A held Enter key repeats: one line per running send is enough.
        if (!sender->start(SendDelayMs) && sender->refusedStarts() == 1)
            AddMessage(QStringLiteral("Still sending the selected sounds; the new request is ignored"));
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
