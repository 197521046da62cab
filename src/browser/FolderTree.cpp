#include "browser/FolderTree.h"

#include "browser/SongListModel.h"

#include <QDropEvent>
#include <QMimeData>

namespace orvane {

TFolderTree::TFolderTree(QWidget* parent)
    : QTreeWidget(parent) {
    setObjectName(QStringLiteral("tvFolders"));
    setAcceptDrops(true);
    setDropIndicatorShown(false);
    setHeaderHidden(true);
    setRootIsDecorated(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
}

QTreeWidgetItem* TFolderTree::TopFolder(QTreeWidgetItem* node) {
    if (!node || !node->parent())
        return nullptr;
    while (node->parent() && node->parent()->parent())
        node = node->parent();
    return node;
}

QList<QTreeWidgetItem*> TFolderTree::NodesInTreeOrder() const {
    QList<QTreeWidgetItem*> nodes;
    for (QTreeWidgetItemIterator it(const_cast<TFolderTree*>(this)); *it; ++it)
        nodes.append(*it);
    return nodes;
}

bool TFolderTree::accepts(const QDropEvent* event) const {
    return event->mimeData()->hasFormat(kSongRowsMimeType) && AcceptsSource &&
           AcceptsSource(event->source());
}

void TFolderTree::dragEnterEvent(QDragEnterEvent* event) {
    if (accepts(event))
        event->acceptProposedAction();
    else
        event->ignore();
}

void TFolderTree::dragMoveEvent(QDragMoveEvent* event) {
    if (accepts(event))
        event->acceptProposedAction();
    else
        event->ignore();
}

void TFolderTree::dropEvent(QDropEvent* event) {
    if (!accepts(event)) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    QTreeWidgetItem* node = itemAt(event->position().toPoint());
    if (OnDropSongs)
        OnDropSongs(node, event->source());
}

} // namespace orvane
