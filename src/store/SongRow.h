#pragma once
// A row of a visible song list: the main list, the playing songs, playlists, search results.
// Sub-values 0..9 are Artist, Album, Duration, Year, Genre, Comment, FileName, Folder,
// Collection, NewFlag; the caption is the title.

#include "store/SongRecord.h"

#include <QString>

namespace orvane {

struct SongRow {
    QString Title;
    QString Artist;
    QString Album;
    QString Duration;
    QString Year;
    QString Genre;
    QString Comment;
    QString FileName;
    QString Folder;
    QString Collection;
    QString NewFlag;

    static SongRow FromRecord(const SongRecord& record);

    // The file of the row: Folder (separator appended when missing) followed by FileName.
    QString Path() const;
    // Sub-value i (0 Artist .. 9 NewFlag); an empty text outside that range.
    const QString& SubValue(int i) const;

    bool operator==(const SongRow&) const = default;
};

// A year as the window shows it: the zero bytes of an empty ID3v1 year (kept so in cache files
// written by earlier versions) are left out.
QString ShownYear(const QString& year);

} // namespace orvane
