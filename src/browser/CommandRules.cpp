#include "browser/CommandRules.h"

#include <array>
#include <string_view>

namespace orvane {

CommandStates ComputeCommandStates(const CommandContext& c) {
    CommandStates s;
    s.selected = c.songPage != SongPage::NetBrowser && c.currentListHasSelection;
    s.selectedNotPlayingPage = s.selected && c.categoryPage != CategoryPage::Playing;
    s.filterLabelVisible = c.timeFilterOn || c.collectionFilterActive;
    return s;
}

namespace {

constexpr std::array<std::u16string_view, 14> kNeedSelection = {u"btnDelete",
                                                                u"btnMove",
                                                                u"Delete1",
                                                                u"Movetodirectory1",
                                                                u"TagEditor2",
                                                                u"brAdvProperties",
                                                                u"Tageditor1",
                                                                u"Addtoplaylist2",
                                                                u"Addtoplaylist1",
                                                                u"Lyricsfile1",
                                                                u"Showallfromartist1",
                                                                u"Showallfromalbum1",
                                                                u"ShowallfromArtist2",
                                                                u"ShowallfromAlbum2"};

// The pop-up's "Export to WAV" is ExporttoWAV2; both items call the same handler.
constexpr std::array<std::u16string_view, 10> kNeedSelectionNotPlayingPage = {
    u"Playsong1",        u"Addtoplayingsongs2", u"Loadcoverimage2",   u"Deletecoverimage2",
    u"Addtofavourites1", u"Addtoplayingsongs1", u"Movetorecyclebin1", u"Movetodirectory2",
    u"ExporttoWAV1",     u"ExporttoWAV2"};

} // namespace

CommandRule RuleOfCommand(QStringView name) {
    for (std::u16string_view n : kNeedSelection)
        if (name == QStringView(n.data(), qsizetype(n.size())))
            return CommandRule::Selected;
    for (std::u16string_view n : kNeedSelectionNotPlayingPage)
        if (name == QStringView(n.data(), qsizetype(n.size())))
            return CommandRule::SelectedNotPlayingPage;
    return CommandRule::Always;
}

bool IsCommandEnabled(CommandRule rule, const CommandStates& states) {
    switch (rule) {
    case CommandRule::Selected:
        return states.selected;
    case CommandRule::SelectedNotPlayingPage:
        return states.selectedNotPlayingPage;
    case CommandRule::Always:
        break;
    }
    return true;
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
