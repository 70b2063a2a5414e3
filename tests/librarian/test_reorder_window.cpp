// Reordering driven through the main window: buttons, keys, right clicks,
// "Order by name" and a drop, checking the whole store and the selection.
#include "KeyTestSupport.h"
#include "ScriptedDialogs.h"

#include "librarian/SoundListView.h"
#include "librarian/MainWindow.h"
#include "support/RecordingBackend.h"

#include <QAction>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <memory>

using namespace sondrake;
using testing::ScriptedDialogs;
using Answer = LibrarianDialogs::Answer;
using Rows = std::vector<int>;

namespace {

// Slot s starts with a sound whose bytes all read s, named "S<s>".
void tag(SoundStore& store)
{
    for (int s = 0; s < kSlotCount; ++s) {
        store.slot(s).fill(std::uint8_t(s));
        store.setSoundName(s, "S" + std::to_string(s));
    }
}

// Row r holds the sound that started at origin[r]; every other row its own.
std::vector<int> origin(std::initializer_list<std::pair<int, int>> changes)
{
    std::vector<int> v(kSlotCount);
    for (int r = 0; r < kSlotCount; ++r)
        v[std::size_t(r)] = r;
    for (auto [row, from] : changes)
        v[std::size_t(row)] = from;
    return v;
}

} // namespace

class TestReorderWindow : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    midi::MidiSession session; // outlives the window
    MainWindow::Options options;
    std::unique_ptr<MainWindow> w;
    std::unique_ptr<ScriptedDialogs> dialogs;

    SoundListView* list() const { return w->soundList(); }

    void select(const Rows& rows)
    {
        list()->selectRows(rows);
        w->collectSelection();
    }

    bool holds(const std::vector<int>& from) const
    {
        for (int r = 0; r < kSlotCount; ++r) {
            const int expected = from[std::size_t(r)];
            const SoundDump& d = w->store().slot(r);
            if (d[0] != expected || d[269] != expected
                || w->store().getSoundName(r) != ("S" + std::to_string(expected)).append(16 - 1 - std::to_string(expected).size(), ' ')) {
                qWarning("row %d holds %d", r, int(d[0]));
                return false;
            }
            // The list shows what the slot holds.
            if (list()->model()->index(r, SoundListView::kNameColumn).data().toString().trimmed() != QString("S%1").arg(expected)) {
                qWarning("row %d shows %s", r, qPrintable(list()->model()->index(r, SoundListView::kNameColumn).data().toString()));
                return false;
            }
        }
        return true;
    }

    void rightClick(int row, Qt::KeyboardModifiers modifiers = {})
    {
        list()->scrollTo(list()->model()->index(row, 0));
        const QPoint p = list()->visualRect(list()->model()->index(row, SoundListView::kNameColumn)).center();
        QTest::mousePress(list()->viewport(), Qt::RightButton, modifiers, p);
        QTest::mouseRelease(list()->viewport(), Qt::RightButton, modifiers, p);
    }

