#include "platform/BankFile.h"

#include "platform/AtomicFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace sondrake::bankfile {

namespace {

constexpr qint64 kBlock = static_cast<qint64>(kDumpSize);
constexpr qsizetype kMaxPathLength = 4096; // Linux's PATH_MAX, in bytes and so in characters

// Reads up to n bytes, also from devices that deliver less per call.
// Returns the count read, or -1 on a read error.
qint64 readFully(QIODevice& device, char* out, qint64 n)
{
    qint64 got = 0;
    while (got < n) {
        qint64 r = device.read(out + got, n - got);
        if (r < 0)
            return -1;
        if (r == 0) {
            if (!device.isSequential() || !device.waitForReadyRead(0))
                break;
            continue;
        }
        got += r;
    }
    return got;
}

} // namespace

LoadResult loadBlocks(QIODevice& device, SoundStore& store)
{
    LoadResult result;
    result.ok = true;
    SoundDump block{};
    char* buffer = reinterpret_cast<char*>(block.data());
    for (int k = 0; k < kSlotCount; ++k) {
        const qint64 got = readFully(device, buffer, kBlock);
        if (got < 0) {
            result.ok = false;
            result.error = device.errorString();
            return result;
        }
        if (got < kBlock) {
            result.trailingBytes = got;
            return result;
        }
        store.slot(k) = block;
        ++result.blocksLoaded;
    }
    if (!device.isSequential()) {
        const qint64 rest = std::max<qint64>(0, device.size() - device.pos());
        result.blocksIgnored = rest / kBlock;
        result.trailingBytes = rest % kBlock;
    } else {
        // A pipe or device has no size: look one block further, no more.
        const qint64 got = readFully(device, buffer, kBlock);
        result.moreIgnored = got == kBlock;
        if (got > 0 && got < kBlock)
            result.trailingBytes = got;
    }
    return result;
}

bool openForReading(const QString& path, QFile& file, QString* error)
{
    // No path is longer than this; asking the file system about a name of
    // megabytes (a damaged settings file) takes long and finds nothing.
    if (path.size() > kMaxPathLength) {
        if (error)
            *error = QCoreApplication::translate("BankFile", "the name is longer than any path can be");
        return false;
    }
    const QFileInfo info(path);
    if (info.isDir()) {
        if (error)
            *error = QCoreApplication::translate("BankFile", "it is a folder, not a file");
        return false;
    }
    // A pipe would block the window until someone writes to it, and a
    // device never ends: only plain files are banks.
    if (info.exists() && !info.isFile()) {
        if (error)
            *error = QCoreApplication::translate("BankFile", "it is a device or a pipe, not a file");
        return false;
    }
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

LoadResult loadBankFile(const QString& path, SoundStore& store)
{
    QFile file;
    LoadResult result;
    if (!openForReading(path, file, &result.error))
        return result;
    return loadBlocks(file, store);
}

bool saveSlots(const QString& path, const SoundStore& store, int first, int count, QString* error)
{
    if (first < 0 || count < 0 || first + count > kSlotCount) {
        if (error)
            *error = QCoreApplication::translate("BankFile", "slots %1..%2 are outside the store")
                         .arg(first)
                         .arg(first + count - 1);
        return false;
    }
    if (QFileInfo(path).isDir()) {
        if (error)
            *error = QCoreApplication::translate("BankFile", "it is a folder, not a file");
        return false;
    }
    QByteArray bytes;
    bytes.reserve(count * kBlock);
    for (int s = first; s < first + count; ++s) {
        const SoundDump& d = store.slot(s);
        bytes.append(reinterpret_cast<const char*>(d.data()), kBlock);
    }
    return writeFileAtomically(path, bytes, error);
}

bool saveBank(const QString& path, const SoundStore& store, QString* error)
{
    return saveSlots(path, store, 0, store.count(), error);
}

QString separateFileName(const QString& chosenPath, int slot)
{
    return chosenPath + QString::number(slot + 1) + QStringLiteral(".syx");
}

} // namespace sondrake::bankfile
