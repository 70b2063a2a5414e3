#include "editor/LocationDialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace sondrake::editor {

LocationDialog::LocationDialog(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TfrmSelectLocation"));
    setWindowTitle(QStringLiteral("Select Location"));
    setModal(true);

    lblBank = new QLabel(QStringLiteral("Bank"), this);
    lblProgram = new QLabel(QStringLiteral("Program"), this);
    cmbBank = new QComboBox(this);
    cmbBank->setObjectName(QStringLiteral("cmbBank"));
    cmbBank->addItem(QStringLiteral("Sound Bank 1"));
    cmbBank->addItem(QStringLiteral("Sound Bank 2"));
    cmbProgram = new QComboBox(this);
    cmbProgram->setObjectName(QStringLiteral("cmbProgram"));
    cmbProgram->setMaxVisibleItems(20);
    for (int p = 1; p <= 100; ++p)
        cmbProgram->addItem(QString::number(p));
    cmbBank->setCurrentIndex(0);
    cmbProgram->setCurrentIndex(0);
    lblBank->setBuddy(cmbBank);
    lblProgram->setBuddy(cmbProgram);

    btnOk = new QPushButton(QStringLiteral("Ok"), this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setAutoDefault(false);
    connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* grid = new QGridLayout;
    grid->addWidget(lblBank, 0, 0);
    grid->addWidget(cmbBank, 1, 0);
    grid->addWidget(lblProgram, 0, 1);
    grid->addWidget(cmbProgram, 1, 1);
    grid->setColumnMinimumWidth(0, 130);
    grid->setColumnMinimumWidth(1, 80);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancel);
    auto* top = new QVBoxLayout(this);
    top->addLayout(grid);
    top->addSpacing(8);
    top->addLayout(buttons);
    setFixedSize(sizeHint());
}

int LocationDialog::bankIndex() const { return cmbBank->currentIndex(); }
int LocationDialog::programIndex() const { return cmbProgram->currentIndex(); }

void LocationDialog::setBankIndex(int index)
{
    if (index >= 0 && index < cmbBank->count())
        cmbBank->setCurrentIndex(index);
}

void LocationDialog::setProgramIndex(int index)
{
    if (index >= 0 && index < cmbProgram->count())
        cmbProgram->setCurrentIndex(index);
}

} // namespace sondrake::editor
