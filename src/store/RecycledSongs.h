#pragma once
// The songs lying in the recycle folder (removed from the collection view, still on disk).

#include "store/SongStore.h"

namespace orvane {

// Adds every song file lying directly in folder (sub-folders are not entered) with AddSongFile.
// Returns how many entries were handed to AddSongFile.
int AddRecycledSongs(SongStore& store, const QString& recycleFolder);

} // namespace orvane
