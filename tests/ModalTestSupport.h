#pragma once

// Runs test code inside a modal dialog's own event loop. Whatever that code
// does, the dialog is closed when it returns: an assertion that fails inside
// it returns early, and a dialog left open would keep the test waiting until
// CTest gives up on it, hiding the failure behind a timeout.

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <functional>

namespace sondrake::testing {

// The child of `parent` with that object name; a missing one ends the test
// program, since every later step would only fail more obscurely.
template <typename T> T* namedChild(const QObject* parent, const char* name)
{
    auto* c = parent->findChild<T*>(QString::fromLatin1(name));
    if (!c)
        qFatal("no child %s", name);
    return c;
}

// Closes the widget when it goes out of scope, unless it is closed already.
// A dialog is rejected, as Escape would: it ends its modal wait.
class ModalCloser {
public:
    explicit ModalCloser(QWidget* modal)
        : m_modal(modal)
    {
    }
    ~ModalCloser()
    {
        if (!m_modal || !m_modal->isVisible())
            return;
        if (auto* dialog = qobject_cast<QDialog*>(m_modal.data()))
            dialog->reject();
        else
            m_modal->close();
    }
    ModalCloser(const ModalCloser&) = delete;
    ModalCloser& operator=(const ModalCloser&) = delete;

private:
    QPointer<QWidget> m_modal;
};

// The test function (and data row) running now.
inline QByteArray runningTest()
{
    return QByteArray(QTest::currentTestFunction()) + '/' + QByteArray(QTest::currentDataTag());
}

// Runs `body` on the next modal widget that opens (not on one already open
// when this is called), from inside its event loop, and closes that widget
// afterwards if `body` left it open. The watch ends with the test function
// that started it, so a dialog that never came is not answered by a body
// whose variables are gone, in a later test.
inline void onNextModal(std::function<void(QWidget*)> body)
{
    const QPointer<QWidget> before = QApplication::activeModalWidget();
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, body, before, test = runningTest()] {
        if (runningTest() != test) {
            timer->stop();
            timer->deleteLater();
            return;
        }
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == before)
            return;
        timer->stop();
        timer->deleteLater();
        const ModalCloser closer(modal);
        body(modal);
    });
    timer->start();
}

// The same for a dialog of type D. Another modal widget opening first is a
// failure, and it is closed like any other.
template <class D> void onNextModalOf(std::function<void(D*)> body)
{
    onNextModal([body](QWidget* modal) {
        auto* dialog = qobject_cast<D*>(modal);
        QVERIFY2(dialog, modal->metaObject()->className());
        body(dialog);
    });
}

} // namespace sondrake::testing
