#include "midi/Reception.h"


#include <algorithm>
#include <exception>

namespace sondrake::midi {

Reception::Reception(ReceptionState state, SoundStore& store, ByteStack& stack, ReceptionHooks hooks)
    : m_state(state)
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

void Reception::StartReception(std::size_t length)
{
    try {
        m_state.ReceivedCount = 0;
        m_state.request = PendingRequest();
        m_state.Receiving = true;
        ArmInputBuffer(length);
    } catch (const std::exception& e) {
        message(QString::fromLocal8Bit(e.what()));
    }
}

void Reception::StopReception()
{
    // A buffer that is still armed stays armed: the port keeps it queued, and
    // whatever fills it is handled only while Receiving is true again.
    m_state.Receiving = false;
    m_state.request.sent = false; // nothing is asked again after the wait
}

void Reception::ArmInputBuffer(std::size_t length)
{
    try {
        m_state.Receiving = true;
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

Reception::Outcome Reception::OnMidiInput(const ReceivedSysEx& received)
{
    return OnMidiInput(received.bytes.data(), received.bytes.size(), received.messageSize);
}

Reception::Outcome Reception::OnMidiInput(const std::uint8_t* recorded, std::size_t recordedSize,
                                          std::size_t messageSize)
{
    if (!m_state.Receiving)
        return Outcome::Dropped;
    try {
        if (m_state.ReceiveMode != kReceiveSound)
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

    ++m_state.ReceivedCount;
    if (m_hooks.setLabel)
        m_hooks.setLabel(QStringLiteral("Received ") + QString::number(m_state.ReceivedCount) + QStringLiteral(" sound."));

    // The buffer is armed before the request leaves: the request goes out on
    // the sender thread at once, and an answer that arrived before the buffer
    // was queued again would be lost. Receiving ends true either way, as
    // arming always leaves it.
    m_state.request.sent = false;
    m_state.request.repeated = false;
    if (m_stack.count() == 0)
        m_state.Receiving = false;
    ArmInputBuffer(kNextArmLength);
    sendNextRequest();
    return Outcome::Stored;
}

void Reception::sendNextRequest()
{
    if (m_stack.count() == 0)
        return;
    PendingRequest& r = m_state.request;
    r.program = m_stack.pop();
    r.bank = m_stack.pop();
    r.sent = true;
    r.repeated = false;
    if (m_hooks.sendDumpRequest)
        m_hooks.sendDumpRequest(r.bank, r.program);
}

void Reception::afterRefusal()
{
    ArmInputBuffer(kNextArmLength);
    PendingRequest& r = m_state.request;
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
                .arg(m_state.ReceivedCount + r.skipped));
    r.sent = false;
    sendNextRequest();
}

} // namespace sondrake::midi
