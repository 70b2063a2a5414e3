#include "platform/BankFile.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <cstring>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace sondrake;

namespace {

// Every byte of every slot distinct from its neighbours, so a shift or a
// swapped block shows.
void fillPattern(SoundStore& store, int salt)
{
    store.resetSoundNames();
    for (int s = 0; s < kSlotCount; ++s)
        for (std::size_t i = 0; i < kDumpSize; ++i)
            store.slot(s)[i] = static_cast<std::uint8_t>((s * 7 + int(i) * 13 + salt) & 0xFF);
}

QByteArray blocks(int n, int salt)
{
    QByteArray out;
    for (int k = 0; k < n; ++k)
        for (std::size_t i = 0; i < kDumpSize; ++i)
            out.append(char((k * 31 + int(i) + salt) & 0xFF));
    return out;
}

QByteArray slotBytes(const SoundStore& store, int s)
{
    return QByteArray(reinterpret_cast<const char*>(store.slot(s).data()), qsizetype(kDumpSize));
}

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

} // namespace

class TestBankFile : public QObject {
    Q_OBJECT
private slots:
    void saveAndReloadAllSlotsByteForByte()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("bank.syx");
        SoundStore store;
        fillPattern(store, 5);
        QString error;
        QVERIFY2(bankfile::saveBank(path, store, &error), qPrintable(error));
        const QByteArray file = readFile(path);
        QCOMPARE(file.size(), 54000);
        for (int s = 0; s < kSlotCount; ++s)
            QCOMPARE(file.mid(s * 270, 270), slotBytes(store, s));

