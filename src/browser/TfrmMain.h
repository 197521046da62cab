#pragma once
// The main window: the menu bar, the "Main tools" and "Advanced" toolbars, the title bar, the
// left pane (folder tree of views, side bar, cover panel), the category pane (genres, albums,
// artists, playlists, disk folders), the song pane (lvSelection, lvPlayingSongs, start page),
// the lyrics pane and the status bar.
//
// It shows things and passes the user's requests on. Which panes a view shows, which commands
// are enabled and what the Delete key does come from ViewTable and CommandRules; the song
// computations of the views and the commands of other areas are reached through the hooks in
// LibraryHooks and through SetHandler. GUI thread only.
//
// Files: TfrmMain.cpp builds the regions, MainWindowMenus.cpp the menus, toolbars and pop-up
// menus, MainWindowViews.cpp the view switching and the song-list reactions,
// MainWindowShortcuts.cpp the side bar's playlist shortcuts.

#include "browser/CommandRules.h"
#include "browser/FolderRootsModel.h"
#include "browser/FolderTree.h"
#include "browser/SongListView.h"
#include "browser/ViewTable.h"
#include "playlists/PlaylistList.h"
#include "store/BrowseLists.h"
#include "store/SongRows.h"

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QMap>
#include <QSplitter>
#include <QStackedWidget>
#include <QToolButton>
#include <array>
#include <functional>
#include <optional>
#include <vector>

class QComboBox;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QSlider;
class QTextBrowser;
class QToolBar;
class QTreeView;

namespace orvane {

class Prompts;
struct SongStore;
class TSideBar;

// The song computations and file operations of the views, set by the program. A hook that is
// not set leaves its list as it is (and its command does nothing).
struct LibraryHooks {
    // Replace target with the songs of one album, artist or genre, the new songs, the MP3 files
    // lying directly in a folder, or the songs of a playlist file (true when the file was read;
    // an unreadable one empties target).
    std::function<void(const QString& album, SongRows& target)> ShowAlbumSongs;
    std::function<void(const QString& artist, SongRows& target)> ShowArtistSongs;
    std::function<void(const QString& genre, SongRows& target)> ShowGenreSongs;
    std::function<void(SongRows& target)> ShowNewSongs;
    std::function<void(const QString& folder, SongRows& target)> ShowFolderSongs;
    std::function<bool(const QString& file, const QString& baseFolder, SongRows& target)>
        LoadPlaylist;
    // Bring the album (artist) list up to date with the collection when it is not; the window
    // then shows the store's list.
    std::function<void()> RebuildAlbumList;
    std::function<void()> RebuildArtistList;
    // Move the given rows' files to the removed-songs folder and take them out of list.
    std::function<void(TSongListView* list, const std::vector<int>& rows)> RemoveSongs;
    // Move the given rows' files into folder (dropped on the disk-folder tree).
    std::function<void(TSongListView* list, const std::vector<int>& rows, const QString& folder)>
        MoveSongsToFolder;
    // Add a row to the playing songs; skipAll is threaded through a batch of rows.
    std::function<void(const SongRow& row, bool& skipAll)> AddToPlayingSongs;
    // The index of the song open in the player (-1 for none), and playing row 0 of the queue.
    std::function<int()> CurrentSong;
    std::function<void()> PlayFirstPlayingSong;
    // The cover of an artist and album (song: the file whose own picture stands in when no
    // picture is linked), and the lyrics of a row.
    std::function<void(const QString& artist, const QString& album, const QString& song)> ShowCover;
    std::function<void(const SongRow& row)> ShowLyrics;
};

class TfrmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TfrmMain(QWidget* parent = nullptr);
    ~TfrmMain() override;

    // What the window works with; each must outlive it. Without prompts nothing is asked and
    // the commands that would ask do nothing.
    void SetPrompts(Prompts* prompts) { prompts_ = prompts; }
    void SetStore(const SongStore* store) { store_ = store; }
    // The program folder (with trailing separator): favourites.orv, recycle, the start page.
    void SetProgramFolder(const QString& folder) { programFolder_ = folder; }
    const QString& ProgramFolder() const { return programFolder_; }
    // Opens the disk-folder tree (home, this folder, the root and the media) at the MP3 base
    // folder; playlists are listed from it.
    void SetMp3Base(const QString& folder);
    const QString& Mp3Base() const { return mp3Base_; }
    // After a playlist was made or grew: lists the playlists again when the category pane
    // shows its playlist page.
    void RefillPlaylistList();
    // Until set, a folder chosen in the disk-folder tree shows nothing (the tree reports
    // selections while it first reads the drives).
    void SetStarted(bool started) { started_ = started; }
    LibraryHooks Library;

