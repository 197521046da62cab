#include "store/SongStore.h"

#include "platform/Paths.h"
#include "platform/TextLines.h"

#include <QFile>

namespace orvane {

namespace {

// Only for a file already found to be no MPEG audio: one more look tells why.
UnreadableKind UnreadableKindOf(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return UnreadableKind::FileNotReadable;
    return file.size() == 0 ? UnreadableKind::EmptyFile : UnreadableKind::NotMpegAudio;
}

} // namespace

bool AddSongFile(SongStore& store, const QString& path) {
    // The cache file and the playlists hold one path per line: a file whose name or folder holds
    // a line break cannot be stored there faithfully, so it is not taken into the collection.
    if (HasLineBreak(path))
        return true;
    TMPEGAudio& mpeg = store.Mpeg;
    // Set before the read so that the first file of a run is bounded like every other one.
    mpeg.SetSearchLimit(kScanSearchLimit);
    mpeg.SetFileName(path);
    if (!mpeg.IsValid()) {
        if (store.OnUnreadable)
            store.OnUnreadable(path, UnreadableKindOf(path));
        return true;
    }

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
