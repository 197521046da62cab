// Random playlists: the length and age texts, the draws with their rejections and limits, and
// temp.m3u with its failures.

#include "playlists/RandomPlaylist.h"
#include "playlists/QueueDuration.h"

#include "support/FileBytes.h"
#include "support/FileSizeLimit.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace orvane {
namespace {

using namespace Qt::StringLiterals;

const QDate kToday(2024, 5, 20);

SongRecord Song(int i, const QString& duration = u"04:00"_s, const QString& genre = u"Rock"_s,
                const QString& folder = u"/music/"_s) {
    return {u"s%1.mp3"_s.arg(i),
            u"Song %1"_s.arg(i),
            u"Artist"_s,
            {},
            duration,
            {},
            genre,
            {},
            folder,
            kLocalCollection,
            u"0"_s};
}

std::vector<SongRecord> Songs(int n, const QString& duration = u"04:00"_s) {
    std::vector<SongRecord> songs;
    for (int i = 0; i < n; ++i)
        songs.push_back(Song(i, duration));
    return songs;
}

RandomDraws Fixed(std::function<std::optional<qint64>(const QString&)> fileTime = nullptr) {
    RandomDraws draws;
    draws.Random.seed(7);
    draws.Today = [] {
        return kToday;
    };
    if (fileTime)
        draws.FileTime = std::move(fileTime);
    return draws;
}

qint64 Minutes(const std::vector<SongRecord>& songs, std::span<const qsizetype> picked) {
    qint64 seconds = 0;
    for (qsizetype i : picked)
        seconds += DurationSeconds(songs[size_t(i)].Duration);
    return seconds / 60;
}

TEST(RandomPlaylist, TextsAreNormalisedAndRead) {
    EXPECT_EQ(NormalisedPlayLength(u"90"_s), u"90 minutes");
    EXPECT_EQ(NormalisedFileAge(u"3"_s), u"3 days");
    EXPECT_EQ(NormalisedFileAge(u"-5"_s), u"-5");
    const std::tuple<QString, std::optional<qint64>, std::optional<qint64>> texts[] = {
        {u"1 hour"_s, 60, 7},      {u"90 minutes"_s, 90, 630},     {u"5 days"_s, 300, 5},
        {u"aNY AGE"_s, {}, 0},     {u"one hour"_s, {}, {}},        {u""_s, {}, {}},
        {u"-5 minutes"_s, {}, {}}, {u"99999999999 days"_s, {}, {}}};
    for (const auto& [text, minutes, days] : texts) {
        EXPECT_EQ(PlayLengthMinutes(text), minutes) << text.toStdString();
        EXPECT_EQ(FileAgeLimitDays(text), days) << text.toStdString();
    }
}

TEST(RandomPlaylist, DrawsReachTheLengthAndRejectGenresTakenSongsAndTheLastDraw) {
    // One hour of 04:00 songs is reached exactly by the fifteenth.
    std::vector<SongRecord> songs = Songs(100);
    RandomDraws draws = Fixed();
    EXPECT_EQ(DrawRandomPlaylist(CollectionList(songs), {60, 0, {}}, draws).size(), 15u);

    // 90 minutes of songs of many lengths: the last song takes the total to 90 or past it.
    songs.clear();
    for (int i = 0; i < 200; ++i)
        songs.push_back(
            Song(i, u"%1:%2"_s.arg(1 + i % 9, 2, 10, QChar(u'0')).arg(i % 60, 2, 10, QChar(u'0'))));
    std::vector<qsizetype> picked = DrawRandomPlaylist(CollectionList(songs), {90, 0, {}}, draws);
    ASSERT_FALSE(picked.empty());
    EXPECT_GE(Minutes(songs, picked), 90);
    EXPECT_LT(Minutes(songs, std::span(picked).first(picked.size() - 1)), 90);

    // Genre: only the asked one, exactly; none of it ends the playlist empty.
    songs = Songs(60);
    for (int i = 0; i < 60; i += 3)
        songs[size_t(i)].Genre = u"Jazz"_s;
    picked = DrawRandomPlaylist(CollectionList(songs), {30, 0, u"Jazz"_s}, draws);
    ASSERT_EQ(picked.size(), 8u);
    EXPECT_TRUE(std::ranges::all_of(picked, [](qsizetype i) { return i % 3 == 0; }));
    EXPECT_TRUE(DrawRandomPlaylist(CollectionList(songs), {30, 0, u"jazz"_s}, draws).empty());

    // The same title and artist in two files is one song.
    for (SongRecord& song : songs)
        song.Title = u"Same"_s;
    EXPECT_EQ(DrawRandomPlaylist(CollectionList(songs), {60, 0, {}}, draws).size(), 1u);
    // One or two songs: the draws run out at once.
    for (int n : {0, 1, 2})
        EXPECT_TRUE(DrawRandomPlaylist(CollectionList(Songs(n)), {60, 0, {}}, draws).empty()) << n;
}

TEST(RandomPlaylist, AnAgeLimitPassesOnlyFilesYoungerThanIt) {
    // Two weeks: a file of 13 days passes (from the first second of its day), one of 14 does
    // not (to the last second of its day), nor one that cannot be dated.
    std::vector<SongRecord> songs;
    for (int i = 0; i < 60; ++i)
        songs.push_back(Song(i, u"04:00"_s, u"Rock"_s, u"/d%1/"_s.arg(i % 3)));
    int dated = 0;
    RandomDraws draws = Fixed([&](const QString& path) -> std::optional<qint64> {
        ++dated;
        if (path.startsWith(u"/d0/"))
            return QDateTime(kToday.addDays(-13), QTime(0, 0)).toSecsSinceEpoch();
        if (path.startsWith(u"/d1/"))
            return QDateTime(kToday.addDays(-14), QTime(23, 59, 59)).toSecsSinceEpoch();
        return std::nullopt;
    });
    const std::vector<qsizetype> picked =
        DrawRandomPlaylist(CollectionList(songs), {60, 14, {}}, draws);
    EXPECT_EQ(picked.size(), 15u);
    for (qsizetype i : picked)
        EXPECT_EQ(songs[size_t(i)].Folder, u"/d0/");
    EXPECT_LE(dated, 60); // each file once

    // The real reader: a file that is gone has no time.
    test::TempDir dir;
    QFile file(dir.file(u"a.mp3"_s));
    const QDateTime changed(QDate(2020, 2, 29), QTime(13, 14, 15));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) &&
                file.setFileTime(changed, QFileDevice::FileModificationTime));
    file.close();
    EXPECT_EQ(FileModificationTime(file.fileName()), changed.toSecsSinceEpoch());
    EXPECT_EQ(FileModificationTime(dir.file(u"gone.mp3"_s)), std::nullopt);
}

