#pragma once

// One connection to the sound library's SQLite file, used on one thread.
//
// The file: WAL journal (readers never wait for the writer, and a process
// that dies mid-write loses only its open transaction), foreign keys on,
// PRAGMA user_version as the schema number, migrations in one transaction,
// a busy timeout so a second running program waits for the first.
//
// Tables (schema 1):
//   sound        one row per distinct sound (see contentHash): the name it
//                was last seen under, first and last seen (ms since 1970,
//                UTC), where it was first seen, favourite, comment, how many
//                names it has, and "words", its names and tags in lower case
//                for the word search. UNIQUE(hash); index (name, id) for the
//                list ordered by name.
//   sound_dump   the 270 bytes as first seen, apart from the narrow rows
//                above so a name search reads no dumps.
//   sound_name   every name it was seen under, first and last seen.
//   sound_source every place it came from, first and last seen and times.
//   sound_tag    its tags (the categories and free ones); index on tag.
//   sound_value  one INTEGER column per stored parameter of the parameter
//                map, named after its editor control, holding the control
//                value decoded from the dump; columns follow the map (a row
//                the map gains is added and filled at the next open).
// All child tables cascade on the deletion of their sound.

#include "library/SearchQuery.h"
#include "store/SoundDump.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <span>

namespace sondrake::library {

inline constexpr int kSchemaVersion = 1;
inline constexpr int kDefaultBusyTimeoutMs = 5000;

struct OpenResult {
    bool ok = false;
    QString line; // one line for the Messages box; empty when there is nothing to say
};

struct ArchiveResult {
    bool ok = true;
    bool busy = false; // another program held the file past the busy timeout: worth a retry
    int sounds = 0; // records archived (empty slots are none)
    int newSounds = 0; // of those, sounds the library did not know
    QString error;
};

struct SoundRow {
    qint64 id = 0;
    QString name;
    QString tags; // joined with ", "
    bool favourite = false;
    QDateTime firstSeen;
    QString source;
};

struct SoundSource {
    QString text;
    QDateTime firstSeen;
    QDateTime lastSeen;
    int times = 0;
};

struct SoundRecord {
    qint64 id = 0;
    SoundDump dump {}; // as first seen
    QString name; // the latest name
    QStringList names; // every name, the first seen first
    QList<SoundSource> sources; // the first first
    QDateTime firstSeen;
    QDateTime lastSeen;
    bool favourite = false;
    QStringList tags;
    QString comment;

    // The sound to send or put into a slot: the dump under its latest name.
    SoundDump current() const;
};

enum class SortOrder { Newest, Name };

struct ImportResult {
    int files = 0; // files read
    int sounds = 0;
    int newSounds = 0;
    QStringList errors; // one line per file that failed
};

struct ExportResult {
    int written = 0;
    QStringList errors;
};

// Where a sound came from, as the library keeps it.
namespace sources {
    QString received(int bank, int program); // "received, bank 2 program 14"
    QString editedFrom(int slotNumber); // "edited from slot 105" (the number the list shows)
    QString randomized(); // "randomized"
    QString renamed(int slotNumber); // "renamed in slot 105"
}

class LibraryDatabase {
public:
    explicit LibraryDatabase(int busyTimeoutMs = kDefaultBusyTimeoutMs);
    ~LibraryDatabase();
    LibraryDatabase(const LibraryDatabase&) = delete;
    LibraryDatabase& operator=(const LibraryDatabase&) = delete;

    // Opens (creating and migrating) the file for reading and writing. A
    // damaged file, and its -wal and -shm, are renamed aside and a new empty
    // library is started; a read-only, locked or full one is left alone and
    // ok is false. Either way line says what happened.
    OpenResult open(const QString& path);
    // A second connection to a file open() has prepared: no migration, no writes.
    OpenResult openForReading(const QString& path);
    void close();
    bool isOpen() const;
    QString path() const;

    // All of one arrival in one transaction.
    ArchiveResult archive(std::span<const SoundDump> dumps, const QString& source,
        const QDateTime& when = QDateTime::currentDateTimeUtc());
    bool setFavourite(qint64 id, bool on, QString* error = nullptr);
    // Replaces the tags; a category is written as the list writes it.
    bool setTags(qint64 id, const QStringList& tags, QString* error = nullptr);
    bool setComment(qint64 id, const QString& comment, QString* error = nullptr);
    bool remove(const QList<qint64>& ids, QString* error = nullptr);

    // Copies what the journal holds into the file, as far as no reader
    // needs it; never waits. SQLite does it too once the journal is long.
    void checkpoint();

    qint64 count();
    QList<qint64> search(const SearchQuery& query, SortOrder order = SortOrder::Newest, QString* error = nullptr);
    QList<SoundRow> rows(const QList<qint64>& ids); // in the order of ids; unknown ids left out
    std::optional<SoundRecord> record(qint64 id);
    QList<qint64> duplicates(); // sounds stored under more than one name, newest first
    // Every sound with an id above after, in id order.
    void forEachDump(qint64 after, const std::function<void(qint64, const SoundDump&)>& visit);

    // Bank files and single-sound files (whole 270-byte records back to back,
    // at most 200): one transaction per file. perFile, when given, hears of
    // each file once it is committed.
    ImportResult importFiles(const QStringList& paths,
        const std::function<void(const QString& path, const ArchiveResult&)>& perFile = {});
    // One .syx file per sound, named after it, each written atomically.
    ExportResult exportLibrary(const QString& folder);

private:
    struct Private;
    std::unique_ptr<Private> d;
};

// library.sqlite -> library.sqlite.broken-20261208-103000 (-2, -3 ... when taken)
QString brokenFileName(const QString& path, const QDateTime& when);
// A name made fit for a file name on any file system: "Pad/Strings*" -> "Pad_Strings_".
QString fileNameFor(const QString& soundName);

} // namespace sondrake::library
