#include "platform/ProfileFile.h"

#include "support/FileBytes.h"
#include "support/FileSizeLimit.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace orvane {
namespace {

using namespace Qt::StringLiterals;
using test::ReadFile;
using test::WriteFile;
using Status = ProfileFile::WriteStatus;

TEST(ProfileFile, HandWrittenFileIsReadAndEditedInPlace) {
    test::TempDir dir;
    const QString path = dir.file(u"covers.ini"_s);
    // CRLF and LF mixed, blanks and tabs around names, keys and values, a comment, a key given
    // twice in other letter case (the first counts), a section given twice, a Latin-1 line.
    ASSERT_TRUE(WriteFile(path, "; my covers\r\n"
                                " [ Covers ] \r\n"
                                "  Abba | Gold \t=  /p/gold.jpg  \r\n"
                                "ABBA | GOLD=/p/second.jpg\n"
                                "no entry here\r\n"
                                "[lyrics]\n"
                                "|=/l/empty.htm\n"
                                "[COVERS]\r\n"
                                "B\xe9la | X=/p/b.png"));
    ProfileFile file(path);
    EXPECT_EQ(file.ReadString(u"covers"_s, u"abba | gold"_s), u"/p/gold.jpg");
    EXPECT_EQ(file.ReadString(u"covers"_s, u"Béla | x"_s), u"/p/b.png");
    EXPECT_EQ(file.ReadString(u"LYRICS"_s, u"|"_s), u"/l/empty.htm");
    EXPECT_EQ(file.ReadString(u"lyrics"_s, u"Abba | Gold"_s), u""); // other section
    EXPECT_EQ(file.Keys(u"covers"_s), (QStringList{u"Abba | Gold"_s, u"Béla | X"_s}));

    // An edit changes its one line and keeps the key's spelling; a new key joins its section.
    ASSERT_EQ(file.WriteString(u"COVERS"_s, u"abba | gold"_s, u"/p/new.jpg"_s), Status::Written);
    ASSERT_EQ(file.WriteString(u"lyrics"_s, u"T|A"_s, u"/l/t.htm"_s), Status::Written);
    ASSERT_EQ(file.DeleteKey(u"covers"_s, u"BÉLA | X"_s), Status::Written); // É is not ASCII
    EXPECT_EQ(file.ReadString(u"covers"_s, u"béla | x"_s), u"/p/b.png");
    ASSERT_EQ(file.DeleteKey(u"covers"_s, u"béla | x"_s), Status::Written);
    EXPECT_EQ(ReadFile(path), QByteArray("; my covers\r\n"
                                         " [ Covers ] \r\n"
                                         "Abba | Gold=/p/new.jpg\r\n"
                                         "ABBA | GOLD=/p/second.jpg\r\n"
                                         "no entry here\r\n"
                                         "[lyrics]\r\n"
                                         "|=/l/empty.htm\r\n"
                                         "T|A=/l/t.htm\r\n"
                                         "[COVERS]\r\n"));
}

TEST(ProfileFile, CreatedOnFirstWriteAndReadAgainWhenChangedOutside) {
    test::TempDir dir;
    const QString path = dir.file(u"lyrics.ini"_s);
    ProfileFile file(path);
    EXPECT_EQ(file.ReadString(u"lyrics"_s, u"T|A"_s), u"");
    ASSERT_EQ(file.DeleteKey(u"lyrics"_s, u"T|A"_s), Status::Written);
    EXPECT_FALSE(QFileInfo::exists(path)); // nothing to remove: nothing written

    ASSERT_EQ(file.WriteString(u"lyrics"_s, u"T|A"_s, u"/a\nb"_s), Status::Written);
    EXPECT_EQ(ReadFile(path), QByteArray("[lyrics]\r\nT|A=/a b\r\n"));
    EXPECT_EQ(file.ReadString(u"lyrics"_s, u"t|a"_s), u"/a b");

    // Another program rewrites the file: the next read sees it.
    ASSERT_TRUE(WriteFile(path, "[lyrics]\r\nT|A=/other/file.htm\r\n"));
    EXPECT_EQ(file.ReadString(u"lyrics"_s, u"T|A"_s), u"/other/file.htm");

    // Keys that would be read back as a section, a comment or another key are refused.
    for (const QString& key : {u"[Unknown] | X"_s, u";x"_s, u"A=B | C"_s})
        EXPECT_EQ(file.WriteString(u"lyrics"_s, key, u"/x"_s), Status::KeyDoesNotFit)
            << key.toStdString();
    EXPECT_EQ(ReadFile(path), QByteArray("[lyrics]\r\nT|A=/other/file.htm\r\n"));
}

TEST(ProfileFile, FailedWritesLeaveTheFileAsItWas) {
    test::TempDir dir;
    // A file where the folder should be.
    ASSERT_TRUE(WriteFile(dir.file(u"notafolder"_s), "x"));
    ProfileFile inFile(dir.file(u"notafolder/covers.ini"_s));
    EXPECT_EQ(inFile.WriteString(u"covers"_s, u"A | B"_s, u"/p"_s), Status::CannotWrite);

    // A folder where the file should be: it cannot be read, so it is never replaced.
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"covers.ini"_s));
    ProfileFile folder(dir.file(u"covers.ini"_s));
    EXPECT_EQ(folder.ReadString(u"covers"_s, u"A | B"_s), u"");
    EXPECT_EQ(folder.WriteString(u"covers"_s, u"A | B"_s, u"/p"_s), Status::CannotRead);

    // No room for the new file.
    const QString path = dir.file(u"lyrics.ini"_s);
    const QByteArray before = "[lyrics]\r\nT|A=/l.htm\r\n";
    ASSERT_TRUE(WriteFile(path, before));
    ProfileFile file(path);
    {
        test::FileSizeLimit limit(16);
        EXPECT_EQ(file.WriteString(u"lyrics"_s, u"U|B"_s, u"/m.htm"_s), Status::CannotWrite);
    }
    EXPECT_EQ(ReadFile(path), before);
    EXPECT_EQ(file.ReadString(u"lyrics"_s, u"U|B"_s), u"");
}

} // namespace
} // namespace orvane
