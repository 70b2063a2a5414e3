// The sound editor window driven offscreen, with the MIDI output recorded:
// what opening, tab switching, loading and dragging send; the name; the test
// keys; "Init Sound"; "Send Sound to Q-Lindorn"; the window's history and
// "Compare"; the copy back on close.

#include "KeyTestSupport.h"
#include "patchedit_support.h"

#include "controls/Knob.h"
#include "controls/Slider.h"
#include "editor/EditorHost.h"
#include "editor/SoundEditor.h"
#include "editor/LocationDialog.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QUndoStack>

#include <functional>
#include <memory>
#include <set>

#include "editor/Randomizer.h"

using namespace sondrake;
using namespace sondrake::editor;
using namespace patchedit_test;

namespace {

std::set<std::string_view> controlsOnTab(std::string_view tab, bool dialsOnly)
{
    std::set<std::string_view> names;
    for (const ParameterEntry& e : parameterMap()) {
        const bool dial = e.kind == ControlKind::Knob || e.kind == ControlKind::Slider;
        if (e.tab == tab && (dial || !dialsOnly))
            names.insert(e.control);
    }
    return names;
}

// Every event that some row other than a list could have sent at the value
// the sound holds (and, for rows the sound keeps no byte for, at the control's
// current value).
bool sentByNonList(const Event& ev, const SoundEditor& editor)
{
    for (const ParameterEntry& e : parameterMap()) {
        if (e.kind == ControlKind::List)
            continue;
        if (liveEvent(e, editor.controlValue(e)) == ev)
            return true;
    }
    return false;
}

void pressKey(QWidget* w, int key, Qt::KeyboardModifiers mods = Qt::NoModifier, bool release = true)
{
    sondrake::testing::keyPress(w, Qt::Key(key), mods);
    if (release)
        sondrake::testing::keyRelease(w, Qt::Key(key), mods);
}

} // namespace

class TestPatchEdit : public QObject {
    Q_OBJECT

private:
    std::shared_ptr<midi::RecordingBackend> rec;
    QStringList errors;
    QStringList messages;
    std::unique_ptr<midi::MidiSession> session;
    std::unique_ptr<MemoryEditorHost> host;

    std::unique_ptr<SoundEditor> openEditor(const SoundDump& sound) { return openEditorWindow(*host, sound); }

private slots:
    void initTestCase()
    {
        session = std::make_unique<midi::MidiSession>();
        rec = midi::installRecordingBackend(*session);
    }

    void init()
    {
        session->waitIdle(std::chrono::milliseconds(10000));
        rec->clear();
        errors.clear();
        messages.clear();
        host = std::make_unique<MemoryEditorHost>();
        host->messages = &messages;
        host->session = session.get();
        host->onError = [this](QWidget*, const QString& text) { errors.append(text); };
    }

    void cleanup() { QVERIFY2(errors.isEmpty(), qPrintable(errors.join('\n'))); }

    void openingSendsTheFirstTabsDialsAndNoLists()
    {
        const SoundDump sound = sampleSound(1);
        auto editor = openEditor(sound);
        const std::vector<Event> events = drained(*session, *rec);
        QVERIFY(!events.empty());
        for (std::string_view name : controlsOnTab("Oscillators", true)) {
            const ParameterEntry& e = row(name);
            QVERIFY2(countOf(events, liveEvent(e, readValue(sound, e))) >= 1, std::string(name).c_str());
            QCOMPARE(editor->controlValue(e), readValue(sound, e));
        }
        for (const Event& ev : events)
            QVERIFY2(sentByNonList(ev, *editor), qPrintable(QStringLiteral("unexpected %1 %2 = %3")
                                                                .arg(int(ev.kind))
                                                                .arg(ev.number)
                                                                .arg(ev.value)));
        // Lists show the sound without sending: the waveform's NRPN never left.
        QCOMPARE(countOf(events, liveEvent(row("cmbOsc1Forms"), readValue(sound, row("cmbOsc1Forms")))), 0L);
        QCOMPARE(editor->controlValue(row("cmbOsc1Forms")), readValue(sound, row("cmbOsc1Forms")));
        QCOMPARE(namedChild<QLineEdit>(editor.get(), "edtName")->text(), QStringLiteral("Test Sound 1"));
    }

