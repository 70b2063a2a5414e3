#include "platform/Messages.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

#include <cstdio>
#include <mutex>

namespace sondrake {

namespace {
std::mutex sinkMutex;
std::function<void(const QString&)>& sinkRef()
{
    static std::function<void(const QString&)> sink;
    return sink;
}

void deliver(const QString& text)
{
    std::function<void(const QString&)> sink;
    {
        std::lock_guard lock(sinkMutex);
        sink = sinkRef();
    }
    if (sink)
        sink(text);
    else
        std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}
} // namespace

void setMessageSink(std::function<void(const QString&)> sink)
{
    std::lock_guard lock(sinkMutex);
    sinkRef() = std::move(sink);
}

void AddMessage(const QString& text)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (app && QThread::currentThread() != app->thread()) {
        QMetaObject::invokeMethod(app, [text] { deliver(text); }, Qt::QueuedConnection);
        return;
    }
    deliver(text);
}

} // namespace sondrake
