#include "controls/Slider.h"

#include "controls/ControlBitmaps.h"
#include "controls/ControlGeometry.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace sondrake::controls {

namespace {

    constexpr int SliderWidth = 22;
    constexpr int SliderHeight = 100;
    constexpr int BoxTop = 85; // presses from here down step; above it they drag
    constexpr int LimitMin = -255;
    constexpr int LimitMax = 255;

    struct SliderArt {
        QImage background;
        QImage face;
    };

    const SliderArt& sliderArt(qreal ratio)
    {
        static SliderArt art[2];
        static bool loaded[2] = { false, false };
        const int i = ratio > 1.0 ? 1 : 0;
        if (!loaded[i]) {
            art[i].background = controlBitmap(QStringLiteral("SLIDERBACKGROUND1"), ratio);
            art[i].face = controlBitmap(QStringLiteral("SLIDERFACE1"), ratio);
            loaded[i] = true;
        }
        return art[i];
    }

    constexpr int TextRoom = 18; // inside the value box's border, with a pixel to spare each side

    // The value text in its normal width, or narrower when it would not fit
    // the value box ("Rest", "D#10").
    QFont valueFont(bool narrow)
    {
        QFont f;
        f.setPixelSize(10);
        f.setStretch(narrow ? 75 : 88);
        return f;
    }

} // namespace

Slider::Slider(QWidget* parent)
    : RangeControl(parent, QSize(SliderWidth, SliderHeight), false, 0)
    , m_font(valueFont(false))
    , m_narrowFont(valueFont(true))
{
    // The first drawing happens here (white fill); every later one is grey.
    render();
    rememberShownState();
}

void Slider::setDisplayMode(const QString& t)
{
    m_displayMode = t;
}

void Slider::setMin(int v)
{
    // A range of width zero would leave the cap's place undefined.
    if (v < LimitMin || v > LimitMax || v == m_min || m_max - v + 1 == 0)
        return;
    m_min = v;
    paintNow();
}

void Slider::setMax(int v)
{
    if (v < LimitMin || v > LimitMax || v == m_max || v - m_min + 1 == 0)
        return;
    m_max = v;
    paintNow();
}

QString Slider::valueText() const
{
    return sliderValueText(m_position, m_displayMode);
}

void Slider::render()
{
    QImage& bitmap = beginBitmap();
    const SliderArt& art = sliderArt(bitmap.devicePixelRatio());
    QPainter p(&bitmap);
    smoothAtFractionalRatio(p, bitmap);

    const QColor grey(200, 200, 200);
    p.fillRect(0, 0, SliderWidth, SliderHeight, m_greyFill ? grey : QColor(Qt::white));
    m_greyFill = true;
    p.drawImage(QPoint(0, 0), art.background);
    p.drawImage(QPoint(0, sliderCapTop(m_position, m_min, m_max)), art.face);

    // Value box: grey inside a black one-pixel border, pixels 0..21 x 85..99.
    p.fillRect(0, BoxTop, SliderWidth, SliderHeight - BoxTop, Qt::black);
    p.fillRect(1, BoxTop + 1, SliderWidth - 2, SliderHeight - BoxTop - 2, grey);

    const QString text = sliderValueText(m_position, m_displayMode);
    const QFont* font = &m_font;
    QFontMetrics metrics(*font);
    int w = metrics.horizontalAdvance(text);
    if (w > TextRoom) {
        font = &m_narrowFont;
        metrics = QFontMetrics(*font);
        w = metrics.horizontalAdvance(text);
    }
    p.setFont(*font);
    p.setPen(Qt::black);
    p.drawText(QPoint(SliderWidth / 2 - w / 2, BoxTop + 1 + metrics.ascent()), text);
}

void Slider::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    const int y = mouseY(event);
    if (y < BoxTop) {
        m_dragX = mouseX(event);
        m_lastY = y;
        m_dragging = true;
        return;
    }
    // Steps stay within 0..127 and within the slider's own range, so a click
    // never leaves a value the owner did not allow.
    stepByPress(event, std::max(0, m_min), std::min(127, m_max));
}

void Slider::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
    const int y = mouseY(event);
    if (!m_dragging || y == m_lastY)
        return;
    const long long d = (static_cast<long long>(m_lastY) - y) * 2 / 3;
    m_lastY = y;
    long long v = m_position + d;
    // Not std::clamp: Min may lie above Max here.
    if (v < m_min)
        v = m_min;
    if (v > m_max)
        v = m_max;
    setPosition(int(v));
}

void Slider::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    m_dragging = false;
}

} // namespace sondrake::controls
