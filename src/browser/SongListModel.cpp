#include "browser/SongListModel.h"

#include "browser/LiteralText.h"

#include <QApplication>
#include <QCollator>
#include <QMimeData>
#include <QStyle>
#include <QUrl>
#include <algorithm>
#include <numeric>

namespace orvane {

const QString& ColumnText(const SongRow& row, int column) {
    switch (column) {
    case SongListModel::ArtistColumn:
        return row.Artist;
    case SongListModel::AlbumColumn:
        return row.Album;
    case SongListModel::TimeColumn:
        return row.Duration;
    case SongListModel::YearColumn:
        return row.Year;
    default:
        return row.Title;
    }
}

namespace {

QString ShownText(const SongRow& row, int column) {
    const QString& text = ColumnText(row, column);
    return column == SongListModel::YearColumn ? ShownYear(text) : text;
}

} // namespace

int SongListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(rows_.size());
}

int SongListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant SongListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= int(rows_.size()))
        return {};
    const SongRow& row = rows_[size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return ShownText(row, index.column());
    case Qt::ToolTipRole:
        return LiteralToolTip(ShownText(row, index.column()));
    case Qt::FontRole:
        return row.NewFlag == QLatin1String("1") ? boldFont_ : font_;
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignTop);
    case CommentRole:
        return row.Comment;
    case Qt::DecorationRole:
        if (index.row() == playingRow_ && index.column() == SongColumn)
            return QApplication::style()->standardIcon(QStyle::SP_MediaPlay);
        return {};
    case Qt::BackgroundRole:
        if (index.row() == playingRow_) {
            QColor accent = QApplication::palette().color(QPalette::Highlight);
            accent.setAlpha(60);
            return accent;
        }
        return {};
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

void SongListModel::SetRow(int i, SongRow row) {
    rows_[size_t(i)] = std::move(row);
    emit dataChanged(index(i, 0), index(i, ColumnCount - 1));
}

void SongListModel::AppendRow(const SongRow& row) {
    const int at = int(rows_.size());
    source_ = {};
    beginInsertRows({}, at, at);
    rows_.push_back(row);
    ++revision_;
    endInsertRows();
}

void SongListModel::SetPlayingRow(int row) {
    const int before = playingRow_;
    playingRow_ = row;
    for (int changed : {before, row})
        if (changed >= 0 && changed < int(rows_.size()))
            emit dataChanged(index(changed, 0), index(changed, ColumnCount - 1));
}

void SongListModel::SetRows(SongRows rows) {
    beginResetModel();
    playingRow_ = -1;
    rows_ = std::move(rows);
    source_ = {};
    ++revision_;
    endResetModel();
}

SongRows SongListModel::TakeRows() {
    SongRows rows;
    beginResetModel();
    rows.swap(rows_);
    playingRow_ = -1;
    source_ = {};
    ++revision_;
    endResetModel();
    return rows;
}

void SongListModel::RemoveRows(std::vector<int> indices) {
    std::sort(indices.begin(), indices.end(), std::greater<>());
    indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
    // From the last row to the first, a run of neighbouring rows at a time, so that the
    // indices still to come stay valid and a large selection is not removed row by row.
    size_t i = 0;
    while (i < indices.size()) {
        const int last = indices[i];
        int first = last;
        size_t j = i + 1;
        while (j < indices.size() && indices[j] == first - 1)
            first = indices[j++];
        i = j;
        if (first < 0 || last >= int(rows_.size()))
            continue;
        beginRemoveRows({}, first, last);
        rows_.erase(rows_.begin() + first, rows_.begin() + last + 1);
        ++revision_;
        endRemoveRows();
    }
}

Qt::ItemFlags SongListModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid())
        f |= Qt::ItemIsDragEnabled;
    return f;
}

QStringList SongListModel::mimeTypes() const {
    return {kSongRowsMimeType};
}

QMimeData* SongListModel::mimeData(const QModelIndexList& indexes) const {
    // The rows themselves stay in the list; a drop reads the selection of the source list.
    // The paths are given too, for targets outside the program.
    auto* data = new QMimeData;
    QList<QUrl> urls;
    for (const QModelIndex& i : indexes) {
        if (i.column() != 0 || i.row() >= int(rows_.size()))
            continue;
        urls.append(QUrl::fromLocalFile(rows_[size_t(i.row())].Path()));
    }
    data->setData(kSongRowsMimeType, QByteArray::number(urls.size()));
    data->setUrls(urls);
    return data;
}

void SongListModel::SetFont(const QFont& font) {
    font_ = font;
    boldFont_ = font;
    boldFont_.setBold(true);
    if (!rows_.empty())
        emit dataChanged(index(0, 0), index(int(rows_.size()) - 1, ColumnCount - 1),
                         {Qt::FontRole});
}

void SongListModel::sort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= ColumnCount || rows_.size() < 2)
        return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();

    // Sort keys are made once per row, not once per comparison.
    QCollator collator;
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::vector<QCollatorSortKey> keys;
    keys.reserve(rows_.size());
    // Folding the case first makes the order ignore case with every collation back end.
    for (const SongRow& row : rows_)
        keys.push_back(collator.sortKey(ColumnText(row, column).toCaseFolded()));
    std::vector<int> permutation(rows_.size());
    std::iota(permutation.begin(), permutation.end(), 0);
    std::stable_sort(permutation.begin(), permutation.end(), [&](int a, int b) {
        const int c = keys[size_t(a)].compare(keys[size_t(b)]);
        return order == Qt::AscendingOrder ? c < 0 : c > 0;
    });

    SongRows sorted;
    sorted.reserve(rows_.size());
    std::vector<int> newPlace(rows_.size());
    for (size_t i = 0; i < permutation.size(); ++i) {
        sorted.push_back(std::move(rows_[size_t(permutation[i])]));
        newPlace[size_t(permutation[i])] = int(i);
    }
    rows_ = std::move(sorted);

    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& old : before)
        after.push_back(index(newPlace[size_t(old.row())], old.column()));
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

} // namespace orvane
