// Receiving sounds from the synthesizer and sending the selected ones.
#include "librarian/MainWindow.h"

#include "midi/MidiSession.h"
#include "midi/PortDetection.h"
#include "midi/SoundTransfer.h"
#include "midi/MidiSettingsDialog.h"
#include "midi/SysExDialog.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPointer>
#include <QAction>
#include <QUndoView>

#include <exception>

namespace sondrake {

namespace {

void closeMidiIn(MainWindow& window)
{
    midi::MidiSession& session = window.midiSession();
    try {
        if (session.isInputOpen() && session.stopInput())
            session.closeInput();
    } catch (const std::exception& e) {
        window.addMessage(QString::fromLocal8Bit(e.what()));
    }
}

void openMidiIn(MainWindow& window)
{
    midi::MidiSession& session = window.midiSession();
    try {
        QString error;
        // A device that cannot be opened is not reported: the program runs
        // without input and every wait ends by the timer or Close.
        if (!session.openInput(&error))
            return;
        if (!session.startInput())
            QMessageBox::critical(&window, QCoreApplication::applicationName(), MainWindow::tr("Midi IN Start error"));
    } catch (const std::exception& e) {
        window.addMessage(QString::fromLocal8Bit(e.what()));
    }
}

// Ending the program here, as the synthesizer's old editor did, would throw
// away every sound received or edited since the last save. The box still
// says what went wrong; the session opens the port once it is there.
void openMidiOut(MainWindow& window)
{
    midi::MidiSession& session = window.midiSession();
    try {
        QString error;
        if (!session.openOutput(&error)) {
            QMessageBox::critical(&window, QCoreApplication::applicationName(), MainWindow::tr("Midi Open error"));
            window.addMessage(MainWindow::tr("The MIDI output could not be opened: %1 Nothing is sent until it is open; "
                                      "it is opened by itself once it is there, or choose another under System, "
                                      "Midi Settings (Ctrl+D).")
                           .arg(error.isEmpty() ? QString() : error + QLatin1Char(' ')));
        }
    } catch (const std::exception& e) {
        window.addMessage(QString::fromLocal8Bit(e.what()));
    }
}

} // namespace

void MainWindow::connectTransfer()
{
    m_transfer = new midi::SoundTransfer(m_session, m_store, this);
    m_transfer->setSelectedRowSource([this] { return firstSelectedRow(); });
    connect(m_transfer, &midi::SoundTransfer::soundStored, this, [this](int slot, const SoundDump& previous) {
        if (m_readChange)
            ++m_readCount; // the read's own step covers it
        else if (!m_sendChange) // a running send's step is made from the store as it ends: it covers it
            m_history->commitSlot(slot, previous, tr("Receive 1 sound"), selectedRows());
        refreshRow(slot);
        onSoundStored(slot);
    });
    // A click in the history would go past the refusal while a send runs.
    connect(m_transfer, &midi::SoundTransfer::sendShowing, this, [this] {
        if (m_historyView)
            m_historyView->setEnabled(false);
    });
    connect(m_transfer, &midi::SoundTransfer::sendEnded, this, [this](bool) {
        if (m_historyView)
            m_historyView->setEnabled(true);
        if (!m_sendChange)
            return;
        const std::unique_ptr<StoreHistory::Change> before = std::move(m_sendChange);
        const int n = m_sendCount;
        m_history->commit(std::move(*before), n == 1 ? tr("Send 1 sound") : tr("Send %1 sounds").arg(n), selectedRows());
    });
    connect(m_transfer, &midi::SoundTransfer::messageAdded, this, [this](const QString& line) { addMessage(line); });
}

const midi::ReceptionFields& MainWindow::receptionFields() const { return m_transfer->fields(); }

bool MainWindow::sendingSelected() const { return m_transfer->isSending(); }

bool MainWindow::refuseWhileSending(const QString& command)
{
    if (!sendingSelected())
        return false;
    addMessage(tr("Still sending the selected sounds; %1 again when sending has ended").arg(command));
    return true;
}

void MainWindow::onReadCurrentSound()
{
    guarded([this] {
        // A read shares the dialog with the send, whose end would close the
        // read's wait.
        //: A command word, put into "Still sending the selected sounds; %1 again when sending has ended"
        if (refuseWhileSending(tr("read")))
            return;
        const int row = firstSelectedRow();
        guarded([this] { suspendKeyboardPlayer(); });
        m_readChange = std::make_unique<StoreHistory::Change>(m_history->begin(selectedRows()));
        m_readCount = 0;
        m_transfer->startCurrentSoundRead(row);
        waitForSounds();
    });
}

void MainWindow::onReadBank()
{
    guarded([this] {
        //: A command word, put into "Still sending the selected sounds; %1 again when sending has ended"
        if (refuseWhileSending(tr("read")))
            return;
        guarded([this] { suspendKeyboardPlayer(); });
        m_readChange = std::make_unique<StoreHistory::Change>(m_history->begin(selectedRows()));
        m_readCount = 0;
        m_transfer->startBankRead();
        waitForSounds();
    });
}

void MainWindow::waitForSounds()
{
    try {
        // The wait: sounds keep arriving through queued calls while the
        // dialog's own event loop runs; the transfer's tick or Close ends it.
        if (m_receiver)
            m_receiver->exec();
    } catch (const std::exception& e) {
        addMessage(QString::fromLocal8Bit(e.what()));
    }
    m_transfer->stopReception();
    // The whole read is one step, and one arrival in the library.
    std::vector<int> received;
    received.swap(m_receivedSlots);
    if (!received.empty()) {
        try {
            archiveReceived(received);
        } catch (const std::exception& e) {
            addMessage(QString::fromLocal8Bit(e.what()));
        }
    }
    if (m_readChange) {
        const std::unique_ptr<StoreHistory::Change> before = std::move(m_readChange);
        const int n = m_readCount;
        try {
            m_history->commit(std::move(*before), n == 1 ? tr("Receive 1 sound") : tr("Receive %1 sounds").arg(n),
                selectedRows());
        } catch (const std::exception& e) {
            addMessage(QString::fromLocal8Bit(e.what()));
        }
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

void MainWindow::onSendSelected()
{
    guarded([this] {
        if (m_moveRunning) {
            // The rows are still moving; sending now would send them half-way.
            addMessage(tr("Still moving the selected sounds; send again when they have arrived"));
            return;
        }
        if (!m_transfer->isSending() && keyboardRunning())
            onKeyboardPlayer();
        // The send writes each sound's location into its slot: a step of its
        // own, from its start to its end.
        const std::vector<int> rows = selectedRows();
        if (!m_transfer->isSending()) {
            m_sendChange = std::make_unique<StoreHistory::Change>(m_history->begin(rows));
            m_sendCount = static_cast<int>(rows.size());
        }
        // A held Enter key repeats: one line per running send is enough.
        if (!m_transfer->startSend(rows) && m_transfer->refusedSends() == 1)
            addMessage(tr("Still sending the selected sounds; the new request is ignored"));
    });
}

void MainWindow::onMidiSettings()
{
    guarded([this] {
        midi::MidiReopen reopen;
        reopen.closeIn = [this] { closeMidiIn(*this); };
        reopen.openIn = [this] { openMidiIn(*this); };
        reopen.closeOut = [this] { m_session.closeOutput(); };
        reopen.openOut = [this] { openMidiOut(*this); };
        midi::runMidiSettings(this, m_session.choice(), midi::inputDeviceNames(m_session.midiService()),
            midi::outputDeviceNames(m_session.midiService()), reopen);
    });
}

} // namespace sondrake
