#include "playlists/PlaylistCommands.h"

#include "platform/Paths.h"
#include "playlists/PlaylistFile.h"

#include <QFile>

namespace orvane {

QString FavouritesPath(const QString& programFolder) {
    return WithTrailingSeparator(programFolder) + QStringLiteral("favourites.orv");
}

void AddToFavourites(const QString& favouritesPath, std::span<const SongRow> selected,
                     Prompts& prompts) {
    if (selected.empty() || !prompts.confirm(QStringLiteral("Add shortcut to favourites folder?")))
        return;
    for (auto row = selected.rbegin(); row != selected.rend(); ++row)
        AppendToPlaylist(favouritesPath, *row, prompts);
}

void AddRowsToPlaylist(const QString& playlistPath, std::span<const SongRow> selected,
                       Prompts& prompts) {
    for (const SongRow& row : selected)
        AppendToPlaylist(playlistPath, row, prompts);
}

bool RemoveFromPlaylist(PlaylistKind kind, const QString& playlistPath, const QString& baseFolder,
                        std::span<const SongRow> selected, Prompts& prompts) {
    if (selected.empty())
        return false;
    const QString question = kind == PlaylistKind::Favourites
                                 ? QStringLiteral("Remove selected songs from favourites folder?")
                                 : QStringLiteral("Remove selected songs from playlist?");
    if (!prompts.confirm(question))
        return false;
    QStringList paths;
    for (const SongRow& row : selected)
        paths.append(row.Path());
    return RemovePlaylistEntries(playlistPath, baseFolder, paths, prompts);
}

bool DeletePlaylist(PlaylistView& view, int selected, Prompts& prompts) {
    if (selected < 0 || size_t(selected) >= view.size() ||
        !prompts.confirm(QStringLiteral("Delete selected playlist?")))
        return false;
    const QString path = view[size_t(selected)].Path;
    if (!QFile::remove(path)) {
        prompts.information(QStringLiteral("Error while trying to move file(s) to recycle bin."));
        return false;
    }
    view.erase(view.begin() + selected);
    return true;
}

} // namespace orvane
