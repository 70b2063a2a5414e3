#include "platform/Messages.h"

namespace sondrake {

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

} // namespace sondrake
