#include "ModalTestSupport.h"
#include "librarian/LibraryWindow.h"
#include "library/Library.h"
#include "library/LibraryModel.h"
#include "library/LibraryDatabase.h"
#include "library/SoundIdentity.h"
#include "parametermap/ParameterMap.h"
#include "store/SoundStore.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTableView>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <unistd.h>

using namespace sondrake;
using namespace sondrake::library;
namespace pm = sondrake::parametermap;

namespace {

// A framed record whose parameter bytes follow the seed.
SoundDump makeSound(quint32 seed, const char* name)
{
    SoundDump d {};
    QRandomGenerator random(seed);
    for (auto& b : d)
        b = std::uint8_t(random.bounded(128));
    d.front() = 0xF0;
    d.back() = 0xF7;
    writeName(d, name);
    return d;
}

QByteArray bytesOf(const SoundDump& d) { return QByteArray(reinterpret_cast<const char*>(d.data()), qsizetype(kDumpSize)); }

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

QString program() { return qEnvironmentVariable("SONDRAKE_BIN_DIR") + QStringLiteral("/sondrake"); }

const pm::ParameterEntry& entry(const char* control) { return *pm::entryForControl(control); }

} // namespace

class TestLibrary : public QObject {
    Q_OBJECT
private slots:
    void identityLeavesOutNameAndLocation()
    {
        QTemporaryDir dir;
        LibraryDatabase db;
        QVERIFY(db.open(dir.filePath(QStringLiteral("library.sqlite"))).ok);

        SoundDump pad = makeSound(1, "Warm Pad");
        SoundDump renamed = pad;
        writeName(renamed, "Pad 2");
        SoundDump moved = pad;
        moved[kLocationBankByte] = 2;
        moved[kLocationProgramByte] = 14;
        SoundDump other = pad;
        other[kNameOffset - 1] ^= 1; // the last parameter byte before the name
        SoundDump empty {};
        writeName(empty, "empty");

        ArchiveResult r = db.archive(std::vector { pad, empty }, sources::received(2, 14));
        QVERIFY(r.ok);
        QCOMPARE(r.newSounds, 1);
        QCOMPARE(r.sounds, 1); // a never-filled slot is no sound
        r = db.archive(std::vector { renamed, moved, other }, QStringLiteral("/banks/a.syx"));
        QCOMPARE(r.newSounds, 1);
        QCOMPARE(db.count(), 2);

        const QList<qint64> all = db.search(parseSearch(QString()));
        QCOMPARE(all.size(), 2);
        const auto first = db.record(all.last());
        QVERIFY(first);
        QCOMPARE(first->names, QStringList({ QStringLiteral("Warm Pad"), QStringLiteral("Pad 2") }));
        QCOMPARE(first->name, QStringLiteral("Warm Pad")); // the moved copy came last, under the first name
        QCOMPARE(bytesOf(first->dump), bytesOf(pad)); // as first seen
        QCOMPARE(first->sources.size(), 2);
        QCOMPARE(first->sources[0].text, QStringLiteral("received, bank 2 program 14"));
        QCOMPARE(first->sources[1].times, 2);
        QCOMPARE(db.duplicates(), QList<qint64>({ all.last() }));
        // The second name is found, and tags are words too.
        QCOMPARE(db.search(parseSearch(QStringLiteral("pad 2"))), QList<qint64>({ all.last() }));
        QVERIFY(db.setTags(all.first(), { QStringLiteral("bass"), QStringLiteral("dark") }));
        QCOMPARE(db.record(all.first())->tags, QStringList({ QStringLiteral("Bass"), QStringLiteral("dark") }));
        QCOMPARE(db.search(parseSearch(QStringLiteral("DARK"))), QList<qint64>({ all.first() }));
        QVERIFY(db.setFavourite(all.first(), true));
        QCOMPARE(db.search(parseSearch(QStringLiteral("fav"))), QList<qint64>({ all.first() }));
        QVERIFY(db.remove({ all.first() }));
        QCOMPARE(db.count(), 1);
        QSqlQuery orphans(QSqlDatabase::database(QSqlDatabase::connectionNames().constFirst()));
        QVERIFY(orphans.exec(QStringLiteral("SELECT (SELECT count(*) FROM sound_tag) + (SELECT count(*) FROM sound_value)")));
        QVERIFY(orphans.next());
        QCOMPARE(orphans.value(0).toInt(), 1); // the deleted sound's tags and values went with it
    }

