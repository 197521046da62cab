// Imported collections: loading the lib folder, the import walk and its file, refused names,
// cancelling, failures and deleting a collection file.

#include "exchange/ImportedCollections.h"
#include "store/CacheFile.h"
#include "support/FileBytes.h"
#include "support/MpegFixture.h"
#include "support/SongTitles.h"
#include "support/TempDir.h"

#include <QDir>
#include <gtest/gtest.h>

namespace orvane {
namespace {

using namespace Qt::StringLiterals;

class ImportedCollectionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        lib = LibFolder(dir.path());
        ASSERT_TRUE(EnsureLibFolder(lib));
        medium = dir.path() + u"/medium"_s;
        ASSERT_TRUE(QDir().mkpath(medium));
    }
    void Mp3(const QString& relative, const QString& title) {
        const QString path = medium + u'/' + relative;
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
        ASSERT_TRUE(test::WriteFile(
            path, test::MakeMpegStream({.frames = 10}) +
                      test::MakeId3v1(title, u"Ann"_s, u"Live"_s, u"2001"_s, {}, 0, 17)));
    }
    QStringList LibFiles() const { return QDir(lib).entryList(QDir::Files | QDir::Hidden); }

    test::TempDir dir;
    QString lib, medium;
};

TEST_F(ImportedCollectionsTest, LibFilesFollowTheOwnCollectionWithOneEntryEach) {
    SongRecord song{u"x.mp3"_s, u"X"_s, {}, {}, u"01:00"_s, {}, u"Pop"_s, {}, u"/cd/"_s, {}, {}};
    ASSERT_TRUE(SaveCacheFile(lib + u"b.orv"_s, std::vector{song}));
    ASSERT_TRUE(test::WriteFile(lib + u"A.orv"_s, "not a cache file\r\n"));
    ASSERT_TRUE(test::WriteFile(lib + u"notes.txt"_s, "x"));
    CollectionList songs;
    songs.append(song); // the own collection, loaded before
    BrowseLists browse;
    const QStringList filter = LoadImportedCollections(lib, songs, browse);
    EXPECT_EQ(filter, (QStringList{u"Local.orv;1"_s, u"A.orv;1"_s, u"b.orv;1"_s}));
    ASSERT_EQ(songs.size(), 2);
    EXPECT_EQ(songs[1].Collection, u"b.orv");
    EXPECT_FALSE(CollectionFilterActive(filter));
    EXPECT_TRUE(CollectionFilterActive(WithCollectionChecks(filter, {true, false})));
    // No lib folder: only the own collection.
    EXPECT_EQ(LoadImportedCollections(dir.file(u"none/"_s), songs, browse),
              QStringList{kOwnCollectionEntry});
}

TEST_F(ImportedCollectionsTest, ImportWritesEveryMp3NamedFileAndReplacesASameName) {
    // A medium without MP3 files still gives a collection: the header alone, and the user is
    // told that nothing was found.
    ASSERT_TRUE(test::WriteFile(medium + u"/readme.txt"_s, "x"));
    ImportReport report = ImportCollectionInto(lib, medium, u"My CD"_s, {});
    EXPECT_EQ(report.outcome, ImportOutcome::Written);
    EXPECT_EQ(report.songs, 0);
    EXPECT_EQ(test::ReadFile(lib + u"My CD.orv"_s), QByteArray(kCacheHeader) + "\r\n");
    EXPECT_TRUE(ImportReportText(report, medium, u"My CD"_s).startsWith(u"No MP3 files"));

    Mp3(u"a/one.mp3"_s, u"One"_s);
    Mp3(u"track.mp3.txt"_s, u"Two"_s);
    Mp3(u".hidden/three.mp3"_s, u"Three"_s);
    ASSERT_TRUE(test::WriteFile(medium + u"/a/broken.MP3"_s, "no audio"));
    std::vector<qsizetype> counts;
    report =
        ImportCollectionInto(lib, medium, u"My CD"_s, {{}, [&](qsizetype files, const QString&) {
                                                           counts.push_back(files);
                                                       }});
    EXPECT_EQ(report.outcome, ImportOutcome::Written);
    EXPECT_FALSE(counts.empty());
    CollectionList songs;
    BrowseLists browse;
    ASSERT_TRUE(LoadCacheFile(lib + u"My CD.orv"_s, songs, true, browse));
    QStringList names;
    for (const SongRecord& s : songs)
        names << s.Folder.mid(medium.size()) + s.FileName + u':' + s.Title;
    // A file without audio is recorded too; a folder whose name begins with "." is not entered.
    EXPECT_EQ(names,
              (QStringList{u"/a/broken.MP3:[notag]"_s, u"/a/one.mp3:One"_s, u"/track.mp3.txt:Two"_s}));
    EXPECT_EQ(LibFiles(), QStringList{u"My CD.orv"_s}); // replaced, no temporary file left
    EXPECT_TRUE(ImportReportText(report, medium, u"My CD"_s).startsWith(u"3 song(s)"));
}

