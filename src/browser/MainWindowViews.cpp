// The main window's views: switching by folder node, the command states, the reactions of the
// song lists (selection, keys) and songs dropped on the folder tree.

#include "browser/CommandRules.h"
#include "browser/LibraryViews.h"
#include "browser/MenuImages.h"
#include "browser/QueueDuration.h"
#include "browser/SideBar.h"
#include "browser/TfrmMain.h"
#include "platform/AsciiCase.h"
#include "platform/Paths.h"
#include "platform/Prompts.h"
#include "playlists/PlaylistCommands.h"
#include "store/SongStore.h"

#include <QListWidget>
#include <QStatusBar>
#include <QTreeView>

namespace orvane {

namespace {
constexpr int kSubValue0 = Qt::UserRole + 1; // the album name
constexpr int kSubValue1 = Qt::UserRole + 2; // the artist of the album
} // namespace

TSongListView* TfrmMain::CurrentSongList() const {
    switch (CurrentSongListOf(viewKind_)) {
    case SongListId::Selection:
        return lvSelection_;
    case SongListId::PlayingSongs:
        return lvPlayingSongs_;
    case SongListId::None:
        break;
    }
    return nullptr;
}

void TfrmMain::SetFolderCaptions() {
    const QList<QTreeWidgetItem*> nodes = tvFolders_->NodesInTreeOrder();
    QStringList texts;
    for (const QTreeWidgetItem* n : nodes)
        texts.append(n->text(0));
    for (const FolderCaption& c : FolderCaptions()) {
        const qsizetype at = FindLastNoCase(texts, c.internalName);
        if (at >= 0) {
            nodes[at]->setText(0, c.caption);
            texts[at] = c.caption;
        }
    }
}

void TfrmMain::SelectFolderNode(const QString& name) {
    const QList<QTreeWidgetItem*> nodes = tvFolders_->NodesInTreeOrder();
    QStringList texts;
    for (const QTreeWidgetItem* n : nodes)
        texts.append(n->text(0));
    const qsizetype at = FindLastNoCase(texts, name);
    if (at < 0) {
        if (prompts_)
            prompts_->information(kFolderNodeMissing);
        return;
    }
    if (tvFolders_->currentItem() == nodes[at])
        ShowView(nodes[at]); // choosing the shown view again fills it afresh
    else
        tvFolders_->setCurrentItem(nodes[at]);
}

void TfrmMain::showTitle(const QString& text) {
    lblTitle_->setText(FittedTitle(text));
}

void TfrmMain::applyLayout(const ViewLayout& layout) {
    viewKind_ = layout.kind;
    Notebook1_->setVisible(layout.categoryShown);
    if (layout.categoryShown)
        Notebook1_->setCurrentIndex(int(layout.categoryPage));
    Notebook2_->setCurrentIndex(int(layout.songPage));
    lvSelection_->SetSorting(layout.sorting);
}

void TfrmMain::ShowView(QTreeWidgetItem* node) {
    if (!node)
        return;
    showTitle(node->text(0));
    const QString caption = node->text(0) + QStringLiteral(" - Orvane");
    setWindowTitle(caption);
    if (!node->parent()) {
        applyLayout(LayoutOf(ViewKind::StartPage));
        btnIcon_->setPixmap(node->icon(0).pixmap(24, 24));
        UpdateCommands();
        return;
    }
    QTreeWidgetItem* top = TFolderTree::TopFolder(node);
    btnIcon_->setPixmap(top->icon(0).pixmap(24, 24));
    if (const std::optional<ViewKind> kind = ViewOfTopFolder(top->text(0))) {
        applyLayout(LayoutOf(*kind));
        fillView(*kind);
    }
    if (TSongListView* list = CurrentSongList()) {
        list->setFocus();
        SongListChanged(list); // the status bar follows the list now shown
    }
    UpdateCommands();
}

void TfrmMain::fillView(ViewKind kind) {
    switch (kind) {
    case ViewKind::Albums:
        if (Library.RebuildAlbumList)
            Library.RebuildAlbumList();
        ShowAlbumList();
        if (lvAlbums_->currentItem() && lvAlbums_->currentItem()->isSelected())
            lvAlbumsChange();
        break;
    case ViewKind::Artists:
        if (Library.RebuildArtistList)
            Library.RebuildArtistList();
        ShowArtistList();
        if (lvArtists_->currentItem() && lvArtists_->currentItem()->isSelected())
            lvArtistsChange();
        break;
    case ViewKind::Favourites:
        fillFavourites();
        break;
    case ViewKind::DiskFolder:
        if (tvFiles_->currentIndex().isValid())
            tvFilesChange();
        showTitle(QStringLiteral("My files"));
        break;
    case ViewKind::Genres:
        RefreshGenreList();
        if (lbGenres_->currentItem() && lbGenres_->currentItem()->isSelected())
            lbGenresClick();
        break;
    case ViewKind::Playlists:
        fillPlaylistList();
        if (lvPlaylist_->currentItem() && lvPlaylist_->currentItem()->isSelected())
            lvPlaylistChange();
        break;
    case ViewKind::RemovedSongs:
        if (Library.ShowFolderSongs) {
            SongRows rows;
            Library.ShowFolderSongs(RemovedSongsFolder(programFolder_), rows);
            ShowSongsIn(lvSelection_, std::move(rows));
        }
        break;
    case ViewKind::NewSongs:
        if (Library.ShowNewSongs) {
            SongRows rows;
            Library.ShowNewSongs(rows);
            ShowSongsIn(lvSelection_, std::move(rows));
        }
        break;
    case ViewKind::StartPage:
    case ViewKind::PlayingSongs:
        break;
    }
}

void TfrmMain::fillFavourites() {
    if (!Library.LoadPlaylist)
        return;
    SongRows rows;
    const QString file = FavouritesPath(programFolder_);
    const bool read = Library.LoadPlaylist(file, programFolder_, rows);
    ShowSongsIn(lvSelection_, std::move(rows));
    if (read)
        SelectionModel()->SetSource({file, programFolder_});
}

void TfrmMain::fillPlaylistList() {
    playlists_.clear();
    if (!mp3Base_.isEmpty())
        ListPlaylists(mp3Base_, playlists_);
    showPlaylistEntries();
}

void TfrmMain::RefillPlaylistList() {
    if (!Notebook1_->isHidden() && Notebook1_->currentIndex() == int(CategoryPage::Playlist))
        fillPlaylistList();
    else
        RefreshSideBarShortcuts();
}

void TfrmMain::deleteSelectedPlaylist() {
    const QListWidgetItem* item = lvPlaylist_->currentItem();
    const int row = lvPlaylist_->currentRow();
    if (!prompts_ || !item || !item->isSelected() || row >= int(playlists_.size()))
        return;
    const QString file = playlists_[size_t(row)].Path;
    if (!DeletePlaylist(playlists_, row, *prompts_))
        return;
    if (SelectionModel()->Source().File == file)
        SelectionModel()->SetSource({}); // the rows it showed stay, with no file behind them
    {
        const QSignalBlocker quiet(lvPlaylist_);
        delete lvPlaylist_->takeItem(row);
        lvPlaylist_->setCurrentRow(-1);
    }
    obMain_->MarkPlaylists(playlists_);
    // The first remaining playlist is shown in its place; with none left the song list keeps
    // the rows it held.
    if (lvPlaylist_->count() > 0)
        lvPlaylist_->setCurrentRow(0);
}

void TfrmMain::addSelectionToFavourites() {
    TSongListView* list = CurrentSongList();
    if (!list || !prompts_ || !list->HasSelectedRow())
        return;
    SongRows selected;
    for (int r : list->SelectedRows())
        selected.push_back(list->Songs()->Row(r));
    AddToFavourites(FavouritesPath(programFolder_), selected, *prompts_);
    if (viewKind_ == ViewKind::Favourites && list == lvSelection_)
        fillFavourites();
}

void TfrmMain::showRows(TSongListView* list, SongRows rows) {
    list->Songs()->SetRows(std::move(rows));
    SongListChanged(list);
}

void TfrmMain::ShowSongsIn(TSongListView* list, SongRows rows) {
    showRows(list, std::move(rows));
    showDuration(list);
    if (list == lvSelection_)
        list->Resort();
}

void TfrmMain::showDuration(TSongListView* list) {
    // Asked after every key in the list: the sum is made again only when the rows changed.
    DurationCache& cache = list == lvPlayingSongs_ ? playingDuration_ : selectionDuration_;
    if (cache.revision != list->Songs()->Revision() || cache.text.isNull()) {
        cache.text = QueueDurationText(list->Songs()->Rows());
        cache.revision = list->Songs()->Revision();
    }
    const QString& text = cache.text;
    if (list == lvPlayingSongs_)
        SetPlayingSongsCaption(text);
    else
        SetCaption(text);
}

void TfrmMain::SetCaption(const QString& text) {
    pnlCaptionBar_->setText(text);
}

void TfrmMain::SetPlayingSongsCaption(const QString& text) {
    pnlDurationPlayingSongs_->setText(text);
}

namespace {

QListWidgetItem* BrowseItem(const BrowseEntry& e) {
    auto* item = new QListWidgetItem(e.Name);
    item->setData(kSubValue0, e.Name);
    item->setData(kSubValue1, e.Extra);
    return item;
}

// Puts an entry where the sort of the whole list would: after every name that sorts before
// it or equal to it (the sort is stable and the entry is the newest).
void InsertSorted(QListWidget* list, const BrowseEntry& e) {
    int low = 0;
    int high = list->count();
    while (low < high) {
        const int mid = low + (high - low) / 2;
        if (QString::localeAwareCompare(list->item(mid)->text(), e.Name) <= 0)
            low = mid + 1;
        else
            high = mid;
    }
    list->insertItem(low, BrowseItem(e));
}

} // namespace

void TfrmMain::showBrowseList(QListWidget* list, const BrowseList& entries,
                              ShownBrowseList& shown) {
    const bool sameGeneration = shown.count >= 0 && shown.generation == entries.Generation();
    if (sameGeneration && shown.count == entries.size())
        return; // the widget shows the list as it is
    const QSignalBlocker quiet(list);
    const qsizetype added = entries.size() - shown.count;
    if (sameGeneration && added > 0 && added <= std::max<qsizetype>(16, shown.count / 8)) {
        // A few entries came in (the background scan): each goes to its sorted place, and
        // the selection and scroll position stay.
        for (qsizetype i = shown.count; i < entries.size(); ++i)
            InsertSorted(list, entries.Entries()[size_t(i)]);
    } else {
        const QString chosen = list->currentItem() ? list->currentItem()->text() : QString();
        const bool wasSelected = list->currentItem() && list->currentItem()->isSelected();
        list->setUpdatesEnabled(false);
        list->clear();
        QListWidgetItem* keep = nullptr;
        for (const BrowseEntry& e : entries.Sorted()) {
            QListWidgetItem* item = BrowseItem(e);
            list->addItem(item);
            if (!keep && wasSelected && e.Name == chosen)
                keep = item;
        }
        if (keep)
            list->setCurrentItem(keep);
        list->setUpdatesEnabled(true);
    }
    shown = {entries.Generation(), entries.size()};
}

void TfrmMain::FollowBrowseLists() {
    RefreshGenreList();
    if (viewKind_ == ViewKind::Albums)
        ShowAlbumList();
    else if (viewKind_ == ViewKind::Artists)
        ShowArtistList();
}

void TfrmMain::RefreshView() {
    ShowView(tvFolders_->currentItem());
}

void TfrmMain::ShowGenrePage() {
    Notebook1_->setCurrentIndex(int(CategoryPage::Genres));
}

void TfrmMain::RebuildGenreList() {
    if (!store_)
        return;
    const BrowseList& genres = store_->Browse.Genres;
    shownGenreCount_ = int(genres.size());
    const QString chosen = lbGenres_->currentItem() ? lbGenres_->currentItem()->text() : QString();
    const QSignalBlocker quiet(lbGenres_);
    lbGenres_->clear();
    for (const BrowseEntry& e : genres.Entries())
        lbGenres_->addItem(e.Name);
    if (!chosen.isNull()) {
        const QList<QListWidgetItem*> found = lbGenres_->findItems(chosen, Qt::MatchExactly);
        if (!found.isEmpty())
            lbGenres_->setCurrentItem(found.front());
    }
}

void TfrmMain::RefreshGenreList() {
    // Genres are only ever added between rebuilds, so a list of the same size is current.
    if (store_ && store_->Browse.Genres.size() != shownGenreCount_)
        RebuildGenreList();
}

void TfrmMain::ShowAlbumList() {
    if (store_)
        showBrowseList(lvAlbums_, store_->Browse.Albums, shownAlbums_);
}

void TfrmMain::ShowArtistList() {
    if (store_)
        showBrowseList(lvArtists_, store_->Browse.Artists, shownArtists_);
}

void TfrmMain::lvAlbumsChange() {
    const QListWidgetItem* item = lvAlbums_->currentItem();
    if (!item || !Library.ShowAlbumSongs)
        return;
    const QString album = item->data(kSubValue0).toString();
    SongRows rows;
    Library.ShowAlbumSongs(album, rows);
    const QString firstSong = rows.empty() ? QString() : rows.front().Path();
    ShowSongsIn(lvSelection_, std::move(rows));
    showTitle(album);
    if (Library.ShowCover)
        Library.ShowCover(item->data(kSubValue1).toString(), album, firstSong);
    UpdateCommands();
}

std::optional<TfrmMain::AlbumEntry> TfrmMain::SelectedAlbum() const {
    const QListWidgetItem* item = lvAlbums_->currentItem();
    if (!item || !item->isSelected())
        return std::nullopt;
    return AlbumEntry{item->data(kSubValue0).toString(), item->data(kSubValue1).toString()};
}

void TfrmMain::lvArtistsChange() {
    const QListWidgetItem* item = lvArtists_->currentItem();
    if (!item || !Library.ShowArtistSongs)
        return;
    SongRows rows;
    Library.ShowArtistSongs(item->text(), rows);
    ShowSongsIn(lvSelection_, std::move(rows));
    showTitle(item->text());
    UpdateCommands();
}

void TfrmMain::lbGenresClick() {
    const QListWidgetItem* item = lbGenres_->currentItem();
    if (!item || !item->isSelected() || !Library.ShowGenreSongs)
        return;
    SongRows rows;
    Library.ShowGenreSongs(item->text(), rows);
    ShowSongsIn(lvSelection_, std::move(rows));
    UpdateCommands();
}

void TfrmMain::lvPlaylistChange() {
    const int row = lvPlaylist_->currentRow();
    if (row < 0 || row >= int(playlists_.size()) || !Library.LoadPlaylist)
        return;
    const PlaylistEntry& entry = playlists_[size_t(row)];
    SongRows rows;
    const bool read = Library.LoadPlaylist(entry.Path, entry.Folder, rows);
    showRows(lvSelection_, std::move(rows));
    if (read)
        SelectionModel()->SetSource({entry.Path, entry.Folder});
    SetCaption(entry.Caption + QStringLiteral(" [") + QueueDurationText(SelectionModel()->Rows()) +
               u']');
    UpdateCommands();
}

void TfrmMain::tvFilesChange() {
    // The tree's current folder also moves by itself (a folder renamed or unmounted under it);
    // only a choice made in the disk-folder view fills the song list.
    if (!started_ || viewKind_ != ViewKind::DiskFolder || !Library.ShowFolderSongs)
        return;
    const QModelIndex at = tvFiles_->currentIndex();
    if (!at.isValid())
        return;
    showTitle(QStringLiteral("My files"));
    SongRows rows;
    Library.ShowFolderSongs(filesModel_->filePath(at), rows);
    ShowSongsIn(lvSelection_, std::move(rows));
    UpdateCommands();
}

void TfrmMain::SetFilterState(bool timeFilterOn, bool collectionFilterActive) {
    timeFilterOn_ = timeFilterOn;
    collectionFilterActive_ = collectionFilterActive;
    UpdateCommands();
}

void TfrmMain::UpdateCommands() {
    CommandContext context;
    context.songPage = SongPage(Notebook2_->currentIndex());
    context.categoryPage = CategoryPage(Notebook1_->currentIndex());
    const TSongListView* list = CurrentSongList();
    context.currentListHasSelection = list && list->HasSelectedRow();
    context.timeFilterOn = timeFilterOn_;
    context.collectionFilterActive = collectionFilterActive_;
    const CommandStates states = ComputeCommandStates(context);

    for (auto it = commands_.cbegin(); it != commands_.cend(); ++it) {
        const bool built = handlers_.contains(handlerOf_.value(it.value()));
        it.value()->setEnabled(built && IsCommandEnabled(RuleOfCommand(it.key()), states));
    }
    btnMove_->setEnabled(IsCommandEnabled(RuleOfCommand(u"btnMove"), states));
    lblFilterActive_->setVisible(states.filterLabelVisible);
    const char* playButtons[] = {"btnPlay", "btnPause", "btnStop"};
    for (size_t i = 0; i < std::size(playButtons); ++i)
        if (QAction* button = Command(QString::fromLatin1(playButtons[i]));
            button && !playButtons_[i])
            button->setEnabled(false);
}

void TfrmMain::SetPlayButtons(bool play, bool pause, bool stop) {
    playButtons_ = {play, pause, stop};
    UpdateCommands();
}

void TfrmMain::connectSongList(TSongListView* list) {
    auto changed = [this, list] {
        SongListChanged(list);
    };
    connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, this, changed);
    connect(list->selectionModel(), &QItemSelectionModel::currentRowChanged, this, changed);
    connect(list->Songs(), &QAbstractItemModel::modelReset, this, changed);
    connect(list->Songs(), &QAbstractItemModel::rowsRemoved, this, changed);
    connect(list->Songs(), &QAbstractItemModel::rowsInserted, this, [this, list] {
        if (list == CurrentSongList())
            showItemCount(list);
    });
    list->OnKeyDown = [this, list](int key) {
        if (list == lvSelection_)
            SongListKeyDown(list, key);
        else if (key == Qt::Key_Delete)
            runHandler(QStringLiteral("lvPlayingSongsKeyDown"));
    };
}

