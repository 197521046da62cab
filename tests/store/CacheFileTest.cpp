#include "store/CacheFile.h"

#include "support/FileBytes.h"
#include "support/FileSizeLimit.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace orvane {
namespace {

using namespace Qt::StringLiterals;

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

SongRecord Record(const QString& file, const QString& title, const QString& folder) {
    return {file,      title,       u"Artist"_s, u"Album"_s,       u"03:41"_s, u"1998"_s,
            u"Rock"_s, u"ripped"_s, folder,      kLocalCollection, u"1"_s};
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
    const SongRecord r = Record(u"track01.mp3"_s, u"Some Title"_s, u"D:\\MP3\\Rock\\"_s);
    const QString line = BuildCacheLine(r);
    EXPECT_EQ(line, QStringLiteral("track01.mp3[;]Some Title[;]Artist[;]Album[;]"
                                   "03:41[;]1998[;]Rock[;]ripped[;]D:\\MP3\\Rock\\[;]"));
    SongRecord parsed = ParseCacheLine((line + u"trailing text"_s).toUtf8());
    parsed.Collection = r.Collection;
    parsed.NewFlag = r.NewFlag;
    EXPECT_EQ(parsed, r);

    // Only values with a separator after them are taken.
    const SongRecord three = ParseCacheLine("a.mp3[;]T[;]A[;]B without separator");
    EXPECT_EQ(three.Artist, u"A");
    EXPECT_TRUE(three.Album.isEmpty());
    EXPECT_TRUE(three.Folder.isEmpty());
    EXPECT_EQ(ParseCacheLine(""), SongRecord{});
}

TEST(CacheFile, RoundTripKeepsOrderAndTextThatIsNotAscii) {
    TempDir dir;
    const QString path = dir.file(u"local.orv"_s);
    std::vector<SongRecord> records = {Record(u"b.mp3"_s, u"Zürich Nächte"_s, u"/m/"_s),
                                       Record(u"a.mp3"_s, u"東京"_s, u"/m/ö/"_s),
                                       Record(u"c.mp3"_s, QString(), u"/m/"_s)};
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
        expected.Collection = u"local.orv"_s;
        expected.NewFlag = u"0"_s;
        EXPECT_EQ(l.list[i], expected) << i;
    }
    EXPECT_TRUE(l.browse.Artists.Contains(u"ARTIST"_s));
}

TEST(CacheFile, LinesThatAreNotUtf8AreReadAsLatin1) {
    TempDir dir;
    const QString path = dir.file(u"old.orv"_s);
    ASSERT_TRUE(WriteFile(
        path, QByteArray("[Orvane Cache File version1.4]\r\n"
                         "caf\xe9.mp3[;]Caf\xe9[;]A[;]B[;]01:00[;]1999[;]Pop[;][;]/m/[;]\n"
                         "ok.mp3[;]K\xc3\xb6ln[;]A[;]B[;]01:00[;]1999[;]Pop[;][;]/m/[;]\r\n")));
    Loaded l = Load(path);
    ASSERT_EQ(l.list.size(), 2);
    EXPECT_EQ(l.list[0].FileName, u"café.mp3"_s);
    EXPECT_EQ(l.list[0].Title, u"Café"_s);
    EXPECT_EQ(l.list[1].Title, u"Köln"_s);
    EXPECT_EQ(l.list[1].Collection, u"old.orv");

    // Written back, both lines are UTF-8 and read the same again.
    ASSERT_TRUE(SaveCacheFile(path, l.list));
    Loaded again = Load(path);
    ASSERT_EQ(again.list.size(), 2);
    EXPECT_EQ(again.list[0].Title, u"Café"_s);
    EXPECT_TRUE(ReadFile(path).contains("Caf\xc3\xa9"));
}

QStringList Names(const BrowseList& list) {
    QStringList names;
    for (const BrowseEntry& e : list.Entries())
        names.append(e.Name + u'|' + e.Extra);
    return names;
}

