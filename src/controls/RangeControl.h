#pragma once

// What the knob and the slider share: a Position within Min..Max that the
// keys, the wheel and assistive tools move, a change event on every paint,
// a drag in progress, and the press on the value display that steps by one.

#include "controls/PaintedControl.h"

class QMouseEvent;

namespace sondrake::controls {

class RangeControl : public PaintedControl {
    Q_OBJECT
public:
    int Position() const { return m_position; }
    void setPosition(int v); // Min <= v <= Max and v != Position: store, paint
    int Min() const { return m_min; }
    int Max() const { return m_max; }

    bool dragging() const { return m_dragging; }

    bool hasRange() const override { return true; }
    int rangeValue() const override { return m_position; }
    int rangeMinimum() const override { return m_min; }
    int rangeMaximum() const override { return m_max; }

protected:
    RangeControl(QWidget* parent, QSize size, bool withCaptionLabel, int position);

    void setRangeValue(int v) override { setPosition(v); }
    bool firesOnPaint() const override { return true; }

    // A press on the value display: the left half steps down, the right
    // half up, within low..high; the control paints either way.
    void stepByPress(const QMouseEvent* event, int low, int high);

    // The pixel under the mouse, in control coordinates.
    static int mouseX(const QMouseEvent* event);
    static int mouseY(const QMouseEvent* event);

    int m_position;
    int m_min = 0;
    int m_max = 127;
    bool m_dragging = false;
};

} // namespace sondrake::controls
