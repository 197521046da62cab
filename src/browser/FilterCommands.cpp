#include "browser/FilterCommands.h"

#include "browser/LibraryViews.h"
#include "browser/QuickSearch.h"
#include "browser/TfrmMain.h"
#include "browser/TfrmSearch.h"
#include "exchange/ImportCommand.h"
#include "exchange/ImportedCollections.h"
#include "exchange/TfrmFilterCollection.h"
#include "store/SongStore.h"

namespace orvane {

namespace {

struct TimeFilterItem {
    const char* name;
    const char* handler;
    TimeFilter filter;
};
constexpr TimeFilterItem kTimeFilterItems[] = {
    {"Nofilters1", "Nofilters1Click", TimeFilter::None},
    {"mnuDisplayNew", "mnuDisplayNewClick", TimeFilter::Days7},
    {"Displaytaggedinlast2weeks1", "Displaytaggedinlast2weeks1Click", TimeFilter::Days14},
    {"Displaytaggedinlastmonth1", "Displaytaggedinlastmonth1Click", TimeFilter::Month}};

// "Display from last 7 days" lists files less than this many days old.
constexpr int kRecentDays = 7;

} // namespace

FilterCommands::FilterCommands(TfrmMain& main, TfrmHunter& hunter, SongStore& store,
                               DisplayFilter& filter, Prompts& prompts,
                               const QString& programFolder)
    : QObject(&main)
    , main_(main)
    , store_(store)
    , filter_(filter)
    , prompts_(prompts)
    , programFolder_(programFolder)
    , quick_(new QuickSearch(main, hunter, store.Songs, filter)) {
    quick_->setParent(this);
    for (const TimeFilterItem& item : kTimeFilterItems) {
        const TimeFilter mode = item.filter;
        main_.SetHandler(QString::fromLatin1(item.handler), [this, mode] {
            SetTimeFilter(mode);
            ApplyFilterChange();
        });
    }
    main_.SetHandler(QStringLiteral("Displaybydate1Click"), [this] { ShowRecentSongs(); });
    main_.SetHandler(QStringLiteral("SelectedIMPORT1Click"), [this] { ShowCollectionFilter(); });
    main_.SetHandler(QStringLiteral("Import1Click"),
                     [this] { ImportCollection(&main_, programFolder_, prompts_); });
}

void FilterCommands::LoadImportedCollections() {
    filter_.SetCollectionFilter(
        orvane::LoadImportedCollections(LibFolder(programFolder_), store_.Songs, store_.Browse));
    main_.RebuildGenreList();
    showFilterState();
}

void FilterCommands::SetTimeFilter(TimeFilter filter) {
    filter_.SetTimeFilter(filter);
    for (const TimeFilterItem& item : kTimeFilterItems)
        if (item.filter == filter)
            if (QAction* action = main_.Command(QString::fromLatin1(item.name)))
                action->setChecked(true);
    showFilterState();
}

void FilterCommands::showFilterState() {
    main_.SetFilterState(filter_.Time() != TimeFilter::None,
                         CollectionFilterActive(filter_.CollectionFilter()));
}

void FilterCommands::ApplyFilterChange() {
    TfrmSearch searching(&main_);
    searching.Open();
    if (quick_->HitsShown())
        quick_->Rerun();
    else
        main_.RebuildShownView();
    main_.UpdateCommands();
}

void FilterCommands::ShowRecentSongs() {
    if (main_.CurrentSongList() == main_.lvPlayingSongs())
        main_.SelectFolderNode(QStringLiteral("Genres"));
    TSongListView* list = main_.CurrentSongList();
    if (!list || list == main_.lvPlayingSongs())
        return;
    SongRows rows;
    orvane::ShowRecentSongs(store_.Songs, kRecentDays, filter_, rows);
    main_.ShowSongsIn(list, std::move(rows));
    main_.UpdateCommands();
}

void FilterCommands::ShowCollectionFilter() {
    const QStringList before = filter_.CollectionFilter();
    TfrmFilterCollection dialog(before, LibFolder(programFolder_), prompts_, &main_);
    const bool ok = dialog.exec() == QDialog::Accepted;
    // A deletion holds even when the dialog was cancelled.
    filter_.SetCollectionFilter(dialog.CollectionFilter());
    if (ok || filter_.CollectionFilter() != before)
        ApplyFilterChange();
    showFilterState();
}

} // namespace orvane
