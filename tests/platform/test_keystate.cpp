// The asynchronous key state recorder: what the player sees of key presses.
#include "platform/KeyState.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

using sondrake::platform::KeyState;

class TestKeyState : public QObject {
    Q_OBJECT

private slots:
    void init() { KeyState::instance().clear(); }

    void downUntilReleasedAndTapLatched()
    {
        auto& keys = KeyState::instance();
        QLineEdit edit;
        edit.show();

        QVERIFY(!keys.asyncKeyState(Qt::Key_A));
        QTest::keyPress(&edit, Qt::Key_A);
        QVERIFY(keys.isDown(Qt::Key_A));
        // Down now: every query says so, however often it is asked.
        QVERIFY(keys.asyncKeyState(Qt::Key_A));
        QVERIFY(keys.asyncKeyState(Qt::Key_A));
        QTest::keyRelease(&edit, Qt::Key_A);
        QVERIFY(!keys.isDown(Qt::Key_A));
        QVERIFY(!keys.asyncKeyState(Qt::Key_A));

        // A tap between two queries is reported once, then forgotten.
        QTest::keyClick(&edit, Qt::Key_S);
        QVERIFY(!keys.isDown(Qt::Key_S));
        QVERIFY(keys.asyncKeyState(Qt::Key_S));
        QVERIFY(!keys.asyncKeyState(Qt::Key_S));

        // Keys are independent; letters are their upper-case ASCII codes,
        // whatever the modifiers.
        QTest::keyPress(&edit, Qt::Key_D, Qt::ShiftModifier);
        QVERIFY(keys.isDown('D'));
        QVERIFY(!keys.isDown('A'));
        QTest::keyRelease(&edit, Qt::Key_D, Qt::ShiftModifier);
        QVERIFY(keys.asyncKeyState('D'));
        QVERIFY(!keys.asyncKeyState('D'));
    }

    void autoRepeatIgnored()
    {
        auto& keys = KeyState::instance();
        QLineEdit edit;
        QTest::keyPress(&edit, Qt::Key_G);
        // A held key repeats as release/press pairs marked as auto-repeat.
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_G, Qt::NoModifier, QStringLiteral("g"), true);
        QApplication::sendEvent(&edit, &release);
        QVERIFY(keys.isDown(Qt::Key_G));
        QKeyEvent press(QEvent::KeyPress, Qt::Key_H, Qt::NoModifier, QStringLiteral("h"), true);
        QApplication::sendEvent(&edit, &press);
        QVERIFY(!keys.asyncKeyState(Qt::Key_H));
        QTest::keyRelease(&edit, Qt::Key_G);
        QVERIFY(keys.asyncKeyState(Qt::Key_G)); // the press is still latched
        QVERIFY(!keys.asyncKeyState(Qt::Key_G));
    }

    void releaseWithoutPressAndDeactivation()
    {
        auto& keys = KeyState::instance();
        QLineEdit edit;
        QTest::keyRelease(&edit, Qt::Key_J);
        QVERIFY(!keys.asyncKeyState(Qt::Key_J));

        // When another program takes the keyboard its releases never reach
        // us: nothing may stay down.
        QTest::keyPress(&edit, Qt::Key_K);
        QEvent deactivate(QEvent::ApplicationDeactivate);
        QApplication::sendEvent(qApp, &deactivate);
        QVERIFY(!keys.isDown(Qt::Key_K));
        QVERIFY(!keys.asyncKeyState(Qt::Key_K));
    }

    void forgetPressesKeepsHeldKeys()
    {
        auto& keys = KeyState::instance();
        QLineEdit edit;
        QTest::keyClick(&edit, Qt::Key_W);
        QTest::keyPress(&edit, Qt::Key_E);
        keys.forgetPresses();
        QVERIFY(!keys.asyncKeyState(Qt::Key_W));
        QVERIFY(keys.asyncKeyState(Qt::Key_E));
        QTest::keyRelease(&edit, Qt::Key_E);
        QVERIFY(!keys.asyncKeyState(Qt::Key_E));
    }

    void filterIsInFrontOfSwallowingFilters()
    {
        // A filter installed later that eats key presses must not hide them,
        // once the recorder is installed again.
        struct Eater : QObject {
            bool eventFilter(QObject*, QEvent* e) override { return e->type() == QEvent::KeyPress; }
        } eater;
        auto& keys = KeyState::instance();
        qApp->installEventFilter(&eater);
        QLineEdit edit;
        QTest::keyClick(&edit, Qt::Key_L);
        QVERIFY(!keys.asyncKeyState(Qt::Key_L));
        keys.install();
        QTest::keyClick(&edit, Qt::Key_L);
        QVERIFY(keys.asyncKeyState(Qt::Key_L));
        qApp->removeEventFilter(&eater);
    }
};

QTEST_MAIN(TestKeyState)
#include "test_keystate.moc"
