#include "playlists/TfrmNewPlaylist.h"

#include "platform/DirectoryWalk.h"
#include "platform/Paths.h"
#include "playlists/NewPlaylistName.h"

#include <QHBoxLayout>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace orvane {

TfrmNewPlaylist::TfrmNewPlaylist(const QString& mp3Base, Prompts& prompts, QWidget* parent)
    : QDialog(parent)
    , mp3Base_(WithTrailingSeparator(mp3Base))
    , prompts_(prompts) {
    setObjectName(QStringLiteral("frmNewPlaylist"));
    setWindowTitle(QStringLiteral("Create new playlist"));
    setModal(true);

    auto* nameLabel = new QLabel(QStringLiteral("&Name :"), this);
    edNAme_ = new QLineEdit(this);
    edNAme_->setObjectName(QStringLiteral("edNAme"));
    nameLabel->setBuddy(edNAme_);
    auto* folderLabel = new QLabel(QStringLiteral("Select folder to place playlist in :"), this);
    tvFiles_ = new QTreeWidget(this);
    tvFiles_->setObjectName(QStringLiteral("tvFiles"));
    tvFiles_->setHeaderHidden(true);
    tvFiles_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tvFiles_->setMinimumSize(320, 240);
    folderLabel->setBuddy(tvFiles_);

    btnOk_ = new QPushButton(QStringLiteral("&OK"), this);
    btnOk_->setObjectName(QStringLiteral("btnOk"));
    btnOk_->setDefault(true);
    btnCancel_ = new QPushButton(QStringLiteral("&Cancel"), this);
    btnCancel_->setObjectName(QStringLiteral("btnCancel"));
    btnCancel_->setAutoDefault(false);
    connect(btnOk_, &QPushButton::clicked, this, &TfrmNewPlaylist::btnOkClick);
    connect(btnCancel_, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOk_);
    buttons->addWidget(btnCancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(nameLabel);
    layout->addWidget(edNAme_);
    layout->addWidget(folderLabel);
    layout->addWidget(tvFiles_, 1);
    layout->addLayout(buttons);
    fillFolders();
}

void TfrmNewPlaylist::fillFolders() {
    auto* root = new QTreeWidgetItem(tvFiles_, {QStringLiteral("Orvane")});
    // Each folder of the walk hangs under the node of its parent folder.
    QHash<QString, QTreeWidgetItem*> nodes{{mp3Base_, root}};
    WalkVisitor visitor;
    visitor.enteringFolder = [&](const QString& folder) {
        if (folder == mp3Base_)
            return;
        const QString parentFolder = FolderPart(folder.chopped(1));
        QTreeWidgetItem* parent = nodes.value(parentFolder, root);
        nodes.insert(folder, new QTreeWidgetItem(parent, {FileNamePart(folder.chopped(1))}));
    };
    if (mp3Base_ != QString(kSeparator)) // no base folder set: never the whole file system
        WalkFolders(mp3Base_, WalkDepth::WholeTree, visitor);
    root->setExpanded(true);
    tvFiles_->setCurrentItem(root);
}

void TfrmNewPlaylist::btnOkClick() {
    path_.clear();
    const QTreeWidgetItem* node = tvFiles_->currentItem();
    QStringList folders;
    for (const QTreeWidgetItem* n = node; n && n->parent(); n = n->parent())
        folders.prepend(n->text(0));
    const NewPlaylistChoice choice =
        ChooseNewPlaylist(mp3Base_, folders, node && node->isSelected(), edNAme_->text());
    edNAme_->setText(choice.Name);
    if (!choice.Message.isEmpty()) {
        prompts_.warning(choice.Message);
        return;
    }
    path_ = choice.Path;
    accept();
}

QString AskNewPlaylist(const QString& mp3Base, Prompts& prompts, QWidget* parent) {
    TfrmNewPlaylist dialog(mp3Base, prompts, parent);
    return dialog.exec() == QDialog::Accepted ? dialog.Path() : QString();
}

} // namespace orvane
