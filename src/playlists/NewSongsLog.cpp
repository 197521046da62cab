#include "playlists/NewSongsLog.h"

#include "platform/AsciiCase.h"
#include "platform/Paths.h"
#include "platform/TextLines.h"
#include "playlists/PlaylistFile.h"

#include <QFile>
#include <QFileInfo>

namespace orvane {

NewSongsLog::NewSongsLog(QString logsFolder, Prompts& prompts, Clock today)
    : logsFolder_(std::move(logsFolder))
    , prompts_(prompts)
    , today_(std::move(today)) {}

QString NewSongsLog::LogPath(const QDate& day) const {
    return WithTrailingSeparator(logsFolder_) + day.toString(Qt::ISODate) + QStringLiteral(".m3u");
}

bool NewSongsLog::cacheIsCurrent(const QString& path) const {
    if (path != cachedPath_)
        return false;
    const QFileInfo info(path);
    const qint64 size = info.exists() ? info.size() : -1;
    return size == cachedSize_ && (size < 0 || info.lastModified() == cachedTime_);
}

void NewSongsLog::loadCache(const QString& path) {
    cachedPath_ = path;
    cachedEntries_.clear();
    const PlaylistEntries entries = ReadPlaylistEntries(path, FolderPart(path));
    for (const QString& entry : entries.paths)
        cachedEntries_.insert(AsciiUpper(entry));
    cachedEndsOpen_ = entries.endsOpen;
    rememberFileState(path);
}

void NewSongsLog::reportOnce(const QString& path) {
    if (reportedFailures_.contains(path))
        return;
    reportedFailures_.insert(path);
    prompts_.information(QStringLiteral("Unable to create updated file"));
}

void NewSongsLog::rememberFileState(const QString& path) {
    const QFileInfo info(path);
    cachedSize_ = info.exists() ? info.size() : -1;
    cachedTime_ = info.exists() ? info.lastModified() : QDateTime();
}

void NewSongsLog::AppendToNewSongsLog(const SongRecord& record) {
    AppendToNewSongsLog(std::span<const SongRecord>(&record, 1));
}

void NewSongsLog::AppendToNewSongsLog(std::span<const SongRecord> records) {
    if (records.empty())
        return;
    const QString path = LogPath(today_());
    if (!cacheIsCurrent(path))
        loadCache(path);
    QByteArray lines;
    QSet<QString> keys;
    for (const SongRecord& record : records) {
        const QString songPath = record.Path();
        QString key = AsciiUpper(songPath);
        if (cachedEntries_.contains(key) || keys.contains(key))
            continue;
        AppendLine(lines, songPath);
        keys.insert(std::move(key));
    }
    if (keys.isEmpty())
        return;

    const bool existed = cachedSize_ >= 0;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) {
        if (existed)
            reportOnce(path);
        return;
    }
    if (cachedEndsOpen_)
        lines.prepend("\r\n"); // complete a last line written without its line end
    const bool written = file.write(lines) == lines.size() && file.flush();
    if (!written) {
        // A full disk may have taken part of the lines: cut them off again, so that no half
        // path is read as a song next time.
        if (existed)
            file.resize(cachedSize_);
        else
            file.remove();
        file.close();
        reportOnce(path);
        cachedPath_.clear(); // read the log again next time
        return;
    }
    file.close();
    cachedEntries_.unite(keys);
    cachedEndsOpen_ = false;
    rememberFileState(path);
}

} // namespace orvane
