#pragma once
// The playlists found below a folder, as the playlist page lists them: every file whose name
// holds ".m3u" in any letter case (Rock.m3u, Party.M3U8, Rock.M3U.bak), in the sub-folders too
// (hidden folders are not searched), named by what comes before the first ".m3u".

#include <QString>
#include <vector>

namespace orvane {

struct PlaylistEntry {
    QString Caption; // the playlist's name
    QString Path;    // the file
    QString Folder;  // the folder that holds it, with trailing separator: base of relative lines

    bool operator==(const PlaylistEntry&) const = default;
};
// The entries of lvPlaylist.
using PlaylistView = std::vector<PlaylistEntry>;

// Appends the playlists of folder and its sub-folders, depth first in name order.
void ListPlaylists(const QString& folder, PlaylistView& view);

// Empties view, fills it with the playlists below baseFolder and returns the index of the first
// one called name without regard to case (the letters a to z only, as names compare everywhere
// in the program), or -1.
int FindPlaylist(const QString& name, const QString& baseFolder, PlaylistView& view);

} // namespace orvane
