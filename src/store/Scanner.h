#pragma once
// The collection walks: the full rescan on the GUI thread, the command "Refresh Database" that
// runs it, and the control of the background scan (UpdateThread.h).
//
// Neither walk removes records: a file gone from disk stays in the collection until a full
// rescan, which empties the collection first. Every found song goes through AddScannedFile, so
// a file the collection already holds costs a hash look-up and is not read again.
// GUI thread only.

#include "platform/Prompts.h"
#include "store/SongStore.h"
#include "store/UpdateThread.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

namespace orvane {

// What a long walk shows while it runs (the progress windows).
class ScanProgress {
public:
    virtual ~ScanProgress() = default;
    // filesRead song files so far; folder is the one being read.
    virtual void ScanReport(qsizetype filesRead, const QString& folder) = 0;
};

// The progress is reported, and pending events are processed, this often (milliseconds).
inline constexpr int kScanReportInterval = 50;

// The folder a walk starts from: made absolute and clean, so that the paths handed out match
// the ones AddSongFile stores; an empty folder stays empty (the root of the file system).
QString ScanRoot(const QString& folder);

// The collection holds the song file path (FileName and Folder as the path names them).
bool HoldsSongFile(const SongStore& store, const QString& path);

// AddSongFile, unless the collection already holds that file.
void AddScannedFile(SongStore& store, const QString& path);

// Empties the collection and its browse lists.
void ClearCollection(SongStore& store);

// Walks folder and all its sub-folders, adding every song file; returns how many were handed to
// AddScannedFile. Keeps the program responsive by processing pending events every
// kScanReportInterval ms, when it also reports to progress (may be null). Folders that could
// not be listed are appended to unreadable (when given).
qsizetype FullRescan(SongStore& store, const QString& folder, ScanProgress* progress,
                     QStringList* unreadable = nullptr);

// What stands in the way of walking the MP3 base folder, as told to the user (missing: an
// unmounted disk, a folder renamed); empty when it can be listed.
QString Mp3BaseUnusableText(const QString& mp3Base);
// The same, short, for the status bar.
QString Mp3BaseUnusableStatus(const QString& mp3Base);

// The collection walked again from scratch: empties it and runs FullRescan of mp3Base, then
// AddRecycledSongs. The records of a sub-folder that cannot be listed now are kept as they were
// (their songs are not gone, only unreadable). When mp3Base itself cannot be listed nothing is
// changed and false is returned.
bool RescanCollection(SongStore& store, const QString& mp3Base, const QString& recycleFolder,
                      ScanProgress* progress);

// The background scan over folder, started at once, reading tags by reading: files that
// HoldsSongFile are skipped, the others read on the scanner thread and added with AddReadSongs.
std::unique_ptr<TUpdateThread> StartBackgroundScan(SongStore& store, const QString& folder,
                                                   const TagReading& reading,
                                                   QObject* parent = nullptr);
// If the scanner is running: asks it to end and waits until it has, and until what it read is
// in the collection (null: nothing to stop). False when it could not wait because it was called
// from inside a hand-over.
bool StopBackgroundScan(TUpdateThread* scanner);

inline const QString kRefreshDatabaseQuestion =
    QStringLiteral("Refreshing the cache will take a few minutes\nYour hard-disk will be rescanned "
                   "for all mp3 songs.\nContinue to rebuild cache?");

using OpenScanProgress = std::function<std::unique_ptr<ScanProgress>()>;

// The command "Refresh Database": an MP3 base folder that cannot be listed is only reported.
// Otherwise asks first; on Yes, and when mayStart (if given) agrees, stops the background scan
// and runs RescanCollection while the progress that openProgress makes is shown (it is
// destroyed before returning). Every song found is new (and so logged through the store's
// OnNewSongs). False when nothing was rebuilt.
bool RefreshDatabase(SongStore& store, Prompts& prompts, TUpdateThread* scanner,
                     const QString& mp3Base, const QString& recycleFolder,
                     const OpenScanProgress& openProgress,
                     const std::function<bool()>& mayStart = {});

} // namespace orvane
