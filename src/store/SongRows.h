#pragma once
// Building the rows of song views: from a collection record, or from a file that is not in the
// collection. Both apply the display filter; a row it rejects is not added.

#include "store/CollectionList.h"
#include "store/DisplayFilter.h"
#include "store/MpegAudio.h"
#include "store/SongRecord.h"
#include "store/SongRow.h"

#include <vector>

namespace orvane {

using SongRows = std::vector<SongRow>;

// The row of the list's song i, made from its values without a record in between.
SongRow RowOfSong(const CollectionList& songs, qsizetype i);

// True when the row was added.
bool MakeSongRow(const SongRecord& record, SongRows& view, const DisplayFilter& filter);
bool MakeSongRow(const CollectionList& songs, qsizetype i, SongRows& view,
                 const DisplayFilter& filter);
bool MakeSongRowFromFile(const TMPEGAudio& info, SongRows& view, const DisplayFilter& filter);

} // namespace orvane
