#pragma once
// The collection as the program holds it for the whole run: the list of records, the browse
// lists built from it, and the one shared file-information object through which songs are read.
// Everything here is touched on the GUI thread only.

#include "store/BrowseLists.h"
#include "store/CollectionList.h"
#include "store/MpegAudio.h"

#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace orvane {

// Why a scan could not take in a file or walk a folder.
enum class UnreadableKind { EmptyFile, NotMpegAudio, FileNotReadable, FolderNotReadable };

struct SongStore {
    CollectionList Songs;
    BrowseLists Browse;
    TMPEGAudio Mpeg;
    // Told of the songs that AddSongFile or AddReadSongs added, in order, once per call (the
    // new-songs log); they are in Songs already.
    std::function<void(std::span<const SongRecord> added)> OnNewSongs;
    // Told of every file that AddSongFile rejects as no MPEG audio (with the reason), and by
    // the walks of every folder they could not list.
    std::function<void(const QString& path, UnreadableKind kind)> OnUnreadable;
};

// The frame search limit of the shared object while songs are added.
inline constexpr uint32_t kScanSearchLimit = 128000;

// What reading one song file gave: the record it would enter the collection as, or why it is
// no song. Neither is set for a path that holds a CR or LF (no line of the cache file could name
// it), or for a file a scan knew already and did not read.
struct SongFileRead {
    QString Path;
    std::optional<SongRecord> Record;
    std::optional<UnreadableKind> Unreadable;
};

// Reads one MP3 file with reader, which is the calling thread's own (its search limit is set
// to kScanSearchLimit). Touches no collection: any thread.
SongFileRead ReadSongFile(TMPEGAudio& reader, const QString& path);

// Appends what ReadSongFile gave as a new song unless the list already holds that file
// (FileName and Folder, upper-cased), telling OnNewSongs; a file that is no MPEG audio is told
// to OnUnreadable instead.
void AddReadSong(SongStore& store, SongFileRead read);
// AddReadSong for each of batch in order, telling OnNewSongs once, of all the songs added.
void AddReadSongs(SongStore& store, std::vector<SongFileRead>& batch);

// ReadSongFile with the store's shared object, then AddReadSong. Returns true in all cases.
bool AddSongFile(SongStore& store, const QString& path);

} // namespace orvane
