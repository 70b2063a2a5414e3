// Start-up reading of the settings and the autoload file, the autoload
// dialog, and the closing sequence, on the real window.
#include "ModalTestSupport.h"
#include "ScriptedDialogs.h"

#include "librarian/MainWindow.h"
#include "librarian/AutoloadDialog.h"
#include "support/RecordingBackend.h"

#include <QAction>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using sondrake::testing::namedChild;

using namespace sondrake;
using testing::ScriptedDialogs;
using Answer = LibrarianDialogs::Answer;

namespace {

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace

class TestSettingsWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<ScriptedDialogs> dialogs;
    midi::MidiSession session;
    MainWindow::Options options;

    QString ini() const { return dir->filePath("halvorne_q-lindorn.ini"); }
    QString path(const char* name) const { return dir->filePath(QString::fromLatin1(name)); }

    std::unique_ptr<MainWindow> open()
    {
        auto w = std::make_unique<MainWindow>(session, options);
        w->show();
        return w;
    }

private slots:
    void initTestCase()
    {
        options.openMidiPortsAtStart = false;
        midi::installRecordingBackend(session);
    }

    void init()
    {
        dir = std::make_unique<QTemporaryDir>();
        options.settingsFile = ini();
        dialogs = std::make_unique<ScriptedDialogs>();
        options.dialogs = dialogs.get();
    }

    void cleanup()
    {
        QVERIFY2(dialogs->allUsed(), qPrintable(dialogs->asked.join(" | ")));
        dialogs.reset();
    }

    void noFileGivesDefaultsAndCloseWritesItOnce()
    {
        auto w = open();
        QVERIFY(w->settings().autoloadFile.isEmpty());
        QCOMPARE(int(w->settings().toleranceComboBox), 0);
        QCOMPARE(int(w->settings().toleranceOctave), 2);
        QCOMPARE(int(w->settings().toleranceKeytrack), 0);
        QCOMPARE(int(w->settings().toleranceOtherKnobs), 10);
        QCOMPARE(int(w->settings().toleranceSemitoneKnobs), 0);
        QCOMPARE(int(w->settings().toleranceDetuneKnobs), 3);
        QCOMPARE(w->store().getSoundName(199), std::string("empty           "));
        QVERIFY(w->messagesBox()->toPlainText().isEmpty());
        QVERIFY(!QFile::exists(ini()));

        w->settings().toleranceOtherKnobs = 77;
        w->findChild<QAction*>("Exit1")->trigger(); // no autoload file: no question
        QVERIFY(!w->isVisible());
        QVERIFY(w->settingsWritten());
        const QByteArray written = readFile(ini());
        QCOMPARE(written,
            QByteArray("[Globals]\nAutoloadfile=\nToleranceComboBox=0\nToleranceOctave=2\n"
                       "ToleranceKeytrack=0\nToleranceOtherKnobs=77\nToleranceSemitoneKnobs=0\n"
                       "ToleranceDetuneKnobs=3\n"));
        QVERIFY(dialogs->warnings.isEmpty());
        QVERIFY(!w->closeSaveFailed());
        // A second close request (the system asking again) writes nothing.
        writeFile(ini(), "marker");
        w->close();
        QCOMPARE(readFile(ini()), QByteArray("marker"));

        // A per-user settings folder does not exist before the first close.
        const QString nested = dir->filePath("config/Sondrake/halvorne_q-lindorn.ini");
        options.settingsFile = nested;
        w = open();
        w->close();
        QVERIFY(readFile(nested).startsWith("[Globals]\nAutoloadfile=\n"));
        QVERIFY(!w->closeSaveFailed());
    }

    void fileValuesJunkAndForeignLinesSurvive()
    {
        const QByteArray original = "[Mine]\r\nToleranceOctave=1\r\n"
                                    "[globals]\r\n"
                                    "TOLERANCEOTHERKNOBS=300\r\n"
                                    "toleranceDetuneKnobs=junk\r\n"
                                    "Foreign=1\r\n"
                                    "ToleranceKeytrack=" + QByteArray(1 << 20, '9') + "\r\n"
                                    "\x01\x02\xff\r\n"
                                    "ToleranceOctave=6";
        writeFile(ini(), original);
        auto w = open();
        QCOMPARE(int(w->settings().toleranceOtherKnobs), 44);
        QCOMPARE(int(w->settings().toleranceDetuneKnobs), 3);
        QCOMPARE(int(w->settings().toleranceKeytrack), 0); // far beyond any integer
        QCOMPARE(int(w->settings().toleranceOctave), 6);
        w->close();
        const QByteArray written = readFile(ini());
        QCOMPARE(written, QByteArray("[Mine]\r\nToleranceOctave=1\r\n[globals]\r\nTOLERANCEOTHERKNOBS=44\r\n"
                                   "toleranceDetuneKnobs=3\r\nForeign=1\r\nToleranceKeytrack=0\r\n\x01\x02\xff\r\n"
                                   "ToleranceOctave=6\r\nAutoloadfile=\r\nToleranceComboBox=0\r\n"
                                   "ToleranceSemitoneKnobs=0\r\n"));
    }

