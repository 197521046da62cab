#include "store/CollectionList.h"

#include "platform/AsciiCase.h"
#include "platform/Paths.h"
#include "store/BrowseLists.h"

#include <QRandomGenerator>
#include <QStringList>
#include <functional>
#include <gtest/gtest.h>
#include <set>

namespace orvane {
namespace {

using namespace Qt::StringLiterals;

SongRecord Song(const QString& file, const QString& folder) {
    return {file, {}, {}, {}, {}, {}, {}, {}, folder, {}, {}};
}

// The look-ups by their plain definitions, scanning the whole list.
qsizetype LinearFindSong(const CollectionList& list, qsizetype index) {
    if (index < 0 || index >= list.size())
        return -1;
    for (qsizetype i = 0; i < list.size(); ++i)
        if (AsciiUpper(list[i].FileName) == AsciiUpper(list[index].FileName) &&
            AsciiUpper(list[i].Folder) == AsciiUpper(list[index].Folder))
            return i;
    return -1;
}

qsizetype LinearFindSongForRow(const CollectionList& list, const SongRow& row) {
    qsizetype found = -1;
    for (qsizetype i = 0; i < list.size(); ++i)
        if (AsciiUpper(list[i].FileName) == AsciiUpper(row.FileName) &&
            AsciiUpper(WithTrailingSeparator(list[i].Folder)) ==
                AsciiUpper(WithTrailingSeparator(row.Folder)))
            found = i;
    return found;
}

TEST(CollectionList, LookUpsAgreeWithTheirDefinitionsThroughChanges) {
    // Few distinct names and folders so that keys collide often, in varying letter case and
    // with and without trailing separators.
    const QStringList files = {u"a.mp3"_s, u"A.MP3"_s, u"b.mp3"_s, u"Ä.mp3"_s};
    const QStringList folders = {u"/m/"_s, u"/M/"_s, u"/m"_s, u"/n/"_s, u"D:\\m"_s, u"d:\\M\\"_s};
    // The other values come from a few texts too, empty and not ASCII ones among them, so that
    // the list shares them; every record must still read back as it was given.
    const QStringList values = {QString(), u"Rock"_s, u"rock"_s, u"Café"_s, u"東京"_s, u"0"_s};
    QRandomGenerator rng(42);
    auto pick = [&](const QStringList& from) {
        return from[rng.bounded(int(from.size()))];
    };
    auto randomSong = [&] {
        SongRecord song = Song(pick(files), pick(folders));
        song.Title = pick(values);
        song.Artist = pick(values);
        song.Genre = pick(values);
        song.Comment = pick(values);
        song.Collection = pick(values);
        return song;
    };

    CollectionList list;
    std::vector<SongRecord> given; // what the list must hold
    for (int step = 0; step < 1500; ++step) {
        const int op = rng.bounded(13);
        if (op < 6 || list.empty()) {
            given.push_back(randomSong());
            list.append(given.back());
        } else if (op < 8) {
            const int i = rng.bounded(int(list.size()));
            list.removeAt(i);
            given.erase(given.begin() + i);
        } else if (op < 11) {
            const int i = rng.bounded(int(list.size()));
            given[size_t(i)] = randomSong();
            list.replace(i, given[size_t(i)]);
        } else if (op < 12) {
            // several at once, unordered and repeated, as a batch of deletions gives them
            const qsizetype a = rng.bounded(int(list.size())), b = rng.bounded(int(list.size()));
            list.removeAll({a, 0, b, 0});
            for (const qsizetype i : std::set<qsizetype, std::greater<>>{a, b, 0})
                given.erase(given.begin() + i);
        } else if (rng.bounded(8) == 0) {
            list.clear();
            given.clear();
        }

        ASSERT_EQ(list.Records(0, list.size()), given) << "step " << step;
        for (qsizetype i = 0; i < list.size(); ++i)
            for (const SongField f : {SongField::Artist, SongField::Comment, SongField::Folder})
                ASSERT_EQ(list.Text(list.TextNumber(i, f)), list.Value(i, f));
        // The index catches up at a look-up: let changes gather between some of them.
        if (rng.bounded(4) == 0)
            continue;
        for (qsizetype i = 0; i < list.size(); ++i)
            ASSERT_EQ(list.FindSong(i), LinearFindSong(list, i)) << "step " << step;
        for (const QString& f : files)
            for (const QString& d : folders) {
                SongRow row;
                row.FileName = f;
                row.Folder = d;
                ASSERT_EQ(list.FindSongForRow(row), LinearFindSongForRow(list, row))
                    << "step " << step;
            }
    }
}

TEST(CollectionList, EdgesOfTheLookUps) {
    CollectionList list;
    EXPECT_EQ(list.FindSong(0), -1);
    EXPECT_EQ(list.FindSongForRow(SongRow{}), -1);
    list.append(Song(u"x.mp3"_s, u"/m/"_s));
    EXPECT_EQ(list.FindSong(1), -1);
    EXPECT_EQ(list.FindSong(-1), -1);
    // Non-ASCII letters are not folded: they compare as they are.
    EXPECT_EQ(list.FindFile(u"X.MP3"_s, u"/M/"_s), 0);
    list.append(Song(u"ä.mp3"_s, u"/m/"_s));
    EXPECT_EQ(list.FindFile(u"Ä.mp3"_s, u"/m/"_s), -1);
    list.clear();
    EXPECT_EQ(list.FindFile(u"x.mp3"_s, u"/m/"_s), -1);
}

TEST(BrowseLists, KeepFirstSpellingAndSortLocaleAware) {
    BrowseLists lists;
    SongRecord r;
    r.Genre = u"Rock"_s;
    r.Album = u"Zebra"_s;
    r.Artist = u"Bob"_s;
    RegisterBrowseKeys(lists, r);
    r.Genre = u"ROCK"_s;
    r.Album = u"zebra"_s;
    r.Artist = u"Bob "_s;
    RegisterBrowseKeys(lists, r);
    r.Album = u"Apple"_s;
    r.Artist = QString();
    RegisterBrowseKeys(lists, r);

    EXPECT_EQ(lists.Genres.size(), 1);
    ASSERT_EQ(lists.Albums.size(), 2);
    EXPECT_EQ(lists.Albums.Entries()[0].Name, u"Zebra");
    EXPECT_EQ(lists.Albums.Entries()[0].Extra, u"Bob");
    EXPECT_EQ(lists.Albums.Sorted()[0].Name, u"Apple");
    // A trailing blank makes another name; the empty artist is registered like any other.
    EXPECT_EQ(lists.Artists.size(), 3);
    EXPECT_TRUE(lists.Artists.Contains(QString()));

    // The sorted view follows later additions.
    r.Album = u"Mango"_s;
    RegisterBrowseKeys(lists, r);
    EXPECT_EQ(lists.Albums.Sorted()[1].Name, u"Mango");
}

TEST(SongRecord, DurationKeepsMinutesWithinTheHourAndPathJoinsTheFolder) {
    EXPECT_EQ((QStringList{DurationText(0), DurationText(221), DurationText(3725),
                           DurationText(75 * 60)}),
              (QStringList{u"00:00"_s, u"03:41"_s, u"02:05"_s, u"15:00"_s}));
    EXPECT_EQ(Song(u"x.mp3"_s, u"/m"_s).Path(), u"/m/x.mp3");
}

} // namespace
} // namespace orvane