    // Runs once, right after the window is first shown (the start-up sequence).
    std::function<void()> OnFirstShow;
    // Asked when the window is about to close; false keeps it open.
    std::function<bool()> OnClose;
    // File > "Refresh Database" (F5) and the toolbar button btnAdvRefresh.
    std::function<void()> OnRefreshDatabase;
    // Extra > "&Options...".
    std::function<void()> OnPreferences;

    // Commands of the menus, pop-up menus and toolbars by their handler's name
    // ("NewPlaylist1Click"). Items whose handler is not set are shown greyed out.
    void SetHandler(const QString& handler, std::function<void()> run);
    bool HasHandler(const QString& handler) const;
    // A menu item or toolbar command by its component name ("NewPlaylist1", "btnDelete"), or
    // null; a menu by its name ("System1", "pmMP3").
    QAction* Command(const QString& name) const;
    QMenu* Menu(const QString& name) const;
    // The handler a command calls.
    QString HandlerOf(const QAction* command) const;

    // Views.
    ViewKind CurrentView() const { return viewKind_; }
    // The song list that commands act on, or null on the start page.
    TSongListView* CurrentSongList() const;
    void SetFolderCaptions();
    // Selects the (last) node with that text, which shows its view; tells the user when none.
    void SelectFolderNode(const QString& name);
    void ShowView(QTreeWidgetItem* node);
    void UpdateCommands();
    // What the player allows of btnPlay, btnPause and btnStop; UpdateCommands keeps it.
    void SetPlayButtons(bool play, bool pause, bool stop);
    void SongListChanged(TSongListView* list);
    void SongListKeyDown(TSongListView* list, int key);
    // Shows the genre page of the category pane.
    void ShowGenrePage();
    // Shows the store's genre (album, artist) list again.
    void RebuildGenreList();
    // The same, only when the store's genre list has grown since.
    void RefreshGenreList();
    // Show the store's album (artist) list; the widget is refilled only when the list was
    // rebuilt, and entries added since it was shown are put in their sorted places.
    void ShowAlbumList();
    void ShowArtistList();
    // After songs came into the collection: the genre list and the album or artist list shown
    // take in their new entries.
    void FollowBrowseLists();
    // Shows the current view again as if its node had just been chosen.
    void RefreshView();
    // Puts the net browser (made by the program, with its web engine) into the song pane's
    // "NetBrowser" page; the window takes it over.
    void SetNetBrowser(QWidget* browser);
    // Filter state told by the filters; UpdateCommands shows "(Filter active)" from it.
    void SetFilterState(bool timeFilterOn, bool collectionFilterActive);
    // Builds the songs of the view shown again from their source (after a filter change): the
    // selected genre, album, artist, playlist or disk folder, the favourites, the new or removed
    // songs. The start page and the playing songs are left as they are.
    void RebuildShownView();
    // Replaces the rows of a song list, shows their duration over it and sorts them by the
    // user's last column where the view sorts.
    void ShowSongsIn(TSongListView* list, SongRows rows);
    // Caption bars above the two song lists.
    void SetCaption(const QString& text);
    void SetPlayingSongsCaption(const QString& text);
    // Expands the folder tree from its first node.
    void ExpandFolders();

    // For the side bar (MainWindowShortcuts.cpp). FindPlaylistEntry lists the playlists of the
    // MP3 base folder into lvPlaylist again and gives the first one called name, without regard
    // to case. OpenPlaylistShortcut shows that playlist in the playlists view; false, with the
    // view left as it was, when there is none. RefreshSideBarShortcuts greys out the shortcuts
    // whose playlist is gone.
    std::optional<PlaylistEntry> FindPlaylistEntry(const QString& name);
    bool OpenPlaylistShortcut(const QString& name);
    void RefreshSideBarShortcuts();
    // Songs of list dropped on the favourites (asked first) or the playing songs (the first
    // song plays when none is open), the last of rows first.
    void DropSongs(FolderDropAction action, TSongListView* list, const std::vector<int>& rows);

