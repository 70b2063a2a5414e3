#include "library/LibraryDatabase.h"

#include "library/SoundIdentity.h"
#include "parametermap/ParameterMap.h"
#include "platform/AtomicFile.h"
#include "platform/BankFile.h"
#include "platform/FileLocations.h"
#include "store/SoundCategories.h"
#include "store/SoundStore.h"

#include <QAtomicInteger>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QThread>

#include <algorithm>

#include <unistd.h>

namespace sondrake::library {

using parametermap::ParameterEntry;

namespace sources {
    QString received(int bank, int program)
    {
        return QStringLiteral("received, bank %1 program %2").arg(bank).arg(program);
    }
    QString editedFrom(int slotNumber) { return QStringLiteral("edited from slot %1").arg(slotNumber); }
    QString randomized() { return QStringLiteral("randomized"); }
    QString renamed(int slotNumber) { return QStringLiteral("renamed in slot %1").arg(slotNumber); }
}

SoundDump SoundRecord::current() const { return withName(dump, name); }

namespace {

    // SQLite's primary result codes, as Qt's driver passes them on.
    enum SqliteCode { Busy = 5, Locked = 6, ReadOnly = 8, Corrupt = 11, Full = 13, CantOpen = 14, NotADb = 26 };

    enum class Failure { None, Corrupt, ReadOnly, Locked, Full, Newer, Other };

    int sqliteCode(const QSqlError& error)
    {
        bool ok = false;
        const int code = error.nativeErrorCode().toInt(&ok);
        return ok ? (code & 0xFF) : -1;
    }

    QString reason(const QSqlError& error)
    {
        return error.databaseText().isEmpty() ? error.text() : error.databaseText();
    }

    const std::vector<const ParameterEntry*>& storedEntries()
    {
        static const std::vector<const ParameterEntry*> entries = [] {
            std::vector<const ParameterEntry*> out;
            for (const ParameterEntry& entry : parametermap::parameterMap()) {
                if (entry.isStored())
                    out.push_back(&entry);
            }
            return out;
        }();
        return entries;
    }

    QString column(const ParameterEntry& entry)
    {
        return QLatin1Char('"') + QString::fromLatin1(entry.control.data(), qsizetype(entry.control.size()))
            + QLatin1Char('"');
    }

    const char* const kSchema1[] = {
        "CREATE TABLE sound ("
        " id INTEGER PRIMARY KEY,"
        " hash BLOB NOT NULL UNIQUE,"
        " name TEXT NOT NULL,"
        " first_seen INTEGER NOT NULL,"
        " last_seen INTEGER NOT NULL,"
        " source TEXT NOT NULL,"
        " favourite INTEGER NOT NULL DEFAULT 0,"
        " comment TEXT NOT NULL DEFAULT '',"
        " name_count INTEGER NOT NULL DEFAULT 1,"
        " words TEXT NOT NULL DEFAULT '')",
        "CREATE INDEX sound_by_name ON sound (name COLLATE NOCASE, id)",
        "CREATE TABLE sound_dump ("
        " sound_id INTEGER PRIMARY KEY REFERENCES sound (id) ON DELETE CASCADE,"
        " dump BLOB NOT NULL)",
        "CREATE TABLE sound_name ("
        " sound_id INTEGER NOT NULL REFERENCES sound (id) ON DELETE CASCADE,"
        " name TEXT NOT NULL,"
        " first_seen INTEGER NOT NULL,"
        " last_seen INTEGER NOT NULL,"
        " PRIMARY KEY (sound_id, name)) WITHOUT ROWID",
        "CREATE TABLE sound_source ("
        " sound_id INTEGER NOT NULL REFERENCES sound (id) ON DELETE CASCADE,"
        " source TEXT NOT NULL,"
        " first_seen INTEGER NOT NULL,"
        " last_seen INTEGER NOT NULL,"
        " times INTEGER NOT NULL DEFAULT 1,"
        " PRIMARY KEY (sound_id, source)) WITHOUT ROWID",
        "CREATE TABLE sound_tag ("
        " sound_id INTEGER NOT NULL REFERENCES sound (id) ON DELETE CASCADE,"
        " tag TEXT NOT NULL COLLATE NOCASE,"
        " PRIMARY KEY (sound_id, tag)) WITHOUT ROWID",
        "CREATE INDEX sound_tag_by_tag ON sound_tag (tag)",
        "CREATE TABLE sound_value (sound_id INTEGER PRIMARY KEY REFERENCES sound (id) ON DELETE CASCADE)",
    };

    // The parameters with an index of their own: the ones a sound is most
    // often looked for by. Each index costs about 1.2 MB per 100,000 sounds
    // and some pages more for every arrival to write (fourteen of them made
    // archiving a bank of 100 twice as slow), so only these; a condition on
    // any other parameter reads the narrow value table once, which stays
    // under 100 ms at 100,000 sounds.
    constexpr const char* kIndexedParameters[]
        = { "cmbOsc1Forms", "cmbOsc2Forms", "cmbOsc3Forms", "cmbFilterType", "KnobFrequency", "KnobResonance" };

