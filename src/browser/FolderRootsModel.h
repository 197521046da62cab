#pragma once
// The model of the disk-folder tree: the folders of FolderRoots at the top, each with its
// sub-folders below, listed when the tree first opens a folder (pseudo file systems left out).
// GUI thread only.

#include "browser/FolderRoots.h"

#include <QAbstractItemModel>
#include <memory>
#include <vector>

namespace orvane {

class FolderRootsModel : public QAbstractItemModel {
    Q_OBJECT
public:
    explicit FolderRootsModel(QObject* parent = nullptr);
    ~FolderRootsModel() override;

    // Shows these folders at the top; everything listed before is forgotten.
    void SetRoots(const std::vector<FolderRoot>& roots);
    // The node of a folder under the top-level folder that holds it most closely, listing the
    // folders on the way; invalid when no top-level folder holds it or it is not listed there.
    QModelIndex index(const QString& path);
    QString filePath(const QModelIndex& index) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

private:
    struct Node;
    Node* node(const QModelIndex& index) const;
    QModelIndex indexOf(const Node* node) const;

    std::vector<std::unique_ptr<Node>> roots_;
};

} // namespace orvane
