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

using namespace Qt::StringLiterals;

using test::TempDir;

class SongStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        store.OnNewSongs = [this](std::span<const SongRecord> added) {
            logged.insert(logged.end(), added.begin(), added.end());
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
        Mp3(u"Rock/track01.mp3"_s, test::MakeId3v1(u"Some Title"_s, u"Some Artist"_s,
                                                   u"Some Album"_s, u"1998"_s, u"ripped"_s, 0, 17));
    ASSERT_TRUE(AddSongFile(store, path));
    ASSERT_EQ(store.Songs.size(), 1);
    const SongRecord& r = store.Songs[0];
    EXPECT_EQ(
        r, (SongRecord{u"track01.mp3"_s, u"Some Title"_s, u"Some Artist"_s, u"Some Album"_s,
                       u"00:00"_s, u"1998"_s, u"Rock"_s, u"ripped"_s,
                       QDir(dir.path()).absolutePath() + u"/Rock/"_s, kLocalCollection, u"1"_s}));
    EXPECT_EQ(store.Mpeg.SearchLimit(), kScanSearchLimit);
    ASSERT_EQ(logged.size(), 1u);
    EXPECT_EQ(logged[0], r);
    EXPECT_TRUE(store.Browse.Albums.Contains(u"SOME ALBUM"_s));
}

TEST_F(SongStoreTest, SameFileIsHeldOnceWhateverTheLetterCase) {
    const QString lower = Mp3(u"a/X.mp3"_s);
    const QString upper = Mp3(u"A/x.MP3"_s);
    AddSongFile(store, lower);
    AddSongFile(store, lower);
    AddSongFile(store, upper);
    ASSERT_EQ(store.Songs.size(), 1);
    EXPECT_EQ(store.Songs[0].FileName, u"X.mp3");
    EXPECT_EQ(logged.size(), 1u);

    AddSongFile(store, Mp3(u"a/Y.mp3"_s));
    EXPECT_EQ(store.Songs.size(), 2);
}

TEST_F(SongStoreTest, FilesThatAreNotMpegAudioAreLeftOut) {
    const QString junk = dir.file(u"notes.mp3"_s);
    ASSERT_TRUE(test::WriteFile(junk, QByteArray(4096, 'x')));
    EXPECT_TRUE(AddSongFile(store, junk));
    EXPECT_TRUE(AddSongFile(store, dir.file(u"missing.mp3"_s)));
    EXPECT_EQ(store.Songs.size(), 0);
    EXPECT_TRUE(logged.empty());
}

// A line break in a tag or a file name must never split a line of local.orv: a ghost record
// would come back at every start and the song would be found new and logged again every run.
TEST_F(SongStoreTest, LineBreaksNeverSplitACacheLine) {
    const QString tagged =
        Mp3(u"tagged.mp3"_s,
            test::MakeId3v1(u"one\ntwo"_s, u"a\r\nb"_s, u"Album"_s, u"19\n9"_s, u"end\r"_s, 0, 17));
    const QString brokenName = Mp3(u"two\nlines.mp3"_s);
    const QString brokenFolder = Mp3(u"sub\rfolder/x.mp3"_s);
    for (const QString& path : {tagged, brokenName, brokenFolder})
        AddScannedFile(store, path);
    ASSERT_EQ(store.Songs.size(), 1);
    const SongRecord& read = store.Songs[0];
    EXPECT_EQ((QStringList{read.Title, read.Artist, read.Year, read.Comment}),
              (QStringList{u"one two"_s, u"a  b"_s, u"19 9"_s, u"end"_s}));

    // A value changed in memory (the tag editor keeps what it was given) is written as one line.
    SongRecord edited = store.Songs[0];
    edited.Title = u"x\ny"_s;
    store.Songs.replace(0, edited);
    EXPECT_FALSE(BuildCacheLine(edited).contains(u'\n'));
    const QString cache = dir.file(u"local.orv"_s);
    ASSERT_TRUE(SaveCacheFile(cache, store.Songs));

    SongStore next;
    ASSERT_TRUE(LoadCacheFile(cache, next.Songs, true, next.Browse));
    int newSongs = 0;
    next.OnNewSongs = [&](std::span<const SongRecord> added) {
        newSongs += int(added.size());
    };
    for (const QString& path : {tagged, brokenName, brokenFolder})
        AddScannedFile(next, path);
    ASSERT_EQ(next.Songs.size(), 1);
    EXPECT_EQ(next.Songs[0].Title, u"x y");
    EXPECT_EQ(next.Songs[0].Folder, store.Songs[0].Folder);
    EXPECT_EQ(newSongs, 0);
}

TEST_F(SongStoreTest, RecycledSongsComeFromTheFolderItselfOnly) {
    Mp3(u"recycle/b.mp3"_s);
    Mp3(u"recycle/a.MP3"_s);
    Mp3(u"recycle/deeper/c.mp3"_s);
    ASSERT_TRUE(test::WriteFile(dir.file(u"recycle/cover.jpg"_s), "jpeg"));
    EXPECT_EQ(AddRecycledSongs(store, dir.file(u"recycle"_s)), 2);
    ASSERT_EQ(store.Songs.size(), 2);
    EXPECT_EQ(store.Songs[0].FileName, u"a.MP3");
    EXPECT_EQ(store.Songs[1].FileName, u"b.mp3");
    EXPECT_EQ(AddRecycledSongs(store, dir.file(u"none"_s)), 0);
}

TEST(Mp3FileNames, ExtensionAnywhereInTheName) {
    for (const QString& name : {u"a.mp3"_s, u"b.MP2"_s, u"c.Mp4"_s, u"a.mp3.bak"_s})
        EXPECT_TRUE(IsMp3FileName(name)) << name.toStdString();
    EXPECT_FALSE(IsMp3FileName(u"d.wav"_s) || IsMp3FileName(u"mp3"_s));
}

TEST_F(SongStoreTest, RowsFromRecordsAndFiles) {
    const QString path = Mp3(u"x/song.mp3"_s);
    store.Mpeg.SetFileName(path);
    SongRows rows;
    DisplayFilter filter;
    ASSERT_TRUE(MakeSongRowFromFile(store.Mpeg, rows, filter));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ((QStringList{rows[0].Title, rows[0].FileName, rows[0].Path(), rows[0].Collection,
                           rows[0].NewFlag}),
              (QStringList{u"song.mp3"_s, u"song.mp3"_s, QFileInfo(path).absoluteFilePath(),
                           kLocalCollection, u"0"_s}));

    AddSongFile(store, path);
    ASSERT_TRUE(MakeSongRow(store.Songs[0], rows, filter));
    EXPECT_EQ(rows[1].NewFlag, u"1");
    EXPECT_EQ(store.Songs.FindSongForRow(rows[0]), 0);
}

} // namespace
} // namespace orvane
