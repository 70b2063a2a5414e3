// The parameter map on arbitrary dumps and values:
// - reading any row of any dump never leaves the dump;
// - writing a row changes only the bits of its own storage (nothing for a
//   row the sound does not store), and reading it back gives the written
//   value as the row's range and field hold it;
// - live messages never carry a data byte of 0x80 or more;
// - arbitrary controller and NRPN traffic, applied as the emulator does,
//   only changes bits that some row stores.

#include "FuzzCheck.h"
#include "parametermap/ParameterMap.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>

using namespace sondrake;
using namespace sondrake::parametermap;

namespace {

// The bits of each byte that one row owns.
std::uint8_t ownBits(const ParameterEntry& e)
{
    const Storage& s = e.storage;
    switch (s.encoding) {
    case Encoding::NotStored:
        return 0;
    case Encoding::BitField:
        return std::uint8_t(((1u << (s.hi - s.lo + 1)) - 1u) << s.lo);
    default:
        return 0xFF;
    }
}

const std::array<std::uint8_t, kDumpSize>& storedBits()
{
    static const auto bits = [] {
        std::array<std::uint8_t, kDumpSize> b {};
        for (const ParameterEntry& e : parameterMap())
            if (e.isStored())
                b[std::size_t(e.storage.byte)] |= ownBits(e);
        return b;
    }();
    return bits;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    SoundDump dump {};
    const std::vector<std::uint8_t> start = in.ConsumeBytes<std::uint8_t>(kDumpSize);
    std::copy(start.begin(), start.end(), dump.begin());

    const auto rows = parameterMap();
    for (const ParameterEntry& e : rows) {
        (void)readValue(dump, e);
        FUZZ_CHECK(!e.isStored() || (e.storage.byte >= 0 && e.storage.byte < int(kDumpSize)),
            "%.*s stored at byte %d", int(e.control.size()), e.control.data(), e.storage.byte);
    }

    LiveMessageApplier applier;
    while (in.remaining_bytes() > 0) {
        if (in.ConsumeBool()) {
            const ParameterEntry& e = rows[in.ConsumeIntegralInRange<std::size_t>(0, rows.size() - 1)];
            const int value = in.ConsumeBool() ? in.ConsumeIntegralInRange(e.minimum, e.maximum)
                                               : in.ConsumeIntegralInRange(-1000, 1000);
            const SoundDump before = dump;
            writeValue(dump, e, value);
            const std::uint8_t mine = ownBits(e);
            for (std::size_t i = 0; i < kDumpSize; ++i) {
                const std::uint8_t allowed = e.isStored() && int(i) == e.storage.byte ? mine : 0;
                FUZZ_CHECK(((before[i] ^ dump[i]) & ~allowed) == 0,
                    "writing %d to %.*s changed byte %zu from %02X to %02X", value, int(e.control.size()),
                    e.control.data(), i, before[i], dump[i]);
            }
            if (e.isStored()) {
                int expected = std::clamp(value, e.minimum, e.maximum);
                if (e.storage.encoding == Encoding::BitField)
                    expected = std::min(expected, (1 << (e.storage.hi - e.storage.lo + 1)) - 1);
                if (e.storage.encoding == Encoding::Flag)
                    expected = expected != 0 ? 1 : 0;
                const int got = readValue(dump, e);
                FUZZ_CHECK(got == expected, "%.*s: wrote %d, read %d", int(e.control.size()), e.control.data(),
                    value, got);
            }
            for (const auto& message : liveMessages(e, value)) {
                FUZZ_CHECK(!message.empty() && message[0] == 0xB0, "live message without a control change status");
                for (std::size_t k = 1; k < message.size(); ++k)
                    FUZZ_CHECK(message[k] < 0x80, "%.*s value %d: data byte %02X", int(e.control.size()),
                        e.control.data(), value, message[k]);
            }
        } else {
            const std::vector<std::uint8_t> message = in.ConsumeBytes<std::uint8_t>(in.ConsumeIntegralInRange(0, 4));
            const SoundDump before = dump;
            applier.apply(dump, message);
            for (std::size_t i = 0; i < kDumpSize; ++i)
                FUZZ_CHECK(((before[i] ^ dump[i]) & ~storedBits()[i]) == 0,
                    "a received controller changed byte %zu from %02X to %02X", i, before[i], dump[i]);
        }
    }
    return 0;
}
