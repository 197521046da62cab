#include "store/Scanner.h"

#include "platform/DirectoryWalk.h"
#include "playlists/NewSongsLog.h"
#include "store/RecycledSongs.h"
#include "support/EventLoop.h"
#include "support/Id3v2Fixture.h"
#include "support/MpegFixture.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <algorithm>
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
        store.OnNewSongs = [this](std::span<const SongRecord> added) {
            log.AppendToNewSongsLog(added);
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

// The scanner reads on its own thread with the tag reading it was given and hands the GUI
// thread batches in the order of the walk, with files and folders it could not read told in
// that order too; a file the collection holds is not read again.
TEST_F(ScannerTest, BackgroundScanHandsReadSongsOverInBatchesInWalkOrder) {
    constexpr int kSongs = 150;
    for (int i = 0; i < kSongs; ++i)
        Mp3(u"album%1/track%2.mp3"_s.arg(i % 3).arg(i, 3, 10, QChar(u'0')));
    ASSERT_TRUE(test::WriteFile(music + u"/album1/broken.mp3"_s, QByteArray(2000, 'x')));
    Mp3(u"album1/closed/lost.mp3"_s);
    Mp3(u"album2/closed/lost.mp3"_s);
    SetFolderListingFailureForTests([](const QString& f) { return f.endsWith(u"/closed/"_s); });
    ASSERT_TRUE(test::WriteFile(
        music + u"/tagged.mp3"_s,
        test::MakeId3v2Tag(3, {test::TextFrame("TIT2", test::TextEncoding::Latin1, u"Two"_s)}) +
            test::MakeMpegStream(test::StreamOptions{}) +
            test::MakeId3v1(u"One"_s, {}, {}, {}, {}, 0, 0)));
    const SongRecord cached{
        u"track000.mp3"_s,     u"Cached"_s,    {},    {}, u"00:01"_s, {}, {}, {},
        music + u"/album0/"_s, u"local.orv"_s, u"0"_s};
    store.Songs.append(cached);
    std::vector<std::pair<QString, UnreadableKind>> unreadable;
    store.OnUnreadable = [&](const QString& path, UnreadableKind kind) {
        unreadable.emplace_back(path, kind);
    };

    const Qt::HANDLE guiThread = QThread::currentThreadId();
    std::vector<size_t> batches;
    bool finished = false;
    // The choice is the scan's own: the program's (ID3v2 only without ID3v1) is not used.
    TUpdateThread scanner(
        music, TagReading{Id3v2Use::Prefer, kLatin1CodePage},
        [&](const QString& path) {
            EXPECT_EQ(QThread::currentThreadId(), guiThread);
            return HoldsSongFile(store, path);
        },
        [&](std::vector<SongFileRead>& batch) {
            EXPECT_EQ(QThread::currentThreadId(), guiThread);
            batches.push_back(batch.size());
            AddReadSongs(store, batch);
        });
    // Received on this thread, as the program receives them.
    QObject::connect(&scanner, &TUpdateThread::Finished, &App(), [&] { finished = true; });
    QObject::connect(&scanner, &TUpdateThread::UnreadableFolder, &App(), [&](const QString& f) {
        unreadable.emplace_back(f, UnreadableKind::FolderNotReadable);
    });
    EXPECT_FALSE(scanner.IsRunning());
    scanner.Start();
    EXPECT_TRUE(scanner.IsRunning());
    ProcessUntil([&] { return finished; });
    EXPECT_FALSE(scanner.IsRunning());

    size_t handed = 0;
    for (size_t b : batches) {
        EXPECT_LE(b, size_t(kScanBatch));
        handed += b;
    }
    EXPECT_EQ(handed, size_t(kSongs + 2)); // every song file once, known or not
    EXPECT_LE(batches.size(), handed / 8) << "handed over file by file";
    EXPECT_EQ(store.Songs[0].Title, u"Cached");      // held already: not read again, not logged
    EXPECT_EQ(LoggedPaths().size(), size_t(kSongs)); // the new ones and tagged.mp3
    ASSERT_EQ(unreadable.size(), 3u);                // broken.mp3 and the two closed folders
    EXPECT_EQ(std::count(unreadable.begin(), unreadable.end(),
                         std::pair{music + u"/album1/broken.mp3"_s, UnreadableKind::NotMpegAudio}),
              1);
    const qsizetype tagged = store.Songs.FindFile(u"tagged.mp3"_s, music + u'/');
    ASSERT_GE(tagged, 0);
    EXPECT_EQ(store.Songs[tagged].Title, u"Two");

    // The same songs and reports in the same order as the full rescan gives them.
    const QStringList scanned = FileNames();
    const auto reported = unreadable;
    ClearCollection(store);
    unreadable.clear();
    store.Songs.append(cached);
    QStringList folders;
    FullRescan(store, music, nullptr, &folders);
    SetFolderListingFailureForTests({});
    EXPECT_EQ(scanned, FileNames());
    EXPECT_EQ(reported, unreadable);
}

// What the scanner has read is never lost: a stop ends the walk, and the batches read until
// then still go in, also when the scanner is stopped from outside with batches queued.
TEST_F(ScannerTest, StoppingEndsTheWalkAndKeepsWhatWasRead) {
    constexpr int kSongs = 400;
    for (int i = 0; i < kSongs; ++i)
        Mp3(u"t%1.mp3"_s.arg(i, 3, 10, QChar(u'0')));
    const auto known = [&](const QString& path) {
        return HoldsSongFile(store, path);
    };
    qsizetype handed = 0;
    bool stoppedInside = true;
    std::unique_ptr<TUpdateThread> scanner;
    scanner = std::make_unique<TUpdateThread>(music, TagReading{}, known,
                                              [&](std::vector<SongFileRead>& batch) {
                                                  AddReadSongs(store, batch);
                                                  if (handed == 0) {
                                                      // From inside a hand-over the scanner cannot
                                                      // be waited for: it is only asked.
                                                      stoppedInside = scanner->Stop();
                                                  }
                                                  handed += qsizetype(batch.size());
                                              });
    scanner->Start();
    ProcessUntil([&] { return !scanner->IsRunning(); });
    EXPECT_FALSE(stoppedInside);
    EXPECT_GE(handed, kScanBatch);
    // The batch handed over, the one being read at the stop, and none after them.
    EXPECT_LE(handed, 2 * kScanBatch);
    EXPECT_EQ(store.Songs.size(), handed);
    EXPECT_EQ(FileNames().first(), u"t000.mp3");

    // Stopping from outside, queued right after the first hand-over: it returns only when what
    // was read is in, with no events processed after it.
    ClearCollection(store);
    handed = 0;
    std::optional<qsizetype> songsAtStop;
    TUpdateThread other(music, TagReading{}, known, [&](std::vector<SongFileRead>& batch) {
        AddReadSongs(store, batch);
        if (handed == 0)
            QMetaObject::invokeMethod(
                &App(),
                [&] {
                    EXPECT_TRUE(StopBackgroundScan(&other));
                    songsAtStop = store.Songs.size();
                },
                Qt::QueuedConnection);
        handed += qsizetype(batch.size());
    });
    other.Start();
    ProcessUntil([&] { return songsAtStop.has_value(); });
    EXPECT_FALSE(other.IsRunning());
    EXPECT_GE(handed, kScanBatch);
    EXPECT_LT(handed, kSongs);
    EXPECT_EQ(*songsAtStop, handed);
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

    std::unique_ptr<TUpdateThread> scanner =
        StartBackgroundScan(store, dir.file(u"none"_s), TagReading{});
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
