#include "librarian/Settings.h"
#include "platform/IniFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace sondrake;

namespace {
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

class TestSettings : public QObject {
    Q_OBJECT
private slots:
    void byteValues_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected");
        QTest::newRow("plain") << "7" << 7;
        QTest::newRow("blanks") << "  12 " << 12;
        QTest::newRow("300 keeps low bits") << "300" << 44;
        QTest::newRow("negative") << "-1" << 255;
        QTest::newRow("256") << "256" << 0;
        QTest::newRow("junk") << "abc" << 99;
        QTest::newRow("trailing junk") << "12abc" << 99;
        QTest::newRow("empty") << "" << 99;
        QTest::newRow("beyond 32 bits") << "99999999999" << 99;
        QTest::newRow("hex") << "0x10" << 99;
    }
    void byteValues()
    {
        QFETCH(QString, text);
        QFETCH(int, expected);
        QCOMPARE(int(settings::parseByte(text, 99)), expected);
    }

    void missingFileGivesDefaultsAndFirstSaveWritesAllKeysInOrder()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("halvorne_q-lindorn.ini");
        Settings s;
        s.toleranceOctave = 77;
        QString error;
        QVERIFY(settings::load(path, s, &error));
        QCOMPARE(s, Settings());
        QCOMPARE(int(s.toleranceOctave), 2);
        QCOMPARE(int(s.toleranceOtherKnobs), 10);
        QCOMPARE(int(s.toleranceDetuneKnobs), 3);
        QVERIFY(s.autoloadFile.isEmpty());

        QVERIFY(settings::save(path, s, &error));
        QCOMPARE(readFile(path),
            QByteArray("[Globals]\nAutoloadfile=\nToleranceComboBox=0\nToleranceOctave=2\n"
                       "ToleranceKeytrack=0\nToleranceOtherKnobs=10\nToleranceSemitoneKnobs=0\n"
                       "ToleranceDetuneKnobs=3\n"));
    }

    void foreignLinesSurviveAndCaseDoesNotMatter()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("s.ini");
        const QByteArray original = "; written by hand\r\n"
                                    "[Other]\r\n"
                                    "ToleranceOctave=9\r\n"
                                    "[GLOBALS]\r\n"
                                    "autoloadFILE = /banks/my bank.syx\r\n"
                                    "Foreign=keep me\r\n"
                                    "toleranceotherknobs=300\r\n"
                                    "ToleranceDetuneKnobs=junk\r\n"
                                    "\r\n"
                                    "[Tail]\r\n"
                                    "x=\x01\xff"; // no trailing newline, binary bytes
        QVERIFY(writeFile(path, original));
        Settings s;
        QString error;
        QVERIFY(settings::load(path, s, &error));
        QCOMPARE(s.autoloadFile, QString("/banks/my bank.syx"));
        QCOMPARE(int(s.toleranceOctave), 2); // the key of another section does not count
        QCOMPARE(int(s.toleranceOtherKnobs), 44);
        QCOMPARE(int(s.toleranceDetuneKnobs), 3);

        QVERIFY(settings::save(path, s, &error));
        QCOMPARE(readFile(path),
            QByteArray("; written by hand\r\n"
                       "[Other]\r\n"
                       "ToleranceOctave=9\r\n"
                       "[GLOBALS]\r\n"
                       "autoloadFILE = /banks/my bank.syx\r\n"
                       "Foreign=keep me\r\n"
                       "toleranceotherknobs=44\r\n"
                       "ToleranceDetuneKnobs=3\r\n"
                       "ToleranceComboBox=0\r\n"
                       "ToleranceOctave=2\r\n"
                       "ToleranceKeytrack=0\r\n"
                       "ToleranceSemitoneKnobs=0\r\n"
                       "\r\n"
                       "[Tail]\r\n"
                       "x=\x01\xff"));
        Settings again;
        QVERIFY(settings::load(path, again, &error));
        QCOMPARE(again, s);
    }

    // A UTF-8 mark before "[Globals]" is no part of the section line; a
    // UTF-16 file cannot be read byte by byte and is never replaced.
    void byteOrderMarks()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("bom.ini");
        QVERIFY(writeFile(path, "\xEF\xBB\xBF[Globals]\r\nToleranceOtherKnobs=7\r\n"));
        Settings s;
        QString error;
        QVERIFY(settings::load(path, s, &error));
        QCOMPARE(int(s.toleranceOtherKnobs), 7);
        QVERIFY(settings::save(path, s, &error));
        const QByteArray saved = readFile(path);
        QVERIFY(saved.startsWith("\xEF\xBB\xBF[Globals]\r\nToleranceOtherKnobs=7\r\nAutoloadfile=\r\n"));
        QCOMPARE(saved.count("[Globals]"), 1);

        const QString wide = dir.filePath("wide.ini");
        const QString text = QStringLiteral("[Globals]\r\nToleranceOtherKnobs=7\r\n");
        for (const QByteArray& bytes : { QByteArray("\xFF\xFE") + QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2),
                 QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2) }) {
            QVERIFY(writeFile(wide, bytes));
            error.clear();
            QVERIFY(!settings::load(wide, s, &error));
            QVERIFY2(error.contains("UTF-16"), qPrintable(error));
            QCOMPARE(s, Settings());
            QVERIFY(!settings::save(wide, s, &error));
            QCOMPARE(readFile(wide), bytes);
        }
    }

    void unreadableOrHugeFilesAreNotOverwritten()
    {
        QTemporaryDir dir;
        // A folder where the file should be: defaults, a reason, no write.
        Settings s;
        QString error;
        QVERIFY(!settings::load(dir.path(), s, &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(s, Settings());
        QVERIFY(!settings::save(dir.path(), s, &error));

        // A 1 MB line is just a long line.
        const QString path = dir.filePath("big.ini");
        QByteArray big = "[Globals]\nJunk=" + QByteArray(1 << 20, 'j') + "\nToleranceKeytrack=5";
        QVERIFY(writeFile(path, big));
        QVERIFY(settings::load(path, s, &error));
        QCOMPARE(int(s.toleranceKeytrack), 5);
        QVERIFY(settings::save(path, s, &error));
        QVERIFY(readFile(path).startsWith(big + "\n"));
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "test_settings.moc"
