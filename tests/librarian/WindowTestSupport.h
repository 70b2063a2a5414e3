#pragma once

// Small helpers shared by the window tests of the librarian.

#include <QApplication>
#include <QObject>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace sondrake::testing {

// Runs `body` on the next modal dialog that opens, from inside its event loop.
inline void onNextModal(std::function<void(QWidget*)> body)
{
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, body] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            body(modal);
        }
    });
    timer->start();
}

// The child of `parent` with that object name; a missing one ends the test
// program, since every later step would only fail more obscurely.
template <typename T> T* namedChild(const QObject* parent, const char* name)
{
    auto* c = parent->findChild<T*>(QString::fromLatin1(name));
    if (!c)
        qFatal("no child %s", name);
    return c;
}

} // namespace sondrake::testing
