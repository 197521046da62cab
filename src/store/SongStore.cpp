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

SongFileRead ReadSongFile(TMPEGAudio& reader, const QString& path) {
    SongFileRead read{path, std::nullopt, std::nullopt};
    // The cache file and the playlists hold one path per line: a file whose name or folder holds
    // a line break cannot be stored there faithfully, so it is not taken into the collection.
    if (HasLineBreak(path))
        return read;
    // Set before the read so that the first file of a run is bounded like every other one.
    reader.SetSearchLimit(kScanSearchLimit);
    reader.SetFileName(path);
    if (!reader.IsValid()) {
        read.Unreadable = UnreadableKindOf(path);
        return read;
    }
    read.Record = SongRecord{FileNamePart(path),
                             reader.Title(),
                             reader.Artist(),
                             reader.Album(),
                             DurationText(reader.Duration()),
                             reader.Year(),
                             reader.GenreName(),
                             reader.Comment(),
                             WithTrailingSeparator(FolderPart(reader.FileName())),
                             kLocalCollection,
                             QStringLiteral("1")};
    return read;
}

namespace {

// AddReadSong without telling OnNewSongs.
void AppendReadSong(SongStore& store, SongFileRead& read) {
    if (read.Unreadable) {
        if (store.OnUnreadable)
            store.OnUnreadable(read.Path, *read.Unreadable);
        return;
    }
    if (!read.Record || store.Songs.FindFile(read.Record->FileName, read.Record->Folder) >= 0)
        return;
    RegisterBrowseKeys(store.Browse, *read.Record);
    store.Songs.append(std::move(*read.Record));
}

void TellNewSongs(SongStore& store, qsizetype songsBefore) {
    if (store.OnNewSongs && store.Songs.size() > songsBefore)
        store.OnNewSongs(store.Songs.Records(songsBefore, store.Songs.size()));
}

} // namespace

void AddReadSong(SongStore& store, SongFileRead read) {
    const qsizetype before = store.Songs.size();
    AppendReadSong(store, read);
    TellNewSongs(store, before);
}

void AddReadSongs(SongStore& store, std::vector<SongFileRead>& batch) {
    const qsizetype before = store.Songs.size();
    for (SongFileRead& read : batch)
        AppendReadSong(store, read);
    TellNewSongs(store, before);
}

bool AddSongFile(SongStore& store, const QString& path) {
    AddReadSong(store, ReadSongFile(store.Mpeg, path));
    return true;
}

} // namespace orvane
