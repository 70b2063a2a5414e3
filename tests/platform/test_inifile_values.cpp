// Values that reading would change (surrounding blanks, surrounding quotes)
// are written so that they read back exactly, also after a save and a load.

#include "platform/IniFile.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace sondrake;

class TestIniFileValues : public QObject {
    Q_OBJECT
private slots:
    void awkwardValuesReadBackAsWritten_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("plain") << "C:\\Banks\\a b.syx" << QByteArray("K=C:\\Banks\\a b.syx");
        QTest::newRow("trailing blank") << "/home/u/bank.syx " << QByteArray("K=\"/home/u/bank.syx \"");
        QTest::newRow("leading tab") << "\tx" << QByteArray("K=\"\tx\"");
        QTest::newRow("quoted") << "\"quoted\"" << QByteArray("K=\"\"quoted\"\"");
        QTest::newRow("single quoted") << "'a'" << QByteArray("K=\"'a'\"");
        QTest::newRow("one quote") << "\"" << QByteArray("K=\"");
        QTest::newRow("quote inside") << "a\"b\"" << QByteArray("K=a\"b\"");
        QTest::newRow("blank only") << " " << QByteArray("K=\" \"");
        QTest::newRow("empty") << "" << QByteArray("K=");
    }
    void awkwardValuesReadBackAsWritten()
    {
        QFETCH(QString, value);
        QFETCH(QByteArray, line);
        IniFile ini;
        ini.write("Globals", "K", value);
        QCOMPARE(ini.toBytes(), QByteArray("[Globals]\n") + line + '\n');
        QCOMPARE(ini.read("Globals", "K"), value);

        // Updated in place, the key's own spelling stays.
        IniFile existing;
        existing.parse("[Globals]\r\nk = old\r\n; after\r\n");
        existing.write("Globals", "K", value);
        QCOMPARE(existing.read("Globals", "K"), value);
        QVERIFY(existing.toBytes().startsWith("[Globals]\r\nk = "));
        QVERIFY(existing.toBytes().endsWith("\r\n; after\r\n"));

        QTemporaryDir dir;
        IniFile saved(dir.filePath("s.ini"));
        saved.write("Globals", "K", value);
        QVERIFY(saved.save());
        IniFile loaded(dir.filePath("s.ini"));
        QVERIFY(loaded.load());
        QCOMPARE(loaded.read("Globals", "K"), value);
    }

    void rewritingTheValueAFileAlreadyHoldsKeepsItsLine()
    {
        IniFile ini;
        ini.parse("[Globals]\nK = \"  spaced  \"   \n");
        ini.write("Globals", "K", "  spaced  ");
        QCOMPARE(ini.toBytes(), QByteArray("[Globals]\nK = \"  spaced  \"   \n"));
    }
};

QTEST_MAIN(TestIniFileValues)
#include "test_inifile_values.moc"
