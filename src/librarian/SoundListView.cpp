#include "librarian/SoundListView.h"

#include "library/LibraryModel.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QItemSelection>
#include <QMimeData>
#include <QMouseEvent>

#include <algorithm>
#include <set>

namespace sondrake {

namespace {
    // Our own rows travel under a private type; nothing else can fake one
    // into a drop, because drops are accepted only from this very list.
    const char* const kRowsMimeType = "application/x-sondrake-rows";

    std::set<int> rowsOf(const QItemSelection& selection)
    {
        std::set<int> rows;
        for (const QItemSelectionRange& range : selection)
            for (int r = range.top(); r <= range.bottom(); ++r)
                rows.insert(r);
        return rows;
    }
} // namespace

SoundListView::SoundListView(QWidget* parent)
    : QTableView(parent)
{
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);

    setShowGrid(true);
    setWordWrap(false);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);

    setDragEnabled(true);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDropIndicatorShown(true);
    setDefaultDropAction(Qt::MoveAction);
}

void SoundListView::setModel(QAbstractItemModel* model)
{
    QTableView::setModel(model);
    setColumnWidth(SoundListModel::kNameColumn, 150);
    setColumnWidth(SoundListModel::kChangedColumn, 100);
}

int SoundListView::rowCount() const { return model() ? model()->rowCount() : 0; }

void SoundListView::selectRows(const std::vector<int>& rows)
{
    if (!model())
        return;
    // Deselect first, then select: every row reports its own change, as the
    // owner's selection handler expects.
    clearSelection();
    QItemSelection selection;
    const int lastColumn = model() ? model()->columnCount() - 1 : 0;
    std::vector<int> sorted(rows);
    std::sort(sorted.begin(), sorted.end());
    for (std::size_t i = 0; i < sorted.size();) {
        const int first = sorted[i];
        int last = first;
        ++i;
        while (i < sorted.size() && sorted[i] <= last + 1) {
            last = std::max(last, sorted[i]);
            ++i;
        }
        if (first < 0 || last >= rowCount())
            continue; // a stale row that no longer exists is left out
        selection.select(model()->index(first, 0), model()->index(last, lastColumn));
    }
    if (!selection.isEmpty())
        selectionModel()->select(selection, QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

std::vector<int> SoundListView::selectedRowList() const
{
    std::vector<int> rows;
    if (!selectionModel())
        return rows;
    const auto indexes = selectionModel()->selectedRows();
    rows.reserve(static_cast<std::size_t>(indexes.size()));
    for (const QModelIndex& index : indexes)
        rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

int SoundListView::topVisibleRow() const { return std::max(0, rowAt(0)); }

int SoundListView::visibleRowCount() const
{
    const int height = verticalHeader()->defaultSectionSize();
    return height > 0 ? viewport()->height() / height : 0;
}

void SoundListView::keyboardSearch(const QString& search)
{
    // Qt searches the column of the current cell, and a Ctrl or Shift click
    // on a name makes that the Name column: the letters of the keyboard
    // player would then jump the selection to a sound whose name starts with
    // them, and the next Enter would send that sound instead. The Index
    // column holds digits only, so letters find nothing there.
    const QModelIndex current = currentIndex();
    if (current.isValid() && current.column() != kIndexColumn)
        selectionModel()->setCurrentIndex(model()->index(current.row(), kIndexColumn), QItemSelectionModel::NoUpdate);
    QTableView::keyboardSearch(search);
}

void SoundListView::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected)
{
    QTableView::selectionChanged(selected, deselected);
    for (int row : rowsOf(deselected))
        emit rowSelectionChanged(row, false);
    for (int row : rowsOf(selected))
        emit rowSelectionChanged(row, true);
}

void SoundListView::mousePressEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::RightButton) {
        // The move takes the selection as it is, so the press must not
        // change it (with Ctrl or without).
        setFocus(Qt::MouseFocusReason);
        const int row = rowAt(pos.y());
        event->accept();
        if (row >= 0)
            emit rightPressed(row, event->modifiers().testFlag(Qt::ControlModifier));
        return;
    }
    if (event->button() != Qt::LeftButton) {
        QTableView::mousePressEvent(event);
        return;
    }

    // A press on a row that is already selected (without Shift) leaves the
    // selection to the release, so a drag can carry all selected rows.
    const QModelIndex index = indexAt(pos);
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    const bool deferred = index.isValid() && selectionModel()->isSelected(index)
        && !modifiers.testFlag(Qt::ShiftModifier);
    m_pendingLeftPress = false;
    QTableView::mousePressEvent(event);
    if (deferred) {
        m_pendingLeftPress = true;
        m_pendingModifiers = modifiers;
    } else {
        emit leftPressed(modifiers);
    }
}

void SoundListView::mouseReleaseEvent(QMouseEvent* event)
{
    QTableView::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && m_pendingLeftPress) {
        m_pendingLeftPress = false;
        emit leftPressed(m_pendingModifiers);
    }
}

void SoundListView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        event->accept();
        return;
    }
    QTableView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        emit listDoubleClicked();
}

void SoundListView::startDrag(Qt::DropActions)
{
    // A drag is not a program selection.
    m_pendingLeftPress = false;
    if (selectedRowList().empty())
        return;
    auto* drag = new QDrag(this);
    auto* mime = new QMimeData;
    mime->setData(QString::fromLatin1(kRowsMimeType), QByteArray());
    drag->setMimeData(mime);
    // The table itself never changes on a drop (the owner swaps the sounds
    // in the store and refreshes), so the result is of no interest here.
    drag->exec(Qt::MoveAction, Qt::MoveAction);
}

bool SoundListView::accepts(const QDropEvent* event) const
{
    const QMimeData* mime = event->mimeData();
    if (!mime)
        return false;
    if (event->source() == this)
        return mime->hasFormat(QString::fromLatin1(kRowsMimeType));
    return mime->hasFormat(QString::fromLatin1(library::kSoundMimeType));
}

void SoundListView::dragEnterEvent(QDragEnterEvent* event)
{
    if (accepts(event)) {
        event->setDropAction(event->source() == this ? Qt::MoveAction : Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void SoundListView::dragMoveEvent(QDragMoveEvent* event)
{
    // The base class scrolls near the edges and draws the indicator; the
    // decision whether the drop is wanted is ours.
    QTableView::dragMoveEvent(event);
    const int row = rowAt(event->position().toPoint().y());
    if (accepts(event) && row >= 0) {
        event->setDropAction(event->source() == this ? Qt::MoveAction : Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void SoundListView::dropEvent(QDropEvent* event)
{
    if (!accepts(event)) {
        event->ignore();
        return;
    }
    const int row = rowAt(event->position().toPoint().y());
    if (event->source() != this) {
        // Sounds from the library: copied in, the library keeps them.
        const std::vector<SoundDump> sounds = library::soundsFromMime(event->mimeData());
        event->setDropAction(Qt::CopyAction);
        event->accept();
        setState(QAbstractItemView::NoState);
        viewport()->update();
        if (row >= 0 && !sounds.empty())
            emit soundsDropped(row, sounds);
        return;
    }
    event->setDropAction(Qt::MoveAction);
    event->accept();
    setState(QAbstractItemView::NoState);
    viewport()->update();
    if (row >= 0)
        emit rowDropped(row);
}

} // namespace sondrake
