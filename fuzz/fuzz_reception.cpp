// The reception of sounds fed arbitrary sequences of messages, timer ticks and
// the commands and list events that change the reception state. The real
// receive buffer holds the single armed buffer and hands what fills it to the
// reception handler, as the session does on the GUI thread.
// Properties after every message: at most one slot changes; it changes only
// for a message of exactly 270 bytes, at the slot the message names (or the
// selected row for byte 11 = 0), and then holds the message byte for byte;
// no step throws; the request stack stays within its 4096 bytes.

#include "FuzzCheck.h"
#include "midi/ReceiveBuffer.h"
#include "midi/Reception.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <vector>

using namespace sondrake;
using namespace sondrake::midi;

namespace {

struct Harness : ReceptionPort {
    ReceiveBuffer buffer;
    int selected = -1;
    SoundStore store;
    Reception reception { store, *this };
    int requests = 0;
    Reception::Outcome last = Reception::Outcome::Dropped;
    bool handled = false;

    int selectedRow() const override { return selected; }
    ArmResult armInput(std::size_t length) override
    {
        buffer.arm(length);
        return {};
    }
    void sendDumpRequest() override { ++requests; }
    void awaitAnswer(bool) override { }
    void storedSound(int slot, const SoundDump&) override
    {
        FUZZ_CHECK(isValidSlot(slot), "row %d refreshed", slot);
    }
    void addMessage(const QString&) override { }
    void showProgress(const QString&) override { }

    const ReceptionFields& fields() const { return reception.fields(); }
    ByteStack& stack() { return reception.stack(); }
};

// Where a received sound belongs, worked out independently of the handler.
int expectedSlot(const std::vector<std::uint8_t>& m, int selected)
{
    if (m[kLocationBankByte] == 0)
        return isValidSlot(selected) ? selected : -1;
    const int slot = (m[kLocationBankByte] - 1) * kProgramsPerBank + m[kLocationProgramByte];
    return isValidSlot(slot) ? slot : -1;
}

std::vector<std::uint8_t> makeMessage(FuzzedDataProvider& in)
{
    std::vector<std::uint8_t> m;
    switch (in.ConsumeIntegralInRange(0, 3)) {
    case 0: { // a well-formed dump for a location that may or may not exist
        m.assign(kDumpSize, 0);
        for (std::size_t i = 1; i + 1 < kDumpSize; ++i)
            m[i] = std::uint8_t(i & 0x7F);
        m.front() = 0xF0;
        m.back() = 0xF7;
        m[kLocationBankByte] = in.ConsumeIntegralInRange<std::uint8_t>(0, 4);
        m[kLocationProgramByte] = in.ConsumeIntegral<std::uint8_t>();
        break;
    }
    case 1: { // SysEx of any length 1..600
        const std::size_t n = in.ConsumeIntegralInRange<std::size_t>(1, 600);
        m = in.ConsumeBytes<std::uint8_t>(n);
        m.resize(n, 0x11);
        m.front() = 0xF0;
        break;
    }
    case 2: { // a short message
        m = { in.ConsumeIntegralInRange<std::uint8_t>(0x80, 0xEF), in.ConsumeIntegral<std::uint8_t>(),
            in.ConsumeIntegral<std::uint8_t>() };
        break;
    }
    default: // anything at all
        m = in.ConsumeBytes<std::uint8_t>(in.ConsumeIntegralInRange<std::size_t>(0, 700));
        break;
    }
    return m;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    Harness h;

    int steps = 0;
    while (in.remaining_bytes() > 0 && steps++ < 400) {
        switch (in.ConsumeIntegralInRange(0, 9)) {
        case 0:
        case 1:
        case 2: { // a message arrives
            const std::vector<std::uint8_t> m = makeMessage(in);
            const SoundStore before = h.store;
            const int countBefore = h.fields().receivedCount;
            const bool willStore = h.buffer.isArmed() && !m.empty() && m[0] == 0xF0 && h.fields().receiving
                && h.fields().receiveMode == kReceiveSound && m.size() == kDumpSize;
            const int slot = willStore ? expectedSlot(m, h.selected) : -1;
            h.handled = false;
            if (const auto recorded = h.buffer.fill(m.data(), m.size())) {
                h.handled = true;
                h.last = h.reception.onMidiInput(*recorded);
            }
            if (h.handled)
                FUZZ_CHECK(h.last != Reception::Outcome::Failed, "the handler failed on a %zu-byte message",
                    m.size());
            int changed = 0;
            for (int s = 0; s < kSlotCount; ++s) {
                if (h.store.slot(s) == before.slot(s))
                    continue;
                ++changed;
                FUZZ_CHECK(s == slot, "slot %d written by a %zu-byte message (expected slot %d)", s, m.size(), slot);
                FUZZ_CHECK(std::equal(m.begin(), m.end(), h.store.slot(s).begin()), "slot %d differs from the message",
                    s);
            }
            FUZZ_CHECK(changed <= 1, "%d slots changed by one message", changed);
            FUZZ_CHECK(h.fields().receivedCount == countBefore + (slot >= 0 ? 1 : 0)
                    || h.fields().receivedCount == countBefore,
                "count went from %d to %d", countBefore, h.fields().receivedCount);
            if (slot >= 0)
                FUZZ_CHECK(std::equal(m.begin(), m.end(), h.store.slot(slot).begin()),
                    "a whole dump for slot %d was not stored", slot);
            break;
        }
        case 3: // the receiver dialog's timer ticks
            h.reception.onTick();
            break;
        case 4: // "Read Sound Bank (1 or 2)"
            h.reception.startBankRead();
            break;
        case 5: // "Read Current Sound"
            h.reception.startCurrentSoundRead(h.selected);
            break;
        case 6: // the modal wait ends
            h.reception.stop();
            break;
        case 7: // Close, or an answer that never came
            if (in.ConsumeBool())
                h.reception.cancel();
            else
                h.reception.onAnswerLost();
            break;
        case 8: // the list's selection changes (to any row, or none, or nonsense)
            h.reception.onSelectionChanged();
            h.selected = in.ConsumeIntegralInRange(-2, 260);
            break;
        default: // the main window is activated, a send starts or ends, or something pushes
            switch (in.ConsumeIntegralInRange(0, 3)) {
            case 0:
                h.reception.onWindowActivated();
                break;
            case 1:
                h.reception.beginSend();
                break;
            case 2:
                h.reception.endSend();
                break;
            default:
                for (int i = in.ConsumeIntegralInRange(0, 5000); i > 0; --i)
                    h.stack().push(std::uint8_t(i));
                break;
            }
            break;
        }
        FUZZ_CHECK(h.stack().count() >= 0 && h.stack().count() <= ByteStack::kCapacity, "stack holds %d",
            h.stack().count());
    }
    return 0;
}