    void autoloadAtStartAndQuestionAtClose()
    {
        QByteArray bank;
        for (int k = 0; k < 200; ++k)
            bank += QByteArray(270, char(k & 0x7F));
        writeFile(path("auto.syx"), bank);
        writeFile(ini(), "[Globals]\nAutoloadfile=" + path("auto.syx").toUtf8() + "\n");
        auto w = open();
        QCOMPARE(int(w->store().slot(150)[0]), 150 & 0x7F);
        QVERIFY(w->messagesBox()->toPlainText().isEmpty());

        w->store().slot(150)[0] = 0x42;
        dialogs->answers = { Answer::Yes };
        // The question comes after the window is hidden and the settings are written.
        bool visibleAtQuestion = true;
        QByteArray settingsAtQuestion;
        dialogs->onAsk = [&](const QString&) {
            visibleAtQuestion = w->isVisible();
            settingsAtQuestion = readFile(ini());
        };
        w->close();
        QVERIFY(!visibleAtQuestion);
        QVERIFY(settingsAtQuestion.startsWith("[Globals]\nAutoloadfile=" + path("auto.syx").toUtf8() + "\n"));
        QVERIFY(settingsAtQuestion.contains("ToleranceDetuneKnobs=3\n"));
        w->close();
        QCOMPARE(dialogs->asked,
            QStringList({ "Do you want to save changes to autoload file (" + path("auto.syx") + ") ? [Yes/No]" }));
        const QByteArray saved = readFile(path("auto.syx"));
        QCOMPARE(saved.size(), 54000);
        QCOMPARE(int(saved[150 * 270]), 0x42);
    }

