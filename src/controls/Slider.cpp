#include "controls/Slider.h"

#include "controls/ControlBitmaps.h"
#include "controls/ControlGeometry.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace sondrake::controls {

namespace {

    constexpr int kSliderWidth = 22;
    constexpr int kSliderHeight = 100;
    constexpr int kBoxTop = 85; // presses from here down step; above it they drag
    constexpr int kLimitMin = -255;
    constexpr int kLimitMax = 255;

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

    constexpr int kTextRoom = 18; // inside the value box's border, with a pixel to spare each side

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
    : RangeControl(parent, QSize(kSliderWidth, kSliderHeight), false, 0)
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

void Slider::setMinimum(int v)
{
    // A range of width zero would leave the cap's place undefined.
    if (v < kLimitMin || v > kLimitMax || v == m_minimum || m_maximum - v + 1 == 0)
        return;
    m_minimum = v;
    paintNow();
}

void Slider::setMaximum(int v)
{
    if (v < kLimitMin || v > kLimitMax || v == m_maximum || v - m_minimum + 1 == 0)
        return;
    m_maximum = v;
    paintNow();
}

QString Slider::valueText() const
{
    return sliderValueText(m_value, m_displayMode);
}

void Slider::render()
{
    QImage& bitmap = beginBitmap();
    const SliderArt& art = sliderArt(bitmap.devicePixelRatio());
    QPainter p(&bitmap);
    smoothAtFractionalRatio(p, bitmap);

    const QColor grey(200, 200, 200);
    p.fillRect(0, 0, kSliderWidth, kSliderHeight, m_greyFill ? grey : QColor(Qt::white));
    m_greyFill = true;
    p.drawImage(QPoint(0, 0), art.background);
    p.drawImage(QPoint(0, sliderCapTop(m_value, m_minimum, m_maximum)), art.face);

    // Value box: grey inside a black one-pixel border, pixels 0..21 x 85..99.
    p.fillRect(0, kBoxTop, kSliderWidth, kSliderHeight - kBoxTop, Qt::black);
    p.fillRect(1, kBoxTop + 1, kSliderWidth - 2, kSliderHeight - kBoxTop - 2, grey);

    const QString text = sliderValueText(m_value, m_displayMode);
    const QFont* font = &m_font;
    QFontMetrics metrics(*font);
    int w = metrics.horizontalAdvance(text);
    if (w > kTextRoom) {
        font = &m_narrowFont;
        metrics = QFontMetrics(*font);
        w = metrics.horizontalAdvance(text);
    }
    p.setFont(*font);
    p.setPen(Qt::black);
    p.drawText(QPoint(kSliderWidth / 2 - w / 2, kBoxTop + 1 + metrics.ascent()), text);
}

void Slider::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    const int y = mouseY(event);
    if (y < kBoxTop) {
        m_dragX = mouseX(event);
        m_lastY = y;
        m_dragging = true;
        return;
    }
    // Steps stay within 0..127 and within the slider's own range, so a click
    // never leaves a value the owner did not allow.
    stepByPress(event, std::max(0, m_minimum), std::min(127, m_maximum));
}

void Slider::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
    const int y = mouseY(event);
    if (!m_dragging || y == m_lastY)
        return;
    const long long d = (static_cast<long long>(m_lastY) - y) * 2 / 3;
    m_lastY = y;
    long long v = m_value + d;
    // Not std::clamp: the minimum may lie above the maximum here.
    if (v < m_minimum)
        v = m_minimum;
    if (v > m_maximum)
        v = m_maximum;
    setValue(int(v));
}

void Slider::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    m_dragging = false;
}

} // namespace sondrake::controls
