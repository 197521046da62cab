#pragma once
// Moving and deleting song files without ever losing one.
//
// A move never replaces a file. Within one file system it is a single rename that fails when
// the target exists. Across file systems the file is copied into a hidden part file beside the
// target, the copy's size checked against the source and flushed to disk, the part file renamed
// to the target (failing when the target exists) and only then the source deleted. Whatever
// fails on the way removes what was written, and the source stays where it was.
//
// Failures carry the system's reason ("File exists", "No space left on device"). POSIX only.
//
// Threads: a FileMove belongs to one owner; Copy may run on a worker thread while the owner
// waits, Start and Finish run on the owner's thread.

#include <QString>
#include <atomic>
#include <cstdint>
#include <functional>

namespace orvane {

class FileMove {
public:
    FileMove(QString source, QString target);
    ~FileMove(); // removes a part file that was not put in place
    FileMove(const FileMove&) = delete;
    FileMove& operator=(const FileMove&) = delete;

    enum class Step { Done, Failed, NeedsCopy };
    // Renames source to target. NeedsCopy: they lie on different file systems.
    Step Start();
    // Copies the source into the part file. progress(done, total) is told in bytes after each
    // chunk, on the copying thread; a set cancel flag ends the copy as a failure.
    using CopyProgress = std::function<void(int64_t done, int64_t total)>;
    bool Copy(const CopyProgress& progress = {}, const std::atomic<bool>* cancel = nullptr);
    // Puts the copy in place as the target and deletes the source. When the source cannot be
    // deleted the copy is removed again, so that the file stays only where it was.
    bool Finish();

    // Why the last step failed.
    const QString& Error() const { return error_; }

private:
    bool fail(const QString& reason);

    QString source_;
    QString target_;
    QString part_;
    QString error_;
    bool copied_ = false; // the part file holds the whole source
};

// The whole move in the calling thread; false with the reason in error.
bool MoveSongFile(const QString& source, const QString& target, QString* error);

// Deletes a file for good. A write-protected file (its owner may not write it) is kept, for
// every user, as are folders.
bool DeleteSongFile(const QString& path, QString* error);

// True when both folders name the same directory on disk (another spelling, a link).
bool SameFolderOnDisk(const QString& a, const QString& b);

// For tests: while set, every rename between different folders reports that they lie on
// different file systems, so that moves take the copying path.
void SimulateCrossDeviceRenames(bool on);

} // namespace orvane
