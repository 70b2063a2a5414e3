#include "librarian/LibraryWindow.h"

#include "library/Library.h"
#include "library/LibraryModel.h"
#include "library/SearchQuery.h"
#include "parametermap/ParameterMap.h"
#include "platform/Messages.h"
#include "store/SoundCategories.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QCheckBox>
#include <QGridLayout>
#include <QLocale>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include <exception>

namespace sondrake {

using library::LibraryModel;

namespace {

    // The parameters the details show, in this order: a sound at a glance,
    // and examples of how the search names them.
    constexpr const char* kKeyParameters[] = { "cmbOsc1Forms", "cmbOsc2Forms", "cmbOsc3Forms", "cmbFilterType",
        "KnobFrequency", "KnobResonance", "sldAmpAttack", "sldAmpDecay", "sldAmpSustain", "sldAmpRelease",
        "cmbLfo1Waveform", "ckbArpOn" };

    QString when(const QDateTime& t) { return t.toLocalTime().toString(QStringLiteral("yyyy-MM-dd hh:mm")); }

    QString category(std::string_view c) { return QString::fromLatin1(c.data(), qsizetype(c.size())); }

    bool isCategory(const QString& tag)
    {
        for (std::string_view c : kSoundCategories)
            if (category(c).compare(tag, Qt::CaseInsensitive) == 0)
                return true;
        return false;
    }

    // Runs a command and reports what went wrong in Messages.
    template <typename F>
    void guarded(LibraryWindow* window, const QString& command, F&& f)
    {
        try {
            f();
        } catch (const std::exception& e) {
            emit window->message(QStringLiteral("%1: %2").arg(command, QString::fromLocal8Bit(e.what())));
        }
    }

    QPushButton* button(const QString& text, const char* objectName, QWidget* parent)
    {
        auto* b = new QPushButton(text, parent);
        b->setObjectName(QLatin1String(objectName));
        QString plain = text;
        b->setAccessibleName(plain.remove(QLatin1Char('&')));
        return b;
    }

} // namespace

LibraryWindow::LibraryWindow(library::Library& library, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_library(library)
{
    setObjectName(QStringLiteral("frmSoundLibrary"));
    setWindowTitle(tr("Sound Library"));

    m_search = new QLineEdit(this);
    m_search->setObjectName(QStringLiteral("edtSearch"));
    m_search->setAccessibleName(tr("Search"));
    m_search->setClearButtonEnabled(true);
    // The example is search syntax, which reads the same in every language.
    m_search->setPlaceholderText(
        tr("Name or tag words, or e.g. %1").arg(QStringLiteral("osc1 waveform = SAWTOOTH, filter frequency > 100, fav")));
    m_search->setToolTip(library::searchHelp());
    auto* searchLabel = new QLabel(tr("&Search"), this);
    searchLabel->setBuddy(m_search);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("lblStatus"));
    m_status->setAccessibleName(tr("Status"));
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_model = new LibraryModel(library, this);
    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("tblSounds"));
    m_table->setAccessibleName(tr("Sounds"));
    m_table->setModel(m_model);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_table->setDragEnabled(true);
    m_table->setDragDropMode(QAbstractItemView::DragOnly);
    m_table->setDefaultDropAction(Qt::CopyAction);
    m_table->setSortingEnabled(true);
    m_table->horizontalHeader()->setSortIndicator(LibraryModel::FirstSeenColumn, Qt::DescendingOrder);
    m_table->verticalHeader()->hide();
    // Row heights and column widths fixed: measuring them would read every row.
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    const int em = m_table->fontMetrics().horizontalAdvance(QLatin1Char('M'));
    m_table->setColumnWidth(LibraryModel::NameColumn, em * 12);
    m_table->setColumnWidth(LibraryModel::TagsColumn, em * 9);
    const QFontMetrics header = m_table->horizontalHeader()->fontMetrics();
    m_table->setColumnWidth(LibraryModel::FavouriteColumn, header.horizontalAdvance(m_model->headerData(LibraryModel::FavouriteColumn, Qt::Horizontal).toString()) + em * 2);
    m_table->setColumnWidth(LibraryModel::FirstSeenColumn, m_table->fontMetrics().horizontalAdvance(QStringLiteral("2026-12-31 23:59")) + em);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setWordWrap(false);

    m_name = new QLabel(this);
    m_name->setObjectName(QStringLiteral("lblName"));
    QFont bold = m_name->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    m_name->setFont(bold);
    m_details = new QPlainTextEdit(this);
    m_details->setObjectName(QStringLiteral("memDetails"));
    m_details->setAccessibleName(tr("Details"));
    m_details->setReadOnly(true);
    m_details->setLineWrapMode(QPlainTextEdit::WidgetWidth);

