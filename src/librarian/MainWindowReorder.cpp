// Moving sounds between slots: up/down, to a clicked row, by name, by drag.
#include "librarian/MainWindow.h"

#include "librarian/LibrarianDialogs.h"
#include "librarian/Reorder.h"
#include "librarian/SoundListView.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QPointer>
#include <QScrollBar>

namespace sondrake {

namespace {

// Keeps the moving selection in view: 10 pixels, or one row when the list
// scrolls by rows.
void scrollList(SoundListView* list, int direction)
{
    QScrollBar* bar = list->verticalScrollBar();
    const int step = list->verticalScrollMode() == QAbstractItemView::ScrollPerPixel ? 10 : 1;
    bar->setValue(bar->value() + direction * step);
}

} // namespace

void MainWindow::onMoveUp()
{
    guarded([this] {
        //: A command word, put into "Still sending the selected sounds; %1 again when sending has ended"
        if (!m_moveRunning && !refuseWhileSending(tr("move up"))) {
            const int n = static_cast<int>(selectedRows().size());
            changeStore((n == 1 ? tr("Move 1 sound up") : tr("Move %1 sounds up").arg(n)), [this] { moveUp(true); }, StoreHistory::kMoveUp);
        }
    });
}

void MainWindow::onMoveDown()
{
    guarded([this] {
        //: A command word, put into "Still sending the selected sounds; %1 again when sending has ended"
        if (!m_moveRunning && !refuseWhileSending(tr("move down"))) {
            const int n = static_cast<int>(selectedRows().size());
            changeStore((n == 1 ? tr("Move 1 sound down") : tr("Move %1 sounds down").arg(n)), [this] { moveDown(true); }, StoreHistory::kMoveDown);
        }
    });
}

void MainWindow::moveUp(bool asCommand)
{
    if (asCommand) {
        const std::vector<int> rows = selectedRows();
        if (rows.empty() || rows.front() == 0)
            return;
        const int f = rows.front();
        if (f - m_soundList->topVisibleRow() < m_soundList->visibleRowCount() / 4)
            scrollList(m_soundList, -1);
        collectSelection();
    }
    if (!reorder::moveUp(m_store, m_selectionList))
        return;
    refreshNames(!asCommand);
}

void MainWindow::moveDown(bool asCommand)
{
    if (asCommand) {
        const std::vector<int> rows = selectedRows();
        if (rows.empty() || rows.back() == kSlotCount - 1)
            return;
        const int f = rows.front();
        if (f - m_soundList->topVisibleRow() > m_soundList->visibleRowCount() / 4)
            scrollList(m_soundList, 1);
        collectSelection();
    }
    if (!reorder::moveDown(m_store, m_selectionList))
        return;
    refreshNames(!asCommand);
}

void MainWindow::moveSelectionTo(int target)
{
    //: A command word, put into "Still sending the selected sounds; %1 again when sending has ended"
    if (m_moveRunning || !isValidSlot(target) || refuseWhileSending(tr("move")))
        return;
    collectSelection();
    if (m_selectionList.empty())
        return;
    const int steps = reorder::moveToStepCount(m_selectionList, target);
    QPointer<MainWindow> self(this);
    // The whole stepped move is one step, from the selection of this moment.
    StoreHistory::Change before = m_history->begin(m_selectionList);
    const int n = static_cast<int>(m_selectionList.size());
    const QString text = (n == 1 ? tr("Move 1 sound to %1") : tr("Move %1 sounds to %2").arg(n)).arg(target + 100);
    m_moveRunning = true;
    try {
        for (int i = 0; i < steps; ++i) {
            if (m_selectionList.empty())
                break; // a load emptied the selection while the list repainted
            const int f = m_selectionList.front();
            if (target < f)
                moveUp(false);
            else if (target > f)
                moveDown(false);
            else
                break; // the remaining steps would do nothing
            // Let the list repaint and the keyboard player's timers run; user
            // input that arrives meanwhile cannot start another move.
            QCoreApplication::processEvents(QEventLoop::AllEvents);
            if (!self)
                return; // the window went away while events ran
        }
    } catch (...) {
        m_moveRunning = false;
        m_history->commit(std::move(before), text, m_selectionList);
        throw;
    }
    m_moveRunning = false;
    refreshNames(false);
    m_history->commit(std::move(before), text, m_selectionList);
}

void MainWindow::onListRightPressed(int row, bool ctrlHeld)
{
    // The list leaves its selection alone on a right press, with or without
    // Ctrl, so the move takes the selection of this moment.
    Q_UNUSED(ctrlHeld);
    guarded([this, row] { moveSelectionTo(row); });
}

void MainWindow::onOrderByName()
{
    guarded([this] {
        //: A command word, put into "Still sending the selected sounds; %1 again when sending has ended"
        if (m_moveRunning || refuseWhileSending(tr("order by name")))
            return;
        collectSelection();
        if (m_selectionList.size() < 2
            && m_dialogs.ask(this, tr("Sort all?")) == LibrarianDialogs::Answer::Yes)
            m_soundList->selectAll();
        collectSelection();
        const std::vector<int> positions = m_selectionList;
        changeStore(tr("Order by name"), [&] {
            reorder::sortByName(m_store, positions);
            m_selectionList = positions;
            refreshNames(false);
        });
    });
}

void MainWindow::onRowsDropped(int targetRow)
{
    //: A command word, put into "Still sending the selected sounds; %1 again when sending has ended"
    if (m_moveRunning || !isValidSlot(targetRow) || refuseWhileSending(tr("drop")))
        return;
    // The selection of this moment (not an older remembered one) is what the
    // list shows again after the exchange.
    collectSelection();
    if (m_selectionList.empty())
        return;
    const int from = m_selectionList.front();
    changeStore(tr("Swap %1 and %2").arg(from + 100).arg(targetRow + 100), [&] {
        if (reorder::swapForDrop(m_store, targetRow, from))
            refreshNames(false);
    });
}

} // namespace sondrake
