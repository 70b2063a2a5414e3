#pragma once

// The rotary control of the sound editor: a dial with a pointer, a sign and
// three digits below it, a caption label above it. Fixed size 32 x 48.
//
// Mouse: drag on the dial (y < 32) upwards to increase, one step per pixel;
// a press on the digits steps by one (left half down, right half up). Every
// paint fires the change event; so does every drag move (once more) and
// every release. Keys and wheel: see PaintedControl.
//
// Bitmaps (resource paths ":/NAME.png", with ":/NAME@2x.png" for HiDPI
// screens): "KNOBFACE1" (32x32), "KBITMAP0".."KBITMAP9", "KMINUS",
// "KSPACE" (9x12).

#include "controls/PaintedControl.h"

#include <QtGlobal>

namespace sondrake::controls {

class TKnob : public PaintedControl {
    Q_OBJECT
    Q_PROPERTY(int Position READ Position WRITE setPosition)
    Q_PROPERTY(int Min READ Min WRITE setMin)
    Q_PROPERTY(int Max READ Max WRITE setMax)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(int Channel READ Channel WRITE setChannel)
public:
    explicit TKnob(QWidget* parent = nullptr);

    // Properties in their load order: Position, Min, Max, Caption, OnChange,
    // Channel. A Position outside the current range is ignored (not
    // clamped), so a Position applied before a raised Min stays below it.
    int Position() const { return m_position; }
    void setPosition(int v); // Min <= v <= Max and v != Position: store, paint
    int Min() const { return m_min; }
    void setMin(int v); // v != Min and v < Max: store, paint (Position kept)
    int Max() const { return m_max; }
    void setMax(int v); // v != Max and v > Min: store, paint (Position kept)
    QString Caption() const { return m_caption; }
    void setCaption(const QString& t); // differs: store, paint
    // OnChange / setOnChange: see PaintedControl.
    quint8 Channel() const { return m_channel; }
    void setChannel(int c); // c != Channel and 0 <= c <= 15: store only

    bool dragging() const { return m_dragging; }

    bool hasRange() const override { return true; }
    int rangeValue() const override { return m_position; }
    int rangeMinimum() const override { return m_min; }
    int rangeMaximum() const override { return m_max; }
    QString valueText() const override; // the digits as shown: "-5", "127"

protected:
    void render() override;
    void setRangeValue(int v) override { setPosition(v); }
    bool firesOnPaint() const override { return true; }
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int m_position = 63;
    int m_min = 0;
    int m_max = 127;
    QString m_caption;
    quint8 m_channel = 0;
    bool m_dragging = false;
    int m_dragPosition = 0;
    int m_dragY = 0;
    bool m_darkFill = false; // white on the first paint, black afterwards
};

} // namespace sondrake::controls
