#pragma once
// The collection as the program holds it for the whole run: the list of records, the browse
// lists built from it, and the one shared file-information object through which songs are read.
// Everything here is touched on the GUI thread only.

#include "store/BrowseLists.h"
#include "store/CollectionList.h"
#include "store/MpegAudio.h"

#include <functional>

namespace orvane {

// Why a scan could not take in a file or walk a folder.
enum class UnreadableKind { EmptyFile, NotMpegAudio, FileNotReadable, FolderNotReadable };

struct SongStore {
    CollectionList Songs;
    BrowseLists Browse;
    TMPEGAudio Mpeg;
    // Told of every song that AddSongFile adds (the new-songs log).
    std::function<void(const SongRecord&)> OnNewSong;
    // Told of every file that AddSongFile rejects as no MPEG audio (with the reason), and by
    // the walks of every folder they could not list.
    std::function<void(const QString& path, UnreadableKind kind)> OnUnreadable;
};

// The frame search limit of the shared object while songs are added.
inline constexpr uint32_t kScanSearchLimit = 128000;

// Reads one MP3 file and appends it as a new song unless it is not MPEG audio, the list
// already holds that file (FileName and Folder, upper-cased), or its path holds a CR or LF (no
// line of the cache file could name it). Returns true in all cases.
bool AddSongFile(SongStore& store, const QString& path);

} // namespace orvane
