#include "midi/MidiMessages.h"

#include "store/ControllerBytes.h"
#include "store/SoundStore.h"

#include <algorithm>

namespace sondrake::midi {

namespace {

std::uint8_t dataByte(unsigned value)
{
    // A data byte with the high bit set would be read as a new status byte.
    return static_cast<std::uint8_t>(std::min(value, 127u));
}

std::uint8_t channelNibble(std::uint8_t channel) { return static_cast<std::uint8_t>(std::min<unsigned>(channel, 15u)); }

bool isStatusByte(std::uint8_t b) { return b >= 0x80; }

// Key spaces of the coalescing keys, so a controller never meets an NRPN.
constexpr std::uint64_t kPacedKeys = 1ull << 56;
constexpr std::uint64_t kNrpnKeys = 2ull << 56;
constexpr std::uint64_t kPanicKey = 3ull << 56;
constexpr std::uint64_t kAuditionKey = 4ull << 56;

} // namespace

Bytes noteOnMessage(std::uint8_t channel, std::uint8_t note)
{
    return {static_cast<std::uint8_t>(0x90 | channelNibble(channel)), dataByte(note), 0x7F};
}

Bytes noteOffMessage(std::uint8_t channel, std::uint8_t note)
{
    return {static_cast<std::uint8_t>(0x80 | channelNibble(channel)), dataByte(note), 0x00};
}

Bytes controlMessage(std::uint8_t controller, std::uint8_t value) { return controllerBytes(controller, value); }

Bytes channelControlMessage(std::uint8_t channel, std::uint8_t controller, std::uint8_t value)
{
    return {static_cast<std::uint8_t>(0xB0 | channelNibble(channel)), dataByte(controller), dataByte(value)};
}

Bytes programChangeMessage(std::uint8_t channel, std::uint8_t program)
{
    return {static_cast<std::uint8_t>(0xC0 | channelNibble(channel)), dataByte(program)};
}

QueueEntry pacedEntry(std::uint8_t status, std::uint8_t data1, std::uint8_t data2)
{
    QueueEntry e;
    if (!isStatusByte(status) || status >= 0xF0)
        return e;
    e.messages.push_back({status, dataByte(data1), dataByte(data2)});
    e.pauseAfterEach = kPacedPause;
    e.coalesceKey = kPacedKeys | (std::uint64_t(status) << 8) | dataByte(data1);
    return e;
}

QueueEntry nrpnEntry(std::uint16_t parameter, std::uint16_t value, int selector)
{
    QueueEntry e;
    e.pauseAfterEach = kPacedPause;
    e.messages = nrpnBytes(parameter, value);
    if (selector >= 0)
        e.coalesceKey = kNrpnKeys | (std::uint64_t(parameter) << 32) | std::uint32_t(selector);
    return e;
}

QueueEntry resetEntry()
{
    QueueEntry e;
    for (std::uint8_t c = 0; c < 16; ++c) {
        e.messages.push_back({static_cast<std::uint8_t>(0xB0 | c), 123, 0});
        e.messages.push_back({static_cast<std::uint8_t>(0xB0 | c), 64, 0});
    }
    return e;
}

QueueEntry panicEntry()
{
    QueueEntry e;
    for (std::uint8_t c = 0; c < 16; ++c) {
        const auto status = static_cast<std::uint8_t>(0xB0 | c);
        e.messages.push_back({status, 123, 0});
        e.messages.push_back({status, 120, 0});
        e.messages.push_back({status, 64, 0});
    }
    // Two Panics waiting at once say nothing the second does not.
    e.coalesceKey = kPanicKey;
    return e;
}

QueueEntry storeSlotEntry(const SoundDump& dump, int slot)
{
    QueueEntry e;
    if (!isValidSlot(slot))
        return e;
    e.messages.push_back({0xB0, 0x00, 0x00});
    e.messages.push_back({0xB0, 0x20, static_cast<std::uint8_t>(slot / 100 + 1)});
    e.messages.push_back({0xC0, static_cast<std::uint8_t>(slot % 100)});
    e.messages.emplace_back(dump.begin(), dump.end());
    return e;
}

QueueEntry auditionEntry(const SoundDump& dump)
{
    QueueEntry e;
    e.messages.emplace_back(dump.begin(), dump.end());
    e.coalesceKey = kAuditionKey;
    return e;
}

Bytes dumpRequestMessage() { return {0xF0, 0x00, 0x20, 0x29, 0x01, 0x42, 0x7F, 0x41, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF7}; }

std::vector<QueueEntry> sysExFileEntries(const Bytes& file)
{
    std::vector<QueueEntry> entries;
    for (Bytes& piece : splitMessage(file, 0, false)) {
        QueueEntry e;
        e.messages.push_back(std::move(piece));
        entries.push_back(std::move(e));
    }
    return entries;
}

std::vector<Bytes> splitMessage(const Bytes& message, std::size_t maxSize, bool fragments)
{
    std::vector<Bytes> pieces;
    if (message.empty())
        return pieces;
    // A short message never contains F0/F7 as data; leave it alone.
    if (message.size() <= 3 && message[0] != 0xF0 && isStatusByte(message[0])) {
        pieces.push_back(message);
        return pieces;
    }
    Bytes current;
    for (std::uint8_t b : message) {
        if (b == 0xF0 && !current.empty()) {
            pieces.push_back(std::move(current));
            current.clear();
        }
        current.push_back(b);
        if (b == 0xF7) {
            pieces.push_back(std::move(current));
            current.clear();
        }
    }
    if (!current.empty())
        pieces.push_back(std::move(current));

    if (maxSize == 0 || !fragments)
        return pieces;
    std::vector<Bytes> out;
    for (auto& p : pieces) {
        if (p.size() <= maxSize) {
            out.push_back(std::move(p));
            continue;
        }
        for (std::size_t at = 0; at < p.size(); at += maxSize) {
            const std::size_t n = std::min(maxSize, p.size() - at);
            out.emplace_back(p.begin() + static_cast<std::ptrdiff_t>(at),
                             p.begin() + static_cast<std::ptrdiff_t>(at + n));
        }
    }
    return out;
}

} // namespace sondrake::midi
