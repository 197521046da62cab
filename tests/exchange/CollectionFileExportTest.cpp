// The collection-file export: folders replaced by the contact marker, everything else copied
// byte for byte, refused contact texts and targets, and failures that leave no half file.

#include "exchange/CollectionFileExport.h"
#include "exchange/ImportedCollections.h"
#include "store/CacheFile.h"
#include "support/FileBytes.h"
#include "support/FileSizeLimit.h"
#include "support/TempDir.h"

#include <QDir>
#include <gtest/gtest.h>

namespace orvane {
namespace {

using namespace Qt::StringLiterals;

constexpr char kHeader[] = "[Orvane Cache File version1.4]\r\n";

TEST(ExportedCollectionData, OnlyTheFolderOfASongLineChanges) {
    // An older version's Latin-1 line, a UTF-8 line, a line with an empty folder, a short one.
    const QByteArray latin1 = "f\xe9.mp3[;]Caf\xe9[;]A[;]B[;]03:00[;]1999[;]Pop[;]c[;]/m/\xe9/[;]";
    const QByteArray utf8 = "g.mp3[;]Caf\xc3\xa9[;]A[;]B[;]03:00[;][;][;][;]/m/[;]";
    const QByteArray noFolder = "h.mp3[;]T[;]A[;]B[;]03:00[;][;][;][;][;]";
    const QByteArray shortLine = "only[;]three[;]values[;]";
    const QByteArray source =
        QByteArray(kHeader) + latin1 + "\n" + utf8 + "\r\n" + noFolder + "\r\n" + shortLine;
    EXPECT_EQ(ExportedCollectionData(source, u"me@home"_s),
              QByteArray(kHeader) +
                  "f\xe9.mp3[;]Caf\xe9[;]A[;]B[;]03:00[;]1999[;]Pop[;]c[;]IMPORT:\\me@home[;]\r\n" +
                  "g.mp3[;]Caf\xc3\xa9[;]A[;]B[;]03:00[;][;][;][;]IMPORT:\\me@home[;]\r\n" +
                  noFolder + "\r\n" + shortLine + "\r\n");
    // An empty contact text gives the bare marker; a contact text in the line's encoding.
    EXPECT_TRUE(ExportedCollectionData(source, {}).contains("[;]c[;]IMPORT:\\[;]"));
    EXPECT_TRUE(ExportedCollectionData(source, u"Zoë"_s).contains("[;]c[;]IMPORT:\\Zo\xeb[;]"));
    EXPECT_TRUE(ExportedCollectionData(source, u"Zoë"_s).contains("[;]IMPORT:\\Zo\xc3\xab[;]"));
    // Beyond Latin-1 the older line moves to UTF-8 whole: its text reads back unchanged.
    const QByteArray moved = ExportedCollectionData(QByteArray(kHeader) + latin1, u"Łukasz"_s);
    const SongRecord read = ParseCacheLine(moved.split('\n').at(1).chopped(1));
    EXPECT_EQ(read.Title, u"Café"_s);
    EXPECT_EQ(read.Folder, u"IMPORT:\\Łukasz"_s);
    // A header-only cache file gives a header-only export.
    EXPECT_EQ(ExportedCollectionData(kHeader, u"x"_s), QByteArray(kHeader));
}

TEST(WriteCollectionFile, RefusalsAndFailuresLeaveNoHalfFile) {
    test::TempDir dir;
    const QString local = dir.file(u"local.orv"_s), target = dir.file(u"out.orv"_s);
    ASSERT_TRUE(test::WriteFile(target, "an earlier export"));
    // The contact text would split every line: refused before anything is read or written.
    for (const QString& contact : {u"a[;]b"_s, u"a\rb"_s, u"a\nb"_s}) {
        const CollectionFileExport result = WriteCollectionFile(local, target, contact);
        EXPECT_EQ(result.outcome, ExportOutcome::Refused);
        EXPECT_EQ(result.reason, ContactTextProblem(contact));
        EXPECT_FALSE(result.reason.isEmpty());
    }
    EXPECT_TRUE(ContactTextProblem(u"me [at] home; call 555"_s).isEmpty());
    // No own cache file: the reading error, no target made.
    CollectionFileExport result = WriteCollectionFile(local, dir.file(u"new.orv"_s), {});
    EXPECT_EQ(result.outcome, ExportOutcome::CannotRead);
    EXPECT_EQ(result.report.mid(0, 3),
              (QStringList{u"Report :"_s, {}, u"  Error reading local file."_s}));
    EXPECT_FALSE(QFileInfo::exists(dir.file(u"new.orv"_s)));

    SongRecord song;
    song.FileName = u"a.mp3"_s;
    song.Folder = u"/music/"_s;
    const std::vector<SongRecord> songs(3000, song);
    ASSERT_TRUE(SaveCacheFile(local, songs));
    const QByteArray ownFile = test::ReadFile(local);
    // The own cache file is never the target.
    EXPECT_EQ(WriteCollectionFile(local, local, {}).outcome, ExportOutcome::Refused);
    result = WriteCollectionFile(local, dir.file(u"missing/out.orv"_s), {});
    EXPECT_EQ(result.outcome, ExportOutcome::CannotCreate);
    EXPECT_EQ(result.report[2], u"  Error creating output file."_s);
    {
        test::FileSizeLimit full(8192);
        result = WriteCollectionFile(local, target, u"me"_s);
    }
    EXPECT_EQ(result.outcome, ExportOutcome::WriteFailed);
    EXPECT_TRUE(result.report.join(u'\n').contains(target));
    EXPECT_EQ(test::ReadFile(target), "an earlier export");
    EXPECT_EQ(test::ReadFile(local), ownFile);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), (QStringList{u"local.orv"_s, u"out.orv"_s}));

    result = WriteCollectionFile(local, target, u"me"_s);
    EXPECT_EQ(result.outcome, ExportOutcome::Written);
    EXPECT_EQ(result.report, (QStringList{u"Report :"_s, {}, u"  File generated."_s, {}}));
}

} // namespace
} // namespace orvane
