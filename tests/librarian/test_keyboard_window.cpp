// The keyboard player in the main window: synthetic key events through the
// application's event filters, notes checked at a recording MIDI output.
#include "KeyTestSupport.h"
#include "WindowTestSupport.h"
#include "librarian/MainWindow.h"
#include "midi/MidiSession.h"
#include "support/RecordingBackend.h"
#include "platform/KeyState.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace sondrake;
using midi::Bytes;

namespace {

Bytes noteOn(int note) { return { 0x90, std::uint8_t(note), 0x7F }; }
Bytes noteOff(int note) { return { 0x80, std::uint8_t(note), 0x00 }; }

} // namespace

class TestKeyboardWindow : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    std::shared_ptr<midi::RecordingBackend> out;
    midi::MidiSession session; // outlives the window
    MainWindow::Options options;
    std::unique_ptr<MainWindow> w;

    template <typename T> T* child(const char* name) const { return testing::namedChild<T>(w.get(), name); }
    QTimer* poll() const { return child<QTimer>("tmrKeyboard"); }
    QTimer* hook() const { return child<QTimer>("tmrKeyboardHook"); }
    QWidget* panel() const { return child<QWidget>("pnlKeyboard"); }
    QAction* mark() const { return child<QAction>("Keyboard1"); }
    QString octaveText() const { return child<QLabel>("lblOctave")->text(); }

    // Note messages handed to the output so far (the queue runs on its own thread).
    std::vector<Bytes> notes() const
    {
        session.waitIdle(std::chrono::milliseconds(1000));
        std::vector<Bytes> result;
        for (const auto& m : out->messages())
            if (!m.empty() && ((m[0] & 0xF0) == 0x90 || (m[0] & 0xF0) == 0x80))
                result.push_back(m);
        return result;
    }
    int panics() const
    {
        session.waitIdle(std::chrono::milliseconds(1000));
        int n = 0;
        for (const auto& m : out->messages())
            n += m == Bytes { 0xBF, 64, 0 }; // the last message of each panic
        return n;
    }
    // Lets the 15 ms poll run n more times, so what it would play has been
    // played. A stopped poll plays nothing; then only the pending events run.
    void polls(int n = 4) const
    {
        if (!poll()->isActive()) {
            QCoreApplication::processEvents();
            return;
        }
        QSignalSpy ticks(poll(), &QTimer::timeout);
        QTRY_VERIFY_WITH_TIMEOUT(ticks.count() >= n, 5000);
    }
    // Lets the foreground check (every second) run once more.
    void foregroundChecked() const
    {
        QSignalSpy ticks(hook(), &QTimer::timeout);
        QTRY_VERIFY_WITH_TIMEOUT(ticks.count() >= 1, 5000);
    }

    QWidget* focus() const { return child<QPlainTextEdit>("Memo1"); }

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        options.openMidiPortsAtStart = false;
        options.settingsFile = dir.filePath(QStringLiteral("halvorne_q-lindorn.ini"));
    }

    void init()
    {
        out = midi::installRecordingBackend(session);
        w = std::make_unique<MainWindow>(session, options);
        w->show();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        focus()->setFocus();
        QTRY_VERIFY(focus()->hasFocus());
        out->clear();
    }

    void cleanup()
    {
        w.reset();
        session.waitIdle(std::chrono::milliseconds(1000));
    }

    void startState()
    {
        QCOMPARE(octaveText(), QStringLiteral("Octave 4"));
        QVERIFY(w->keyboardChecked());
        QVERIFY(mark()->isChecked());
        QVERIFY(panel()->isVisible());
        QCOMPARE(panel()->height(), 39);
        QVERIFY(poll()->isActive());
        QCOMPARE(poll()->interval(), 15);
        QVERIFY(hook()->isActive());
        QCOMPARE(hook()->interval(), 1000);
        QVERIFY(w->keyboardRunning());
        QCOMPARE(child<QPushButton>("btnMinusOct")->text(), QStringLiteral("-1 Octave (Z)"));
        QCOMPARE(child<QPushButton>("btnPlusOct")->text(), QStringLiteral("+1 Octave (X)"));
        QCOMPARE(child<QPushButton>("btnHideKeyboard")->text(), QStringLiteral("Hide keyboard"));
        QCOMPARE(child<QLabel>("lblBlackKeys")->text(), QStringLiteral(" W E   T Y U   O P"));
        QCOMPARE(child<QLabel>("lblWhiteKeys")->text(), QStringLiteral("A S D F G H J K L"));
        // Fixed pitch: the key letters line up under each other.
        for (const char* name : { "lblBlackKeys", "lblWhiteKeys" }) {
            const QFontMetrics metrics(child<QLabel>(name)->font());
            QCOMPARE(metrics.horizontalAdvance(QLatin1Char('i')), metrics.horizontalAdvance(QLatin1Char('W')));
            QCOMPARE(metrics.horizontalAdvance(QLatin1Char(' ')), metrics.horizontalAdvance(QLatin1Char('W')));
        }
        QVERIFY(child<QLabel>("lblOctave")->font().pointSizeF() > child<QPushButton>("btnPlusOct")->font().pointSizeF());
        // Tab reaches the buttons; a click leaves the focus where it was.
        QVERIFY(child<QPushButton>("btnPlusOct")->focusPolicy() == Qt::TabFocus);
        QTest::mouseClick(child<QPushButton>("btnPlusOct"), Qt::LeftButton);
        QVERIFY(focus()->hasFocus());
    }

    void panelFollowsAFontInPixels()
    {
        w.reset();
        const QFont saved = QApplication::font();
        QFont large = saved;
        large.setPixelSize(22);
        QApplication::setFont(large);
        w = std::make_unique<MainWindow>(session, options);
        QApplication::setFont(saved);
        // The octave stays half as large again, and the panel holds its buttons whole.
        QCOMPARE(child<QLabel>("lblOctave")->font().pixelSize(), 33);
        QVERIFY(panel()->height() > 39);
        for (const char* name : { "btnMinusOct", "btnPlusOct", "btnHideKeyboard" })
            QVERIFY(panel()->height() >= child<QPushButton>(name)->sizeHint().height());
    }

    void playHeldKeys()
    {
        sondrake::testing::keyPress(focus(), Qt::Key_A);
        polls();
        QTRY_COMPARE(notes(), (std::vector<Bytes> { noteOn(60) }));
        sondrake::testing::keyPress(focus(), Qt::Key_S);
        polls(8);
        QTRY_COMPARE(notes(), (std::vector<Bytes> { noteOn(60), noteOn(62) }));
        sondrake::testing::keyRelease(focus(), Qt::Key_A);
        sondrake::testing::keyRelease(focus(), Qt::Key_S);
        polls();
        QTRY_COMPARE(notes(), (std::vector<Bytes> { noteOn(60), noteOn(62), noteOff(60), noteOff(62) }));

        // A tap between two polls is still played and ended.
        out->clear();
        poll()->stop();
        sondrake::testing::keyClick(focus(), Qt::Key_K);
        poll()->start();
        polls();
        QTRY_COMPARE(notes(), (std::vector<Bytes> { noteOn(72), noteOff(72) }));
    }

    void octaves()
    {
        for (int i = 0; i < 11; ++i)
            sondrake::testing::keyClick(focus(), Qt::Key_X);
        QCOMPARE(int(w->octave()), 10);
        QCOMPARE(octaveText(), QStringLiteral("Octave 10"));
        // At octave 10 no key has a note.
        sondrake::testing::keyPress(focus(), Qt::Key_A);
        polls();
        sondrake::testing::keyRelease(focus(), Qt::Key_A);
        polls();
        QVERIFY(notes().empty());
        for (int i = 0; i < 12; ++i)
            QTest::mouseClick(child<QPushButton>("btnMinusOct"), Qt::LeftButton);
        QCOMPARE(octaveText(), QStringLiteral("Octave 0"));
        sondrake::testing::keyClick(focus(), Qt::Key_Z);
        QCOMPARE(int(w->octave()), 0);
        QTest::mouseClick(child<QPushButton>("btnPlusOct"), Qt::LeftButton);
        QCOMPARE(octaveText(), QStringLiteral("Octave 1"));
        // Ctrl+Z and Ctrl+X are shortcuts, not octave keys.
        sondrake::testing::keyClick(focus(), Qt::Key_Z, Qt::ControlModifier);
        sondrake::testing::keyClick(focus(), Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(int(w->octave()), 1);

        // Octave 9: G (note 127) plays, Y (128) does not.
        w->setOctave(9);
        sondrake::testing::keyPress(focus(), Qt::Key_G);
        sondrake::testing::keyPress(focus(), Qt::Key_Y);
        QTRY_COMPARE(notes(), (std::vector<Bytes> { noteOn(127) }));
        polls();
        sondrake::testing::keyRelease(focus(), Qt::Key_G);
        sondrake::testing::keyRelease(focus(), Qt::Key_Y);
        polls();
        QTRY_COMPARE(notes(), (std::vector<Bytes> { noteOn(127), noteOff(127) }));

        // The octave changes under a held key: the old note stays on.
        out->clear();
        w->setOctave(4);
        sondrake::testing::keyPress(focus(), Qt::Key_A);
        QTRY_COMPARE(notes(), (std::vector<Bytes> { noteOn(60) }));
        sondrake::testing::keyClick(focus(), Qt::Key_X);
        QTRY_COMPARE(notes(), (std::vector<Bytes> { noteOn(60), noteOn(72) }));
        sondrake::testing::keyRelease(focus(), Qt::Key_A);
        polls();
        QTRY_COMPARE(notes(), (std::vector<Bytes> { noteOn(60), noteOn(72), noteOff(72) }));
    }

    void foregroundCheck()
    {
        // One of our own dialogs in front pauses the player and sends panic
        // once a second.
        QDialog dialog(w.get());
        dialog.show();
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QTRY_VERIFY_WITH_TIMEOUT(!poll()->isActive(), 1500);
        QTRY_VERIFY_WITH_TIMEOUT(panics() >= 2, 2500);
        QVERIFY(hook()->isActive());
        sondrake::testing::keyPress(&dialog, Qt::Key_A);
        polls();
        QVERIFY(notes().empty());
        sondrake::testing::keyRelease(&dialog, Qt::Key_A);
        dialog.close();

        // The main window in front again: playing resumes within a second.
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        QTRY_VERIFY_WITH_TIMEOUT(poll()->isActive(), 1500);
        // The tap made while paused is not played afterwards.
        polls();
        QVERIFY(notes().empty());
        out->clear();
        foregroundChecked();
        QCOMPARE(panics(), 0);

        // An editor window counts as ours to play in, even when it keeps the
        // letters from its controls (as the sound editor does, through the
        // window key handler it registers with the main window's keyboard).
        QDialog editor(w.get());
        w->keyState().setWindowKeyHandler(&editor, [](QKeyEvent* e) {
            return e->type() == QEvent::KeyPress && e->text() == QLatin1String("a");
        });
        editor.setObjectName(QStringLiteral("TfrmPatchEdit"));
        editor.show();
        editor.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&editor));
        foregroundChecked();
        QVERIFY(poll()->isActive());
        QCOMPARE(panics(), 0);
        sondrake::testing::keyPress(&editor, Qt::Key_A);
        QTRY_COMPARE(notes(), (std::vector<Bytes> { noteOn(60) }));
        sondrake::testing::keyRelease(&editor, Qt::Key_A);
        polls();
        QTRY_COMPARE(notes(), (std::vector<Bytes> { noteOn(60), noteOff(60) }));

        // So does the editor's window of candidates to listen to.
        QDialog explore(&editor);
        explore.setObjectName(QStringLiteral("frmExplore"));
        explore.show();
        explore.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&explore));
        foregroundChecked();
        QVERIFY(poll()->isActive());
        QCOMPARE(panics(), 0);
        explore.close();
        editor.close();

        // And the list's history, which is shown beside the list.
        w->findChild<QAction*>("History1")->trigger();
        auto* history = w->findChild<QWidget*>("frmHistory");
        QVERIFY(history);
        QVERIFY(QTest::qWaitForWindowActive(history));
        foregroundChecked();
        QVERIFY(poll()->isActive());
        QCOMPARE(panics(), 0);
    }

    void hideAndShow()
    {
        QTest::mouseClick(child<QPushButton>("btnHideKeyboard"), Qt::LeftButton);
        QVERIFY(!w->keyboardChecked());
        QVERIFY(!mark()->isChecked());
        QVERIFY(!panel()->isVisible());
        QVERIFY(!poll()->isActive());
        QVERIFY(!hook()->isActive());
        // Off: no notes, and the typing filter lets "a" through.
        sondrake::testing::keyClicks(focus(), QStringLiteral("a"));
        polls();
        QVERIFY(notes().empty());
        QCOMPARE(child<QPlainTextEdit>("Memo1")->toPlainText(), QStringLiteral("a"));

        sondrake::testing::keyClick(focus(), Qt::Key_J);
        sondrake::testing::keyClick(focus(), Qt::Key_K, Qt::ControlModifier);
        QVERIFY(w->keyboardChecked());
        QVERIFY(mark()->isChecked());
        QVERIFY(panel()->isVisible());
        QVERIFY(poll()->isActive());
        QVERIFY(hook()->isActive());
        polls();
        QVERIFY(notes().empty()); // J was tapped while the player was off

        // The menu entry flips its own check mark before the command runs.
        mark()->trigger();
        QVERIFY(!w->keyboardChecked());
        QVERIFY(!mark()->isChecked());
        QVERIFY(!panel()->isVisible());
        mark()->trigger();
        QVERIFY(mark()->isChecked());
        QVERIFY(poll()->isActive());
    }

    void typingFilter()
    {
        auto* memo = child<QPlainTextEdit>("Memo1");
        sondrake::testing::keyClicks(memo, QStringLiteral("a"));
        QCOMPARE(memo->toPlainText(), QString());
        sondrake::testing::keyClicks(memo, QStringLiteral("edfgh"));
        QCOMPARE(memo->toPlainText(), QString());
        sondrake::testing::keyClicks(memo, QStringLiteral("s"));
        QCOMPARE(memo->toPlainText(), QStringLiteral("s"));
        sondrake::testing::keyClicks(memo, QStringLiteral("A"));
        QCOMPARE(memo->toPlainText(), QStringLiteral("sA"));
        // Swallowed or not, every one of those keys was played.
        // Seven keys (A twice) tapped before any poll: one note each.
        QTRY_COMPARE(int(notes().size()), 2 * 7);
        QCOMPARE(notes().front(), noteOn(60));
    }

    void receptionSuspend()
    {
        w->suspendKeyboardPlayer();
        QVERIFY(w->keyboardChecked());
        QVERIFY(mark()->isChecked());
        QVERIFY(!panel()->isVisible());
        QVERIFY(!poll()->isActive());
        QVERIFY(!hook()->isActive());
        QVERIFY(!w->keyboardRunning());
        // The first use of the command clears the mark, the second shows the panel.
        w->onKeyboardPlayer();
        QVERIFY(!mark()->isChecked());
        QVERIFY(!panel()->isVisible());
        QVERIFY(!poll()->isActive());
        w->onKeyboardPlayer();
        QVERIFY(mark()->isChecked());
        QVERIFY(panel()->isVisible());
        QVERIFY(poll()->isActive());
        QVERIFY(hook()->isActive());
    }
};

QTEST_MAIN(TestKeyboardWindow)
#include "test_keyboard_window.moc"
