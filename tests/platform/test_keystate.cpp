// The asynchronous key state recorder: what the player sees of key presses.
#include "KeyTestSupport.h"
#include "platform/KeyState.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

#include <memory>

using sondrake::platform::KeyState;

class TestKeyState : public QObject {
    Q_OBJECT

    std::unique_ptr<KeyState> recorder;

private slots:
    void init() { recorder = std::make_unique<KeyState>(); }
    void cleanup() { recorder.reset(); }

    void downUntilReleasedAndTapLatched()
    {
        auto& keys = *recorder;
        QLineEdit edit;
        edit.show();

        QVERIFY(!keys.asyncKeyState(Qt::Key_A));
        sondrake::testing::keyPress(&edit, Qt::Key_A);
        QVERIFY(keys.isDown(Qt::Key_A));
        // Down now: every query says so, however often it is asked.
        QVERIFY(keys.asyncKeyState(Qt::Key_A));
        QVERIFY(keys.asyncKeyState(Qt::Key_A));
        sondrake::testing::keyRelease(&edit, Qt::Key_A);
        QVERIFY(!keys.isDown(Qt::Key_A));
        QVERIFY(!keys.asyncKeyState(Qt::Key_A));

        // A tap between two queries is reported once, then forgotten.
        sondrake::testing::keyClick(&edit, Qt::Key_S);
        QVERIFY(!keys.isDown(Qt::Key_S));
        QVERIFY(keys.asyncKeyState(Qt::Key_S));
        QVERIFY(!keys.asyncKeyState(Qt::Key_S));

        // Keys are independent; letters are their upper-case ASCII codes,
        // whatever the modifiers.
        sondrake::testing::keyPress(&edit, Qt::Key_D, Qt::ShiftModifier);
        QVERIFY(keys.isDown('D'));
        QVERIFY(!keys.isDown('A'));
        sondrake::testing::keyRelease(&edit, Qt::Key_D, Qt::ShiftModifier);
        QVERIFY(keys.asyncKeyState('D'));
        QVERIFY(!keys.asyncKeyState('D'));
    }

    void autoRepeatIgnored()
    {
        auto& keys = *recorder;
        QLineEdit edit;
        sondrake::testing::keyPress(&edit, Qt::Key_G);
        // A held key repeats as release/press pairs marked as auto-repeat.
        sondrake::testing::autoRepeatKey(&edit, QEvent::KeyRelease, Qt::Key_G, QStringLiteral("g"));
        QVERIFY(keys.isDown(Qt::Key_G));
        sondrake::testing::autoRepeatKey(&edit, QEvent::KeyPress, Qt::Key_H, QStringLiteral("h"));
        QVERIFY(!keys.asyncKeyState(Qt::Key_H));
        sondrake::testing::keyRelease(&edit, Qt::Key_G);
        QVERIFY(keys.asyncKeyState(Qt::Key_G)); // the press is still latched
        QVERIFY(!keys.asyncKeyState(Qt::Key_G));
    }

    void releaseWithoutPressAndDeactivation()
    {
        auto& keys = *recorder;
        QLineEdit edit;
        sondrake::testing::keyRelease(&edit, Qt::Key_J);
        QVERIFY(!keys.asyncKeyState(Qt::Key_J));

        // When another program takes the keyboard its releases never reach
        // us: nothing may stay down.
        sondrake::testing::keyPress(&edit, Qt::Key_K);
        QEvent deactivate(QEvent::ApplicationDeactivate);
        QApplication::sendEvent(qApp, &deactivate);
        QVERIFY(!keys.isDown(Qt::Key_K));
        QVERIFY(!keys.asyncKeyState(Qt::Key_K));
    }

    void forgetPressesKeepsHeldKeys()
    {
        auto& keys = *recorder;
        QLineEdit edit;
        sondrake::testing::keyClick(&edit, Qt::Key_W);
        sondrake::testing::keyPress(&edit, Qt::Key_E);
        keys.forgetPresses();
        QVERIFY(!keys.asyncKeyState(Qt::Key_W));
        QVERIFY(keys.asyncKeyState(Qt::Key_E));
        sondrake::testing::keyRelease(&edit, Qt::Key_E);
        QVERIFY(!keys.asyncKeyState(Qt::Key_E));
    }

    void windowHandlerThatKeepsAKeyStillLetsItBeRecorded()
    {
        // A window keeps a key from its controls through its handler; the
        // recorder has seen the key by then.
        auto& keys = *recorder;
        QWidget window;
        auto* edit = new QLineEdit(&window);
        int handled = 0;
        keys.setWindowKeyHandler(&window, [&handled](QKeyEvent* key) {
            ++handled;
            return key->type() == QEvent::KeyPress;
        });
        sondrake::testing::keyClick(edit, Qt::Key_L);
        QVERIFY(handled >= 2);
        QVERIFY(edit->text().isEmpty());
        QVERIFY(keys.asyncKeyState(Qt::Key_L));

        // A recorder that went leaves the application's filters behind it,
        // and another one records from then on.
        recorder.reset();
        KeyState next;
        sondrake::testing::keyClick(edit, Qt::Key_M);
        QVERIFY(next.asyncKeyState(Qt::Key_M));
    }
};

QTEST_MAIN(TestKeyState)
#include "test_keystate.moc"
