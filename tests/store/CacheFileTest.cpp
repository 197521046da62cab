#include "store/CacheFile.h"

#include "support/FileBytes.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace orvane {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

SongRecord Record(const QString& file, const QString& title, const QString& folder) {
    return {file,
            title,
            QStringLiteral("Artist"),
            QStringLiteral("Album"),
            QStringLiteral("03:41"),
            QStringLiteral("1998"),
            QStringLiteral("Rock"),
            QStringLiteral("ripped"),
            folder,
            kLocalCollection,
            QStringLiteral("1")};
}

struct Loaded {
    CacheLoadResult result;
    CollectionList list;
    BrowseLists browse;
};

Loaded Load(const QString& path) {
    Loaded l;
    l.result = LoadCacheFile(path, l.list, true, l.browse);
    return l;
}

TEST(CacheFile, LineHoldsNineValuesEachFollowedBySeparator) {
    const SongRecord r = Record(QStringLiteral("track01.mp3"), QStringLiteral("Some Title"),
                                QStringLiteral("D:\\MP3\\Rock\\"));
    EXPECT_EQ(BuildCacheLine(r),
              QStringLiteral("track01.mp3[;]Some Title[;]Artist[;]Album[;]"
                             "03:41[;]1998[;]Rock[;]ripped[;]D:\\MP3\\Rock\\[;]"));
}

TEST(CacheFile, ParsesTheValuesThatHaveASeparatorAfterThem) {
    const SongRecord full =
        ParseCacheLine("a.mp3[;]T[;]A[;]B[;]03:00[;]1999[;]Rock[;]note[;]E:\\x\\[;]trailing text");
    EXPECT_EQ(full.FileName, u"a.mp3");
    EXPECT_EQ(full.Title, u"T");
    EXPECT_EQ(full.Artist, u"A");
    EXPECT_EQ(full.Album, u"B");
    EXPECT_EQ(full.Duration, u"03:00");
    EXPECT_EQ(full.Year, u"1999");
    EXPECT_EQ(full.Genre, u"Rock");
    EXPECT_EQ(full.Comment, u"note");
    EXPECT_EQ(full.Folder, u"E:\\x\\");

    const SongRecord three = ParseCacheLine("a.mp3[;]T[;]A[;]B without separator");
    EXPECT_EQ(three.FileName, u"a.mp3");
    EXPECT_EQ(three.Title, u"T");
    EXPECT_EQ(three.Artist, u"A");
    EXPECT_TRUE(three.Album.isEmpty());
    EXPECT_TRUE(three.Folder.isEmpty());

    EXPECT_EQ(ParseCacheLine(""), SongRecord{});
}

TEST(CacheFile, RoundTripKeepsOrderAndTextThatIsNotAscii) {
    TempDir dir;
    const QString path = dir.file(QStringLiteral("local.orv"));
    std::vector<SongRecord> records = {
        Record(QStringLiteral("b.mp3"), QStringLiteral("Zürich Nächte"), QStringLiteral("/m/")),
        Record(QStringLiteral("a.mp3"), QStringLiteral("東京"), QStringLiteral("/m/ö/")),
        Record(QStringLiteral("c.mp3"), QString(), QStringLiteral("/m/"))};
    ASSERT_TRUE(SaveCacheFile(path, records));

    const QByteArray bytes = ReadFile(path);
    EXPECT_TRUE(bytes.startsWith("[Orvane Cache File version1.4]\r\n"));
    EXPECT_EQ(bytes.count("\r\n"), 4);
    EXPECT_EQ(bytes.count('\n'), 4);

    Loaded l = Load(path);
    ASSERT_TRUE(l.result.opened);
    EXPECT_FALSE(l.result.readError);
    ASSERT_EQ(l.list.size(), 3);
    for (qsizetype i = 0; i < 3; ++i) {
        SongRecord expected = records[size_t(i)];
        expected.Collection = QStringLiteral("local.orv");
        expected.NewFlag = QStringLiteral("0");
        EXPECT_EQ(l.list[i], expected) << i;
    }
    EXPECT_TRUE(l.browse.Artists.Contains(QStringLiteral("ARTIST")));
}

TEST(CacheFile, LinesThatAreNotUtf8AreReadAsLatin1) {
    TempDir dir;
    const QString path = dir.file(QStringLiteral("old.orv"));
    ASSERT_TRUE(WriteFile(
        path, QByteArray("[Orvane Cache File version1.4]\r\n"
                         "caf\xe9.mp3[;]Caf\xe9[;]A[;]B[;]01:00[;]1999[;]Pop[;][;]/m/[;]\n"
                         "ok.mp3[;]K\xc3\xb6ln[;]A[;]B[;]01:00[;]1999[;]Pop[;][;]/m/[;]\r\n")));
    Loaded l = Load(path);
    ASSERT_EQ(l.list.size(), 2);
    EXPECT_EQ(l.list[0].FileName, QStringLiteral("café.mp3"));
    EXPECT_EQ(l.list[0].Title, QStringLiteral("Café"));
    EXPECT_EQ(l.list[1].Title, QStringLiteral("Köln"));
    EXPECT_EQ(l.list[1].Collection, u"old.orv");

    // Written back, both lines are UTF-8 and read the same again.
    ASSERT_TRUE(SaveCacheFile(path, l.list.records()));
    Loaded again = Load(path);
    ASSERT_EQ(again.list.size(), 2);
    EXPECT_EQ(again.list[0].Title, QStringLiteral("Café"));
    EXPECT_TRUE(ReadFile(path).contains("Caf\xc3\xa9"));
}

