#pragma once
// The table model behind the song lists (lvSelection, lvPlayingSongs): a plain vector of rows,
// no per-row objects, so that a list of 100,000 songs fills, sorts and scrolls at once.
// GUI thread only.

#include "store/SongRows.h"

#include <QAbstractTableModel>
#include <QFont>

namespace orvane {

// Rows dragged from a song list of the main window.
inline const QString kSongRowsMimeType = QStringLiteral("application/x-orvane-song-rows");

class SongListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { SongColumn, ArtistColumn, AlbumColumn, TimeColumn, YearColumn, ColumnCount };
    // The row's comment (sub-value 5), drawn in the second line of a double-height row.
    static constexpr int CommentRole = Qt::UserRole + 1;

    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    // Stable sort by the column's text; the rows behind the selection move with it.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    const SongRows& Rows() const { return rows_; }
    const SongRow& Row(int i) const { return rows_[size_t(i)]; }
    void SetRows(SongRows rows);
    void Clear() { SetRows({}); }
    // Empties the list as Clear does and hands its rows over, for a search that writes its
    // hits over them and gives them back with SetRows: the rows' memory is used again instead
    // of being freed and allocated anew.
    SongRows TakeRows();
    // Replaces the texts of row i where it stands (a tag was written).
    void SetRow(int i, SongRow row);
    // Adds one row at the end (the playing songs grow a song at a time).
    void AppendRow(const SongRow& row);
    // The playlist or favourites file the rows were read from, with the folder its relative
    // entries are resolved against: what a removal edits. SetRows, Clear and AppendRow forget
    // it (the rows then come from elsewhere); sorting and RemoveRows keep it.
    struct FileSource {
        QString File; // empty: no file stands behind the rows
        QString BaseFolder;
    };
    void SetSource(FileSource source) { source_ = std::move(source); }
    const FileSource& Source() const { return source_; }
    // Counts every change of the set of rows (not of their order), so that what is computed
    // from the rows can be kept until they change.
    quint64 Revision() const { return revision_; }
    // Removes the rows at the given indices (any order, duplicates allowed).
    void RemoveRows(std::vector<int> indices);

    // The row that plays, drawn with a play icon on a tint of the selection colour; -1 for
    // none. A new set of rows has none.
    void SetPlayingRow(int row);
    int PlayingRow() const { return playingRow_; }

    // The font of the rows; songs new in this run are drawn in its bold form.
    void SetFont(const QFont& font);
    const QFont& Font() const { return font_; }

private:
    SongRows rows_;
    FileSource source_;
    quint64 revision_ = 0;
    int playingRow_ = -1;
    QFont font_;
    QFont boldFont_;
};

// The text of a column of a row, as the list shows and sorts it.
const QString& ColumnText(const SongRow& row, int column);

} // namespace orvane
