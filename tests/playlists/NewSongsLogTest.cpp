#include "playlists/NewSongsLog.h"

#include "support/FileBytes.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace orvane {
namespace {

using namespace Qt::StringLiterals;

using test::ReadFile;
using test::ScriptedPrompts;
using test::TempDir;
using test::WriteFile;

SongRecord Song(const QString& folder, const QString& file) {
    return {file, {}, {}, {}, {}, {}, {}, {}, folder, {}, {}};
}

class NewSongsLogTest : public ::testing::Test {
protected:
    TempDir dir;
    ScriptedPrompts prompts;
    QDate day{2026, 12, 6};
    NewSongsLog log{dir.path(), prompts, [this] {
                        return day;
                    }};
    QString today() const { return dir.file(u"2026-12-06.m3u"_s); }
};

TEST_F(NewSongsLogTest, EachSongOncePerDayLog) {
    EXPECT_EQ(log.LogPath(day), today());
    log.AppendToNewSongsLog(Song(u"/m/"_s, u"a.mp3"_s));
    log.AppendToNewSongsLog(Song(u"/m"_s, u"b.mp3"_s));
    log.AppendToNewSongsLog(Song(u"/M/"_s, u"A.mp3"_s));
    EXPECT_EQ(ReadFile(today()), QByteArray("/m/a.mp3\r\n/m/b.mp3\r\n"));

    day = day.addDays(1);
    log.AppendToNewSongsLog(Song(u"/m/"_s, u"a.mp3"_s));
    EXPECT_EQ(ReadFile(dir.file(u"2026-12-07.m3u"_s)), QByteArray("/m/a.mp3\r\n"));
    EXPECT_TRUE(prompts.shown().empty());
}

TEST_F(NewSongsLogTest, ChangesMadeByOthersAreSeen) {
    log.AppendToNewSongsLog(Song(u"/m/"_s, u"a.mp3"_s));
    // Another program rewrites the log between two songs.
    ASSERT_TRUE(WriteFile(today(), "/m/c.mp3\r\n/m/longer-name-so-the-size-differs.mp3"));
    log.AppendToNewSongsLog(Song(u"/m/"_s, u"c.mp3"_s));
    log.AppendToNewSongsLog(Song(u"/m/"_s, u"a.mp3"_s));
    EXPECT_EQ(ReadFile(today()),
              QByteArray("/m/c.mp3\r\n/m/longer-name-so-the-size-differs.mp3\r\n/m/a.mp3\r\n"));

    // A scan's batch after a last line left open: one logged already, one twice, in order.
    ASSERT_TRUE(WriteFile(today(), "/m/c.mp3\r\n/m/open.mp3"));
    const std::vector<SongRecord> batch{Song(u"/m/"_s, u"d.mp3"_s), Song(u"/m/"_s, u"c.mp3"_s),
                                        Song(u"/M/"_s, u"D.mp3"_s), Song(u"/m/"_s, u"e.mp3"_s)};
    log.AppendToNewSongsLog(batch);
    EXPECT_EQ(ReadFile(today()), QByteArray("/m/c.mp3\r\n/m/open.mp3\r\n/m/d.mp3\r\n/m/e.mp3\r\n"));
}

TEST_F(NewSongsLogTest, LogThatCannotBeWrittenIsReportedOnce) {
    ASSERT_TRUE(QDir().mkpath(today())); // the log's name is taken by a folder
    log.AppendToNewSongsLog(Song(u"/m/"_s, u"a.mp3"_s));
    log.AppendToNewSongsLog(Song(u"/m/"_s, u"b.mp3"_s));
    EXPECT_EQ(prompts.texts(), QStringList{u"Unable to create updated file"_s});
}

TEST(NewSongsLog, MissingLogsFolderSkipsSilently) {
    TempDir dir;
    ScriptedPrompts prompts;
    NewSongsLog log(dir.file(u"no/logs"_s), prompts);
    log.AppendToNewSongsLog(Song(u"/m/"_s, u"a.mp3"_s));
    EXPECT_TRUE(prompts.shown().empty());
}

} // namespace
} // namespace orvane
