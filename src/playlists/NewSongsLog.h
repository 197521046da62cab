#pragma once
// The day's log of newly found songs: a playlist named after the ISO date (yyyy-MM-dd.m3u) in
// the logs folder.
//
// A full rescan logs every song of the collection, so appending must not cost a read of the
// whole log per song: the entries of the current log are kept in a set, read once and read
// again only when the file changed behind our back (size or time differ from our last write),
// and new entries are added with one append-mode write of their lines. An append never makes the
// log shorter than it was. Used on the GUI thread only.

#include "platform/Prompts.h"
#include "store/SongRecord.h"

#include <QDate>
#include <QDateTime>
#include <QSet>
#include <QString>
#include <functional>
#include <span>

namespace orvane {

class NewSongsLog {
public:
    using Clock = std::function<QDate()>;
    NewSongsLog(QString logsFolder, Prompts& prompts, Clock today = &QDate::currentDate);

    QString LogPath(const QDate& day) const;

    // Adds the record's path (Folder + FileName) to today's log unless it is already there.
    // A log that cannot be created skips the song silently; one that exists but cannot be
    // written is reported once per log file and run.
    void AppendToNewSongsLog(const SongRecord& record);
    // The same for several records, in order, with one write of all their new lines.
    void AppendToNewSongsLog(std::span<const SongRecord> records);

private:
    bool cacheIsCurrent(const QString& path) const;
    void loadCache(const QString& path);
    void rememberFileState(const QString& path);
    void reportOnce(const QString& path);

    QString logsFolder_;
    Prompts& prompts_;
    Clock today_;

    QString cachedPath_;
    QSet<QString> cachedEntries_; // upper-cased absolute paths
    qint64 cachedSize_ = -1;
    bool cachedEndsOpen_ = false;
    QDateTime cachedTime_;
    QSet<QString> reportedFailures_;
};

} // namespace orvane
