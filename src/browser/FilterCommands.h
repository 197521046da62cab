#pragma once
// The commands that narrow what the song views show, and the imported collections behind one
// of them: View > "Current view" (the time filters and "Filter collections", also the toolbar's
// "Filters"), Extra > "Display from last 7 days", File > "Import..." and the quick search.
// A filter change builds the view shown again behind the "Searching..." window; the title bar
// shows "(Filter active)" while a time filter is on or a collection is hidden.
//
// GUI thread only. The store, the filter and the prompts must outlive it; it is a child of the
// main window.

#include "store/DisplayFilter.h"

#include <QObject>

namespace orvane {

class Prompts;
class QuickSearch;
class TfrmHunter;
class TfrmMain;
struct SongStore;

class FilterCommands : public QObject {
    Q_OBJECT
public:
    FilterCommands(TfrmMain& main, TfrmHunter& hunter, SongStore& store, DisplayFilter& filter,
                   Prompts& prompts, const QString& programFolder);

    // Start-up: the imported collections of the lib folder join the collection list and the
    // collection filter (every collection shown).
    void LoadImportedCollections();
    // Sets the time filter, checks its menu item and shows the filter state; the views are not
    // rebuilt (ApplyFilterChange does that).
    void SetTimeFilter(TimeFilter filter);
    // Builds the view shown again with the filters as they are now.
    void ApplyFilterChange();

    // Extra > "Display from last 7 days", and View > "Filter collections".
    void ShowRecentSongs();
    void ShowCollectionFilter();

    QuickSearch& Quick() { return *quick_; }

private:
    void showFilterState();

    TfrmMain& main_;
    SongStore& store_;
    DisplayFilter& filter_;
    Prompts& prompts_;
    QString programFolder_;
    QuickSearch* quick_ = nullptr; // a child of this object
};

} // namespace orvane
