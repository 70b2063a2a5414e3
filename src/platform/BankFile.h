#pragma once

// Bank files: the SoundDumps of the slots back to back, 270 bytes each, in
// slot order, no header. These functions only move bytes between a store and
// a file; the window decides about questions, the list and the Messages box.

#include "store/SoundStore.h"

#include <QString>

class QFile;
class QIODevice;

namespace sondrake::bankfile {

struct LoadResult {
    bool ok = false; // false: opening or reading failed (error says why)
    int blocksLoaded = 0; // whole blocks stored, from slot 0 on
    qint64 blocksIgnored = 0; // whole blocks beyond slot 199, left out
    bool moreIgnored = false; // a stream went on after slot 199 (not countable)
    qint64 trailingBytes = 0; // bytes of a final piece shorter than a block
    QString error;
};

// Reads whole 270-byte blocks into slots 0, 1, ... and stops at the end of
// the data or after slot 199. Never touches a slot after the last whole
// block. What lies past slot 199 is counted from the file size without
// reading it, so a huge file costs no more than 200 blocks.
LoadResult loadBlocks(QIODevice& device, SoundStore& store);

// Opens the file and loads it with loadBlocks. A folder, a device or pipe,
// a missing or unreadable file gives ok = false and no slot changes.
LoadResult loadBankFile(const QString& path, SoundStore& store);

// Opens path for reading the way loadBankFile does; for callers that must
// know the file can be read before they change anything else.
bool openForReading(const QString& path, QFile& file, QString* error);

// Writes slots first .. first+count-1 to path, atomically: on failure the
// previous file is left as it was and *error says why.
bool saveSlots(const QString& path, const SoundStore& store, int first, int count, QString* error);

// All slots in use (200 once names are reset): a 54,000-byte bank file.
bool saveBank(const QString& path, const SoundStore& store, QString* error);

// The file of one slot in "Save to separate file Sound Banks": the chosen
// path, then slot + 1 in decimal, then ".syx" (bank.syx -> bank.syx1.syx).
QString separateFileName(const QString& chosenPath, int slot);

} // namespace sondrake::bankfile
