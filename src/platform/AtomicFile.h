#pragma once

#include <QByteArray>
#include <QString>

namespace sondrake {

// Writes `bytes` to a temporary file beside `path` and puts it in place of
// `path` only once every byte is on disk: a write that fails (full disk, no
// permission) leaves the previous file as it was, and *error then holds the
// operating system's reason ("No space left on device").
bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* error);

} // namespace sondrake
