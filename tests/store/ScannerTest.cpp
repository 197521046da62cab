#include "store/Scanner.h"

#include "platform/DirectoryWalk.h"
#include "playlists/NewSongsLog.h"
#include "store/RecycledSongs.h"
#include "support/EventLoop.h"
#include "support/MpegFixture.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace orvane {
namespace {

using namespace Qt::StringLiterals;

QCoreApplication& App() {
    static int argc = 1;
    static char name[] = "scanner_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

using test::ProcessUntil;

class RecordingProgress : public ScanProgress {
public:
    std::vector<std::pair<qsizetype, QString>> reports;
    void ScanReport(qsizetype files, const QString& folder) override {
        reports.emplace_back(files, folder);
    }
};

class ScannerTest : public ::testing::Test {
protected:
    void SetUp() override {
        App();
        music = QDir(dir.file(u"music"_s)).absolutePath();
        logs = dir.file(u"logs"_s);
        ASSERT_TRUE(QDir().mkpath(music));
        ASSERT_TRUE(QDir().mkpath(logs));
        store.OnNewSong = [this](const SongRecord& r) {
            log.AppendToNewSongsLog(r);
        };
    }

    void Mp3(const QString& relative) {
        const QString path = music + u'/' + relative;
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
        ASSERT_TRUE(test::WriteFile(path, test::MakeMpegStream(test::StreamOptions{})));
    }
    QStringList FileNames() const {
        QStringList names;
        for (const SongRecord& r : store.Songs)
            names.append(r.FileName);
        return names;
    }
    QStringList LoggedPaths() const {
        return QString::fromUtf8(test::ReadFile(log.LogPath(QDate::currentDate())))
            .split(u"\r\n"_s, Qt::SkipEmptyParts);
    }

    test::TempDir dir;
    QString music, logs;
    test::ScriptedPrompts prompts;
    NewSongsLog log{dir.file(u"logs"_s), prompts};
    SongStore store;
};

TEST_F(ScannerTest, FullRescanTakesSongNamesAndSkipsHiddenFolders) {
    Mp3(u"x.MP3"_s);
    Mp3(u"Rock/y.mp2"_s);
    Mp3(u"mix.mp3.txt"_s);
    Mp3(u".cache/hidden.mp3"_s);
    ASSERT_TRUE(test::WriteFile(music + u"/notes.txt"_s, "not a song"));
    ASSERT_TRUE(test::WriteFile(music + u"/broken.mp3"_s, QByteArray(2000, 'x')));

    RecordingProgress progress;
    EXPECT_EQ(FullRescan(store, music + u'/', &progress), 4); // handed: names with .MP2/3/4
    EXPECT_EQ(FileNames(), (QStringList{u"mix.mp3.txt"_s, u"y.mp2"_s, u"x.MP3"_s}));
    EXPECT_EQ(store.Songs[1].Folder, music + u"/Rock/"_s);
    ASSERT_FALSE(progress.reports.empty());
    EXPECT_EQ(progress.reports.front().first, 0);
    EXPECT_EQ(progress.reports.back().first, 4);
    EXPECT_EQ(LoggedPaths().size(), 3);
}

TEST_F(ScannerTest, BackgroundScanHandsEveryFileToTheGuiThread) {
    for (int i = 0; i < 20; ++i)
        Mp3(u"album%1/track%2.mp3"_s.arg(i % 3).arg(i));
    const Qt::HANDLE guiThread = QThread::currentThreadId();
    std::vector<QString> handed;
    bool finished = false;
    TUpdateThread scanner(music, [&](const QString& path) {
        EXPECT_EQ(QThread::currentThreadId(), guiThread);
        handed.push_back(path);
        AddScannedFile(store, path);
    });
    QObject::connect(&scanner, &TUpdateThread::Finished, [&] { finished = true; });
    EXPECT_FALSE(scanner.IsRunning());
    scanner.Start();
    EXPECT_TRUE(scanner.IsRunning());
    ProcessUntil([&] { return finished; });
    EXPECT_FALSE(scanner.IsRunning());
    EXPECT_EQ(handed.size(), 20u);
    EXPECT_EQ(store.Songs.size(), 20);
    EXPECT_EQ(LoggedPaths().size(), 20);
}

TEST_F(ScannerTest, StoppingEndsTheWalkAfterTheCurrentFile) {
    for (int i = 0; i < 30; ++i)
        Mp3(u"t%1.mp3"_s.arg(i, 2, 10, QChar(u'0')));
    int handed = 0;
    bool stoppedInside = true;
    std::unique_ptr<TUpdateThread> scanner;
    scanner = std::make_unique<TUpdateThread>(music, [&](const QString& path) {
        AddScannedFile(store, path);
        if (++handed == 3) {
            // From inside a hand-over the scanner cannot be waited for: it is only asked.
            stoppedInside = scanner->Stop();
        }
    });
    scanner->Start();
    ProcessUntil([&] { return !scanner->IsRunning(); });
    EXPECT_FALSE(stoppedInside);
    EXPECT_EQ(handed, 3);
    EXPECT_EQ(FileNames(), (QStringList{u"t00.mp3"_s, u"t01.mp3"_s, u"t02.mp3"_s}));

    // Stopping from outside, queued right after the first hand-over: a hand-over already
    // waiting then still goes in, and nothing after it.
    store.Songs.clear();
    handed = 0;
    std::optional<bool> stopped;
    TUpdateThread other(music, [&](const QString& path) {
        AddScannedFile(store, path);
        if (++handed == 1)
            QMetaObject::invokeMethod(
                &App(), [&] { stopped = StopBackgroundScan(&other); }, Qt::QueuedConnection);
    });
    other.Start();
    ProcessUntil([&] { return stopped.has_value(); });
    EXPECT_TRUE(*stopped);
    EXPECT_FALSE(other.IsRunning());
    EXPECT_GE(handed, 1);
    EXPECT_LE(handed, 2);
    EXPECT_EQ(store.Songs.size(), handed);
}

TEST_F(ScannerTest, RefreshDatabaseRebuildsEverythingAsNewSongs) {
    Mp3(u"a.mp3"_s);
    Mp3(u"b/c.mp3"_s);
    const QString recycle = dir.file(u"recycle"_s);
    Mp3(u"../recycle/removed.mp3"_s);
    // What the cache file and an imported collection had brought.
    SongRecord cached{u"a.mp3"_s,   u"Old title"_s, {},    {}, u"00:01"_s, {}, {}, {},
                      music + u'/', u"local.orv"_s, u"0"_s};
    SongRecord imported = cached;
    imported.FileName = u"far.mp3"_s;
    imported.Folder = u"IMPORT:\\cd\\"_s;
    imported.Collection = u"friend.orv"_s;
    imported.Artist = u"Friend"_s;
    store.Songs.append(cached);
    store.Songs.append(imported);
    RegisterBrowseKeys(store.Browse, imported);

    int windows = 0;
    RecordingProgress* shown = nullptr;
    const OpenScanProgress open = [&]() -> std::unique_ptr<ScanProgress> {
        ++windows;
        auto progress = std::make_unique<RecordingProgress>();
        shown = progress.get();
        return progress;
    };

    prompts.Answer(PromptAnswer::No);
    EXPECT_FALSE(RefreshDatabase(store, prompts, nullptr, music, recycle, open));
    EXPECT_EQ(store.Songs.size(), 2);
    EXPECT_EQ(windows, 0);
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].kind, PromptKind::Information);
    EXPECT_EQ(prompts.shown()[0].buttons, PromptButtons::YesNo);
    EXPECT_EQ(prompts.texts()[0], kRefreshDatabaseQuestion);

