#pragma once
// Random playlists: songs drawn at random from the collection list until their summed length
// reaches a play length, optionally only songs of one genre and only songs whose files are
// recent. The result is written to temp.m3u in the program folder and listed as
// "Title - Artist" lines.
//
// Draws are uniform over the whole collection list. A turn adds one song; a draw is rejected
// when its "Title - Artist" is already taken, its genre is not the one asked for, or its file
// is not younger than the age limit (a file that cannot be dated fails). A turn that reaches
// N - 1 draws (N songs in the list) ends the generation without adding its last draw, so a
// list of one or two songs gives an empty playlist and a filter nothing passes ends it at once.
//
// A file's age is today's date minus the local date of its last change, in whole days. The
// generator, today's date and the reading of file times are passed in: the dialog seeds
// the generator from the clock, tests fix all three. QtCore only; GUI thread (the collection
// list is read while it runs).

#include "platform/Prompts.h"
#include "store/CollectionList.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <chrono>
#include <functional>
#include <optional>
#include <random>
#include <span>
#include <vector>

namespace orvane {

// What the play-length box gets when it is left holding a whole number ("45" -> "45 minutes"),
// and the file-age box likewise ("3" -> "3 days"). Any other text is returned unchanged.
QString NormalisedPlayLength(const QString& text);
QString NormalisedFileAge(const QString& text);

// The play length in minutes: the number before the first blank, in minutes when the text holds
// "MIN" in any letter case, else in hours. Nothing when that word is not a number.
std::optional<qint64> PlayLengthMinutes(const QString& text);
// The file age limit in days, 0 for none ("Any age" in any letter case): the number before the
// first blank, in days when the text holds "DAY" in any letter case, else in weeks. Nothing when
// that word is not a number.
std::optional<qint64> FileAgeLimitDays(const QString& text);

// "Title - Artist": a song's line in the list, and what makes two songs the same song.
QString RandomSongLine(const SongRecord& record);

// When a song file was last modified, in seconds since 1970 (UTC); nothing when it cannot be
// read (a missing file).
std::optional<qint64> FileModificationTime(const QString& path);

struct RandomDraws {
    std::mt19937_64 Random{quint64(std::chrono::steady_clock::now().time_since_epoch().count())};
    std::function<QDate()> Today = &QDate::currentDate;
    std::function<std::optional<qint64>(const QString& path)> FileTime = &FileModificationTime;
};

struct RandomPlaylistOptions {
    qint64 TargetMinutes = 60;
    qint64 AgeLimitDays = 0;      // 0: any age; else a file passes when younger than this
    std::optional<QString> Genre; // only songs whose Genre is exactly this text
};

// The indexes into songs of the drawn playlist, in play order.
std::vector<qsizetype> DrawRandomPlaylist(const CollectionList& songs,
                                          const RandomPlaylistOptions& options, RandomDraws& draws);

// temp.m3u in the program folder.
QString RandomPlaylistPath(const QString& programFolder);

// The texts of the dialog's boxes, already normalised.
struct RandomPlaylistRequest {
    QString Length;
    QString Age;
    std::optional<QString> Genre;
};

// The dialog's "Generate": checks both texts (a text that does not begin with a number is
// reported and nothing happens), draws, and replaces playlistPath atomically with the songs'
// paths, one per line. Returns the songs' lines, or nothing when a text was refused or the file
// could not be written ("Unable to create temporary playlist."): the file is then as it was.
std::optional<QStringList> GenerateRandomPlaylist(const CollectionList& songs,
                                                  const RandomPlaylistRequest& request,
                                                  const QString& playlistPath, Prompts& prompts,
                                                  RandomDraws& draws);

} // namespace orvane