    auto* categories = new QWidget(this);
    categories->setObjectName(QStringLiteral("grpCategories"));
    categories->setAccessibleName(tr("Categories"));
    auto* categoryGrid = new QGridLayout(categories);
    categoryGrid->setContentsMargins(0, 0, 0, 0);
    constexpr int kCategoryColumns = 5;
    int n = 0;
    for (std::string_view c : kSoundCategories) {
        auto* box = new QCheckBox(category(c), categories);
        box->setObjectName(QStringLiteral("ckbTag") + category(c));
        categoryGrid->addWidget(box, n / kCategoryColumns, n % kCategoryColumns);
        connect(box, &QCheckBox::toggled, this, &LibraryWindow::onTagsEdited);
        m_categories.push_back(box);
        ++n;
    }
    m_freeTags = new QLineEdit(this);
    m_freeTags->setObjectName(QStringLiteral("edtTags"));
    m_freeTags->setAccessibleName(tr("Tags"));
    m_freeTags->setPlaceholderText(tr("more tags, separated by commas"));
    m_comment = new QLineEdit(this);
    m_comment->setObjectName(QStringLiteral("edtComment"));
    m_comment->setAccessibleName(tr("Comment"));
    auto* tagsLabel = new QLabel(tr("&Tags"), this);
    tagsLabel->setBuddy(m_categories.front());
    auto* commentLabel = new QLabel(tr("Co&mment"), this);
    commentLabel->setBuddy(m_comment);

    m_send = button(tr("Send to S&ynth"), "btnSendToSynth", this);
    m_put = button(tr("&Put into Slot"), "btnPutIntoSlot", this);
    m_favourite = button(tr("&Favourite"), "btnFavourite", this);
    m_favourite->setCheckable(true);
    m_similar = button(tr("Simi&lar Sounds"), "btnSimilarSounds", this);
    m_duplicates = button(tr("Show D&uplicates"), "btnShowDuplicates", this);
    m_delete = button(tr("&Delete from Library"), "btnDeleteFromLibrary", this);
    m_send->setToolTip(tr("Plays the sound on the synthesizer (its edit buffer); Enter does the same"));
    m_put->setToolTip(tr("Puts the sound into the slot selected in the sound list"));

    // The same commands by keyboard, while the list has the focus.
    auto* deleteKey = new QAction(this);
    deleteKey->setShortcut(QKeySequence::Delete);
    deleteKey->setShortcutContext(Qt::WidgetShortcut);
    m_table->addAction(deleteKey);
    connect(deleteKey, &QAction::triggered, this, &LibraryWindow::onDelete);
    auto* findKey = new QAction(this);
    findKey->setShortcut(QKeySequence::Find);
    addAction(findKey);
    connect(findKey, &QAction::triggered, this, [this] {
        m_search->setFocus();
        m_search->selectAll();
    });
    connect(m_table, &QTableView::activated, this, &LibraryWindow::onSendToSynth);

    auto* top = new QHBoxLayout;
    top->addWidget(searchLabel);
    top->addWidget(m_search, 1);

    auto* detailsBox = new QWidget(this);
    auto* details = new QVBoxLayout(detailsBox);
    details->setContentsMargins(0, 0, 0, 0);
    details->addWidget(m_name);
    details->addWidget(m_details, 1);
    details->addWidget(tagsLabel);
    details->addWidget(categories);
    details->addWidget(m_freeTags);
    details->addWidget(commentLabel);
    details->addWidget(m_comment);

