#include "editor/ToleranceDialog.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
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
    setWindowTitle(tr("Create Schema Parameters"));
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
    addTrackBar(0, "trbComboBoxTolerance", "lblComboBoxTolerance", tr("List(Combobox) tolerance"),
        m_listToleranceBar, m_listToleranceValue);
    addTrackBar(1, "trbOtherKnobTolerance", "lblOtherKnobTolerance", tr("Other knobs tolerance"),
        m_otherKnobToleranceBar, m_otherKnobToleranceValue);
    addTrackBar(2, "trbSemitoneTolerance", "lblSemitoneTolerance", tr("Semitone tolerance"),
        m_semitoneToleranceBar, m_semitoneToleranceValue);
    addTrackBar(3, "trbDetuneTolerance", "lblDetuneTolerance", tr("Detune tolerance"),
        m_detuneToleranceBar, m_detuneToleranceValue);

    m_noteLabel = new QLabel(
        tr("lower value make more similar sounds (small sound family) the higher more "
           "different sounds (large sound family)"),
        this);
    m_noteLabel->setObjectName(QStringLiteral("lblNote"));
    m_noteLabel->setWordWrap(true);
    layout->addWidget(m_noteLabel);

    m_createButton = new QPushButton(tr("Create"), this);
    m_createButton->setObjectName(QStringLiteral("btnCreate"));
    m_createButton->setDefault(true);
    m_cancelButton = new QPushButton(tr("Cancel"), this);
    m_cancelButton->setObjectName(QStringLiteral("btnCancel"));
    m_cancelButton->setAutoDefault(false);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(m_createButton, QDialogButtonBox::AcceptRole);
    buttons->addButton(m_cancelButton, QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    onToleranceChanged();
    setFixedSize(sizeHint());
}

SchemaTolerances ToleranceDialog::tolerances() const
{
    return { m_listToleranceBar->value(), m_otherKnobToleranceBar->value(), m_semitoneToleranceBar->value(),
        m_detuneToleranceBar->value() };
}

void ToleranceDialog::setTolerances(const SchemaTolerances& t)
{
    const auto cut = [](int v) { return std::clamp(v, 0, kMaxTolerance); };
    m_listToleranceBar->setValue(cut(t.comboBox));
    m_otherKnobToleranceBar->setValue(cut(t.otherKnobs));
    m_semitoneToleranceBar->setValue(cut(t.semitone));
    m_detuneToleranceBar->setValue(cut(t.detune));
    onToleranceChanged();
}

void ToleranceDialog::onToleranceChanged()
{
    m_listToleranceValue->setText(QString::number(m_listToleranceBar->value()));
    m_otherKnobToleranceValue->setText(QString::number(m_otherKnobToleranceBar->value()));
    m_semitoneToleranceValue->setText(QString::number(m_semitoneToleranceBar->value()));
    m_detuneToleranceValue->setText(QString::number(m_detuneToleranceBar->value()));
}

void ToleranceDialog::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        onToleranceChanged();
    QDialog::changeEvent(event);
}

} // namespace sondrake::editor