TEST(RandomPlaylist, GenerateWritesTheListOrLeavesTheOldFile) {
    test::TempDir dir;
    const QString temp = RandomPlaylistPath(dir.path());
    ASSERT_TRUE(test::WriteFile(temp, "/old/one.mp3\r\n"));
    const std::vector<SongRecord> songs = Songs(100);
    test::ScriptedPrompts prompts;
    RandomDraws draws = Fixed();

    // A text that does not begin with a number is named and nothing is touched.
    EXPECT_EQ(GenerateRandomPlaylist(CollectionList(songs), {u"one hour"_s, u"Any age"_s, {}}, temp,
                                     prompts, draws),
              std::nullopt);
    EXPECT_EQ(GenerateRandomPlaylist(CollectionList(songs), {u"1 hour"_s, u""_s, {}}, temp, prompts,
                                     draws),
              std::nullopt);
    EXPECT_EQ(prompts.texts(),
              (QStringList{u"\"one hour\" is not a play length.\nBegin it with a number, such "
                           u"as \"45 minutes\" or \"2 hours\"."_s,
                           u"\"\" is not a file age.\nBegin it with a number, such as \"3 days\" "
                           u"or \"2 weeks\", or choose \"Any age\"."_s}));
    EXPECT_EQ(test::ReadFile(temp), "/old/one.mp3\r\n");

    // A write that fails half-way leaves the old playlist whole.
    {
        test::FileSizeLimit limit(20);
        EXPECT_EQ(GenerateRandomPlaylist(CollectionList(songs), {u"1 hour"_s, u"any age"_s, {}},
                                         temp, prompts, draws),
                  std::nullopt);
    }
    EXPECT_EQ(prompts.texts().back(), u"Unable to create temporary playlist.");
    EXPECT_EQ(test::ReadFile(temp), "/old/one.mp3\r\n");

    // The songs' paths, in the order of their lines.
    const std::optional<QStringList> lines = GenerateRandomPlaylist(
        CollectionList(songs), {u"1 hour"_s, u"ANY AGE"_s, {}}, temp, prompts, draws);
    ASSERT_TRUE(lines && lines->size() == 15);
    const QString first = QString::fromUtf8(test::ReadFile(temp)).section(u'\r', 0, 0);
    EXPECT_EQ(u"/music/s"_s + (*lines)[0].mid(5).chopped(9) + u".mp3"_s, first);

    // An empty result still replaces the file.
    EXPECT_EQ(GenerateRandomPlaylist(CollectionList(Songs(2)), {u"1 hour"_s, u"Any age"_s, {}},
                                     temp, prompts, draws),
              QStringList());
    EXPECT_EQ(test::ReadFile(temp), "");
}

} // namespace
} // namespace orvane
