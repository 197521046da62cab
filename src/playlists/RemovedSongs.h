#pragma once
// Removing songs (into the recycle folder, and for good from there), emptying the recycle
// folder, and moving songs' files to another folder, with the collection records kept in step.
//
// Each operation acts on the rows it is given, copies of what the user saw and chose: a file
// is moved or deleted by the row's own path, its record found by that row. The caller reports
// the failures once the batch has ended (ReportFileBatch) and takes the rows of the files in
// report.gone out of its list. GUI thread only.

#include "platform/Prompts.h"
#include "playlists/FileBatch.h"
#include "store/SongRows.h"
#include "store/SongStore.h"

namespace orvane {

// For each row, in the given order: a song whose folder is not the recycle folder is moved
// there and its record (if any) points there; a song lying in the recycle folder (the same
// folder on disk, however it is spelled) is deleted for good, and its record leaves the
// collection.
FileBatchReport RemoveSelectedSongs(SongStore& store, const QString& recycleFolder,
                                    const SongRows& rows, FileBatchProgress* progress);

// Deletes the song files lying in the recycle folder after the user agreed; the records of the
// deleted files leave the collection; failures are reported. True when anything was deleted.
bool ClearRemovedSongs(SongStore& store, const QString& recycleFolder, Prompts& prompts);

// Moves each row's file into folder; its record (if any) follows it. With addUnknown, a moved
// song that had no record enters the collection as a new song (AddSongFile).
FileBatchReport MoveSongsToFolder(SongStore& store, const SongRows& rows, const QString& folder,
                                  bool addUnknown, FileBatchProgress* progress);

} // namespace orvane
