#pragma once
// Imported collections: the cache files in the lib folder beside the program, one per place the
// user imported (a CD, another disk, a network share), loaded after the own collection at every
// start; the collection filter list that shows or hides each collection; the walk that makes a
// new one; and deleting one.
//
// The filter list holds "name;1" (shown) or "name;0" (hidden) per collection: entry 0 is the
// own collection "Local.orv;1", then one entry per lib file in listing order. It is not saved:
// every start shows every collection again.
//
// Data logic: QtCore only. ImportWalk runs on a worker thread (it touches nothing shared);
// everything else on the GUI thread.

#include "store/BrowseLists.h"
#include "store/CollectionList.h"
#include "store/DisplayFilter.h"
#include "store/SongRecord.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace orvane {

inline const QString kLibFolderUnusable =
    QStringLiteral("Unable to create lib directory\nMake sure Orvane can write into it's base "
                   "dir.\nThe Lib directory is used to write imported data.");
inline const QString kDeleteCollectionQuestion =
    QStringLiteral("You are about to delete this collection\nfile from your hard-disk..\nAre you "
                   "sure?");
inline const QString kDeleteCollectionFailed =
    QStringLiteral("Orvane was not capable of deleting the collection file\nMake sure the "
                   "collection file is not read-only.");

// The lib folder of a program folder, with trailing separator.
QString LibFolder(const QString& programFolder);
// Makes the lib folder when it is missing; false when it is not a folder that can be used.
bool EnsureLibFolder(const QString& libFolder);

// Appends the songs of every "*.orv" file of the lib folder (name order, letter case ignored)
// to songs, each with Collection set to its file's name, and returns the filter list: the own
// collection's entry, then one entry per file, also for a file that gave no songs.
QStringList LoadImportedCollections(const QString& libFolder, CollectionList& songs,
                                    BrowseLists& browse);

// Whether the filter dialog shows an entry checked (its flag is "1").
bool CollectionEntryShown(const QString& entry);
// Some collection is hidden.
bool CollectionFilterActive(const QStringList& collectionFilter);
// The list with entry i shown exactly when checked[i] (entries beyond checked are kept).
QStringList WithCollectionChecks(const QStringList& collectionFilter,
                                 const std::vector<bool>& checked);

// Deletes lib folder + name, the file of a filter entry. False when it could not be deleted
// (missing, as "Local.orv" is there, or a name that is not a plain file name).
bool DeleteCollectionFile(const QString& libFolder, const QString& name);

// Why a location name cannot name a collection file inside the lib folder (a path separator,
// "..", a NUL or other control character, too long for a file name), or empty when it can.
QString LocationNameProblem(const QString& name);
// The file a location name is stored in: lib folder + name + ".orv".
QString CollectionFilePath(const QString& libFolder, const QString& name);

struct ImportWalkControl {
    // Asked before each entry; true ends the walk (the import is cancelled).
    std::function<bool()> stopRequested;
    // Song files read so far and the folder being read; called on the walking thread.
    std::function<void(qsizetype filesRead, const QString& folder)> progress;
};

struct ImportWalkResult {
    std::vector<SongRecord> songs; // Collection and NewFlag left empty
    bool cancelled = false;
    bool rootUnreadable = false; // the chosen folder itself could not be listed
};

// Walks folder and its sub-folders as the collection scanner does (same folder and file-name
// tests) and records every MP3-named file, whether or not it holds MPEG audio.
ImportWalkResult ImportWalk(const QString& folder, const ImportWalkControl& control);

enum class ImportOutcome { Written, Cancelled, Refused, WriteFailed };
struct ImportReport {
    ImportOutcome outcome = ImportOutcome::Refused;
    qsizetype songs = 0;
    bool rootUnreadable = false;
    QString file; // the collection file (written or meant to be)
};

// The whole import: refuses an unusable name, walks folder, and unless cancelled writes the
// songs as lib folder + name + ".orv" (an existing file of that name is replaced; a temporary
// file is renamed over it, so a failure leaves the old file as it was).
ImportReport ImportCollectionInto(const QString& libFolder, const QString& folder,
                                  const QString& name, const ImportWalkControl& control);

// What the user is told when an import has ended (empty for a cancelled one).
QString ImportReportText(const ImportReport& report, const QString& folder, const QString& name);

} // namespace orvane