    qint64 msOf(const QDateTime& when) { return when.toMSecsSinceEpoch(); }
    QDateTime timeOf(const QVariant& ms) { return QDateTime::fromMSecsSinceEpoch(ms.toLongLong(), Qt::UTC); }

    QString canonicalTag(const QString& tag)
    {
        const QString trimmed = tag.simplified();
        for (std::string_view category : kSoundCategories) {
            const QString name = QString::fromLatin1(category.data(), qsizetype(category.size()));
            if (name.compare(trimmed, Qt::CaseInsensitive) == 0)
                return name;
        }
        return trimmed;
    }

    QString idList(const QList<qint64>& ids)
    {
        QStringList parts;
        parts.reserve(ids.size());
        for (qint64 id : ids)
            parts << QString::number(id);
        return parts.join(QLatin1Char(','));
    }

    const char* sqlOperator(Comparison c)
    {
        switch (c) {
        case Comparison::Equal:
            return "=";
        case Comparison::NotEqual:
            return "<>";
        case Comparison::Less:
            return "<";
        case Comparison::LessOrEqual:
            return "<=";
        case Comparison::Greater:
            return ">";
        case Comparison::GreaterOrEqual:
            return ">=";
        }
        return "=";
    }

    // The share of evenly spread values a condition keeps.
    double share(const ParameterCondition& c)
    {
        const double n = std::max(1, c.entry->valueCount());
        const double below = std::clamp(double(c.value - c.entry->minimum), 0.0, n);
        switch (c.comparison) {
        case Comparison::Equal:
            return 1 / n;
        case Comparison::NotEqual:
            return 1 - 1 / n;
        case Comparison::Less:
            return below / n;
        case Comparison::LessOrEqual:
            return (below + 1) / n;
        case Comparison::Greater:
            return (n - below - 1) / n;
        case Comparison::GreaterOrEqual:
            return (n - below) / n;
        }
        return 1;
    }

    QAtomicInteger<quint64> connectionCounter;

} // namespace

struct LibraryDatabase::Private {
    int busyTimeoutMs = kDefaultBusyTimeoutMs;
    QString connection;
    QString path;
    bool open = false;
    QString error; // the last failure, for the caller's message
    int errorCode = -1;

    QSqlDatabase db() const { return QSqlDatabase::database(connection, false); }

    // Runs one statement; false with error set.
    bool exec(const QString& sql)
    {
        QSqlQuery q(db());
        if (q.exec(sql))
            return true;
        fail(q.lastError());
        return false;
    }
    bool exec(QSqlQuery& q)
    {
        if (q.exec())
            return true;
        fail(q.lastError());
        return false;
    }
    void fail(const QSqlError& e)
    {
        error = reason(e);
        errorCode = sqliteCode(e);
    }
    QVariant scalar(const QString& sql)
    {
        QSqlQuery q(db());
        if (!q.exec(sql)) {
            fail(q.lastError());
            return {};
        }
        return q.next() ? q.value(0) : QVariant();
    }

    void disconnect()
    {
        open = false;
        if (!connection.isEmpty()) {
            {
                QSqlDatabase d = db();
                if (d.isValid())
                    d.close();
            }
            QSqlDatabase::removeDatabase(connection);
        }
        connection.clear();
    }

    bool connect(const QString& file, bool readOnly)
    {
        disconnect();
        // Unique per connection, and so per thread: Qt's connections may not
        // cross threads.
        connection = QStringLiteral("sondrake-library-%1-%2")
                         .arg(connectionCounter.fetchAndAddRelaxed(1))
                         .arg(quintptr(QThread::currentThreadId()));
        QSqlDatabase d = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        d.setDatabaseName(file);
        d.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1%2")
                                .arg(busyTimeoutMs)
                                .arg(readOnly ? QStringLiteral(";QSQLITE_OPEN_READONLY") : QString()));
        if (!d.open()) {
            fail(d.lastError());
            return false;
        }
        path = file;
        // Page caches (in KiB) for 100,000 sounds: the writer's holds the
        // indexes an arrival touches, the reader's the value table a search
        // reads through (27 MB there); the default 2 MB would read them anew
        // from the file each time. Memory is taken only as pages are read.
        return exec(QStringLiteral("PRAGMA foreign_keys = ON"))
            && exec(QStringLiteral("PRAGMA cache_size = %1").arg(readOnly ? -32768 : -16384))
            // The library's thread copies the journal into the file when it
            // has nothing else to do (checkpoint()), so an arrival does not
            // wait for that copy and its flush to disk; this bound (32 MB)
            // only matters while arrivals never pause.
            && exec(QStringLiteral("PRAGMA wal_autocheckpoint = %1").arg(readOnly ? 1000 : 8000));
    }

