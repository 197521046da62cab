#include "browser/LibraryViews.h"
#include "browser/LibraryLists.h"
#include "support/MpegFixture.h"
#include "support/SongTitles.h"
#include "support/TempDir.h"

#include <QDir>
#include <gtest/gtest.h>

namespace orvane {
namespace {

using namespace Qt::StringLiterals;

SongRecord Song(const QString& title, const QString& artist, const QString& album,
                const QString& genre = u"Rock"_s, const QString& duration = u"03:00"_s,
                const QString& newFlag = u"0"_s) {
    return {
        title + u".mp3"_s, title,  artist, album, duration, u"1999"_s, genre, u"c"_s, u"/music/"_s,
        kLocalCollection,  newFlag};
}

using test::Titles;

QStringList Captions(const std::vector<LibraryEntry>& entries) {
    QStringList captions;
    for (const LibraryEntry& e : entries)
        captions << e.Caption;
    return captions;
}

CollectionList Collection() {
    CollectionList songs;
    songs.append(Song(u"one"_s, u"Zed"_s, u"Best Of"_s, u"Rock"_s, u"03:00"_s, u"1"_s));
    songs.append(Song(u"two"_s, u"ZED"_s, u"BEST OF"_s, u"rock"_s));
    songs.append(Song(u"three"_s, u"Amy"_s, u"Best Of "_s, u"Pop"_s));
    songs.append(Song(u"four"_s, {}, {}, u"Jazz"_s, u"10:30"_s, u"1"_s));
    songs.append(Song(u"five"_s, u"Bob"_s, u"Apples"_s, u"Pop"_s));
    songs.append(Song(u"six"_s, u"Bob"_s, {}, u"Pop"_s));
    return songs;
}

TEST(LibraryLists, DistinctWithoutCaseFirstSpellingSortedBlankFirst) {
    const CollectionList songs = Collection();
    BrowseReadyFlags ready{false, false};
    BrowseList albums;
    albums.Add(u"Gone"_s); // left from before the rebuild
    const std::vector<LibraryEntry> a = RebuildAlbumList(songs, albums, ready);
    // One entry for Best Of / BEST OF, spelt as met first, with that record's artist; the name
    // with a trailing blank is an album of its own; the blank entry leads. (The names differ
    // in more than case, so every locale sorts them alike.)
    EXPECT_EQ(Captions(a), (QStringList{{}, u"Apples"_s, u"Best Of"_s, u"Best Of "_s}));
    EXPECT_EQ(a[0], (LibraryEntry{{}, {}, {}}));
    EXPECT_EQ(a[2], (LibraryEntry{u"Best Of"_s, u"Best Of"_s, u"Zed"_s}));
    EXPECT_TRUE(ready.AlbumListReady);
    EXPECT_FALSE(ready.ArtistListReady);
    EXPECT_FALSE(albums.Contains(u"Gone"_s));

    BrowseList artists;
    const std::vector<LibraryEntry> r = RebuildArtistList(songs, artists, ready);
    EXPECT_EQ(Captions(r), (QStringList{{}, u"Amy"_s, u"Bob"_s, u"Zed"_s}));
    EXPECT_EQ(r[3], (LibraryEntry{u"Zed"_s, {}, {}}));
    EXPECT_TRUE(ready.ArtistListReady);

    BrowseList genres;
    EXPECT_EQ(RebuildGenreList(songs, genres), (QStringList{u"Jazz"_s, u"Pop"_s, u"Rock"_s}));

    // An empty collection still gets its blank entry.
    EXPECT_EQ(Captions(RebuildAlbumList(CollectionList{}, albums, ready)), QStringList{QString()});
}

TEST(LibraryViews, AlbumArtistGenreAndNewSongs) {
    const CollectionList songs = Collection();
    const DisplayFilter all;
    SongRows rows(3);

    // Letter case and the blank entry are checked through the window (LibraryWindowTest).
    ShowAlbumSongs(songs, u"Best Of "_s, all, rows);
    EXPECT_EQ(Titles(rows), QStringList{u"three"_s});
    ShowAlbumSongs(songs, u"Best"_s, all, rows); // whole texts only
    EXPECT_TRUE(rows.empty());

    ShowGenreSongs(songs, u"ROCK"_s, all, rows);
    EXPECT_EQ(Titles(rows), (QStringList{u"one"_s, u"two"_s}));
    ShowNewSongs(songs, all, rows);
    EXPECT_EQ(Titles(rows), (QStringList{u"one"_s, u"four"_s}));

    DisplayFilter hideTwo;
    hideTwo.SetTest([](const SongRow& row) { return row.Title != u"two"; });
    ShowAlbumSongs(songs, u"BEST OF"_s, hideTwo, rows);
    EXPECT_EQ(Titles(rows), QStringList{u"one"_s});
}

class FolderViewTest : public ::testing::Test {
protected:
    QString Mp3(const QString& name, const QString& title) {
        const QString path = dir.file(name);
        QDir().mkpath(QFileInfo(path).absolutePath());
        EXPECT_TRUE(test::WriteFile(
            path, test::MakeMpegStream(test::StreamOptions{}) +
                      test::MakeId3v1(title, u"Artist"_s, u"Album"_s, u"2004"_s, {}, 0, 17)));
        return path;
    }

