#include "playlists/PlaylistFile.h"

#include "support/FileBytes.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace orvane {
namespace {

using namespace Qt::StringLiterals;

using test::ReadFile;
using test::ScriptedPrompts;
using test::TempDir;
using test::WriteFile;

SongRow Row(const QString& folder, const QString& file) {
    return {{}, {}, {}, {}, {}, {}, {}, file, folder, {}, {}};
}

TEST(PlaylistFile, EntriesAbsoluteRelativeAndSkipped) {
    TempDir dir;
    const QString list = dir.file(u"Rock.m3u"_s);
    WriteFile(list, "#EXTM3U\r\n#EXTINF:123,Someone - Song\r\nsub\\a.mp3\n\r\n"
                    "/abs/b.mp3\r\nD:\\MP3\\c.mp3\r\nlast.mp3");
    const PlaylistEntries e = ReadPlaylistEntries(list, dir.path());
    ASSERT_TRUE(e.opened);
    EXPECT_EQ(e.paths, (QStringList{dir.path() + u"/sub/a.mp3"_s, u"/abs/b.mp3"_s,
                                    u"D:\\MP3\\c.mp3"_s, dir.path() + u"/last.mp3"_s}));
    EXPECT_TRUE(e.endsOpen);
    EXPECT_FALSE(ReadPlaylistEntries(dir.file(u"none.m3u"_s), dir.path()).opened);
}

TEST(PlaylistFile, ContainsComparesWithoutCaseAndResolvesRelativeEntries) {
    TempDir dir;
    const QString list = dir.file(u"p.m3u"_s);
    ASSERT_TRUE(WriteFile(list, "Sub/Song.MP3\r\n"));
    EXPECT_TRUE(PlaylistContains(list, dir.path() + u"/sub/song.mp3"_s));
    EXPECT_FALSE(PlaylistContains(list, dir.path() + u"/sub/other.mp3"_s));
    EXPECT_FALSE(PlaylistContains(dir.file(u"none.m3u"_s), u"/x"_s));
}

TEST(PlaylistFile, AppendAddsOnceAndKeepsWhatWasThere) {
    TempDir dir;
    ScriptedPrompts prompts;
    const QString list = dir.file(u"favourites.orv"_s);

    AppendToPlaylist(list, Row(u"/m"_s, u"a.mp3"_s), prompts);
    EXPECT_EQ(ReadFile(list), QByteArray("/m/a.mp3\r\n"));

    // Already there in other letter case: nothing changes.
    AppendToPlaylist(list, Row(u"/M/"_s, u"A.MP3"_s), prompts);
    EXPECT_EQ(ReadFile(list), QByteArray("/m/a.mp3\r\n"));

    // A last line without line end written by another program is completed first.
    ASSERT_TRUE(WriteFile(list, "#EXTM3U\r\n/m/a.mp3"));
    AppendToPlaylist(list, Row(u"/m/"_s, u"ö.mp3"_s), prompts);
    EXPECT_EQ(ReadFile(list), QByteArray("#EXTM3U\r\n/m/a.mp3\r\n/m/\xc3\xb6.mp3\r\n"));
    EXPECT_TRUE(prompts.shown().empty());
}

TEST(PlaylistFile, AppendFailuresAreReportedAndLoseNothing) {
    TempDir dir;
    ScriptedPrompts prompts;
    const SongRow row = Row(u"/m/"_s, u"a.mp3"_s);

    // A new playlist in a folder that does not exist.
    AppendToPlaylist(dir.file(u"none/p.m3u"_s), row, prompts);
    ASSERT_EQ(prompts.texts().size(), 1);
    EXPECT_EQ(prompts.texts()[0], u"Error updating favourites.\nCould not write temporary file."_s);

    // A playlist that exists but cannot be read is never overwritten.
    const QString unreadable = dir.file(u"odd.m3u"_s);
    ASSERT_TRUE(QDir().mkpath(unreadable + u"/inside"_s));
    AppendToPlaylist(unreadable, row, prompts);
    ASSERT_EQ(prompts.texts().size(), 2);
    EXPECT_TRUE(prompts.texts()[1].startsWith(u"Error updating playlist.\n"_s));
    EXPECT_TRUE(QFileInfo(unreadable + u"/inside"_s).isDir());
}

} // namespace
} // namespace orvane
