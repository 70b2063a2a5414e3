#include "librarian/AutoloadDialog.h"

#include "librarian/LibrarianDialogs.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace sondrake {

AutoloadDialog::AutoloadDialog(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TfrmZRSettings"));
    setWindowTitle(QStringLiteral("Settings"));

    grpAutoload = new QGroupBox(QStringLiteral("Autoload"), this);
    grpAutoload->setObjectName(QStringLiteral("grpAutoload"));
    CheckBox1 = new QCheckBox(QStringLiteral("Enable"), grpAutoload);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    edtAutoload = new QLineEdit(grpAutoload);
    edtAutoload->setObjectName(QStringLiteral("edtAutoload"));
    edtAutoload->setMinimumWidth(edtAutoload->fontMetrics().horizontalAdvance(QLatin1Char('W')) * 24);
    btnBrowse = new QPushButton(QStringLiteral("..."), grpAutoload);
    btnBrowse->setObjectName(QStringLiteral("btnBrowse"));
    btnBrowse->setAutoDefault(false);
    btnBrowse->setFixedWidth(btnBrowse->fontMetrics().horizontalAdvance(QStringLiteral("...")) + 16);
    connect(btnBrowse, &QPushButton::clicked, this, &AutoloadDialog::onBrowse);

    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(edtAutoload, 1);
    pathRow->addWidget(btnBrowse);
    auto* group = new QVBoxLayout(grpAutoload);
    group->addWidget(CheckBox1);
    group->addLayout(pathRow);

    btnOk = new QPushButton(QStringLiteral("&Ok"), this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setDefault(true);
    connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnOk);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grpAutoload);
    layout->addLayout(buttons);
}

void AutoloadDialog::setAutoloadFileName(const QString& name)
{
    edtAutoload->setText(name);
    CheckBox1->setChecked(!name.isEmpty());
}

QString AutoloadDialog::autoloadFileName() const
{
    return CheckBox1->isChecked() ? edtAutoload->text() : QString();
}

void AutoloadDialog::onBrowse()
{
    const QString path = librarianDialogs().openFile(this);
    if (path.isEmpty())
        return;
    edtAutoload->setText(path);
    CheckBox1->setChecked(true);
}

} // namespace sondrake
