#include "library/LibraryModel.h"

#include "library/Library.h"

#include <QLocale>
#include <QMimeData>

#include <set>

namespace sondrake::library {

namespace {
    constexpr int kPageSize = 128;
    constexpr int kPagesKept = 64;
}

std::vector<SoundDump> soundsFromMime(const QMimeData* mime)
{
    std::vector<SoundDump> out;
    if (!mime)
        return out;
    const QByteArray bytes = mime->data(QString::fromLatin1(kSoundMimeType));
    for (qsizetype at = 0; at + qsizetype(kDumpSize) <= bytes.size(); at += qsizetype(kDumpSize)) {
        SoundDump dump;
        std::copy_n(bytes.constData() + at, kDumpSize, dump.begin());
        out.push_back(dump);
    }
    return out;
}

LibraryModel::LibraryModel(Library& library, QObject* parent)
    : QAbstractTableModel(parent)
    , m_library(library)
{
    m_refreshSoon.setSingleShot(true);
    m_refreshSoon.setInterval(150);
    connect(&m_refreshSoon, &QTimer::timeout, this, &LibraryModel::refresh);
    connect(&library, &Library::changed, &m_refreshSoon, qOverload<>(&QTimer::start));
    connect(&library, &Library::opened, this, &LibraryModel::refresh);
}

bool LibraryModel::setSearch(const QString& text, QString* error)
{
    SearchQuery query = parseSearch(text);
    if (!query.error.isEmpty()) {
        if (error)
            *error = query.error;
        return false;
    }
    m_query = std::move(query);
    m_fixedList = false;
    refresh();
    return true;
}

void LibraryModel::showIds(const QList<qint64>& ids)
{
    m_fixedList = true;
    reset(ids);
}

void LibraryModel::refresh()
{
    LibraryDatabase* db = m_library.reader();
    if (!db) {
        reset({});
        return;
    }
    if (m_fixedList) {
        // Keeps the order; drops what was deleted meanwhile.
        QList<qint64> still;
        for (const SoundRow& row : db->rows(m_ids))
            still << row.id;
        reset(still);
        return;
    }
    reset(db->search(m_query, m_order));
}

void LibraryModel::reset(QList<qint64> ids)
{
    beginResetModel();
    m_ids = std::move(ids);
    m_pages.clear();
    endResetModel();
}

qint64 LibraryModel::idAt(int row) const { return row >= 0 && row < m_ids.size() ? m_ids[row] : 0; }

int LibraryModel::rowOf(qint64 id) const { return int(m_ids.indexOf(id)); }

int LibraryModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(m_ids.size()); }

int LibraryModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

const SoundRow* LibraryModel::rowAt(int row) const
{
    if (row < 0 || row >= m_ids.size())
        return nullptr;
    const int page = row / kPageSize;
    auto it = m_pages.find(page);
    if (it == m_pages.end()) {
        LibraryDatabase* db = m_library.reader();
        if (!db)
            return nullptr;
        if (m_pages.size() >= kPagesKept)
            m_pages.clear();
        const QList<qint64> ids = m_ids.mid(qsizetype(page) * kPageSize, kPageSize);
        QList<SoundRow> rows = db->rows(ids);
        // A sound deleted since the list was read keeps its place, blank,
        // until the next refresh.
        if (rows.size() != ids.size()) {
            QHash<qint64, SoundRow> byId;
            for (const SoundRow& r : rows)
                byId.insert(r.id, r);
            rows.clear();
            for (qint64 id : ids)
                rows.append(byId.value(id, SoundRow { id, {}, {}, false, {}, {} }));
        }
        it = m_pages.insert(page, rows);
    }
    const int at = row % kPageSize;
    return at < it->size() ? &(*it)[at] : nullptr;
}

QVariant LibraryModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const SoundRow* row = rowAt(index.row());
    if (!row)
        return {};
    if (role == Qt::CheckStateRole && index.column() == FavouriteColumn)
        return row->favourite ? Qt::Checked : Qt::Unchecked;
    if (role == Qt::UserRole)
        return row->id;
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole && role != Qt::AccessibleTextRole)
        return {};
    switch (index.column()) {
    case NameColumn:
        return row->name;
    case TagsColumn:
        return row->tags;
    case FavouriteColumn:
        return role == Qt::DisplayRole ? QVariant() : QVariant(row->favourite ? tr("favourite") : tr("not a favourite"));
    case FirstSeenColumn:
        return row->firstSeen.isValid() ? row->firstSeen.toLocalTime().toString(QStringLiteral("yyyy-MM-dd hh:mm")) : QString();
    case SourceColumn:
        return row->source;
    default:
        return {};
    }
}

QVariant LibraryModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case NameColumn:
        return tr("Name");
    case TagsColumn:
        return tr("Tags");
    case FavouriteColumn:
        return tr("Favourite");
    case FirstSeenColumn:
        return tr("First Seen");
    case SourceColumn:
        return tr("Source");
    default:
        return {};
    }
}

Qt::ItemFlags LibraryModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled;
}

void LibraryModel::sort(int column, Qt::SortOrder)
{
    const SortOrder order = column == NameColumn ? SortOrder::Name : SortOrder::Newest;
    if (order == m_order || m_fixedList)
        return;
    m_order = order;
    refresh();
}

QStringList LibraryModel::mimeTypes() const { return { QString::fromLatin1(kSoundMimeType) }; }

QMimeData* LibraryModel::mimeData(const QModelIndexList& indexes) const
{
    LibraryDatabase* db = m_library.reader();
    if (!db)
        return nullptr;
    std::set<int> rows;
    for (const QModelIndex& index : indexes)
        rows.insert(index.row());
    QByteArray bytes;
    for (int row : rows) {
        if (const auto record = db->record(idAt(row))) {
            const SoundDump dump = record->current();
            bytes.append(reinterpret_cast<const char*>(dump.data()), qsizetype(kDumpSize));
        }
    }
    if (bytes.isEmpty())
        return nullptr;
    auto* mime = new QMimeData;
    mime->setData(QString::fromLatin1(kSoundMimeType), bytes);
    return mime;
}

} // namespace sondrake::library
