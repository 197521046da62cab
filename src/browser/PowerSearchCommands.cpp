#include "browser/PowerSearchCommands.h"

#include "browser/QueueDuration.h"
#include "browser/TfrmMain.h"
#include "exchange/PowerSearch.h"
#include "exchange/TfrmHunter.h"

namespace orvane {

TSongListView* SongListForResults(TfrmMain& main) {
    const ViewKind view = main.CurrentView();
    if (view == ViewKind::StartPage || view == ViewKind::PlayingSongs)
        main.SelectFolderNode(QStringLiteral("Genres"));
    TSongListView* list = main.CurrentSongList();
    return list == main.lvPlayingSongs() ? nullptr : list;
}

bool RunPowerSearch(TfrmMain& main, const SearchOptions& options, const CollectionList& songs,
                    const DisplayFilter& filter) {
    TSongListView* list = SongListForResults(main);
    if (!list)
        return false;
    SongRows hits = list->Songs()->TakeRows();
    SearchCollection(songs, options, filter, &hits);
    // One reset of the model: thousands of hits arrive without a repaint per row. The reset
    // also tells the window that the selection is gone (status bar, command states).
    list->Songs()->SetRows(std::move(hits));
    main.SetCaption(QueueDurationText(list->Songs()->Rows()));
    main.UpdateCommands();
    return true;
}

void WirePowerSearch(TfrmMain& main, TfrmHunter& hunter, const CollectionList& songs,
                     const DisplayFilter& filter) {
    main.SetHandler(QStringLiteral("Powersearch1Click"), [&main, &hunter] {
        // Not modal: the main window stays usable while the search window is open.
        hunter.show();
        hunter.raise();
        hunter.activateWindow();
        main.ShowGenrePage();
    });
    hunter.OnSearch = [&main, &songs, &filter](const SearchOptions& options) {
        RunPowerSearch(main, options, songs, filter);
    };
}

} // namespace orvane