    test::TempDir dir;
    TMPEGAudio mpeg;
    DisplayFilter all;
};

TEST(FolderPattern, AnyNameHoldingDotMp) {
    for (const char16_t* name : {u"a.mp3", u"b.MP2", u"c.mpg", u"d.Mp3.bak", u".mp3"})
        EXPECT_TRUE(MatchesFolderPattern(QString::fromUtf16(name)))
            << QString::fromUtf16(name).toStdString();
    for (const char16_t* name : {u"d.wav", u"mp3", u"amp3", u"a_mp3"})
        EXPECT_FALSE(MatchesFolderPattern(QString::fromUtf16(name)));
}

TEST_F(FolderViewTest, ShowsTheMpegFilesOnDisk) {
    // Sub-folders are not entered.
    for (const QString& name : {u"a.mp3"_s, u"b.MP2"_s, u"c.mpg"_s, u"d.wav"_s, u"deeper/e.mp3"_s})
        Mp3(name, u"Song "_s + QFileInfo(name).baseName().toUpper());
    QDir().mkpath(dir.file(u"folder.mp3"_s)); // a folder is not a song
    ASSERT_TRUE(test::WriteFile(dir.file(u"f.mp3"_s), QByteArray(2048, 'x')));

    SongRows rows(2);
    const QString folder = dir.path(); // without trailing separator
    ShowFolderSongs(folder, mpeg, all, rows);
    // The junk file still gives a row, from what the failed read left.
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(Titles(rows).mid(0, 3), (QStringList{u"Song A"_s, u"Song B"_s, u"Song C"_s}));
    EXPECT_EQ(rows[3].FileName, u"f.mp3"_s);
    EXPECT_EQ(
        (QStringList{rows[1].FileName, rows[1].Genre, rows[1].Path(), rows[1].Collection,
                     rows[1].NewFlag}),
        (QStringList{u"b.MP2"_s, u"Rock"_s, QFileInfo(dir.file(u"b.MP2"_s)).absoluteFilePath(),
                     kLocalCollection, u"0"_s}));

    DisplayFilter onlyB;
    onlyB.SetTest([](const SongRow& row) { return row.FileName == u"b.MP2"; });
    ShowFolderSongs(folder + u"/"_s, mpeg, onlyB, rows);
    EXPECT_EQ(Titles(rows), QStringList{u"Song B"_s});

    ShowFolderSongs(dir.file(u"missing"_s), mpeg, all, rows);
    EXPECT_TRUE(rows.empty());
    ShowFolderSongs({}, mpeg, all, rows);
    EXPECT_TRUE(rows.empty());
}

} // namespace
} // namespace orvane
