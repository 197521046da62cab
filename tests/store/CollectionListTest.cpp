#include "store/CollectionList.h"

#include "platform/AsciiCase.h"
#include "platform/Paths.h"
#include "store/BrowseLists.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace orvane {
namespace {

SongRecord Song(const QString& file, const QString& folder) {
    SongRecord r;
    r.FileName = file;
    r.Folder = folder;
    return r;
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
    const QStringList files = {QStringLiteral("a.mp3"), QStringLiteral("A.MP3"),
                               QStringLiteral("b.mp3"), QStringLiteral("Ä.mp3")};
    const QStringList folders = {QStringLiteral("/m/"),   QStringLiteral("/M/"),
                                 QStringLiteral("/m"),    QStringLiteral("/n/"),
                                 QStringLiteral("D:\\m"), QStringLiteral("d:\\M\\")};
    QRandomGenerator rng(42);
    auto randomSong = [&] {
        return Song(files[rng.bounded(int(files.size()))],
                    folders[rng.bounded(int(folders.size()))]);
    };

    CollectionList list;
    for (int step = 0; step < 600; ++step) {
        const int op = rng.bounded(10);
        if (op < 6 || list.empty())
            list.append(randomSong());
        else if (op < 8)
            list.removeAt(rng.bounded(int(list.size())));
        else
            list.replace(rng.bounded(int(list.size())), randomSong());

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
    list.append(Song(QStringLiteral("x.mp3"), QStringLiteral("/m/")));
    EXPECT_EQ(list.FindSong(1), -1);
    EXPECT_EQ(list.FindSong(-1), -1);
    // Non-ASCII letters are not folded: they compare as they are.
    EXPECT_EQ(list.FindFile(QStringLiteral("X.MP3"), QStringLiteral("/M/")), 0);
    list.append(Song(QStringLiteral("ä.mp3"), QStringLiteral("/m/")));
    EXPECT_EQ(list.FindFile(QStringLiteral("Ä.mp3"), QStringLiteral("/m/")), -1);
    list.clear();
    EXPECT_EQ(list.FindFile(QStringLiteral("x.mp3"), QStringLiteral("/m/")), -1);
}

TEST(BrowseLists, KeepFirstSpellingAndSortLocaleAware) {
    BrowseLists lists;
    SongRecord r;
    r.Genre = QStringLiteral("Rock");
    r.Album = QStringLiteral("Zebra");
    r.Artist = QStringLiteral("Bob");
    RegisterBrowseKeys(lists, r);
    r.Genre = QStringLiteral("ROCK");
    r.Album = QStringLiteral("zebra");
    r.Artist = QStringLiteral("Bob ");
    RegisterBrowseKeys(lists, r);
    r.Album = QStringLiteral("Apple");
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
    r.Album = QStringLiteral("Mango");
    RegisterBrowseKeys(lists, r);
    EXPECT_EQ(lists.Albums.Sorted()[1].Name, u"Mango");
}

TEST(SongRecord, DurationKeepsMinutesWithinTheHour) {
    EXPECT_EQ(DurationText(0), u"00:00");
    EXPECT_EQ(DurationText(221), u"03:41");
    EXPECT_EQ(DurationText(3725), u"02:05");
    EXPECT_EQ(DurationText(75 * 60), u"15:00");
}

TEST(SongRecord, PathsAndExternalSongs) {
    SongRecord r = Song(QStringLiteral("x.mp3"), QStringLiteral("/m"));
    EXPECT_EQ(r.Path(), u"/m/x.mp3");
    EXPECT_FALSE(r.IsExternal());
    r.Folder = QStringLiteral("import:\\disc1\\");
    EXPECT_TRUE(r.IsExternal());

    r.Collection = QStringLiteral("local.orv");
    r.NewFlag = QStringLiteral("0");
    const SongRow row = SongRow::FromRecord(r);
    EXPECT_EQ(row.SubValue(6), u"x.mp3");
    EXPECT_EQ(row.SubValue(7), r.Folder);
    EXPECT_EQ(row.SubValue(9), u"0");
    EXPECT_TRUE(row.SubValue(10).isEmpty());
}

} // namespace
} // namespace orvane
