#pragma once
// The power search: the songs of the collection list whose searched fields match the keywords.
// It reads the in-memory list only (the disk is not touched), so songs of imported collections
// are found as well as the user's own.
//
// Data logic: QtCore only; runs on the GUI thread, which owns the collection list.

#include "exchange/KeywordMatch.h"
#include "exchange/SearchOptions.h"
#include "store/CollectionList.h"
#include "store/DisplayFilter.h"
#include "store/SongRows.h"

namespace orvane {

// A record is a hit when the matcher scores one of its searched fields, tried in the order
// FileName, Title, Artist, Year, Album, Genre, Comment (every field when QuickSearch is set).
// Replaces the rows of target with the hits, in collection-list order, each added through
// MakeSongRow so that the display filter drops the rows it hides. With no target (the main
// window has no current song list) nothing is touched and -1 is returned; otherwise the number
// of rows added.
qsizetype SearchCollection(const CollectionList& songs, const SearchOptions& options,
                           const DisplayFilter& filter, SongRows* target);

// The options of the main window's quick search: the power search's own settings with Exact
// off and QuickSearch set (every field, whole words), and the box's text exactly as typed.
// The power-search window's switches are left as they were.
SearchOptions QuickSearchOptions(const SearchOptions& windowOptions, const QString& text);

} // namespace orvane
