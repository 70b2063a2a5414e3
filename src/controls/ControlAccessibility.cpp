#include "controls/ControlAccessibility.h"

#include "controls/CheckLed.h"
#include "controls/Knob.h"
#include "controls/Slider.h"

#include <QAccessibleWidget>
#include <QLabel>

#include <algorithm>
#include <cmath>

namespace sondrake::controls {

namespace {

    class PaintedControlAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
    public:
        PaintedControlAccessible(PaintedControl* control, QAccessible::Role role)
            : QAccessibleWidget(control, role)
        {
        }

        PaintedControl* control() const { return static_cast<PaintedControl*>(widget()); }

        QString text(QAccessible::Text t) const override
        {
            switch (t) {
            case QAccessible::Name: {
                const QString name = widget()->accessibleName();
                if (!name.isEmpty())
                    return name;
                const QLabel* caption = control()->captionLabel();
                return caption ? caption->text() : QString();
            }
            case QAccessible::Description: {
                const QString description = widget()->accessibleDescription();
                return description.isEmpty() ? control()->valueText() : description;
            }
            case QAccessible::Value:
                return control()->hasRange() ? control()->valueText() : QString();
            default:
                return QAccessibleWidget::text(t);
            }
        }

        QAccessible::State state() const override
        {
            QAccessible::State s = QAccessibleWidget::state();
            if (role() == QAccessible::CheckBox) {
                s.checkable = true;
                s.checked = control()->isChecked();
            }
            return s;
        }

        void* interface_cast(QAccessible::InterfaceType t) override
        {
            if (t == QAccessible::ValueInterface && control()->hasRange())
                return static_cast<QAccessibleValueInterface*>(this);
            return QAccessibleWidget::interface_cast(t);
        }

        // actions: step up and down, or toggle the LED
        QStringList actionNames() const override
        {
            QStringList names;
            if (control()->hasRange())
                names << increaseAction() << decreaseAction();
            else if (role() == QAccessible::CheckBox)
                names << toggleAction() << pressAction();
            return names + QAccessibleWidget::actionNames();
        }

        void doAction(const QString& name) override
        {
            if (!widget()->isEnabled())
                return;
            PaintedControl* c = control();
            if (c->hasRange() && name == increaseAction())
                c->stepTo(static_cast<long long>(c->rangeValue()) + 1);
            else if (c->hasRange() && name == decreaseAction())
                c->stepTo(static_cast<long long>(c->rangeValue()) - 1);
            else if (auto* led = qobject_cast<CheckLed*>(c); led && (name == toggleAction() || name == pressAction()))
                led->toggle();
            else
                QAccessibleWidget::doAction(name);
        }

        QStringList keyBindingsForAction(const QString& name) const override
        {
            if (control()->hasRange() && name == increaseAction())
                return { QStringLiteral("Up") };
            if (control()->hasRange() && name == decreaseAction())
                return { QStringLiteral("Down") };
            if (name == toggleAction() || name == pressAction())
                return { QStringLiteral("Space") };
            return QAccessibleWidget::keyBindingsForAction(name);
        }

        // value
        QVariant currentValue() const override { return control()->rangeValue(); }
        void setCurrentValue(const QVariant& value) override
        {
            bool ok = false;
            const double v = value.toDouble(&ok);
            if (!ok || !std::isfinite(v) || !widget()->isEnabled())
                return;
            // Far outside any range is simply the nearest end.
            control()->stepTo(static_cast<long long>(std::clamp(std::round(v), -1e9, 1e9)));
        }
        QVariant maximumValue() const override { return control()->rangeMaximum(); }
        QVariant minimumValue() const override { return control()->rangeMinimum(); }
        QVariant minimumStepSize() const override { return 1; }
    };

    // The focus ring is drawing only: nothing a screen reader should list.
    class FocusRingAccessible : public QAccessibleWidget {
    public:
        explicit FocusRingAccessible(QWidget* ring)
            : QAccessibleWidget(ring, QAccessible::Border)
        {
        }
        QAccessible::State state() const override
        {
            QAccessible::State s = QAccessibleWidget::state();
            s.invisible = true;
            return s;
        }
    };

    QAccessibleInterface* controlInterface(const QString&, QObject* object)
    {
        if (!object || !object->isWidgetType())
            return nullptr;
        if (auto* knob = qobject_cast<Knob*>(object))
            return new PaintedControlAccessible(knob, QAccessible::Dial);
        if (auto* slider = qobject_cast<Slider*>(object))
            return new PaintedControlAccessible(slider, QAccessible::Slider);
        if (auto* led = qobject_cast<CheckLed*>(object))
            return new PaintedControlAccessible(led, QAccessible::CheckBox);
        if (object->metaObject() == &QWidget::staticMetaObject && object->objectName() == QLatin1String("focusRing"))
            return new FocusRingAccessible(static_cast<QWidget*>(object));
        return nullptr;
    }

} // namespace

void installControlAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(&controlInterface);
        return true;
    }();
    (void)installed;
}

} // namespace sondrake::controls
