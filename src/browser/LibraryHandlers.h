#pragma once
// What the main window's handlers of the library views do, apart from the widgets: each fills
// the list it is given and says what the window shows next. The window picks the argument from
// the selected entry or row, calls one of these and applies the ViewUpdate: the title bar text
// (fitted with FitTitleText), the caption over the list that was filled, the cover, the re-sort
// by the user's last column (only in views whose column sorting is on), then UpdateCommands.
//
// Data logic: QtCore only, GUI thread.

#include "browser/LibraryLists.h"
#include "store/CollectionList.h"
#include "store/DisplayFilter.h"
#include "store/MpegAudio.h"
#include "store/SongRows.h"

#include <QString>
#include <optional>

namespace orvane {

// What the views read: the collection, the display filter, the shared file-information object.
struct LibrarySources {
    const CollectionList& Songs;
    const DisplayFilter& Filter;
    TMPEGAudio& Mpeg;
};

struct CoverKey {
    QString Artist;
    QString Album;
    bool operator==(const CoverKey&) const = default;
};

struct ViewUpdate {
    bool Filled = false;               // false: the handler did nothing, leave the window alone
    std::optional<QString> Title;      // the title bar's new text, before fitting; none: unchanged
    std::optional<QString> CaptionBar; // the caption over the list that was filled
    std::optional<CoverKey> Cover;     // the cover to show
    bool Resort = false;               // re-sort by the last chosen column, if sorting is on
};

// An entry of lvAlbums selected: its album's songs into lvSelection; title = the album name;
// the cover of (the entry's artist, its album).
ViewUpdate lvAlbumsChange(const LibrarySources& from, const LibraryEntry& entry,
                          SongRows& lvSelection);
// An entry of lvArtists selected: its artist's songs; title = the artist name.
ViewUpdate lvArtistsChange(const LibrarySources& from, const LibraryEntry& entry,
                           SongRows& lvSelection);
// A genre clicked in lbGenres (with an item selected): its songs; the title is left as it is.
ViewUpdate lbGenresClick(const LibrarySources& from, const QString& genre, SongRows& lvSelection);
// A folder selected in tvFiles: ignored until the start-up has finished (the tree reports a
// selection while it first reads the drives); then title "My files" and the folder's songs.
ViewUpdate tvFilesChange(const LibrarySources& from, bool started, const QString& folder,
                         SongRows& lvSelection);
// The removed-songs view: the songs lying in the program folder's "recycle" folder.
ViewUpdate ShowRemovedSongs(const LibrarySources& from, const QString& programFolder,
                            SongRows& lvSelection);
// The new-songs view ("NEW").
ViewUpdate ShowNewSongsView(const LibrarySources& from, SongRows& lvSelection);

// Actions > "Show all from artist" / "Show all from album" and the pop-up's items: with a row
// selected in the current song list (the first selected one), every song of the row's artist
// (album) replaces the rows of that same list; an empty album shows every song with an empty
// album. The view, the title and the folder tree stay as they are. Nothing happens without a
// current list or a selected row. The row may be one of currentList's own rows.
ViewUpdate Showallfromartist1Click(const LibrarySources& from, const SongRow* selected,
                                   SongRows* currentList);
ViewUpdate Showallfromalbum1Click(const LibrarySources& from, const SongRow* selected,
                                  SongRows* currentList);

// Whether ShowView must rebuild the album (artist) list, behind the "Searching..." window,
// before it shows the albums (artists) view.
inline bool AlbumListNeedsRebuild(const BrowseReadyFlags& ready) {
    return !ready.AlbumListReady;
}
inline bool ArtistListNeedsRebuild(const BrowseReadyFlags& ready) {
    return !ready.ArtistListReady;
}

} // namespace orvane
