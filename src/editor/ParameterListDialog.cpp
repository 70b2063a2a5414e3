#include "editor/ParameterListDialog.h"

#include "editor/Randomizer.h"
#include "platform/KeyState.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace sondrake::editor {

namespace {

    QPushButton* smallButton(QWidget* parent, const char* name, const QString& text)
    {
        auto* b = new QPushButton(text, parent);
        b->setObjectName(QString::fromLatin1(name));
        // Enter means "Ok" wherever the focus is.
        b->setAutoDefault(false);
        return b;
    }

} // namespace

ParameterListDialog::ParameterListDialog(platform::KeyState& keys, QWidget* parent)
    : QDialog(parent, Qt::Tool)
    , m_keys(keys)
{
    setObjectName(QStringLiteral("TfrmParameterListView"));
    setWindowTitle(tr("Parameter List View"));
    setModal(true);

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("CheckListBox1"));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setUniformItemSizes(true);

    m_selectAllButton = smallButton(this, "btnSelectAll", tr("Select All"));
    m_invertButton = smallButton(this, "Button2", tr("Invert"));
    m_selectToButton = smallButton(this, "Button3", tr("Select to"));
    m_selectFromButton = smallButton(this, "Button4", tr("Select from"));
    m_okButton = new QPushButton(tr("Ok"), this);
    m_okButton->setObjectName(QStringLiteral("Button1"));
    m_okButton->setDefault(true);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(m_okButton, QDialogButtonBox::AcceptRole);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    layout->addWidget(m_list, 1);
    auto* tools = new QHBoxLayout;
    tools->setSpacing(3);
    for (QPushButton* b : { m_selectAllButton, m_invertButton, m_selectToButton, m_selectFromButton })
        tools->addWidget(b);
    layout->addLayout(tools);
    layout->addWidget(buttons);
    resize(qMax(sizeHint().width(), 260), 380);

    connect(m_selectAllButton, &QPushButton::clicked, this, &ParameterListDialog::onSelectAllValues);
    connect(m_invertButton, &QPushButton::clicked, this, &ParameterListDialog::onInvert);
    connect(m_selectToButton, &QPushButton::clicked, this, &ParameterListDialog::onSelectTo);
    connect(m_selectFromButton, &QPushButton::clicked, this, &ParameterListDialog::onSelectFrom);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    // The dialog sees the keys before its controls: Escape must not close it
    // on its press (as a dialog normally does) but on its release.
    m_keys.setWindowKeyHandler(this, [this](QKeyEvent* key) { return onWindowKey(key); });
}

ParameterListDialog::~ParameterListDialog() { m_keys.setWindowKeyHandler(this, {}); }

bool ParameterListDialog::isChecked(int row) const { return m_list->item(row)->checkState() == Qt::Checked; }

void ParameterListDialog::setChecked(int row, bool checked)
{
    m_list->item(row)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

int ParameterListDialog::selectedRow() const
{
    const QList<QListWidgetItem*> selected = m_list->selectedItems();
    return selected.isEmpty() ? -1 : m_list->row(selected.first());
}

void ParameterListDialog::onSelectAllValues()
{
    for (int i = 0; i < m_list->count(); ++i)
        setChecked(i, true);
}

void ParameterListDialog::onInvert()
{
    for (int i = 0; i < m_list->count(); ++i)
        setChecked(i, !isChecked(i));
}

void ParameterListDialog::onSelectTo()
{
    const int selected = selectedRow();
    for (int i = 0; i <= selected; ++i)
        setChecked(i, true);
}

void ParameterListDialog::onSelectFrom()
{
    const int selected = selectedRow();
    if (selected < 0)
        return;
    for (int i = selected; i < m_list->count(); ++i)
        setChecked(i, true);
}

QString ParameterListDialog::checkedText() const
{
    std::vector<bool> checks(std::size_t(m_list->count()));
    for (int i = 0; i < m_list->count(); ++i)
        checks[std::size_t(i)] = isChecked(i);
    return allowedFromChecks(checks);
}

void ParameterListDialog::done(int result)
{
    m_resultText = checkedText();
    QDialog::done(result);
}

void ParameterListDialog::onKeyUp(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && !event->isAutoRepeat())
        reject();
}

bool ParameterListDialog::onWindowKey(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Escape || event->type() == QEvent::ShortcutOverride)
        return false;
    if (event->type() == QEvent::KeyRelease)
        onKeyUp(event);
    return true;
}

void ParameterListDialog::fillList(const ParameterEntry& parameter, const QString& allowed)
{
    const QStringList rows = parameterListRows(parameter);
    const std::vector<bool> checks = parameterListChecks(parameter, allowed);
    for (qsizetype i = 0; i < rows.size(); ++i) {
        auto* item = new QListWidgetItem(rows.at(i));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        const bool ticked = std::size_t(i) < checks.size() && checks[std::size_t(i)];
        item->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
        m_list->addItem(item);
    }
}

} // namespace sondrake::editor
