// The list's history driven through the main window: every command that
// changes the slots is one step that undo takes back and redo makes again,
// and every sound that arrives is archived in the sound library.
#include "KeyTestSupport.h"
#include "ModalTestSupport.h"
#include "ScriptedDialogs.h"
#include "WindowTestSupport.h"

#include "librarian/MainWindow.h"
#include "librarian/SoundListView.h"
#include "library/Library.h"
#include "library/SearchQuery.h"
#include "midi/MidiSession.h"
#include "midi/Reception.h"
#include "midi/SoundTransfer.h"
#include "midi/SysExDialog.h"
#include "support/RecordingBackend.h"

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QUndoStack>

#include <functional>
#include <memory>

using namespace sondrake;
using testing::namedChild;
using testing::onNextModal;
using testing::ScriptedDialogs;
using Answer = LibrarianDialogs::Answer;

namespace {

constexpr auto kWait = std::chrono::milliseconds(3000);

// Every slot holds a record of its own, so a step that gives back the wrong
// slot or the wrong bytes shows.
void fillDistinct(SoundStore& store)
{
    for (int s = 0; s < kSlotCount; ++s) {
        SoundDump& d = store.slot(s);
        for (std::size_t i = 1; i + 1 < kDumpSize; ++i)
            d[i] = std::uint8_t((s * 31 + i * 7) & 0x7F);
        d[0] = 0xF0;
        d[kDumpSize - 1] = 0xF7;
        // Not in name order, so that ordering by name moves every slot.
        store.setSoundName(s, "S" + std::to_string((s * 71) % kSlotCount + 1000));
    }
}

SoundDump dumpFor(std::uint8_t bank, std::uint8_t program, std::uint8_t fill, const char* name)
{
    SoundDump d;
    for (std::size_t i = 0; i < kDumpSize; ++i)
        d[i] = std::uint8_t((fill + i * 3) & 0x7F);
    d[0] = 0xF0;
    d[kLocationBankByte] = bank;
    d[kLocationProgramByte] = program;
    d[kDumpSize - 1] = 0xF7;
    writeName(d, name);
    return d;
}

// The first slot whose bytes differ, or -1.
int firstDifference(const SoundStore& a, const SoundStore& b)
{
    for (int s = 0; s < kSlotCount; ++s)
        if (a.slot(s) != b.slot(s))
            return s;
    return -1;
}

} // namespace

class TestHistoryWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;
    std::shared_ptr<midi::RecordingBackend> out;
    midi::MidiSession session; // outlives the window and the library
    MainWindow::Options options;
    std::unique_ptr<ScriptedDialogs> dialogs;
    std::unique_ptr<library::Library> library;
    std::unique_ptr<MainWindow> w;

    QString path(const char* name) const { return dir->filePath(QString::fromLatin1(name)); }
    template <typename T> T* child(const char* name) const { return namedChild<T>(w.get(), name); }
    SoundListView* list() const { return w->soundList(); }
    QPoint rowPoint(int row) const
    {
        list()->scrollTo(list()->model()->index(row, 0));
        return list()->visualRect(list()->model()->index(row, SoundListView::kNameColumn)).center();
    }
    QString lastMessage() const { return w->messagesBox()->toPlainText().split(QLatin1Char('\n')).last(); }

    // Every source the library keeps, over all its sounds.
    QStringList librarySources() const
    {
        if (!library->waitForIdle(5000))
            return { QStringLiteral("<library busy>") };
        QStringList all;
        library::LibraryDatabase* reader = library->reader();
        for (qint64 id : reader->search(library::parseSearch(QString()))) {
            const std::optional<library::SoundRecord> record = reader->record(id);
            if (record)
                for (const library::SoundSource& source : record->sources)
                    all << source.text;
        }
        return all;
    }