void TfrmMain::showItemCount(const TSongListView* list) {
    statusPanels_[0]->setText(QString::number(list->Songs()->rowCount()) +
                              QStringLiteral(" Item(s)."));
}

void TfrmMain::SongListChanged(TSongListView* list) {
    // The status bar tells about the list shown; the other one changes out of sight (the
    // player empties and fills the queue while the main list is shown).
    if (list != CurrentSongList()) {
        UpdateCommands();
        return;
    }
    showItemCount(list);
    const int row = list->FocusedSelectedRow();
    if (row >= 0) {
        const SongRow& song = list->Songs()->Row(row);
        statusPanels_[1]->setText(song.Path());
        if (Library.ShowCover)
            Library.ShowCover(song.Artist, song.Album, song.Path());
        if (lyrics2_->isChecked() && Library.ShowLyrics)
            Library.ShowLyrics(song);
    } else {
        statusPanels_[1]->clear();
    }
    UpdateCommands();
}

namespace {
const QString kListChangedNothingMoved =
    QStringLiteral("The song list changed while the question was open; nothing was moved.");
} // namespace

void TfrmMain::SongListKeyDown(TSongListView* list, int key) {
    if (key == Qt::Key_Delete && prompts_) {
        DeleteKeyAction action = DeleteKeyActionFor(viewKind_, list->HasSelectedRow());
        const SongListModel::FileSource source = list->Songs()->Source();
        // Rows that no file stands behind (a search, "Show all", an unreadable playlist) are
        // treated as in the other views: no file is rewritten from them.
        if (action == DeleteKeyAction::RemoveFromFavourites ||
            action == DeleteKeyAction::RemoveFromPlaylist)
            if (source.File.isEmpty())
                action = DeleteKeyAction::MoveToRemovedSongs;
        const std::vector<int> rows = list->SelectedRows();
        switch (action) {
        case DeleteKeyAction::MoveToRemovedSongs: {
            const quint64 shown = list->Songs()->Revision();
            if (!Library.RemoveSongs || !prompts_->confirm(DeleteKeyQuestion(action)))
                break;
            // The rows were chosen before the question; if the list was filled anew while it
            // was open, they would name other songs now.
            if (list->Songs()->Revision() == shown)
                Library.RemoveSongs(list, rows);
            else
                prompts_->information(kListChangedNothingMoved);
            break;
        }
        case DeleteKeyAction::RemoveFromFavourites:
        case DeleteKeyAction::RemoveFromPlaylist: {
            // The playlist commands ask their own question before they edit the file.
            SongRows selected;
            for (int r : rows)
                selected.push_back(list->Songs()->Row(r));
            const PlaylistKind kind = action == DeleteKeyAction::RemoveFromFavourites
                                          ? PlaylistKind::Favourites
                                          : PlaylistKind::Playlist;
            if (RemoveFromPlaylist(kind, source.File, source.BaseFolder, selected, *prompts_))
                list->Songs()->RemoveRows(rows);
            break;
        }
        case DeleteKeyAction::Nothing:
            break;
        }
    }
    showDuration(list);
}

