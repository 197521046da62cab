#pragma once
// Building the rows of song views: from a collection record, or from a file that is not in the
// collection. Both apply the display filter; a row it rejects is not added.

#include "platform/PrefetchText.h"
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
// The same written over a row, for a list that refills its rows in place.
void SetRowOfSong(SongRow& row, const CollectionList& songs, qsizetype i);

// Asks for the memory of the row's own texts (file name and title) ahead of their use.
inline void PrefetchOwnTexts(const SongRow& row) {
    PrefetchText(row.FileName);
    PrefetchText(row.Title);
}

// True when the row was added.
bool MakeSongRow(const SongRecord& record, SongRows& view, const DisplayFilter& filter);
bool MakeSongRow(const CollectionList& songs, qsizetype i, SongRows& view,
                 const DisplayFilter& filter);
bool MakeSongRowFromFile(const TMPEGAudio& info, SongRows& view, const DisplayFilter& filter);

} // namespace orvane