private slots:
    void initTestCase() { options.openMidiPortsAtStart = false; }

    void init()
    {
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
        out = midi::installRecordingBackend(session);
        options.settingsFile = path("halvorne_q-lindorn.ini");
        dialogs = std::make_unique<ScriptedDialogs>();
        options.dialogs = dialogs.get();
        library = std::make_unique<library::Library>(path("library.sqlite"));
        library->open();
        QTRY_VERIFY(library->isAvailable());
        options.library = library.get();
        w = std::make_unique<MainWindow>(session, options);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        child<QTimer>("tmrKeyboard")->stop();
        child<QTimer>("tmrKeyboardHook")->stop();
        w->transfer().setAnswerTimeout(std::chrono::milliseconds(100));
        fillDistinct(w->store());
        w->rebuildList();
    }

    void cleanup()
    {
        w.reset();
        library.reset();
        session.waitIdle(kWait);
        QVERIFY2(dialogs->allUsed(), qPrintable(dialogs->asked.join(" | ")));
    }

    void everyChangeIsOneStepBothWays_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("step");
        QTest::addColumn<QString>("source"); // what the library keeps of it; empty: nothing new
        QTest::newRow("rename") << "rename" << "Rename 'S1013' to 'Pad'" << "renamed in slot 103";
        QTest::newRow("move down") << "move" << "Move 3 sounds down" << "";
        QTest::newRow("move to a row") << "moveTo" << "Move 2 sounds to 142" << "";
        QTest::newRow("drop swap") << "drop" << "Swap 105 and 280" << "";
        QTest::newRow("order by name") << "order" << "Order by name" << "";
        QTest::newRow("new empty banks") << "new" << "New empty banks" << "";
        QTest::newRow("load") << "load" << "Load 'other.syx'" << "other.syx";
        QTest::newRow("editor") << "edit" << "Edit 'Edited'" << "edited from slot 101";
        QTest::newRow("receive") << "receive" << "Receive 1 sound" << "received, bank 1 program 5";
        QTest::newRow("send") << "send" << "Send 2 sounds" << "";
        QTest::newRow("put from the library") << "put" << "Put 'Dropped' into 107" << "";
    }
    void everyChangeIsOneStepBothWays()
    {
        QFETCH(QString, kind);
        QFETCH(QString, step);
        QFETCH(QString, source);

        QFile other(path("other.syx"));
        QVERIFY(other.open(QIODevice::WriteOnly));
        for (std::uint8_t k = 0; k < 3; ++k)
            other.write(reinterpret_cast<const char*>(dumpFor(1, k, std::uint8_t(40 + k), "Loaded").data()), 270);
        other.close();

        const std::map<QString, std::function<void()>> commands {
            { "rename", [&] {
                 onNextModal([](QWidget* modal) {
                     namedChild<QLineEdit>(modal, "edtName")->setText(QStringLiteral("Pad"));
                     namedChild<QPushButton>(modal, "btnOk")->click();
                 });
                 QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, rowPoint(3));
             } },
            { "move", [&] {
                 list()->selectRows({ 10, 11, 12 });
                 child<QToolButton>("btnDown")->click();
             } },
            { "moveTo", [&] {
                 list()->selectRows({ 20, 21 });
                 w->collectSelection();
                 QTest::mousePress(list()->viewport(), Qt::RightButton, {}, rowPoint(42));
                 QTest::mouseRelease(list()->viewport(), Qt::RightButton, {}, rowPoint(42));
                 QTRY_COMPARE(w->selectedRows(), (std::vector<int> { 41, 42 }));
             } },
            { "drop", [&] {
                 list()->selectRows({ 5 });
                 emit list()->rowDropped(180);
             } },
            { "order", [&] {
                 dialogs->answers = { Answer::Yes };
                 w->onOrderByName();
             } },
            { "new", [&] { child<QAction>("Newemptypatchlist1")->trigger(); } },
            { "load", [&] {
                 dialogs->answers = { Answer::No };
                 dialogs->openPaths = { path("other.syx") };
                 child<QAction>("LoadFromfilepatchlist1")->trigger();
             } },
            { "edit", [&] {
                 w->setEditorLauncher([](MainWindow&, SoundDump& copy) {
                     copy[20] = 0x33;
                     writeName(copy, "Edited");
                 });
                 list()->selectRows({ 1 });
                 child<QToolButton>("ToolButton6")->click();
             } },
            { "receive", [&] {
                 list()->selectRows({ 9 });
                 onNextModal([this](QWidget*) {
                     const SoundDump arrived = dumpFor(1, 5, 60, "Arrived");
                     emit session.sysExReceived(
                         midi::ReceivedSysEx { std::vector<std::uint8_t>(arrived.begin(), arrived.end()), kDumpSize });
                 });
                 child<QAction>("ReadCurrentSound1")->trigger();
             } },
            { "send", [&] {
                 list()->selectRows({ 150, 151 });
                 child<QAction>("SendSysExforselectedsounds1")->trigger();
                 QTRY_VERIFY_WITH_TIMEOUT(!w->transfer().isSending(), 5000);
             } },
            { "put", [&] {
                 emit list()->soundsDropped(7, { dumpFor(2, 9, 70, "Dropped") });
             } },
        };

        const QStringList sourcesBefore = librarySources();
        const SoundStore before = w->store();
        commands.at(kind)();
        const SoundStore after = w->store();
        const std::vector<int> selectedAfter = w->selectedRows();
        QVERIFY2(firstDifference(before, after) >= 0, "the command changed nothing");

        QUndoStack& stack = w->undoStack();
        QCOMPARE(stack.count(), 1);
        QCOMPARE(stack.undoText(), step);
        QCOMPARE(child<QAction>("Undo1")->text(), QStringLiteral("Undo ") + step);

        child<QAction>("Undo1")->trigger();
        QCOMPARE(firstDifference(w->store(), before), -1);
        QCOMPARE(list()->model()->index(3, SoundListView::kNameColumn).data().toString(),
            QString::fromStdString(before.getSoundName(3)));
        child<QAction>("Redo1")->trigger();
        QCOMPARE(firstDifference(w->store(), after), -1);
        QCOMPARE(w->selectedRows(), selectedAfter);
        QCOMPARE(list()->model()->index(3, SoundListView::kNameColumn).data().toString(),
            QString::fromStdString(after.getSoundName(3)));

        const QStringList added = librarySources().mid(0); // order is the library's
        QStringList fresh = added;
        for (const QString& s : sourcesBefore)
            fresh.removeOne(s);
        if (source.isEmpty()) {
            QVERIFY2(fresh.isEmpty(), qPrintable(fresh.join(" | ")));
        } else {
            QVERIFY2(!fresh.isEmpty(), "nothing archived");
            QVERIFY2(fresh.first().endsWith(source), qPrintable(fresh.join(" | ")));
        }
    }

    // Ctrl+Z reaches the history's action wherever the focus is, and while
    // a send runs it is refused as edits are.
    void undoKeysAndTheRefusalWhileSending()
    {
        list()->selectRows({ 50 });
        child<QToolButton>("btnDown")->click();
        const SoundStore before = w->store();
        list()->selectRows({ 10 });
        child<QToolButton>("btnDown")->click();
        const SoundStore moved = w->store();
        w->messagesBox()->setFocus();
        testing::keyClick(w->messagesBox(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(firstDifference(w->store(), before), -1);
        list()->setFocus();
        testing::keyClick(list(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(firstDifference(w->store(), moved), -1);

        child<QAction>("Undo1")->trigger(); // something to redo as well
        list()->selectRows({ 0, 1, 2, 3 });
        child<QAction>("SendSysExforselectedsounds1")->trigger();
        QVERIFY(w->transfer().isSending());
        const SoundStore sending = w->store();
        child<QAction>("Undo1")->trigger();
        QCOMPARE(lastMessage(), QStringLiteral("Still sending the selected sounds; undo again when sending has ended"));
        child<QAction>("Redo1")->trigger();
        QCOMPARE(lastMessage(), QStringLiteral("Still sending the selected sounds; redo again when sending has ended"));
        QCOMPARE(firstDifference(w->store(), sending), -1);
        QTRY_VERIFY_WITH_TIMEOUT(!w->transfer().isSending(), 5000);
        QCOMPARE(w->undoStack().undoText(), QStringLiteral("Send 4 sounds"));
    }
};

QTEST_MAIN(TestHistoryWindow)
#include "test_history_window.moc"