    auto* split = new QSplitter(this);
    split->addWidget(m_table);
    split->addWidget(detailsBox);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    split->setSizes({ em * 52, em * 30 });

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : { m_send, m_put, m_favourite, m_similar, m_duplicates })
        buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(m_delete);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_status);
    layout->addWidget(split, 1);
    layout->addLayout(buttons);
    setTabOrder(m_search, m_table);

    // The list follows the typing once it pauses; Enter searches at once.
    auto* typed = new QTimer(this);
    typed->setSingleShot(true);
    typed->setInterval(300);
    connect(typed, &QTimer::timeout, this, &LibraryWindow::onSearch);
    connect(m_search, &QLineEdit::returnPressed, this, [this, typed] {
        typed->stop();
        onSearch();
    });
    connect(m_search, &QLineEdit::textEdited, typed, qOverload<>(&QTimer::start));
    connect(m_search, &QLineEdit::textChanged, this, [this, typed](const QString& text) {
        if (text.isEmpty()) { // the clear button shows everything again
            typed->stop();
            onSearch();
        }
    });
    connect(m_table->selectionModel(), &QItemSelectionModel::selectionChanged, this, &LibraryWindow::onSelectionChanged);
    connect(m_table->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &LibraryWindow::onSelectionChanged);
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        // The list was read again: the shown sound stays selected where it still is.
        const int row = m_model->rowOf(m_shownId);
        if (row >= 0) {
            // Its details stay as they are: a field being edited keeps its text.
            m_table->selectionModel()->setCurrentIndex(
                m_model->index(row, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        }
        onSelectionChanged();
        if (m_status->property("counting").toBool())
            showCount(QString());
    });
    connect(m_send, &QPushButton::clicked, this, &LibraryWindow::onSendToSynth);
    connect(m_put, &QPushButton::clicked, this, &LibraryWindow::onPutIntoSlot);
    connect(m_favourite, &QPushButton::clicked, this, &LibraryWindow::onFavourite);
    connect(m_similar, &QPushButton::clicked, this, &LibraryWindow::onSimilar);
    connect(m_duplicates, &QPushButton::clicked, this, &LibraryWindow::onDuplicates);
    connect(m_delete, &QPushButton::clicked, this, &LibraryWindow::onDelete);
    connect(m_freeTags, &QLineEdit::editingFinished, this, &LibraryWindow::onTagsEdited);
    connect(m_comment, &QLineEdit::editingFinished, this, &LibraryWindow::onCommentEdited);
    connect(&library, &library::Library::opened, this, &LibraryWindow::onLibraryOpened);

    resize(em * 84, em * 46);
    if (library.isAvailable())
        onLibraryOpened(true, QString());
    else
        onLibraryOpened(false, library.state() == library::Library::State::Off
                ? tr("The sound library is off for this run (Messages says why).")
                : tr("The sound library is opening..."));
}

void LibraryWindow::onLibraryOpened(bool available, const QString& line)
{
    m_search->setEnabled(available);
    m_table->setEnabled(available);
    if (available) {
        m_library.prepareSimilar(); // read while the user looks, not at the first click
        m_model->setSearch(m_search->text());
        showCount(QString());
    } else {
        m_status->setProperty("counting", false);
        m_status->setText(line.isEmpty() ? tr("The sound library is off for this run.") : line);
    }
    setCommandsEnabled();
}

void LibraryWindow::showCount(const QString& what)
{
    const qsizetype n = m_model->rowCount();
    m_status->setProperty("counting", what.isEmpty());
    if (!what.isEmpty()) {
        m_status->setText(what.arg(n));
        return;
    }
    const qint64 all = m_library.reader() ? m_library.reader()->count() : 0;
    const QLocale locale;
    m_status->setText(n == all ? tr("%1 sounds").arg(locale.toString(all))
                               : tr("%1 of %2 sounds").arg(locale.toString(qint64(n)), locale.toString(all)));
}

qint64 LibraryWindow::currentId() const
{
    const QModelIndex current = m_table->selectionModel()->currentIndex();
    return current.isValid() && m_table->selectionModel()->isRowSelected(current.row(), {}) ? m_model->idAt(current.row()) : 0;
}

std::optional<library::SoundRecord> LibraryWindow::currentRecord() const
{
    const qint64 id = currentId();
    library::LibraryDatabase* db = m_library.reader();
    return id && db ? db->record(id) : std::nullopt;
}

void LibraryWindow::setCommandsEnabled()
{
    const bool open = m_library.isAvailable();
    const bool one = open && currentId() != 0;
    for (QWidget* w : std::initializer_list<QWidget*> { m_send, m_put, m_favourite, m_similar, m_freeTags, m_comment })
        w->setEnabled(one);
    for (QCheckBox* box : m_categories)
        box->setEnabled(one);
    m_delete->setEnabled(open && m_table->selectionModel()->hasSelection());
    m_duplicates->setEnabled(open);
}

void LibraryWindow::onSearch()
{
    guarded(this, tr("Search"), [&] {
        QString error;
        if (!m_model->setSearch(m_search->text(), &error)) {
            m_status->setProperty("counting", false);
            m_status->setText(tr("Not understood: %1").arg(error));
            return;
        }
        showCount(QString());
    });
}

