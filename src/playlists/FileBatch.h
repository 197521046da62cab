#pragma once
// A batch of song files moved or deleted one after the other, with progress, and the report
// of what failed.
//
// GUI thread. A move across file systems copies on a worker thread while the calling thread
// keeps handling events (the window paints, the progress moves, Cancel can be pressed), and
// puts the copy in place back on the calling thread, so that whatever runs between files sees
// each file either at its old place or at its new one.

#include "platform/Prompts.h"

#include <QSet>
#include <QString>
#include <vector>

namespace orvane {

// What a window shows while a batch runs (TfrmMoveFiles).
class FileBatchProgress {
public:
    virtual ~FileBatchProgress() = default;
    // How much of the batch is done, 0..100.
    virtual void SetPercent(int percent) = 0;
    // True once the user asked to stop: the file being copied stays where it was, and the
    // files not reached yet are left alone.
    virtual bool CancelRequested() const = 0;
};

struct FileFailure {
    QString path;
    QString reason; // the system's
};

struct FileBatchReport {
    std::vector<FileFailure> notMoved;
    std::vector<FileFailure> notDeleted;
    QSet<QString> gone; // the former paths of the files that were moved or deleted
    bool cancelled = false;
};

// The message after a batch: per kind of failure the count ("2 files could not be moved.")
// and one line per file with its path and reason. Empty when nothing failed.
QString FileBatchReportText(const FileBatchReport& report);
// Shows that message as a warning when anything failed.
void ReportFileBatch(const FileBatchReport& report, Prompts& prompts);

class FileBatch {
public:
    // progress may be null; count is the number of files the batch will visit.
    FileBatch(FileBatchProgress* progress, int count);

    // Moves one file to target (never replacing one); false with the reason in error.
    bool Move(const QString& source, const QString& target, QString* error);
    // The current file is done (moved, failed or passed over).
    void Next();
    // Asked between files: the user wants the batch to stop.
    bool Cancelled() const;

private:
    void show(double fractionOfFile);

    FileBatchProgress* progress_;
    int count_;
    int done_ = 0;
};

} // namespace orvane
