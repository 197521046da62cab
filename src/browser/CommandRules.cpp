#include "browser/CommandRules.h"

namespace orvane {

CommandStates ComputeCommandStates(const CommandContext& c) {
    CommandStates s;
    s.selected = c.songPage != SongPage::NetBrowser && c.currentListHasSelection;
    s.selectedNotPlayingPage = s.selected && c.categoryPage != CategoryPage::Playing;
    s.filterLabelVisible = c.timeFilterOn || c.collectionFilterActive;
    return s;
}

DeleteKeyAction DeleteKeyActionFor(ViewKind view, bool hasSelectedRow) {
    switch (view) {
    case ViewKind::Albums:
    case ViewKind::Artists:
    case ViewKind::Genres:
    case ViewKind::DiskFolder:
    case ViewKind::RemovedSongs:
    case ViewKind::NewSongs:
        return DeleteKeyAction::MoveToRemovedSongs;
    case ViewKind::Favourites:
        return hasSelectedRow ? DeleteKeyAction::RemoveFromFavourites : DeleteKeyAction::Nothing;
    case ViewKind::Playlists:
        return hasSelectedRow ? DeleteKeyAction::RemoveFromPlaylist : DeleteKeyAction::Nothing;
    case ViewKind::StartPage:
    case ViewKind::PlayingSongs:
        break;
    }
    return DeleteKeyAction::Nothing;
}

QString DeleteKeyQuestion(DeleteKeyAction action) {
    switch (action) {
    case DeleteKeyAction::MoveToRemovedSongs:
        return QStringLiteral("Move selected files to \"removed songs\" folder?");
    case DeleteKeyAction::RemoveFromFavourites:
        return QStringLiteral("Remove selected songs from favourites folder?");
    case DeleteKeyAction::RemoveFromPlaylist:
        return QStringLiteral("Remove selected songs from playlist?");
    case DeleteKeyAction::Nothing:
        break;
    }
    return {};
}

FolderDropAction FolderDropActionFor(const QString& topFolderText) {
    const std::optional<ViewKind> view = ViewOfTopFolder(topFolderText);
    if (view == ViewKind::Favourites)
        return FolderDropAction::AddToFavourites;
    if (view == ViewKind::PlayingSongs)
        return FolderDropAction::AddToPlayingSongs;
    return FolderDropAction::Nothing;
}

} // namespace orvane
