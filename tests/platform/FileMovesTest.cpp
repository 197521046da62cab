// Moving and deleting song files: within a file system and across one (simulated by a rename
// that reports a different device), a copy that fails half-way, and deletions that must not
// happen. Failures are made so that they fail for the superuser too.

#include "platform/FileMoves.h"

#include "support/FileBytes.h"
#include "support/FileSizeLimit.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <sys/stat.h>

void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace orvane {
namespace {

using namespace Qt::StringLiterals;
using test::ReadFile;
using test::WriteFile;

class FileMovesTest : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        ASSERT_TRUE(QDir().mkpath(dir.file(u"a"_s)));
        ASSERT_TRUE(QDir().mkpath(dir.file(u"b"_s)));
        SimulateCrossDeviceRenames(GetParam());
    }
    void TearDown() override { SimulateCrossDeviceRenames(false); }
    // Every entry of both folders, hidden ones included, relative to the test folder.
    QStringList Entries() {
        QStringList all;
        for (const QString& sub : {u"a"_s, u"b"_s})
            for (const QString& name :
                 QDir(dir.file(sub))
                     .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot))
                all << sub + u'/' + name;
        return all;
    }

    test::TempDir dir;
};

TEST_P(FileMovesTest, MovesKeepTheFileAndItsDateAndNeverReplaceOne) {
    const QByteArray song(300 * 1024, 'x');
    const QString source = dir.file(u"a/song.mp3"_s);
    const QString target = dir.file(u"b/song.mp3"_s);
    ASSERT_TRUE(WriteFile(source, song));
    const QDateTime changed = QDateTime::fromSecsSinceEpoch(1'000'000'000);
    {
        QFile file(source);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(changed, QFileDevice::FileModificationTime));
    }

    FileMove move(source, target);
    int64_t reported = 0;
    const FileMove::Step step = move.Start();
    ASSERT_EQ(step, GetParam() ? FileMove::Step::NeedsCopy : FileMove::Step::Done);
    if (step == FileMove::Step::NeedsCopy) {
        ASSERT_TRUE(move.Copy([&](int64_t done, int64_t) { reported = done; }));
        ASSERT_TRUE(move.Finish()) << move.Error().toStdString();
        EXPECT_EQ(reported, song.size());
    }
    EXPECT_EQ(ReadFile(target), song);
    EXPECT_EQ(QFileInfo(target).lastModified(), changed);
    EXPECT_EQ(Entries(), QStringList{u"b/song.mp3"_s});

    // Back and onto a file of the same name: refused, both files as they were.
    ASSERT_TRUE(WriteFile(source, "other"));
    QString error;
    EXPECT_FALSE(MoveSongFile(target, source, &error));
    EXPECT_EQ(error, u"File exists");
    EXPECT_EQ(ReadFile(source), "other");
    EXPECT_EQ(ReadFile(target), song);
    EXPECT_FALSE(MoveSongFile(dir.file(u"a/gone.mp3"_s), dir.file(u"b/gone.mp3"_s), &error));
    EXPECT_EQ(error, u"No such file or directory");
    EXPECT_EQ(Entries(), (QStringList{u"a/song.mp3"_s, u"b/song.mp3"_s}));

    // A name as long as the file system allows still moves (the part file gets a short name).
    const QString longName = QString(251, u'n') + u".mp3"_s;
    ASSERT_TRUE(WriteFile(dir.file(u"a/"_s + longName), song));
    EXPECT_TRUE(MoveSongFile(dir.file(u"a/"_s + longName), dir.file(u"b/"_s + longName), &error))
        << error.toStdString();
    EXPECT_EQ(ReadFile(dir.file(u"b/"_s + longName)), song);
}

INSTANTIATE_TEST_SUITE_P(SameAndOtherFileSystem, FileMovesTest, ::testing::Bool());

class CopyFailureTest : public FileMovesTest {};

TEST_P(CopyFailureTest, ACopyThatFailsOrIsCancelledLeavesTheSourceAndNoTarget) {
    const QByteArray song(200 * 1024, 'y');
    const QString source = dir.file(u"a/song.mp3"_s);
    ASSERT_TRUE(WriteFile(source, song));
    QString error;
    {
        test::FileSizeLimit full(64 * 1024); // the target disk fills up after 64 KB
        EXPECT_FALSE(MoveSongFile(source, dir.file(u"b/song.mp3"_s), &error));
    }
    EXPECT_EQ(error, u"File too large");
    EXPECT_EQ(ReadFile(source), song);
    EXPECT_EQ(Entries(), QStringList{u"a/song.mp3"_s});

    const std::atomic<bool> cancel{true};
    FileMove move(source, dir.file(u"b/song.mp3"_s));
    ASSERT_EQ(move.Start(), FileMove::Step::NeedsCopy);
    EXPECT_FALSE(move.Copy({}, &cancel));
    EXPECT_EQ(move.Error(), u"Cancelled");
    EXPECT_FALSE(move.Finish());
    EXPECT_EQ(Entries(), QStringList{u"a/song.mp3"_s});
}

// Only a copy can fail half-way.
INSTANTIATE_TEST_SUITE_P(OtherFileSystem, CopyFailureTest, ::testing::Values(true));

TEST(DeleteSongFile, KeepsWriteProtectedFilesAndFoldersAndTellsWhy) {
    test::TempDir dir;
    const QString kept = dir.file(u"kept.mp3"_s);
    const QString gone = dir.file(u"gone.mp3"_s);
    ASSERT_TRUE(WriteFile(kept, "k") && WriteFile(gone, "g"));
    ASSERT_EQ(::chmod(QFile::encodeName(kept).constData(), 0444), 0);
    ASSERT_TRUE(QDir().mkpath(dir.file(u"folder.mp3"_s)));

    const std::pair<QString, const char16_t*> refused[] = {
        {kept, u"The file is write-protected"},
        {dir.file(u"folder.mp3"_s), u"Is a directory"},
        {dir.file(u"missing.mp3"_s), u"No such file or directory"}};
    for (const auto& [path, reason] : refused) {
        QString error;
        EXPECT_FALSE(DeleteSongFile(path, &error));
        EXPECT_EQ(error, QString::fromUtf16(reason));
    }
    EXPECT_TRUE(DeleteSongFile(gone, nullptr));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              (QStringList{u"folder.mp3"_s, u"kept.mp3"_s}));

    // The same folder by another spelling (a link) is the same; another letter case is not.
    ASSERT_TRUE(QDir().mkpath(dir.file(u"recycle"_s)) && QDir().mkpath(dir.file(u"RECYCLE"_s)));
    ASSERT_TRUE(QFile::link(dir.file(u"recycle"_s), dir.file(u"Recycle"_s)));
    EXPECT_TRUE(SameFolderOnDisk(dir.file(u"recycle"_s), dir.file(u"Recycle/"_s)));
    EXPECT_FALSE(SameFolderOnDisk(dir.file(u"recycle"_s), dir.file(u"RECYCLE"_s)));
}

} // namespace
} // namespace orvane
