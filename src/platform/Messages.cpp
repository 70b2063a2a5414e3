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

QString elideMiddle(const QString& text, qsizetype maxLength)
{
    if (text.size() <= maxLength || maxLength < 2)
        return text;
    const qsizetype head = (maxLength - 1) * 2 / 5;
    qsizetype tail = maxLength - 1 - head;
    // Never between the halves of a surrogate pair.
    qsizetype headEnd = head;
    if (headEnd > 0 && text.at(headEnd - 1).isHighSurrogate())
        --headEnd;
    if (tail > 0 && text.at(text.size() - tail).isLowSurrogate())
        --tail;
    return text.left(headEnd) + QChar(0x2026) + text.right(tail);
}

QString messageLine(const QString& text)
{
    QString line = text;
    line.replace(QLatin1String("\r\n"), QLatin1String(" "));
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    line.replace(QLatin1Char('\r'), QLatin1Char(' '));
    return elideMiddle(line, kMaxMessageLength);
}

void addMessage(const QString& text)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (app && QThread::currentThread() != app->thread()) {
        QMetaObject::invokeMethod(app, [text] { deliver(text); }, Qt::QueuedConnection);
        return;
    }
    deliver(text);
}

} // namespace sondrake
