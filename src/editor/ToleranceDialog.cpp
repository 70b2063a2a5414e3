#include "editor/ToleranceDialog.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include <algorithm>

namespace sondrake::editor {

ToleranceDialog::ToleranceDialog(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TfrmCreateSchemaParameters"));
    setWindowTitle(QStringLiteral("Create Schema Parameters"));
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->setSpacing(8);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(6);
    grid->setColumnStretch(1, 1);
    layout->addLayout(grid);

    const auto addTrackBar = [&](int row, const char* name, const char* valueName, const QString& caption,
                                 QSlider*& bar, QLabel*& value) {
        auto* label = new QLabel(caption, this);
        bar = new QSlider(Qt::Horizontal, this);
        bar->setObjectName(QString::fromLatin1(name));
        bar->setRange(0, kMaxTolerance);
        bar->setSingleStep(1);
        bar->setPageStep(1);
        bar->setTickPosition(QSlider::TicksBelow);
        bar->setTickInterval(8);
        bar->setMinimumWidth(260);
        value = new QLabel(this);
        value->setObjectName(QString::fromLatin1(valueName));
        value->setMinimumWidth(value->fontMetrics().horizontalAdvance(QStringLiteral("000")));
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setBuddy(bar);
        grid->addWidget(label, row, 0);
        grid->addWidget(bar, row, 1);
        grid->addWidget(value, row, 2);
        connect(bar, &QSlider::valueChanged, this, &ToleranceDialog::onToleranceChanged);
    };
    addTrackBar(0, "trbComboBoxTolerance", "lblComboBoxTolerance", QStringLiteral("List(Combobox) tolerance"),
        trbComboBoxTolerance, lblComboBoxTolerance);
    addTrackBar(1, "trbOtherKnobTolerance", "lblOtherKnobTolerance", QStringLiteral("Other knobs tolerance"),
        trbOtherKnobTolerance, lblOtherKnobTolerance);
    addTrackBar(2, "trbSemitoneTolerance", "lblSemitoneTolerance", QStringLiteral("Semitone tolerance"),
        trbSemitoneTolerance, lblSemitoneTolerance);
    addTrackBar(3, "trbDetuneTolerance", "lblDetuneTolerance", QStringLiteral("Detune tolerance"),
        trbDetuneTolerance, lblDetuneTolerance);

    lblNote = new QLabel(QStringLiteral("lower value make more similar sounds (small sound family) the higher more "
                                        "different sounds (large sound family)"),
        this);
    lblNote->setObjectName(QStringLiteral("lblNote"));
    lblNote->setWordWrap(true);
    layout->addWidget(lblNote);

    btnCreate = new QPushButton(QStringLiteral("Create"), this);
    btnCreate->setObjectName(QStringLiteral("btnCreate"));
    btnCreate->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnCreate);
    buttons->addWidget(btnCancel);
    layout->addLayout(buttons);
    connect(btnCreate, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);

    onToleranceChanged();
    setFixedSize(sizeHint());
}

SchemaTolerances ToleranceDialog::tolerances() const
{
    return { trbComboBoxTolerance->value(), trbOtherKnobTolerance->value(), trbSemitoneTolerance->value(),
        trbDetuneTolerance->value() };
}

void ToleranceDialog::setTolerances(const SchemaTolerances& t)
{
    const auto cut = [](int v) { return std::clamp(v, 0, kMaxTolerance); };
    trbComboBoxTolerance->setValue(cut(t.comboBox));
    trbOtherKnobTolerance->setValue(cut(t.otherKnobs));
    trbSemitoneTolerance->setValue(cut(t.semitone));
    trbDetuneTolerance->setValue(cut(t.detune));
    onToleranceChanged();
}

void ToleranceDialog::onToleranceChanged()
{
    lblComboBoxTolerance->setText(QString::number(trbComboBoxTolerance->value()));
    lblOtherKnobTolerance->setText(QString::number(trbOtherKnobTolerance->value()));
    lblSemitoneTolerance->setText(QString::number(trbSemitoneTolerance->value()));
    lblDetuneTolerance->setText(QString::number(trbDetuneTolerance->value()));
}

void ToleranceDialog::FormActivate() { onToleranceChanged(); }

void ToleranceDialog::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
    QDialog::changeEvent(event);
}

} // namespace sondrake::editor
