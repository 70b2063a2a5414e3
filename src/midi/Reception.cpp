#include "midi/Reception.h"


#include <algorithm>
#include <exception>

namespace sondrake::midi {

Reception::Reception(ReceptionFields& fields, SoundStore& store, ByteStack& stack, ReceptionHooks hooks)
    : m_fields(fields)
    , m_store(store)
    , m_stack(stack)
    , m_hooks(std::move(hooks))
{
}

void Reception::message(const QString& text) const
{
    if (m_hooks.addMessage)
        m_hooks.addMessage(text);
}

void Reception::start(std::size_t length)
{
    try {
        m_fields.receivedCount = 0;
        m_fields.request = PendingRequest();
        m_fields.receiving = true;
        armInputBuffer(length);
    } catch (const std::exception& e) {
        message(QString::fromLocal8Bit(e.what()));
    }
}

void Reception::stop()
{
    // A buffer that is still armed stays armed: the port keeps it queued, and
    // whatever fills it is handled only while receiving is true again.
    m_fields.receiving = false;
    m_fields.request.sent = false; // nothing is asked again after the wait
}

void Reception::armInputBuffer(std::size_t length)
{
    try {
        m_fields.receiving = true;
        if (!m_hooks.arm)
            return;
        const ArmResult result = m_hooks.arm(length);
        if (result.prepareError != 0)
            message(QStringLiteral("INPREPARE error") + QString::number(result.prepareError));
        else if (result.queueError != 0)
            message(QStringLiteral("ADDBUFFER error") + QString::number(result.queueError) + QLatin1Char(':')
                    + QString::number(result.recordedLength));
    } catch (const std::exception& e) {
        message(QString::fromLocal8Bit(e.what()));
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
            message(QStringLiteral("Refused a received message of %1 bytes: a sound has %2 bytes")
                        .arg(std::max(messageSize, recordedSize))
                        .arg(kDumpSize));
            afterRefusal();
            return Outcome::RefusedLength;
        }
        return storeSound(recorded);
    } catch (const std::exception& e) {
        message(QString::fromLocal8Bit(e.what()));
        return Outcome::Failed;
    }
}

Reception::Outcome Reception::storeSound(const std::uint8_t* dump)
{
    const int selected = m_hooks.selectedRow ? m_hooks.selectedRow() : -1;
    std::uint8_t bank = 0;
    std::uint8_t program = 0;
    const int slot = slotOfReceived(dump, selected, &bank, &program);
    if (slot < 0) {
        if (dump[kLocationBankByte] == 0)
            message(QStringLiteral("Refused a received sound without location: no row is selected"));
        else
            message(QStringLiteral("Refused a received sound for bank %1 program %2: no such slot")
                        .arg(dump[kLocationBankByte])
                        .arg(dump[kLocationProgramByte]));
        afterRefusal();
        return Outcome::RefusedLocation;
    }

    SoundDump& target = m_store.slot(slot);
    std::copy(dump, dump + kDumpSize, target.begin());
    if (m_hooks.refreshRow)
        m_hooks.refreshRow(slot);
    message(QStringLiteral("ZR Bank: ") + QString::number(bank) + QStringLiteral(" Sound:") + QString::number(program));

    ++m_fields.receivedCount;
    if (m_hooks.setLabel)
        m_hooks.setLabel(QStringLiteral("Received ") + QString::number(m_fields.receivedCount) + QStringLiteral(" sound."));

    // The buffer is armed before the request leaves: the request goes out on
    // the sender thread at once, and an answer that arrived before the buffer
    // was queued again would be lost. receiving ends true either way, as
    // arming always leaves it.
    m_fields.request.sent = false;
    m_fields.request.repeated = false;
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
    PendingRequest& r = m_fields.request;
    r.program = m_stack.pop();
    r.bank = m_stack.pop();
    r.sent = true;
    r.repeated = false;
    if (m_hooks.sendDumpRequest)
        m_hooks.sendDumpRequest(r.bank, r.program);
}

void Reception::afterRefusal()
{
    armInputBuffer(kNextArmLength);
    PendingRequest& r = m_fields.request;
    // Before the first request the read waits for the user's dump on the
    // synthesizer, and once the last request has left the wait ends at the
    // dialog's next tick whatever arrives: neither asks for anything. (A lone
    // byte on the stack is the token of a running send, not a request.)
    if (!r.sent || m_stack.count() < 2)
        return;
    if (!r.repeated) {
        r.repeated = true;
        if (m_hooks.sendDumpRequest)
            m_hooks.sendDumpRequest(r.bank, r.program);
        return;
    }
    ++r.skipped;
    message(QStringLiteral("Skipped sound %1 of this reception: its answer was refused twice")
                .arg(m_fields.receivedCount + r.skipped));
    r.sent = false;
    sendNextRequest();
}

} // namespace sondrake::midi
