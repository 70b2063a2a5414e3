#include "midi/Reception.h"


#include <algorithm>
#include <exception>

namespace sondrake::midi {

Reception::Reception(ReceptionState state, SoundStore& store, ByteStack& stack, ReceptionHooks hooks)
    : state_(state)
    , store_(store)
    , stack_(stack)
    , hooks_(std::move(hooks))
{
}

void Reception::message(const QString& text) const
{
    if (hooks_.addMessage)
        hooks_.addMessage(text);
}

void Reception::StartReception(std::size_t length)
{
    try {
        state_.ReceivedCount = 0;
        state_.request = PendingRequest();
        state_.Receiving = true;
        ArmInputBuffer(length);
    } catch (const std::exception& e) {
        message(QString::fromLocal8Bit(e.what()));
    }
}

void Reception::StopReception()
{
    // A buffer that is still armed stays armed: the port keeps it queued, and
    // whatever fills it is handled only while Receiving is true again.
    state_.Receiving = false;
    state_.request.sent = false; // nothing is asked again after the wait
}

void Reception::ArmInputBuffer(std::size_t length)
{
    try {
        state_.Receiving = true;
        if (!hooks_.arm)
            return;
        const ArmResult result = hooks_.arm(length);
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
    if (!state_.Receiving)
        return Outcome::Dropped;
    try {
        if (state_.ReceiveMode != kReceiveSound)
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
    const int selected = hooks_.selectedRow ? hooks_.selectedRow() : -1;
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

    SoundDump& target = store_.slot(slot);
    std::copy(dump, dump + kDumpSize, target.begin());
    if (hooks_.refreshRow)
        hooks_.refreshRow(slot);
    message(QStringLiteral("ZR Bank: ") + QString::number(bank) + QStringLiteral(" Sound:") + QString::number(program));

    ++state_.ReceivedCount;
    if (hooks_.setLabel)
        hooks_.setLabel(QStringLiteral("Received ") + QString::number(state_.ReceivedCount) + QStringLiteral(" sound."));

    // The buffer is armed before the request leaves: the request goes out on
    // the sender thread at once, and an answer that arrived before the buffer
    // was queued again would be lost. Receiving ends true either way, as
    // arming always leaves it.
    state_.request.sent = false;
    state_.request.repeated = false;
    if (stack_.count() == 0)
        state_.Receiving = false;
    ArmInputBuffer(kNextArmLength);
    sendNextRequest();
    return Outcome::Stored;
}

void Reception::sendNextRequest()
{
    if (stack_.count() == 0)
        return;
    PendingRequest& r = state_.request;
    r.program = stack_.pop();
    r.bank = stack_.pop();
    r.sent = true;
    r.repeated = false;
    if (hooks_.sendDumpRequest)
        hooks_.sendDumpRequest(r.bank, r.program);
}

void Reception::afterRefusal()
{
    ArmInputBuffer(kNextArmLength);
    PendingRequest& r = state_.request;
    // Before the first request the read waits for the user's dump on the
    // synthesizer, and once the last request has left the wait ends at the
    // dialog's next tick whatever arrives: neither asks for anything. (A lone
    // byte on the stack is the token of a running send, not a request.)
    if (!r.sent || stack_.count() < 2)
        return;
    if (!r.repeated) {
        r.repeated = true;
        if (hooks_.sendDumpRequest)
            hooks_.sendDumpRequest(r.bank, r.program);
        return;
    }
    ++r.skipped;
    message(QStringLiteral("Skipped sound %1 of this reception: its answer was refused twice")
                .arg(state_.ReceivedCount + r.skipped));
    r.sent = false;
    sendNextRequest();
}

} // namespace sondrake::midi
