#pragma once
// The folder tree of views (tvFolders). Besides choosing views it takes songs dragged from the
// current song list: the window says which drag sources it accepts and what a drop does.
// GUI thread only.

#include <QTreeWidget>
#include <functional>

namespace orvane {

class TFolderTree : public QTreeWidget {
    Q_OBJECT
public:
    explicit TFolderTree(QWidget* parent = nullptr);

    // True when songs dragged from source may be dropped here.
    std::function<bool(QObject* source)> AcceptsSource;
    // Songs of source dropped on node (null when dropped on empty space).
    std::function<void(QTreeWidgetItem* node, QObject* source)> OnDropSongs;

    // The node and its ancestors up to (not including) the root: the top folder of a node.
    static QTreeWidgetItem* TopFolder(QTreeWidgetItem* node);
    // All nodes in tree order (a node before its children, children in order).
    QList<QTreeWidgetItem*> NodesInTreeOrder() const;

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    bool accepts(const QDropEvent* event) const;
};

} // namespace orvane