    Failure classify() const
    {
        switch (errorCode) {
        case Corrupt:
        case NotADb:
            return Failure::Corrupt;
        case ReadOnly:
            return Failure::ReadOnly;
        case Busy:
        case Locked:
            return Failure::Locked;
        case Full:
            return Failure::Full;
        case CantOpen: {
            const QFileInfo info(path);
            if (info.exists() && (!info.isWritable() || !platform::isWritableFolder(info.absolutePath())))
                return Failure::ReadOnly;
            return Failure::Other;
        }
        default:
            return Failure::Other;
        }
    }

    // The value columns follow the parameter map: a stored row the table
    // lacks gets its column, filled from the dumps.
    bool addValueColumns()
    {
        QSet<QString> have;
        {
            QSqlQuery q(db());
            if (!q.exec(QStringLiteral("PRAGMA table_info(sound_value)"))) {
                fail(q.lastError());
                return false;
            }
            while (q.next())
                have.insert(q.value(1).toString());
        }
        std::vector<const ParameterEntry*> added;
        for (const ParameterEntry* entry : storedEntries()) {
            const QString name = QString::fromLatin1(entry->control.data(), qsizetype(entry->control.size()));
            if (have.contains(name))
                continue;
            if (!exec(QStringLiteral("ALTER TABLE sound_value ADD COLUMN %1 INTEGER").arg(column(*entry))))
                return false;
            added.push_back(entry);
        }
        if (!added.empty() && !fillValueColumns(added))
            return false;
        for (const char* control : kIndexedParameters) {
            const ParameterEntry* entry = parametermap::entryForControl(control);
            if (entry && entry->isStored()
                && !exec(QStringLiteral("CREATE INDEX IF NOT EXISTS \"sound_value_%1\" ON sound_value (%2)")
                            .arg(QLatin1String(control), column(*entry))))
                return false;
        }
        return true;
    }

    bool fillValueColumns(const std::vector<const ParameterEntry*>& added)
    {
        QSqlQuery read(db());
        read.setForwardOnly(true);
        if (!read.exec(QStringLiteral("SELECT sound_id, dump FROM sound_dump"))) {
            fail(read.lastError());
            return false;
        }
        QStringList sets;
        for (const ParameterEntry* entry : added)
            sets << column(*entry) + QStringLiteral(" = ?");
        QSqlQuery write(db());
        write.prepare(QStringLiteral("UPDATE sound_value SET %1 WHERE sound_id = ?").arg(sets.join(QStringLiteral(", "))));
        while (read.next()) {
            const QByteArray bytes = read.value(1).toByteArray();
            if (bytes.size() != qsizetype(kDumpSize))
                continue;
            SoundDump dump;
            std::copy(bytes.begin(), bytes.end(), dump.begin());
            int k = 0;
            for (const ParameterEntry* entry : added)
                write.bindValue(k++, parametermap::readValue(dump, *entry));
            write.bindValue(k, read.value(0));
            if (!exec(write))
                return false;
        }
        return true;
    }

    Failure prepareSchema(QString* why)
    {
        if (!exec(QStringLiteral("PRAGMA journal_mode = WAL")) || !exec(QStringLiteral("PRAGMA synchronous = NORMAL"))
            || !exec(QStringLiteral("BEGIN IMMEDIATE")))
            return classify();
        auto rollback = [&](Failure f) {
            const QString keep = error;
            const int code = errorCode;
            exec(QStringLiteral("ROLLBACK"));
            error = keep;
            errorCode = code;
            return f;
        };
        const QVariant version = scalar(QStringLiteral("PRAGMA user_version"));
        if (!version.isValid())
            return rollback(classify());
        const int from = version.toInt();
        if (from > kSchemaVersion) {
            *why = QCoreApplication::translate(
                "LibraryDatabase", "it was written by a newer version of the program");
            return rollback(Failure::Newer);
        }
        if (from == 0) {
            const QVariant tables = scalar(QStringLiteral("SELECT count(*) FROM sqlite_master"));
            if (!tables.isValid())
                return rollback(classify());
            if (tables.toInt() > 0) {
                *why = QCoreApplication::translate("LibraryDatabase", "it holds tables of another program");
                return rollback(Failure::Corrupt);
            }
            for (const char* sql : kSchema1) {
                if (!exec(QString::fromLatin1(sql)))
                    return rollback(classify());
            }
        }
        // Later schema versions add their steps here, each from the one before.
        if (!addValueColumns())
            return rollback(classify());
        // Written even when unchanged: it proves the file takes writes now.
        if (!exec(QStringLiteral("PRAGMA user_version = %1").arg(kSchemaVersion)) || !exec(QStringLiteral("COMMIT")))
            return rollback(classify());
        return Failure::None;
    }

    // ---- archiving -------------------------------------------------------

