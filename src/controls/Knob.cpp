#include "controls/Knob.h"

#include "controls/ControlBitmaps.h"
#include "controls/ControlGeometry.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace sondrake::controls {

namespace {

    constexpr int kKnobWidth = 32;
    constexpr int kKnobHeight = 48;
    constexpr int kDialHeight = 32; // presses above this drag, below it step

    struct KnobArt {
        QImage face;
        std::array<QImage, kCellCount> cells;
    };

    const KnobArt& knobArt(qreal ratio)
    {
        static KnobArt art[2];
        static bool loaded[2] = { false, false };
        const int i = ratio > 1.0 ? 1 : 0;
        if (!loaded[i]) {
            art[i].face = controlBitmap(QStringLiteral("KNOBFACE1"), ratio);
            for (int d = 0; d < 10; ++d)
                art[i].cells[d] = controlBitmap(QStringLiteral("KBITMAP") + QString::number(d), ratio);
            art[i].cells[kCellMinus] = controlBitmap(QStringLiteral("KMINUS"), ratio);
            art[i].cells[kCellBlank] = controlBitmap(QStringLiteral("KSPACE"), ratio);
            loaded[i] = true;
        }
        return art[i];
    }

} // namespace

Knob::Knob(QWidget* parent)
    : RangeControl(parent, QSize(kKnobWidth, kKnobHeight), true, 63)
{
    // The first drawing happens here (white fill); every later one is dark.
    render();
    rememberShownState();
}

void Knob::setMinimum(int v)
{
    if (v == m_minimum || v >= m_maximum)
        return;
    m_minimum = v;
    paintNow();
}

void Knob::setMaximum(int v)
{
    if (v == m_maximum || v <= m_minimum)
        return;
    m_maximum = v;
    paintNow();
}

void Knob::setCaption(const QString& t)
{
    if (t == m_caption)
        return;
    m_caption = t;
    paintNow();
}

void Knob::setChannel(int c)
{
    if (c == m_channel || c < 0 || c > 15)
        return;
    m_channel = quint8(c);
}

QString Knob::valueText() const
{
    // The number the digits show (the display holds three digits and a sign;
    // its leading zero is no part of the number).
    return QString::number(std::clamp(m_value, -999, 999));
}

void Knob::render()
{
    placeCaptionLabel(m_caption);

    QImage& bitmap = beginBitmap();
    const KnobArt& art = knobArt(bitmap.devicePixelRatio());
    QPainter p(&bitmap);
    smoothAtFractionalRatio(p, bitmap);

    p.fillRect(0, 0, kKnobWidth, kKnobHeight, m_darkFill ? Qt::black : Qt::white);
    m_darkFill = true;
    p.drawImage(QPoint(0, 1), art.face);

    // Integer pixel coordinates name pixel centres, as the geometry means them.
    const QPoint end = knobPointerEnd(m_value, m_minimum, m_maximum);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(0.5, 0.5);
    p.setPen(QPen(QColor(171, 171, 174), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPoint(16, 16), end);
    // The tip: an ellipse of radius 1 stroked 3 pixels wide is a solid dot.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(80, 30, 30));
    p.drawEllipse(QPointF(end), 2.4, 2.4);
    p.restore();

    const std::array<int, 4> cells = knobValueCells(m_value);
    for (int i = 0; i < 4; ++i)
        p.drawImage(QPoint(kKnobCellX[i], kKnobCellY), art.cells[cells[i]]);

    // One-pixel frame on the outermost rows and columns.
    const QColor frame(32, 12, 12);
    p.fillRect(0, 0, kKnobWidth, 1, frame);
    p.fillRect(0, kKnobHeight - 1, kKnobWidth, 1, frame);
    p.fillRect(0, 0, 1, kKnobHeight, frame);
    p.fillRect(kKnobWidth - 1, 0, 1, kKnobHeight, frame);
}

void Knob::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    const int y = mouseY(event);
    if (y < kDialHeight) {
        m_dragPosition = m_value;
        m_dragY = y;
        m_dragging = true;
        return;
    }
    stepByPress(event, m_minimum, m_maximum);
}

void Knob::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
    if (!m_dragging)
        return;
    long long v = static_cast<long long>(m_dragPosition) + m_dragY - mouseY(event);
    v = std::clamp<long long>(v, m_minimum, m_maximum);
    setValue(int(v));
    fireChange();
}

void Knob::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    m_dragging = false;
    fireChange();
}

} // namespace sondrake::controls
