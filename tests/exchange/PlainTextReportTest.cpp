// The plain-text report: the fixed columns of a song line at each level, the head and the
// groupings, the report set beside the nested-loop way of grouping it, and writing the file.

#include "exchange/PlainTextReport.h"
#include "platform/AsciiCase.h"
#include "support/FileBytes.h"
#include "support/FileSizeLimit.h"
#include "support/TempDir.h"

#include <QDir>
#include <gtest/gtest.h>

namespace orvane {
namespace {

using namespace Qt::StringLiterals;

SongRecord Song(const QString& title, const QString& artist, const QString& album = {},
                const QString& genre = {}) {
    return {title + u".mp3"_s, title, artist, album, u"03:10"_s, u"1999"_s, genre, {},
            u"/m/"_s,          {},    {}};
}

QStringList Lines(const QByteArray& text) {
    QStringList lines = QString::fromUtf8(text).split(u"\r\n"_s);
    EXPECT_EQ(lines.takeLast(), QString()); // every line ends in CRLF
    return lines;
}

// The padded columns of each level: field, start and end position.
struct ColumnCase {
    DetailLevel level;
    QString SongRecord::*field;
    int start, end;
};
const ColumnCase kColumnCases[] = {
    {DetailLevel::Basic, &SongRecord::Title, 0, 36},
    {DetailLevel::Basic, &SongRecord::Artist, 36, 69},
    {DetailLevel::Basic, &SongRecord::Album, 69, 81},
    {DetailLevel::Detailed, &SongRecord::Title, 0, 29},
    {DetailLevel::Detailed, &SongRecord::Artist, 29, 59},
    {DetailLevel::Detailed, &SongRecord::Album, 59, 84},
    {DetailLevel::All, &SongRecord::Title, 0, 35},
    {DetailLevel::All, &SongRecord::Artist, 35, 65},
    {DetailLevel::All, &SongRecord::Album, 65, 90},
    {DetailLevel::All, &SongRecord::Duration, 90, 100},
    {DetailLevel::All, &SongRecord::Year, 100, 110},
};

TEST(FormatSongLine, EveryColumnFitsUpToItsBoundaryAndIsCutPastIt) {
    for (const ColumnCase& c : kColumnCases) {
        SCOPED_TRACE(c.start);
        SongRecord song;
        const int room = c.end - c.start;
        song.*c.field = QString(room - 1, u'x');
        QString line = FormatSongLine(song, c.level);
        EXPECT_EQ(line.mid(c.start, room), QString(room - 1, u'x') + u' ');
        song.*c.field = QString(room, u'y');
        line = FormatSongLine(song, c.level);
        EXPECT_EQ(line.mid(c.start, room), QString(room - 5, u'y') + u"...  "_s);
        if (c.level == DetailLevel::Basic) {
            EXPECT_EQ(line.size(), 81);
        }
    }
    // The 35- and 36-character titles of the basic level, and the values written whole.
    EXPECT_EQ(FormatSongLine(Song(QString(35, u't'), u"Ann"_s, u"Blue"_s), DetailLevel::Basic),
              QString(35, u't') + u' ' + u"Ann"_s.leftJustified(33) + u"Blue"_s.leftJustified(12));
    EXPECT_EQ(FormatSongLine(Song(QString(36, u't'), {}), DetailLevel::Basic).left(36),
              QString(31, u't') + u"...  "_s);
    SongRecord song = Song(u"T"_s, u"A"_s, u"B"_s, QString(60, u'g'));
    EXPECT_EQ(FormatSongLine(song, DetailLevel::Detailed).mid(84), u"03:10"_s);
    EXPECT_EQ(FormatSongLine(song, DetailLevel::All).mid(110), QString(60, u'g'));
    // A character outside the basic plane is never cut in half at a column's end.
    song.Title = QString(29, u'x') + u"\U0001F3B5\U0001F3B5\U0001F3B5"_s;
    EXPECT_EQ(FormatSongLine(song, DetailLevel::All).left(35), QString(29, u'x') + u"...   "_s);
    // NUL characters (and line breaks, which would split the report's line) become blanks.
    song.Title = u"a"_s + QChar(0) + u"b\r\nc"_s;
    EXPECT_TRUE(FormatSongLine(song, DetailLevel::All).startsWith(u"a b  c "_s));
}

TEST(PlainTextReport, HeadAndGroupsOfOneCollection) {
    const std::vector<SongRecord> songs = {Song(u"One"_s, u"Abba"_s, u"Gold"_s, u"Pop"_s),
                                           Song(u"Two"_s, {}, u"gold"_s, u"Rock"_s),
                                           Song(u"Three"_s, u"ABBA"_s, {}, u"pop"_s)};
    const auto line = [&](int i) {
        return FormatSongLine(songs[size_t(i)], DetailLevel::Basic);
    };
    const QString sep(80, u'-');
    const auto report = [&](ReportGrouping grouping) {
        return BuildPlainTextReport(CollectionList(songs), grouping, DetailLevel::Basic,
                                    u"1/2/03 04:05:06"_s);
    };
    const PlainTextReport dump = report(ReportGrouping::SimpleDump);
    EXPECT_EQ(Lines(dump.text),
              (QStringList{u"Orvane MP3 export"_s.leftJustified(80) +
                               u"(https://www.brimtove.example/orvane/)"_s,
                           u"Export date: 1/2/03 04:05:06"_s, u"Simple dump, no sorting."_s, sep,
                           line(0), line(1), line(2)}));
    // Abba then ABBA: one group under the first spelling; the song without artist is in none.
    const PlainTextReport byArtist = report(ReportGrouping::Artist);
    EXPECT_EQ(
        Lines(byArtist.text).mid(2),
        (QStringList{u"Grouped by Artist"_s, sep, u"ARTIST : Abba"_s, sep, line(0), line(2), sep}));
    EXPECT_EQ(byArtist.groups, 1);
    EXPECT_EQ(byArtist.checked, 3);
    EXPECT_EQ(Lines(report(ReportGrouping::Album).text).mid(4),
              (QStringList{u"ALBUM : Gold"_s, sep, line(0), line(1), sep}));
    EXPECT_EQ(Lines(report(ReportGrouping::Genre).text).mid(4),
              (QStringList{u"GENRE : Pop"_s, sep, line(0), line(2), sep, u"GENRE : Rock"_s, sep,
                           line(1), sep}));
}

// The grouping done the slow way: a list of keys searched for every song, then the whole
// collection searched once per key.
QByteArray NestedLoopReport(const std::vector<SongRecord>& songs, ReportGrouping grouping,
                            DetailLevel level) {
    const auto field = [grouping](const SongRecord& s) -> const QString& {
        return grouping == ReportGrouping::Artist  ? s.Artist
               : grouping == ReportGrouping::Album ? s.Album
                                                   : s.Genre;
    };
    QByteArray out = BuildPlainTextReport({}, grouping, level, u"now"_s).text;
    QStringList keys;
    for (const SongRecord& s : songs) {
        bool known = field(s).isEmpty();
        for (const QString& key : keys)
            known = known || AsciiUpper(key) == AsciiUpper(field(s));
        if (!known)
            keys << field(s);
    }
    std::sort(keys.begin(), keys.end(), [](const QString& a, const QString& b) {
        return GroupKeyBefore(AsciiUpper(a), AsciiUpper(b));
    });
    const QString heading = grouping == ReportGrouping::Artist  ? u"ARTIST : "_s
                            : grouping == ReportGrouping::Album ? u"ALBUM : "_s
                                                                : u"GENRE : "_s;
    const QByteArray sep = QByteArray(80, '-') + "\r\n";
    for (const QString& key : keys) {
        out += (heading + key).toUtf8() + "\r\n" + sep;
        for (const SongRecord& s : songs)
            if (AsciiUpper(field(s)) == AsciiUpper(key))
                out += FormatSongLine(s, level).toUtf8() + "\r\n";
        out += sep;
    }
    return out;
}

TEST(PlainTextReport, GroupedReportsEqualTheNestedLoopGrouping) {
    const QStringList names = {u"Abba"_s,  u"zed"_s,    u""_s,       u"ABBA"_s, u"Émile"_s,
                               u"éMILE"_s, u"Zed"_s,    u"b side"_s, u"abba"_s, u"Ørn"_s,
                               u"10cc"_s,  u"B Side"_s, u"émile"_s};
    std::vector<SongRecord> songs;
    for (int i = 0; i < 120; ++i)
        songs.push_back(Song(u"Song %1"_s.arg(i) + QString(i % 40, u'.'), names[i % 13],
                             names[(i * 7) % 13], names[(i * 5) % 13]));
    for (ReportGrouping grouping :
         {ReportGrouping::Artist, ReportGrouping::Album, ReportGrouping::Genre})
        for (DetailLevel level : {DetailLevel::Basic, DetailLevel::Detailed, DetailLevel::All})
            EXPECT_EQ(BuildPlainTextReport(CollectionList(songs), grouping, level, u"now"_s).text,
                      NestedLoopReport(songs, grouping, level))
                << int(grouping) << ' ' << int(level);
}

TEST(WritePlainTextReport, SummaryOfAnEmptyCollectionAtEachGrouping) {
    test::TempDir dir;
    const QString target = dir.file(u"r.txt"_s);
    const QStringList expected[kGroupingCount] = {
        {u"     Songs exported : 0"_s},
        {u"     Artists exported : 0"_s, u"     Songs checked : 0"_s},
        {u"     Albums exported : 0"_s, u"     Songs checked : 0"_s},
        {u"     Genres exported : 0"_s, u"     Songs checked : 0"_s}};
    for (int g = 0; g < kGroupingCount; ++g) {
        const PlainTextExport result =
            WritePlainTextReport(target, {}, ReportGrouping(g), DetailLevel::All, u"now"_s);
        EXPECT_EQ(result.outcome, ExportOutcome::Written);
        EXPECT_EQ(result.summary,
                  QStringList({u"Report :"_s, {}, u"  File generated"_s, {}}) + expected[g]);
        EXPECT_EQ(Lines(test::ReadFile(target)).size(), 4); // the head alone
    }
}

TEST(WritePlainTextReport, FailuresNameTheFileAndLeaveTheOldOneWhole) {
    test::TempDir dir;
    const std::vector<SongRecord> songs(2000, Song(u"Long enough to fill"_s, u"Ann"_s));
    // A missing folder, and a file where the folder should be: the creation error lines.
    ASSERT_TRUE(test::WriteFile(dir.file(u"plain"_s), "x"));
    for (const QString& target : {dir.file(u"missing/r.txt"_s), dir.file(u"plain/r.txt"_s)}) {
        const PlainTextExport result =
            WritePlainTextReport(target, CollectionList(songs), ReportGrouping::SimpleDump,
                                 DetailLevel::Basic, u"now"_s);
        EXPECT_EQ(result.outcome, ExportOutcome::CannotCreate);
        ASSERT_EQ(result.summary.size(), 9);
        EXPECT_EQ(result.summary[2], u"  Error creating output file."_s);
        EXPECT_EQ(result.summary[7], u"     "_s + target);
        EXPECT_FALSE(result.reason.isEmpty());
        EXPECT_FALSE(QFileInfo::exists(target));
    }
    // The disk fills up part-way: the earlier report stays as it was, no scrap is left.
    const QString target = dir.file(u"r.txt"_s);
    ASSERT_TRUE(test::WriteFile(target, "earlier report"));
    PlainTextExport result;
    {
        test::FileSizeLimit full(4096);
        result = WritePlainTextReport(target, CollectionList(songs), ReportGrouping::SimpleDump,
                                      DetailLevel::Basic, u"now"_s);
    }
    EXPECT_EQ(result.outcome, ExportOutcome::WriteFailed);
    EXPECT_FALSE(result.reason.isEmpty());
    EXPECT_TRUE(WriteFailedText(target, result.reason).contains(target));
    EXPECT_EQ(test::ReadFile(target), "earlier report");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), (QStringList{u"plain"_s, u"r.txt"_s}));
}

} // namespace
} // namespace orvane
