#pragma once

// Common ground of the painted controls (knob, slider, LED button).
//
// Each control draws itself completely into an off-screen bitmap and then
// copies that bitmap to the screen. "Painting" in the controls' own rules
// (setters, mouse) means: draw the bitmap, fire the change event at once
// (knob and slider only), then schedule the copy to the screen. The paint
// that follows that copy request does not draw or fire again. Every other
// paint, the ones the window system asks for (first show, a tab brought to
// the front, uncovering), draws and fires once.
//
// The change event is offered twice: as a handler (`setOnChange`, one
// std::function taking the sender, "assigned" when non-empty) and as the Qt
// signal `changed()`. Both are fired at the same moments.

#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

class QPainter;

namespace sondrake::controls {

using ChangeHandler = std::function<void(QObject* sender)>;

class PaintedControl : public QWidget {
    Q_OBJECT
public:
    ~PaintedControl() override;

    const ChangeHandler& OnChange() const { return m_onChange; }
    void setOnChange(ChangeHandler handler) { m_onChange = std::move(handler); }

    // The off-screen bitmap as last drawn (device pixels at the control's
    // device pixel ratio), and how many times it has been drawn.
    const QImage& bitmap() const { return m_bitmap; }
    int drawCount() const { return m_drawCount; }

    // The caption label (knob and LED; nullptr for the slider). It lives on
    // the control's parent, 14 pixels above the control, and goes with it.
    QLabel* captionLabel() const { return m_label.data(); }

signals:
    void changed();

protected:
    PaintedControl(QWidget* parent, QSize size, bool withCaptionLabel);

    // Draws the whole off-screen bitmap (never fires).
    virtual void render() = 0;
    // Whether a paint fires the change event (knob and slider do).
    virtual bool firesOnPaint() const = 0;

    // Draw, fire when this control fires on paint, bring to the screen.
    void paintNow();
    // Calls the handler and emits changed(). A handler's exception is caught
    // here: a control never lets one escape into the event loop.
    void fireChange();

    // A bitmap of the control's size at the current device pixel ratio,
    // ready for a QPainter with logical coordinates.
    QImage& beginBitmap();
    // At ratios like 1.5 the art is scaled: smoothly, not by dropping pixels.
    static void smoothAtFractionalRatio(QPainter& painter, const QImage& bitmap);

    // Caption label: parent, colour, place and text, each only when it differs.
    void placeCaptionLabel(const QString& text);

    void paintEvent(QPaintEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool event(QEvent* event) override;

private:
    void syncLabelVisibility();

    QSize m_size;
    QImage m_bitmap;
    int m_drawCount = 0;
    bool m_blitPending = false;
    ChangeHandler m_onChange;
    QPointer<QLabel> m_label;
    int m_labelTextWidth = 0;
};

} // namespace sondrake::controls
