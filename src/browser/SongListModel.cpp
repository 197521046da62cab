#include "browser/SongListModel.h"

namespace orvane {

int SongListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(rows_.size());
}

int SongListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant SongListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= int(rows_.size()))
        return {};
    const SongRow& row = rows_[size_t(index.row())];
    switch (index.column()) {
    case SongColumn:
        return row.Title;
    case ArtistColumn:
        return row.Artist;
    case AlbumColumn:
        return row.Album;
    case TimeColumn:
        return row.Duration;
    case YearColumn:
        return row.Year;
    default:
        return {};
    }
}

QVariant SongListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case SongColumn:
        return QStringLiteral("Song");
    case ArtistColumn:
        return QStringLiteral("Artist");
    case AlbumColumn:
        return QStringLiteral("Album");
    case TimeColumn:
        return QStringLiteral("Time");
    case YearColumn:
        return QStringLiteral("Year");
    default:
        return {};
    }
}

void SongListModel::SetRows(SongRows rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

} // namespace orvane
