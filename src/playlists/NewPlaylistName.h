#pragma once
// The checks of the new-playlist dialog's OK: how a typed name and a chosen folder become the
// path of a playlist that does not exist yet. QtCore only.

#include <QString>
#include <QStringList>

namespace orvane {

struct NewPlaylistChoice {
    QString Name;    // what the name box shows afterwards ("my.list" -> "my.m3u")
    QString Path;    // the new playlist's file; empty when refused
    QString Message; // why it was refused; empty when Path is set
};

// typedName is cut before its first full stop and given ".m3u" (a name of blanks is a name).
// folders are the chosen folder's names below the MP3 base folder from the top down, empty for
// the base folder itself; folderChosen is false when no folder is chosen. Refused: an empty
// name or no folder, a name that is empty before its first full stop or holds a character a
// file name on any system cannot hold (/ \ : * ? " < > | and control characters), and a file
// that exists already (the user may then change the name or folder and try again).
NewPlaylistChoice ChooseNewPlaylist(const QString& mp3Base, const QStringList& folders,
                                    bool folderChosen, const QString& typedName);

} // namespace orvane
