// Listing, reading, rewriting and deleting playlists, and the favourites commands with their
// questions.

#include "playlists/PlaylistCommands.h"
#include "playlists/PlaylistFile.h"
#include "playlists/PlaylistList.h"

#include "support/FileSizeLimit.h"
#include "support/MpegFixture.h"
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

SongRow Row(const QString& path) {
    const qsizetype cut = path.lastIndexOf(u'/') + 1;
    return {{}, {}, {}, {}, {}, {}, {}, path.mid(cut), path.left(cut), {}, {}};
}

QStringList Captions(const PlaylistView& view) {
    QStringList captions;
    for (const PlaylistEntry& entry : view)
        captions << entry.Caption;
    return captions;
}

TEST(PlaylistList, NamesFolderOrderAndHiddenFolders) {
    TempDir dir;
    const QString base = dir.path() + u'/';
    ASSERT_TRUE(QDir().mkpath(base + u"b/deeper"_s));
    ASSERT_TRUE(QDir().mkpath(base + u".hidden"_s));
    for (const char* name : {"Rock.M3U.bak", "a.m3u", "b/Party.m3u8", "b/deeper/Chill.m3u",
                             ".hidden/Secret.m3u", "notes-m3u.txt", ".m3u", "c.mp3"})
        ASSERT_TRUE(WriteFile(base + QString::fromUtf8(name), "x\r\n"));

    // Sub-folders are searched where their names come, depth first.
    PlaylistView view{{u"kept"_s, {}, {}}};
    ListPlaylists(base, view);
    EXPECT_EQ(Captions(view), (QStringList{u"kept"_s, u"a"_s, u"Chill"_s, u"Party"_s, u"Rock"_s}));
    EXPECT_EQ(view[3].Path, base + u"b/Party.m3u8"_s);
    EXPECT_EQ(view[3].Folder, base + u"b/"_s);

    // Found by name with only the letters a to z taken without case, in a fresh listing.
    ASSERT_TRUE(WriteFile(base + u"\u00c9t\u00e9.m3u"_s, "x\r\n"));
    EXPECT_EQ(FindPlaylist(u"cHILL"_s, base, view), 1);
    EXPECT_EQ(view.size(), 5u);
    EXPECT_EQ(FindPlaylist(u"\u00e9t\u00e9"_s, base, view), -1);
    const int found = FindPlaylist(u"\u00c9t\u00e9"_s, base, view);
    ASSERT_GE(found, 0);
    EXPECT_EQ(view[size_t(found)].Caption, u"\u00c9t\u00e9");
}

TEST(PlaylistFile, LoadGivesARowPerEntryFromTheFilesThemselves) {
    TempDir dir;
    const QString base = dir.path() + u'/';
    ASSERT_TRUE(QDir().mkpath(base + u"lists"_s));
    ASSERT_TRUE(WriteFile(base + u"lists/song.mp3"_s,
                          test::MakeMpegStream({}) +
                              test::MakeId3v1(u"Song"_s, u"Ann"_s, {}, {}, {}, 0, 0)));
    const QString list = base + u"lists/Mix.m3u"_s;
    ASSERT_TRUE(
        WriteFile(list, "#EXTM3U\r\nsong.mp3\r\n" + (base + u"gone.mp3"_s).toUtf8() + "\n"));
    SongRows view(3);
    TMPEGAudio info;
    DisplayFilter filter;
    EXPECT_FALSE(LoadPlaylist(list, base + u"lists/"_s, view, info, filter));
    ASSERT_EQ(view.size(), 2u);
    EXPECT_EQ(view[0].Path(), base + u"lists/song.mp3"_s);
    EXPECT_EQ(view[0].Artist, u"Ann");
    EXPECT_EQ(view[1].Path(), base + u"gone.mp3"_s) << "a missing song still shows";

    EXPECT_TRUE(LoadPlaylist(base + u"none.m3u"_s, base, view, info, filter));
    EXPECT_EQ(view.size(), 2u) << "an unreadable playlist leaves the list alone";
}