    struct Statements {
        QSqlQuery findHash, insertSound, insertDump, insertValues, touchSound, upsertName, upsertSource, nameCount;
    };
    std::unique_ptr<Statements> statements;

    Statements& prepared()
    {
        if (statements)
            return *statements;
        const QSqlDatabase d = db();
        statements = std::make_unique<Statements>(Statements { QSqlQuery(d), QSqlQuery(d), QSqlQuery(d),
            QSqlQuery(d), QSqlQuery(d), QSqlQuery(d), QSqlQuery(d), QSqlQuery(d) });
        Statements& s = *statements;
        s.findHash.prepare(QStringLiteral("SELECT id FROM sound WHERE hash = ?"));
        s.insertSound.prepare(QStringLiteral(
            "INSERT INTO sound (hash, name, first_seen, last_seen, source, words) VALUES (?, ?, ?, ?, ?, ?)"));
        s.insertDump.prepare(QStringLiteral("INSERT INTO sound_dump (sound_id, dump) VALUES (?, ?)"));
        QStringList columns { QStringLiteral("sound_id") };
        QStringList marks { QStringLiteral("?") };
        for (const ParameterEntry* entry : storedEntries()) {
            columns << column(*entry);
            marks << QStringLiteral("?");
        }
        s.insertValues.prepare(QStringLiteral("INSERT INTO sound_value (%1) VALUES (%2)")
                                   .arg(columns.join(QLatin1Char(',')), marks.join(QLatin1Char(','))));
        s.touchSound.prepare(QStringLiteral("UPDATE sound SET last_seen = max(last_seen, ?), name = ? WHERE id = ?"));
        s.upsertName.prepare(QStringLiteral(
            "INSERT INTO sound_name (sound_id, name, first_seen, last_seen) VALUES (?, ?, ?, ?) "
            "ON CONFLICT (sound_id, name) DO UPDATE SET last_seen = max(last_seen, excluded.last_seen)"));
        s.upsertSource.prepare(QStringLiteral(
            "INSERT INTO sound_source (sound_id, source, first_seen, last_seen) VALUES (?, ?, ?, ?) "
            "ON CONFLICT (sound_id, source) DO UPDATE SET last_seen = max(last_seen, excluded.last_seen), "
            "times = times + 1"));
        s.nameCount.prepare(QStringLiteral("SELECT count(*) FROM sound_name WHERE sound_id = ?"));
        return s;
    }

    // The names and tags the word search looks in, after they changed.
    bool refreshWords(qint64 id)
    {
        QStringList words;
        QSqlQuery q(db());
        q.prepare(QStringLiteral("SELECT name FROM sound_name WHERE sound_id = ? UNION ALL "
                                 "SELECT tag FROM sound_tag WHERE sound_id = ?"));
        q.addBindValue(id);
        q.addBindValue(id);
        if (!exec(q))
            return false;
        while (q.next())
            words << q.value(0).toString().toLower();
        QSqlQuery update(db());
        update.prepare(QStringLiteral("UPDATE sound SET words = ?, name_count = "
                                      "(SELECT count(*) FROM sound_name WHERE sound_id = ?) WHERE id = ?"));
        update.addBindValue(words.join(QLatin1Char('\n')));
        update.addBindValue(id);
        update.addBindValue(id);
        return exec(update);
    }

    bool archiveOne(const SoundDump& dump, const QString& source, qint64 when, bool* isNew)
    {
        Statements& s = prepared();
        const QByteArray hash = contentHash(dump);
        const QString name = soundName(dump);
        s.findHash.bindValue(0, hash);
        if (!exec(s.findHash))
            return false;
        qint64 id = 0;
        *isNew = !s.findHash.next();
        if (!*isNew)
            id = s.findHash.value(0).toLongLong();
        s.findHash.finish();
        if (*isNew) {
            s.insertSound.bindValue(0, hash);
            s.insertSound.bindValue(1, name);
            s.insertSound.bindValue(2, when);
            s.insertSound.bindValue(3, when);
            s.insertSound.bindValue(4, source);
            s.insertSound.bindValue(5, name.toLower());
            if (!exec(s.insertSound))
                return false;
            id = s.insertSound.lastInsertId().toLongLong();
            s.insertDump.bindValue(0, id);
            s.insertDump.bindValue(1, QByteArray(reinterpret_cast<const char*>(dump.data()), qsizetype(kDumpSize)));
            if (!exec(s.insertDump))
                return false;
            s.insertValues.bindValue(0, id);
            int k = 1;
            for (const ParameterEntry* entry : storedEntries())
                s.insertValues.bindValue(k++, parametermap::readValue(dump, *entry));
            if (!exec(s.insertValues))
                return false;
        } else {
            s.touchSound.bindValue(0, when);
            s.touchSound.bindValue(1, name);
            s.touchSound.bindValue(2, id);
            if (!exec(s.touchSound))
                return false;
        }
        s.upsertName.bindValue(0, id);
        s.upsertName.bindValue(1, name);
        s.upsertName.bindValue(2, when);
        s.upsertName.bindValue(3, when);
        if (!exec(s.upsertName))
            return false;
        s.upsertSource.bindValue(0, id);
        s.upsertSource.bindValue(1, source);
        s.upsertSource.bindValue(2, when);
        s.upsertSource.bindValue(3, when);
        if (!exec(s.upsertSource))
            return false;
        if (!*isNew) {
            // A name it had not been seen under before: the search must find it.
            s.nameCount.bindValue(0, id);
            if (!exec(s.nameCount))
                return false;
            const int names = s.nameCount.next() ? s.nameCount.value(0).toInt() : 0;
            s.nameCount.finish();
            QSqlQuery known(db());
            known.prepare(QStringLiteral("SELECT name_count FROM sound WHERE id = ?"));
            known.addBindValue(id);
            if (!exec(known))
                return false;
            if (known.next() && known.value(0).toInt() != names && !refreshWords(id))
                return false;
        }
        return true;
    }

