// Listing, reading, rewriting and deleting playlists, and the favourites commands with their
// questions.

#include "playlists/PlaylistCommands.h"
#include "playlists/PlaylistFile.h"
#include "playlists/PlaylistList.h"

#include "support/MpegFixture.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace orvane {
namespace {

using test::ReadFile;
using test::ScriptedPrompts;
using test::TempDir;
using test::WriteFile;

SongRow Row(const QString& path) {
    SongRow row;
    row.Folder = path.left(path.lastIndexOf(u'/') + 1);
    row.FileName = path.mid(path.lastIndexOf(u'/') + 1);
    return row;
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
    ASSERT_TRUE(QDir().mkpath(base + QStringLiteral("b/deeper")));
    ASSERT_TRUE(QDir().mkpath(base + QStringLiteral(".hidden")));
    for (const char* name : {"Rock.M3U.bak", "a.m3u", "b/Party.m3u8", "b/deeper/Chill.m3u",
                             ".hidden/Secret.m3u", "notes-m3u.txt", ".m3u", "c.mp3"})
        ASSERT_TRUE(WriteFile(base + QString::fromUtf8(name), "x\r\n"));

    // Sub-folders are searched where their names come, depth first.
    PlaylistView view{{QStringLiteral("kept"), {}, {}}};
    ListPlaylists(base, view);
    EXPECT_EQ(Captions(view),
              (QStringList{QStringLiteral("kept"), QStringLiteral("a"), QStringLiteral("Chill"),
                           QStringLiteral("Party"), QStringLiteral("Rock")}));
    EXPECT_EQ(view[3].Path, base + QStringLiteral("b/Party.m3u8"));
    EXPECT_EQ(view[3].Folder, base + QStringLiteral("b/"));

    EXPECT_EQ(FindPlaylist(QStringLiteral("PARTY"), base, view), 2);
    EXPECT_EQ(view.size(), 4u) << "found anew, without the entry from before";
    EXPECT_EQ(FindPlaylist(QStringLiteral("Secret"), base, view), -1);
}

TEST(PlaylistFile, LoadGivesARowPerEntryFromTheFilesThemselves) {
    TempDir dir;
    const QString base = dir.path() + u'/';
    ASSERT_TRUE(QDir().mkpath(base + QStringLiteral("lists")));
    ASSERT_TRUE(WriteFile(base + QStringLiteral("lists/song.mp3"),
                          test::MakeMpegStream({}) + test::MakeId3v1(QStringLiteral("Song"),
                                                                     QStringLiteral("Ann"), {}, {},
                                                                     {}, 0, 0)));
    const QString list = base + QStringLiteral("lists/Mix.m3u");
    ASSERT_TRUE(WriteFile(list, "#EXTM3U\r\nsong.mp3\r\n" +
                                    (base + QStringLiteral("gone.mp3")).toUtf8() + "\n"));
    SongRows view(3);
    TMPEGAudio info;
    DisplayFilter filter;
    EXPECT_FALSE(LoadPlaylist(list, base + QStringLiteral("lists/"), view, info, filter));
    ASSERT_EQ(view.size(), 2u);
    EXPECT_EQ(view[0].Path(), base + QStringLiteral("lists/song.mp3"));
    EXPECT_EQ(view[0].Artist, u"Ann");
    EXPECT_EQ(view[1].Path(), base + QStringLiteral("gone.mp3")) << "a missing song still shows";

    EXPECT_TRUE(LoadPlaylist(base + QStringLiteral("none.m3u"), base, view, info, filter));
    EXPECT_EQ(view.size(), 2u) << "an unreadable playlist leaves the list alone";
}

TEST(PlaylistCommands, FavouritesInReverseOrderPlaylistsInListOrder) {
    TempDir dir;
    ScriptedPrompts prompts;
    const QString favourites = FavouritesPath(dir.path());
    const SongRows rows = {Row(QStringLiteral("/m/x.mp3")), Row(QStringLiteral("/m/y.mp3")),
                           Row(QStringLiteral("/m/z.mp3"))};
    prompts.Answer(PromptAnswer::No);
    AddToFavourites(favourites, rows, prompts);
    EXPECT_FALSE(QFileInfo::exists(favourites));
    AddToFavourites(favourites, rows, prompts);
    EXPECT_EQ(prompts.texts(), (QStringList{QStringLiteral("Add shortcut to favourites folder?"),
                                            QStringLiteral("Add shortcut to favourites folder?")}));
    EXPECT_EQ(ReadFile(favourites), QByteArray("/m/z.mp3\r\n/m/y.mp3\r\n/m/x.mp3\r\n"));

    const QString playlist = dir.file(QStringLiteral("p.m3u"));
    AddRowsToPlaylist(playlist, rows, prompts);
    EXPECT_EQ(ReadFile(playlist), QByteArray("/m/x.mp3\r\n/m/y.mp3\r\n/m/z.mp3\r\n"));
    EXPECT_EQ(prompts.texts().size(), 2) << "adding to a playlist asks nothing";
}

TEST(PlaylistCommands, RemovingTakesOutOnlyTheChosenEntries) {
    TempDir dir;
    ScriptedPrompts prompts;
    const QString list = dir.file(QStringLiteral("p.m3u"));
    // Comments, extended information and an entry not on the list (a display filter hid it)
    // stay byte for byte; relative entries and other letter case are matched.
    const QByteArray kept = "# mine\r\n#EXTINF:12,B\r\n/m/b.mp3\r\n/m/hidden\xe9.mp3\r\n";
    ASSERT_TRUE(WriteFile(list, "# mine\r\nsub\\a.mp3\r\n#EXTINF:12,B\r\n/m/b.mp3\r\n"
                                "/m/hidden\xe9.mp3\r\n/M/C.MP3"));
    const SongRows selected = {Row(dir.file(QStringLiteral("sub/a.mp3"))),
                               Row(QStringLiteral("/m/c.mp3"))};

    prompts.Answer(PromptAnswer::No);
    EXPECT_FALSE(RemoveFromPlaylist(PlaylistKind::Playlist, list, dir.path(), selected, prompts));
    EXPECT_TRUE(RemoveFromPlaylist(PlaylistKind::Playlist, list, dir.path(), selected, prompts));
    EXPECT_EQ(prompts.texts(),
              (QStringList{QStringLiteral("Remove selected songs from playlist?"),
                           QStringLiteral("Remove selected songs from playlist?")}));
    EXPECT_EQ(ReadFile(list), kept);

    // A file that cannot be read (here a folder in its place) is reported and left alone.
    const QString blocked = dir.file(QStringLiteral("blocked.m3u"));
    ASSERT_TRUE(QDir().mkpath(blocked + QStringLiteral("/inside")));
    EXPECT_FALSE(
        RemoveFromPlaylist(PlaylistKind::Favourites, blocked, dir.path(), selected, prompts));
    EXPECT_EQ(prompts.texts().mid(2),
              (QStringList{QStringLiteral("Remove selected songs from favourites folder?"),
                           QStringLiteral("Error updating playlist - ") + blocked}));
    EXPECT_TRUE(QFileInfo(blocked + QStringLiteral("/inside")).isDir());

    // Nothing selected: no question.
    EXPECT_FALSE(RemoveFromPlaylist(PlaylistKind::Playlist, list, dir.path(), {}, prompts));
    EXPECT_EQ(prompts.texts().size(), 4);
}

TEST(PlaylistCommands, DeletingThePlaylistFile) {
    TempDir dir;
    ScriptedPrompts prompts;
    const QString base = dir.path() + u'/';
    ASSERT_TRUE(WriteFile(base + QStringLiteral("Only.m3u"), "/m/a.mp3\r\n"));
    PlaylistView view;
    ListPlaylists(base, view);
    ASSERT_EQ(view.size(), 1u);

    prompts.Answer(PromptAnswer::No);
    EXPECT_FALSE(DeletePlaylist(view, 0, prompts));
    EXPECT_TRUE(QFileInfo::exists(view[0].Path));

    EXPECT_TRUE(DeletePlaylist(view, 0, prompts));
    EXPECT_TRUE(view.empty());
    EXPECT_FALSE(QFileInfo::exists(base + QStringLiteral("Only.m3u")));

    // A file that is gone already cannot be deleted: the entry stays and a message says so.
    view = {{QStringLiteral("Ghost"), base + QStringLiteral("Ghost.m3u"), base}};
    EXPECT_FALSE(DeletePlaylist(view, 0, prompts));
    EXPECT_EQ(view.size(), 1u);
    EXPECT_EQ(prompts.texts().back(),
              QStringLiteral("Error while trying to move file(s) to recycle bin."));
    EXPECT_FALSE(DeletePlaylist(view, 5, prompts)) << "no entry selected";
}

// Failures made without permissions, so that they happen for every user, root included.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &old_);
        oldSignal_ = std::signal(SIGXFSZ, SIG_IGN); // a write past the limit fails instead
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldSignal_);
    }

