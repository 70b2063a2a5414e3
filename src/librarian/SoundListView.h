#pragma once

// The sound list: a report-style view of the 200 slots of a SoundListModel
// with whole-row, extended selection and no in-place editing.
// It reports what the main window needs as signals:
//  - every row that becomes selected or deselected (deselections first, so
//    the last event of a plain click is the selection of the clicked row);
//  - a left press, once the press has been applied to the selection (Qt
//    applies a press on an already selected row only at the release, so the
//    signal waits for it then);
//  - a right press over a row, without touching the selection;
//  - a double click anywhere in the list;
//  - a drop of its own rows onto a row, and a drop of sounds dragged out of
//    the sound library onto a row. Other drags are refused, and a drop never
//    changes the table itself: the owner swaps or writes the sounds.

#include "librarian/SoundListModel.h"

#include <QTableView>

#include <vector>

namespace sondrake {

class SoundListView : public QTableView {
    Q_OBJECT

public:
    static constexpr int kIndexColumn = SoundListModel::kIndexColumn;
    static constexpr int kNameColumn = SoundListModel::kNameColumn;

    explicit SoundListView(QWidget* parent = nullptr);

    // Sets the model and the widths of its columns.
    void setModel(QAbstractItemModel* model) override;

    // Selects exactly these rows (and nothing else) in one selection change.
    void selectRows(const std::vector<int>& rows);
    // Ascending rows that are selected.
    std::vector<int> selectedRowList() const;
    int topVisibleRow() const;
    int rowCount() const;
    int visibleRowCount() const;

    // Type-ahead goes by the Index column only.
    void keyboardSearch(const QString& search) override;

signals:
    void rowSelectionChanged(int row, bool selected);
    void leftPressed(Qt::KeyboardModifiers modifiers);
    void rightPressed(int row, bool ctrlHeld);
    void listDoubleClicked();
    void rowDropped(int targetRow);
    void soundsDropped(int targetRow, const std::vector<sondrake::SoundDump>& sounds);

protected:
    void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // What a drag carries that this list takes: its own rows, or sounds.
    bool accepts(const QDropEvent* event) const;
    bool m_pendingLeftPress = false;
    Qt::KeyboardModifiers m_pendingModifiers;
};

} // namespace sondrake
