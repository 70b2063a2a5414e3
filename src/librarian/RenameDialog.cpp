#include "librarian/RenameDialog.h"

#include "store/SoundDump.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace sondrake {

const QStringList& RenameDialog::categories()
{
    static const QStringList list = {
        QStringLiteral("Init"), QStringLiteral("Arp"), QStringLiteral("Atmo"), QStringLiteral("Bass"),
        QStringLiteral("Drum"), QStringLiteral("FX"), QStringLiteral("Keys"), QStringLiteral("Lead"),
        QStringLiteral("Mono"), QStringLiteral("Pad"), QStringLiteral("Perc"), QStringLiteral("Poly"),
        QStringLiteral("Seq"),
    };
    return list;
}

RenameDialog::RenameDialog(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TfrmPatchEditSimple"));
    setWindowTitle(QStringLiteral("Sound Edit"));

    cmbCategory = new QComboBox(this);
    cmbCategory->setObjectName(QStringLiteral("cmbCategory"));
    cmbCategory->setEditable(false);
    cmbCategory->addItems(categories());
    cmbCategory->setCurrentIndex(-1);

    edtName = new QLineEdit(this);
    edtName->setObjectName(QStringLiteral("edtName"));
    edtName->setMaxLength(static_cast<int>(kNameLength));
    edtName->setMinimumWidth(edtName->fontMetrics().horizontalAdvance(QLatin1Char('W')) * 12);

    btnOk = new QPushButton(QStringLiteral("&Ok"), this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setDefault(true);
    btnOk->setAutoDefault(true);
    connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);

    auto* categoryLabel = new QLabel(QStringLiteral("Category"), this);
    categoryLabel->setBuddy(cmbCategory);
    auto* nameLabel = new QLabel(QStringLiteral("Name"), this);
    nameLabel->setBuddy(edtName);

    auto* fields = new QGridLayout;
    fields->addWidget(categoryLabel, 0, 0);
    fields->addWidget(cmbCategory, 0, 1);
    fields->addWidget(nameLabel, 1, 0);
    fields->addWidget(edtName, 1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnOk);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);

    edtName->setFocus();
}

} // namespace sondrake
