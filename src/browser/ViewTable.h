#pragma once
// The views of the main window and how each one lays out the window. Pure data: the window
// applies a ViewLayout to its panes; tests check the table without a window.

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace orvane {

enum class ViewKind : int {
    StartPage = 0,
    Albums = 1,
    Artists = 2,
    Favourites = 3,
    Genres = 4,
    DiskFolder = 5,
    PlayingSongs = 6,
    Playlists = 7,
    RemovedSongs = 8,
    NewSongs = 9,
};

// Pages of the category notebook, in their order.
enum class CategoryPage : int {
    Genres = 0,
    Orvane = 1,
    Albums = 2,
    Artists = 3,
    Playlist = 4,
    Playing = 5,
    MyFiles = 6,
};

// Pages of the song notebook.
enum class SongPage : int { Selection = 0, PlayingSongs = 1, NetBrowser = 2 };

enum class ColumnSorting { Unchanged, HeaderClickToggles, Off };
enum class SongListId { None, Selection, PlayingSongs };

struct ViewLayout {
    ViewKind kind;
    bool categoryShown;
    CategoryPage categoryPage; // kept while hidden
    SongPage songPage;
    ColumnSorting sorting;
    SongListId currentList;
};

// The layout of a view.
const ViewLayout& LayoutOf(ViewKind kind);

// The song list that commands act on in a view.
inline SongListId CurrentSongListOf(ViewKind kind) {
    return LayoutOf(kind).currentList;
}

// Display names of the views, used to find their nodes ("Orvane", "Albums", ..., "NEW").
QString DisplayName(ViewKind kind);

// The view a top folder of the tree stands for: its text compared without regard to case with
// the display names in the order Albums, Artists, Favourites, My files, Genres, Playing,
// Playlist, Removed songs, NEW. Nothing when no name matches.
std::optional<ViewKind> ViewOfTopFolder(const QString& text);

// The fixed children of the tree's root, sorted by text.
QStringList FolderNodeNames();

// (internal name, caption) pairs set on the tree's nodes at start-up; "NEW" keeps its text.
struct FolderCaption {
    QString internalName;
    QString caption;
};
const std::vector<FolderCaption>& FolderCaptions();

// The index of the last text equal to name without regard to case, or -1. The folder tree
// passes its node texts in tree order, so of two nodes with the same text the later one wins.
qsizetype FindLastNoCase(const QStringList& texts, const QString& name);

// The message shown when no folder node has the name asked for (whatever the name was).
inline const QString kFolderNodeMissing = QStringLiteral("Unable finding Genres subfolder");

} // namespace orvane
