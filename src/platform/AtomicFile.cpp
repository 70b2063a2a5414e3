#include "platform/AtomicFile.h"

#include <QCoreApplication>
#include <QSaveFile>

namespace sondrake {

namespace {

    bool fail(QSaveFile& file, QString* error, const QString& fallback)
    {
        if (error)
            *error = file.error() != QFileDevice::NoError ? file.errorString() : fallback;
        file.cancelWriting();
        return false;
    }

} // namespace

bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* error)
{
    QSaveFile file(path);
    // Unbuffered, a failing write says why at once. Buffered, the failure
    // would only surface inside commit(), where Qt may lose it: an empty
    // file then replaces the old one and the save reports success.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(file, error, QCoreApplication::translate("AtomicFile", "the file could not be created"));
    const char* data = bytes.constData();
    qint64 left = bytes.size();
    while (left > 0) {
        // The disk may take part of a block: the next write then says why
        // it takes no more.
        const qint64 written = file.write(data, left);
        if (written <= 0)
            return fail(file, error,
                QCoreApplication::translate("AtomicFile", "the disk took only part of the file"));
        data += written;
        left -= written;
    }
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace sondrake
