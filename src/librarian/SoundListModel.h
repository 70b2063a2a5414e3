#pragma once

// The 200 slots of a SoundStore as a table of Index, Name and Changed. It
// reads the store when a view asks; the owner says which rows changed.

#include "store/SoundStore.h"

#include <QAbstractTableModel>

namespace sondrake {

class SoundListModel : public QAbstractTableModel {
    Q_OBJECT

public:
    static constexpr int kIndexColumn = 0;
    static constexpr int kNameColumn = 1;
    static constexpr int kChangedColumn = 2;

    explicit SoundListModel(const SoundStore& store, QObject* parent = nullptr);

    // Index column text of a row: bank number then the two-digit program.
    static QString indexText(int row);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    void nameChanged(int row);
    void namesChanged();

private:
    const SoundStore& m_store;
};

} // namespace sondrake