    void parameterSearchReadsValuesWrittenThroughTheMap()
    {
        QTemporaryDir dir;
        LibraryDatabase db;
        QVERIFY(db.open(dir.filePath(QStringLiteral("library.sqlite"))).ok);
        const auto& wave = entry("cmbOsc1Forms");
        const auto& frequency = entry("KnobFrequency");
        const auto& pw = entry("KnobOsc1ManualPW");
        const auto& keysync = entry("ckbLfo1Keysync");
        std::vector<SoundDump> dumps;
        // wave 2 = SAWTOOTH; frequency around the bound of 100; a bipolar knob
        const int waves[] = { 2, 2, 2, 3 };
        const int frequencies[] = { 100, 101, 127, 120 };
        for (int i = 0; i < 4; ++i) {
            SoundDump d = makeSound(quint32(10 + i), "S");
            pm::writeValue(d, wave, waves[i]);
            pm::writeValue(d, frequency, frequencies[i]);
            pm::writeValue(d, pw, i == 2 ? -64 : 10);
            pm::writeValue(d, keysync, i == 1 ? 1 : 0);
            dumps.push_back(d);
        }
        QCOMPARE(db.archive(dumps, QStringLiteral("randomized")).newSounds, 4);
        const QList<qint64> newest = db.search(parseSearch(QString()));
        auto ids = [&](std::initializer_list<int> sounds) {
            QList<qint64> out;
            for (int i : sounds)
                out << newest[3 - i];
            return out;
        };
        QCOMPARE(db.search(parseSearch(QStringLiteral("osc1 waveform = SAWTOOTH filter frequency > 100"))), ids({ 2, 1 }));
        QCOMPARE(db.search(parseSearch(QStringLiteral("Oscillator 1 Waveform=sawtooth, frequency>=100"))), ids({ 2, 1, 0 }));
        QCOMPARE(db.search(parseSearch(QStringLiteral("osc1 manual pw < -63"))), ids({ 2 }));
        QCOMPARE(db.search(parseSearch(QStringLiteral("lfo 1 keysync = on"))), ids({ 1 }));
        QCOMPARE(db.search(parseSearch(QStringLiteral("osc1 waveform > SAWTOOTH"))), ids({ 3 }));

        // What the search does not understand is said, not guessed.
        QVERIFY(parseSearch(QStringLiteral("osc9 waveform = SINE")).error.contains(QStringLiteral("osc9 waveform")));
        QVERIFY(parseSearch(QStringLiteral("osc1 waveform = BANJO")).error.contains(QStringLiteral("BANJO")));
        QVERIFY(!parseSearch(QStringLiteral("filter frequency > loud")).error.isEmpty());
        const SearchQuery spaced = parseSearch(QStringLiteral("pad osc2 waveform = HP NOISE"));
        QVERIFY(spaced.error.isEmpty());
        QCOMPARE(spaced.words, QStringList({ QStringLiteral("pad") }));
        QCOMPARE(spaced.conditions.at(0).value, 5);
    }