    void switchingTabsSendsThatTabsDials()
    {
        auto editor = openEditor(sampleSound(2));
        drained(*session, *rec);
        rec->clear();
        const std::set<std::string_view> tab1 = controlsOnTab("Filter & LFOs & Envelopes", true);
        namedChild<QTabWidget>(editor.get(), "PageControl1")->setCurrentIndex(1);
        QCoreApplication::processEvents();
        const std::vector<Event> events = drained(*session, *rec);
        for (std::string_view name : tab1) {
            const ParameterEntry& e = row(name);
            QCOMPARE(countOf(events, liveEvent(e, editor->controlValue(e))), 1L);
        }
        QCOMPARE(events.size(), tab1.size());
    }

    void loadingSendsOneMessagePerChangedControl()
    {
        SoundDump sound = sampleSound(3);
        auto editor = openEditor(sound);
        drained(*session, *rec);
        rec->clear();

        const ParameterEntry& level = row("KnobOsc1Level"); // visible tab
        const ParameterEntry& speed = row("KnobLfo1Speed"); // hidden tab
        const ParameterEntry& attack = row("sldAmpAttack"); // hidden tab
        const ParameterEntry& sync = row("ckbLfo2Keysync");
        const ParameterEntry& forms = row("cmbOsc2Forms");
        const ParameterEntry& semitone = row("KnobOsc2Semitone");
        SoundDump changed = sound;
        writeValue(changed, level, readValue(sound, level) == 100 ? 101 : 100);
        writeValue(changed, speed, readValue(sound, speed) == 5 ? 6 : 5);
        writeValue(changed, attack, readValue(sound, attack) == 7 ? 8 : 7);
        writeValue(changed, sync, readValue(sound, sync) ? 0 : 1);
        writeValue(changed, forms, readValue(sound, forms) == 3 ? 4 : 3);
        // A byte that decodes below the semitone knob's range leaves it alone.
        changed[std::size_t(semitone.storage.byte)] = 0;
        const int semitoneBefore = editor->controlValue(semitone);

        editor->setWorkingCopy(changed);
        editor->loadControls();
        const std::vector<Event> events = drained(*session, *rec);
        QCOMPARE(events.size(), std::size_t(4));
        QCOMPARE(countOf(events, liveEvent(level, readValue(changed, level))), 1L);
        QCOMPARE(countOf(events, liveEvent(speed, readValue(changed, speed))), 1L);
        QCOMPARE(countOf(events, liveEvent(attack, readValue(changed, attack))), 1L);
        Event keysync = liveEvent(sync, readValue(changed, sync));
        QCOMPARE(keysync.number, 104);
        QCOMPARE(keysync.value, readValue(changed, sync) ? 25 : 24);
        QCOMPARE(countOf(events, keysync), 1L);
        QCOMPARE(editor->controlValue(forms), readValue(changed, forms));
        QCOMPARE(editor->controlValue(semitone), semitoneBefore);

        // An index beyond a list leaves it without a selection.
        changed[std::size_t(forms.storage.byte)] = 40;
        editor->setWorkingCopy(changed);
        editor->loadControls();
        QCOMPARE(editor->controlValue(forms), -1);
        // Loading does not write to the sound.
        QVERIFY(editor->workingCopy() == changed);
    }

