#pragma once
// The window's commands on playlist and favourites files, with their questions; the window
// picks the rows and entries and shows the outcome. Rows are given in list order.

#include "platform/Prompts.h"
#include "playlists/PlaylistList.h"
#include "store/SongRows.h"

#include <span>
#include <vector>

namespace orvane {

// favourites.orv in the program folder.
QString FavouritesPath(const QString& programFolder);

// Asks first; the rows are appended from the last to the first.
void AddToFavourites(const QString& favouritesPath, std::span<const SongRow> selected,
                     Prompts& prompts);
// The rows are appended from the first to the last.
void AddRowsToPlaylist(const QString& playlistPath, std::span<const SongRow> selected,
                       Prompts& prompts);

enum class PlaylistKind { Favourites, Playlist };
// The Delete key in a shown playlist or the favourites, whose rows were read from playlistPath
// (relative entries against baseFolder): asks, then takes the selected rows' entries out of
// the file (RemovePlaylistEntries). True when the file no longer holds them; the caller then
// removes the rows from its list.
bool RemoveFromPlaylist(PlaylistKind kind, const QString& playlistPath, const QString& baseFolder,
                        std::span<const SongRow> selected, Prompts& prompts);

// Asks, then deletes the file of view[selected] and removes the entry. True when it is gone.
bool DeletePlaylist(PlaylistView& view, int selected, Prompts& prompts);

} // namespace orvane
