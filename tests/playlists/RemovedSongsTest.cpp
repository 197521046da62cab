// Removing songs into the recycle folder and for good, emptying it, and moving songs to a
// folder, over real files: the records that follow the files, the reports of failures, and
// moves to another file system (simulated) that fail half-way and lose nothing.

#include "playlists/RemovedSongs.h"

#include "platform/FileMoves.h"
#include "support/FileBytes.h"
#include "support/FileSizeLimit.h"
#include "support/MpegFixture.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <memory>

void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace orvane {
namespace {

using namespace Qt::StringLiterals;
using test::ScriptedPrompts;

// The copies across file systems wait on an event loop.
class CoreApp : public ::testing::Environment {
public:
    void SetUp() override { app_ = std::make_unique<QCoreApplication>(argc_, argv_); }
    void TearDown() override { app_.reset(); }

private:
    int argc_ = 1;
    char name_[8] = "tests";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QCoreApplication> app_;
};
[[maybe_unused]] ::testing::Environment* const kCoreApp =
    ::testing::AddGlobalTestEnvironment(new CoreApp);

class Progress : public FileBatchProgress {
public:
    void SetPercent(int percent) override { shown.push_back(percent); }
    bool CancelRequested() const override { return int(shown.size()) > cancelAfter; }
    std::vector<int> shown;
    int cancelAfter = 1000;
};

class RemovedSongsTest : public ::testing::Test {
protected:
    void SetUp() override {
        recycle = dir.file(u"recycle"_s);
        ASSERT_TRUE(QDir().mkpath(recycle));
    }
    void TearDown() override { SimulateCrossDeviceRenames(false); }

    // A song file under the test folder; with record, also in the collection.
    SongRow Song(const QString& relative, bool record = true) {
        const QString path = dir.file(relative);
        EXPECT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
        EXPECT_TRUE(test::WriteFile(path, test::MakeMpegStream({.frames = 20})));
        const qsizetype cut = path.lastIndexOf(u'/') + 1;
        SongRecord r{path.mid(cut),  relative,         {},    {}, u"00:01"_s, {}, {}, {},
                     path.left(cut), kLocalCollection, u"0"_s};
        if (record)
            store.Songs.append(r);
        return SongRow::FromRecord(r);
    }
    QStringList Folders() {
        QStringList folders;
        for (const SongRecord& r : store.Songs)
            folders << r.Folder.mid(dir.path().size() + 1) + r.FileName;
        return folders;
    }
    QStringList Files(const QString& folder) {
        return QDir(dir.file(folder)).entryList(QDir::Files | QDir::Hidden);
    }

    test::TempDir dir;
    QString recycle;
    SongStore store;
    ScriptedPrompts prompts;
};

TEST_F(RemovedSongsTest, RemovedSongsCarryTheRecycleFolderAndTheBarFollowsTheFiles) {
    const SongRows rows = {Song(u"m/a.mp3"_s), Song(u"m/b.mp3"_s), Song(u"m/c.mp3"_s)};
    Progress progress;
    const FileBatchReport report = RemoveSelectedSongs(store, recycle, rows, &progress);
    EXPECT_EQ(report.gone.size(), 3);
    EXPECT_EQ(Files(u"m"_s), QStringList{});
    EXPECT_EQ(Folders(), (QStringList{u"recycle/a.mp3"_s, u"recycle/b.mp3"_s, u"recycle/c.mp3"_s}));
    EXPECT_EQ(progress.shown, (std::vector<int>{0, 33, 66, 100}));
}

TEST_F(RemovedSongsTest, SameNameTwiceAndFoldersSpelledLikeTheRecycleFolder) {
    ASSERT_TRUE(QFile::link(recycle, dir.file(u"Recycle"_s)));
    const SongRows rows = {Song(u"m/x.mp3"_s), Song(u"n/x.mp3"_s), Song(u"RECYCLE/y.mp3"_s),
                           Song(u"recycle/z.mp3"_s, false)};
    SongRow linked = rows[3];
    linked.Folder = dir.file(u"Recycle/"_s); // the recycle folder by another name
    const FileBatchReport report =
        RemoveSelectedSongs(store, recycle, {rows[0], rows[1], rows[2], linked}, nullptr);

    // The second x.mp3 finds the first in its place; RECYCLE is another folder here, whose song
    // is moved; the song in the recycle folder by the link's name is deleted for good.
    EXPECT_EQ(Files(u"recycle"_s), (QStringList{u"x.mp3"_s, u"y.mp3"_s}));
    EXPECT_EQ(Files(u"n"_s), QStringList{u"x.mp3"_s});
    EXPECT_EQ(Folders(), (QStringList{u"recycle/x.mp3"_s, u"n/x.mp3"_s, u"recycle/y.mp3"_s}));
    EXPECT_EQ(report.gone.size(), 3);
    EXPECT_EQ(FileBatchReportText(report),
              u"1 file could not be moved.\nFile : "_s + rows[1].Path() + u" (File exists)"_s);
}

TEST_F(RemovedSongsTest, ClearingTheRecycleFolder) {
    EXPECT_FALSE(ClearRemovedSongs(store, recycle, prompts));
    ASSERT_EQ(prompts.texts(), QStringList{u"There are no files in your removed folder."_s});

    Song(u"recycle/a.mp3"_s);
    Song(u"recycle/b.MP3"_s, false);
    Song(u"m/c.mp3"_s);
    ASSERT_TRUE(test::WriteFile(recycle + u"/notes.txt"_s, "keep"));
    prompts.Answer(PromptAnswer::No);
    EXPECT_FALSE(ClearRemovedSongs(store, recycle, prompts));
    EXPECT_EQ(Files(u"recycle"_s).size(), 3);

    prompts.Answer(PromptAnswer::Yes);
    EXPECT_TRUE(ClearRemovedSongs(store, recycle, prompts));
    EXPECT_EQ(Files(u"recycle"_s), QStringList{u"notes.txt"_s});
    EXPECT_EQ(Folders(), QStringList{u"m/c.mp3"_s}); // the records of deleted files went too
    EXPECT_EQ(prompts.shown().back().kind, PromptKind::Warning);
    EXPECT_EQ(prompts.texts().size(), 3); // no report: nothing failed
}

TEST_F(RemovedSongsTest, MovesToAFolderOnAnotherFileSystemLoseNothing) {
    SimulateCrossDeviceRenames(true);
    ASSERT_TRUE(QDir().mkpath(dir.file(u"stick"_s)));
    const SongRow known = Song(u"m/known.mp3"_s);
    const SongRow unknown = Song(u"m/unknown.mp3"_s, false);

    // The menu's move: the record follows its file, a song that had none gets none.
    FileBatchReport report =
        MoveSongsToFolder(store, {known, unknown}, dir.file(u"stick"_s), false, nullptr);
    EXPECT_EQ(report.gone.size(), 2);
    EXPECT_EQ(Folders(), QStringList{u"stick/known.mp3"_s});
    EXPECT_EQ(Files(u"stick"_s), (QStringList{u"known.mp3"_s, u"unknown.mp3"_s}));

    // The drop's move adds a song that was not in the collection, as new.
    SongRow back = unknown;
    back.Folder = dir.file(u"stick/"_s);
    report = MoveSongsToFolder(store, {back}, dir.file(u"m"_s), true, nullptr);
    EXPECT_EQ(Folders(), (QStringList{u"stick/known.mp3"_s, u"m/unknown.mp3"_s}));
    EXPECT_EQ(store.Songs.at(1).NewFlag, u"1");

    // The target fills up half-way through the copy: both files stay where they were, whole,
    // and nothing partial is left beside the target.
    SongRow full = known;
    full.Folder = dir.file(u"stick/"_s);
    const QByteArray before = test::ReadFile(full.Path());
    {
        test::FileSizeLimit limit(1000);
        report = MoveSongsToFolder(store, {full}, dir.file(u"m"_s), false, nullptr);
    }
    EXPECT_TRUE(report.gone.isEmpty());
    EXPECT_EQ(Files(u"stick"_s), QStringList{u"known.mp3"_s});
    EXPECT_EQ(Files(u"m"_s), QStringList{u"unknown.mp3"_s});
    EXPECT_EQ(test::ReadFile(full.Path()), before);
    EXPECT_EQ(Folders(), (QStringList{u"stick/known.mp3"_s, u"m/unknown.mp3"_s}));
    EXPECT_EQ(FileBatchReportText(report),
              u"1 file could not be moved.\nFile : "_s + full.Path() + u" (File too large)"_s);

    // Cancelled after the first file: the rest stays.
    ASSERT_TRUE(QDir().mkpath(dir.file(u"n"_s)));
    Progress progress;
    progress.cancelAfter = 1;
    report = MoveSongsToFolder(store, {full, SongRow::FromRecord(store.Songs.at(1))},
                               dir.file(u"n"_s), false, &progress);
    EXPECT_TRUE(report.cancelled);
    EXPECT_EQ(Folders(), (QStringList{u"n/known.mp3"_s, u"m/unknown.mp3"_s}));
}

} // namespace
} // namespace orvane