    void similarSoundsNearestFirst()
    {
        QTemporaryDir dir;
        Library library(dir.filePath(QStringLiteral("library.sqlite")));
        QSignalSpy opened(&library, &Library::opened);
        library.open();
        QVERIFY(opened.wait(5000));
        QVERIFY(opened.at(0).at(0).toBool());
        const SoundDump base = makeSound(7, "Base");
        SoundDump near = base, far = base;
        pm::writeValue(near, entry("KnobResonance"), pm::readValue(base, entry("KnobResonance")) ^ 1);
        for (const char* c : { "cmbOsc1Forms", "cmbOsc2Forms", "cmbOsc3Forms" })
            pm::writeValue(far, entry(c), (pm::readValue(base, entry(c)) + 1) % 17);
        library.archive({ far, base, near }, QStringLiteral("randomized"));
        QSignalSpy archived(&library, &Library::archived);
        QVERIFY(archived.wait(5000)); // the worker's write reached the GUI thread's connection
        const QList<qint64> ids = library.reader()->search(parseSearch(QString()));
        QCOMPARE(ids.size(), 3);
        const QList<Neighbour> similar = library.similar(ids[1], 5);
        QCOMPARE(similar.size(), 2);
        QCOMPARE(similar[0].id, ids[0]);
        QCOMPARE(similar[1].id, ids[2]);
    }