// A load shares repeated values and a save writes lines in bulk: the result must be what each
// line gives on its own, the browse lists what registering each record gives, and the file byte
// for byte what BuildCacheLine makes of each record.
TEST(CacheFile, BulkLoadAndSaveAgreeWithOneLineAtATime) {
    const QByteArray lines[] = {
        "a.mp3[;]One[;]Artist A[;]Album[;]03:41[;]1998[;]Rock[;]ripped[;]/m/A/[;]",
        "b.mp3[;]Two[;]Artist B[;]Album[;]03:41[;]1998[;]Rock[;]ripped[;]/m/B/[;]",
        "c.mp3[;]Three[;]Artist A[;]album[;]01:00[;][;]Pop[;][;]/m/A/[;]",
        "caf\xe9.mp3[;]Caf\xe9[;]Artist A[;]Caf\xe9[;]03:41[;]1998[;]Rock[;]ripped[;]/m/A/[;]",
        "k.mp3[;]K\xc3\xb6ln[;]Artist \xc3\x96[;]Album[;]03:41[;]1998[;]Rock[;][;]/m/\xc3\x96/[;]",
        "d.mp3[;]Four[;]Artist B[;]",
        "",
        "e.mp3[;]Five[;]Artist C[;]Album[;]03:41[;]1998[;]Rock[;]ripped[;]/m/B/[;]extra"};
    TempDir dir;
    const QString path = dir.file(u"bulk.orv"_s);
    QByteArray file = "[Orvane Cache File version1.4]\r\n";
    for (const QByteArray& line : lines)
        file += line + (line.startsWith("c.mp3") ? "\n" : "\r\n");
    ASSERT_TRUE(WriteFile(path, file));

    Loaded l = Load(path);
    ASSERT_EQ(l.list.size(), qsizetype(std::size(lines)));
    BrowseLists browse;
    for (qsizetype i = 0; i < l.list.size(); ++i) {
        SongRecord expected = ParseCacheLine(lines[i]);
        expected.Collection = u"bulk.orv"_s;
        expected.NewFlag = u"0"_s;
        EXPECT_EQ(l.list[i], expected) << i;
        RegisterBrowseKeys(browse, expected);
    }
    EXPECT_EQ(Names(l.browse.Genres), Names(browse.Genres));
    EXPECT_EQ(Names(l.browse.Albums), Names(browse.Albums));
    EXPECT_EQ(Names(l.browse.Artists), Names(browse.Artists));
    // A repeated value is held once, however far apart its songs lie.
    EXPECT_EQ(l.list[0].Artist.constData(), l.list[2].Artist.constData());
    EXPECT_EQ(l.list[1].Folder.constData(), l.list[7].Folder.constData());

    std::vector<SongRecord> records(l.list.begin(), l.list.end());
    records[1].Comment = u"two\r\nlines"_s;
    records[2].Title = u"東京"_s;
    QByteArray expected = "[Orvane Cache File version1.4]\r\n";
    for (const SongRecord& r : records)
        expected += BuildCacheLine(r).toUtf8() + "\r\n";
    ASSERT_TRUE(SaveCacheFile(path, records));
    EXPECT_EQ(ReadFile(path), expected);
    // The program's save, from the list, writes the same bytes.
    const QString fromList = dir.file(u"list.orv"_s);
    ASSERT_TRUE(SaveCacheFile(fromList, CollectionList(records)));
    EXPECT_EQ(ReadFile(fromList), expected);
}

TEST(CacheFile, HeaderIsComparedUpperCasedWithoutTrimming) {
    TempDir dir;
    const QByteArray line = "a.mp3[;]T[;]A[;]B[;]03:00[;]1999[;]Rock[;]note[;]E:\\x\\[;]\r\n";
    const std::pair<QByteArray, qsizetype> cases[] = {
        {"[orvane cache file version1.4]\r\n" + line, 1},
        {"[Orvane Cache File version1.4] \r\n" + line, 0},
        {"[Orvane Cache File version1.3]\r\n" + line, 0},
        {"[Orvane Cache File version1.4]\r\n", 0}};
    for (const auto& [bytes, songs] : cases) {
        ASSERT_TRUE(WriteFile(dir.file(u"h.orv"_s), bytes));
        const Loaded l = Load(dir.file(u"h.orv"_s));
        EXPECT_TRUE(l.result.opened) << bytes.toStdString();
        EXPECT_EQ(l.list.size(), songs) << bytes.toStdString();
    }

    // An empty line gives an empty record.
    ASSERT_TRUE(
        WriteFile(dir.file(u"e.orv"_s), "[Orvane Cache File version1.4]\r\n\r\nx.mp3[;]\r\n"));
    Loaded l = Load(dir.file(u"e.orv"_s));
    ASSERT_EQ(l.list.size(), 2);
    EXPECT_TRUE(l.list[0].FileName.isEmpty());
    EXPECT_EQ(l.list[0].NewFlag, u"0");
    EXPECT_EQ(l.list[1].FileName, u"x.mp3");
}