    void missingAutoloadFileLeavesEmptySlotsAndSaysSo()
    {
        writeFile(ini(), "[Globals]\nAutoloadfile=" + path("gone.syx").toUtf8() + "\n");
        auto w = open();
        QCOMPARE(w->store().getSoundName(0), std::string("empty           "));
        QCOMPARE(w->settings().autoloadFile, path("gone.syx"));
        const QString text = w->messagesBox()->toPlainText();
        QVERIFY(!text.contains('\n'));
        QVERIFY(text.contains("gone.syx") && text.contains("Zoreduzor Settings"));
        QCOMPARE(w->soundList() != nullptr, true);
        // "No" at close writes no bank file.
        dialogs->answers = { Answer::No };
        w->close();
        QVERIFY(!QFile::exists(path("gone.syx")));

        // A name of a megabyte (a damaged file): its Messages line and the
        // question at close are cut, or laying them out freezes the window.
        const QString huge = QString(1 << 20, u'x');
        writeFile(ini(), "[Globals]\nAutoloadfile=/" + huge.toUtf8() + "\n");
        QElapsedTimer clock;
        clock.start();
        auto big = open();
        QVERIFY(QTest::qWaitForWindowExposed(big.get()));
        QVERIFY2(clock.elapsed() < 10000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(big->settings().autoloadFile.size(), huge.size() + 1);
        const QString line = big->messagesBox()->toPlainText();
        QVERIFY2(line.size() <= 500 && line.contains(QChar(0x2026)), qPrintable(line.left(80)));
        QVERIFY(line.startsWith("Could not open the autoload bank file") && line.endsWith("Zoreduzor Settings."));
        QString question;
        dialogs->onAsk = [&](const QString& q) { question = q; };
        dialogs->answers = { Answer::No };
        big->close();
        QVERIFY(question.size() < 1000 && question.endsWith("xxx) ?"));
    }

    void failedWritesAtCloseAreShownAndFailTheExit()
    {
        // The settings file's place is taken by a folder; the autoload file
        // cannot be written either. The window still closes, but with the
        // Messages box hidden a box must tell which files and why, once.
        QVERIFY(QDir().mkpath(ini()));
        auto w = open();
        QVERIFY(w->messagesBox()->toPlainText().contains("settings file"));
        w->messagesBox()->clear();
        w->settings().autoloadFile = dir->path();
        dialogs->answers = { Answer::Yes };
        int warningsAtQuestion = -1;
        dialogs->onAsk = [&](const QString&) { warningsAtQuestion = int(dialogs->warnings.size()); };
        w->close();
        QVERIFY(!w->isVisible());
        const QStringList lines = w->messagesBox()->toPlainText().split('\n');
        QCOMPARE(lines.size(), 2);
        QVERIFY(lines[0].contains("Could not write the settings file"));
        QVERIFY(lines[1].contains("Could not save the bank file"));
        QVERIFY(QFileInfo(ini()).isDir());

        QCOMPARE(warningsAtQuestion, 0); // the question still comes first
        QCOMPARE(dialogs->warnings.size(), 1);
        const QString box = dialogs->warnings.constFirst();
        QVERIFY2(box.contains("settings file \"" + ini() + "\"") && box.contains("autoload bank file \"" + dir->path() + "\""),
            qPrintable(box));
        QVERIFY2(box.contains("not a plain file") && box.contains("a folder, not a file"), qPrintable(box));
        QVERIFY(w->closeSaveFailed());
        w->close();
        QCOMPARE(dialogs->warnings.size(), 1);

        // Only the autoload bank failing is enough to fail the exit.
        QDir(ini()).removeRecursively();
        w = open();
        w->settings().autoloadFile = dir->path();
        dialogs->answers = { Answer::Yes };
        dialogs->warnings.clear();
        w->close();
        QVERIFY(QFileInfo(ini()).isFile());
        QCOMPARE(dialogs->warnings.size(), 1);
        QVERIFY(!dialogs->warnings.constFirst().contains("settings file"));
        QVERIFY(w->closeSaveFailed());
    }

    void autoloadDialog()
    {
        auto w = open();
        w->settings().autoloadFile = "/old/bank.syx";

        // Opening shows the name and ticks "Enable"; "..." picks a file and ticks it.
        dialogs->openPaths = { path("picked.syx") };
        dialogs->onExec = [&](QDialog& d) {
            auto& z = dynamic_cast<AutoloadDialog&>(d);
            [&] {
                QCOMPARE(z.windowTitle(), QString("Settings"));
                QCOMPARE(namedChild<QGroupBox>(&z, "grpAutoload")->title(), QString("Autoload"));
                QCOMPARE(namedChild<QCheckBox>(&z, "CheckBox1")->text(), QString("Enable"));
                QCOMPARE(namedChild<QPushButton>(&z, "btnBrowse")->text(), QString("..."));
                QCOMPARE(namedChild<QPushButton>(&z, "btnOk")->text(), QString("&Ok"));
                QCOMPARE(namedChild<QLineEdit>(&z, "edtAutoload")->text(), QString("/old/bank.syx"));
                QVERIFY(namedChild<QCheckBox>(&z, "CheckBox1")->isChecked());
                namedChild<QCheckBox>(&z, "CheckBox1")->setChecked(false);
                QTest::mouseClick(namedChild<QPushButton>(&z, "btnBrowse"), Qt::LeftButton);
                QCOMPARE(namedChild<QLineEdit>(&z, "edtAutoload")->text(), path("picked.syx"));
                QVERIFY(namedChild<QCheckBox>(&z, "CheckBox1")->isChecked());
            }();
            QTest::mouseClick(namedChild<QPushButton>(&z, "btnOk"), Qt::LeftButton);
            return z.result();
        };
        w->findChild<QAction*>("Settings2")->trigger();
        QCOMPARE(w->settings().autoloadFile, path("picked.syx"));

        // Unticked and Ok: no autoload, written empty, no question at close.
        dialogs->onExec = [](QDialog& d) {
            auto& z = dynamic_cast<AutoloadDialog&>(d);
            namedChild<QCheckBox>(&z, "CheckBox1")->setChecked(false);
            return int(QDialog::Accepted);
        };
        w->onAutoloadSettings();
        QVERIFY(w->settings().autoloadFile.isEmpty());

        // Closed any other way: nothing changes; a typed path is kept as typed.
        w->settings().autoloadFile = "x";
        dialogs->onExec = [](QDialog& d) {
            namedChild<QLineEdit>(&d, "edtAutoload")->setText("typed, not checked");
            return int(QDialog::Rejected);
        };
        w->onAutoloadSettings();
        QCOMPARE(w->settings().autoloadFile, QString("x"));
        dialogs->onExec = [](QDialog& d) {
            namedChild<QLineEdit>(&d, "edtAutoload")->setText("typed, not checked");
            return int(QDialog::Accepted);
        };
        w->onAutoloadSettings();
        QCOMPARE(w->settings().autoloadFile, QString("typed, not checked"));
        w->settings().autoloadFile.clear();
        w->close();
        QVERIFY(readFile(ini()).contains("Autoloadfile=\n"));
    }
};

QTEST_MAIN(TestSettingsWindow)
#include "test_settings_window.moc"
