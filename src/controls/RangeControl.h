#pragma once

// What the knob and the slider share: a value within minimum..maximum that the
// keys, the wheel and assistive tools move, a change event on every paint,
// a drag in progress, and the press on the value display that steps by one.

#include "controls/PaintedControl.h"

class QMouseEvent;

namespace sondrake::controls {

class RangeControl : public PaintedControl {
    Q_OBJECT
public:
    int value() const { return m_value; }
    void setValue(int v); // minimum <= v <= maximum and v != value(): store, paint
    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }

    bool dragging() const { return m_dragging; }

    bool hasRange() const override { return true; }
    int rangeValue() const override { return m_value; }
    int rangeMinimum() const override { return m_minimum; }
    int rangeMaximum() const override { return m_maximum; }

protected:
    RangeControl(QWidget* parent, QSize size, bool withCaptionLabel, int position);

    void setRangeValue(int v) override { setValue(v); }
    bool firesOnPaint() const override { return true; }

    // A press on the value display: the left half steps down, the right
    // half up, within low..high; the control paints either way.
    void stepByPress(const QMouseEvent* event, int low, int high);

    // The pixel under the mouse, in control coordinates.
    static int mouseX(const QMouseEvent* event);
    static int mouseY(const QMouseEvent* event);

    int m_value;
    int m_minimum = 0;
    int m_maximum = 127;
    bool m_dragging = false;
};

} // namespace sondrake::controls
