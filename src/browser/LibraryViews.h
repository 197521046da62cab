#pragma once
// The song views of the library: the songs of one album, artist or genre, the songs new in this
// run, and the MP3 files lying in one disk folder. Each replaces the rows of its target list and
// adds every row through MakeSongRow / MakeSongRowFromFile, so the display filter drops the rows
// it hides. Every view is computed afresh from its source each time it is chosen.
//
// Data logic: QtCore only, GUI thread (the collection list and the shared TMPEGAudio object
// are touched there only). A name passed in may live in the target itself (a row of the list
// being refilled); it is copied before the target is emptied.

#include "store/CollectionList.h"
#include "store/DisplayFilter.h"
#include "store/MpegAudio.h"
#include "store/SongRows.h"

#include <QString>

namespace orvane {

// The songs whose Album (Artist) equals the name without regard to ASCII case, whole texts
// compared, blanks included, in collection-list order. The word matcher's exact mode decides,
// as for every other keyword match of the program; the power-search window's Exact switch is
// not read or changed.
void ShowAlbumSongs(const CollectionList& songs, const QString& album, const DisplayFilter& filter,
                    SongRows& target);
void ShowArtistSongs(const CollectionList& songs, const QString& artist,
                     const DisplayFilter& filter, SongRows& target);
// The songs whose Genre equals the name upper-cased.
void ShowGenreSongs(const CollectionList& songs, const QString& genre, const DisplayFilter& filter,
                    SongRows& target);
// The songs whose NewFlag is "1" (added by this run's scan).
void ShowNewSongs(const CollectionList& songs, const DisplayFilter& filter, SongRows& target);

// The songs whose files were changed less than days days ago (0 to days - 1 by calendar date,
// local time), in collection-list order; a song whose file date cannot be read is left out.
// Extra > "Display from last 7 days" lists them with 7: note the bound differs from the 7-day
// time filter's, which keeps files up to 7 days old.
void ShowRecentSongs(const CollectionList& songs, int days, const DisplayFilter& filter,
                     SongRows& target);

// The file-name pattern of the folder view, "*.mp*" of any case: the name holds ".mp"
// somewhere (a.mp3, b.MP2, c.mpg, d.mp3.bak; not d.wav).
bool MatchesFolderPattern(const QString& name);

// The files matching the pattern that lie directly in folder (sub-folders are not entered),
// in name order, each read through the shared file-information object and shown as it is on
// disk, whether or not the collection holds it. A file that is not MPEG audio still gives a
// row, from what the object holds after the failed read. Only files are listed: a folder whose
// name matches the pattern is not a song. An empty folder name, or one that does not exist,
// gives an empty list.
void ShowFolderSongs(const QString& folder, TMPEGAudio& mpeg, const DisplayFilter& filter,
                     SongRows& target);

// The folder of the removed songs: the program folder (trailing separator added when missing)
// followed by "recycle".
QString RemovedSongsFolder(const QString& programFolder);

} // namespace orvane
