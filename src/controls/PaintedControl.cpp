#include "controls/PaintedControl.h"

#include "controls/ControlAccessibility.h"

#include <QAccessible>
#include <QEvent>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>
#include <QtDebug>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <exception>

namespace sondrake::controls {

namespace {

    constexpr int kCaptionGap = 14; // the label's top is this far above the control

    constexpr int kRingWidth = 2; // the focus ring, outside the control
    constexpr int kWheelNotch = 120; // angle delta of one wheel notch
    constexpr int kPageStep = 10;

    QFont captionFont()
    {
        QFont font;
        font.setPixelSize(10);
        return font;
    }

    // The focus ring: a frame around the control, on the control's parent.
    // Masked to the frame itself, so showing or hiding it never touches the
    // control's pixels and never makes the control paint (and so fire).
    class FocusRing : public QWidget {
    public:
        explicit FocusRing(QWidget* parent)
            : QWidget(parent)
        {
            setObjectName(QStringLiteral("focusRing"));
            setAttribute(Qt::WA_TransparentForMouseEvents);
            setFocusPolicy(Qt::NoFocus);
        }
        void surround(const QRect& control)
        {
            const QRect outer = control.adjusted(-kRingWidth, -kRingWidth, kRingWidth, kRingWidth);
            if (geometry() == outer)
                return;
            setGeometry(outer);
            setMask(QRegion(rect()) - QRegion(rect().adjusted(kRingWidth, kRingWidth, -kRingWidth, -kRingWidth)));
        }

    protected:
        void paintEvent(QPaintEvent*) override
        {
            QPainter p(this);
            p.fillRect(rect(), palette().color(QPalette::Highlight));
        }
    };

    // Before the widget exists, so no query for it can find the plain
    // widget's interface first.
    QWidget* withAccessibility(QWidget* parent)
    {
        installControlAccessibility();
        return parent;
    }

} // namespace

PaintedControl::PaintedControl(QWidget* parent, QSize size, bool withCaptionLabel)
    : QWidget(withAccessibility(parent))
    , m_size(size)
{
    setFixedSize(size);
    // Every pixel comes from the bitmap: nothing behind needs painting first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    // Made before the label, so the label stands above it.
    attachFocusRing();
    if (withCaptionLabel) {
        // Owned by the control, but it sits on the control's parent so that
        // it can stand above the control.
        m_label = new QLabel(parent);
        m_label->setFont(captionFont());
        QPalette palette = m_label->palette();
        palette.setColor(QPalette::WindowText, Qt::black);
        m_label->setPalette(palette);
        m_label->setAttribute(Qt::WA_TransparentForMouseEvents);
        if (!parent)
            m_label->hide();
    }
}

PaintedControl::~PaintedControl()
{
    delete m_label.data();
    delete m_ring.data();
}

void PaintedControl::paintNow()
{
    render();
    ++m_drawCount;
    announceValue();
    if (firesOnPaint())
        fireChange();
    // A hidden control gets no paint from update(), nor does one scrolled out
    // of view; its next paint is the window system's and must draw and fire
    // on its own.
    if (isVisible() && updatesEnabled() && !visibleRegion().isEmpty()) {
        m_blitPending = true;
        update();
    }
}

long long PaintedControl::shownState() const
{
    return hasRange() ? rangeValue() : (isChecked() ? 1 : 0);
}

void PaintedControl::rememberShownState()
{
    m_announced = shownState();
}

void PaintedControl::announceValue()
{
    const long long state = shownState();
    if (state == m_announced)
        return;
    m_announced = state;
    if (hasRange()) {
        QAccessibleValueChangeEvent event(this, int(state));
        QAccessible::updateAccessibility(&event);
    } else {
        QAccessible::State changed;
        changed.checked = true;
        QAccessibleStateChangeEvent event(this, changed);
        QAccessible::updateAccessibility(&event);
    }
}

bool PaintedControl::stepTo(long long v)
{
    if (!hasRange())
        return false;
    const int low = rangeMinimum();
    const int high = rangeMaximum();
    if (low > high)
        return false;
    v = std::clamp<long long>(v, low, high);
    if (v == rangeValue())
        return false;
    setRangeValue(int(v));
    return rangeValue() == v;
}

void PaintedControl::keyPressEvent(QKeyEvent* event)
{
    // Only plain keys: with Ctrl, Alt or Shift they belong to the window.
    if (hasRange() && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        const long long v = rangeValue();
        switch (event->key()) {
        case Qt::Key_Up:
        case Qt::Key_Right:
            stepTo(v + 1);
            return;
        case Qt::Key_Down:
        case Qt::Key_Left:
            stepTo(v - 1);
            return;
        case Qt::Key_PageUp:
            stepTo(v + kPageStep);
            return;
        case Qt::Key_PageDown:
            stepTo(v - kPageStep);
            return;
        case Qt::Key_Home:
            stepTo(rangeMinimum());
            return;
        case Qt::Key_End:
            stepTo(rangeMaximum());
            return;
        default:
            break;
        }
    }
    QWidget::keyPressEvent(event);
}

void PaintedControl::wheelEvent(QWheelEvent* event)
{
    int delta = event->angleDelta().y();
    if (!hasRange() || delta == 0) {
        QWidget::wheelEvent(event);
        return;
    }
    // The value follows the wheel's turn, also where the system reverses
    // scrolling.
    if (event->inverted())
        delta = -delta;
    // Fine-grained wheels and touchpads report parts of a notch.
    m_wheelRemainder += delta;
    const int notches = m_wheelRemainder / kWheelNotch;
    m_wheelRemainder -= notches * kWheelNotch;
    bool moved = notches == 0;
    for (int i = 0; i < std::abs(notches); ++i)
        moved = stepTo(static_cast<long long>(rangeValue()) + (notches > 0 ? 1 : -1)) || moved;
    if (moved) {
        event->accept();
    } else {
        // At the end of the range the wheel scrolls the page instead.
        m_wheelRemainder = 0;
        event->ignore();
    }
}

void PaintedControl::focusInEvent(QFocusEvent*)
{
    // No QWidget::focusInEvent: it repaints the control, and a paint fires.
    placeFocusRing();
}

void PaintedControl::focusOutEvent(QFocusEvent*)
{
    if (m_ring)
        m_ring->hide();
}

void PaintedControl::attachFocusRing()
{
    // Restacking a widget repaints what lies beneath it, this control
    // included: the ring is made (or moved) once, never lowered.
    QWidget* parent = parentWidget();
    if (!parent) {
        delete m_ring.data();
        return;
    }
    if (!m_ring)
        m_ring = new FocusRing(parent);
    else if (m_ring->parentWidget() != parent)
        m_ring->setParent(parent);
    m_ring->hide();
    placeFocusRing();
}

void PaintedControl::placeFocusRing()
{
    if (!m_ring)
        return;
    if (!hasFocus()) {
        m_ring->hide();
        return;
    }
    static_cast<FocusRing*>(m_ring.data())->surround(geometry());
    m_ring->show();
}

void PaintedControl::fireChange()
{
    try {
        if (m_onChange)
            m_onChange(this);
    } catch (const std::exception& e) {
        qWarning("change handler failed: %s", e.what());
    } catch (...) {
        qWarning("change handler failed");
    }
    emit changed();
}

QImage& PaintedControl::beginBitmap()
{
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(m_size) * ratio).toSize();
    if (m_bitmap.size() != pixels || m_bitmap.devicePixelRatio() != ratio) {
        m_bitmap = QImage(pixels, QImage::Format_RGB32);
        m_bitmap.setDevicePixelRatio(ratio);
        m_bitmap.fill(Qt::white);
    }
    return m_bitmap;
}

