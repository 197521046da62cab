#include "store/SongStore.h"

#include "store/CacheFile.h"
#include "store/Mp3FileNames.h"
#include "store/RecycledSongs.h"
#include "store/Scanner.h"
#include "store/SongRows.h"
#include "support/MpegFixture.h"
#include "support/TempDir.h"

#include <QDir>
#include <gtest/gtest.h>

namespace orvane {
namespace {

using test::TempDir;

class SongStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        store.OnNewSong = [this](const SongRecord& r) {
            logged.push_back(r);
        };
    }

    QString Mp3(const QString& relative, const QByteArray& tag = {}) {
        const QString path = dir.file(relative);
        QDir().mkpath(QFileInfo(path).absolutePath());
        EXPECT_TRUE(test::WriteFile(path, test::MakeMpegStream(test::StreamOptions{}) + tag));
        return path;
    }

    TempDir dir;
    SongStore store;
    std::vector<SongRecord> logged;
};

TEST_F(SongStoreTest, TaggedSongBecomesANewRecord) {
    const QString path =
        Mp3(QStringLiteral("Rock/track01.mp3"),
            test::MakeId3v1(QStringLiteral("Some Title"), QStringLiteral("Some Artist"),
                            QStringLiteral("Some Album"), QStringLiteral("1998"),
                            QStringLiteral("ripped"), 0, 17));
    ASSERT_TRUE(AddSongFile(store, path));
    ASSERT_EQ(store.Songs.size(), 1);
    const SongRecord& r = store.Songs[0];
    EXPECT_EQ(r.FileName, u"track01.mp3");
    EXPECT_EQ(r.Title, u"Some Title");
    EXPECT_EQ(r.Artist, u"Some Artist");
    EXPECT_EQ(r.Album, u"Some Album");
    EXPECT_EQ(r.Year, u"1998");
    EXPECT_EQ(r.Genre, u"Rock");
    EXPECT_EQ(r.Comment, u"ripped");
    EXPECT_EQ(r.Folder, QDir(dir.path()).absolutePath() + QStringLiteral("/Rock/"));
    EXPECT_EQ(r.Collection, kLocalCollection);
    EXPECT_EQ(r.NewFlag, u"1");
    EXPECT_EQ(store.Mpeg.SearchLimit(), kScanSearchLimit);
    ASSERT_EQ(logged.size(), 1u);
    EXPECT_EQ(logged[0], r);
    EXPECT_TRUE(store.Browse.Albums.Contains(QStringLiteral("SOME ALBUM")));
}

TEST_F(SongStoreTest, UntaggedSongTakesItsFileNameAsTitle) {
    const QString name = QStringLiteral("A very long file name that goes on and on.mp3");
    ASSERT_TRUE(AddSongFile(store, Mp3(name)));
    ASSERT_EQ(store.Songs.size(), 1);
    const SongRecord& r = store.Songs[0];
    EXPECT_EQ(r.Title, name.left(30));
    EXPECT_EQ(r.Artist, u"[notag]");
    EXPECT_EQ(r.Album, u"[notag]");
    EXPECT_EQ(r.Comment, u"[notag]");
    EXPECT_EQ(r.Year, u"    ");
    EXPECT_EQ(r.Genre, u"Unknown");
}

TEST_F(SongStoreTest, SameFileIsHeldOnceWhateverTheLetterCase) {
    const QString lower = Mp3(QStringLiteral("a/X.mp3"));
    const QString upper = Mp3(QStringLiteral("A/x.MP3"));
    AddSongFile(store, lower);
    AddSongFile(store, lower);
    AddSongFile(store, upper);
    ASSERT_EQ(store.Songs.size(), 1);
    EXPECT_EQ(store.Songs[0].FileName, u"X.mp3");
    EXPECT_EQ(logged.size(), 1u);

    AddSongFile(store, Mp3(QStringLiteral("a/Y.mp3")));
    EXPECT_EQ(store.Songs.size(), 2);
}

TEST_F(SongStoreTest, FilesThatAreNotMpegAudioAreLeftOut) {
    const QString junk = dir.file(QStringLiteral("notes.mp3"));
    ASSERT_TRUE(test::WriteFile(junk, QByteArray(4096, 'x')));
    EXPECT_TRUE(AddSongFile(store, junk));
    EXPECT_TRUE(AddSongFile(store, dir.file(QStringLiteral("missing.mp3"))));
    EXPECT_EQ(store.Songs.size(), 0);
    EXPECT_TRUE(logged.empty());
}

