// The bank file commands of the main window, with scripted answers and paths.
#include "ScriptedDialogs.h"

#include "librarian/SoundListView.h"
#include "librarian/MainWindow.h"
#include "midi/MidiSession.h"
#include "support/RecordingBackend.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace sondrake;
using testing::ScriptedDialogs;
using Answer = LibrarianDialogs::Answer;

namespace {

void fill(SoundStore& store, int salt)
{
    for (int s = 0; s < kSlotCount; ++s) {
        store.slot(s).fill(std::uint8_t((s + salt) & 0x7F));
        store.setSoundName(s, "S" + std::to_string(s + salt));
    }
}

QByteArray slotBytes(const SoundStore& store, int s)
{
    return QByteArray(reinterpret_cast<const char*>(store.slot(s).data()), 270);
}

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

class TestBankFileWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;
    midi::MidiSession session; // outlives the window
    MainWindow::Options options;
    std::unique_ptr<MainWindow> w;
    std::unique_ptr<ScriptedDialogs> dialogs;

    QString path(const char* name) const { return dir->filePath(QString::fromLatin1(name)); }
    QStringList memoLines() const
    {
        const QString text = w->messagesBox()->toPlainText();
        return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
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
        options.settingsFile = path("halvorne_q-lindorn.ini");
        dialogs = std::make_unique<ScriptedDialogs>();
        options.dialogs = dialogs.get();
        w = std::make_unique<MainWindow>(session, options);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        w->messagesBox()->clear();
    }

    void cleanup()
    {
        w.reset();
        QVERIFY2(dialogs->allUsed(), qPrintable(dialogs->asked.join(" | ")));
        dialogs.reset();
    }

    void saveAndLoadThroughTheMenu()
    {
        fill(w->store(), 3);
        const SoundStore saved = w->store();
        w->soundList()->selectRows({ 4, 5 });

        dialogs->savePaths = { path("bank.syx") };
        w->findChild<QAction*>("SavetofileSoundBanks1")->trigger();
        QCOMPARE(readFile(path("bank.syx")).size(), 54000);
        QVERIFY(dialogs->asked.isEmpty()); // a new file: no question
        QCOMPARE(w->selectedRows(), (std::vector<int> { 4, 5 })); // list untouched

        // An existing file: "No" leaves it, "Yes" replaces it.
        fill(w->store(), 50);
        dialogs->savePaths = { path("bank.syx"), path("bank.syx") };
        dialogs->answers = { Answer::No, Answer::Yes };
        w->onSaveBankFile();
        QCOMPARE(readFile(path("bank.syx")).left(270), slotBytes(saved, 0));
        w->onSaveBankFile();
        QCOMPARE(readFile(path("bank.syx")).left(270), slotBytes(w->store(), 0));
        QCOMPARE(dialogs->asked, QStringList({ "Do you want to replace it? [Yes/No]", "Do you want to replace it? [Yes/No]" }));

        // Load: "Save changes ?" No, then the file; the selection is emptied.
        writeFile(path("other.syx"), readFile(path("bank.syx")).left(270 * 3) + "xyz");
        fill(w->store(), 7);
        const SoundStore before = w->store();
        dialogs->asked.clear();
        dialogs->answers = { Answer::No };
        dialogs->openPaths = { path("other.syx") };
        QTest::keyClick(w.get(), Qt::Key_L, Qt::ControlModifier);
        QCOMPARE(dialogs->asked, QStringList({ "Save changes ? [Yes/No]" }));
        for (int s = 0; s < kSlotCount; ++s)
            QCOMPARE(slotBytes(w->store(), s), s < 3 ? readFile(path("other.syx")).mid(s * 270, 270) : slotBytes(before, s));
        QVERIFY(w->selectedRows().empty());
        QVERIFY(w->selectionList().empty());
        QCOMPARE(w->soundList()->model()->index(1, SoundListView::kNameColumn).data().toString(),
            QString::fromStdString(w->store().getSoundName(1)));
        QCOMPARE(memoLines().size(), 1); // the 3 bytes after the last whole sound
        QVERIFY(memoLines().first().contains("3 bytes"));
    }

    void loadFailuresAreOneLineAndChangeNothing()
    {
        fill(w->store(), 9);
        const SoundStore before = w->store();
        w->soundList()->selectRows({ 8 });
        w->collectSelection();

        // Chosen, then gone before it was opened; a folder; cancelled.
        dialogs->answers = { Answer::No, Answer::No, Answer::No };
        dialogs->openPaths = { path("vanished.syx"), dir->path(), QString() };
        w->onLoadBankFile();
        w->onLoadBankFile();
        w->onLoadBankFile();
        const QStringList lines = memoLines();
        QCOMPARE(lines.size(), 2);
        QVERIFY(lines[0].contains("vanished.syx") && lines[0].contains("No such file"));
        QVERIFY(lines[1].contains("folder"));
        for (int s = 0; s < kSlotCount; ++s)
            QCOMPARE(slotBytes(w->store(), s), slotBytes(before, s));
        QCOMPARE(w->selectedRows(), std::vector<int> { 8 });
    }

    void loadOfMoreThan200SoundsSaysHowManyWereLeft()
    {
        QByteArray bytes;
        for (int k = 0; k < 203; ++k)
            bytes += QByteArray(270, char(k & 0x7F));
        writeFile(path("big.syx"), bytes);
        dialogs->answers = { Answer::No };
        dialogs->openPaths = { path("big.syx") };
        w->onLoadBankFile();
        QCOMPARE(int(w->store().slot(199)[100]), 199 & 0x7F);
        QCOMPARE(memoLines().size(), 1);
        QVERIFY(memoLines().first().contains("3 ignored"));
    }

