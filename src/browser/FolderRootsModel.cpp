#include "browser/FolderRootsModel.h"

#include "browser/LiteralText.h"

#include <QDir>
#include <QFileIconProvider>

namespace orvane {

struct FolderRootsModel::Node {
    QString Path;
    QString Caption;
    Node* Parent = nullptr;
    int Row = 0;
    bool Listed = false;
    std::vector<std::unique_ptr<Node>> Children;
};

FolderRootsModel::FolderRootsModel(QObject* parent)
    : QAbstractItemModel(parent) {}

FolderRootsModel::~FolderRootsModel() = default;

void FolderRootsModel::SetRoots(const std::vector<FolderRoot>& roots) {
    beginResetModel();
    roots_.clear();
    for (const FolderRoot& root : roots) {
        auto n = std::make_unique<Node>();
        n->Path = root.Path;
        n->Caption = root.Caption;
        n->Row = int(roots_.size());
        roots_.push_back(std::move(n));
    }
    endResetModel();
}

FolderRootsModel::Node* FolderRootsModel::node(const QModelIndex& index) const {
    return index.isValid() ? static_cast<Node*>(index.internalPointer()) : nullptr;
}

QModelIndex FolderRootsModel::indexOf(const Node* n) const {
    return n ? createIndex(n->Row, 0, const_cast<Node*>(n)) : QModelIndex();
}

QModelIndex FolderRootsModel::index(int row, int column, const QModelIndex& parent) const {
    if (column != 0 || row < 0)
        return {};
    const Node* p = node(parent);
    const auto& children = p ? p->Children : roots_;
    if (row >= int(children.size()))
        return {};
    return createIndex(row, 0, children[size_t(row)].get());
}

QModelIndex FolderRootsModel::parent(const QModelIndex& child) const {
    const Node* n = node(child);
    return n ? indexOf(n->Parent) : QModelIndex();
}

int FolderRootsModel::rowCount(const QModelIndex& parent) const {
    const Node* p = node(parent);
    return int(p ? p->Children.size() : roots_.size());
}

int FolderRootsModel::columnCount(const QModelIndex&) const {
    return 1;
}

QVariant FolderRootsModel::data(const QModelIndex& index, int role) const {
    const Node* n = node(index);
    if (!n)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return n->Caption;
    case Qt::ToolTipRole:
        return n->Parent ? QVariant() : QVariant(LiteralToolTip(n->Path)); // a mount's name
    case Qt::DecorationRole: {
        static const QFileIconProvider icons;
        return icons.icon(n->Parent ? QFileIconProvider::Folder
                                    : (n->Path == QDir::rootPath() ? QFileIconProvider::Drive
                                                                   : QFileIconProvider::Folder));
    }
    default:
        return {};
    }
}

bool FolderRootsModel::hasChildren(const QModelIndex& parent) const {
    const Node* n = node(parent);
    // Until a folder is listed it may have sub-folders: the tree offers to open it.
    return !n || !n->Listed || !n->Children.empty();
}

bool FolderRootsModel::canFetchMore(const QModelIndex& parent) const {
    const Node* n = node(parent);
    return n && !n->Listed;
}

void FolderRootsModel::fetchMore(const QModelIndex& parent) {
    Node* n = node(parent);
    if (!n || n->Listed)
        return;
    n->Listed = true;
    const QFileInfoList folders = QDir(n->Path).entryInfoList(
        QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase | QDir::LocaleAware);
    std::vector<std::unique_ptr<Node>> children;
    for (const QFileInfo& folder : folders) {
        const QString path = folder.absoluteFilePath();
        if (IsPseudoFileSystemFolder(path))
            continue;
        auto child = std::make_unique<Node>();
        child->Path = path;
        child->Caption = folder.fileName();
        child->Parent = n;
        child->Row = int(children.size());
        children.push_back(std::move(child));
    }
    if (children.empty()) {
        // No arrow any more for a folder without sub-folders.
        emit dataChanged(parent, parent);
        return;
    }
    beginInsertRows(parent, 0, int(children.size()) - 1);
    n->Children = std::move(children);
    endInsertRows();
}

QString FolderRootsModel::filePath(const QModelIndex& index) const {
    const Node* n = node(index);
    return n ? n->Path : QString();
}

QModelIndex FolderRootsModel::index(const QString& path) {
    const QString clean = QDir::cleanPath(QDir(path).absolutePath());
    // The top-level folder that holds the path most closely.
    Node* at = nullptr;
    for (const auto& root : roots_) {
        const QString prefix = root->Path.endsWith(u'/') ? root->Path : root->Path + u'/';
        if ((clean == root->Path || clean.startsWith(prefix)) &&
            (!at || root->Path.size() > at->Path.size()))
            at = root.get();
    }
    if (!at)
        return {};
    const QStringList steps = clean.mid(at->Path.size()).split(u'/', Qt::SkipEmptyParts);
    for (const QString& step : steps) {
        fetchMore(indexOf(at));
        Node* next = nullptr;
        for (const auto& child : at->Children)
            if (child->Caption == step)
                next = child.get();
        if (!next)
            return {};
        at = next;
    }
    return indexOf(at);
}

} // namespace orvane
