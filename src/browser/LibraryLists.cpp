#include "browser/LibraryLists.h"

namespace orvane {

namespace {

// Entries sorted by name, the blank one first: the locale's collation may rank a name of
// ignorable characters level with the empty one, and the blank entry must still lead.
std::vector<LibraryEntry> Entries(const BrowseList& list, bool albumValues) {
    const std::vector<BrowseEntry>& sorted = list.Sorted();
    std::vector<LibraryEntry> entries;
    entries.reserve(sorted.size());
    for (const BrowseEntry& e : sorted) {
        if (e.Name.isEmpty()) {
            entries.insert(entries.begin(), {e.Name, e.Name, albumValues ? e.Extra : QString()});
            continue;
        }
        if (albumValues)
            entries.push_back({e.Name, e.Name, e.Extra});
        else
            entries.push_back({e.Name, {}, {}});
    }
    return entries;
}

} // namespace

std::vector<LibraryEntry> RebuildAlbumList(const CollectionList& songs, BrowseList& albums,
                                           BrowseReadyFlags& ready) {
    albums.Clear();
    albums.Add(QString(), QString());
    for (const SongRecord& r : songs) {
        if (!r.Album.isEmpty())
            albums.Add(r.Album, r.Artist);
    }
    ready.AlbumListReady = true;
    return Entries(albums, true);
}

std::vector<LibraryEntry> RebuildArtistList(const CollectionList& songs, BrowseList& artists,
                                            BrowseReadyFlags& ready) {
    artists.Clear();
    artists.Add(QString());
    for (const SongRecord& r : songs) {
        if (!r.Artist.isEmpty())
            artists.Add(r.Artist);
    }
    ready.ArtistListReady = true;
    return Entries(artists, false);
}

QStringList RebuildGenreList(const CollectionList& songs, BrowseList& genres) {
    genres.Clear();
    for (const SongRecord& r : songs)
        genres.Add(r.Genre);
    return GenreNames(genres);
}

std::vector<LibraryEntry> AlbumEntries(const BrowseList& albums) {
    return Entries(albums, true);
}

std::vector<LibraryEntry> ArtistEntries(const BrowseList& artists) {
    return Entries(artists, false);
}

QStringList GenreNames(const BrowseList& genres) {
    QStringList names;
    names.reserve(genres.size());
    for (const BrowseEntry& e : genres.Sorted())
        names.push_back(e.Name);
    return names;
}

} // namespace orvane