TEST(CacheFile, MissingFileLeavesTheListAsItWasAndLoadingWithoutClearingAppends) {
    TempDir dir;
    CollectionList list;
    BrowseLists browse;
    list.append(Record(u"keep.mp3"_s, QString(), u"/m/"_s));
    EXPECT_FALSE(LoadCacheFile(dir.file(u"none.orv"_s), list, true, browse).opened);
    EXPECT_EQ(list.size(), 1);

    const QString path = dir.file(u"lib.orv"_s);
    ASSERT_TRUE(SaveCacheFile(path, std::vector{Record(u"n.mp3"_s, QString(), u"/x/"_s)}));
    EXPECT_EQ(LoadCacheFile(path, list, false, browse).added, 1);
    ASSERT_EQ(list.size(), 2);
    EXPECT_EQ(list[1].Collection, u"lib.orv");
}

TEST(CacheFile, ZeroRecordsGiveOnlyTheHeaderAndFilterIsApplied) {
    TempDir dir;
    const QString path = dir.file(u"z.orv"_s);
    ASSERT_TRUE(SaveCacheFile(path, std::vector<SongRecord>{}));
    EXPECT_EQ(ReadFile(path), QByteArray("[Orvane Cache File version1.4]\r\n"));

    std::vector<SongRecord> records = {Record(u"a.mp3"_s, QString(), u"/m/"_s),
                                       Record(u"b.mp3"_s, QString(), u"/m/"_s)};
    ASSERT_TRUE(
        SaveCacheFile(path, records, [](const SongRecord& r) { return r.FileName == u"b.mp3"; }));
    Loaded l = Load(path);
    ASSERT_EQ(l.list.size(), 1);
    EXPECT_EQ(l.list[0].FileName, u"b.mp3");

    // From a list, the filter takes the collections to keep.
    records[0].Collection = u"friend.orv"_s;
    records[1].Collection = kLocalCollection;
    ASSERT_TRUE(SaveCacheFile(path, CollectionList(records), [](const QString& collection) {
        return collection == kLocalCollection;
    }));
    l = Load(path);
    ASSERT_EQ(l.list.size(), 1);
    EXPECT_EQ(l.list[0].FileName, u"b.mp3");
}

TEST(CacheFile, FailedSaveLeavesTheOldFile) {
    TempDir dir;
    const QString nowhere = dir.file(u"sub/none/x.orv"_s);
    EXPECT_FALSE(SaveCacheFile(nowhere, std::vector<SongRecord>{}));
    EXPECT_FALSE(QFile::exists(nowhere));

    // A disk that fills up while the file is written (here: a file size limit, which binds the
    // superuser too): false, and the old file stays whole, with no scratch file beside it.
    const QString path = dir.file(u"local.orv"_s);
    const std::vector<SongRecord> old{Record(u"old.mp3"_s, {}, u"/m/"_s)};
    ASSERT_TRUE(SaveCacheFile(path, old));
    const QByteArray before = test::ReadFile(path);
    const std::vector<SongRecord> many(500, Record(u"new.mp3"_s, {}, u"/m/"_s));
    {
        const test::FileSizeLimit full(4096);
        EXPECT_FALSE(SaveCacheFile(path, many));
    }
    EXPECT_EQ(test::ReadFile(path), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{u"local.orv"_s});
}

} // namespace
} // namespace orvane
