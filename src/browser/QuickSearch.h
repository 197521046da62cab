#pragma once
// The quick search of the main toolbar: the text of the box edSearchtxt, on "Find" or Enter,
// searched as whole words in every field of every song (the power search with QuickSearch set
// and Exact off), the hits shown in lvSelection with the category pane hidden. The box's list
// holds the texts searched in this run, each once (letter case ignored); the box selects its
// whole text when it gets the focus or is clicked.
//
// The hits are rows with no file behind them, so Delete on them never edits the favourites or
// a playlist file. GUI thread only; the collection list and the filter must outlive it.

#include "store/CollectionList.h"
#include "store/DisplayFilter.h"

#include <QObject>

namespace orvane {

class TfrmHunter;
class TfrmMain;

class QuickSearch : public QObject {
    Q_OBJECT
public:
    QuickSearch(TfrmMain& main, TfrmHunter& hunter, const CollectionList& songs,
                const DisplayFilter& filter);

    // btnSearchClick: searches the box's text; a text of blanks only does nothing.
    void Run();
    // lvSelection still shows the hits of the last search (no other view has filled it).
    bool HitsShown() const { return hitsShown_; }
    // Searches the last text again into lvSelection (after a filter change).
    void Rerun();

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void search(const QString& text);

    TfrmMain& main_;
    TfrmHunter& hunter_;
    const CollectionList& songs_;
    const DisplayFilter& filter_;
    QString lastText_;
    bool hitsShown_ = false;
    bool showing_ = false;
};

} // namespace orvane
