#include "playlists/RandomPlaylist.h"

#include "platform/AsciiCase.h"
#include "platform/Paths.h"
#include "platform/TextLines.h"
#include "playlists/QueueDuration.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace orvane {

namespace {

// A whole number of ASCII digits that fits an int (a length or age is never negative).
std::optional<qint64> WholeNumber(QStringView text) {
    if (text.isEmpty())
        return std::nullopt;
    for (QChar c : text)
        if (c < u'0' || c > u'9')
            return std::nullopt;
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? std::optional<qint64>(value) : std::nullopt;
}

QString WithUnit(const QString& text, const QString& unit) {
    const QString trimmed = text.trimmed();
    return WholeNumber(trimmed) ? trimmed + unit : text;
}

// The number before the first blank of the trimmed text.
std::optional<qint64> LeadingNumber(const QString& text) {
    const QString trimmed = text.trimmed();
    const qsizetype blank = trimmed.indexOf(u' ');
    return WholeNumber(blank < 0 ? QStringView(trimmed) : QStringView(trimmed).left(blank));
}

} // namespace

QString NormalisedPlayLength(const QString& text) {
    return WithUnit(text, QStringLiteral(" minutes"));
}

QString NormalisedFileAge(const QString& text) {
    return WithUnit(text, QStringLiteral(" days"));
}

std::optional<qint64> PlayLengthMinutes(const QString& text) {
    const std::optional<qint64> number = LeadingNumber(text);
    if (!number)
        return std::nullopt;
    return AsciiUpper(text).contains(u"MIN") ? *number : *number * 60;
}

std::optional<qint64> FileAgeLimitDays(const QString& text) {
    const QString upper = AsciiUpper(text.trimmed());
    if (upper == u"ANY AGE")
        return 0;
    const std::optional<qint64> number = LeadingNumber(text);
    if (!number)
        return std::nullopt;
    return upper.contains(u"DAY") ? *number : *number * 7;
}

QString RandomSongLine(const SongRecord& record) {
    return record.Title + QStringLiteral(" - ") + record.Artist;
}

std::optional<qint64> FileModificationTime(const QString& path) {
#ifdef Q_OS_UNIX
    // Called for most draws under an age limit: one stat, no date conversion per file.
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return std::nullopt;
    return qint64(st.st_mtime);
#else
    const QFileInfo info(path);
    if (!info.exists())
        return std::nullopt;
    return info.lastModified().toSecsSinceEpoch();
#endif
}

std::vector<qsizetype> DrawRandomPlaylist(const CollectionList& songs,
                                          const RandomPlaylistOptions& options,
                                          RandomDraws& draws) {
    std::vector<qsizetype> playlist;
    const qsizetype n = qsizetype(songs.size());
    if (n <= 2) // the first draw of a turn already reaches the limit of N - 1 draws
        return playlist;
    std::uniform_int_distribution<qsizetype> pick(0, n - 1);
    QSet<QString> taken;
    // age < limit, with age = today - the file's local date: the file changed on or after the
    // local midnight that begins the day limit - 1 days before today.
    const qint64 youngFrom =
        options.AgeLimitDays > 0
            ? draws.Today().addDays(1 - options.AgeLimitDays).startOfDay().toSecsSinceEpoch()
            : 0;
    // A file is dated once per generation however often it is drawn: 0 unknown, 1 young, 2 old.
    std::vector<quint8> ages(options.AgeLimitDays > 0 ? size_t(n) : 0, 0);
    auto young = [&](qsizetype i) {
        if (ages[size_t(i)] == 0) {
            const std::optional<qint64> time = draws.FileTime(songs[i].Path());
            ages[size_t(i)] = time && *time >= youngFrom ? 1 : 2;
        }
        return ages[size_t(i)] == 1;
    };
    qint64 totalSeconds = 0;
    for (;;) {
        qsizetype chosen = -1;
        for (qsizetype count = 1;; ++count) {
            const qsizetype i = pick(draws.Random);
            const SongRecord& song = songs[i];
            const bool rejected = (options.Genre && song.Genre != *options.Genre) ||
                                  (options.AgeLimitDays > 0 && !young(i)) ||
                                  taken.contains(RandomSongLine(song));
            if (count >= n - 1)
                return playlist;
            if (!rejected) {
                chosen = i;
                break;
            }
        }
        const SongRecord& song = songs[chosen];
        taken.insert(RandomSongLine(song));
        playlist.push_back(chosen);
        totalSeconds += DurationSeconds(song.Duration);
        if (totalSeconds / 60 >= options.TargetMinutes)
            return playlist;
    }
}

QString RandomPlaylistPath(const QString& programFolder) {
    return WithTrailingSeparator(programFolder) + QStringLiteral("temp.m3u");
}

std::optional<QStringList> GenerateRandomPlaylist(const CollectionList& songs,
                                                  const RandomPlaylistRequest& request,
                                                  const QString& playlistPath, Prompts& prompts,
                                                  RandomDraws& draws) {
    RandomPlaylistOptions options;
    if (const std::optional<qint64> minutes = PlayLengthMinutes(request.Length)) {
        options.TargetMinutes = *minutes;
    } else {
        prompts.warning(QStringLiteral("\"%1\" is not a play length.\nBegin it with a number, "
                                       "such as \"45 minutes\" or \"2 hours\".")
                            .arg(request.Length));
        return std::nullopt;
    }
    if (const std::optional<qint64> days = FileAgeLimitDays(request.Age)) {
        options.AgeLimitDays = *days;
    } else {
        prompts.warning(QStringLiteral("\"%1\" is not a file age.\nBegin it with a number, such "
                                       "as \"3 days\" or \"2 weeks\", or choose \"Any age\".")
                            .arg(request.Age));
        return std::nullopt;
    }
    options.Genre = request.Genre;

    QStringList lines;
    QByteArray content;
    for (qsizetype i : DrawRandomPlaylist(songs, options, draws)) {
        const SongRecord& song = songs[i];
        AppendLine(content, song.Path());
        lines.append(RandomSongLine(song));
    }
    if (WriteFileAtomically(playlistPath, content) != WriteResult::Written) {
        prompts.warning(QStringLiteral("Unable to create temporary playlist."));
        return std::nullopt;
    }
    return lines;
}

} // namespace orvane