    bool inTransaction(const std::function<bool()>& work)
    {
        if (!open) {
            error = QCoreApplication::translate("LibraryDatabase", "the library is not open");
            errorCode = -1;
            return false;
        }
        if (!exec(QStringLiteral("BEGIN IMMEDIATE")))
            return false;
        if (work() && exec(QStringLiteral("COMMIT")))
            return true;
        const QString keep = error;
        const int code = errorCode;
        exec(QStringLiteral("ROLLBACK"));
        error = keep;
        errorCode = code;
        return false;
    }
};

LibraryDatabase::LibraryDatabase(int busyTimeoutMs)
    : d(std::make_unique<Private>())
{
    d->busyTimeoutMs = busyTimeoutMs;
}

LibraryDatabase::~LibraryDatabase() { close(); }

void LibraryDatabase::close()
{
    d->statements.reset();
    d->disconnect();
}

bool LibraryDatabase::isOpen() const { return d->open; }

QString LibraryDatabase::path() const { return d->path; }

QString brokenFileName(const QString& path, const QDateTime& when)
{
    const QString base = path + QStringLiteral(".broken-") + when.toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString name = base;
    for (int n = 2; QFileInfo::exists(name) || QFileInfo::exists(name + QStringLiteral("-wal")); ++n)
        name = base + QStringLiteral("-%1").arg(n);
    return name;
}

OpenResult LibraryDatabase::open(const QString& path)
{
    close();
    const QString shown = QDir::toNativeSeparators(path);
    auto off = [&](const QString& why) {
        close();
        return OpenResult { false,
            QCoreApplication::translate("LibraryDatabase", "The sound library is off for this run: %1")
                .arg(why) };
    };
    QString folderError;
    if (!platform::makeFolderFor(path, &folderError))
        return off(folderError);

    // SQLite removes a -wal it cannot use when the connection closes; a
    // second name for it keeps those bytes until we know the file is sound.
    const QString wal = path + QStringLiteral("-wal");
    const QString walKept = path + QStringLiteral("-wal.kept");
    QFile::remove(walKept);
    const bool keptWal = QFileInfo::exists(wal)
        && (::link(QFile::encodeName(wal).constData(), QFile::encodeName(walKept).constData()) == 0
            || QFile::copy(wal, walKept));

    QString why;
    Failure failure = Failure::None;
    if (!d->connect(path, false))
        failure = d->classify();
    else
        failure = d->prepareSchema(&why);
    if (why.isEmpty())
        why = d->error;

    QString line;
    if (failure == Failure::Corrupt) {
        close();
        const QString aside = brokenFileName(path, QDateTime::currentDateTime());
        if (keptWal && !QFileInfo::exists(wal))
            QFile::rename(walKept, wal);
        QFile::remove(walKept);
        for (const QString& suffix : { QString(), QStringLiteral("-wal"), QStringLiteral("-shm") }) {
            if (QFileInfo::exists(path + suffix) && !QFile::rename(path + suffix, aside + suffix))
                return off(QCoreApplication::translate(
                    "LibraryDatabase", "%1 is damaged (%2) and could not be moved aside")
                               .arg(shown, why));
        }
        line = QCoreApplication::translate("LibraryDatabase",
            "The sound library %1 was damaged (%2): it was moved aside as %3 and a new empty "
            "library was started.")
                   .arg(shown, why, QFileInfo(aside).fileName());
        if (!d->connect(path, false))
            failure = d->classify();
        else
            failure = d->prepareSchema(&why);
        if (failure != Failure::None)
            return off(QCoreApplication::translate(
                "LibraryDatabase", "the new library %1 cannot be started either (%2)")
                           .arg(shown, d->error));
    }
    QFile::remove(walKept);
    switch (failure) {
    case Failure::None:
        d->open = true;
        return { true, line };
    case Failure::ReadOnly:
        return off(QCoreApplication::translate("LibraryDatabase", "%1 is read-only (%2)").arg(shown, why));
    case Failure::Locked:
        return off(QCoreApplication::translate("LibraryDatabase", "%1 is locked by another program (%2)")
                       .arg(shown, why));
    case Failure::Full:
        return off(
            QCoreApplication::translate("LibraryDatabase", "the disk of %1 is full (%2)").arg(shown, why));
    case Failure::Newer:
        return off(QCoreApplication::translate("LibraryDatabase", "%1 cannot be used: %2").arg(shown, why));
    case Failure::Corrupt:
    case Failure::Other:
        break;
    }
    return off(QCoreApplication::translate("LibraryDatabase", "%1 cannot be opened (%2)").arg(shown, why));
}

