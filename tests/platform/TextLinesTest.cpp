#include "platform/TextLines.h"

#include "support/OrdinaryUser.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <unistd.h>

namespace orvane {
namespace {

using namespace Qt::StringLiterals;

TEST(TextLines, LineEndsOfEitherKind) {
    EXPECT_EQ(DecodeLines("a\r\nb\nc"), (QStringList{u"a"_s, u"b"_s, u"c"_s}));
    EXPECT_EQ(DecodeLines("a\r\n\r\n"), (QStringList{u"a"_s, u""_s}));
    EXPECT_EQ(DecodeLines("a\r\r\n"), QStringList{u"a\r"_s});
    EXPECT_TRUE(DecodeLines("").isEmpty());
}

TEST(TextLines, LinesAreWrittenAsUtf8) {
    // Reading with the Latin-1 fallback: CacheFile.LinesThatAreNotUtf8AreReadAsLatin1.
    QByteArray out;
    AppendLine(out, u"Köln"_s);
    EXPECT_EQ(out, QByteArray("K\xc3\xb6ln\r\n"));
}

TEST(TextLines, AtomicWriteReplacesOrLeavesTheFile) {
    test::TempDir dir;
    const QString path = dir.file(u"a.txt"_s);
    ASSERT_EQ(WriteFileAtomically(path, "one"), WriteResult::Written);
    ASSERT_EQ(WriteFileAtomically(path, "two"), WriteResult::Written);
    const TextFileRead read = ReadWholeFile(path);
    EXPECT_EQ(std::tuple(read.opened, read.readError, read.data), std::tuple(true, false, "two"));

    EXPECT_NE(WriteFileAtomically(dir.file(u"no/such/b.txt"_s), "x"), WriteResult::Written);
    EXPECT_FALSE(ReadWholeFile(dir.file(u"missing.txt"_s)).opened);

    // A name taken by a folder cannot be replaced, and the folder stays.
    const QString taken = dir.file(u"taken"_s);
    ASSERT_TRUE(QDir().mkpath(taken + u"/inner"_s));
    EXPECT_NE(WriteFileAtomically(taken, "x"), WriteResult::Written);
    EXPECT_TRUE(QFileInfo(taken).isDir());

    // A folder that cannot be written keeps the old file whole.
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                          QFileDevice::ReadOther | QFileDevice::ExeOther);
    {
        test::AsOrdinaryUser user;
        ASSERT_TRUE(user.Bound());
        EXPECT_EQ(WriteFileAtomically(path, "three"), WriteResult::CannotCreate);
        EXPECT_EQ(ReadWholeFile(path).data, "two");
    }
    QFile::setPermissions(dir.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

} // namespace
} // namespace orvane