TEST(CacheFile, HeaderIsComparedUpperCasedWithoutTrimming) {
    TempDir dir;
    const QByteArray line = "a.mp3[;]T[;]A[;]B[;]03:00[;]1999[;]Rock[;]note[;]E:\\x\\[;]\r\n";

    ASSERT_TRUE(WriteFile(dir.file(QStringLiteral("lower.orv")),
                          "[orvane cache file version1.4]\r\n" + line));
    EXPECT_EQ(Load(dir.file(QStringLiteral("lower.orv"))).list.size(), 1);

    ASSERT_TRUE(WriteFile(dir.file(QStringLiteral("blank.orv")),
                          "[Orvane Cache File version1.4] \r\n" + line));
    Loaded blank = Load(dir.file(QStringLiteral("blank.orv")));
    EXPECT_TRUE(blank.result.opened);
    EXPECT_EQ(blank.list.size(), 0);

    ASSERT_TRUE(WriteFile(dir.file(QStringLiteral("other.orv")),
                          "[Orvane Cache File version1.3]\r\n" + line));
    EXPECT_EQ(Load(dir.file(QStringLiteral("other.orv"))).list.size(), 0);

    ASSERT_TRUE(
        WriteFile(dir.file(QStringLiteral("only.orv")), "[Orvane Cache File version1.4]\r\n"));
    Loaded only = Load(dir.file(QStringLiteral("only.orv")));
    EXPECT_TRUE(only.result.opened);
    EXPECT_EQ(only.list.size(), 0);
}

TEST(CacheFile, EmptyLineGivesAnEmptyRecord) {
    TempDir dir;
    const QString path = dir.file(QStringLiteral("e.orv"));
    ASSERT_TRUE(WriteFile(path, "[Orvane Cache File version1.4]\r\n\r\nx.mp3[;]\r\n"));
    Loaded l = Load(path);
    ASSERT_EQ(l.list.size(), 2);
    EXPECT_TRUE(l.list[0].FileName.isEmpty());
    EXPECT_TRUE(l.list[0].Folder.isEmpty());
    EXPECT_EQ(l.list[0].NewFlag, u"0");
    EXPECT_EQ(l.list[1].FileName, u"x.mp3");
}

TEST(CacheFile, MissingFileLeavesTheListAsItWas) {
    TempDir dir;
    CollectionList list;
    BrowseLists browse;
    list.append(Record(QStringLiteral("keep.mp3"), QString(), QStringLiteral("/m/")));
    const CacheLoadResult r =
        LoadCacheFile(dir.file(QStringLiteral("none.orv")), list, true, browse);
    EXPECT_FALSE(r.opened);
    EXPECT_EQ(list.size(), 1);
}

TEST(CacheFile, LoadingWithoutClearingAppends) {
    TempDir dir;
    const QString path = dir.file(QStringLiteral("lib.orv"));
    ASSERT_TRUE(SaveCacheFile(
        path, std::vector{Record(QStringLiteral("n.mp3"), QString(), QStringLiteral("/x/"))}));
    CollectionList list;
    BrowseLists browse;
    list.append(Record(QStringLiteral("keep.mp3"), QString(), QStringLiteral("/m/")));
    EXPECT_EQ(LoadCacheFile(path, list, false, browse).added, 1);
    ASSERT_EQ(list.size(), 2);
    EXPECT_EQ(list[1].Collection, u"lib.orv");
}

TEST(CacheFile, ZeroRecordsGiveOnlyTheHeaderAndFilterIsApplied) {
    TempDir dir;
    const QString path = dir.file(QStringLiteral("z.orv"));
    ASSERT_TRUE(SaveCacheFile(path, {}));
    EXPECT_EQ(ReadFile(path), QByteArray("[Orvane Cache File version1.4]\r\n"));

    std::vector<SongRecord> records = {
        Record(QStringLiteral("a.mp3"), QString(), QStringLiteral("/m/")),
        Record(QStringLiteral("b.mp3"), QString(), QStringLiteral("/m/"))};
    ASSERT_TRUE(
        SaveCacheFile(path, records, [](const SongRecord& r) { return r.FileName == u"b.mp3"; }));
    Loaded l = Load(path);
    ASSERT_EQ(l.list.size(), 1);
    EXPECT_EQ(l.list[0].FileName, u"b.mp3");
}

TEST(CacheFile, FailedSaveLeavesTheOldFile) {
    TempDir dir;
    const QString nowhere = dir.file(QStringLiteral("sub/none/x.orv"));
    EXPECT_FALSE(SaveCacheFile(nowhere, {}));
    EXPECT_FALSE(QFile::exists(nowhere));

    // A disk that fills up while the file is written (here: a file size limit, which binds the
    // superuser too): false, and the old file stays whole, with no scratch file beside it.
    const QString path = dir.file(QStringLiteral("local.orv"));
    const std::vector<SongRecord> old{Record(QStringLiteral("old.mp3"), {}, QStringLiteral("/m/"))};
    ASSERT_TRUE(SaveCacheFile(path, old));
    const QByteArray before = test::ReadFile(path);
    const std::vector<SongRecord> many(
        500, Record(QStringLiteral("new.mp3"), {}, QStringLiteral("/m/")));
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 4096;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN); // EFBIG instead of the signal
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = SaveCacheFile(path, many);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(written);
    EXPECT_EQ(test::ReadFile(path), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("local.orv")});
}

} // namespace
} // namespace orvane
