#include "librarian/Reorder.h"

#include <QtTest>

#include <numeric>

using namespace sondrake;
using Rows = std::vector<int>;

namespace {

// Slot s holds a sound whose every byte tells s apart, named "S<s>".
SoundStore tagged()
{
    SoundStore store;
    store.resetSoundNames();
    for (int s = 0; s < kSlotCount; ++s) {
        store.slot(s).fill(std::uint8_t(s));
        store.slot(s)[0] = 0xF0;
        store.slot(s)[269] = 0xF7;
        store.setSoundName(s, "S" + std::to_string(s));
    }
    return store;
}

// The whole store equals the tagged store rearranged so that row r holds the
// sound that started at origin[r].
bool holds(const SoundStore& store, const std::vector<int>& origin)
{
    const SoundStore fresh = tagged();
    for (int r = 0; r < kSlotCount; ++r)
        if (store.slot(r) != fresh.slot(origin[std::size_t(r)])) {
            qWarning("row %d holds %s", r, store.getSoundName(r).c_str());
            return false;
        }
    return true;
}

std::vector<int> identity()
{
    std::vector<int> v(kSlotCount);
    std::iota(v.begin(), v.end(), 0);
    return v;
}

// origin with the listed rows holding the listed original slots.
std::vector<int> with(std::initializer_list<std::pair<int, int>> changes)
{
    auto v = identity();
    for (auto [row, from] : changes)
        v[std::size_t(row)] = from;
    return v;
}

} // namespace

class TestReorder : public QObject {
    Q_OBJECT
private slots:
    void moveAtTheEnds()
    {
        SoundStore store = tagged();
        Rows sel { 0, 1 };
        QVERIFY(!reorder::moveUp(store, sel));
        QCOMPARE(sel, Rows({ 0, 1 }));
        QVERIFY(holds(store, identity()));

        QVERIFY(reorder::moveDown(store, sel)); // A,B,C -> C,A,B
        QCOMPARE(sel, Rows({ 1, 2 }));
        QVERIFY(holds(store, with({ { 0, 2 }, { 1, 0 }, { 2, 1 } })));

        store = tagged();
        sel = { 199 };
        QVERIFY(!reorder::moveDown(store, sel));
        QVERIFY(holds(store, identity()));
        QVERIFY(reorder::moveUp(store, sel));
        QCOMPARE(sel, Rows({ 198 }));
        QVERIFY(holds(store, with({ { 198, 199 }, { 199, 198 } })));

        store = tagged();
        sel = { 197, 199 };
        QVERIFY(reorder::moveUp(store, sel));
        QCOMPARE(sel, Rows({ 196, 198 }));
        QVERIFY(holds(store, with({ { 196, 197 }, { 197, 196 }, { 198, 199 }, { 199, 198 } })));

        store = tagged();
        sel = { 0, 2 };
        QVERIFY(reorder::moveDown(store, sel));
        QCOMPARE(sel, Rows({ 1, 3 }));
        QVERIFY(holds(store, with({ { 0, 1 }, { 1, 0 }, { 2, 3 }, { 3, 2 } })));

        Rows none;
        QVERIFY(!reorder::moveUp(store, none));
        QVERIFY(!reorder::moveDown(store, none));
    }

    void scatteredRunsMoveTogether()
    {
        // A..F at rows 2..7, rows 3, 4 and 7 selected.
        SoundStore store = tagged();
        Rows sel { 3, 4, 7 };
        QVERIFY(reorder::moveUp(store, sel));
        QCOMPARE(sel, Rows({ 2, 3, 6 }));
        // B, C, A, D, F, E
        QVERIFY(holds(store, with({ { 2, 3 }, { 3, 4 }, { 4, 2 }, { 5, 5 }, { 6, 7 }, { 7, 6 } })));

        store = tagged();
        sel = { 3, 4, 7 };
        QVERIFY(reorder::moveDown(store, sel));
        QCOMPARE(sel, Rows({ 4, 5, 8 }));
        QVERIFY(holds(store, with({ { 3, 5 }, { 4, 3 }, { 5, 4 }, { 7, 8 }, { 8, 7 } })));

        // Up and back down again is the identity, over many runs.
        store = tagged();
        sel = { 1, 2, 5, 9, 10, 11, 100, 198 };
        QVERIFY(reorder::moveUp(store, sel));
        QVERIFY(reorder::moveDown(store, sel));
        QCOMPARE(sel, Rows({ 1, 2, 5, 9, 10, 11, 100, 198 }));
        QVERIFY(holds(store, identity()));

        // Rows outside the store in a selection never reach a slot.
        store = tagged();
        sel = { -5, 4, 4, 500 };
        QVERIFY(reorder::moveUp(store, sel));
        QCOMPARE(sel, Rows({ 3 }));
        QVERIFY(holds(store, with({ { 3, 4 }, { 4, 3 } })));
    }

