#include "browser/SongListColumns.h"

#include "browser/SongListView.h"

#include <QHeaderView>

namespace orvane {

namespace {
// A fitted column never takes more than this share of the list's width.
constexpr int kMaxFittedShare = 4;
} // namespace

SongListColumns::SongListColumns(TSongListView& list)
    : QObject(&list)
    , list_(list) {
    QHeaderView* header = list.horizontalHeader();
    header->setSectionResizeMode(SongListModel::SongColumn, QHeaderView::Stretch);
    connect(header, &QHeaderView::sectionResized, this, [this](int column, int, int) {
        if (!resizing_ && column != SongListModel::SongColumn)
            fixed_ = true;
    });
    const auto rowsCame = [this] {
        if (!fixed_ && list_.Songs()->rowCount() > 0)
            fitToTexts();
    };
    connect(list.Songs(), &QAbstractItemModel::modelReset, this, rowsCame);
    connect(list.Songs(), &QAbstractItemModel::rowsInserted, this, rowsCame);
}

void SongListColumns::fitToTexts() {
    // Fitted once: later rows leave the widths alone so that the columns do not jump.
    fixed_ = true;
    resizing_ = true;
    for (int c = SongListModel::SongColumn + 1; c < SongListModel::ColumnCount; ++c) {
        const int widest = std::max(list_.viewport()->width() / kMaxFittedShare,
                                    2 * TSongListView::kColumnWidths[c]);
        list_.resizeColumnToContents(c); // the texts of the rows in view and the caption
        const int fitted = list_.columnWidth(c);
        list_.setColumnWidth(c,
                             std::min(std::max(fitted, TSongListView::kColumnWidths[c]), widest));
    }
    resizing_ = false;
}

std::vector<int> SongListColumns::Widths() const {
    if (!fixed_)
        return {};
    std::vector<int> widths;
    for (int c = SongListModel::SongColumn + 1; c < SongListModel::ColumnCount; ++c)
        widths.push_back(list_.columnWidth(c));
    return widths;
}

void SongListColumns::SetWidths(const std::vector<int>& widths) {
    if (widths.size() != size_t(SongListModel::ColumnCount - 1))
        return;
    for (int width : widths)
        if (width <= 0)
            return;
    resizing_ = true;
    for (size_t i = 0; i < widths.size(); ++i)
        list_.setColumnWidth(int(i) + 1, widths[i]);
    resizing_ = false;
    fixed_ = true;
}

} // namespace orvane