OpenResult LibraryDatabase::openForReading(const QString& path)
{
    close();
    if (!d->connect(path, true) || !d->exec(QStringLiteral("PRAGMA query_only = ON"))) {
        const QString why = d->error;
        close();
        return { false,
            QCoreApplication::translate("LibraryDatabase", "The sound library %1 cannot be read (%2)")
                .arg(QDir::toNativeSeparators(path), why) };
    }
    d->open = true;
    return { true, {} };
}

ArchiveResult LibraryDatabase::archive(std::span<const SoundDump> dumps, const QString& source, const QDateTime& when)
{
    ArchiveResult result;
    const qint64 ms = msOf(when);
    result.ok = d->inTransaction([&] {
        result.sounds = result.newSounds = 0;
        for (const SoundDump& dump : dumps) {
            if (!isSoundRecord(dump))
                continue;
            bool isNew = false;
            if (!d->archiveOne(dump, source, ms, &isNew))
                return false;
            ++result.sounds;
            result.newSounds += isNew ? 1 : 0;
        }
        return true;
    });
    if (!result.ok) {
        result.sounds = result.newSounds = 0;
        result.error = d->error;
        result.busy = d->errorCode == Busy || d->errorCode == Locked;
    }
    return result;
}

bool LibraryDatabase::setFavourite(qint64 id, bool on, QString* error)
{
    const bool ok = d->inTransaction([&] {
        QSqlQuery q(d->db());
        q.prepare(QStringLiteral("UPDATE sound SET favourite = ? WHERE id = ?"));
        q.addBindValue(on ? 1 : 0);
        q.addBindValue(id);
        return d->exec(q);
    });
    if (!ok && error)
        *error = d->error;
    return ok;
}

bool LibraryDatabase::setTags(qint64 id, const QStringList& tags, QString* error)
{
    const bool ok = d->inTransaction([&] {
        QSqlQuery clear(d->db());
        clear.prepare(QStringLiteral("DELETE FROM sound_tag WHERE sound_id = ?"));
        clear.addBindValue(id);
        if (!d->exec(clear))
            return false;
        QSqlQuery add(d->db());
        add.prepare(QStringLiteral("INSERT OR IGNORE INTO sound_tag (sound_id, tag) VALUES (?, ?)"));
        for (const QString& tag : tags) {
            const QString clean = canonicalTag(tag);
            if (clean.isEmpty())
                continue;
            add.bindValue(0, id);
            add.bindValue(1, clean);
            if (!d->exec(add))
                return false;
        }
        return d->refreshWords(id);
    });
    if (!ok && error)
        *error = d->error;
    return ok;
}

bool LibraryDatabase::setComment(qint64 id, const QString& comment, QString* error)
{
    const bool ok = d->inTransaction([&] {
        QSqlQuery q(d->db());
        q.prepare(QStringLiteral("UPDATE sound SET comment = ? WHERE id = ?"));
        q.addBindValue(comment);
        q.addBindValue(id);
        return d->exec(q);
    });
    if (!ok && error)
        *error = d->error;
    return ok;
}

bool LibraryDatabase::remove(const QList<qint64>& ids, QString* error)
{
    const bool ok = ids.isEmpty()
        || d->inTransaction([&] { return d->exec(QStringLiteral("DELETE FROM sound WHERE id IN (%1)").arg(idList(ids))); });
    if (!ok && error)
        *error = d->error;
    return ok;
}

void LibraryDatabase::checkpoint()
{
    if (d->open)
        d->exec(QStringLiteral("PRAGMA wal_checkpoint(PASSIVE)"));
}

qint64 LibraryDatabase::count()
{
    if (!d->open)
        return 0;
    return d->scalar(QStringLiteral("SELECT count(*) FROM sound")).toLongLong();
}

