#include "controls/PaintedControl.h"

#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QtDebug>

#include <cmath>
#include <exception>

namespace sondrake::controls {

namespace {

    constexpr int CaptionGap = 14; // the label's top is this far above the control

    QFont captionFont()
    {
        QFont font;
        font.setPixelSize(10);
        return font;
    }

} // namespace

PaintedControl::PaintedControl(QWidget* parent, QSize size, bool withCaptionLabel)
    : QWidget(parent)
    , m_size(size)
{
    setFixedSize(size);
    // Every pixel comes from the bitmap: nothing behind needs painting first.
    setAttribute(Qt::WA_OpaquePaintEvent);
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
}

void PaintedControl::paintNow()
{
    render();
    ++m_drawCount;
    if (firesOnPaint())
        fireChange();
    // A hidden control gets no paint from update(); its next paint is the
    // window system's and must draw and fire on its own.
    if (isVisible() && updatesEnabled()) {
        m_blitPending = true;
        update();
    }
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
    const QRect place(x() + width() / 2 - m_labelTextWidth / 2, y() - CaptionGap, m_labelTextWidth + 1, CaptionGap);
    if (m_label->geometry() != place)
        m_label->setGeometry(place);
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
        m_label->move(x() + width() / 2 - m_labelTextWidth / 2, y() - CaptionGap);
}

void PaintedControl::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    m_blitPending = false;
}

bool PaintedControl::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::ShowToParent:
    case QEvent::HideToParent:
        syncLabelVisibility();
        break;
    case QEvent::ParentChange:
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
