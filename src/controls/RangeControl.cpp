#include "controls/RangeControl.h"

#include <QMouseEvent>

#include <cmath>

namespace sondrake::controls {

RangeControl::RangeControl(QWidget* parent, QSize size, bool withCaptionLabel, int position)
    : PaintedControl(parent, size, withCaptionLabel)
    , m_value(position)
{
}

void RangeControl::setValue(int v)
{
    if (v < m_minimum || v > m_maximum || v == m_value)
        return;
    m_value = v;
    paintNow();
}

void RangeControl::stepByPress(const QMouseEvent* event, int low, int high)
{
    if (mouseX(event) < width() / 2) {
        if (m_value > low)
            --m_value;
    } else if (m_value < high) {
        ++m_value;
    }
    paintNow();
}

int RangeControl::mouseX(const QMouseEvent* event) { return int(std::floor(event->position().x())); }

int RangeControl::mouseY(const QMouseEvent* event) { return int(std::floor(event->position().y())); }

} // namespace sondrake::controls
