#pragma once
// The power search reached from the main window: Extra > "Power &search" (F2) shows the search
// window and turns the category pane to its genres page; the window's "&Search..." fills the
// main window's current song list with the hits.
//
// GUI thread only. The search window is a child of the main window and lives for the run; the
// collection list and the display filter must outlive both.

#include "store/CollectionList.h"
#include "store/DisplayFilter.h"

namespace orvane {

class TfrmHunter;
class TfrmMain;
struct SearchOptions;

// Sets the handler Powersearch1Click of main and the search of hunter.
void WirePowerSearch(TfrmMain& main, TfrmHunter& hunter, const CollectionList& songs,
                     const DisplayFilter& filter);

// Runs one search into main's current song list. On the start page the genres view is opened
// first, which makes lvSelection current; when even that fails (its node is missing, which the
// main window reports) no list is touched. The hits keep the collection's order, the caption
// over the list shows their length, and the commands follow the emptied selection. False when
// no list was searched into.
bool RunPowerSearch(TfrmMain& main, const SearchOptions& options, const CollectionList& songs,
                    const DisplayFilter& filter);

} // namespace orvane
