// The keyboard player under a layout that types no Latin letters, on a real
// X server (run under xvfb-run with the xcb platform): the key left of S is
// still the player's A. The offscreen platform gives no key positions, so
// this cannot run with the other tests.
#include "platform/KeyState.h"

#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QWidget>

using sondrake::platform::KeyState;

class TestXcbKeyState : public QObject {
    Q_OBJECT

    static bool run(const QString& program, const QStringList& arguments)
    {
        return QProcess::execute(program, arguments) == 0;
    }

private slots:
    void lettersByPlaceUnderACyrillicLayout()
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("needs the xcb platform on an X server");
        for (const char* tool : { "setxkbmap", "xdotool" })
            if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
                QSKIP(qPrintable(QStringLiteral("%1 is not installed (scripts/deps.sh installs it)").arg(tool)));
        QVERIFY(run(QStringLiteral("setxkbmap"), { QStringLiteral("ru") }));

        QWidget window;
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        KeyState keys;
        // Under "ru" the keys of A, X and Z type these letters; xdotool finds
        // their keys in the layout and presses them through the X server.
        QVERIFY(run(QStringLiteral("xdotool"),
            { QStringLiteral("key"), QStringLiteral("Cyrillic_ef"), QStringLiteral("Cyrillic_che"),
                QStringLiteral("Cyrillic_ya") }));
        // A query forgets the press, and QTRY_VERIFY asks once more after
        // its loop: the last key is latched here, the others came before it.
        bool lastSeen = false;
        QTRY_VERIFY((lastSeen = lastSeen || keys.asyncKeyState(Qt::Key_Z)));
        QVERIFY(keys.asyncKeyState(Qt::Key_A));
        QVERIFY(keys.asyncKeyState(Qt::Key_X));
    }
};

QTEST_MAIN(TestXcbKeyState)
#include "xcb_keystate.moc"
