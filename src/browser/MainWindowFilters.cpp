// The main window after a filter change: the view shown is built again from its source.

#include "browser/TfrmMain.h"

#include <QListWidget>
#include <QTreeView>

namespace orvane {

namespace {
bool HasSelectedEntry(const QListWidget* list) {
    return list->currentItem() && list->currentItem()->isSelected();
}
} // namespace

void TfrmMain::RebuildShownView() {
    switch (viewKind_) {
    case ViewKind::Genres:
        if (HasSelectedEntry(lbGenres_))
            lbGenresClick();
        break;
    case ViewKind::Albums:
        if (HasSelectedEntry(lvAlbums_))
            lvAlbumsChange();
        break;
    case ViewKind::Artists:
        if (HasSelectedEntry(lvArtists_))
            lvArtistsChange();
        break;
    case ViewKind::Playlists:
        if (HasSelectedEntry(lvPlaylist_))
            lvPlaylistChange();
        break;
    case ViewKind::Favourites:
        fillFavourites();
        break;
    case ViewKind::DiskFolder:
        tvFilesChange();
        break;
    case ViewKind::RemovedSongs:
    case ViewKind::NewSongs:
        fillView(viewKind_);
        break;
    case ViewKind::StartPage:
    case ViewKind::PlayingSongs:
        break;
    }
    UpdateCommands();
}

} // namespace orvane