TEST_F(ImportedCollectionsTest, CancelledOrRefusedImportsLeaveTheLibFolderAsItWas) {
    Mp3(u"one.mp3"_s, u"One"_s);
    Mp3(u"two.mp3"_s, u"Two"_s);
    ASSERT_TRUE(test::WriteFile(lib + u"cd.orv"_s, "old"));
    int asked = 0;
    const ImportReport cancelled =
        ImportCollectionInto(lib, medium, u"cd"_s, {[&] { return ++asked > 1; }, {}});
    EXPECT_EQ(cancelled.outcome, ImportOutcome::Cancelled);
    EXPECT_TRUE(ImportReportText(cancelled, medium, u"cd"_s).isEmpty());
    EXPECT_EQ(test::ReadFile(lib + u"cd.orv"_s), "old");
    EXPECT_EQ(LibFiles(), QStringList{u"cd.orv"_s});

    const QString refused[] = {u"a/b"_s,           u"a\\b"_s, u".."_s,        u"../up"_s,
                               u"a..b"_s,          u"a\tb"_s, u"new\nline"_s, QString(u"nul\0x"_s),
                               QString(300, u'x'), u"   "_s};
    for (const QString& name : refused) {
        EXPECT_FALSE(LocationNameProblem(name).isEmpty()) << name.toStdString();
        EXPECT_EQ(ImportCollectionInto(lib, medium, name, {}).outcome, ImportOutcome::Refused);
    }
    EXPECT_EQ(LibFiles(), QStringList{u"cd.orv"_s});
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{});
    EXPECT_TRUE(LocationNameProblem(u" Summer 2004 (disc 2) "_s).isEmpty());
}

TEST_F(ImportedCollectionsTest, UnwritableLibAndUnreadableMediumAreTold) {
    // A file where the lib folder should be: neither made nor written into.
    const QString blocked = dir.path() + u"/blocked/"_s;
    ASSERT_TRUE(test::WriteFile(dir.path() + u"/blocked"_s, "x"));
    EXPECT_FALSE(EnsureLibFolder(blocked));
    Mp3(u"one.mp3"_s, u"One"_s);
    const ImportReport failed = ImportCollectionInto(blocked, medium, u"cd"_s, {});
    EXPECT_EQ(failed.outcome, ImportOutcome::WriteFailed);
    EXPECT_TRUE(ImportReportText(failed, medium, u"cd"_s).startsWith(u"Could not write"));

    const ImportReport gone = ImportCollectionInto(lib, medium + u"/none"_s, u"gone"_s, {});
    EXPECT_EQ(gone.outcome, ImportOutcome::Written);
    EXPECT_TRUE(gone.rootUnreadable);
    EXPECT_TRUE(ImportReportText(gone, medium, u"gone"_s).contains(u"could not be read"));
}

TEST_F(ImportedCollectionsTest, DeletesOnlyAFileOfTheLibFolder) {
    ASSERT_TRUE(test::WriteFile(lib + u"cd.orv"_s, "x"));
    ASSERT_TRUE(test::WriteFile(dir.path() + u"/local.orv"_s, "own"));
    EXPECT_TRUE(DeleteCollectionFile(lib, u"cd.orv"_s));
    EXPECT_TRUE(LibFiles().isEmpty());
    // The own collection lies beside the program, not in lib: it cannot be deleted here.
    EXPECT_FALSE(DeleteCollectionFile(lib, u"Local.orv"_s));
    EXPECT_FALSE(DeleteCollectionFile(lib, u"../local.orv"_s));
    ASSERT_TRUE(QDir().mkpath(lib + u"folder.orv"_s));
    EXPECT_FALSE(DeleteCollectionFile(lib, u"folder.orv"_s));
    EXPECT_EQ(test::ReadFile(dir.path() + u"/local.orv"_s), "own");
}

} // namespace
} // namespace orvane
