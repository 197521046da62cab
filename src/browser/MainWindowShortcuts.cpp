// The main window's side of the side bar's shortcuts: a playlist found and shown by its name,
// and the playlist list's entries kept in step with the shortcuts drawn greyed.

#include "browser/MenuImages.h"
#include "browser/SideBar.h"
#include "browser/TfrmMain.h"

#include <QListWidget>
#include <algorithm>

namespace orvane {

void TfrmMain::showPlaylistEntries(const QString& keepChosen) {
    const QSignalBlocker quiet(lvPlaylist_);
    lvPlaylist_->clear();
    for (const PlaylistEntry& e : playlists_) {
        auto* item =
            new QListWidgetItem(TdmMenuImg::Icon(MenuImage::Playlist), e.Caption, lvPlaylist_);
        if (!keepChosen.isEmpty() && e.Path == keepChosen && !lvPlaylist_->currentItem())
            lvPlaylist_->setCurrentItem(item);
    }
    obMain_->MarkPlaylists(playlists_);
}

std::optional<PlaylistEntry> TfrmMain::FindPlaylistEntry(const QString& name) {
    const int row = lvPlaylist_->currentRow();
    const QString chosen = lvPlaylist_->currentItem() && lvPlaylist_->currentItem()->isSelected() &&
                                   row < int(playlists_.size())
                               ? playlists_[size_t(row)].Path
                               : QString();
    int found = -1;
    if (mp3Base_.isEmpty())
        playlists_.clear();
    else
        found = FindPlaylist(name, mp3Base_, playlists_);
    showPlaylistEntries(chosen);
    if (found < 0)
        return std::nullopt;
    return playlists_[size_t(found)];
}

bool TfrmMain::OpenPlaylistShortcut(const QString& name) {
    const std::optional<PlaylistEntry> entry = FindPlaylistEntry(name);
    if (!entry) {
        UpdateCommands();
        return false;
    }
    applyLayout(LayoutOf(ViewKind::Playlists));
    const auto row = std::find(playlists_.begin(), playlists_.end(), *entry) - playlists_.begin();
    {
        const QSignalBlocker quiet(lvPlaylist_);
        lvPlaylist_->setCurrentRow(int(row));
    }
    lvPlaylistChange(); // also when that entry was chosen already: the file may have changed
    SongListChanged(lvSelection_);
    lvSelection_->setFocus();
    UpdateCommands();
    return true;
}

void TfrmMain::RefreshSideBarShortcuts() {
    bool any = false;
    for (int g = 0; g < obMain_->GroupCount() && !any; ++g)
        for (int i = 0; i < obMain_->Group(g)->count() && !any; ++i)
            any = TSideBar::IsPlaylistShortcut(obMain_->Group(g)->item(i));
    if (!any || mp3Base_.isEmpty())
        return; // the walk of the music folder is not needed
    PlaylistView found;
    ListPlaylists(mp3Base_, found);
    obMain_->MarkPlaylists(found);
}

} // namespace orvane
