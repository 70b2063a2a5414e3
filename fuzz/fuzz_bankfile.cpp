// Loading a bank file of arbitrary bytes: whole 270-byte blocks fill slots
// 0, 1, ... up to slot 199, a shorter final piece and everything past slot
// 199 change nothing, and no slot after the last whole block is touched.
// The first input byte picks the device: a plain buffer (a file on disk) or
// a pipe that delivers the bytes in pieces of odd sizes.

#include "FuzzCheck.h"
#include "platform/BankFile.h"

#include <QBuffer>
#include <QIODevice>

#include <algorithm>
#include <cstring>

using namespace sondrake;

namespace {

// A sequential device that hands out at most `piece` bytes per read.
class PipeDevice : public QIODevice {
public:
    PipeDevice(const QByteArray& data, qint64 piece)
        : m_data(data)
        , m_piece(std::max<qint64>(1, piece))
    {
    }
    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override { return m_data.size() - m_pos + QIODevice::bytesAvailable(); }

protected:
    qint64 readData(char* out, qint64 max) override
    {
        const qint64 n = std::min({ max, m_piece, qint64(m_data.size()) - m_pos });
        if (n <= 0)
            return 0;
        std::memcpy(out, m_data.constData() + m_pos, std::size_t(n));
        m_pos += n;
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray m_data;
    qint64 m_piece;
    qint64 m_pos = 0;
};

SoundStore makeStore()
{
    SoundStore store;
    store.resetSoundNames();
    for (int s = 0; s < kSlotCount; ++s)
        store.slot(s)[0] = std::uint8_t(s); // a mark per slot, to see untouched slots
    return store;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const bool pipe = data[0] & 1;
    const qint64 piece = 1 + data[0] / 2 * 7;
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));

    static const SoundStore original = makeStore();
    SoundStore store = original;
    bankfile::LoadResult result;
    if (pipe) {
        PipeDevice device(bytes, piece);
        device.open(QIODevice::ReadOnly);
        result = bankfile::loadBlocks(device, store);
    } else {
        QBuffer device;
        device.setData(bytes);
        device.open(QIODevice::ReadOnly);
        result = bankfile::loadBlocks(device, store);
    }

    const qint64 whole = bytes.size() / qint64(kDumpSize);
    const int expected = int(std::min<qint64>(whole, kSlotCount));
    FUZZ_CHECK(result.ok, "loading from memory failed: %s", qPrintable(result.error));
    FUZZ_CHECK(result.blocksLoaded == expected, "loaded %d blocks of %lld", result.blocksLoaded, whole);
    for (int s = 0; s < kSlotCount; ++s) {
        if (s < expected) {
            FUZZ_CHECK(std::memcmp(store.slot(s).data(), bytes.constData() + qsizetype(s) * qsizetype(kDumpSize),
                           kDumpSize)
                    == 0,
                "slot %d differs from its block", s);
        } else {
            FUZZ_CHECK(store.slot(s) == original.slot(s), "slot %d after the last block changed", s);
        }
    }
    FUZZ_CHECK(store.count() == original.count(), "slot count changed");
    if (!pipe) {
        FUZZ_CHECK(result.blocksIgnored == std::max<qint64>(0, whole - kSlotCount), "ignored %lld blocks",
            result.blocksIgnored);
        FUZZ_CHECK(result.trailingBytes == bytes.size() % qint64(kDumpSize), "trailing %lld", result.trailingBytes);
    } else if (whole > kSlotCount) {
        FUZZ_CHECK(result.moreIgnored, "a pipe with more than 200 blocks did not say so");
    }
    return 0;
}