private slots:
    void initTestCase()
    {
        options.openMidiPortsAtStart = false;
        options.settingsFile = dir.filePath("halvorne_q-lindorn.ini");
        midi::installRecordingBackend(session);
    }

    void init()
    {
        dialogs = std::make_unique<ScriptedDialogs>();
        options.dialogs = dialogs.get();
        w = std::make_unique<MainWindow>(session, options);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        tag(w->store());
        w->refreshNames(false);
    }

    void cleanup()
    {
        QVERIFY(w->messagesBox()->toPlainText().isEmpty());
        w.reset();
        QVERIFY2(dialogs->allUsed(), qPrintable(dialogs->asked.join(" | ")));
        dialogs.reset();
    }

    void buttonsAndKeysMoveRunsAndSelection()
    {
        auto* up = w->findChild<QToolButton*>("btnUP");
        auto* down = w->findChild<QToolButton*>("btnDown");

        select({ 0, 1 });
        QTest::mouseClick(up, Qt::LeftButton); // row 0 selected: nothing at all
        QVERIFY(holds(origin({})));
        QCOMPARE(w->selectedRows(), Rows({ 0, 1 }));
        QTest::mouseClick(down, Qt::LeftButton);
        QVERIFY(holds(origin({ { 0, 2 }, { 1, 0 }, { 2, 1 } })));
        QCOMPARE(w->selectedRows(), Rows({ 1, 2 }));
        QCOMPARE(w->selectionList(), Rows({ 1, 2 }));

        tag(w->store());
        w->refreshNames(false);
        select({ 3, 4, 7 });
        list()->setFocus();
        sondrake::testing::keyClick(list(), Qt::Key_Minus, Qt::ControlModifier | Qt::KeypadModifier);
        QVERIFY(holds(origin({ { 2, 3 }, { 3, 4 }, { 4, 2 }, { 6, 7 }, { 7, 6 } })));
        QCOMPARE(w->selectedRows(), Rows({ 2, 3, 6 }));
        sondrake::testing::keyClick(list(), Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier);
        QVERIFY(holds(origin({})));
        QCOMPARE(w->selectedRows(), Rows({ 3, 4, 7 }));

        tag(w->store());
        w->refreshNames(false);
        select({ 199 });
        QTest::mouseClick(down, Qt::LeftButton);
        QVERIFY(holds(origin({})));
        QTest::mouseClick(up, Qt::LeftButton);
        QVERIFY(holds(origin({ { 198, 199 }, { 199, 198 } })));
        QCOMPARE(w->selectedRows(), Rows({ 198 }));

        // Nothing selected: nothing moves.
        select({});
        QTest::mouseClick(up, Qt::LeftButton);
        QTest::mouseClick(down, Qt::LeftButton);
        QVERIFY(holds(origin({ { 198, 199 }, { 199, 198 } })));
    }

    void commandsScrollTowardsTheMove()
    {
        QScrollBar* bar = list()->verticalScrollBar();
        list()->scrollTo(list()->model()->index(100, 0), QAbstractItemView::PositionAtTop);
        QCoreApplication::processEvents();
        const int top = list()->topVisibleRow();
        const int value = bar->value();
        select({ top }); // at the top of the view: Move up scrolls up
        w->onMoveUp();
        QVERIFY(bar->value() < value);
        const int v = list()->visibleRowCount();
        list()->scrollTo(list()->model()->index(100, 0), QAbstractItemView::PositionAtTop);
        QCoreApplication::processEvents();
        select({ list()->topVisibleRow() + v / 4 + 1 }); // below the first quarter: Move down scrolls down
        const int before = bar->value();
        w->onMoveDown();
        QVERIFY(bar->value() > before);
    }

    void rightClickMovesTheSelectionToTheRow()
    {
        select({ 10, 11, 12 });
        rightClick(20);
        QVERIFY(holds(origin({ { 10, 13 }, { 11, 14 }, { 12, 15 }, { 13, 16 }, { 14, 17 }, { 15, 18 }, { 16, 19 },
            { 17, 20 }, { 18, 10 }, { 19, 11 }, { 20, 12 } })));
        QCOMPARE(w->selectedRows(), Rows({ 18, 19, 20 }));

        // Back above, with Ctrl held: the selection stays as it was before the move.
        rightClick(5, Qt::ControlModifier);
        QCOMPARE(w->selectedRows(), Rows({ 5, 6, 7 }));
        QCOMPARE(w->store().slot(5)[0], 10);
        QCOMPARE(w->store().slot(7)[0], 12);

        // Inside the span: by the smaller distance to the first row.
        tag(w->store());
        w->refreshNames(false);
        select({ 10, 11, 12, 13, 14, 15 });
        rightClick(12);
        QCOMPARE(w->selectedRows(), Rows({ 12, 13, 14, 15, 16, 17 }));
        QVERIFY(holds(origin({ { 10, 16 }, { 11, 17 }, { 12, 10 }, { 13, 11 }, { 14, 12 }, { 15, 13 }, { 16, 14 },
            { 17, 15 } })));
        rightClick(12); // on the first row: nothing
        QCOMPARE(w->selectedRows(), Rows({ 12, 13, 14, 15, 16, 17 }));

        // To the bottom: stops there.
        select({ 190, 191 });
        rightClick(199);
        QCOMPARE(w->selectedRows(), Rows({ 198, 199 }));
        QCOMPARE(w->store().slot(199)[0], 191);
    }

    void longMoveKeepsTheWindowResponsive()
    {
        // A timer must keep running between the steps of a long move.
        int ticks = 0;
        QTimer timer;
        QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
        timer.start(1);
        select({ 0 });
        QElapsedTimer clock;
        clock.start();
        rightClick(150);
        const qint64 took = clock.elapsed();
        QCOMPARE(w->selectedRows(), Rows({ 150 }));
        QCOMPARE(w->store().slot(150)[0], 0);
        QCOMPARE(w->store().slot(0)[0], 1);
        // Any tick at all proves events ran between steps; a fixed count is at
        // the mercy of a loaded machine's timer resolution.
        QVERIFY2(ticks > 0 || took < 10, qPrintable(QString("%1 ticks in %2 ms").arg(ticks).arg(took)));

        // Nested commands while the steps run are ignored, not interleaved.
        select({ 100 });
        const int moving = w->store().slot(100)[0];
        const int atThree = w->store().slot(3)[0];
        bool ran = false; // only the move's own event processing can run it
        QTimer::singleShot(0, w.get(), [this, &ran] {
            ran = true;
            w->onMoveUp();
            w->onMoveDown();
            emit list()->rowDropped(3);
        });
        rightClick(120);
        QVERIFY(ran);
        QCOMPARE(w->selectedRows(), Rows({ 120 }));
        QCOMPARE(int(w->store().slot(120)[0]), moving);
        QCOMPARE(int(w->store().slot(3)[0]), atThree);
    }

    void orderByName()
    {
        // Scattered: C, A, B at rows 2, 5, 9 sort within those rows.
        w->store().setSoundName(2, "S2c");
        w->store().setSoundName(5, "S2a");
        w->store().setSoundName(9, "S2b");
        SoundStore before = w->store();
        select({ 2, 5, 9 });
        sondrake::testing::keyClick(list(), Qt::Key_N, Qt::ControlModifier);
        QVERIFY(w->store().slot(2) == before.slot(5));
        QVERIFY(w->store().slot(5) == before.slot(9));
        QVERIFY(w->store().slot(9) == before.slot(2));
        for (int r = 0; r < kSlotCount; ++r)
            if (r != 2 && r != 5 && r != 9)
                QVERIFY(w->store().slot(r) == before.slot(r));
        QCOMPARE(w->selectedRows(), Rows({ 2, 5, 9 }));
        QCOMPARE(list()->model()->index(2, 1).data().toString(), QString("S2a").leftJustified(16));

        // One row selected: "Sort all?" No sorts nothing; Yes sorts every row.
        tag(w->store());
        w->store().setSoundName(0, "bass");
        w->store().setSoundName(1, "Atmo");
        w->store().setSoundName(2, "BASS2");
        w->refreshNames(false);
        before = w->store();
        select({ 4 });
        dialogs->answers = { Answer::No, Answer::Yes };
        w->onOrderByName();
        for (int r = 0; r < kSlotCount; ++r)
            QVERIFY(w->store().slot(r) == before.slot(r));
        QCOMPARE(w->selectedRows(), Rows({ 4 }));
        w->onOrderByName();
        QCOMPARE(dialogs->asked, QStringList({ "Sort all? [Yes/No]", "Sort all? [Yes/No]" }));
        QCOMPARE(w->store().getSoundName(0), std::string("Atmo            "));
        QCOMPARE(w->store().getSoundName(1), std::string("bass            "));
        QCOMPARE(w->store().getSoundName(2), std::string("BASS2           "));
        // Blanks take part: "S10" comes before "S100", and "S100".."S109" before "S11".
        QCOMPARE(w->store().getSoundName(3), std::string("S10             "));
        QCOMPARE(w->store().getSoundName(4), std::string("S100            "));
        QCOMPARE(w->store().getSoundName(14), std::string("S11             "));
        QCOMPARE(w->selectedRows().size(), std::size_t(200));
        for (int r = 0; r + 1 < kSlotCount; ++r)
            QVERIFY(QString::fromStdString(w->store().getSoundName(r)).toUpper()
                <= QString::fromStdString(w->store().getSoundName(r + 1)).toUpper());
    }

    void dropExchangesWithTheFirstSelectedRow()
    {
        select({ 4, 6 });
        // the remembered selection is older than the one shown
        list()->selectRows({ 50 });
        w->collectSelection();
        list()->selectRows({ 4, 6 });
        QCOMPARE(w->selectionList(), Rows({ 50 }));
        emit list()->rowDropped(9);
        QVERIFY(holds(origin({ { 4, 9 }, { 9, 4 } })));
        QCOMPARE(w->selectedRows(), Rows({ 4, 6 }));
        emit list()->rowDropped(-1); // not on a row
        QVERIFY(holds(origin({ { 4, 9 }, { 9, 4 } })));
    }
};

QTEST_MAIN(TestReorderWindow)
#include "test_reorder_window.moc"
