#pragma once

// On/off button drawn as a lit or dark lamp, with a caption label above it.
// Fixed size 32 x 16. A mouse press (any button) or the Space key toggles
// Status, repaints and fires the change event; nothing else fires it, not
// even a paint.
//
// Bitmaps (":/NAME.png", ":/NAME@2x.png"): "REDBUTTON", "BLACKBUTTON" (32x16).

#include "controls/PaintedControl.h"

#include <QtGlobal>

namespace sondrake::controls {

class CheckLed : public PaintedControl {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(bool Status READ Status WRITE setStatus)
    Q_PROPERTY(int Channel READ Channel WRITE setChannel)
public:
    static constexpr int MaxCaptionLength = 32;

    explicit CheckLed(QWidget* parent = nullptr);

    // Properties in their load order: Caption, Status, Channel, OnChange.
    QString Caption() const { return m_caption; }
    void setCaption(const QString& t); // cut to 32 characters; differs: store, paint
    bool Status() const { return m_status; }
    void setStatus(bool b); // differs: store, paint; no change event
    quint8 Channel() const { return m_channel; }
    void setChannel(int c); // c != Channel and 0 <= c <= 15: store only
    // OnChange / setOnChange: see PaintedControl.

    // What a press does: invert Status, paint, fire the change event.
    void toggle();

    bool isChecked() const override { return m_status; }
    QString valueText() const override;

protected:
    void render() override;
    bool firesOnPaint() const override { return false; }
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString m_caption = QStringLiteral("Instrument");
    bool m_status = false;
    quint8 m_channel = 0;
    bool m_brushClear = false; // the first fill is white; later paints leave the bitmap unfilled
};

} // namespace sondrake::controls
