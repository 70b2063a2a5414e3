#include "midi/SoundTransfer.h"

#include "midi/MidiSession.h"

#include <QTimer>

#include <exception>

namespace sondrake::midi {

SoundTransfer::SoundTransfer(MidiSession& session, SoundStore& store, QObject* parent)
    : QObject(parent)
    , m_session(session)
    , m_store(store)
    , m_reception(store, *this)
{
    m_tick = new QTimer(this);
    m_tick->setObjectName(QStringLiteral("Timer1"));
    m_tick->setInterval(kTickMs);
    connect(m_tick, &QTimer::timeout, this, &SoundTransfer::onTick);
    m_tick->start();

    m_answerTimer = new QTimer(this);
    m_answerTimer->setSingleShot(true);
    connect(m_answerTimer, &QTimer::timeout, this, &SoundTransfer::onAnswerTimer);

    m_sendTimer = new QTimer(this);
    m_sendTimer->setSingleShot(true);
    m_sendTimer->setTimerType(Qt::PreciseTimer);
    connect(m_sendTimer, &QTimer::timeout, this, &SoundTransfer::sendStep);

    connect(&m_session, &MidiSession::sysExReceived, this, &SoundTransfer::onReceived);
}

SoundTransfer::~SoundTransfer() = default;

void SoundTransfer::setSelectedRowSource(std::function<int()> source) { m_selectedRow = std::move(source); }

void SoundTransfer::setAnswerTimeout(std::chrono::milliseconds timeout) { m_answerTimeout = timeout; }

// ---- receptions ---------------------------------------------------------------

void SoundTransfer::startCurrentSoundRead(int selectedRow) { m_reception.startCurrentSoundRead(selectedRow); }

void SoundTransfer::startBankRead() { m_reception.startBankRead(); }

void SoundTransfer::stopReception() { m_reception.stop(); }

void SoundTransfer::receiveWithoutWait(bool on) { m_reception.receiveWithoutWait(on); }

void SoundTransfer::onReceived(const ReceivedSysEx& message) { m_reception.onMidiInput(message); }

void SoundTransfer::onTick()
{
    if (m_reception.onTick())
        emit waitEnded();
}

void SoundTransfer::onAnswerTimer()
{
    // An answer whose bytes are still coming in is not lost: a slow cable
    // or a busy interface only stretches it.
    if (m_session.timeSinceSysExInput() < kArrivingGrace) {
        m_answerTimer->start(kArrivingGrace);
        return;
    }
    m_reception.onAnswerLost();
}

void SoundTransfer::cancel()
{
    m_reception.cancel();
    emit waitEnded();
}

void SoundTransfer::windowActivated() { m_reception.onWindowActivated(); }

void SoundTransfer::selectionChanged() { m_reception.onSelectionChanged(); }

// ---- the reception's port -------------------------------------------------------

int SoundTransfer::selectedRow() const { return m_selectedRow ? m_selectedRow() : -1; }

ArmResult SoundTransfer::armInput(std::size_t length) { return m_session.armInput(length); }

void SoundTransfer::sendDumpRequest() { m_session.sendDumpRequest(); }

void SoundTransfer::awaitAnswer(bool on)
{
    if (on)
        m_answerTimer->start(m_answerTimeout);
    else
        m_answerTimer->stop();
}

void SoundTransfer::storedSound(int slot, const SoundDump& previous) { emit soundStored(slot, previous); }

void SoundTransfer::addMessage(const QString& line) { emit messageAdded(line); }

void SoundTransfer::showProgress(const QString& label) { emit progressChanged(label); }

// ---- sending the selected sounds ---------------------------------------------------

bool SoundTransfer::startSend(const std::vector<int>& rows, int delayMs)
{
    if (m_sending) {
        ++m_refusedSends;
        return false;
    }
    m_refusedSends = 0;
    try {
        // Keeps the dialog open while the sounds go out.
        m_reception.beginSend();
        emit sendShowing();
        m_sendRows.clear();
        for (int row : rows)
            if (isValidSlot(row))
                m_sendRows.push_back(row);
        m_sendNext = 0;
        m_sending = true;
        m_sendTimer->setInterval(delayMs < 0 ? 0 : delayMs);
        sendStep();
    } catch (const std::exception& e) {
        sendFailed(QString::fromLocal8Bit(e.what()));
    }
    return true;
}

void SoundTransfer::sendStep()
{
    if (!m_sending)
        return;
    if (m_sendNext >= m_sendRows.size()) {
        sendFinished();
        return;
    }
    try {
        const int slot = m_sendRows[m_sendNext++];
        emit sendShowing();
        SoundDump& dump = m_store.slot(slot);
        dump[kLocationBankByte] = static_cast<std::uint8_t>(slot / kProgramsPerBank);
        dump[kLocationProgramByte] = static_cast<std::uint8_t>(slot % kProgramsPerBank);
        m_session.sendStoreSlot(m_store, slot);
        emit progressChanged(tr("Sending %1").arg(slot));
        // The pause after the sound runs on the event loop, so the window
        // keeps handling input between sounds.
        m_sendTimer->start();
    } catch (const std::exception& e) {
        sendFailed(QString::fromLocal8Bit(e.what()));
    }
}

void SoundTransfer::sendFinished()
{
    m_sending = false;
    m_sendRows.clear();
    m_sendNext = 0;
    emit sendEnded(true);
    m_reception.endSend();
}

void SoundTransfer::sendFailed(const QString& text)
{
    // The dialog stays up, still keeping the wait, until the user closes it.
    m_sending = false;
    m_sendTimer->stop();
    m_sendRows.clear();
    m_sendNext = 0;
    emit messageAdded(text);
    emit sendEnded(false);
}

} // namespace sondrake::midi