    void moveToClickedRow()
    {
        struct Case {
            Rows selection;
            int target;
            Rows after;
        };
        const Case cases[] = {
            { { 10, 11, 12 }, 20, { 18, 19, 20 } }, // below: last row reaches the target
            { { 10, 11, 12 }, 5, { 5, 6, 7 } }, // above: first row reaches it
            { { 10, 11, 12 }, 10, { 10, 11, 12 } }, // on the first row: nothing
            { { 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20 }, 12, { 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22 } },
            { { 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20 }, 18, { 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22 } },
            { { 195, 196 }, 199, { 198, 199 } }, // runs into the bottom: later steps do nothing
            { { 3, 4 }, 0, { 0, 1 } },
            { { 2, 9 }, 150, { 143, 150 } },
        };
        for (const Case& c : cases) {
            SoundStore store = tagged();
            Rows sel = c.selection;
            reorder::moveTo(store, sel, c.target);
            QCOMPARE(sel, c.after);
            // The selected sounds are the ones that were selected, in order.
            const SoundStore fresh = tagged();
            for (std::size_t i = 0; i < sel.size(); ++i)
                QVERIFY(store.slot(sel[i]) == fresh.slot(c.selection[i]));
            // Every sound is still there exactly once.
            std::vector<int> seen(kSlotCount, 0);
            for (int r = 0; r < kSlotCount; ++r)
                ++seen[store.slot(r)[1]];
            QCOMPARE(std::count(seen.begin(), seen.end(), 1), long(kSlotCount));
        }
        // Rows 10..12 to row 20: the sounds between close up in order.
        SoundStore store = tagged();
        Rows sel { 10, 11, 12 };
        reorder::moveTo(store, sel, 20);
        QVERIFY(holds(store,
            with({ { 10, 13 }, { 11, 14 }, { 12, 15 }, { 13, 16 }, { 14, 17 }, { 15, 18 }, { 16, 19 }, { 17, 20 },
                { 18, 10 }, { 19, 11 }, { 20, 12 } })));
        QCOMPARE(reorder::moveToStepCount({}, 5), 0);
        QCOMPARE(reorder::moveToStepCount({ 10, 20 }, 12), 8);
    }

    void sortByName()
    {
        SoundStore store = tagged();
        store.setSoundName(0, "bass");
        store.setSoundName(1, "Atmo");
        store.setSoundName(2, "BASS2");
        SoundStore before = store;
        reorder::sortByName(store, { 0, 1, 2 });
        QCOMPARE(store.getSoundName(0), std::string("Atmo            "));
        QCOMPARE(store.getSoundName(1), std::string("bass            "));
        QCOMPARE(store.getSoundName(2), std::string("BASS2           "));
        QVERIFY(store.slot(0) == before.slot(1));
        for (int r = 3; r < kSlotCount; ++r)
            QVERIFY(store.slot(r) == before.slot(r));

        // Scattered positions sort within themselves.
        store = tagged();
        store.setSoundName(2, "C");
        store.setSoundName(5, "A");
        store.setSoundName(9, "B");
        before = store;
        reorder::sortByName(store, { 2, 5, 9 });
        QVERIFY(store.slot(2) == before.slot(5));
        QVERIFY(store.slot(5) == before.slot(9));
        QVERIFY(store.slot(9) == before.slot(2));
        for (int r = 0; r < kSlotCount; ++r)
            if (r != 2 && r != 5 && r != 9)
                QVERIFY(store.slot(r) == before.slot(r));

        // Keys: unsigned bytes, prefix first, names below 32 skipped, only a..z folded.
        store = tagged();
        // Bytes as a bank file may hold them; the name setter would store 7-bit text.
        const auto rawName = [&](int slot, std::string_view name) {
            std::fill_n(store.slot(slot).begin() + kNameOffset, kNameLength, std::uint8_t(' '));
            std::copy(name.begin(), name.end(), store.slot(slot).begin() + kNameOffset);
        };
        rawName(10, "\xe9t\xe9");
        store.setSoundName(11, "zeta");
        rawName(12, "ab\x01" "c");
        store.setSoundName(13, "ABC");
        reorder::sortByName(store, { 10, 11, 12, 13 });
        // "ab\x01c" reads as 15 characters, a prefix of "ABC" and 13 blanks.
        QCOMPARE(store.getSoundName(10), "abc" + std::string(12, ' '));
        QCOMPARE(store.getSoundName(11), "ABC" + std::string(13, ' '));
        QCOMPARE(reorder::sortKey(store, 12), std::string("ZETA            "));
        QCOMPARE(store.getSoundName(13), std::string("\xe9t\xe9             "));

        // All 200 with equal names: nothing moves.
        store = tagged();
        for (int s = 0; s < kSlotCount; ++s)
            store.setSoundName(s, "same");
        before = store;
        Rows all(kSlotCount);
        std::iota(all.begin(), all.end(), 0);
        reorder::sortByName(store, all);
        for (int r = 0; r < kSlotCount; ++r)
            QVERIFY(store.slot(r) == before.slot(r));
        // Reverse order of 200: sorted, deep recursion stays within the store.
        store = tagged();
        for (int s = 0; s < kSlotCount; ++s)
            store.setSoundName(s, QString::number(1000 - s).toStdString());
        reorder::sortByName(store, all);
        for (int r = 0; r + 1 < kSlotCount; ++r)
            QVERIFY(reorder::sortKey(store, r) <= reorder::sortKey(store, r + 1));
    }

    void dropExchangesTwoSounds()
    {
        SoundStore store = tagged();
        QVERIFY(reorder::swapForDrop(store, 9, 4));
        QVERIFY(holds(store, with({ { 4, 9 }, { 9, 4 } })));
        QVERIFY(!reorder::swapForDrop(store, 200, 4));
        QVERIFY(!reorder::swapForDrop(store, 3, -1));
        QVERIFY(holds(store, with({ { 4, 9 }, { 9, 4 } })));
    }
};

QTEST_GUILESS_MAIN(TestReorder)
#include "test_reorder.moc"