    void knobDragSendsPerMove()
    {
        SoundDump sound = sampleSound(4);
        const ParameterEntry& level = row("KnobOsc1Level");
        writeValue(sound, level, 120);
        auto editor = openEditor(sound);
        drained(*session, *rec);
        rec->clear();
        auto* knob = editor->findChild<controls::Knob*>(QStringLiteral("KnobOsc1Level"));
        QVERIFY(knob);

        auto mouse = [&](QEvent::Type type, int y) {
            QMouseEvent ev(type, QPointF(16, y), knob->mapToGlobal(QPointF(16, y)), Qt::LeftButton,
                type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(knob, &ev);
        };
        mouse(QEvent::MouseButtonPress, 20);
        for (int i = 1; i <= 7; ++i)
            mouse(QEvent::MouseMove, 20 - i); // 121..127: a change each
        for (int i = 8; i <= 10; ++i)
            mouse(QEvent::MouseMove, 20 - i); // held at 127
        mouse(QEvent::MouseButtonRelease, 10);
        QCOMPARE(knob->value(), 127);
        const std::vector<Event> events = drained(*session, *rec);
        // Every move sends; a value still waiting when the next one comes is
        // replaced by it, so the wire carries the values in the order of the
        // drag, each at most as often as it was sent, and always the last.
        long total = 0;
        for (int v = 121; v <= 127; ++v) {
            const long n = countOf(events, liveEvent(level, v));
            total += n;
            QVERIFY(n <= (v == 127 ? 2L + 3L + 1L : 2L));
        }
        QCOMPARE(long(events.size()), total);
        QVERIFY(!events.empty());
        QCOMPARE(events.back(), liveEvent(level, 127));
        for (std::size_t i = 1; i < events.size(); ++i)
            QVERIFY(events[i].value >= events[i - 1].value);
        // The knob's live edit leaves the sound alone.
        QCOMPARE(readValue(editor->workingCopy(), level), 120);
    }

    void keysAndWheelSendOneMessagePerStep()
    {
        SoundDump sound = sampleSound(4);
        const ParameterEntry& level = row("KnobOsc1Level");
        writeValue(sound, level, 120);
        auto editor = openEditor(sound);
        auto* knob = editor->findChild<controls::Knob*>(QStringLiteral("KnobOsc1Level"));
        QVERIFY(knob);
        drained(*session, *rec);
        rec->clear();
        // Taking the focus shows a ring and sends nothing.
        knob->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(knob->hasFocus());
        QTest::qWait(20);
        QCOMPARE(drained(*session, *rec).size(), std::size_t(0));

        auto wheel = [&](int angle) {
            const QPointF at(16, 24);
            QWheelEvent e(at, knob->mapToGlobal(at), QPoint(), QPoint(0, angle), Qt::NoButton, Qt::NoModifier,
                Qt::NoScrollPhase, false);
            QApplication::sendEvent(knob, &e);
        };
        // Each step's message leaves before the next step: a newer value of a
        // parameter replaces one still waiting in the queue.
        auto step = [&](const std::function<void()>& act) {
            act();
            QVERIFY(session->waitIdle(std::chrono::milliseconds(10000)));
        };
        step([&] { sondrake::testing::keyClick(knob, Qt::Key_Up); }); // 121
        step([&] { sondrake::testing::keyClick(knob, Qt::Key_PageUp); }); // 127, not past it
        step([&] { sondrake::testing::keyClick(knob, Qt::Key_Up); }); // at Max: nothing
        step([&] { sondrake::testing::keyClick(knob, Qt::Key_Home); }); // 0
        step([&] { wheel(-120); }); // at Min: nothing
        step([&] { wheel(120); }); // 1
        step([&] { wheel(240); }); // 2, 3: two steps in one event
        QCOMPARE(knob->value(), 3);
        QTest::qWait(20);
        // Leaving by Tab goes to the knob's "R" button and sends nothing either.
        sondrake::testing::keyClick(knob, Qt::Key_Tab);
        QTRY_COMPARE(
            QApplication::focusWidget(), editor->parameterPages().rButtons[std::size_t(level.rButton)]);
        QTest::qWait(20);
        std::vector<Event> events = drained(*session, *rec);
        // The two steps of one wheel event come at once: the first may be
        // replaced by the second before it leaves, the second always arrives.
        QVERIFY(!events.empty());
        QCOMPARE(events.back(), liveEvent(level, 3));
        events.pop_back();
        if (!events.empty() && events.back() == liveEvent(level, 2))
            events.pop_back();
        const std::vector<Event> expected { liveEvent(level, 121), liveEvent(level, 127), liveEvent(level, 0),
            liveEvent(level, 1) };
        QCOMPARE(events.size(), expected.size());
        QVERIFY(std::equal(events.begin(), events.end(), expected.begin()));
        QCOMPARE(readValue(editor->workingCopy(), level), 120);
    }

    void nameIsTrimmedAndPadded()
    {
        SoundDump sound = sampleSound(5);
        const char raw[16] = { ' ', 0x01, 'B', 'a', 's', 's', ' ', 'X', ' ', ' ', 0, 0, 0, 0, 0, 0 };
        std::copy(raw, raw + 16, sound.begin() + 164);
        auto editor = openEditor(sound);
        QLineEdit* name = namedChild<QLineEdit>(editor.get(), "edtName");
        QCOMPARE(name->text(), QStringLiteral("Bass X"));
        // Loading writes the trimmed name back, padded with blanks.
        const char loaded[] = "Bass X          ";
        QVERIFY(std::equal(loaded, loaded + 16, editor->workingCopy().begin() + 164));

        drained(*session, *rec);
        rec->clear();
        editor->setModified(false);
        messages.clear(); // a "send" of the opening must not count as the edit's
        name->setFocus();
        sondrake::testing::keyClick(name, Qt::Key_End);
        sondrake::testing::keyClicks(name, QStringLiteral("y"));
        // A letter with a mark is shown and stored as its plain letter: a
        // byte of 0x80 or more would cut the sound's SysEx.
        QTest::sendKeyEvent(QTest::Click, name, Qt::Key_Eacute, QStringLiteral("\u00e9"), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Click, name, Qt::Key_unknown, QStringLiteral("\u20ac"), Qt::NoModifier);
        QCOMPARE(name->text(), QStringLiteral("Bass Xye?"));
        const char expected[] = "Bass Xye?       ";
        QVERIFY(std::equal(expected, expected + 16, editor->workingCopy().begin() + 164));
        QVERIFY(editor->isModified());
        QVERIFY(QTest::qWaitFor([&] { return messages.contains(QStringLiteral("send")); }, 2000));
        QVERIFY(!editor->isModified());
        // Nothing went out for a name edit.
        QCOMPARE(drained(*session, *rec).size(), std::size_t(0));

        // At most 16 characters.
        sondrake::testing::keyClicks(name, QStringLiteral("abcdefghijkl"));
        QCOMPARE(name->text().size(), 16);
    }

    void octaveKeysAndTestNotes()
    {
        auto editor = openEditor(sampleSound(6));
        drained(*session, *rec);
        rec->clear();
        QLineEdit* name = namedChild<QLineEdit>(editor.get(), "edtName");
        const QPushButton* testSound = namedChild<QPushButton>(editor.get(), "btnTestSound");
        name->setFocus();
        name->clear();

        pressKey(name, Qt::Key_Z);
        QCOMPARE(host->octaveValue, 3);
        QCOMPARE(testSound->text(), QStringLiteral("Test Sound C3-C4"));
        pressKey(name, Qt::Key_Plus, Qt::KeypadModifier);
        pressKey(name, Qt::Key_X);
        QCOMPARE(host->octaveValue, 5);
        QCOMPARE(testSound->text(), QStringLiteral("Test Sound C5-C6"));

        // Hold Num 1, press Num 2 as well: one note; releasing Num 2 resets.
        pressKey(name, Qt::Key_1, Qt::KeypadModifier, false);
        QVERIFY(editor->isTestNoteSounding());
        pressKey(name, Qt::Key_2, Qt::KeypadModifier, false);
        sondrake::testing::keyRelease(name, Qt::Key_2, Qt::KeypadModifier);
        QVERIFY(!editor->isTestNoteSounding());
        sondrake::testing::keyRelease(name, Qt::Key_1, Qt::KeypadModifier);
        std::vector<Event> events = drained(*session, *rec);
        QCOMPARE(events.size(), std::size_t(2));
        QCOMPARE(events[0].kind, Event::NoteOn);
        QCOMPARE(events[0].number, 5 * 12 + 12);
        QCOMPARE(events[0].value, 127);
        QCOMPARE(events[1].kind, Event::Reset);
        // The digits reached the name field too.
        QCOMPARE(name->text(), QStringLiteral("z+x12"));

        // Bounds: 9 is the top, 0 the bottom; the caption is rewritten anyway.
        rec->clear();
        host->octaveValue = 9;
        pressKey(name, Qt::Key_X);
        QCOMPARE(host->octaveValue, 9);
        QCOMPARE(testSound->text(), QStringLiteral("Test Sound C9-C10"));
        // 9 * 12 + 26 = 134: no such note; nothing sent, the flag stays clear.
        pressKey(name, Qt::Key_9, Qt::KeypadModifier, false);
        QVERIFY(!editor->isTestNoteSounding());
        sondrake::testing::keyRelease(name, Qt::Key_9, Qt::KeypadModifier);
        pressKey(name, Qt::Key_4, Qt::KeypadModifier); // 9 * 12 + 17 = 125
        events = drained(*session, *rec);
        QCOMPARE(events.size(), std::size_t(2));
        QCOMPARE(events[0].number, 125);
        QCOMPARE(events[1].kind, Event::Reset);
        host->octaveValue = 0;
        pressKey(name, Qt::Key_Minus, Qt::KeypadModifier);
        QCOMPARE(host->octaveValue, 0);
        QCOMPARE(testSound->text(), QStringLiteral("Test Sound C0-C1"));

        // While the keyboard player is on, its letters do not reach the name.
        name->clear();
        host->keyboardOn = true;
        sondrake::testing::keyClicks(name, QStringLiteral("asdqAwm"));
        QCOMPARE(name->text(), QStringLiteral("qAm"));
        host->keyboardOn = false;
        sondrake::testing::keyClicks(name, QStringLiteral("as"));
        QCOMPARE(name->text(), QStringLiteral("qAmas"));
    }

    void testSoundButton()
    {
        auto editor = openEditor(sampleSound(7));
        drained(*session, *rec);
        rec->clear();
        QPushButton* testSound = namedChild<QPushButton>(editor.get(), "btnTestSound");
        QCOMPARE(testSound->text(), QStringLiteral("Test &Sound C4-C5"));
        QTest::mousePress(testSound, Qt::LeftButton);
        std::vector<Event> events = drained(*session, *rec);
        QCOMPARE(events.size(), std::size_t(1));
        QCOMPARE(events[0].kind, Event::NoteOn);
        QCOMPARE(events[0].number, 60);
        QTest::mouseRelease(testSound, Qt::LeftButton);
        events = drained(*session, *rec);
        QCOMPARE(events.size(), std::size_t(2));
        QCOMPARE(events[1].kind, Event::Reset);
    }

    void initSoundWritesTheTable()
    {
        SoundDump sound = sampleSound(8);
        sound[11] = 2;
        sound[12] = 57;
        auto editor = openEditor(sound);
        drained(*session, *rec);
        rec->clear();
        editor->setModified(false);
        namedChild<QPushButton>(editor.get(), "btnInitSound")->click();
        const SoundDump& w = editor->workingCopy();

        std::map<int, int> expected = {
            { 141, 2 }, { 142, 0 }, { 143, 0 }, { 50, 127 }, { 51, 0 }, { 52, 0 },
            { 20, 64 }, { 28, 64 }, { 36, 64 }, { 21, 64 }, { 29, 64 }, { 37, 64 },
            { 23, 64 }, { 24, 64 }, { 25, 64 }, { 26, 64 }, { 27, 64 },
            { 31, 64 }, { 32, 64 }, { 33, 64 }, { 34, 64 }, { 35, 64 },
            { 39, 64 }, { 40, 64 }, { 41, 64 }, { 42, 64 }, { 43, 64 },
            { 18, 0 }, { 180, 0 }, { 16, 0 }, { 14, 0 }, { 15, 0 }, { 160, 0 }, { 69, 0 }, { 138, 0 },
            { 17, 64 }, { 70, 64 }, { 184, 64 }, { 154, 64 }, { 183, 64 }, { 155, 64 }, { 156, 64 },
            { 161, 0 }, { 53, 0 }, { 54, 0 }, { 157, 64 }, { 158, 64 },
            { 59, 127 }, { 57, 0 }, { 60, 0 }, { 56, 0 }, { 58, 0 }, { 163, 0 }, { 65, 64 }, { 64, 64 },
            { 153, 0 }, { 85, 0 }, { 87, 0 }, { 148, 0 }, { 88, 0 }, { 90, 0 }, { 149, 0 },
            { 144, 0 }, { 145, 0 }, { 181, 64 }, { 182, 64 }, { 146, 1 }, { 147, 1 },
            { 75, 0 }, { 76, 64 }, { 77, 64 }, { 78, 32 }, { 80, 0 }, { 81, 64 }, { 82, 64 }, { 83, 32 },
            { 72, 64 }, { 73, 64 }, { 74, 64 }, { 79, 64 }, { 71, 64 },
            // bit fields: the bits of other parameters stay
            { 13, (sound[13] & 0x30) | 0x04 | 0x40 },
            { 19, (sound[19] & 0x80) | 0x40 | 0x10 | 0x04 | 0x01 },
            { 91, sound[91] & ~0x11 },
            { 92, (sound[92] & 0x88) | 0x77 },
            { 93, sound[93] | 0x07 },
        };
        for (std::size_t i = 0; i < w.size(); ++i) {
            auto it = expected.find(int(i));
            const int want = it == expected.end() ? sound[i] : it->second;
            QVERIFY2(w[i] == want, qPrintable(QStringLiteral("byte %1: %2, expected %3").arg(i).arg(w[i]).arg(want)));
        }
        // The controls show the init sound and the whole sound went out last.
        QCOMPARE(editor->controlValue(row("KnobFrequency")), 127);
        QCOMPARE(editor->controlValue(row("cmbOscPolyMode")), 1);
        const std::vector<Event> events = drained(*session, *rec);
        QVERIFY(!events.empty());
        QCOMPARE(events.back().kind, Event::SysEx);
        QVERIFY(events.back().bytes == Bytes(w.begin(), w.end()));
        QVERIFY(editor->isModified());
    }

    void sendSoundToChosenProgram()
    {
        // Received from the second bank: its bank byte counts from 1.
        SoundDump sound = sampleSound(9);
        sound[11] = 2;
        sound[12] = 5;
        auto editor = openEditor(sound);
        drained(*session, *rec);
        rec->clear();

        bool offered = false;
        onNextModalOf<LocationDialog>([&](LocationDialog* dialog) {
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Select Location"));
            offered = dialog->bankIndex() == 0 && dialog->programIndex() == 0;
            QComboBox* bank = namedChild<QComboBox>(dialog, "cmbBank");
            QComboBox* program = namedChild<QComboBox>(dialog, "cmbProgram");
            QCOMPARE(bank->itemText(1), QStringLiteral("Sound Bank 2"));
            QCOMPARE(program->count(), 100);
            bank->setCurrentIndex(1);
            program->setCurrentIndex(program->findText(QStringLiteral("100")));
            namedChild<QPushButton>(dialog, "btnOk")->click();
        });
        namedChild<QPushButton>(editor.get(), "btnSavSoundto")->click();
        QVERIFY(offered);
        drained(*session, *rec);
        SoundDump expected = sound;
        expected[11] = 1;
        expected[12] = 99;
        const std::vector<Bytes> wire { { 0xB0, 0x00, 0x00 }, { 0xB0, 0x20, 0x02 }, { 0xC0, 0x63 },
            Bytes(expected.begin(), expected.end()) };
        QCOMPARE(rec->messages(), wire);
        QVERIFY(editor->workingCopy() == sound);
        QCOMPARE(host->bank, 1);
        QCOMPARE(host->program, 99);

        // The next send offers the same place; Cancel sends and remembers nothing.
        rec->clear();
        onNextModalOf<LocationDialog>([&](LocationDialog* dialog) {
            offered = dialog->bankIndex() == 1 && dialog->programIndex() == 99;
            namedChild<QComboBox>(dialog, "cmbProgram")->setCurrentIndex(3);
            namedChild<QPushButton>(dialog, "btnCancel")->click();
        });
        namedChild<QPushButton>(editor.get(), "btnSavSoundto")->click();
        QVERIFY(offered);
        QCOMPARE(drained(*session, *rec).size(), std::size_t(0));
        QCOMPARE(host->program, 99);
    }

    void randomizeStepsUndoAndRedo()
    {
        const SoundDump sound = sampleSound(11);
        auto editor = openEditor(sound);
        host->random = Generator(11);
        for (SchemaEntry& e : editor->schema().entries())
            e.allowed = QString(e.parameter->valueCount(), u'1');
        QAction* undo = namedChild<QAction>(editor.get(), "actUndo");
        QAction* redo = namedChild<QAction>(editor.get(), "actRedo");
        QVERIFY(!undo->isEnabled());
        namedChild<QPushButton>(editor.get(), "btnRandomizeOscillators")->click();
        const SoundDump first = editor->workingCopy();
        namedChild<QPushButton>(editor.get(), "btnRandomizeSound")->click();
        const SoundDump second = editor->workingCopy();
        QVERIFY(first != sound && second != first);
        QCOMPARE(editor->history()->count(), 2);
        QCOMPARE(editor->history()->undoText(), QStringLiteral("Randomize Sound"));
        QCOMPARE(editor->history()->text(0), QStringLiteral("Randomize Oscillators"));

        // A knob on the shown tab and a list, both drawn anew by the second step.
        const ParameterEntry* knob = nullptr;
        const ParameterEntry* list = nullptr;
        for (const SchemaEntry& e : editor->schema().entries()) {
            const ParameterEntry& p = *e.parameter;
            if (readValue(first, p) == readValue(second, p))
                continue;
            if (!knob && p.kind == ControlKind::Knob && p.tab == "Oscillators")
                knob = &p;
            if (!list && p.kind == ControlKind::List)
                list = &p;
        }
        QVERIFY(knob && list);
        drained(*session, *rec);
        rec->clear();

        undo->trigger();
        QVERIFY(editor->workingCopy() == first);
        QCOMPARE(editor->controlValue(*knob), readValue(first, *knob));
        QCOMPARE(editor->controlValue(*list), readValue(first, *list));
        // The synthesizer follows: the knob's and the list's messages, once each.
        std::vector<Event> events = drained(*session, *rec);
        QCOMPARE(countOf(events, liveEvent(*knob, readValue(first, *knob))), 1L);
        QCOMPARE(countOf(events, liveEvent(*list, readValue(first, *list))), 1L);
        QVERIFY(redo->isEnabled());

        redo->trigger();
        QVERIFY(editor->workingCopy() == second);
        QCOMPARE(editor->controlValue(*knob), readValue(second, *knob));
        undo->trigger();
        undo->trigger();
        QVERIFY(editor->workingCopy() == sound);
        QCOMPARE(editor->controlValue(*knob), readValue(sound, *knob));
        QVERIFY(!undo->isEnabled());
        // Knob moves are live only: no step.
        editor->findChild<controls::Knob*>(QString::fromLatin1(knob->control))->setValue(5);
        QCOMPARE(editor->history()->index(), 0);
        QCOMPARE(editor->history()->count(), 2);
    }

    void typingIsOneStepAndCtrlZUndoesIt()
    {
        auto editor = openEditor(sampleSound(12));
        QLineEdit* name = namedChild<QLineEdit>(editor.get(), "edtName");
        QUndoStack* history = editor->history();
        drained(*session, *rec);
        rec->clear();
        sondrake::testing::keyClick(name, Qt::Key_End);
        sondrake::testing::keyClicks(name, QStringLiteral("ab"));
        QCOMPARE(history->count(), 1);
        QCOMPARE(history->undoText(), QStringLiteral("Name 'Test Sound 1ab'"));

        host->octaveValue = 4;
        sondrake::testing::keyClick(name, Qt::Key_Z, Qt::ControlModifier);
        // The window's step went back, not the field's own text history.
        QCOMPARE(history->index(), 0);
        QCOMPARE(history->count(), 1);
        QCOMPARE(name->text(), QStringLiteral("Test Sound 1"));
        const char before[] = "Test Sound 1    ";
        QVERIFY(std::equal(before, before + 16, editor->workingCopy().begin() + 164));
        QCOMPARE(host->octaveValue, 4);
        sondrake::testing::keyClick(name, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(name->text(), QStringLiteral("Test Sound 1ab"));
        // Nor is any other chord with an octave key one.
        sondrake::testing::keyClick(name, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(host->octaveValue, 4);
        sondrake::testing::keyClick(name, Qt::Key_Z, Qt::AltModifier);
        QCOMPARE(host->octaveValue, 4);
        for (const Event& e : drained(*session, *rec))
            QVERIFY(e.kind != Event::NoteOn);

        // Typing after an undo or redo is a step of its own.
        sondrake::testing::keyClicks(name, QStringLiteral("c"));
        QCOMPARE(history->count(), 2);
        sondrake::testing::keyClick(name, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(name->text(), QStringLiteral("Test Sound 1ab"));
    }

    void compareSendsTheOpenedSoundThenTheWorkingCopy()
    {
        const SoundDump sound = sampleSound(13);
        auto editor = openEditor(sound);
        namedChild<QPushButton>(editor.get(), "btnInitSound")->click();
        const SoundDump working = editor->workingCopy();
        QVERIFY(editor->openedSound() == sound && working != sound);
        drained(*session, *rec);
        rec->clear();
        auto* compare = namedChild<QPushButton>(editor.get(), "btnCompare");
        QCOMPARE(compare->accessibleName(), QStringLiteral("Compare"));

        compare->click();
        QVERIFY(compare->isChecked());
        // Redrawing another tab's knobs while it is down adds nothing to it.
        namedChild<QTabWidget>(editor.get(), "PageControl1")->setCurrentIndex(1);
        QCoreApplication::processEvents();
        drained(*session, *rec);
        QCOMPARE(rec->messages(), std::vector<Bytes> { Bytes(sound.begin(), sound.end()) });
        rec->clear();
        compare->click();
        QVERIFY(!compare->isChecked());
        drained(*session, *rec);
        QCOMPARE(rec->messages(), std::vector<Bytes> { Bytes(working.begin(), working.end()) });
        QVERIFY(editor->workingCopy() == working);
        QCOMPARE(editor->controlValue(row("KnobFrequency")), 127);

        // A step while it is down lets it up; the whole new sound goes out.
        compare->click();
        namedChild<QPushButton>(editor.get(), "btnRandomizeSound")->click();
        QVERIFY(!compare->isChecked());
        QVERIFY(!editor->isComparing());
        const SoundDump drawn = editor->workingCopy();
        QVERIFY(drawn != working);
        drained(*session, *rec);
        const std::vector<Bytes> wire { Bytes(working.begin(), working.end()),
            Bytes(sound.begin(), sound.end()), Bytes(drawn.begin(), drawn.end()) };
        QCOMPARE(rec->messages(), wire);
    }

    void workingCopyGoesBackOnClose()
    {
        SoundDump slot = sampleSound(10);
        const SoundDump before = slot;
        onNextModalOf<SoundEditor>([&](SoundEditor* editor) {
            // A knob turned live and a new name: only the name comes back.
            editor->findChild<controls::Knob*>(QStringLiteral("KnobOsc1Level"))->setValue(3);
            QLineEdit* name = namedChild<QLineEdit>(editor, "edtName");
            name->selectAll();
            sondrake::testing::keyClicks(name, QStringLiteral("Pad"));
            editor->close();
        });
        runSoundEditor(*host, slot, nullptr);
        SoundDump expected = before;
        const char name[] = "Pad             ";
        std::copy(name, name + 16, expected.begin() + 164);
        QVERIFY(slot == expected);

        // Init Sound, then Escape: the init sound is what comes back.
        onNextModalOf<SoundEditor>([&](SoundEditor* editor) {
            namedChild<QPushButton>(editor, "btnInitSound")->click();
            sondrake::testing::keyClick(editor, Qt::Key_Escape);
        });
        runSoundEditor(*host, slot, nullptr);
        SoundDump init = expected;
        writeInitSound(init);
        QVERIFY(slot == init);
    }

    void errorsWaitForTheEventLoopOneAtATime()
    {
        QStringList seen;
        host->onError = [&](QWidget*, const QString& text) { seen.append(text); };
        {
            SoundEditor editor(*host);
            editor.showError(QStringLiteral("first"));
            editor.showError(QStringLiteral("second"));
            QVERIFY(seen.isEmpty());
            QCoreApplication::processEvents();
            QCOMPARE(seen, QStringList { QStringLiteral("first") });
            editor.showError(QStringLiteral("third"));
            QCoreApplication::processEvents();
            QCOMPARE(seen.size(), 2);
        }
    }
};

QTEST_MAIN(TestPatchEdit)
#include "test_patchedit.moc"
