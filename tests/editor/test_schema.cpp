#include "ParameterTable.h"
#include "editor/Schema.h"
#include "platform/FileLocations.h"
#include "sondrake/Version.h"

#include <QtTest>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

using namespace sondrake;
using namespace sondrake::editor;

namespace {

const ParameterEntry& row(std::string_view control) { return *entryForControl(control); }

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

} // namespace

class TestSchema : public QObject {
    Q_OBJECT

private slots:
    void entriesInSchemaOrder()
    {
        const SoundFamilySchema s;
        QCOMPARE(int(s.entries().size()), 99);
        QCOMPARE(s.entries()[0].key, QStringLiteral("Osc1Forms"));
        QCOMPARE(s.entries()[51].key, QStringLiteral("MixerADenvOSC3"));
        QCOMPARE(s.entries()[52].key, QStringLiteral("ckbOsc12Sync"));
        QCOMPARE(s.entries()[97].key, QStringLiteral("AmpMEnvMonotrig"));
        for (int i = 0; i < 99; ++i) {
            QCOMPARE(s.entries()[i].parameter->schemaOrder, i + 1);
            QVERIFY(s.entries()[i].allowed.isEmpty());
        }
        SoundFamilySchema t;
        t.setAllowedValues("cmbFilterType", QStringLiteral("101"));
        QCOMPARE(t.allowedValues("cmbFilterType"), QStringLiteral("101"));
        t.setAllowedValues("knobArpTempo", QStringLiteral("1")); // no entry: ignored
        QCOMPARE(t.allowedValues("knobArpTempo"), QString());
    }

    void toleranceClasses()
    {
        SchemaTolerances t;
        t.semitone = 2;
        // Semitone 52..76 at 64: ten "0", five "1", ten "0".
        QCOMPARE(allowedAround(row("KnobOsc2Semitone"), 64, t),
            QString(10, u'0') + QString(5, u'1') + QString(10, u'0'));
        t.comboBox = 0;
        QCOMPARE(allowedAround(row("cmbFilterType"), 1, t), QStringLiteral("010"));
        QCOMPARE(allowedAround(row("ckbOsc12Sync"), 1, t), QStringLiteral("10"));
        QCOMPARE(allowedAround(row("ckbOsc12Sync"), 0, t), QStringLiteral("01"));
        // Detune class: +-3, cut at the range (15..114), no wrap-around.
        QCOMPARE(allowedAround(row("KnobOsc1Detune"), 16, t), QStringLiteral("11111") + QString(95, u'0'));
        // Other knobs and sliders: +-10.
        QCOMPARE(allowedAround(row("sldAmpAttack"), 127, t), QString(117, u'0') + QString(11, u'1'));
        QCOMPARE(allowedAround(row("KnobMixerOut"), 0, t), QString(11, u'1') + QString(20, u'0'));
        // Tolerance 64 on a -64..63 knob at 0 allows every value.
        t.otherKnobs = 64;
        QCOMPARE(allowedAround(row("KnobOsc1ManualPW"), 0, t), QString(128, u'1'));
        // Nothing selected: the first T items only.
        t.comboBox = 2;
        QCOMPARE(allowedAround(row("cmbNoisetype"), -1, t), QStringLiteral("1100"));
        t.comboBox = 0;
        QCOMPARE(allowedAround(row("cmbNoisetype"), -1, t), QStringLiteral("0000"));

        // Every schema row in the class typed for it: four different
        // tolerances give four different windows around the middle value.
        namespace pt = parameter_table;
        t = SchemaTolerances { 5, 9, 3, 7 };
        for (const pt::Row& typed : pt::kRows) {
            if (!typed.order)
                continue;
            const ParameterEntry& p = row(typed.control);
            const int current = (typed.min + typed.max) / 2;
            QString expected;
            if (typed.tolerance == pt::TolExact) {
                expected = current ? QStringLiteral("10") : QStringLiteral("01");
            } else {
                const int tolerance = typed.tolerance == pt::TolList ? 5
                    : typed.tolerance == pt::TolOther                ? 9
                    : typed.tolerance == pt::TolSemitone             ? 3
                                                                     : 7;
                for (int v = typed.min; v <= typed.max; ++v)
                    expected += std::abs(v - current) <= tolerance ? u'1' : u'0';
            }
            QVERIFY2(allowedAround(p, current, t) == expected, typed.control.data());
        }
    }

