#include "midi/Reception.h"

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>
#include <exception>

namespace sondrake::midi {

namespace {

    QString errorText(const std::exception& e) { return QString::fromLocal8Bit(e.what()); }

    QString soundCount(int n)
    {
        if (n == 0)
            return QCoreApplication::translate("Reception", "no sound");
        return n == 1 ? QCoreApplication::translate("Reception", "1 sound")
                      : QCoreApplication::translate("Reception", "%1 sounds").arg(n);
    }

} // namespace

Reception::Reception(SoundStore& store, ReceptionPort& port)
    : m_store(store)
    , m_port(port)
{
}

void Reception::startCurrentSoundRead(int selectedRow)
{
    m_stack.clear();
    // With no row selected the pair is (0, 255): the request itself is
    // fixed, and a sound without location then finds no slot.
    m_stack.push(static_cast<std::uint8_t>(selectedRow / kProgramsPerBank));
    m_stack.push(static_cast<std::uint8_t>(selectedRow % kProgramsPerBank));
    m_fields.receiveMode = kReceiveSound;
    start(kFirstArmLength);
}

void Reception::startBankRead()
{
    m_stack.clear();
    for (int n = kProgramsPerBank - 1; n >= 0; --n) {
        m_stack.push(1);
        m_stack.push(static_cast<std::uint8_t>(n));
    }
    m_fields.receiveMode = kReceiveSound;
    start(kFirstArmLength);
}

void Reception::start(std::size_t length)
{
    try {
        m_fields.receivedCount = 0;
        m_fields.request = PendingRequest();
        m_port.awaitAnswer(false);
        m_fields.receiving = true;
        m_readRunning = true;
        m_readStored = 0;
        m_readSkipped.clear();
        armInputBuffer(length);
    } catch (const std::exception& e) {
        m_port.addMessage(errorText(e));
    }
}

void Reception::stop()
{
    // A buffer that is still armed stays armed: the port keeps it queued, and
    // whatever fills it is handled only while receiving is true again.
    m_fields.receiving = false;
    m_fields.request.sent = false; // nothing is asked again after the wait
    m_port.awaitAnswer(false);
    if (!m_readRunning)
        return;
    m_readRunning = false;
    QString line = QCoreApplication::translate("Reception", "Reception ended: %1 received.")
                       .arg(soundCount(m_readStored));
    if (!m_readSkipped.empty()) {
        QStringList numbers;
        for (int n : m_readSkipped)
            numbers << QString::number(n);
        line = QCoreApplication::translate(
            "Reception", "Reception ended: %1 received; skipped %2 %3 of this reception.")
                   .arg(soundCount(m_readStored),
                       m_readSkipped.size() == 1 ? QCoreApplication::translate("Reception", "sound")
                                                 : QCoreApplication::translate("Reception", "sounds"),
                       numbers.join(QStringLiteral(", ")));
    }
    m_port.addMessage(line);
}

void Reception::receiveWithoutWait(bool on)
{
    m_fields.receiveMode = on ? kReceiveSound : kReceiveNothing;
    m_fields.receiving = on;
    if (on)
        m_fields.receivedCount = 0;
}

void Reception::armInputBuffer(std::size_t length)
{
    try {
        m_fields.receiving = true;
        const ArmResult result = m_port.armInput(length);
        if (result.prepareError != 0)
            m_port.addMessage(
                QCoreApplication::translate("Reception", "INPREPARE error%1").arg(result.prepareError));
        else if (result.queueError != 0)
            m_port.addMessage(QCoreApplication::translate("Reception", "ADDBUFFER error%1:%2")
                                  .arg(result.queueError)
                                  .arg(result.recordedLength));
    } catch (const std::exception& e) {
        m_port.addMessage(errorText(e));
    }
}

int Reception::slotOfReceived(const std::uint8_t* dump, int selectedRow, std::uint8_t* bank, std::uint8_t* program)
{
    int b = 0;
    int p = 0;
    int slot = -1;
    const std::uint8_t bankByte = dump[kLocationBankByte];
    if (bankByte == 0) {
        // No stored location: the sound goes to the selected row.
        if (isValidSlot(selectedRow)) {
            b = selectedRow / kProgramsPerBank;
            p = selectedRow % kProgramsPerBank;
            slot = selectedRow;
        } else {
            b = 0;
            p = 255;
        }
    } else {
        b = bankByte - 1;
        p = dump[kLocationProgramByte];
        const int s = b * kProgramsPerBank + p;
        if (isValidSlot(s))
            slot = s;
    }
    if (bank)
        *bank = static_cast<std::uint8_t>(b);
    if (program)
        *program = static_cast<std::uint8_t>(p);
    return slot;
}

Reception::Outcome Reception::onMidiInput(const ReceivedSysEx& received)
{
    return onMidiInput(received.bytes.data(), received.bytes.size(), received.messageSize);
}

Reception::Outcome Reception::onMidiInput(const std::uint8_t* recorded, std::size_t recordedSize,
                                          std::size_t messageSize)
{
    if (!m_fields.receiving)
        return Outcome::Dropped;
    try {
        if (m_fields.receiveMode != kReceiveSound)
            return Outcome::Ignored;
        // Anything but a whole sound would mix bytes of an earlier message
        // into the slot, so it is refused and the buffer waits for the next.
        if (messageSize != kDumpSize || recordedSize != kDumpSize || !recorded) {
            m_port.addMessage(QCoreApplication::translate(
                "Reception", "Refused a received message of %1 bytes: a sound has %2 bytes")
                                  .arg(std::max(messageSize, recordedSize))
                                  .arg(kDumpSize));
            afterFailedAnswer(QCoreApplication::translate("Reception", "its answer was refused twice"));
            return Outcome::RefusedLength;
        }
        return storeSound(recorded);
    } catch (const std::exception& e) {
        m_port.addMessage(errorText(e));
        return Outcome::Failed;
    }
}

Reception::Outcome Reception::storeSound(const std::uint8_t* dump)
{
    std::uint8_t bank = 0;
    std::uint8_t program = 0;
    const int slot = slotOfReceived(dump, m_port.selectedRow(), &bank, &program);
    if (slot < 0) {
        if (dump[kLocationBankByte] == 0)
            m_port.addMessage(QCoreApplication::translate(
                "Reception", "Refused a received sound without location: no row is selected"));
        else
            m_port.addMessage(QCoreApplication::translate(
                "Reception", "Refused a received sound for bank %1 program %2: no such slot")
                                  .arg(dump[kLocationBankByte])
                                  .arg(dump[kLocationProgramByte]));
        afterFailedAnswer(QCoreApplication::translate("Reception", "its answer was refused twice"));
        return Outcome::RefusedLocation;
    }

    SoundDump& target = m_store.slot(slot);
    const SoundDump previous = target;
    std::copy(dump, dump + kDumpSize, target.begin());
    m_port.storedSound(slot, previous);
    m_port.addMessage(
        QCoreApplication::translate("Reception", "ZR Bank: %1 Sound:%2").arg(bank).arg(program));

    ++m_fields.receivedCount;
    if (m_readRunning)
        ++m_readStored;
    m_port.showProgress(
        QCoreApplication::translate("Reception", "Received %1 sound.").arg(m_fields.receivedCount));

    // The buffer is armed before the request leaves: the request goes out on
    // the sender thread at once, and an answer that arrived before the buffer
    // was queued again would be lost. receiving ends true either way, as
    // arming always leaves it.
    m_fields.request = PendingRequest();
    m_port.awaitAnswer(false);
    if (m_stack.count() == 0)
        m_fields.receiving = false;
    armInputBuffer(kNextArmLength);
    sendNextRequest();
    return Outcome::Stored;
}

void Reception::sendNextRequest()
{
    if (m_stack.count() == 0)
        return;
    m_stack.pop(); // the program
    m_stack.pop(); // the bank; the synthesizer's request is the same for every sound
    m_fields.request.sent = true;
    m_fields.request.repeated = false;
    m_port.sendDumpRequest();
    // Once the last pair has left, the wait ends at the next tick whatever
    // comes: only an answer that more requests depend on is waited for.
    m_port.awaitAnswer(moreRequestsFollow());
}

void Reception::requestAgain()
{
    m_fields.request.repeated = true;
    m_port.sendDumpRequest();
    m_port.awaitAnswer(true);
}

void Reception::afterFailedAnswer(const QString& why)
{
    armInputBuffer(kNextArmLength);
    PendingRequest& r = m_fields.request;
    // Before the first request the read waits for the user's dump on the
    // synthesizer, and once the last request has left the wait ends at the
    // dialog's next tick whatever arrives: neither asks for anything.
    if (!r.sent || !moreRequestsFollow())
        return;
    if (!r.repeated) {
        requestAgain();
        return;
    }
    const int ordinal = m_fields.receivedCount + int(m_readSkipped.size()) + 1;
    m_readSkipped.push_back(ordinal);
    m_port.addMessage(QCoreApplication::translate("Reception", "Skipped sound %1 of this reception: %2")
                          .arg(ordinal)
                          .arg(why));
    r.sent = false;
    sendNextRequest();
}

void Reception::onAnswerLost()
{
    if (!m_fields.receiving || m_fields.receiveMode != kReceiveSound)
        return;
    try {
        afterFailedAnswer(QCoreApplication::translate("Reception", "no answer"));
    } catch (const std::exception& e) {
        m_port.addMessage(errorText(e));
    }
}

bool Reception::onTick()
{
    if ((m_stack.count() == 0 && !m_sendPending) || !m_fields.receiving) {
        clearPending();
        m_fields.receivedCount = 0;
        return true;
    }
    return false;
}

void Reception::clearPending()
{
    m_stack.clear();
    m_sendPending = false;
}

void Reception::cancel()
{
    clearPending();
    m_fields.receiving = false;
    m_fields.receivedCount = 0;
    m_port.awaitAnswer(false);
}

void Reception::onWindowActivated() { m_fields.receiving = true; }

void Reception::onSelectionChanged()
{
    m_fields.receiving = false;
    clearPending();
    m_port.awaitAnswer(false);
}

void Reception::beginSend()
{
    m_sendPending = true;
    m_fields.receiving = true;
}

void Reception::endSend()
{
    m_sendPending = false;
    m_fields.receiving = false;
}

} // namespace sondrake::midi
