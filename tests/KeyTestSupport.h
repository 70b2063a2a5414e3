#pragma once

// Keys as the keyboard delivers them: to the top-level window, which hands
// them on to its focused control. The program reads its keys at the window,
// so a key sent straight to a control (QTest's widget overloads) would never
// be seen there. Each helper gives `target` the focus first.

#include <QString>
#include <QTest>
#include <QWidget>
#include <QWindow>

namespace sondrake::testing {

inline QWindow* keyWindowFor(QWidget* target)
{
    target->setFocus();
    QWidget* top = target->window();
    top->winId(); // a window system window, even for a window never shown
    return top->windowHandle();
}

inline void keyPress(QWidget* target, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyPress(keyWindowFor(target), key, modifiers);
}

inline void keyRelease(QWidget* target, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyRelease(keyWindowFor(target), key, modifiers);
}

inline void keyClick(QWidget* target, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(keyWindowFor(target), key, modifiers);
}

// Types Latin-1 text one key at a time, as QTest::keyClicks does.
inline void keyClicks(QWidget* target, const QString& text)
{
    QWindow* window = keyWindowFor(target);
    for (const QChar c : text)
        QTest::keyClick(window, c.toLatin1());
}

// A key event with the auto-repeat mark a held key produces.
inline void autoRepeatKey(QWidget* target, QEvent::Type type, Qt::Key key, const QString& text)
{
    qt_handleKeyEvent(keyWindowFor(target), type, key, Qt::NoModifier, text, true);
}

} // namespace sondrake::testing
