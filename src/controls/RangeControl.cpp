#include "controls/RangeControl.h"

#include <QMouseEvent>

#include <cmath>

namespace sondrake::controls {

RangeControl::RangeControl(QWidget* parent, QSize size, bool withCaptionLabel, int position)
    : PaintedControl(parent, size, withCaptionLabel)
    , m_position(position)
{
}

void RangeControl::setPosition(int v)
{
    if (v < m_min || v > m_max || v == m_position)
        return;
    m_position = v;
    paintNow();
}

void RangeControl::stepByPress(const QMouseEvent* event, int low, int high)
{
    if (mouseX(event) < width() / 2) {
        if (m_position > low)
            --m_position;
    } else if (m_position < high) {
        ++m_position;
    }
    paintNow();
}

int RangeControl::mouseX(const QMouseEvent* event) { return int(std::floor(event->position().x())); }

int RangeControl::mouseY(const QMouseEvent* event) { return int(std::floor(event->position().y())); }

} // namespace sondrake::controls