private:
    rlimit old_{};
    void (*oldSignal_)(int) = SIG_DFL;
};

TEST(PlaylistCommands, WriteFailuresAreReportedAndLoseNothing) {
    TempDir dir;
    ScriptedPrompts prompts;
    const QByteArray before = "/m/a.mp3\r\n/m/b.mp3\r\n/m/c.mp3\r\n";

    // A playlist in a folder where no file can be created, whoever runs this.
    const QString noFolder = QStringLiteral("/proc/self/status");
    if (!QFileInfo::exists(noFolder))
        GTEST_SKIP() << "needs /proc";
    AppendToPlaylist(noFolder, Row(QStringLiteral("/m/d.mp3")), prompts);
    EXPECT_EQ(prompts.texts(), QStringList{QStringLiteral(
                                   "Error updating playlist.\nCould not write temporary file.")});

    // The new file cannot be written whole.
    const QString list = dir.file(QStringLiteral("p.m3u"));
    ASSERT_TRUE(WriteFile(list, before));
    {
        const FileSizeLimit full(8);
        AppendToPlaylist(list, Row(QStringLiteral("/m/d.mp3")), prompts);
        EXPECT_FALSE(
            RemovePlaylistEntries(list, dir.path(), {QStringLiteral("/m/a.mp3")}, prompts));
    }
    EXPECT_EQ(prompts.texts().mid(1),
              (QStringList{QStringLiteral("Unable to create updated file"),
                           QStringLiteral("Error updating playlist - ") + list}));
    EXPECT_EQ(ReadFile(list), before);
}

} // namespace
} // namespace orvane