    void buildFromCurrentSound()
    {
        SoundDump d {};
        d.fill(64);
        d[19] = 0x40; // octaves all "-1", sync on
        d[146] = 1; // LFO 1 polarity on
        SoundFamilySchema s;
        s.buildFromCurrentValues([&](const ParameterEntry& p) { return readValue(d, p); }, SchemaTolerances {});
        QCOMPARE(s.allowedValues("KnobOsc1Semitone"), QString(12, u'0') + u'1' + QString(12, u'0'));
        QCOMPARE(s.allowedValues("cmbOsc1Octave"), QStringLiteral("1000"));
        QCOMPARE(s.allowedValues("ckbOsc12Sync"), QStringLiteral("10"));
        QCOMPARE(s.allowedValues("ckbLfo1Polarity"), QStringLiteral("10"));
        QCOMPARE(s.allowedValues("ckbLfo2Polarity"), QStringLiteral("01"));
        QCOMPARE(s.allowedValues("KnobOsc1Detune"), QString(46, u'0') + QString(7, u'1') + QString(47, u'0'));
        QCOMPARE(s.allowedValues("KnobOsc1Level").count(u'1'), 21);
        for (const SchemaEntry& e : s.entries())
            QCOMPARE(e.allowed.size(), qsizetype(e.parameter->kind == ControlKind::CheckBox ? 2 : e.parameter->valueCount()));
    }