QList<qint64> LibraryDatabase::search(const SearchQuery& query, SortOrder order, QString* error)
{
    QList<qint64> ids;
    if (!d->open)
        return ids;
    // Conditions alone read the value table only; the narrow sound table
    // joins in for words, favourites and the order by name.
    const bool needsSound = !query.words.isEmpty() || query.favouritesOnly || order == SortOrder::Name;
    QString sql;
    if (query.conditions.empty())
        sql = QStringLiteral("SELECT s.id FROM sound s");
    else if (needsSound)
        sql = QStringLiteral("SELECT s.id FROM sound_value v JOIN sound s ON s.id = v.sound_id");
    else
        sql = QStringLiteral("SELECT v.sound_id FROM sound_value v");
    const QString id = query.conditions.empty() || needsSound ? QStringLiteral("s.id") : QStringLiteral("v.sound_id");
    QStringList where;
    for (qsizetype i = 0; i < query.words.size(); ++i)
        where << QStringLiteral("instr(s.words, ?) > 0");
    // SQLite tests the conditions in the order written: the one that keeps
    // the fewest sounds goes first, so the others are read for fewer rows.
    std::vector<ParameterCondition> conditions = query.conditions;
    std::stable_sort(conditions.begin(), conditions.end(),
        [](const ParameterCondition& a, const ParameterCondition& b) { return share(a) < share(b); });
    for (const ParameterCondition& c : conditions)
        where << QStringLiteral("v.%1 %2 ?").arg(column(*c.entry), QLatin1String(sqlOperator(c.comparison)));
    if (query.favouritesOnly)
        where << QStringLiteral("s.favourite = 1");
    if (!where.isEmpty())
        sql += QStringLiteral(" WHERE ") + where.join(QStringLiteral(" AND "));
    sql += order == SortOrder::Name ? QStringLiteral(" ORDER BY s.name COLLATE NOCASE, s.id")
                                    : QStringLiteral(" ORDER BY %1 DESC").arg(id);
    QSqlQuery q(d->db());
    q.setForwardOnly(true);
    q.prepare(sql);
    int k = 0;
    for (const QString& word : query.words)
        q.bindValue(k++, word);
    for (const ParameterCondition& c : conditions)
        q.bindValue(k++, c.value);
    if (!d->exec(q)) {
        if (error)
            *error = d->error;
        return ids;
    }
    while (q.next())
        ids.append(q.value(0).toLongLong());
    return ids;
}

QList<SoundRow> LibraryDatabase::rows(const QList<qint64>& ids)
{
    QList<SoundRow> out;
    if (!d->open || ids.isEmpty())
        return out;
    QSqlQuery q(d->db());
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT s.id, s.name, s.favourite, s.first_seen, s.source, "
                               "(SELECT group_concat(tag, ', ') FROM (SELECT tag FROM sound_tag t "
                               "WHERE t.sound_id = s.id ORDER BY tag)) FROM sound s WHERE s.id IN (%1)")
                    .arg(idList(ids)))) {
        d->fail(q.lastError());
        return out;
    }
    QHash<qint64, SoundRow> found;
    while (q.next()) {
        SoundRow row;
        row.id = q.value(0).toLongLong();
        row.name = q.value(1).toString();
        row.favourite = q.value(2).toInt() != 0;
        row.firstSeen = timeOf(q.value(3));
        row.source = q.value(4).toString();
        row.tags = q.value(5).toString();
        found.insert(row.id, row);
    }
    for (qint64 id : ids) {
        auto it = found.constFind(id);
        if (it != found.constEnd())
            out.append(*it);
    }
    return out;
}

std::optional<SoundRecord> LibraryDatabase::record(qint64 id)
{
    if (!d->open)
        return std::nullopt;
    QSqlQuery q(d->db());
    q.prepare(QStringLiteral("SELECT s.name, s.first_seen, s.last_seen, s.favourite, s.comment, d.dump "
                             "FROM sound s JOIN sound_dump d ON d.sound_id = s.id WHERE s.id = ?"));
    q.addBindValue(id);
    if (!d->exec(q) || !q.next())
        return std::nullopt;
    SoundRecord r;
    r.id = id;
    r.name = q.value(0).toString();
    r.firstSeen = timeOf(q.value(1));
    r.lastSeen = timeOf(q.value(2));
    r.favourite = q.value(3).toInt() != 0;
    r.comment = q.value(4).toString();
    const QByteArray bytes = q.value(5).toByteArray();
    std::copy_n(bytes.constData(), std::min<qsizetype>(bytes.size(), qsizetype(kDumpSize)), r.dump.begin());

    QSqlQuery names(d->db());
    names.prepare(QStringLiteral("SELECT name FROM sound_name WHERE sound_id = ? ORDER BY first_seen, name"));
    names.addBindValue(id);
    if (d->exec(names)) {
        while (names.next())
            r.names << names.value(0).toString();
    }
    QSqlQuery from(d->db());
    from.prepare(QStringLiteral(
        "SELECT source, first_seen, last_seen, times FROM sound_source WHERE sound_id = ? ORDER BY first_seen"));
    from.addBindValue(id);
    if (d->exec(from)) {
        while (from.next())
            r.sources.append({ from.value(0).toString(), timeOf(from.value(1)), timeOf(from.value(2)), from.value(3).toInt() });
    }
    QSqlQuery tags(d->db());
    tags.prepare(QStringLiteral("SELECT tag FROM sound_tag WHERE sound_id = ? ORDER BY tag"));
    tags.addBindValue(id);
    if (d->exec(tags)) {
        while (tags.next())
            r.tags << tags.value(0).toString();
    }
    return r;
}