void PaintedControl::smoothAtFractionalRatio(QPainter& painter, const QImage& bitmap)
{
    const qreal ratio = bitmap.devicePixelRatio();
    if (ratio != std::floor(ratio))
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
}

void PaintedControl::placeCaptionLabel(const QString& text)
{
    if (!m_label)
        return;
    QWidget* parent = parentWidget();
    if (m_label->parentWidget() != parent) {
        m_label->setParent(parent);
        syncLabelVisibility();
    }
    if (m_label->text() != text) {
        m_label->setText(text);
        m_labelTextWidth = QFontMetrics(m_label->font()).horizontalAdvance(text);
    }
    const QRect place = captionRect();
    if (m_label->geometry() != place)
        m_label->setGeometry(place);
}

QRect PaintedControl::captionRect() const
{
    // 14 pixels hold the usual small caption; a larger font gets its full
    // height, so no caption is ever cut.
    const int height = std::max(kCaptionGap, QFontMetrics(m_label->font()).height());
    return { x() + width() / 2 - m_labelTextWidth / 2, y() - height, m_labelTextWidth + 1, height };
}

void PaintedControl::setCaptionFont(const QFont& font)
{
    if (!m_label || m_label->font() == font)
        return;
    m_label->setFont(font);
    m_labelTextWidth = QFontMetrics(font).horizontalAdvance(m_label->text());
    if (m_label->parentWidget() == parentWidget())
        m_label->setGeometry(captionRect());
}

QSize PaintedControl::captionSize() const
{
    if (!m_label)
        return { 0, 0 };
    return captionRect().size();
}

void PaintedControl::syncLabelVisibility()
{
    if (!m_label)
        return;
    const bool show = parentWidget() != nullptr && !isHidden();
    if (m_label->isHidden() == show)
        m_label->setVisible(show);
}

void PaintedControl::paintEvent(QPaintEvent*)
{
    if (m_blitPending) {
        // The copy a control's own paint asked for: already drawn and fired.
        m_blitPending = false;
    } else {
        render();
        ++m_drawCount;
        if (firesOnPaint())
            fireChange();
    }
    // A handler fired above may have drawn again and asked for one more copy;
    // that copy stays pending and will not fire a second time.
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), m_bitmap);
}

void PaintedControl::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    if (m_label && m_label->parentWidget() == parentWidget())
        m_label->move(captionRect().topLeft());
    if (m_ring && m_ring->isVisible())
        placeFocusRing();
}

void PaintedControl::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    m_blitPending = false;
    if (m_ring)
        m_ring->hide();
}

bool PaintedControl::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::ShowToParent:
    case QEvent::HideToParent:
        syncLabelVisibility();
        break;
    case QEvent::ParentChange:
        attachFocusRing();
        if (m_label) {
            m_label->setParent(parentWidget());
            syncLabelVisibility();
        }
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

} // namespace sondrake::controls
