#include "editor/LocationDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace sondrake::editor {

LocationDialog::LocationDialog(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TfrmSelectLocation"));
    setWindowTitle(tr("Select Location"));
    setModal(true);

    m_bankLabel = new QLabel(tr("Bank"), this);
    m_programLabel = new QLabel(tr("Program"), this);
    m_bankBox = new QComboBox(this);
    m_bankBox->setObjectName(QStringLiteral("cmbBank"));
    m_bankBox->addItem(tr("Sound Bank 1"));
    m_bankBox->addItem(tr("Sound Bank 2"));
    m_programBox = new QComboBox(this);
    m_programBox->setObjectName(QStringLiteral("cmbProgram"));
    m_programBox->setMaxVisibleItems(20);
    for (int p = 1; p <= 100; ++p)
        m_programBox->addItem(QString::number(p));
    m_bankBox->setCurrentIndex(0);
    m_programBox->setCurrentIndex(0);
    m_bankLabel->setBuddy(m_bankBox);
    m_programLabel->setBuddy(m_programBox);

    m_okButton = new QPushButton(tr("Ok"), this);
    m_okButton->setObjectName(QStringLiteral("btnOk"));
    m_okButton->setDefault(true);
    m_cancelButton = new QPushButton(tr("Cancel"), this);
    m_cancelButton->setObjectName(QStringLiteral("btnCancel"));
    m_cancelButton->setAutoDefault(false);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(m_okButton, QDialogButtonBox::AcceptRole);
    buttons->addButton(m_cancelButton, QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* grid = new QGridLayout;
    grid->addWidget(m_bankLabel, 0, 0);
    grid->addWidget(m_bankBox, 1, 0);
    grid->addWidget(m_programLabel, 0, 1);
    grid->addWidget(m_programBox, 1, 1);
    grid->setColumnMinimumWidth(0, 130);
    grid->setColumnMinimumWidth(1, 80);
    auto* top = new QVBoxLayout(this);
    top->addLayout(grid);
    top->addSpacing(8);
    top->addWidget(buttons);
    setFixedSize(sizeHint());
}

int LocationDialog::bankIndex() const { return m_bankBox->currentIndex(); }
int LocationDialog::programIndex() const { return m_programBox->currentIndex(); }

void LocationDialog::setBankIndex(int index)
{
    if (index >= 0 && index < m_bankBox->count())
        m_bankBox->setCurrentIndex(index);
}

void LocationDialog::setProgramIndex(int index)
{
    if (index >= 0 && index < m_programBox->count())
        m_programBox->setCurrentIndex(index);
}

} // namespace sondrake::editor
