#pragma once

#include "store/SoundDump.h"

#include <QByteArray>
#include <QString>

namespace sondrake::library {

// The identity of a sound: a SHA-256 over its 270 bytes without the location
// bytes 11 and 12 and without the name, so one sound saved at two places or
// under two names is one sound of the library.
QByteArray contentHash(const SoundDump& dump);

// A record framed as a system-exclusive message. A slot that was never
// filled holds zeros and a name; it is no sound and is not archived.
bool isSoundRecord(const SoundDump& dump);

// The name as the library shows it: the store's reading, trailing blanks cut.
QString soundName(const SoundDump& dump);

// The dump under another name (the bytes otherwise as they are).
SoundDump withName(SoundDump dump, const QString& name);

} // namespace sondrake::library
