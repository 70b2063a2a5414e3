// The keyboard player's polling logic, without windows: a fake key state
// with the "down now, or pressed since asked" semantics and a recording
// note sender.
#include "librarian/KeyboardPlayer.h"

#include <QTest>

#include <map>
#include <set>
#include <utility>
#include <vector>

using namespace sondrake;

namespace {

struct FakeKeys {
    std::set<int> down;
    std::set<int> latched;
    std::vector<int> asked;

    void press(int key) { down.insert(key), latched.insert(key); }
    void release(int key) { down.erase(key); }
    bool query(int key)
    {
        asked.push_back(key);
        const bool result = down.count(key) || latched.count(key);
        latched.erase(key);
        return result;
    }
};

using Sent = std::vector<std::pair<bool, int>>;

struct Player {
    NoteStateTable states {};
    FakeKeys keys;
    Sent sent;
    int octave = StartOctave;

    Sent poll()
    {
        const auto before = sent.size();
        pollKeyboard(
            states, octave, [this](int k) { return keys.query(k); },
            [this](bool on, std::uint8_t note) { sent.emplace_back(on, note); });
        return Sent(sent.begin() + static_cast<std::ptrdiff_t>(before), sent.end());
    }
};

} // namespace

class TestKeyboardPlayer : public QObject {
    Q_OBJECT

private slots:
    void table()
    {
        const char* keys = "AWSEDFTGYHUJKOLP";
        const char* names[] = { "C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "H", "C1", "C#1", "D1", "D#1" };
        for (int i = 0; i < 16; ++i) {
            QCOMPARE(NoteKeyTable[i].key, int(keys[i]));
            QCOMPARE(QByteArray(NoteKeyTable[i].name.data(), int(NoteKeyTable[i].name.size())), QByteArray(names[i]));
            QVERIFY(NoteKeyTable[i].name.size() <= 3);
        }
        QCOMPARE(noteName(0), std::string_view("C"));
        QCOMPARE(noteName(11), std::string_view("H"));
        QCOMPARE(noteName(13), std::string_view("C#"));
        QCOMPARE(int(Qt::Key_A), int('A'));
        QCOMPARE(int(Qt::Key_P), int('P'));
    }

    void holdAndRelease()
    {
        Player p;
        QVERIFY(p.poll().empty());
        p.keys.press('A');
        QCOMPARE(p.poll(), (Sent { { true, 60 } }));
        QVERIFY(p.poll().empty()); // held: once only
        p.keys.press('S');
        QCOMPARE(p.poll(), (Sent { { true, 62 } }));
        for (int i = 0; i < 20; ++i)
            QVERIFY(p.poll().empty());
        p.keys.release('A');
        QCOMPARE(p.poll(), (Sent { { false, 60 } }));
        p.keys.release('S');
        QCOMPARE(p.poll(), (Sent { { false, 62 } }));
        QVERIFY(p.poll().empty());
        // Every key is asked once per poll, in table order.
        QCOMPARE(int(p.keys.asked.size()), 16 * 27);
        QCOMPARE(p.keys.asked[0], int('A'));
        QCOMPARE(p.keys.asked[15], int('P'));
        // P at octave 4 is note 75, A at octave 0 note 12.
        QCOMPARE(playedNote(4, 15), 75);
        QCOMPARE(playedNote(0, 0), 12);
    }

    void tapBetweenPolls()
    {
        Player p;
        p.keys.press('K');
        p.keys.release('K');
        QCOMPARE(p.poll(), (Sent { { true, 72 } }));
        QCOMPARE(p.poll(), (Sent { { false, 72 } }));
        QVERIFY(p.poll().empty());
    }

    void octaveChangeWhileHolding()
    {
        Player p;
        p.keys.press('A');
        QCOMPARE(p.poll(), (Sent { { true, 60 } }));
        p.octave = 5;
        QCOMPARE(p.poll(), (Sent { { true, 72 } }));
        p.keys.release('A');
        QCOMPARE(p.poll(), (Sent { { false, 72 } })); // the old note stays on
        QCOMPARE(int(p.states[48]), 1);
        // Back at the old octave with the key up, the first poll ends it.
        p.octave = 4;
        QCOMPARE(p.poll(), (Sent { { false, 60 } }));
        QCOMPARE(int(p.states[48]), 0);
    }

    void topOctavesStayInRange()
    {
        // Octave 9: A..G (i = 0..7) play 120..127; Y upward has no note.
        Player p;
        p.octave = 9;
        for (const auto& k : NoteKeyTable)
            p.keys.press(k.key);
        Sent expected;
        for (int i = 0; i < 8; ++i)
            expected.emplace_back(true, 120 + i);
        QCOMPARE(p.poll(), expected);
        for (const auto& k : NoteKeyTable)
            p.keys.release(k.key);
        const Sent off = p.poll();
        QCOMPARE(int(off.size()), 8);
        for (const auto& [on, note] : off)
            QVERIFY(!on && note >= 120 && note <= 127);

        // Octave 10: no key has a note; keys are still asked, so a tap made
        // up there is not played later at a lower octave.
        p.octave = 10;
        p.keys.asked.clear();
        p.keys.press('P');
        p.keys.release('P');
        QVERIFY(p.poll().empty());
        QCOMPARE(int(p.keys.asked.size()), 16);
        p.octave = 4;
        QVERIFY(p.poll().empty());

        for (int o = MinOctave; o <= MaxOctave; ++o)
            for (int i = 0; i < 16; ++i) {
                const int n = noteStateIndex(o, i);
                QVERIFY(n == -1 || (n >= 0 && n + 12 <= 127));
                QCOMPARE(n == -1, 12 * (o + 1) + i > 127);
            }
    }

    void octaveBounds()
    {
        int o = StartOctave;
        for (int i = 0; i < 11; ++i)
            o = octaveUp(o);
        QCOMPARE(o, 10);
        for (int i = 0; i < 15; ++i)
            o = octaveDown(o);
        QCOMPARE(o, 0);
        QCOMPARE(octaveCaption(4), QStringLiteral("Octave 4"));
        QCOMPARE(octaveCaption(10), QStringLiteral("Octave 10"));
    }
};

QTEST_GUILESS_MAIN(TestKeyboardPlayer)
#include "test_keyboard_player.moc"
