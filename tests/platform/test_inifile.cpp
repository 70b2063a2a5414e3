#include "platform/AtomicFile.h"
#include "platform/IniFile.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <cstring>

#include <sys/resource.h>
#include <sys/stat.h>

using namespace sondrake;

namespace {
IniFile parsed(const QByteArray& bytes)
{
    IniFile ini;
    ini.parse(bytes);
    return ini;
}
} // namespace

class TestIniFile : public QObject {
    Q_OBJECT
private slots:
    void roundTripKeepsEveryByte_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("lf") << QByteArray("[A]\nk=v\n");
        QTest::newRow("crlf, no trailing newline") << QByteArray("; c\r\n[A]\r\n k = v \r\n\r\nx");
        static const char junk[] = "\x00\xff[\x01]=\r\r\n=\n[]\n\x80\x81";
        QTest::newRow("binary junk") << QByteArray(junk, sizeof junk - 1);
        QTest::newRow("lone cr") << QByteArray("[A]\rk=v\r");
    }
    void roundTripKeepsEveryByte()
    {
        QFETCH(QByteArray, bytes);
        QCOMPARE(parsed(bytes).toBytes(), bytes);
    }

    void readMatchesCaseInsensitivelyAndFirstWins()
    {
        const IniFile ini = parsed("k=before any section\n"
                                   "[globals]\n"
                                   "  AutoLoadFile =  /a b/c.syx  \n"
                                   "autoloadfile=/second\n"
                                   "; Quoted=no\n"
                                   "Quoted=\"  spaced  \"\n"
                                   "Empty=\n"
                                   "[Other]\n"
                                   "x=1\n"
                                   "[GLOBALS]\n"
                                   "late=2\n");
        bool found = false;
        QCOMPARE(ini.read("Globals", "Autoloadfile", "d", &found), QString("/a b/c.syx"));
        QVERIFY(found);
        QCOMPARE(ini.read("Globals", "Quoted"), QString("  spaced  "));
        QCOMPARE(ini.read("Globals", "Empty", "d", &found), QString());
        QVERIFY(found);
        QCOMPARE(ini.read("Globals", "; Quoted", "d"), QString("d"));
        QCOMPARE(ini.read("Globals", "x", "d", &found), QString("d"));
        QVERIFY(!found);
        // Only the first section of a repeated name is looked at.
        QCOMPARE(ini.read("Globals", "late", "d"), QString("d"));
        QCOMPARE(ini.read("Missing", "k", "d", &found), QString("d"));
        QVERIFY(!found);
        QCOMPARE(ini.sections(), QStringList({ "globals", "Other" }));
        QCOMPARE(ini.keys("GLOBALS"), QStringList({ "AutoLoadFile", "Quoted", "Empty" }));
    }

    void writeUpdatesInPlaceAndLeavesTheRestAlone()
    {
        IniFile ini = parsed("; head\r\n[Globals]\r\nA = 1\r\n; note\r\n\r\n[Z]\r\nq=1\r\n");
        ini.write("globals", "a", "2");
        ini.write("Globals", "B", "3");
        ini.write("z", "q", "1"); // unchanged value keeps its line as it is
        QCOMPARE(ini.toBytes(), QByteArray("; head\r\n[Globals]\r\nA = 2\r\n; note\r\nB=3\r\n\r\n[Z]\r\nq=1\r\n"));
        QCOMPARE(ini.read("GLOBALS", "b"), QString("3"));
    }

    void writeAppendsSectionAndHandlesMissingTrailingNewline()
    {
        IniFile ini = parsed("[Other]\nx=1");
        ini.write("Globals", "K", "v");
        QCOMPARE(ini.toBytes(), QByteArray("[Other]\nx=1\n[Globals]\nK=v\n"));

        IniFile tail = parsed("[Globals]\nx=1");
        tail.write("Globals", "K", "v");
        QCOMPARE(tail.toBytes(), QByteArray("[Globals]\nx=1\nK=v\n"));

        IniFile inPlace = parsed("[Globals]\nK=1");
        inPlace.write("Globals", "K", "22");
        QCOMPARE(inPlace.toBytes(), QByteArray("[Globals]\nK=22"));

        IniFile empty;
        empty.write("Globals", "K", "line\nbreak");
        QCOMPARE(empty.toBytes(), QByteArray("[Globals]\nK=line break\n"));
        QCOMPARE(empty.read("Globals", "K"), QString("line break"));
    }

    void hugeLineAndUtf8Values()
    {
        QByteArray big = "[Globals]\nJunk=" + QByteArray(1024 * 1024, 'x') + "\nK=\xc3\xa6\xc3\xb8\n";
        IniFile ini = parsed(big);
        QCOMPARE(ini.read("Globals", "K"), QString::fromUtf8("\xc3\xa6\xc3\xb8"));
        QCOMPARE(ini.read("Globals", "Junk").size(), 1024 * 1024);
        QCOMPARE(ini.toBytes(), big);
    }

    void randomFilesSurviveWrites()
    {
        // Whatever the file holds, a written key reads back, a second
        // serialisation is stable, and bytes before the first written
        // section's line never change.
        QRandomGenerator rng(4711);
        const char alphabet[] = "[]=;# \t\r\nabAB\x00\xff\"'";
        for (int round = 0; round < 2000; ++round) {
            QByteArray bytes;
            const int n = int(rng.bounded(200));
            for (int i = 0; i < n; ++i)
                bytes.append(alphabet[rng.bounded(int(sizeof alphabet - 1))]);
            IniFile ini = parsed(bytes);
            QCOMPARE(ini.toBytes(), bytes);
            const QString section = rng.bounded(2) ? "a" : "B";
            const QString key = rng.bounded(2) ? "A" : "b";
            const QString value = QString::number(rng.bounded(1000));
            ini.write(section, key, value);
            QCOMPARE(ini.read(section.toUpper(), key.toLower()), value);
            const QByteArray once = ini.toBytes();
            QCOMPARE(parsed(once).read(section, key), value);
            QCOMPARE(parsed(once).toBytes(), once);
        }
    }

    void loadAndSaveOnDisk()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("s.ini");
        QString error;
        IniFile missing(path);
        QVERIFY(!missing.load(&error));
        QVERIFY(!error.isEmpty());

        IniFile ini(path);
        ini.write("Globals", "K", "1");
        QVERIFY2(ini.save(&error), qPrintable(error));
        IniFile back(path);
        QVERIFY(back.load(&error));
        QCOMPARE(back.read("globals", "k"), QString("1"));

        // A folder in place of the file, or a file in place of the folder:
        // the save fails, says why, and leaves what was there.
        IniFile onFolder(dir.path());
        onFolder.write("A", "b", "c");
        QVERIFY(!onFolder.save(&error));
        QVERIFY(!error.isEmpty());
        QVERIFY(QFileInfo(dir.path()).isDir());
        IniFile underFile(path + "/x.ini");
        QVERIFY(!underFile.save(&error));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("[Globals]\nK=1\n"));

        IniFile dirAsFile(dir.path());
        QVERIFY(!dirAsFile.load(&error));

        // A named pipe is refused at once instead of waiting for a writer.
        const QString fifo = dir.filePath("pipe.ini");
        QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        IniFile onPipe(fifo);
        error.clear();
        QVERIFY(!onPipe.load(&error));
        QVERIFY(!error.isEmpty());
    }

    // A disk that takes no more: the save fails with the system's reason and
    // the file that was there stays, for a short file (the settings, a
    // schema) and a bank-sized one alike. The file size limit stands in for
    // the full disk: writes stop with EFBIG where they would stop with ENOSPC.
    void saveOntoAFullDiskSaysWhyAndKeepsTheOldFile()
    {
        QTemporaryDir dir;
        const QString iniPath = dir.filePath("s.ini");
        const QString bankPath = dir.filePath("bank.syx");
        for (const QString& p : { iniPath, bankPath }) {
            QFile f(p);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("[Globals]\nK=old\n");
        }
        IniFile ini(iniPath);
        QVERIFY(ini.load());
        ini.write("Globals", "K", QString(300, u'n'));

        rlimit before {};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &before), 0);
        rlimit tiny = before;
        tiny.rlim_cur = 100;
        auto* const previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &tiny), 0);
        QString iniError, bankError;
        const bool iniSaved = ini.save(&iniError);
        const bool bankSaved = writeFileAtomically(bankPath, QByteArray(54000, 'b'), &bankError);
        setrlimit(RLIMIT_FSIZE, &before);
        std::signal(SIGXFSZ, previousHandler);

        const QString reason = QString::fromLocal8Bit(std::strerror(EFBIG));
        QVERIFY(!iniSaved);
        QCOMPARE(iniError, reason);
        QVERIFY(!bankSaved);
        QCOMPARE(bankError, reason);
        for (const QString& p : { iniPath, bankPath }) {
            QFile f(p);
            QVERIFY(f.open(QIODevice::ReadOnly));
            QCOMPARE(f.readAll(), QByteArray("[Globals]\nK=old\n"));
        }
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
    }
};

QTEST_GUILESS_MAIN(TestIniFile)
#include "test_inifile.moc"
