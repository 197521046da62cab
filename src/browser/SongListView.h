#pragma once
// The song lists of the main window (lvSelection, lvPlayingSongs): a table view over a
// SongListModel. Every row has the same height (one text line, or two when comments are
// shown), so scrolling and selecting never measure rows; the rows are drawn by
// SongRowDelegate: cell texts at the top left on one line, new songs in bold, and the song's
// comment in blue in the second line. Header clicks sort when the view allows it, each click on
// the same header reversing the order. GUI thread only.

#include "browser/SongListColumns.h"
#include "browser/SongListModel.h"
#include "browser/ViewTable.h"

#include <QStyledItemDelegate>
#include <QTableView>
#include <functional>
#include <vector>

namespace orvane {

class SongRowDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void SetShowComments(bool show) { showComments_ = show; }
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

    // The colour of a comment line on a row that is not selected.
    static QColor CommentColour() { return {0, 0, 255}; }

private:
    bool showComments_ = false;
};

class TSongListView : public QTableView {
    Q_OBJECT
public:
    // Widths of the columns "Song", "Artist", "Album", "Time", "Year".
    static constexpr int kColumnWidths[SongListModel::ColumnCount] = {145, 105, 95, 40, 40};

    explicit TSongListView(const QString& name, QWidget* parent = nullptr);

    SongListModel* Songs() const { return model_; }
    SongListColumns& Columns() const { return *columns_; }

    // Comments in a second line of every row (double row height), or single-height rows.
    void SetShowComments(bool show);
    bool ShowsComments() const { return showComments_; }
    // The height of the text "Wy" in the list's font, and the height of the rows now.
    int TextLineHeight() const;
    int RowHeight() const;

    // Header clicks sort (with arrows), do nothing (rows keep their order), or stay as set.
    void SetSorting(ColumnSorting sorting);
    bool SortingOn() const { return sortingOn_; }
    // The column and order the user chose last; -1 before the first header click.
    int SortColumn() const { return sortColumn_; }
    Qt::SortOrder SortOrder() const { return sortOrder_; }
    // Sorts the rows by the column last chosen, when sorting is on and a column was chosen.
    void Resort();
    // Sorts as a click on the header does (used when the window restores or tests a sort).
    void SortByColumn(int column, Qt::SortOrder order);

    // Selected rows in ascending order.
    std::vector<int> SelectedRows() const;
    bool HasSelectedRow() const;
    // The row of the current index when it is selected, else the first selected row, or -1.
    int FocusedSelectedRow() const;

    // Every key pressed in the list, after the list handled it. Enter on a selected row is
    // taken as a double click on it.
    std::function<void(int key)> OnKeyDown;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void applyRowHeight();

    SongListModel* model_ = nullptr;
    SongRowDelegate* delegate_ = nullptr;
    SongListColumns* columns_ = nullptr;
    bool showComments_ = false;
    bool sortingOn_ = true;
    int sortColumn_ = -1;
    Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
};

} // namespace orvane
