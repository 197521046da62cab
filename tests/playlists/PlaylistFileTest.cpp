#include "playlists/PlaylistFile.h"

#include "support/FileBytes.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace orvane {
namespace {

using test::ReadFile;
using test::ScriptedPrompts;
using test::TempDir;
using test::WriteFile;

SongRow Row(const QString& folder, const QString& file) {
    SongRow row;
    row.Folder = folder;
    row.FileName = file;
    return row;
}

TEST(PlaylistFile, EntriesAbsoluteRelativeAndSkipped) {
    TempDir dir;
    const QString list = dir.file(QStringLiteral("Rock.m3u"));
    WriteFile(list, "#EXTM3U\r\n#EXTINF:123,Someone - Song\r\nsub\\a.mp3\n\r\n"
                    "/abs/b.mp3\r\nD:\\MP3\\c.mp3\r\nlast.mp3");
    const PlaylistEntries e = ReadPlaylistEntries(list, dir.path());
    ASSERT_TRUE(e.opened);
    EXPECT_EQ(e.paths, (QStringList{dir.path() + QStringLiteral("/sub/a.mp3"),
                                    QStringLiteral("/abs/b.mp3"), QStringLiteral("D:\\MP3\\c.mp3"),
                                    dir.path() + QStringLiteral("/last.mp3")}));
    EXPECT_TRUE(e.endsOpen);
    EXPECT_FALSE(ReadPlaylistEntries(dir.file(QStringLiteral("none.m3u")), dir.path()).opened);
}

TEST(PlaylistFile, ContainsComparesWithoutCaseAndResolvesRelativeEntries) {
    TempDir dir;
    const QString list = dir.file(QStringLiteral("p.m3u"));
    ASSERT_TRUE(WriteFile(list, "Sub/Song.MP3\r\n"));
    EXPECT_TRUE(PlaylistContains(list, dir.path() + QStringLiteral("/sub/song.mp3")));
    EXPECT_FALSE(PlaylistContains(list, dir.path() + QStringLiteral("/sub/other.mp3")));
    EXPECT_FALSE(PlaylistContains(dir.file(QStringLiteral("none.m3u")), QStringLiteral("/x")));
}

TEST(PlaylistFile, AppendAddsOnceAndKeepsWhatWasThere) {
    TempDir dir;
    ScriptedPrompts prompts;
    const QString list = dir.file(QStringLiteral("favourites.orv"));

    AppendToPlaylist(list, Row(QStringLiteral("/m"), QStringLiteral("a.mp3")), prompts);
    EXPECT_EQ(ReadFile(list), QByteArray("/m/a.mp3\r\n"));

    // Already there in other letter case: nothing changes.
    AppendToPlaylist(list, Row(QStringLiteral("/M/"), QStringLiteral("A.MP3")), prompts);
    EXPECT_EQ(ReadFile(list), QByteArray("/m/a.mp3\r\n"));

    // A last line without line end written by another program is completed first.
    ASSERT_TRUE(WriteFile(list, "#EXTM3U\r\n/m/a.mp3"));
    AppendToPlaylist(list, Row(QStringLiteral("/m/"), QStringLiteral("ö.mp3")), prompts);
    EXPECT_EQ(ReadFile(list), QByteArray("#EXTM3U\r\n/m/a.mp3\r\n/m/\xc3\xb6.mp3\r\n"));
    EXPECT_TRUE(prompts.shown().empty());
}

TEST(PlaylistFile, AppendFailuresAreReportedAndLoseNothing) {
    TempDir dir;
    ScriptedPrompts prompts;
    const SongRow row = Row(QStringLiteral("/m/"), QStringLiteral("a.mp3"));

    // A new playlist in a folder that does not exist.
    AppendToPlaylist(dir.file(QStringLiteral("none/p.m3u")), row, prompts);
    ASSERT_EQ(prompts.texts().size(), 1);
    EXPECT_EQ(prompts.texts()[0],
              QStringLiteral("Error updating favourites.\nCould not write temporary file."));

    // A playlist that exists but cannot be read is never overwritten.
    const QString unreadable = dir.file(QStringLiteral("odd.m3u"));
    ASSERT_TRUE(QDir().mkpath(unreadable + QStringLiteral("/inside")));
    AppendToPlaylist(unreadable, row, prompts);
    ASSERT_EQ(prompts.texts().size(), 2);
    EXPECT_TRUE(prompts.texts()[1].startsWith(QStringLiteral("Error updating playlist.\n")));
    EXPECT_TRUE(QFileInfo(unreadable + QStringLiteral("/inside")).isDir());
}

} // namespace
} // namespace orvane
