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
    QStringList paths;      // absolute, in file order
    bool endsOpen = false;  // the last line has no line end
    bool readError = false; // opened, but a read error stopped it: paths holds the part read
};
PlaylistEntries ReadPlaylistEntries(const QString& playlistPath, const QString& baseFolder);
// What ReadPlaylistEntries makes of a file's bytes (opened left false).
PlaylistEntries ParsePlaylistEntries(QByteArrayView data, const QString& baseFolder);

// Empties view and fills it with one row per entry, read from the song file itself through
// info (a missing file still gives a row, from what info reports). True when the playlist
// cannot be opened: view is then left as it was.
bool LoadPlaylist(const QString& playlistPath, const QString& baseFolder, SongRows& view,
                  TMPEGAudio& info, const DisplayFilter& filter);

// True when an entry of the file, made absolute against the playlist's own folder, equals
// songPath without regard to case. False when the file cannot be opened.
bool PlaylistContains(const QString& playlistPath, const QString& songPath);

// Takes out of the file the entries that name one of songPaths (relative entries made absolute
// against baseFolder, compared without regard to case). Every other line stays as it is:
// comments, extended information, and entries that a display filter kept off the list. The file
// is replaced atomically. A file that cannot be read to its end, or not written, is left as it
// was and "Error updating playlist - " + path is shown; false then.
bool RemovePlaylistEntries(const QString& playlistPath, const QString& baseFolder,
                           const QStringList& songPaths, Prompts& prompts);

// Adds the row's path as the last line unless the file already holds it. The file is replaced
// atomically, so a failure leaves it as it was; failures are reported through prompts.
void AppendToPlaylist(const QString& playlistPath, const SongRow& row, Prompts& prompts);

} // namespace orvane