TEST(PlaylistCommands, RemovingTakesOutOnlyTheChosenEntries) {
    TempDir dir;
    ScriptedPrompts prompts;
    const QString list = dir.file(u"p.m3u"_s);
    // Comments, extended information and an entry not on the list (a display filter hid it)
    // stay byte for byte; relative entries and other letter case are matched.
    const QByteArray kept = "# mine\r\n#EXTINF:12,B\r\n/m/b.mp3\r\n/m/hidden\xe9.mp3\r\n";
    ASSERT_TRUE(WriteFile(list, "# mine\r\nsub\\a.mp3\r\n#EXTINF:12,B\r\n/m/b.mp3\r\n"
                                "/m/hidden\xe9.mp3\r\n/M/C.MP3"));
    const SongRows selected = {Row(dir.file(u"sub/a.mp3"_s)), Row(u"/m/c.mp3"_s)};

    prompts.Answer(PromptAnswer::No);
    EXPECT_FALSE(RemoveFromPlaylist(PlaylistKind::Playlist, list, dir.path(), selected, prompts));
    EXPECT_TRUE(RemoveFromPlaylist(PlaylistKind::Playlist, list, dir.path(), selected, prompts));
    EXPECT_EQ(prompts.texts(), (QStringList{u"Remove selected songs from playlist?"_s,
                                            u"Remove selected songs from playlist?"_s}));
    EXPECT_EQ(ReadFile(list), kept);

    // A file that cannot be read (here a folder in its place) is reported and left alone.
    const QString blocked = dir.file(u"blocked.m3u"_s);
    ASSERT_TRUE(QDir().mkpath(blocked + u"/inside"_s));
    EXPECT_FALSE(
        RemoveFromPlaylist(PlaylistKind::Favourites, blocked, dir.path(), selected, prompts));
    EXPECT_EQ(prompts.texts().mid(2),
              (QStringList{u"Remove selected songs from favourites folder?"_s,
                           u"Error updating playlist - "_s + blocked}));
    EXPECT_TRUE(QFileInfo(blocked + u"/inside"_s).isDir());

    // Nothing selected: no question.
    EXPECT_FALSE(RemoveFromPlaylist(PlaylistKind::Playlist, list, dir.path(), {}, prompts));
    EXPECT_EQ(prompts.texts().size(), 4);
}

// No and Yes on an existing playlist are checked through the main window.
TEST(PlaylistCommands, APlaylistFileThatIsGoneIsReportedAndItsEntryStays) {
    TempDir dir;
    ScriptedPrompts prompts;
    const QString base = dir.path() + u'/';
    PlaylistView view = {{u"Ghost"_s, base + u"Ghost.m3u"_s, base}};
    EXPECT_FALSE(DeletePlaylist(view, 0, prompts));
    EXPECT_EQ(view.size(), 1u);
    EXPECT_EQ(prompts.texts().back(), u"Error while trying to move file(s) to recycle bin."_s);
    EXPECT_FALSE(DeletePlaylist(view, 5, prompts)) << "no entry selected";
}

TEST(PlaylistCommands, WriteFailuresAreReportedAndLoseNothing) {
    TempDir dir;
    ScriptedPrompts prompts;
    const QByteArray before = "/m/a.mp3\r\n/m/b.mp3\r\n/m/c.mp3\r\n";

    // A playlist in a folder where no file can be created, whoever runs this.
    const QString noFolder = u"/proc/self/status"_s;
    if (!QFileInfo::exists(noFolder))
        GTEST_SKIP() << "needs /proc";
    AppendToPlaylist(noFolder, Row(u"/m/d.mp3"_s), prompts);
    EXPECT_EQ(prompts.texts(), QStringList{QStringLiteral(
                                   "Error updating playlist.\nCould not write temporary file.")});

    // The new file cannot be written whole.
    const QString list = dir.file(u"p.m3u"_s);
    ASSERT_TRUE(WriteFile(list, before));
    {
        const test::FileSizeLimit full(8);
        AppendToPlaylist(list, Row(u"/m/d.mp3"_s), prompts);
        EXPECT_FALSE(RemovePlaylistEntries(list, dir.path(), {u"/m/a.mp3"_s}, prompts));
    }
    EXPECT_EQ(prompts.texts().mid(1), (QStringList{u"Unable to create updated file"_s,
                                                   u"Error updating playlist - "_s + list}));
    EXPECT_EQ(ReadFile(list), before);
}

} // namespace
} // namespace orvane