void LibraryWindow::onSelectionChanged()
{
    setCommandsEnabled();
    const auto record = currentRecord();
    if (record && record->id == m_shownId)
        return;
    m_loading = true;
    m_shownId = record ? record->id : 0;
    if (!record) {
        m_name->clear();
        m_details->clear();
        for (QCheckBox* box : m_categories)
            box->setChecked(false);
        m_freeTags->clear();
        m_comment->clear();
        m_favourite->setChecked(false);
        m_loading = false;
        return;
    }
    m_name->setText(record->name);
    QStringList lines;
    lines << tr("Names: %1").arg(record->names.join(QStringLiteral(", ")));
    lines << tr("First seen %1, last seen %2").arg(when(record->firstSeen), when(record->lastSeen));
    lines << tr("From:");
    for (const library::SoundSource& s : record->sources)
        lines << (s.times > 1 ? tr("  %1 (%2 times, last %3)").arg(s.text).arg(s.times).arg(when(s.lastSeen))
                              : QStringLiteral("  %1 (%2)").arg(s.text, when(s.firstSeen)));
    lines << QString();
    for (const char* control : kKeyParameters) {
        if (const auto* entry = parametermap::entryForControl(control))
            lines << QStringLiteral("%1 = %2").arg(library::searchName(*entry),
                         library::valueText(*entry, parametermap::readValue(record->dump, *entry)));
    }
    m_details->setPlainText(lines.join(QLatin1Char('\n')));
    QStringList free;
    for (const QString& tag : record->tags)
        if (!isCategory(tag))
            free << tag;
    for (QCheckBox* box : m_categories)
        box->setChecked(record->tags.contains(box->text(), Qt::CaseInsensitive));
    m_freeTags->setText(free.join(QStringLiteral(", ")));
    m_comment->setText(record->comment);
    m_favourite->setChecked(record->favourite);
    m_loading = false;
}

void LibraryWindow::onSendToSynth()
{
    guarded(this, tr("Send to Synth"), [&] {
        if (const auto record = currentRecord())
            emit sendToSynthRequested(record->current());
    });
}

void LibraryWindow::onPutIntoSlot()
{
    guarded(this, tr("Put into Slot"), [&] {
        if (const auto record = currentRecord())
            emit putIntoSlotRequested(record->current());
    });
}

void LibraryWindow::onFavourite()
{
    guarded(this, tr("Favourite"), [&] {
        if (const qint64 id = currentId())
            m_library.setFavourite(id, m_favourite->isChecked());
    });
}

void LibraryWindow::onTagsEdited()
{
    if (m_loading || !m_shownId)
        return;
    guarded(this, tr("Tags"), [&] {
        QStringList tags;
        for (QCheckBox* box : m_categories)
            if (box->isChecked())
                tags << box->text();
        for (const QString& t : m_freeTags->text().split(QLatin1Char(','), Qt::SkipEmptyParts))
            tags << t.trimmed();
        m_library.setTags(m_shownId, tags);
    });
}

void LibraryWindow::onCommentEdited()
{
    if (m_loading || !m_shownId)
        return;
    guarded(this, tr("Comment"), [&] { m_library.setComment(m_shownId, m_comment->text()); });
}

void LibraryWindow::onDelete()
{
    guarded(this, tr("Delete from Library"), [&] {
        QList<qint64> ids;
        for (const QModelIndex& row : m_table->selectionModel()->selectedRows())
            ids << m_model->idAt(row.row());
        if (ids.isEmpty())
            return;
        const QString question = ids.size() == 1
            ? tr("Delete \"%1\" from the library?").arg(m_model->index(m_model->rowOf(ids.first()), 0).data().toString())
            : tr("Delete %1 sounds from the library?").arg(ids.size());
        if (QMessageBox::question(this, tr("Delete from Library"), question, QMessageBox::Yes | QMessageBox::No,
                QMessageBox::No)
            != QMessageBox::Yes)
            return;
        m_library.remove(ids);
    });
}

void LibraryWindow::onSimilar()
{
    guarded(this, tr("Similar Sounds"), [&] {
        const auto record = currentRecord();
        if (!record)
            return;
        QList<qint64> ids { record->id };
        for (const library::Neighbour& n : m_library.similar(record->id, 50))
            ids << n.id;
        m_model->showIds(ids);
        m_status->setProperty("counting", false);
        m_status->setText(tr("\"%1\" and the %2 sounds nearest to it, nearest first").arg(record->name).arg(ids.size() - 1));
    });
}

void LibraryWindow::onDuplicates()
{
    guarded(this, tr("Show Duplicates"), [&] {
        if (library::LibraryDatabase* db = m_library.reader()) {
            m_model->showIds(db->duplicates());
            showCount(tr("%1 sounds stored under more than one name"));
        }
    });
}

} // namespace sondrake
