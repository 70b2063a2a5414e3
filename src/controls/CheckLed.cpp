#include "controls/CheckLed.h"

#include "controls/ControlBitmaps.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace sondrake::controls {

namespace {

    constexpr int kLedWidth = 32;
    constexpr int kLedHeight = 16;

} // namespace

CheckLed::CheckLed(QWidget* parent)
    : PaintedControl(parent, QSize(kLedWidth, kLedHeight), true)
{
    render();
    rememberShownState();
}

void CheckLed::setCaption(const QString& t)
{
    const QString cut = t.left(kMaxCaptionLength);
    if (cut == m_caption)
        return;
    m_caption = cut;
    paintNow();
}

void CheckLed::setChecked(bool b)
{
    if (b == m_checked)
        return;
    m_checked = b;
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
        p.fillRect(0, 0, kLedWidth - 1, kLedHeight - 1, Qt::white);
    m_brushClear = true;
    p.drawImage(QPoint(0, 0),
        controlBitmap(m_checked ? QStringLiteral("REDBUTTON") : QStringLiteral("BLACKBUTTON"), ratio));
    const QColor frame(120, 40, 40);
    p.fillRect(0, 0, kLedWidth, 1, frame);
    p.fillRect(0, kLedHeight - 1, kLedWidth, 1, frame);
    p.fillRect(0, 0, 1, kLedHeight, frame);
    p.fillRect(kLedWidth - 1, 0, 1, kLedHeight, frame);
}

QString CheckLed::valueText() const
{
    return m_checked ? tr("On") : tr("Off");
}

void CheckLed::toggle()
{
    m_checked = !m_checked;
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
