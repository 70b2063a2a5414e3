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
//
// Keyboard, wheel and assistive tools: every control takes the focus by Tab
// and by click. The focus shows as a ring drawn around the control, on its
// parent, so gaining or losing the focus never repaints the control itself:
// a paint fires the change event, and the focus must not send anything. A
// knob or slider steps with the arrow keys (1), Page Up/Down (10), Home and
// End (minimum, maximum) and the wheel (1 per notch); each step that changes the
// value paints once and so fires once, and a step that changes nothing fires
// nothing. Value changes are announced to assistive tools.

#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

class QFocusEvent;
class QKeyEvent;
class QPainter;
class QWheelEvent;

namespace sondrake::controls {

using ChangeHandler = std::function<void(QObject* sender)>;

class PaintedControl : public QWidget {
    Q_OBJECT
public:
    ~PaintedControl() override;

    const ChangeHandler& onChange() const { return m_onChange; }
    void setOnChange(ChangeHandler handler) { m_onChange = std::move(handler); }

    // The off-screen bitmap as last drawn (device pixels at the control's
    // device pixel ratio), and how many times it has been drawn.
    const QImage& bitmap() const { return m_bitmap; }
    int drawCount() const { return m_drawCount; }

    // The caption label (knob and LED; nullptr for the slider). It lives on
    // the control's parent, 14 pixels above the control (higher when its font
    // needs more room), and goes with it.
    QLabel* captionLabel() const { return m_label.data(); }
    // The caption's font; the label keeps its place above the control.
    void setCaptionFont(const QFont& font);
    // Room the caption label takes above the control: text width and height
    // (0 x 0 without a label).
    QSize captionSize() const;

    // What the keys, the wheel and assistive tools move: the knob's or the
    // slider's value within its minimum..maximum. The LED has no range.
    virtual bool hasRange() const { return false; }
    virtual int rangeValue() const { return 0; }
    virtual int rangeMinimum() const { return 0; }
    virtual int rangeMaximum() const { return 0; }
    // The value as the control shows it: "-12", "C5", "Rst"; the LED "On"/"Off".
    virtual QString valueText() const = 0;
    // The LED's state; false for the others.
    virtual bool isChecked() const { return false; }

    // A step as the keys make it: `v` is cut into the range; when that differs
    // from the value the control takes it, paints and fires once. Returns
    // whether the value changed. Does nothing on a control without a range.
    bool stepTo(long long v);

    // The focus ring on the parent, shown while the control has the focus
    // (nullptr without a parent).
    QWidget* focusRing() const { return m_ring.data(); }

signals:
    void changed();

protected:
    PaintedControl(QWidget* parent, QSize size, bool withCaptionLabel);

    // Draws the whole off-screen bitmap (never fires).
    virtual void render() = 0;
    // Takes a value inside the range (knob and slider: setValue).
    virtual void setRangeValue(int) { }
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
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

    // Tells assistive tools about a new value (or LED state), once.
    void announceValue();
    // The value (or state) is the one to compare with from now on; a
    // control's constructor calls it after its first drawing.
    void rememberShownState();

private:
    void syncLabelVisibility();
    QRect captionRect() const;
    void attachFocusRing();
    void placeFocusRing();
    long long shownState() const;

    QSize m_size;
    QImage m_bitmap;
    int m_drawCount = 0;
    bool m_blitPending = false;
    ChangeHandler m_onChange;
    QPointer<QLabel> m_label;
    int m_labelTextWidth = 0;
    QPointer<QWidget> m_ring;
    int m_wheelRemainder = 0; // eighths of a degree not yet stepped
    long long m_announced = 0; // the value assistive tools were last told
};

} // namespace sondrake::controls
