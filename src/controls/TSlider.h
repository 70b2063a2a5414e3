#pragma once

// Vertical fader with a value box at its foot. Fixed size 22 x 100.
//
// Mouse: drag on the track (y < 85), two steps for every three pixels of a
// move; a press on the value box (y >= 85) steps by one (left half down,
// right half up) within 0..127 and the slider's range. Every paint fires
// the change event; a drag fires through the paints of its changes only, a
// release fires nothing. Keys and wheel: see PaintedControl.
//
// Bitmaps (":/NAME.png", ":/NAME@2x.png"): "SLIDERBACKGROUND1" (22x100),
// "SLIDERFACE1" (22x10).

#include "controls/PaintedControl.h"

#include <QFont>

namespace sondrake::controls {

class TSlider : public PaintedControl {
    Q_OBJECT
    Q_PROPERTY(int Position READ Position WRITE setPosition)
    Q_PROPERTY(QString DisplayMode READ DisplayMode WRITE setDisplayMode)
    Q_PROPERTY(int Min READ Min WRITE setMin)
    Q_PROPERTY(int Max READ Max WRITE setMax)
public:
    explicit TSlider(QWidget* parent = nullptr);

    // Properties in their load order: Position, OnChange, DisplayMode, Min, Max.
    int Position() const { return m_position; }
    void setPosition(int v); // Min <= v <= Max and v != Position: store, paint
    // OnChange / setOnChange: see PaintedControl.
    QString DisplayMode() const { return m_displayMode; }
    void setDisplayMode(const QString& t); // empty: number; else note name. No paint.
    int Min() const { return m_min; }
    void setMin(int v); // -255..255, v != Min, Max - v + 1 != 0: store, paint
    int Max() const { return m_max; }
    void setMax(int v); // -255..255, v != Max, v - Min + 1 != 0: store, paint

    bool dragging() const { return m_dragging; }

    bool hasRange() const override { return true; }
    int rangeValue() const override { return m_position; }
    int rangeMinimum() const override { return m_min; }
    int rangeMaximum() const override { return m_max; }
    QString valueText() const override; // the value box's text: "64", "C5", "Rst"

protected:
    void render() override;
    void setRangeValue(int v) override { setPosition(v); }
    bool firesOnPaint() const override { return true; }
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int m_position = 0;
    QString m_displayMode;
    int m_min = 0;
    int m_max = 127;
    bool m_dragging = false;
    int m_dragX = 0;
    int m_lastY = 0;
    bool m_greyFill = false; // white on the first paint, grey afterwards
    QFont m_font;
    QFont m_narrowFont;
};

} // namespace sondrake::controls
