#pragma once
// What a scan of the collection did, counted while it runs: files read, songs added, and each
// file or folder it could not read with the reason. The texts the status bar shows come from
// here. Data logic: no widgets. GUI thread only.

#include "store/SongStore.h"

#include <QElapsedTimer>
#include <QString>
#include <vector>

namespace orvane {

struct UnreadableEntry {
    QString Path;
    UnreadableKind Kind;
};

// "empty file", "not MPEG audio", "unreadable", "folder not readable".
QString UnreadableReason(UnreadableKind kind);

class ScanTally {
public:
    // Progress is told at most this often (milliseconds).
    static constexpr int kReportInterval = 100;

    // A new scan over a collection of songsBefore songs; forgets the last one.
    void Begin(qsizetype songsBefore);
    // A song file was handed over; songsNow is the collection's size after it.
    void FileRead(qsizetype songsNow);
    void Unreadable(const QString& path, UnreadableKind kind);
    void Finish(qsizetype songsNow);

    bool Running() const { return running_; }
    qsizetype FilesRead() const { return filesRead_; }
    qsizetype SongsAdded() const { return songsAdded_; }
    const std::vector<UnreadableEntry>& Entries() const { return entries_; }

    // True when the progress should be shown now (never twice within kReportInterval).
    bool ReportDue();
    // "Scanning: 120 files, 8 new songs".
    QString ProgressText() const;
    // "Scan: 8 songs added, 2 files not read".
    QString SummaryText() const;

private:
    bool running_ = false;
    qsizetype songsBefore_ = 0;
    qsizetype filesRead_ = 0;
    qsizetype songsAdded_ = 0;
    std::vector<UnreadableEntry> entries_;
    QElapsedTimer lastReport_;
};

} // namespace orvane
