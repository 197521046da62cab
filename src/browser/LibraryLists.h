#pragma once
// The browse lists of the category pane rebuilt from the collection list: albums, artists and
// genres. Each name is held once, compared upper-cased (ASCII a-z only) as whole texts, blanks
// included, with the spelling of the first record met. The album and artist lists begin with
// a blank entry, which shows the songs whose album (artist) is empty, and are sorted by
// caption with the locale-aware comparison, so letter case only breaks ties.
//
// A rebuild is one pass over the collection with a hash look-up per record and one sort of the
// distinct names at the end. Data logic: QtCore only, GUI thread (which owns the collection).

#include "store/BrowseLists.h"
#include "store/CollectionList.h"

#include <QStringList>
#include <vector>

namespace orvane {

// True while the album (artist) list matches the collection list. Set at start-up, when the
// lists were filled record by record as the cache was read; a full rescan and the tag editor
// clear both; the rebuilds set them again.
struct BrowseReadyFlags {
    bool AlbumListReady = true;
    bool ArtistListReady = true;
};

// One entry of the album or artist list. An album entry carries the album again and the artist
// of the first record met with it (its two sub-values); an artist entry has the caption only.
struct LibraryEntry {
    QString Caption;
    QString Album;  // sub-value 0 of an album entry
    QString Artist; // sub-value 1 of an album entry

    bool operator==(const LibraryEntry&) const = default;
};

// Refill list from the collection (blank entry first for albums and artists) and return its
// entries in the order the category pane shows them.
std::vector<LibraryEntry> RebuildAlbumList(const CollectionList& songs, BrowseList& albums,
                                           BrowseReadyFlags& ready);
std::vector<LibraryEntry> RebuildArtistList(const CollectionList& songs, BrowseList& artists,
                                            BrowseReadyFlags& ready);
QStringList RebuildGenreList(const CollectionList& songs, BrowseList& genres);

// The entries of a list as it stands (as RegisterBrowseKeys filled it while songs came in).
std::vector<LibraryEntry> AlbumEntries(const BrowseList& albums);
std::vector<LibraryEntry> ArtistEntries(const BrowseList& artists);
QStringList GenreNames(const BrowseList& genres);

} // namespace orvane
