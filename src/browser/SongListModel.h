#pragma once
// The table model behind the song lists (lvSelection, lvPlayingSongs): a plain vector of rows,
// no per-row objects, so that a list of 100,000 songs fills and scrolls at once.

#include "store/SongRows.h"

#include <QAbstractTableModel>

namespace orvane {

class SongListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { SongColumn, ArtistColumn, AlbumColumn, TimeColumn, YearColumn, ColumnCount };

    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    const SongRows& Rows() const { return rows_; }
    const SongRow& Row(int i) const { return rows_[size_t(i)]; }
    void SetRows(SongRows rows);
    void Clear() { SetRows({}); }

private:
    SongRows rows_;
};

} // namespace orvane
