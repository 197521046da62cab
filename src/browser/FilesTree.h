#pragma once
// The disk-folder tree (tvFiles). Besides choosing a folder to show, it takes songs dragged
// from the current song list onto one of its folders: the window says which drag sources it
// accepts and what a drop does. GUI thread only.

#include <QTreeView>
#include <functional>

namespace orvane {

class TFilesTree : public QTreeView {
    Q_OBJECT
public:
    explicit TFilesTree(QWidget* parent = nullptr);

    // True when songs dragged from source may be dropped here.
    std::function<bool(QObject* source)> AcceptsSource;
    // Songs from source were dropped on folder.
    std::function<void(const QString& folder, QObject* source)> OnDropSongs;

    // The folder shown at a point of the viewport; empty where there is none.
    QString FolderAt(const QPoint& point) const;

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    bool accepts(const QDropEvent* event) const;
};

} // namespace orvane
