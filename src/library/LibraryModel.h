#pragma once

// The library's sounds as a table for a view: name, tags, favourite, first
// seen, source. The model holds the ids of what it shows (a search, or a
// list such as the similar sounds) and reads the rows' texts a page at a
// time as the view asks for them, so 100,000 sounds cost 100,000 ids and no
// more until they are scrolled to.

#include "library/LibraryDatabase.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QTimer>

class QMimeData;

namespace sondrake::library {

class Library;

// A drag of sounds out of the library: their 270-byte dumps back to back.
inline constexpr const char* kSoundMimeType = "application/x-sondrake-sound";
std::vector<SoundDump> soundsFromMime(const QMimeData* mime);

class LibraryModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { NameColumn, TagsColumn, FavouriteColumn, FirstSeenColumn, SourceColumn, ColumnCount };

    explicit LibraryModel(Library& library, QObject* parent = nullptr);

    // Shows the sounds the search text finds; false (the list unchanged)
    // with the reason when the text holds something the search does not
    // understand.
    bool setSearch(const QString& text, QString* error = nullptr);
    // Shows these sounds in this order (similar sounds, duplicates) until the
    // next setSearch().
    void showIds(const QList<qint64>& ids);
    // Reads what is shown again (after the library changed).
    void refresh();

    qint64 idAt(int row) const;
    int rowOf(qint64 id) const;
    const QList<qint64>& ids() const { return m_ids; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    Qt::DropActions supportedDragActions() const override { return Qt::CopyAction; }

private:
    const SoundRow* rowAt(int row) const;
    void reset(QList<qint64> ids);

    Library& m_library;
    SearchQuery m_query;
    bool m_fixedList = false; // showing showIds(), not a search
    SortOrder m_order = SortOrder::Newest;
    QList<qint64> m_ids;
    mutable QHash<int, QList<SoundRow>> m_pages;
    QTimer m_refreshSoon; // folds a burst of changes into one read
};

} // namespace sondrake::library
