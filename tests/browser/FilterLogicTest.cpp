// The time filters, "Display from last 7 days" and the collection filter over real file dates.

#include "browser/LibraryViews.h"
#include "support/FileBytes.h"
#include "support/SongTitles.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

using namespace Qt::StringLiterals;
using test::Titles;

class FilterLogicTest : public ::testing::Test {
protected:
    // A song of the genre "Rock" whose file was last changed at that local date and time; a
    // null date leaves the file missing.
    void Song(const QString& title, QDate date, QTime time = QTime(12, 0),
              const QString& collection = kLocalCollection) {
        const QString file = title + u".mp3"_s;
        if (date.isValid()) {
            ASSERT_TRUE(test::WriteFile(dir.file(file), "x"));
            ASSERT_TRUE(test::SetModified(dir.file(file), QDateTime(date, time)));
        }
        songs.append({file,
                      title,
                      u"A"_s,
                      u"B"_s,
                      u"03:00"_s,
                      {},
                      u"Rock"_s,
                      {},
                      dir.path() + u'/',
                      collection,
                      u"0"_s});
    }
    QStringList Genre() {
        SongRows rows;
        ShowGenreSongs(songs, u"Rock"_s, filter, rows);
        return Titles(rows);
    }

    test::TempDir dir;
    CollectionList songs;
    DisplayFilter filter;
    const QDate today = QDate(2026, 3, 10);
};

TEST_F(FilterLogicTest, TimeFiltersKeepFilesUpToTheirDaysWhateverTheTimeOfDay) {
    filter.SetTodayForTests(today);
    const std::pair<TimeFilter, int> cases[] = {
        {TimeFilter::Days7, 7}, {TimeFilter::Days14, 14}, {TimeFilter::Month, 31}};
    for (const auto& [mode, days] : cases) {
        songs.clear();
        Song(u"early"_s, today.addDays(-days), QTime(0, 0, 1));
        Song(u"late"_s, today.addDays(-days), QTime(23, 59, 59));
        Song(u"older"_s, today.addDays(-days - 1), QTime(23, 59, 59));
        Song(u"future"_s, today.addDays(3));
        Song(u"missing"_s, {});
        filter.SetTimeFilter(mode);
        EXPECT_EQ(Genre(), (QStringList{u"early"_s, u"late"_s, u"future"_s, u"missing"_s})) << days;
        filter.SetTimeFilter(TimeFilter::None);
        EXPECT_EQ(Genre().size(), 5);
    }
}

TEST_F(FilterLogicTest, RecentSongsAreThoseLessThanSevenDaysOld) {
    filter.SetTodayForTests(today);
    Song(u"today"_s, today, QTime(0, 0, 1));
    Song(u"six"_s, today.addDays(-6), QTime(0, 0, 1));
    Song(u"seven"_s, today.addDays(-7), QTime(23, 59, 59));
    Song(u"missing"_s, {});
    SongRows rows{SongRow{}}; // replaced
    ShowRecentSongs(songs, 7, filter, rows);
    EXPECT_EQ(Titles(rows), (QStringList{u"today"_s, u"six"_s}));
    // The time filter still applies to what the command lists.
    filter.SetTimeFilter(TimeFilter::Days7);
    ShowRecentSongs(songs, 7, filter, rows);
    EXPECT_EQ(Titles(rows).size(), 2);
}

TEST_F(FilterLogicTest, UncheckedCollectionsAreHiddenFromEveryView) {
    Song(u"cached"_s, {}, {}, u"local.orv"_s);
    Song(u"scanned"_s, {}, {}, kLocalCollection);
    Song(u"friend"_s, {}, {}, u"Friend.orv"_s);
    filter.SetCollectionFilter({u"Local.orv;0"_s, u"friend.orv;1"_s});
    // A scan's songs belong to no cache file: unchecking Local.orv leaves them shown.
    EXPECT_EQ(Genre(), (QStringList{u"scanned"_s, u"friend"_s}));
    filter.SetCollectionFilter({u"Local.orv;1"_s, u"friend.orv;0"_s});
    EXPECT_EQ(Genre(), (QStringList{u"cached"_s, u"scanned"_s}));
    SongRows rows;
    ShowAlbumSongs(songs, u"b"_s, filter, rows);
    EXPECT_EQ(Titles(rows), (QStringList{u"cached"_s, u"scanned"_s}));
    EXPECT_FALSE(IsCollectionShown(filter.CollectionFilter(), u"FRIEND.ORV"_s));
    EXPECT_TRUE(IsCollectionShown(filter.CollectionFilter(), u"other.orv"_s));
}

} // namespace
} // namespace orvane
