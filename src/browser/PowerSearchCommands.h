#pragma once
// The power search reached from the main window: Extra > "Power &search" (F2) shows the search
// window and turns the category pane to its genres page; the window's "&Search..." fills a song
// list of the main window with the hits (never the playing-songs list).
//
// GUI thread only. The search window is a child of the main window and lives for the run; the
// collection list and the display filter must outlive both.

#include "store/CollectionList.h"
#include "store/DisplayFilter.h"

namespace orvane {

class TfrmHunter;
class TfrmMain;
class TSongListView;
struct SearchOptions;

// Sets the handler Powersearch1Click of main and the search of hunter.
void WirePowerSearch(TfrmMain& main, TfrmHunter& hunter, const CollectionList& songs,
                     const DisplayFilter& filter);

// The song list that a search or "Show all from ..." fills: the current view's, except on the
// start page and in the playing-songs view, where the genres view is opened first (lvSelection):
// the playing-songs list changes only through the player. Null when even that fails (the genres
// node is missing, which the main window reports).
TSongListView* SongListForResults(TfrmMain& main);

// Runs one search into the list of SongListForResults; without one no list is touched. The
// hits keep the collection's order, the caption over the list shows their length, and the
// commands follow the emptied selection. False when no list was searched into.
bool RunPowerSearch(TfrmMain& main, const SearchOptions& options, const CollectionList& songs,
                    const DisplayFilter& filter);

} // namespace orvane