    void separateFilesNamesAndAnswers()
    {
        fill(w->store(), 0);
        const QString base = path("bank.syx");

        // Rows 0 and 199 selected: two files, named after the slot + 1.
        w->soundList()->selectRows({ 0, 199 });
        dialogs->savePaths = { base };
        w->onSaveSeparateFiles();
        QCOMPARE(readFile(base + "1.syx"), slotBytes(w->store(), 0));
        QCOMPARE(readFile(base + "200.syx"), slotBytes(w->store(), 199));
        QVERIFY(dialogs->asked.isEmpty());

        // Rows 0, 1, 199 with 0 and 199 existing: No skips 0, 1 is new, Cancel stops at 199.
        fill(w->store(), 40);
        w->soundList()->selectRows({ 0, 1, 199 });
        dialogs->savePaths = { base };
        dialogs->answers = { Answer::No, Answer::Cancel };
        w->onSaveSeparateFiles();
        QCOMPARE(dialogs->asked,
            QStringList({ "Do you want to replace it? [Yes/No/Cancel]", "Do you want to replace it? [Yes/No/Cancel]" }));
        QVERIFY(readFile(base + "1.syx") != slotBytes(w->store(), 0));
        QCOMPARE(readFile(base + "2.syx"), slotBytes(w->store(), 1));
        QVERIFY(readFile(base + "200.syx") != slotBytes(w->store(), 199));

        // One row selected: "Select all?" No writes just that one; Yes writes all 200.
        w->soundList()->selectRows({ 150 });
        dialogs->asked.clear();
        dialogs->savePaths = { path("one.syx") };
        dialogs->answers = { Answer::No };
        w->onSaveSeparateFiles();
        QCOMPARE(QDir(dir->path()).entryList({ "one.syx*" }), QStringList({ "one.syx151.syx" }));
        dialogs->savePaths = { path("all.syx") };
        dialogs->answers = { Answer::Yes };
        w->onSaveSeparateFiles();
        QCOMPARE(QDir(dir->path()).entryList({ "all.syx*" }).size(), 200);
        QCOMPARE(w->selectedRows().size(), std::size_t(200));

        // Cancelled save dialog: nothing asked, nothing written.
        dialogs->savePaths = { QString() };
        w->onSaveSeparateFiles();
        QCOMPARE(dialogs->asked, QStringList({ "Select all? [Yes/No]", "Select all? [Yes/No]" }));
    }

    void separateFilesStopAtTheFirstFailure()
    {
        // The chosen name's folder is a regular file: the first write fails,
        // says so once, and the rest is not tried.
        writeFile(path("plain"), "x");
        w->soundList()->selectRows({ 3, 4, 5 });
        dialogs->savePaths = { path("plain") + "/bank.syx" };
        w->onSaveSeparateFiles();
        QCOMPARE(memoLines().size(), 1);
        QVERIFY(memoLines().first().contains("bank.syx4.syx"));
        QVERIFY(memoLines().first().contains("not saved"));
        QCOMPARE(readFile(path("plain")), QByteArray("x"));
    }

    void sendFileUsesTheSharedOpenDialog()
    {
        // "Send SysEx from file" asks through the same open dialog as Load:
        // the chosen file leaves whole, a cancelled dialog sends nothing.
        auto out = midi::installRecordingBackend(session);
        const QByteArray bytes = QByteArray("\xF0\x01\x02\xF7", 4) + QByteArray("\xF0\x03\xF7", 3);
        writeFile(path("send.syx"), bytes);
        dialogs->openPaths = { path("send.syx"), QString() };
        w->findChild<QAction*>("SendSysExfile1")->trigger();
        QVERIFY(session.waitIdle(std::chrono::milliseconds(3000)));
        const midi::Bytes all = out->allBytes();
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(all.data()), qsizetype(all.size())), bytes);
        out->clear();
        w->onSendSysExFile();
        QVERIFY(session.waitIdle(std::chrono::milliseconds(3000)));
        QCOMPARE(out->count(), std::size_t(0));
        QCOMPARE(dialogs->openCount, 2);
        QVERIFY(memoLines().isEmpty());
    }

    void loadAskingToSaveFirstRunsTheSeparateSave()
    {
        fill(w->store(), 1);
        writeFile(path("in.syx"), QByteArray(270, '\x11'));
        w->soundList()->selectRows({ 2, 3 });
        dialogs->answers = { Answer::Yes };
        dialogs->savePaths = { path("keep.syx") };
        dialogs->openPaths = { path("in.syx") };
        const QByteArray slot3 = slotBytes(w->store(), 3);
        w->onLoadBankFile();
        QCOMPARE(readFile(path("keep.syx4.syx")), slot3);
        QCOMPARE(int(w->store().slot(0)[0]), 0x11);

        // Cancelling that save still goes on to the load.
        dialogs->answers = { Answer::Yes };
        dialogs->savePaths = { QString() };
        dialogs->openPaths = { path("in.syx") };
        w->onLoadBankFile();
        QCOMPARE(dialogs->openCount, 2);
    }
};

QTEST_MAIN(TestBankFileWindow)
#include "test_bankfile_window.moc"
