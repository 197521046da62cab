#include "browser/FilesTree.h"

#include "browser/FolderRootsModel.h"
#include "browser/SongListModel.h"

#include <QDragMoveEvent>
#include <QMimeData>

namespace orvane {

TFilesTree::TFilesTree(QWidget* parent)
    : QTreeView(parent) {
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DropOnly);
    setAutoExpandDelay(700); // a folder held under the pointer opens
}

QString TFilesTree::FolderAt(const QPoint& point) const {
    const auto* files = qobject_cast<const FolderRootsModel*>(model());
    const QModelIndex at = indexAt(point);
    if (!files || !at.isValid())
        return {};
    return files->filePath(at);
}

bool TFilesTree::accepts(const QDropEvent* event) const {
    return event->mimeData()->hasFormat(kSongRowsMimeType) && AcceptsSource &&
           AcceptsSource(event->source()) && !FolderAt(event->position().toPoint()).isEmpty();
}

void TFilesTree::dragEnterEvent(QDragEnterEvent* event) {
    // Accepted over the whole tree, so that moves over it arrive; each folder is judged there.
    if (event->mimeData()->hasFormat(kSongRowsMimeType) && AcceptsSource &&
        AcceptsSource(event->source()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void TFilesTree::dragMoveEvent(QDragMoveEvent* event) {
    QTreeView::dragMoveEvent(event); // scrolls and opens folders under the pointer
    if (accepts(event))
        event->acceptProposedAction();
    else
        event->ignore();
}

void TFilesTree::dropEvent(QDropEvent* event) {
    if (!accepts(event)) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    if (OnDropSongs)
        OnDropSongs(FolderAt(event->position().toPoint()), event->source());
}

} // namespace orvane
