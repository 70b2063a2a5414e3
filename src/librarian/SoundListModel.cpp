#include "librarian/SoundListModel.h"

namespace sondrake {

SoundListModel::SoundListModel(const SoundStore& store, QObject* parent)
    : QAbstractTableModel(parent)
    , m_store(store)
{
}

QString SoundListModel::indexText(int row) { return QString::number((row / 100 + 1) * 100 + row % 100); }

int SoundListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kSlotCount; }

int SoundListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 3; }

QVariant SoundListModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= kSlotCount)
        return {};
    switch (index.column()) {
    case kIndexColumn:
        return indexText(index.row());
    case kNameColumn: {
        // Names are bytes of the sound; Latin-1 shows every byte as one character.
        const std::string name = m_store.getSoundName(index.row());
        return QString::fromLatin1(name.data(), qsizetype(name.size()));
    }
    case kChangedColumn:
        return QString();
    }
    return {};
}

QVariant SoundListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case kIndexColumn:
        return tr("Index");
    case kNameColumn:
        return tr("Name");
    case kChangedColumn:
        return tr("Changed");
    }
    return {};
}

Qt::ItemFlags SoundListModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsDragEnabled;
}

void SoundListModel::nameChanged(int row)
{
    if (row < 0 || row >= kSlotCount)
        return;
    const QModelIndex cell = index(row, kNameColumn);
    emit dataChanged(cell, cell, { Qt::DisplayRole });
}

void SoundListModel::namesChanged()
{
    emit dataChanged(index(0, kNameColumn), index(kSlotCount - 1, kNameColumn), { Qt::DisplayRole });
}

} // namespace sondrake
