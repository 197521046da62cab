#pragma once
// The songs of files opened from outside the program (its command line, a later start, the
// file manager): an MP3 file gives its own row, an M3U playlist the rows of its entries.

#include "store/SongRows.h"

#include <QString>
#include <QStringList>

namespace orvane {

struct OpenedFileRows {
    SongRows Rows;       // in the order of the files, a playlist's entries in its own order
    QStringList Refused; // "path: reason" for each file that gave no songs
};

// Reads each file through info; no display filter applies, as the user chose these files.
// Anything but a regular file is refused unread (a pipe would block the reading).
OpenedFileRows RowsForOpenedFiles(const QStringList& paths, TMPEGAudio& info);

} // namespace orvane
