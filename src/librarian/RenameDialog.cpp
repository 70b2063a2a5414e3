#include "librarian/RenameDialog.h"

#include "controls/SoundNameValidator.h"
#include "store/SoundCategories.h"
#include "store/SoundDump.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace sondrake {

const QStringList& RenameDialog::categories()
{
    static const QStringList list = [] {
        QStringList names;
        for (std::string_view category : kSoundCategories)
            names << QString::fromLatin1(category.data(), qsizetype(category.size()));
        return names;
    }();
    return list;
}

RenameDialog::RenameDialog(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TfrmPatchEditSimple"));
    setWindowTitle(tr("Sound Edit"));

    m_categoryList = new QComboBox(this);
    m_categoryList->setObjectName(QStringLiteral("cmbCategory"));
    m_categoryList->setEditable(false);
    m_categoryList->addItems(categories());
    m_categoryList->setCurrentIndex(-1);

    m_nameEdit = new QLineEdit(this);
    m_nameEdit->setObjectName(QStringLiteral("edtName"));
    m_nameEdit->setMaxLength(static_cast<int>(kNameLength));
    m_nameEdit->setValidator(new SoundNameValidator(m_nameEdit));
    m_nameEdit->setMinimumWidth(m_nameEdit->fontMetrics().horizontalAdvance(QLatin1Char('W')) * 12);

    m_okButton = new QPushButton(tr("&Ok"), this);
    m_okButton->setObjectName(QStringLiteral("btnOk"));
    m_okButton->setDefault(true);
    m_okButton->setAutoDefault(true);

    auto* categoryLabel = new QLabel(tr("Category"), this);
    categoryLabel->setBuddy(m_categoryList);
    auto* nameLabel = new QLabel(tr("Name"), this);
    nameLabel->setBuddy(m_nameEdit);

    auto* fields = new QGridLayout;
    fields->addWidget(categoryLabel, 0, 0);
    fields->addWidget(m_categoryList, 0, 1);
    fields->addWidget(nameLabel, 1, 0);
    fields->addWidget(m_nameEdit, 1, 1);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(m_okButton, QDialogButtonBox::AcceptRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(buttons);

    m_nameEdit->setFocus();
}

QString RenameDialog::name() const { return m_nameEdit->text(); }

// Shown as it will be stored: Ok on an unchanged name stores exactly this.
void RenameDialog::setName(const QString& name) { m_nameEdit->setText(SoundNameValidator::storable(name)); }

} // namespace sondrake