    void loadMissingAndRepeatedKeys()
    {
        QTemporaryDir dir;
        const QString path = schemaPath(dir.path(), QStringLiteral("Pads"));
        QCOMPARE(path, dir.path() + QStringLiteral("/Pads.sndfamily"));

        SoundFamilySchema s;
        for (SchemaEntry& e : s.entries())
            e.allowed = QStringLiteral("stale");
        QString error;
        QVERIFY(s.load(path, &error)); // no file: every entry "0"
        for (const SchemaEntry& e : s.entries())
            QCOMPARE(e.allowed, QStringLiteral("0"));

        writeAll(path,
            "[Other]\nOsc1Forms=999\n[parameters]\nosc1forms=101\nOsc1Forms=000\nFilterType=011\n"
            "ckbOsc12Sync=\n");
        QVERIFY(s.load(path, &error));
        QCOMPARE(s.allowedValues("cmbOsc1Forms"), QStringLiteral("101")); // first of the repeated keys
        QCOMPARE(s.allowedValues("cmbFilterType"), QStringLiteral("011"));
        QCOMPARE(s.allowedValues("ckbOsc12Sync"), QString());
        QCOMPARE(s.allowedValues("KnobMixerADenvOSC3"), QStringLiteral("0"));
        QCOMPARE(s.allowedValues("sldAmpAttack"), QStringLiteral("0"));

        // A path that cannot be read: failure with a reason, entries untouched.
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Folder.sndfamily")));
        error.clear();
        QVERIFY(!s.load(schemaPath(dir.path(), QStringLiteral("Folder")), &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(s.allowedValues("cmbOsc1Forms"), QStringLiteral("101"));
    }

    void saveKeepsForeignLines()
    {
        QTemporaryDir dir;
        const QString path = schemaPath(dir.path(), QStringLiteral("Keys"));
        const QByteArray head = "; made by hand\r\n[Other]\r\nOsc1Forms=999\r\n\r\n[Parameters]\r\nOwnKey=abc\r\n";
        writeAll(path, head + "Osc1Forms=1\r\n[Tail]\r\nx=1\r\n");

        SoundFamilySchema s;
        for (SchemaEntry& e : s.entries())
            e.allowed = QString::number(e.parameter->schemaOrder % 2);
        s.setAllowedValues("cmbOsc1Forms", QStringLiteral("11111111111111111"));
        s.setAllowedValues("sldAmpAttack", QString());
        QString error;
        QVERIFY2(s.save(path, &error), qPrintable(error));

        const QByteArray bytes = readAll(path);
        QVERIFY(bytes.startsWith(head + "Osc1Forms=11111111111111111\r\n"));
        QVERIFY(bytes.endsWith("[Tail]\r\nx=1\r\n"));
        QVERIFY(bytes.contains("\r\nAmpAttack=\r\n"));
        QCOMPARE(bytes.count("Osc1Forms="), 2);

        SoundFamilySchema back;
        QVERIFY(back.load(path, &error));
        for (int i = 0; i < 99; ++i)
            QCOMPARE(back.entries()[i].allowed, s.entries()[i].allowed);

        // Saving again changes nothing.
        QVERIFY(s.save(path, &error));
        QCOMPARE(readAll(path), bytes);

        // A new file gets the 99 keys in schema order.
        const QString fresh = schemaPath(dir.path(), QStringLiteral("Fresh"));
        QVERIFY(s.save(fresh, &error));
        const QList<QByteArray> lines = readAll(fresh).trimmed().split('\n');
        QCOMPARE(lines.size(), 100);
        QCOMPARE(lines[0].trimmed(), QByteArray("[Parameters]"));
        QVERIFY(lines[1].startsWith("Osc1Forms="));
        QVERIFY(lines[99].startsWith("AmpADEnvMonotrig="));

        // Failures: nothing is written and the reason is given.
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Folder.sndfamily")));
        error.clear();
        QVERIFY(!s.save(schemaPath(dir.path(), QStringLiteral("Folder")), &error));
        QVERIFY(!error.isEmpty());
        error.clear();
        QVERIFY(!s.save(schemaPath(dir.path() + QStringLiteral("/missing"), QStringLiteral("X")), &error));
        QVERIFY(!error.isEmpty());
    }

    void schemaNames()
    {
        QString problem;
        QVERIFY(isValidSchemaName(QStringLiteral("Warm Pads 2"), &problem));
        QVERIFY(isValidSchemaName(QStringLiteral("Bässe-(alt)"), &problem));
        QVERIFY(!isValidSchemaName(QString(), &problem));
        QCOMPARE(problem, QStringLiteral("Please set the schema name."));
        const char* refused[] = { "a/b", "a\\b", "..", "x..y", "a:b", "a*b", "a?b", "a<b", "a>b", "a|b", "a\"b",
            "tab\there", "dot.", "blank " };
        for (const char* name : refused) {
            problem.clear();
            QVERIFY2(!isValidSchemaName(QString::fromUtf8(name), &problem), name);
            QVERIFY(!problem.isEmpty());
        }
        isValidSchemaName(QStringLiteral("a*b"), &problem);
        QVERIFY(problem.contains(u'*'));
        isValidSchemaName(QStringLiteral("a/b"), &problem);
        QVERIFY(problem.contains(QStringLiteral("path separator")));
    }

    void listing()
    {
        QTemporaryDir dir;
        writeAll(dir.filePath(QStringLiteral("Strings.sndfamily")), "");
        writeAll(dir.filePath(QStringLiteral("Bass.sndfamily")), "");
        writeAll(dir.filePath(QStringLiteral("Notes.txt")), "");
        // Listed as a wildcard listing that ignores case would: hidden names
        // (the schema box accepts ".dark") and any case of the extension.
        writeAll(dir.filePath(QStringLiteral("Upper.SNDFAMILY")), "[Parameters]\nOsc1Semitone=101\n");
        writeAll(dir.filePath(QStringLiteral(".dark.sndfamily")), "");
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Dir.sndfamily")));
        QCOMPARE(listSchemaNames(dir.path()),
            QStringList({ QStringLiteral(".dark"), QStringLiteral("Bass"), QStringLiteral("Strings"),
                QStringLiteral("Upper") }));
        // ...and what is listed loads, and saves back into the same file.
        SoundFamilySchema s;
        const QString upper = schemaPath(dir.path(), QStringLiteral("Upper"));
        QVERIFY(s.load(upper, nullptr));
        QCOMPARE(s.allowedValues("KnobOsc1Semitone"), QStringLiteral("101"));
        QVERIFY(s.save(upper, nullptr));
        QCOMPARE(QDir(dir.path()).entryList({ QStringLiteral("Upper.*") }, QDir::Files).size(), 1);
        // A program in a build tree keeps its schemas beside itself.
        const auto here = platform::chooseFileLocations(QCoreApplication::applicationDirPath(), false);
        QCOMPARE(here.schemaFolder, QCoreApplication::applicationDirPath());
        QCOMPARE(here.schemaFolders, QStringList({ QCoreApplication::applicationDirPath() }));

        // Over the user's folder and a shared one: each name once, and the
        // user's own file is the one that loads.
        QTemporaryDir shared;
        writeAll(shared.filePath(QStringLiteral("Bass.sndfamily")), "[Parameters]\nOsc1Forms=111\n");
        writeAll(shared.filePath(QStringLiteral("Arps.sndfamily")), "");
        const QStringList folders { dir.path(), shared.path(), dir.filePath(QStringLiteral("missing")) };
        QCOMPARE(listSchemaNames(folders), QStringList({ ".dark", "Arps", "Bass", "Strings", "Upper" }));
        QCOMPARE(findSchemaPath(folders, QStringLiteral("Bass")), dir.filePath(QStringLiteral("Bass.sndfamily")));
        QCOMPARE(findSchemaPath(folders, QStringLiteral("Arps")), shared.filePath(QStringLiteral("Arps.sndfamily")));
        // A name found nowhere (or a folder of that name) is where it would be saved.
        QCOMPARE(findSchemaPath(folders, QStringLiteral("Dir")), dir.filePath(QStringLiteral("Dir.sndfamily")));
        QCOMPARE(findSchemaPath(folders, QStringLiteral("New")), dir.filePath(QStringLiteral("New.sndfamily")));
    }

    void locationsOfAnInstalledProgram()
    {
        QTemporaryDir home;
        qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toUtf8());
        qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toUtf8());
        qputenv("XDG_DATA_DIRS", home.filePath(QStringLiteral("shared")).toUtf8());
        const QString app = QCoreApplication::applicationName();

        // A folder the program cannot write to: the user's folders, and the
        // program's folder and the shared ones for reading schemas.
        const QString installed = home.filePath(QStringLiteral("no-such-prefix/bin"));
        auto where = platform::chooseFileLocations(installed, false);
        QVERIFY(!where.besideProgram);
        QCOMPARE(where.settingsFolder, home.filePath(QStringLiteral("config/")) + app);
        QCOMPARE(where.schemaFolder, home.filePath(QStringLiteral("data/")) + app);
        QCOMPARE(where.schemaFolders,
            QStringList({ where.schemaFolder, installed, home.filePath(QStringLiteral("shared/")) + app }));
        QCOMPARE(where.libraryFile, home.filePath(QStringLiteral("data/")) + app + QStringLiteral("/library.sqlite"));

        // --portable, or a writable folder: beside the program, nothing else.
        where = platform::chooseFileLocations(installed, true);
        QVERIFY(where.besideProgram);
        QCOMPARE(where.settingsFolder, installed);
        QCOMPARE(where.schemaFolders, QStringList({ installed }));
        QCOMPARE(where.libraryFile, installed + QStringLiteral("/library.sqlite"));
        where = platform::chooseFileLocations(home.path(), false);
        QVERIFY(where.besideProgram);
        QCOMPARE(where.schemaFolder, home.path());
        QCOMPARE(QDir(home.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList()); // the writability probe leaves nothing behind

        // Installed where its user (root, or into a prefix of their own) may
        // write: still the user's folders, never the system's bin folder.
        const QString prefix = home.filePath(QStringLiteral("prefix"));
        const QString entry = prefix + QStringLiteral("/share/applications/") + sondrake::kDesktopId + ".desktop";
        QVERIFY(QDir().mkpath(prefix + QStringLiteral("/bin")) && QDir().mkpath(QFileInfo(entry).path()));
        QVERIFY(QFile(entry).open(QIODevice::WriteOnly));
        where = platform::chooseFileLocations(prefix + QStringLiteral("/bin"), false);
        QVERIFY(!where.besideProgram);
        QCOMPARE(where.settingsFolder, home.filePath(QStringLiteral("config/")) + app);
        QVERIFY(platform::chooseFileLocations(prefix + QStringLiteral("/bin"), true).besideProgram);
    }
};

QTEST_GUILESS_MAIN(TestSchema)
#include "test_schema.moc"