        SoundStore back;
        const auto r = bankfile::loadBankFile(path, back);
        QVERIFY(r.ok);
        QCOMPARE(r.blocksLoaded, 200);
        QCOMPARE(r.blocksIgnored, 0);
        QCOMPARE(r.trailingBytes, 0);
        for (int s = 0; s < kSlotCount; ++s)
            QCOMPARE(slotBytes(back, s), slotBytes(store, s));
    }

    void loadsOnlyWholeBlocksAndLeavesTheRest_data()
    {
        QTest::addColumn<int>("blockCount");
        QTest::addColumn<int>("extraBytes");
        QTest::newRow("empty") << 0 << 0;
        QTest::newRow("piece only") << 0 << 269;
        QTest::newRow("one") << 1 << 0;
        QTest::newRow("n with remainder") << 7 << 100;
        QTest::newRow("199") << 199 << 0;
        QTest::newRow("200") << 200 << 0;
        QTest::newRow("200 plus piece") << 200 << 1;
        QTest::newRow("205 plus piece") << 205 << 3;
    }
    void loadsOnlyWholeBlocksAndLeavesTheRest()
    {
        QFETCH(int, blockCount);
        QFETCH(int, extraBytes);
        SoundStore store;
        fillPattern(store, 1);
        SoundStore before = store;
        QByteArray data = blocks(blockCount, 9) + QByteArray(extraBytes, '\x55');
        QBuffer buffer(&data);
        QVERIFY(buffer.open(QIODevice::ReadOnly));
        const auto r = bankfile::loadBlocks(buffer, store);
        QVERIFY(r.ok);
        const int stored = std::min(blockCount, 200);
        QCOMPARE(r.blocksLoaded, stored);
        QCOMPARE(r.blocksIgnored, qint64(std::max(0, blockCount - 200)));
        QCOMPARE(r.trailingBytes, qint64(extraBytes));
        for (int s = 0; s < kSlotCount; ++s) {
            if (s < stored)
                QCOMPARE(slotBytes(store, s), data.mid(s * 270, 270));
            else
                QCOMPARE(slotBytes(store, s), slotBytes(before, s));
        }
    }

    void singleSlotFilesAndTheirNames()
    {
        QCOMPARE(bankfile::separateFileName("/x/bank.syx", 0), QString("/x/bank.syx1.syx"));
        QCOMPARE(bankfile::separateFileName("/x/bank.syx", 100), QString("/x/bank.syx101.syx"));
        QCOMPARE(bankfile::separateFileName("/x/bank.syx", 199), QString("/x/bank.syx200.syx"));

        QTemporaryDir dir;
        SoundStore store;
        fillPattern(store, 2);
        const QString path = bankfile::separateFileName(dir.filePath("bank.syx"), 199);
        QString error;
        QVERIFY(bankfile::saveSlots(path, store, 199, 1, &error));
        QCOMPARE(readFile(path), slotBytes(store, 199));
        QVERIFY(!bankfile::saveSlots(path, store, 199, 2, &error));
        QVERIFY(!bankfile::saveSlots(path, store, -1, 1, &error));

        // Loaded as a bank file, a single sound lands in slot 0 only.
        SoundStore other;
        fillPattern(other, 3);
        SoundStore before = other;
        QCOMPARE(bankfile::loadBankFile(path, other).blocksLoaded, 1);
        QCOMPARE(slotBytes(other, 0), slotBytes(store, 199));
        for (int s = 1; s < kSlotCount; ++s)
            QCOMPARE(slotBytes(other, s), slotBytes(before, s));
    }

    void failedSaveKeepsTheOldFile()
    {
        QTemporaryDir dir;
        SoundStore store;
        fillPattern(store, 4);
        const QString plain = dir.filePath("plain");
        QVERIFY(writeFile(plain, "old contents"));
        QString error;
        // The parent is a regular file: nothing can be created there.
        QVERIFY(!bankfile::saveBank(plain + "/bank.syx", store, &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(readFile(plain), QByteArray("old contents"));
        // A folder where the file should be.
        error.clear();
        QVERIFY(!bankfile::saveBank(dir.path(), store, &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(QFileInfo(dir.path()).isDir());
        // A write that fails half way (as on a full disk): the real file is untouched.
        {
            const QString target = dir.filePath("full.syx");
            QVERIFY(writeFile(target, "previous"));
            rlimit old {};
            getrlimit(RLIMIT_FSIZE, &old);
            rlimit small = old;
            small.rlim_cur = 1000; // writes past 1000 bytes fail with EFBIG
            signal(SIGXFSZ, SIG_IGN);
            setrlimit(RLIMIT_FSIZE, &small);
            const bool saved = bankfile::saveBank(target, store, &error);
            setrlimit(RLIMIT_FSIZE, &old);
            QVERIFY(!saved);
            QCOMPARE(readFile(target), QByteArray("previous"));
        }
    }

    void badInputsReadNothingAndSayWhy()
    {
        QTemporaryDir dir;
        SoundStore store;
        fillPattern(store, 6);
        SoundStore before = store;

        auto missing = bankfile::loadBankFile(dir.filePath("gone.syx"), store);
        QVERIFY(!missing.ok);
        QVERIFY(!missing.error.isEmpty());
        auto folder = bankfile::loadBankFile(dir.path(), store);
        QVERIFY(!folder.ok);
        QVERIFY(folder.error.contains("folder"));
        for (int s = 0; s < kSlotCount; ++s)
            QCOMPARE(slotBytes(store, s), slotBytes(before, s));

        // Devices and pipes are refused before they are opened (a pipe
        // without a writer would block here for good).
        const QString fifo = dir.filePath("pipe.syx");
        QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        for (const QString& path : { fifo, QStringLiteral("/dev/zero") }) {
            auto refused = bankfile::loadBankFile(path, store);
            QVERIFY(!refused.ok);
            QVERIFY(refused.error.contains("pipe"));
        }
        for (int s = 0; s < kSlotCount; ++s)
            QCOMPARE(slotBytes(store, s), slotBytes(before, s));
    }

    void streamsStopAfterTheLastSlot()
    {
        // A stream without a size: 200 blocks, then one look further, no more.
        // Hands out at most 100 bytes per read, as a pipe may.
        struct Stream : QIODevice {
            QByteArray data;
            qint64 at = 0;
            bool isSequential() const override { return true; }
            qint64 readData(char* out, qint64 max) override
            {
                const qint64 n = std::min<qint64>({ max, 100, data.size() - at });
                std::memcpy(out, data.constData() + at, size_t(n));
                at += n;
                return n;
            }
            qint64 writeData(const char*, qint64) override { return -1; }
        };
        Stream stream;
        stream.data = blocks(202, 1);
        const QByteArray& data = stream.data;
        QVERIFY(stream.open(QIODevice::ReadOnly | QIODevice::Unbuffered));
        SoundStore store;
        const auto r = bankfile::loadBlocks(stream, store);
        QVERIFY(r.ok);
        QCOMPARE(r.blocksLoaded, 200);
        QVERIFY(r.moreIgnored);
        QCOMPARE(slotBytes(store, 199), data.mid(199 * 270, 270));
        QCOMPARE(stream.at, qint64(201 * 270)); // one block looked at, the rest never read
    }

    void hugeSparseFileReadsOnlyWhatItNeeds()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("huge.syx");
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            QVERIFY(f.write(blocks(3, 0)) == 810);
            QVERIFY(f.resize(qint64(2) * 1024 * 1024 * 1024 + 17)); // sparse: no disk used
        }
        SoundStore store;
        QElapsedTimer timer;
        timer.start();
        const auto r = bankfile::loadBankFile(path, store);
        QVERIFY(timer.elapsed() < 2000);
        QVERIFY(r.ok);
        QCOMPARE(r.blocksLoaded, 200);
        const qint64 rest = qint64(2) * 1024 * 1024 * 1024 + 17 - 200 * 270;
        QCOMPARE(r.blocksIgnored, rest / 270);
        QCOMPARE(r.trailingBytes, rest % 270);
        QCOMPARE(slotBytes(store, 1), blocks(3, 0).mid(270, 270));
        QCOMPARE(int(store.slot(199)[0]), 0);
        QVERIFY(QFile::remove(path));
    }
};

QTEST_GUILESS_MAIN(TestBankFile)
#include "test_bankfile.moc"
