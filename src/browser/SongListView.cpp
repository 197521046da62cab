#include "browser/SongListView.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>

namespace orvane {

void SongRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const {
    QStyledItemDelegate::paint(painter, option, index);
    if (!showComments_)
        return;
    const QString comment = index.data(SongListModel::CommentRole).toString();
    if (comment.isEmpty())
        return;
    const auto* view = qobject_cast<const QTableView*>(option.widget);
    if (!view)
        return;
    // The comment belongs to the row, not to a cell: each cell draws its part of it.
    const int rowLeft = view->columnViewportPosition(0);
    const int rowRight = view->columnViewportPosition(SongListModel::ColumnCount - 1) +
                         view->columnWidth(SongListModel::ColumnCount - 1);
    QFont font = view->font();
    font.setBold(false);
    const QFontMetrics metrics(font);
    const QRect line(QPoint(rowLeft + 15, option.rect.top() + metrics.height()),
                     QPoint(rowRight - 2, option.rect.bottom() - 1));
    if (line.width() <= 0 || line.height() <= 0)
        return;
    painter->save();
    painter->setClipRect(option.rect);
    painter->setFont(font);
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    painter->setPen(selected ? option.palette.color(QPalette::HighlightedText) : CommentColour());
    // One line is all there is room for: cut at the end with an ellipsis.
    const QString shown = metrics.elidedText(comment, Qt::ElideRight, line.width());
    painter->drawText(line, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, shown);
    painter->restore();
}

TSongListView::TSongListView(const QString& name, QWidget* parent)
    : QTableView(parent) {
    setObjectName(name);
    model_ = new SongListModel(this);
    setModel(model_);
    delegate_ = new SongRowDelegate(this);
    setItemDelegate(delegate_);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setAlternatingRowColors(false);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setDefaultDropAction(Qt::CopyAction);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);

    QFont listFont(QStringLiteral("Arial"));
    listFont.setPixelSize(12);
    setFont(listFont);
    model_->SetFont(listFont);

    QHeaderView* rows = verticalHeader();
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    QHeaderView* columns = horizontalHeader();
    columns->setHighlightSections(false);
    columns->setStretchLastSection(false);
    // The short columns grow where the font's digits would not fit ("00:00", "2024").
    const int digits = QFontMetrics(listFont).horizontalAdvance(QStringLiteral("00:00")) + 10;
    for (int c = 0; c < SongListModel::ColumnCount; ++c)
        setColumnWidth(c, c >= SongListModel::TimeColumn ? std::max(kColumnWidths[c], digits)
                                                         : kColumnWidths[c]);
    columns->setSortIndicator(-1, Qt::AscendingOrder);
    connect(columns, &QHeaderView::sortIndicatorChanged, this,
            [this](int column, Qt::SortOrder order) {
                if (sortingOn_ && column >= 0)
                    SortByColumn(column, order);
            });
    SetSorting(ColumnSorting::HeaderClickToggles);
    applyRowHeight();
    columns_ = new SongListColumns(*this);
}

void TSongListView::SetShowComments(bool show) {
    showComments_ = show;
    delegate_->SetShowComments(show);
    applyRowHeight();
}

int TSongListView::TextLineHeight() const {
    return QFontMetrics(font()).size(Qt::TextSingleLine, QStringLiteral("Wy")).height();
}

int TSongListView::RowHeight() const {
    return TextLineHeight() * (showComments_ ? 2 : 1);
}

void TSongListView::applyRowHeight() {
    QHeaderView* rows = verticalHeader();
    const int height = RowHeight();
    // Every row has this height: the view never asks a row for its size.
    rows->setMinimumSectionSize(height);
    rows->setDefaultSectionSize(height);
    viewport()->update();
}

void TSongListView::SetSorting(ColumnSorting sorting) {
    if (sorting == ColumnSorting::Unchanged)
        return;
    sortingOn_ = sorting == ColumnSorting::HeaderClickToggles;
    QHeaderView* columns = horizontalHeader();
    columns->setSectionsClickable(sortingOn_);
    columns->setSortIndicatorShown(sortingOn_);
}

void TSongListView::SortByColumn(int column, Qt::SortOrder order) {
    if (column < 0 || column >= SongListModel::ColumnCount)
        return;
    sortColumn_ = column;
    sortOrder_ = order;
    QHeaderView* columns = horizontalHeader();
    if (columns->sortIndicatorSection() != column || columns->sortIndicatorOrder() != order) {
        const QSignalBlocker quiet(columns);
        columns->setSortIndicator(column, order);
    }
    model_->sort(column, order);
}

void TSongListView::Resort() {
    if (sortingOn_ && sortColumn_ >= 0)
        model_->sort(sortColumn_, sortOrder_);
}

std::vector<int> TSongListView::SelectedRows() const {
    std::vector<int> rows;
    if (!selectionModel())
        return rows;
    for (const QItemSelectionRange& range : selectionModel()->selection())
        for (int r = range.top(); r <= range.bottom(); ++r)
            rows.push_back(r);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

bool TSongListView::HasSelectedRow() const {
    return selectionModel() && selectionModel()->hasSelection();
}

int TSongListView::FocusedSelectedRow() const {
    if (!HasSelectedRow())
        return -1;
    const QModelIndex current = currentIndex();
    if (current.isValid() && selectionModel()->isRowSelected(current.row(), {}))
        return current.row();
    const std::vector<int> rows = SelectedRows();
    return rows.empty() ? -1 : rows.front();
}

void TSongListView::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && currentIndex().isValid() && HasSelectedRow())
        emit doubleClicked(currentIndex());
    else
        QTableView::keyPressEvent(event);
    if (OnKeyDown)
        OnKeyDown(event->key());
}

} // namespace orvane
