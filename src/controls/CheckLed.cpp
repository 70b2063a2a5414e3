#include "controls/CheckLed.h"

#include "controls/ControlBitmaps.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace sondrake::controls {

namespace {

    constexpr int LedWidth = 32;
    constexpr int LedHeight = 16;

} // namespace

CheckLed::CheckLed(QWidget* parent)
    : PaintedControl(parent, QSize(LedWidth, LedHeight), true)
{
    render();
    rememberShownState();
}

void CheckLed::setCaption(const QString& t)
{
    const QString cut = t.left(MaxCaptionLength);
    if (cut == m_caption)
        return;
    m_caption = cut;
    paintNow();
}

void CheckLed::setStatus(bool b)
{
    if (b == m_status)
        return;
    m_status = b;
    paintNow();
}

void CheckLed::setChannel(int c)
{
    if (c == m_channel || c < 0 || c > 15)
        return;
    m_channel = quint8(c);
}

void CheckLed::render()
{
    placeCaptionLabel(m_caption);

    QImage& bitmap = beginBitmap();
    const qreal ratio = bitmap.devicePixelRatio();
    QPainter p(&bitmap);
    smoothAtFractionalRatio(p, bitmap);
    if (!m_brushClear)
        p.fillRect(0, 0, LedWidth - 1, LedHeight - 1, Qt::white);
    m_brushClear = true;
    p.drawImage(QPoint(0, 0),
        controlBitmap(m_status ? QStringLiteral("REDBUTTON") : QStringLiteral("BLACKBUTTON"), ratio));
    const QColor frame(120, 40, 40);
    p.fillRect(0, 0, LedWidth, 1, frame);
    p.fillRect(0, LedHeight - 1, LedWidth, 1, frame);
    p.fillRect(0, 0, 1, LedHeight, frame);
    p.fillRect(LedWidth - 1, 0, 1, LedHeight, frame);
}

QString CheckLed::valueText() const
{
    return m_status ? QStringLiteral("On") : QStringLiteral("Off");
}

void CheckLed::toggle()
{
    m_status = !m_status;
    paintNow();
    fireChange();
}

void CheckLed::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    toggle();
}

void CheckLed::keyPressEvent(QKeyEvent* event)
{
    // A held Space toggles once, not at the key's repeat rate.
    if (event->key() == Qt::Key_Space && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        if (!event->isAutoRepeat())
            toggle();
        return;
    }
    PaintedControl::keyPressEvent(event);
}

} // namespace sondrake::controls
