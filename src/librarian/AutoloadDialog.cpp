#include "librarian/AutoloadDialog.h"

#include "librarian/LibrarianDialogs.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace sondrake {

AutoloadDialog::AutoloadDialog(LibrarianDialogs& dialogs, QWidget* parent)
    : QDialog(parent)
    , m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("TfrmZRSettings"));
    setWindowTitle(tr("Settings"));

    m_autoloadGroup = new QGroupBox(tr("Autoload"), this);
    m_autoloadGroup->setObjectName(QStringLiteral("grpAutoload"));
    m_enableBox = new QCheckBox(tr("Enable"), m_autoloadGroup);
    m_enableBox->setObjectName(QStringLiteral("CheckBox1"));
    m_fileEdit = new QLineEdit(m_autoloadGroup);
    m_fileEdit->setObjectName(QStringLiteral("edtAutoload"));
    m_fileEdit->setMinimumWidth(m_fileEdit->fontMetrics().horizontalAdvance(QLatin1Char('W')) * 24);
    m_browseButton = new QPushButton(QStringLiteral("..."), m_autoloadGroup);
    m_browseButton->setObjectName(QStringLiteral("btnBrowse"));
    m_browseButton->setAutoDefault(false);
    m_browseButton->setFixedWidth(m_browseButton->fontMetrics().horizontalAdvance(QStringLiteral("...")) + 16);
    connect(m_browseButton, &QPushButton::clicked, this, &AutoloadDialog::onBrowse);

    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(m_fileEdit, 1);
    pathRow->addWidget(m_browseButton);
    auto* group = new QVBoxLayout(m_autoloadGroup);
    group->addWidget(m_enableBox);
    group->addLayout(pathRow);

    m_okButton = new QPushButton(tr("&Ok"), this);
    m_okButton->setObjectName(QStringLiteral("btnOk"));
    m_okButton->setDefault(true);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(m_okButton, QDialogButtonBox::AcceptRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_autoloadGroup);
    layout->addWidget(buttons);
}

void AutoloadDialog::setAutoloadFileName(const QString& name)
{
    m_fileEdit->setText(name);
    m_enableBox->setChecked(!name.isEmpty());
}

QString AutoloadDialog::autoloadFileName() const
{
    return m_enableBox->isChecked() ? m_fileEdit->text() : QString();
}

void AutoloadDialog::onBrowse()
{
    const QString path = m_dialogs.openFile(this);
    if (path.isEmpty())
        return;
    m_fileEdit->setText(path);
    m_enableBox->setChecked(true);
}

} // namespace sondrake