QList<qint64> LibraryDatabase::duplicates()
{
    QList<qint64> ids;
    if (!d->open)
        return ids;
    QSqlQuery q(d->db());
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT id FROM sound WHERE name_count > 1 ORDER BY id DESC")))
        return ids;
    while (q.next())
        ids.append(q.value(0).toLongLong());
    return ids;
}

void LibraryDatabase::forEachDump(qint64 after, const std::function<void(qint64, const SoundDump&)>& visit)
{
    if (!d->open)
        return;
    QSqlQuery q(d->db());
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT sound_id, dump FROM sound_dump WHERE sound_id > ? ORDER BY sound_id"));
    q.addBindValue(after);
    if (!d->exec(q))
        return;
    SoundDump dump {};
    while (q.next()) {
        const QByteArray bytes = q.value(1).toByteArray();
        if (bytes.size() != qsizetype(kDumpSize))
            continue;
        std::copy(bytes.begin(), bytes.end(), dump.begin());
        visit(q.value(0).toLongLong(), dump);
    }
}

ImportResult LibraryDatabase::importFiles(
    const QStringList& paths, const std::function<void(const QString&, const ArchiveResult&)>& perFile)
{
    ImportResult result;
    for (const QString& path : paths) {
        const QString shown = QDir::toNativeSeparators(path);
        SoundStore store;
        const bankfile::LoadResult loaded = bankfile::loadBankFile(path, store);
        if (!loaded.ok) {
            result.errors << QStringLiteral("%1: %2").arg(shown, loaded.error);
            continue;
        }
        std::vector<SoundDump> dumps;
        for (int s = 0; s < loaded.blocksLoaded; ++s) {
            if (isSoundRecord(store.slot(s)))
                dumps.push_back(store.slot(s));
        }
        if (dumps.empty()) {
            result.errors << QCoreApplication::translate("LibraryDatabase", "%1: holds no sound").arg(shown);
            continue;
        }
        const ArchiveResult archived = archive(dumps, QFileInfo(path).absoluteFilePath());
        if (!archived.ok) {
            result.errors << QStringLiteral("%1: %2").arg(shown, archived.error);
            continue;
        }
        ++result.files;
        result.sounds += archived.sounds;
        result.newSounds += archived.newSounds;
        if (perFile)
            perFile(path, archived);
    }
    return result;
}

QString fileNameFor(const QString& soundName)
{
    QString name;
    for (QChar c : soundName) {
        const bool plain = (c.unicode() < 128 && c.isLetterOrNumber()) || QStringLiteral(" -_+#()").contains(c);
        name += plain ? c : QLatin1Char('_');
    }
    name = name.trimmed();
    return name.isEmpty() ? QStringLiteral("unnamed") : name;
}

ExportResult LibraryDatabase::exportLibrary(const QString& folder)
{
    ExportResult result;
    if (!d->open) {
        result.errors << QCoreApplication::translate("LibraryDatabase", "the library is not open");
        return result;
    }
    QString error;
    if (!platform::makeFolderFor(QDir(folder).filePath(QStringLiteral("x")), &error)) {
        result.errors << error;
        return result;
    }
    QSqlQuery q(d->db());
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT s.name, d.dump FROM sound s JOIN sound_dump d ON d.sound_id = s.id ORDER BY s.id"))) {
        result.errors << reason(q.lastError());
        return result;
    }
    QSet<QString> taken; // lower case: the folder may be on a file system that ignores case
    const QDir dir(folder);
    while (q.next()) {
        const QByteArray bytes = q.value(1).toByteArray();
        if (bytes.size() != qsizetype(kDumpSize))
            continue;
        SoundDump dump;
        std::copy(bytes.begin(), bytes.end(), dump.begin());
        const QString name = q.value(0).toString();
        const QString base = fileNameFor(name);
        QString file = base + QStringLiteral(".syx");
        for (int n = 2; taken.contains(file.toLower()); ++n)
            file = QStringLiteral("%1 (%2).syx").arg(base).arg(n);
        taken.insert(file.toLower());
        const SoundDump current = withName(dump, name);
        if (!writeFileAtomically(dir.filePath(file),
                QByteArray(reinterpret_cast<const char*>(current.data()), qsizetype(kDumpSize)), &error)) {
            result.errors << QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(dir.filePath(file)), error);
            continue;
        }
        ++result.written;
    }
    return result;
}

} // namespace sondrake::library