bool TfrmMain::acceptsDrag(QObject* source) const {
    const TSongListView* current = CurrentSongList();
    return current && source == current;
}

void TfrmMain::dropOnFolders(QTreeWidgetItem* node, QObject* source) {
    auto* list = qobject_cast<TSongListView*>(source);
    QTreeWidgetItem* top = TFolderTree::TopFolder(node);
    if (!list || !top || list != CurrentSongList())
        return;
    DropSongs(FolderDropActionFor(top->text(0)), list, list->SelectedRows());
}

void TfrmMain::DropSongs(FolderDropAction action, TSongListView* list,
                         const std::vector<int>& rows) {
    switch (action) {
    case FolderDropAction::AddToFavourites: {
        if (!prompts_)
            return;
        SongRows selected;
        for (int r : rows)
            selected.push_back(list->Songs()->Row(r));
        AddToFavourites(FavouritesPath(programFolder_), selected, *prompts_);
        if (viewKind_ == ViewKind::Favourites)
            fillFavourites();
        break;
    }
    case FolderDropAction::AddToPlayingSongs: {
        if (!Library.AddToPlayingSongs)
            return;
        bool skipAll = false;
        for (auto it = rows.rbegin(); it != rows.rend(); ++it)
            Library.AddToPlayingSongs(list->Songs()->Row(*it), skipAll);
        if (Library.CurrentSong && Library.CurrentSong() < 0 &&
            PlayingSongsModel()->rowCount() > 0 && Library.PlayFirstPlayingSong)
            Library.PlayFirstPlayingSong();
        break;
    }
    case FolderDropAction::Nothing:
        break;
    }
}

} // namespace orvane
