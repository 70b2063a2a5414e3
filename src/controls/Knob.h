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

#include "controls/RangeControl.h"

#include <QtGlobal>

namespace sondrake::controls {

class Knob : public RangeControl {
    Q_OBJECT
    Q_PROPERTY(int value READ value WRITE setValue)
    Q_PROPERTY(int minimum READ minimum WRITE setMinimum)
    Q_PROPERTY(int maximum READ maximum WRITE setMaximum)
    Q_PROPERTY(QString caption READ caption WRITE setCaption)
    Q_PROPERTY(int channel READ channel WRITE setChannel)
public:
    explicit Knob(QWidget* parent = nullptr);

    // Properties in their load order: value, minimum, maximum, caption,
    // change handler, channel. A value outside the current range is ignored
    // (not clamped), so a value applied before a raised minimum stays below it.
    // value, setValue, minimum, maximum: see RangeControl.
    void setMinimum(int v); // v != minimum() and v < maximum(): store, paint (value kept)
    void setMaximum(int v); // v != maximum() and v > minimum(): store, paint (value kept)
    QString caption() const { return m_caption; }
    void setCaption(const QString& t); // differs: store, paint
    // onChange / setOnChange: see PaintedControl.
    quint8 channel() const { return m_channel; }
    void setChannel(int c); // c != channel() and 0 <= c <= 15: store only

    QString valueText() const override; // the digits as shown: "-5", "127"

protected:
    void render() override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QString m_caption;
    quint8 m_channel = 0;
    int m_dragPosition = 0;
    int m_dragY = 0;
    bool m_darkFill = false; // white on the first paint, black afterwards
};

} // namespace sondrake::controls