    TFolderTree* tvFolders() const { return tvFolders_; }
    TSongListView* lvSelection() const { return lvSelection_; }
    TSongListView* lvPlayingSongs() const { return lvPlayingSongs_; }
    SongListModel* SelectionModel() const { return lvSelection_->Songs(); }
    SongListModel* PlayingSongsModel() const { return lvPlayingSongs_->Songs(); }
    QLabel* StatusPanel(int i) const { return statusPanels_[size_t(i)]; }
    // Adds a widget of fixed width at the right end of the status bar; the file panel leaves
    // room for it.
    void AddStatusWidget(QWidget* widget);
    QLabel* CaptionBar() const { return pnlCaptionBar_; }
    QLabel* PlayingSongsCaption() const { return pnlDurationPlayingSongs_; }
    QStackedWidget* CategoryPane() const { return Notebook1_; }
    QStackedWidget* SongPane() const { return Notebook2_; }
    QStackedWidget* BrowserPane() const { return nbBrowser_; }
    TSideBar* obMain() const { return obMain_; }
    QWidget* NetBrowserSlot() const { return netBrowserSlot_; }
    QTextBrowser* htmlLyrics() const { return htmlLyrics_; }
    QTreeView* tvFiles() const { return tvFiles_; }
    FolderRootsModel* FilesModel() const { return filesModel_; }
    QListWidget* lbGenres() const { return lbGenres_; }
    QListWidget* lvAlbums() const { return lvAlbums_; }
    QListWidget* lvArtists() const { return lvArtists_; }
    QListWidget* lvPlaylist() const { return lvPlaylist_; }
    QLabel* FilterActiveLabel() const { return lblFilterActive_; }
    QLabel* btnIcon() const { return btnIcon_; }
    QWidget* pnlTitle() const { return pnlTitle_; }
    QWidget* pnlBottom() const { return pnlBottom_; }
    QWidget* pnlAlbumBottom() const { return pnlAlbumBottom_; }
    QLabel* imgAlbumCover() const { return imgAlbumCover_; }
    // The selected entry of the album list: its album and the artist kept with it.
    struct AlbumEntry {
        QString Album;
        QString Artist;
    };
    std::optional<AlbumEntry> SelectedAlbum() const;
    // The quick-search box: an editable combo box whose list is the run's search history.
    QComboBox* edSearchtxt() const { return edSearchtxt_; }
    QSlider* TrackBar1() const { return TrackBar1_; }
    QToolButton* btnMove() const { return btnMove_; }
    QToolButton* Button(const QString& name) const;

    // The title bar over the song pane.
    void SetTitleText(const QString& text);
    QString TitleText() const;
    // The title as FitTitleText gives it for the label's font and the bar's width.
    QString FittedTitle(const QString& text) const;

    QAction* RefreshDatabase1() const { return Command(QStringLiteral("RefreshDatabase1")); }
    QAction* Quit1() const { return Command(QStringLiteral("Quit1")); }
    QAction* Preferences1() const { return Command(QStringLiteral("Preferences1")); }
    QToolButton* btnAdvRefresh() const { return Button(QStringLiteral("btnAdvRefresh")); }

    // The View-menu toggles whose check marks the settings keep. Triggering one runs its
    // command: "Orvane-bar" and "Folders" show their page of the browse panel, check themselves
    // and uncheck each other; "Status&bar" flips its check mark and shows the status bar exactly
    // when checked; "Show comments" flips its check mark and sets the rows' height; "Album
    // cover" and "Lyrics" show or hide their panels.
    QAction* ShowOrvanebar1() const { return showOrvanebar1_; }
    QAction* Showbrowser1() const { return showbrowser1_; }
    QAction* Showcomments1() const { return showcomments1_; }
    QAction* Albumcover1() const { return albumcover1_; }
    QAction* Lyrics2() const { return lyrics2_; }
    QAction* Showstatusbar() const { return showstatusbar_; }

    // Widths and heights of the resizable panels, in pixels.
    int BrowserWidth() const;
    void SetBrowserWidth(int width);
    int BottomHeight() const;
    void SetBottomHeight(int height);

    bool eventFilter(QObject* watched, QEvent* event) override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // TfrmMain.cpp: the regions.
    QWidget* buildLeftPane();
    QWidget* buildTitleBar();
    QWidget* buildCategoryPane();
    QWidget* buildSongPane();
    QWidget* buildLyricsPane();
    void buildFolderTree();
    void buildStatusBar();
    void placeTitleBarParts();
    void placeStatusPanels();

    // MainWindowMenus.cpp: menus, toolbars and their wiring.
    void buildMenus();
    void buildPopupMenus();
    void buildToolbars();
    QMenu* addMenu(QMenu* parent, const QString& caption, const QString& name);
    QAction* addItem(QMenu* menu, const QString& caption, const QKeySequence& shortcut,
                     const QString& handler, const QString& name = {});
    QAction* addToggle(QMenu* menu, const QString& text, const QString& name, bool checked);
    QToolButton* addButton(QToolBar* bar, const QString& name, const QString& caption,
                           const QString& hint, const QIcon& icon, const QString& handler);
    void wireOwnCommands();
    void runHandler(const QString& handler);
    void sendDeleteKey();
    void addSelectionToFavourites();
    void deleteSelectedPlaylist();