// A line break in a tag or a file name must never split a line of local.orv: a ghost record
// would come back at every start and the song would be found new and logged again every run.
TEST_F(SongStoreTest, LineBreaksNeverSplitACacheLine) {
    const QString tagged = Mp3(QStringLiteral("tagged.mp3"),
                               test::MakeId3v1(QStringLiteral("one\ntwo"), QStringLiteral("a\r\nb"),
                                               QStringLiteral("Album"), QStringLiteral("19\n9"),
                                               QStringLiteral("end\r"), 0, 17));
    const QString brokenName = Mp3(QStringLiteral("two\nlines.mp3"));
    const QString brokenFolder = Mp3(QStringLiteral("sub\rfolder/x.mp3"));
    for (const QString& path : {tagged, brokenName, brokenFolder})
        AddScannedFile(store, path);
    ASSERT_EQ(store.Songs.size(), 1);
    EXPECT_EQ(store.Songs[0].Title, u"one two");
    EXPECT_EQ(store.Songs[0].Artist, u"a  b");
    EXPECT_EQ(store.Songs[0].Year, u"19 9");
    EXPECT_EQ(store.Songs[0].Comment, u"end");

    // A value changed in memory (the tag editor keeps what it was given) is written as one line.
    SongRecord edited = store.Songs[0];
    edited.Title = QStringLiteral("x\ny");
    store.Songs.replace(0, edited);
    EXPECT_FALSE(BuildCacheLine(edited).contains(u'\n'));
    const QString cache = dir.file(QStringLiteral("local.orv"));
    ASSERT_TRUE(SaveCacheFile(cache, store.Songs.records()));

    SongStore next;
    ASSERT_TRUE(LoadCacheFile(cache, next.Songs, true, next.Browse));
    int newSongs = 0;
    next.OnNewSong = [&](const SongRecord&) {
        ++newSongs;
    };
    for (const QString& path : {tagged, brokenName, brokenFolder})
        AddScannedFile(next, path);
    ASSERT_EQ(next.Songs.size(), 1);
    EXPECT_EQ(next.Songs[0].Title, u"x y");
    EXPECT_EQ(next.Songs[0].Folder, store.Songs[0].Folder);
    EXPECT_EQ(newSongs, 0);
}

TEST_F(SongStoreTest, RecycledSongsComeFromTheFolderItselfOnly) {
    Mp3(QStringLiteral("recycle/b.mp3"));
    Mp3(QStringLiteral("recycle/a.MP3"));
    Mp3(QStringLiteral("recycle/deeper/c.mp3"));
    ASSERT_TRUE(test::WriteFile(dir.file(QStringLiteral("recycle/cover.jpg")), "jpeg"));
    EXPECT_EQ(AddRecycledSongs(store, dir.file(QStringLiteral("recycle"))), 2);
    ASSERT_EQ(store.Songs.size(), 2);
    EXPECT_EQ(store.Songs[0].FileName, u"a.MP3");
    EXPECT_EQ(store.Songs[1].FileName, u"b.mp3");
    EXPECT_EQ(AddRecycledSongs(store, dir.file(QStringLiteral("none"))), 0);
}

TEST(Mp3FileNames, ExtensionAnywhereInTheName) {
    EXPECT_TRUE(IsMp3FileName(QStringLiteral("a.mp3")));
    EXPECT_TRUE(IsMp3FileName(QStringLiteral("b.MP2")));
    EXPECT_TRUE(IsMp3FileName(QStringLiteral("c.Mp4")));
    EXPECT_TRUE(IsMp3FileName(QStringLiteral("a.mp3.bak")));
    EXPECT_FALSE(IsMp3FileName(QStringLiteral("d.wav")));
    EXPECT_FALSE(IsMp3FileName(QStringLiteral("mp3")));
}

TEST_F(SongStoreTest, RowsFromRecordsAndFiles) {
    const QString path = Mp3(QStringLiteral("x/song.mp3"));
    store.Mpeg.SetFileName(path);
    SongRows rows;
    DisplayFilter filter;
    ASSERT_TRUE(MakeSongRowFromFile(store.Mpeg, rows, filter));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].Title, u"song.mp3");
    EXPECT_EQ(rows[0].FileName, u"song.mp3");
    EXPECT_EQ(rows[0].Path(), QFileInfo(path).absoluteFilePath());
    EXPECT_EQ(rows[0].Collection, kLocalCollection);
    EXPECT_EQ(rows[0].NewFlag, u"0");

    AddSongFile(store, path);
    ASSERT_TRUE(MakeSongRow(store.Songs[0], rows, filter));
    EXPECT_EQ(rows[1].NewFlag, u"1");
    EXPECT_EQ(store.Songs.FindSongForRow(rows[0]), 0);
}

} // namespace
} // namespace orvane
