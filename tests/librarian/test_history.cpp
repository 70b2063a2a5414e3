// The store's history without a window: a step keeps what it needs to go
// either way, and undo and redo give back every byte.
#include "librarian/Reorder.h"
#include "librarian/StoreHistory.h"

#include <QUndoStack>
#include <QtTest>

#include <numeric>

using namespace sondrake;

namespace {

// Every slot holds a record of its own.
SoundStore distinctStore()
{
    SoundStore store;
    store.resetSoundNames();
    for (int s = 0; s < kSlotCount; ++s) {
        SoundDump& d = store.slot(s);
        for (std::size_t i = 0; i < kDumpSize; ++i)
            if (i < kNameOffset || i >= kNameOffset + kNameLength)
                d[i] = std::uint8_t((s * 31 + i * 7) & 0x7F);
        d[0] = 0xF0;
        d[269] = 0xF7;
        store.setSoundName(s, "Sound " + std::to_string(s));
    }
    return store;
}

struct Harness {
    SoundStore store = distinctStore();
    QUndoStack stack;
    std::vector<StoreHistory::Rows> applied;
    StoreHistory history{store, stack, [this](const StoreHistory::Rows& rows) { applied.push_back(rows); }};
};

} // namespace

class TestHistory : public QObject {
    Q_OBJECT
private slots:
    // Each kind of change: undo gives the store before, redo the store after,
    // and the list selects the rows of that moment.
    void undoAndRedoGiveBackEveryByte_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("rename") << 0;
        QTest::newRow("move down") << 1;
        QTest::newRow("sort") << 2;
        QTest::newRow("whole records") << 3;
        QTest::newRow("names of every slot") << 4;
    }
    void undoAndRedoGiveBackEveryByte()
    {
        QFETCH(int, kind);
        Harness h;
        // names out of order, so that sorting moves records
        h.store.setSoundName(0, "zzz");
        h.store.setSoundName(199, "aaa");
        const SoundStore before = h.store;
        std::vector<int> selection{10, 11, 12};
        StoreHistory::Change change = h.history.begin(selection);
        switch (kind) {
        case 0:
            h.store.setSoundName(10, "Renamed");
            break;
        case 1:
            reorder::moveDown(h.store, selection);
            break;
        case 2: {
            std::vector<int> all(kSlotCount);
            std::iota(all.begin(), all.end(), 0);
            reorder::sortByName(h.store, all);
            break;
        }
        case 3:
            for (int s = 100; s < 200; ++s)
                h.store.slot(s).fill(std::uint8_t(s & 0x7F));
            break;
        default:
            h.store.resetSoundNames();
            break;
        }
        const SoundStore after = h.store;
        QVERIFY(h.history.commit(std::move(change), "step", selection));
        QCOMPARE(h.stack.count(), 1);
        QVERIFY(h.applied.empty()); // pushing changes nothing more

        for (int round = 0; round < 2; ++round) {
            h.stack.undo();
            for (int s = 0; s < kSlotCount; ++s)
                QVERIFY2(h.store.slot(s) == before.slot(s), qPrintable(QString::number(s)));
            QCOMPARE(h.applied.back(), (StoreHistory::Rows{10, 11, 12}));
            h.stack.redo();
            for (int s = 0; s < kSlotCount; ++s)
                QVERIFY2(h.store.slot(s) == after.slot(s), qPrintable(QString::number(s)));
            QCOMPARE(h.applied.back(), selection);
        }
    }

    void nothingChangedMakesNoStep()
    {
        Harness h;
        QVERIFY(!h.history.commit(h.history.begin({}), "nothing", {}));
        QCOMPARE(h.stack.count(), 0);
        QVERIFY(!h.history.commitSlot(5, h.store.slot(5), "same", {}));
    }

    // A held key: its repeats are one step, and a step that ends where it
    // began goes away.
    void heldMovesMergeIntoOneStep()
    {
        Harness h;
        const SoundStore before = h.store;
        std::vector<int> selection{20, 21, 22};
        for (int i = 0; i < 5; ++i) {
            StoreHistory::Change change = h.history.begin(selection);
            reorder::moveDown(h.store, selection);
            h.history.commit(std::move(change), "Move 3 sounds down", selection, StoreHistory::kMoveDown);
        }
        QCOMPARE(h.stack.count(), 1);
        QCOMPARE(selection, (std::vector<int>{25, 26, 27}));
        const SoundStore after = h.store;
        h.stack.undo();
        for (int s = 0; s < kSlotCount; ++s)
            QVERIFY(h.store.slot(s) == before.slot(s));
        QCOMPARE(h.applied.back(), (StoreHistory::Rows{20, 21, 22}));
        h.stack.redo();
        for (int s = 0; s < kSlotCount; ++s)
            QVERIFY(h.store.slot(s) == after.slot(s));

        // down and up again by the same key kind would not merge; up and up do
        for (int i = 0; i < 2; ++i) {
            StoreHistory::Change change = h.history.begin(selection);
            reorder::moveUp(h.store, selection);
            h.history.commit(std::move(change), "Move 3 sounds up", selection, StoreHistory::kMoveUp);
        }
        QCOMPARE(h.stack.count(), 2);
    }
};

QTEST_GUILESS_MAIN(TestHistory)
#include "test_history.moc"
