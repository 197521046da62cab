#pragma once
// Playlist files (.m3u, favourites.orv, the new-songs logs): one song path per line, no header.
// Lines beginning with "#" and empty lines are skipped on reading. A line is absolute when it
// begins with a separator or has ":" as its second character; any other line is relative to
// the folder that holds the playlist, with "\" read as "/". The program writes absolute paths,
// UTF-8, CRLF, and never adds a path the file already holds (compared upper-cased).

#include "platform/Prompts.h"
#include "store/SongRows.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace orvane {

QString PlaylistEntryPath(const QString& line, const QString& baseFolder);

struct PlaylistEntries {
    bool opened = false;
    QStringList paths;     // absolute, in file order
    bool endsOpen = false; // the last line has no line end
};
PlaylistEntries ReadPlaylistEntries(const QString& playlistPath, const QString& baseFolder);

// Empties view and fills it with one row per entry, read from the song file itself through
// info (a missing file still gives a row, from what info reports). True when the playlist
// cannot be opened: view is then left as it was.
bool LoadPlaylist(const QString& playlistPath, const QString& baseFolder, SongRows& view,
                  TMPEGAudio& info, const DisplayFilter& filter);

// True when an entry of the file, made absolute against the playlist's own folder, equals
// songPath without regard to case. False when the file cannot be opened.
bool PlaylistContains(const QString& playlistPath, const QString& songPath);

// Removes the rows at the indices in selected from view and writes the file anew from the rows
// that remain, as absolute paths in view order (comment lines are dropped). The file is replaced
// atomically: when it cannot be written, a message says so and view and file stay as they were.
// False then.
bool RewritePlaylist(const QString& playlistPath, SongRows& view, const std::vector<int>& selected,
                     Prompts& prompts);

// Adds the row's path as the last line unless the file already holds it. The file is replaced
// atomically, so a failure leaves it as it was; failures are reported through prompts.
void AppendToPlaylist(const QString& playlistPath, const SongRow& row, Prompts& prompts);

} // namespace orvane
