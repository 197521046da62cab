#include "store/SongStore.h"

#include "platform/Paths.h"
#include "platform/TextLines.h"

namespace orvane {

bool AddSongFile(SongStore& store, const QString& path) {
    // The cache file and the playlists hold one path per line: a file whose name or folder holds
    // a line break cannot be stored there faithfully, so it is not taken into the collection.
    if (HasLineBreak(path))
        return true;
    TMPEGAudio& mpeg = store.Mpeg;
    // Set before the read so that the first file of a run is bounded like every other one.
    mpeg.SetSearchLimit(kScanSearchLimit);
    mpeg.SetFileName(path);
    if (!mpeg.IsValid())
        return true;

    const QString fileName = FileNamePart(path);
    const QString folder = WithTrailingSeparator(FolderPart(mpeg.FileName()));
    if (store.Songs.FindFile(fileName, folder) >= 0)
        return true;

    SongRecord record{fileName,
                      mpeg.Title(),
                      mpeg.Artist(),
                      mpeg.Album(),
                      DurationText(mpeg.Duration()),
                      mpeg.Year(),
                      mpeg.GenreName(),
                      mpeg.Comment(),
                      folder,
                      kLocalCollection,
                      QStringLiteral("1")};
    RegisterBrowseKeys(store.Browse, record);
    if (store.OnNewSong)
        store.OnNewSong(record);
    store.Songs.append(std::move(record));
    return true;
}

} // namespace orvane