    void windowHandsOutTheSoundUnderItsLatestName()
    {
        QTemporaryDir dir;
        Library library(dir.filePath(QStringLiteral("library.sqlite")));
        QSignalSpy opened(&library, &Library::opened);
        library.open();
        QVERIFY(opened.wait(5000));
        SoundDump lead = makeSound(21, "Lead");
        SoundDump renamed = lead;
        writeName(renamed, "Lead Final");
        renamed[kLocationProgramByte] = 42;
        QSignalSpy archived(&library, &Library::archived);
        library.archive({ makeSound(22, "Other"), lead }, QStringLiteral("randomized"));
        library.archive(renamed, sources::editedFrom(105));
        QVERIFY(archived.wait(5000) && (archived.size() == 2 || archived.wait(5000)));

        LibraryWindow window(library);
        window.show();
        QCOMPARE(window.model()->rowCount(), 2);
        QCOMPARE(window.model()->index(0, LibraryModel::NameColumn).data().toString(), QStringLiteral("Lead Final"));
        window.table()->selectRow(0);
        // The bytes as first seen, the name as last seen.
        SoundDump expected = lead;
        writeName(expected, "Lead Final");
        QSignalSpy put(&window, &LibraryWindow::putIntoSlotRequested);
        testing::namedChild<QPushButton>(&window, "btnPutIntoSlot")->click();
        QCOMPARE(put.size(), 1);
        QCOMPARE(bytesOf(put.at(0).at(0).value<SoundDump>()), bytesOf(expected));
        std::unique_ptr<QMimeData> drag(window.model()->mimeData({ window.model()->index(0, 0) }));
        const std::vector<SoundDump> dragged = soundsFromMime(drag.get());
        QCOMPARE(dragged.size(), std::size_t(1));
        QCOMPARE(bytesOf(dragged[0]), bytesOf(expected));

        auto* search = testing::namedChild<QLineEdit>(&window, "edtSearch");
        search->setText(QStringLiteral("osc1 waveform = BANJO"));
        QTest::keyClick(search, Qt::Key_Return);
        QVERIFY(testing::namedChild<QLabel>(&window, "lblStatus")->text().contains(QStringLiteral("BANJO")));
        QCOMPARE(window.model()->rowCount(), 2); // the list stays as it was
        testing::namedChild<QPushButton>(&window, "btnShowDuplicates")->click();
        QCOMPARE(window.model()->rowCount(), 1);

        window.table()->selectRow(0);
        testing::onNextModalOf<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::No)->click(); });
        testing::namedChild<QPushButton>(&window, "btnDeleteFromLibrary")->click();
        QVERIFY(library.waitForIdle(5000));
        QCOMPARE(library.reader()->count(), 2);
        testing::onNextModalOf<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::Yes)->click(); });
        testing::namedChild<QPushButton>(&window, "btnDeleteFromLibrary")->click();
        QVERIFY(library.waitForIdle(5000));
        QCOMPARE(library.reader()->count(), 1);
    }

    void damagedFileIsMovedAsideAndANewLibraryStarts()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("library.sqlite"));
        const QByteArray junk = QByteArray("this was never a database ").repeated(200);
        QVERIFY(writeFile(path, junk));
        QVERIFY(writeFile(path + QStringLiteral("-wal"), "wal"));
        LibraryDatabase db;
        const OpenResult r = db.open(path);
        QVERIFY2(r.ok, qPrintable(r.line));
        QVERIFY2(r.line.contains(QStringLiteral("moved aside")), qPrintable(r.line));
        const QStringList aside = QDir(dir.path()).entryList({ QStringLiteral("library.sqlite.broken-*") });
        QCOMPARE(aside.size(), 2); // the file and its -wal, never deleted
        QVERIFY(r.line.contains(aside.first()));
        QCOMPARE(readFile(dir.filePath(aside.first())), junk);
        QCOMPARE(db.archive(std::vector { makeSound(3, "After") }, QStringLiteral("randomized")).newSounds, 1);
        db.close();
        QVERIFY(db.open(path).line.isEmpty());
        QCOMPARE(db.count(), 1);
    }

    void lockedOrReadOnlyLibraryIsOffAndUntouched()
    {
        QTemporaryDir dir;
        QFile::setPermissions(dir.path(), QFile::Permissions(0x7755));
        const QString path = dir.filePath(QStringLiteral("library.sqlite"));
        {
            LibraryDatabase db;
            QVERIFY(db.open(path).ok);
            QVERIFY(db.archive(std::vector { makeSound(5, "Kept") }, QStringLiteral("randomized")).ok);
        }
        {
            // Another program in the middle of a write that does not end.
            QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("holder"));
            other.setDatabaseName(path);
            QVERIFY(other.open());
            QSqlQuery hold(other);
            QVERIFY(hold.exec(QStringLiteral("BEGIN EXCLUSIVE")));
            LibraryDatabase db(200);
            const OpenResult r = db.open(path);
            QVERIFY(!r.ok);
            QVERIFY2(r.line.contains(QStringLiteral("locked")) && r.line.contains(QStringLiteral("off")), qPrintable(r.line));
            QVERIFY(hold.exec(QStringLiteral("ROLLBACK")));
            other.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("holder"));

        // Read-only: root writes anywhere, so the program then runs as nobody.
        const QByteArray before = readFile(path);
        QStringList command { program() };
        if (::geteuid() == 0)
            command = QStringList { QStringLiteral("setpriv"), QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                QStringLiteral("--clear-groups"), program() };
        else
            QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        const QString sound = dir.filePath(QStringLiteral("one.syx"));
        QVERIFY(writeFile(sound, bytesOf(makeSound(6, "New"))));
        QProcess run;
        run.start(command.takeFirst(), command + QStringList { QStringLiteral("--import"), sound, QStringLiteral("--library"), path });
        QVERIFY(run.waitForFinished(20000));
        QCOMPARE(run.exitCode(), 1);
        QVERIFY2(run.readAllStandardError().contains("read-only"), "no reason given");
        QCOMPARE(readFile(path), before);
        QVERIFY(!QFile::exists(path + QStringLiteral("-wal")));
    }

    void killDuringImportKeepsEveryCommittedFile()
    {
        QVERIFY2(QFileInfo::exists(program()), qPrintable(program() + QStringLiteral(" is not built")));
        QTemporaryDir dir;
        QStringList files;
        for (int f = 0; f < 80; ++f) {
            QByteArray bank;
            for (int s = 0; s < kSlotCount; ++s)
                bank += bytesOf(makeSound(quint32(1000 + f * kSlotCount + s), "Bulk"));
            files << dir.filePath(QStringLiteral("bank%1.syx").arg(f));
            QVERIFY(writeFile(files.last(), bank));
        }
        const QString path = dir.filePath(QStringLiteral("library.sqlite"));
        QProcess run;
        run.start(program(), QStringList { QStringLiteral("--import") } + files + QStringList { QStringLiteral("--library"), path });
        QVERIFY(run.waitForStarted());
        int committed = 0;
        QByteArray out;
        while (committed < 3 && run.state() == QProcess::Running && run.waitForReadyRead(20000)) {
            out += run.readAllStandardOutput();
            committed = int(out.count(" new of 200 sounds"));
        }
        ::kill(pid_t(run.processId()), SIGKILL);
        run.waitForFinished();
        QVERIFY2(committed >= 3, out.constData());

        LibraryDatabase db;
        const OpenResult r = db.open(path);
        QVERIFY2(r.ok && r.line.isEmpty(), qPrintable(r.line));
        const qint64 sounds = db.count();
        QVERIFY(sounds >= 200 * committed);
        QCOMPARE(sounds % 200, 0); // no file half in
        QSqlQuery check(QSqlDatabase::database(QSqlDatabase::connectionNames().constFirst()));
        QVERIFY(check.exec(QStringLiteral("PRAGMA integrity_check")) && check.next());
        QCOMPARE(check.value(0).toString(), QStringLiteral("ok"));
    }

    void importExportRoundTripIsByteIdentical()
    {
        QTemporaryDir dir;
        QByteArray bank;
        for (int s = 0; s < kSlotCount; ++s) {
            // Names a file system would refuse, twice the same name, and an empty slot.
            const std::string name = s == 1 ? "a/b:c*" : s == 2 ? "Twin" : s == 3 ? "twin" : "Bank " + std::to_string(s);
            SoundDump d = makeSound(quint32(s), name.c_str());
            if (s == 199)
                d = SoundDump {};
            bank += bytesOf(d);
        }
        const QString bankFile = dir.filePath(QStringLiteral("bank.syx"));
        const QString single = dir.filePath(QStringLiteral("single.syx"));
        QVERIFY(writeFile(bankFile, bank));
        QVERIFY(writeFile(single, bytesOf(makeSound(5000, "Single"))));
        const QString path = dir.filePath(QStringLiteral("lib/library.sqlite"));
        QProcess run;
        run.start(program(), { QStringLiteral("--import"), bankFile, single, QStringLiteral("--library"), path });
        QVERIFY(run.waitForFinished(20000));
        QCOMPARE(run.exitCode(), 0);
        QVERIFY(run.readAllStandardOutput().endsWith("200 new sounds (200 sounds in 2 files)\n"));

        const QString out = dir.filePath(QStringLiteral("export"));
        run.start(program(), { QStringLiteral("--export-library"), out, QStringLiteral("--library"), path });
        QVERIFY(run.waitForFinished(20000));
        QCOMPARE(run.exitCode(), 0);
        const QStringList written = QDir(out).entryList(QDir::Files);
        QCOMPARE(written.size(), 200);
        QVERIFY(written.contains(QStringLiteral("a_b_c_.syx")));
        QVERIFY(written.contains(QStringLiteral("Twin.syx")) && written.contains(QStringLiteral("twin (2).syx")));
        QSet<QByteArray> exported;
        for (const QString& f : written)
            exported.insert(readFile(QDir(out).filePath(f)));
        QSet<QByteArray> imported { readFile(single) };
        for (int s = 0; s < 199; ++s)
            imported.insert(bank.mid(s * qsizetype(kDumpSize), qsizetype(kDumpSize)));
        QCOMPARE(exported, imported);

        run.start(program(), { QStringLiteral("--import"), dir.filePath(QStringLiteral("missing.syx")), QStringLiteral("--library"), path });
        QVERIFY(run.waitForFinished(20000));
        QCOMPARE(run.exitCode(), 1);
        QVERIFY(run.readAllStandardError().contains("missing.syx"));
    }
};

QTEST_MAIN(TestLibrary)
#include "test_library.moc"
