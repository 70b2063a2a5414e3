#include "editor/ParameterListDialog.h"

#include "editor/Randomizer.h"
#include "platform/KeyState.h"

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

ParameterListDialog::ParameterListDialog(QWidget* parent)
    : QDialog(parent, Qt::Tool)
{
    setObjectName(QStringLiteral("TfrmParameterListView"));
    setWindowTitle(QStringLiteral("Parameter List View"));
    setModal(true);

    CheckListBox1 = new QListWidget(this);
    CheckListBox1->setObjectName(QStringLiteral("CheckListBox1"));
    CheckListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    CheckListBox1->setUniformItemSizes(true);

    btnSelectAll = smallButton(this, "btnSelectAll", QStringLiteral("Select All"));
    Button2 = smallButton(this, "Button2", QStringLiteral("Invert"));
    Button3 = smallButton(this, "Button3", QStringLiteral("Select to"));
    Button4 = smallButton(this, "Button4", QStringLiteral("Select from"));
    Button1 = new QPushButton(QStringLiteral("Ok"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    layout->addWidget(CheckListBox1, 1);
    auto* tools = new QHBoxLayout;
    tools->setSpacing(3);
    for (QPushButton* b : { btnSelectAll, Button2, Button3, Button4 })
        tools->addWidget(b);
    layout->addLayout(tools);
    layout->addWidget(Button1);
    resize(qMax(sizeHint().width(), 260), 380);

    connect(btnSelectAll, &QPushButton::clicked, this, &ParameterListDialog::onSelectAllValues);
    connect(Button2, &QPushButton::clicked, this, &ParameterListDialog::onInvert);
    connect(Button3, &QPushButton::clicked, this, &ParameterListDialog::onSelectTo);
    connect(Button4, &QPushButton::clicked, this, &ParameterListDialog::onSelectFrom);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);

    // The dialog sees the keys before its controls: Escape must not close it
    // on its press (as a dialog normally does) but on its release.
    platform::KeyState::instance().setWindowKeyHandler(this, [this](QKeyEvent* key) { return onWindowKey(key); });
}

ParameterListDialog::~ParameterListDialog() { platform::KeyState::instance().setWindowKeyHandler(this, {}); }

bool ParameterListDialog::isChecked(int row) const
{
    return CheckListBox1->item(row)->checkState() == Qt::Checked;
}

void ParameterListDialog::setChecked(int row, bool checked)
{
    CheckListBox1->item(row)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

int ParameterListDialog::selectedRow() const
{
    const QList<QListWidgetItem*> selected = CheckListBox1->selectedItems();
    return selected.isEmpty() ? -1 : CheckListBox1->row(selected.first());
}

void ParameterListDialog::onSelectAllValues()
{
    for (int i = 0; i < CheckListBox1->count(); ++i)
        setChecked(i, true);
}

void ParameterListDialog::onInvert()
{
    for (int i = 0; i < CheckListBox1->count(); ++i)
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
    for (int i = selected; i < CheckListBox1->count(); ++i)
        setChecked(i, true);
}

QString ParameterListDialog::checkedText() const
{
    std::vector<bool> checks(std::size_t(CheckListBox1->count()));
    for (int i = 0; i < CheckListBox1->count(); ++i)
        checks[std::size_t(i)] = isChecked(i);
    return allowedFromChecks(checks);
}

void ParameterListDialog::FormCloseQuery() { m_resultText = checkedText(); }

void ParameterListDialog::done(int result)
{
    FormCloseQuery();
    QDialog::done(result);
}

void ParameterListDialog::FormKeyUp(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && !event->isAutoRepeat())
        reject();
}

bool ParameterListDialog::onWindowKey(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Escape || event->type() == QEvent::ShortcutOverride)
        return false;
    if (event->type() == QEvent::KeyRelease)
        FormKeyUp(event);
    return true;
}

void FillParameterList(QListWidget* list, const ParameterEntry& parameter, const QString& allowed)
{
    const QStringList rows = parameterListRows(parameter);
    const std::vector<bool> checks = parameterListChecks(parameter, allowed);
    for (qsizetype i = 0; i < rows.size(); ++i) {
        auto* item = new QListWidgetItem(rows.at(i));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        const bool ticked = std::size_t(i) < checks.size() && checks[std::size_t(i)];
        item->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
        list->addItem(item);
    }
}

} // namespace sondrake::editor
