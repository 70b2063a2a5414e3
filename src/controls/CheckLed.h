#pragma once

// On/off button drawn as a lit or dark lamp, with a caption label above it.
// Fixed size 32 x 16. A mouse press (any button) or the Space key toggles
// the state, repaints and fires the change event; nothing else fires it, not
// even a paint.
//
// Bitmaps (":/NAME.png", ":/NAME@2x.png"): "REDBUTTON", "BLACKBUTTON" (32x16).

#include "controls/PaintedControl.h"

#include <QtGlobal>

namespace sondrake::controls {

class CheckLed : public PaintedControl {
    Q_OBJECT
    Q_PROPERTY(QString caption READ caption WRITE setCaption)
    Q_PROPERTY(bool checked READ isChecked WRITE setChecked)
    Q_PROPERTY(int channel READ channel WRITE setChannel)
public:
    static constexpr int kMaxCaptionLength = 32;

    explicit CheckLed(QWidget* parent = nullptr);

    // Properties in their load order: caption, checked, channel, change handler.
    QString caption() const { return m_caption; }
    void setCaption(const QString& t); // cut to 32 characters; differs: store, paint
    bool isChecked() const override { return m_checked; }
    void setChecked(bool b); // differs: store, paint; no change event
    quint8 channel() const { return m_channel; }
    void setChannel(int c); // c != channel() and 0 <= c <= 15: store only
    // onChange / setOnChange: see PaintedControl.

    // What a press does: invert the state, paint, fire the change event.
    void toggle();

    QString valueText() const override;

protected:
    void render() override;
    bool firesOnPaint() const override { return false; }
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString m_caption = QStringLiteral("Instrument");
    bool m_checked = false;
    quint8 m_channel = 0;
    bool m_brushClear = false; // the first fill is white; later paints leave the bitmap unfilled
};

} // namespace sondrake::controls
