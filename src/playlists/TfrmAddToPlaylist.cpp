#include "playlists/TfrmAddToPlaylist.h"

#include "platform/Paths.h"
#include "playlists/TfrmNewPlaylist.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace orvane {

namespace {
bool SortsBefore(const PlaylistEntry& a, const PlaylistEntry& b) {
    const int byName = a.Caption.compare(b.Caption, Qt::CaseInsensitive);
    return byName != 0 ? byName < 0 : a.Path < b.Path;
}
} // namespace

TfrmAddToPlaylist::TfrmAddToPlaylist(const QString& mp3Base, Prompts& prompts, QWidget* parent)
    : QDialog(parent)
    , mp3Base_(WithTrailingSeparator(mp3Base))
    , prompts_(prompts) {
    setObjectName(QStringLiteral("frmAddToPlaylist"));
    setWindowTitle(QStringLiteral("Add to playlist"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setModal(true);

    auto* label = new QLabel(QStringLiteral("Add songs to this playlist :"), this);
    lvPlaylists_ = new QListWidget(this);
    lvPlaylists_->setObjectName(QStringLiteral("lvPlaylists"));
    lvPlaylists_->setMinimumSize(280, 240);
    label->setBuddy(lvPlaylists_);
    connect(lvPlaylists_, &QListWidget::itemDoubleClicked, this, &TfrmAddToPlaylist::btnOkClick);

    btnOk_ = new QPushButton(QStringLiteral("OK"), this);
    btnOk_->setObjectName(QStringLiteral("btnOk"));
    btnOk_->setDefault(true);
    btnCancel_ = new QPushButton(QStringLiteral("&Cancel"), this);
    btnCancel_->setObjectName(QStringLiteral("btnCancel"));
    btnCancel_->setAutoDefault(false);
    btnNew_ = new QPushButton(QStringLiteral("&New..."), this);
    btnNew_->setObjectName(QStringLiteral("btnNew"));
    btnNew_->setAutoDefault(false);
    connect(btnOk_, &QPushButton::clicked, this, &TfrmAddToPlaylist::btnOkClick);
    connect(btnCancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(btnNew_, &QPushButton::clicked, this, &TfrmAddToPlaylist::btnNewClick);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnNew_);
    buttons->addStretch();
    buttons->addWidget(btnOk_);
    buttons->addWidget(btnCancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(lvPlaylists_, 1);
    layout->addLayout(buttons);

    PlaylistView found;
    ListPlaylists(mp3Base_, found);
    for (const PlaylistEntry& entry : found)
        insertSorted(entry);
}

int TfrmAddToPlaylist::insertSorted(const PlaylistEntry& entry) {
    const auto at = std::upper_bound(entries_.begin(), entries_.end(), entry, SortsBefore);
    const int row = int(at - entries_.begin());
    entries_.insert(at, entry);
    // A list item shows its text as it is; the tooltip (which playlist of two with one name) is
    // markup, with the path escaped.
    lvPlaylists_->insertItem(row, entry.Caption);
    lvPlaylists_->item(row)->setToolTip(
        QStringLiteral("<p style='white-space:pre'>%1</p>").arg(entry.Path.toHtmlEscaped()));
    return row;
}

void TfrmAddToPlaylist::btnOkClick() {
    const QListWidgetItem* item = lvPlaylists_->currentItem();
    if (!item || !item->isSelected()) {
        prompts_.warning(QStringLiteral("You must select a playlist first."));
        return;
    }
    path_ = entries_[size_t(lvPlaylists_->row(item))].Path;
    accept();
}

QString AskPlaylist(const QString& mp3Base, Prompts& prompts, QWidget* parent) {
    TfrmAddToPlaylist dialog(mp3Base, prompts, parent);
    return dialog.exec() == QDialog::Accepted ? dialog.Path() : QString();
}

void TfrmAddToPlaylist::btnNewClick() {
    const QString path = AskNewPlaylist(mp3Base_, prompts_, this);
    if (path.isEmpty())
        return;
    QString name = FileNamePart(path);
    name.chop(4); // ".m3u"
    const int row = insertSorted({name, path, FolderPart(path)});
    lvPlaylists_->setCurrentRow(row);
}

} // namespace orvane