    std::unique_ptr<TUpdateThread> scanner = StartBackgroundScan(store, dir.file(u"none"_s));
    EXPECT_TRUE(RefreshDatabase(store, prompts, scanner.get(), music, recycle, open));
    EXPECT_FALSE(scanner->IsRunning());
    EXPECT_EQ(windows, 1);
    EXPECT_EQ(FileNames(), (QStringList{u"a.mp3"_s, u"c.mp3"_s, u"removed.mp3"_s}));
    for (const SongRecord& r : store.Songs) {
        EXPECT_EQ(r.NewFlag, u"1");
        EXPECT_EQ(r.Collection, kLocalCollection);
    }
    EXPECT_FALSE(store.Browse.Artists.Contains(u"Friend"_s));
    EXPECT_EQ(LoggedPaths(), (QStringList{music + u"/a.mp3"_s, music + u"/b/c.mp3"_s,
                                          QDir(recycle).absolutePath() + u"/removed.mp3"_s}));
}

// An unmounted disk or a folder that cannot be read must never empty the collection.
TEST_F(ScannerTest, RefreshDatabaseKeepsWhatItCannotRead) {
    Mp3(u"a.mp3"_s);
    Mp3(u"closed/x.mp3"_s);
    const auto cached = [&](const QString& name, const QString& folder) {
        const SongRecord r{name, u"Cached"_s, u"Artist"_s,    {},    u"00:01"_s, {}, {},
                           {},   folder,      u"local.orv"_s, u"0"_s};
        store.Songs.append(r);
    };
    cached(u"a.mp3"_s, music + u'/');
    cached(u"x.mp3"_s, music + u"/closed/"_s);
    cached(u"gone.mp3"_s, music + u'/');
    const QString file = dir.file(u"file"_s);
    ASSERT_TRUE(test::WriteFile(file, "not a folder"));
    const QString recycle = dir.file(u"recycle"_s);

    // Missing, a file where the folder should be, a folder that cannot be listed: only said.
    SetFolderListingFailureForTests([&](const QString& f) { return f == music + u'/'; });
    for (const QString& base : {dir.file(u"unmounted"_s), file, music})
        EXPECT_FALSE(RefreshDatabase(store, prompts, nullptr, base, recycle, {}));
    ASSERT_EQ(prompts.shown().size(), 3u);
    for (const auto& shown : prompts.shown())
        EXPECT_EQ(shown.kind, PromptKind::Warning);
    EXPECT_TRUE(prompts.texts()[0].startsWith(
        u"The MP3 folder \"%1\" was not found"_s.arg(dir.file(u"unmounted"_s))));
    EXPECT_TRUE(prompts.texts()[1].contains(u"was not found"_s));
    EXPECT_TRUE(
        prompts.texts()[2].startsWith(u"The MP3 folder \"%1\" cannot be read"_s.arg(music)));
    EXPECT_EQ(store.Songs.size(), 3);

    // A sub-folder that cannot be listed keeps its records as they were.
    const QString closed = music + u"/closed/"_s;
    SetFolderListingFailureForTests([closed](const QString& f) { return f == closed; });
    EXPECT_TRUE(RefreshDatabase(store, prompts, nullptr, music, recycle, {}));
    SetFolderListingFailureForTests({});
    EXPECT_EQ(FileNames(), (QStringList{u"a.mp3"_s, u"x.mp3"_s}));
    EXPECT_EQ(store.Songs[0].NewFlag, u"1");
    EXPECT_EQ(store.Songs[1].NewFlag, u"0");
    EXPECT_EQ(store.Songs[1].Title, u"Cached");
    EXPECT_TRUE(store.Browse.Artists.Contains(u"Artist"_s));
    EXPECT_EQ(LoggedPaths(), QStringList{music + u"/a.mp3"_s});
}

} // namespace
} // namespace orvane
