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

#include "controls/RangeControl.h"

#include <QFont>

namespace sondrake::controls {

class Slider : public RangeControl {
    Q_OBJECT
    Q_PROPERTY(int value READ value WRITE setValue)
    Q_PROPERTY(QString displayMode READ displayMode WRITE setDisplayMode)
    Q_PROPERTY(int minimum READ minimum WRITE setMinimum)
    Q_PROPERTY(int maximum READ maximum WRITE setMaximum)
public:
    explicit Slider(QWidget* parent = nullptr);

    // Properties in their load order: value, change handler, displayMode,
    // minimum, maximum.
    // value, setValue, minimum, maximum: see RangeControl.
    // onChange / setOnChange: see PaintedControl.
    QString displayMode() const { return m_displayMode; }
    void setDisplayMode(const QString& t); // empty: number; else note name. No paint.
    void setMinimum(int v); // -255..255, v != minimum(), maximum() - v + 1 != 0: store, paint
    void setMaximum(int v); // -255..255, v != maximum(), v - minimum() + 1 != 0: store, paint

    QString valueText() const override; // the value box's text: "64", "C5", "Rst"

protected:
    void render() override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QString m_displayMode;
    int m_dragX = 0;
    int m_lastY = 0;
    bool m_greyFill = false; // white on the first paint, grey afterwards
    QFont m_font;
    QFont m_narrowFont;
};

} // namespace sondrake::controls