    // MainWindowViews.cpp.
    void applyLayout(const ViewLayout& layout);
    void fillView(ViewKind kind);
    void fillFavourites();
    void fillPlaylistList();
    // Fills lvPlaylist from playlists_ and marks the side bar's shortcuts; the entry of file
    // keepChosen, when there is one, is chosen again without showing it anew.
    void showPlaylistEntries(const QString& keepChosen = {});
    void showTitle(const QString& text);
    void showRows(TSongListView* list, SongRows rows);
    void showDuration(TSongListView* list);
    void lvAlbumsChange();
    void lvArtistsChange();
    void lbGenresClick();
    void lvPlaylistChange();
    void tvFilesChange();
    struct ShownBrowseList {
        quint64 generation = 0;
        qsizetype count = -1; // entries of the store's list shown; -1: never shown
    };
    void showBrowseList(QListWidget* list, const BrowseList& entries, ShownBrowseList& shown);
    bool acceptsDrag(QObject* source) const;
    void dropOnFolders(QTreeWidgetItem* node, QObject* source);
    void connectSongList(TSongListView* list);
    void showItemCount(const TSongListView* list);

    Prompts* prompts_ = nullptr;
    const SongStore* store_ = nullptr;
    QString programFolder_;
    QString mp3Base_;
    bool started_ = false;
    ViewKind viewKind_ = ViewKind::Genres;
    bool timeFilterOn_ = false;
    bool collectionFilterActive_ = false;

    TFolderTree* tvFolders_ = nullptr;
    QStackedWidget* nbBrowser_ = nullptr;
    TSideBar* obMain_ = nullptr;
    QWidget* pnlBrowser_ = nullptr;
    QWidget* pnlAlbumBottom_ = nullptr;
    QLabel* imgAlbumCover_ = nullptr;
    QWidget* pnlTitle_ = nullptr;
    QLabel* lblTitle_ = nullptr;
    QLabel* btnIcon_ = nullptr;
    QLabel* lblFilterActive_ = nullptr;
    QStackedWidget* Notebook1_ = nullptr;
    QStackedWidget* Notebook2_ = nullptr;
    QListWidget* lbGenres_ = nullptr;
    QListWidget* lvAlbums_ = nullptr;
    QListWidget* lvArtists_ = nullptr;
    QListWidget* lvPlaylist_ = nullptr;
    QTreeView* tvFiles_ = nullptr;
    FolderRootsModel* filesModel_ = nullptr;
    QLabel* pnlCaptionBar_ = nullptr;
    QLabel* pnlDurationPlayingSongs_ = nullptr;
    TSongListView* lvSelection_ = nullptr;
    TSongListView* lvPlayingSongs_ = nullptr;
    QWidget* netBrowserSlot_ = nullptr; // holds the net browser
    QWidget* pnlBottom_ = nullptr;
    QTextBrowser* htmlLyrics_ = nullptr;
    QSplitter* splitLyrics_ = nullptr;
    QSplitter* splitter_ = nullptr;
    std::array<QLabel*, 4> statusPanels_{};
    std::vector<QWidget*> statusWidgets_;
    QComboBox* edSearchtxt_ = nullptr;
    QSlider* TrackBar1_ = nullptr;
    std::array<bool, 3> playButtons_{true, false, false}; // btnPlay, btnPause, btnStop
    QToolButton* btnMove_ = nullptr;

    QAction* showOrvanebar1_ = nullptr;
    QAction* showbrowser1_ = nullptr;
    QAction* showcomments1_ = nullptr;
    QAction* albumcover1_ = nullptr;
    QAction* lyrics2_ = nullptr;
    QAction* showstatusbar_ = nullptr;

    // Every command item with the handler it calls.
    QMap<QString, QAction*> commands_;    // by component name
    QMap<QAction*, QString> handlerOf_;   // the handler each item calls
    QMap<QString, QMenu*> menus_;         // by name
    QMap<QString, QToolButton*> buttons_; // by component name
    QMap<QString, std::function<void()>> handlers_;
    struct DurationCache {
        quint64 revision = 0;
        QString text;
    };
    DurationCache selectionDuration_;
    DurationCache playingDuration_;
    PlaylistView playlists_; // the entries of lvPlaylist, row for row
    int shownGenreCount_ = -1;
    ShownBrowseList shownAlbums_;
    ShownBrowseList shownArtists_;
    bool shown_ = false;
};

} // namespace orvane
