#include "browser/LibraryHandlers.h"

#include "browser/LibraryViews.h"
#include "browser/QueueDuration.h"

namespace orvane {

namespace {

ViewUpdate Filled(const SongRows& list) {
    ViewUpdate update;
    update.Filled = true;
    update.CaptionBar = QueueDurationText(list);
    update.Resort = true;
    return update;
}

} // namespace

ViewUpdate lvAlbumsChange(const LibrarySources& from, const LibraryEntry& entry,
                          SongRows& lvSelection) {
    ShowAlbumSongs(from.Songs, entry.Album, from.Filter, lvSelection);
    ViewUpdate update = Filled(lvSelection);
    update.Title = entry.Album;
    update.Cover = CoverKey{entry.Artist, entry.Album};
    return update;
}

ViewUpdate lvArtistsChange(const LibrarySources& from, const LibraryEntry& entry,
                           SongRows& lvSelection) {
    ShowArtistSongs(from.Songs, entry.Caption, from.Filter, lvSelection);
    ViewUpdate update = Filled(lvSelection);
    update.Title = entry.Caption;
    return update;
}

ViewUpdate lbGenresClick(const LibrarySources& from, const QString& genre, SongRows& lvSelection) {
    ShowGenreSongs(from.Songs, genre, from.Filter, lvSelection);
    return Filled(lvSelection);
}

ViewUpdate tvFilesChange(const LibrarySources& from, bool started, const QString& folder,
                         SongRows& lvSelection) {
    if (!started)
        return {};
    ShowFolderSongs(folder, from.Mpeg, from.Filter, lvSelection);
    ViewUpdate update = Filled(lvSelection);
    update.Title = QStringLiteral("My files");
    return update;
}

ViewUpdate ShowRemovedSongs(const LibrarySources& from, const QString& programFolder,
                            SongRows& lvSelection) {
    ShowFolderSongs(RemovedSongsFolder(programFolder), from.Mpeg, from.Filter, lvSelection);
    return Filled(lvSelection);
}

ViewUpdate ShowNewSongsView(const LibrarySources& from, SongRows& lvSelection) {
    ShowNewSongs(from.Songs, from.Filter, lvSelection);
    return Filled(lvSelection);
}

ViewUpdate Showallfromartist1Click(const LibrarySources& from, const SongRow* selected,
                                   SongRows* currentList) {
    if (!selected || !currentList)
        return {};
    const QString artist = selected->Artist; // the row goes when the list is refilled
    ShowArtistSongs(from.Songs, artist, from.Filter, *currentList);
    return Filled(*currentList);
}

ViewUpdate Showallfromalbum1Click(const LibrarySources& from, const SongRow* selected,
                                  SongRows* currentList) {
    if (!selected || !currentList)
        return {};
    const QString album = selected->Album;
    ShowAlbumSongs(from.Songs, album, from.Filter, *currentList);
    return Filled(*currentList);
}

} // namespace orvane
