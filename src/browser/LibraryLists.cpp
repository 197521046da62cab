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

// Calls add(i) for the first song of each distinct text of the field, in collection order: a
// browse list keeps the first spelling of a name, so the later songs of a text add nothing.
template <typename Add>
void ForFirstOfEachText(const CollectionList& songs, SongField field, Add add) {
    std::vector<bool> met(songs.TextCount(), false);
    for (qsizetype i = 0; i < songs.size(); ++i) {
        const uint32_t text = songs.TextNumber(i, field);
        if (!met[text]) {
            met[text] = true;
            add(i);
        }
    }
}

} // namespace

std::vector<LibraryEntry> RebuildAlbumList(const CollectionList& songs, BrowseList& albums,
                                           BrowseReadyFlags& ready) {
    albums.Clear();
    albums.Add(QString(), QString());
    ForFirstOfEachText(songs, SongField::Album, [&](qsizetype i) {
        const QString& album = songs.Value(i, SongField::Album);
        if (!album.isEmpty())
            albums.Add(album, songs.Value(i, SongField::Artist));
    });
    ready.AlbumListReady = true;
    return Entries(albums, true);
}

std::vector<LibraryEntry> RebuildArtistList(const CollectionList& songs, BrowseList& artists,
                                            BrowseReadyFlags& ready) {
    artists.Clear();
    artists.Add(QString());
    ForFirstOfEachText(songs, SongField::Artist, [&](qsizetype i) {
        const QString& artist = songs.Value(i, SongField::Artist);
        if (!artist.isEmpty())
            artists.Add(artist);
    });
    ready.ArtistListReady = true;
    return Entries(artists, false);
}

QStringList RebuildGenreList(const CollectionList& songs, BrowseList& genres) {
    genres.Clear();
    ForFirstOfEachText(songs, SongField::Genre,
                       [&](qsizetype i) { genres.Add(songs.Value(i, SongField::Genre)); });
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
