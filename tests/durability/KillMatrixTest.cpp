// Every writer of the program, killed at 200 points of its run and starved of disk space at 50:
// each runs for real in a child process whose file writes go through WriteFaults. Afterwards
// every file is its complete old or its complete new content, nothing is lost, no leftover
// would be read at the next start, and a write that failed said so and kept the old file.

#include "durability/WriteFaults.h"

#include "exchange/CollectionFileExport.h"
#include "exchange/ImportedCollections.h"
#include "exchange/PlainTextReport.h"
#include "platform/FileMoves.h"
#include "platform/ProfileFile.h"
#include "platform/RegistryFile.h"
#include "playback/TXaudioPlayer.h"
#include "playback/WavExport.h"
#include "playlists/NewSongsLog.h"
#include "playlists/PlaylistFile.h"
#include "playlists/RandomPlaylist.h"
#include "store/CacheFile.h"
#include "store/Mp3FileNames.h"
#include "store/MpegAudio.h"
#include "store/SongStore.h"
#include "store/TagEditor.h"
#include "support/FileBytes.h"
#include "support/Id3v2Fixture.h"
#include "support/MpegFixture.h"
#include "support/ScriptedPrompts.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QTemporaryDir>
#include <algorithm>
#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <sys/wait.h>
#include <unistd.h>

namespace orvane::test {
namespace {

using namespace Qt::StringLiterals;

// Every file under a folder (hidden ones too), by path relative to it.
using Files = std::map<QString, QByteArray>;

struct Writer {
    const char* name;
    // The file the write is about, relative to the folder; it exists before.
    QString target;
    // Makes the state before the write in an empty folder.
    std::function<void(const QString& dir)> prepare;
    // Runs the write; true when it reports success.
    std::function<bool(const QString& dir, ScriptedPrompts& prompts)> write;
    // Names the next start never reads (temporary and part files).
    std::function<bool(const QString& relative)> ignoredAtStart = [](const QString&) {
        return false;
    };
    // What the user is told when the write fails; empty when the writer hands its failure to
    // its caller, which reports it.
    QString failureMessage = {};
    // Writes into the file in place with one system call (a tag, a log line): a kill inside
    // that call may leave the new bytes up to some point and the old ones after it.
    bool inPlace = false;
    // Only overwrites bytes the file has: a full disk cannot stop it.
    bool needsNoSpace = false;
    // True when the files must still hold the song being moved.
    std::function<bool(const Files&)> nothingLost = [](const Files&) {
        return true;
    };
};

// Every file under a folder (hidden ones too), split into those the next start reads and the
// leftovers it ignores.
Files Snapshot(const QString& dir, const Writer& writer, QStringList* leftovers = nullptr) {
    Files files;
    QDirIterator it(dir, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString relative = QDir(dir).relativeFilePath(it.next());
        if (!writer.ignoredAtStart(relative))
            files[relative] = ReadFile(it.filePath());
        else if (leftovers)
            leftovers->append(relative);
    }
    return files;
}

void Reset(const QString& dir, const Writer& writer) {
    QDir(dir).removeRecursively();
    QDir().mkpath(dir);
    writer.prepare(dir);
}

struct ChildResult {
    bool killed = false;
    bool reportedSuccess = false;
    QString shown; // the prompts' texts
    int64_t steps = 0;
    int64_t bytes = 0;
    int64_t unflushedRenames = 0;
};

// Runs the writer in a child process under the fault.
ChildResult RunChild(const QString& dir, const Writer& writer, WriteFault fault, int64_t budget) {
    int channel[2];
    if (::pipe(channel) != 0)
        return {};
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(channel[0]);
        ScriptedPrompts prompts;
        ArmWriteFault(fault, budget);
        const bool ok = writer.write(dir, prompts);
        const int64_t counts[] = {WriteFaultSteps(), WriteFaultBytes(),
                                  WriteFaultUnflushedRenames(), ok ? 1 : 0};
        ArmWriteFault(WriteFault::Off);
        QByteArray report;
        for (const int64_t count : counts)
            report += QByteArray::number(qlonglong(count)) + ' ';
        report += prompts.texts().join(u'|').toUtf8();
        [[maybe_unused]] const ssize_t n =
            ::write(channel[1], report.data(), size_t(report.size()));
        ::_exit(0);
    }
    ::close(channel[1]);
    QByteArray report;
    char buffer[4096];
    for (ssize_t n; (n = ::read(channel[0], buffer, sizeof buffer)) > 0;)
        report.append(buffer, n);
    ::close(channel[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    ChildResult result;
    result.killed = WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
    const QList<QByteArray> parts = report.split(' ');
    if (!result.killed && parts.size() >= 5) {
        result.steps = parts[0].toLongLong();
        result.bytes = parts[1].toLongLong();
        result.unflushedRenames = parts[2].toLongLong();
        result.reportedSuccess = parts[3] == "1";
        qsizetype counts = 0;
        for (int i = 0; i < 4; ++i)
            counts += parts[i].size() + 1;
        result.shown = QString::fromUtf8(report.mid(counts));
    }
    return result;
}

// now == the new bytes up to some point, then the old ones (a write cut inside one call).
bool Torn(const QByteArray& now, const QByteArray& before, const QByteArray& after) {
    qsizetype split = 0;
    while (split < now.size() && split < after.size() && now[split] == after[split])
        ++split;
    return now.size() == std::max(split, before.size()) && now.mid(split) == before.mid(split);
}

// Each file is whole in its old or its new state ("missing" being a state too).
std::optional<QString> Mixed(const Files& now, const Files& before, const Files& after,
                             bool inPlace) {
    std::map<QString, int> names;
    for (const Files* files : {&now, &before, &after})
        for (const auto& [name, bytes] : *files)
            names[name] = 0;
    const auto at = [](const Files& files, const QString& name) -> std::optional<QByteArray> {
        const auto it = files.find(name);
        return it == files.end() ? std::nullopt : std::optional<QByteArray>(it->second);
    };
    for (const auto& [name, unused] : names) {
        const auto n = at(now, name), b = at(before, name), a = at(after, name);
        if (n == b || n == a)
            continue;
        if (inPlace && n && b && a && Torn(*n, *b, *a))
            continue;
        return name;
    }
    return std::nullopt;
}

// The budgets at which the run is cut: count of them spread evenly over steps 0..total.
std::vector<int64_t> Points(int64_t total, int count) {
    std::vector<int64_t> points;
    for (int i = 0; i < count; ++i) {
        const int64_t point = count == 1 ? 0 : total * i / (count - 1);
        if (points.empty() || points.back() != point)
            points.push_back(point);
    }
    return points;
}

void Check(const Writer& writer) {
    SCOPED_TRACE(writer.name);
    // On a memory file system where there is one: flushing to a disk proves nothing here.
    const QString base = QFileInfo(u"/dev/shm"_s).isWritable() ? u"/dev/shm"_s : QDir::tempPath();
    QTemporaryDir temp(base + u"/orvane-kill-XXXXXX"_s);
    const QString dir = temp.filePath(u"w"_s);
    Reset(dir, writer);
    const Files before = Snapshot(dir, writer);
    const ChildResult full = RunChild(dir, writer, WriteFault::Count, 0);
    ASSERT_TRUE(full.reportedSuccess) << full.shown.toStdString();
    const Files after = Snapshot(dir, writer);
    ASSERT_NE(before, after);
    ASSERT_GT(full.steps, 0);
    ASSERT_EQ(full.bytes == 0, writer.needsNoSpace) << full.bytes << " bytes needed space";
    EXPECT_EQ(full.unflushedRenames, 0) << "a file was renamed before its bytes were on disk";

    // The last steps, where a write flushes, renames and removes its files, each get a kill of
    // their own: spread over a run of thousands of bytes, the points would step over them.
    std::vector<int64_t> kills = Points(full.steps, 200);
    for (int64_t step = std::max<int64_t>(0, full.steps - 8); step < full.steps; ++step)
        kills.push_back(step);
    std::sort(kills.begin(), kills.end());
    kills.erase(std::unique(kills.begin(), kills.end()), kills.end());
    for (int64_t budget : kills) {
        Reset(dir, writer);
        const ChildResult run = RunChild(dir, writer, WriteFault::Kill, budget);
        QStringList leftovers;
        const Files now = Snapshot(dir, writer, &leftovers);
        EXPECT_TRUE(run.killed || budget >= full.steps) << "killed at " << budget;
        // The walks of the song folders must not take a leftover for a song.
        for (const QString& leftover : leftovers)
            EXPECT_FALSE(IsMp3FileName(leftover.section(u'/', -1)))
                << "killed at " << budget << ", " << leftover.toStdString() << " reads as a song";
        if (const auto name = Mixed(now, before, after, writer.inPlace))
            ADD_FAILURE() << "killed at step " << budget << " of " << full.steps << ": "
                          << name->toStdString() << " is neither old nor new";
        EXPECT_TRUE(writer.nothingLost(now)) << "killed at " << budget;
    }

    // A write that fails says so, keeps the target as it was and leaves no scratch file.
    const auto failed = [&](const ChildResult& run, const std::string& what) {
        QStringList leftovers;
        const Files now = Snapshot(dir, writer, &leftovers);
        if (run.reportedSuccess) {
            ADD_FAILURE() << what << " reported as success";
            return;
        }
        // Files written before the one that failed (a backup) may stay; the target may not change.
        if (const auto name = Mixed(now, before, after, false))
            ADD_FAILURE() << what << ": " << name->toStdString() << " is neither old nor new";
        EXPECT_TRUE(now.contains(writer.target) &&
                    now.at(writer.target) == before.at(writer.target))
            << what << " changed " << writer.target.toStdString();
        EXPECT_TRUE(leftovers.isEmpty()) << what << " left " << leftovers.join(u' ').toStdString();
        if (!writer.failureMessage.isEmpty()) {
            EXPECT_TRUE(run.shown.contains(writer.failureMessage))
                << what << ", shown: " << run.shown.toStdString();
        }
    };
    for (int64_t budget :
         writer.needsNoSpace ? std::vector<int64_t>() : Points(full.bytes - 1, 50)) {
        Reset(dir, writer);
        failed(RunChild(dir, writer, WriteFault::NoSpace, budget),
               "disk full at byte " + std::to_string(budget));
    }
    // From each flush of the run on, the flushes fail, until a run has no more. A file whose
    // flush failed is never put in place; the write may still succeed when what failed was not
    // its file's flush (a folder's, after the file was in place).
    for (int64_t flush = 0;; ++flush) {
        Reset(dir, writer);
        const ChildResult run = RunChild(dir, writer, WriteFault::SyncFails, flush);
        if (run.steps <= flush)
            break;
        const std::string what = "flush " + std::to_string(flush) + " failed";
        EXPECT_EQ(run.unflushedRenames, 0) << what << ", the file was put in place all the same";
        if (!run.reportedSuccess)
            failed(run, what);
        ASSERT_LT(flush, 20) << "a write that never ends flushing";
    }
}

SongRecord Song(int i) {
    SongRecord r;
    r.FileName = u"track %1.mp3"_s.arg(i);
    r.Title = u"Title %1 \u00e9t\u00e9"_s.arg(i);
    r.Artist = u"Artist"_s;
    r.Album = u"Album %1"_s.arg(i % 3);
    r.Duration = u"03:0%1"_s.arg(i % 10);
    r.Year = u"1999"_s;
    r.Genre = u"Rock"_s;
    r.Folder = u"/music/rock/"_s;
    return r;
}

std::vector<SongRecord> Songs(int count, int first = 0) {
    std::vector<SongRecord> songs;
    for (int i = first; i < first + count; ++i)
        songs.push_back(Song(i));
    return songs;
}

bool SaveSongs(const QString& path, int count, int first = 0) {
    const std::vector<SongRecord> songs = Songs(count, first);
    return SaveCacheFile(path, songs);
}

QByteArray Mp3(const QByteArray& tag) {
    return MakeMpegStream({.frames = 6}) + tag;
}

bool QSaveFileTemp(const QString& relative) {
    // QSaveFile's named temporary: "<name>.XXXXXX" beside the file.
    const QString name = relative.section(u'/', -1);
    return name.contains(u'.') && name.section(u'.', -1).size() == 6 && !name.endsWith(u".m3u"_s) &&
           !name.endsWith(u".orv"_s) && !name.endsWith(u".ini"_s) && !name.endsWith(u".reg"_s);
}

// Exports "mix.mp3 edit.mp3" into out/ the way the export window does: the real engine writes the
// WAV file on its own thread, the export is driven by the events of this child's own loop.
bool ExportWav(const QString& dir, ScriptedPrompts& prompts) {
    int argc = 1;
    char name[] = "kill_matrix_tests";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    TXaudioPlayer writer(nullptr, prompts);
    TWavExport exporter(writer, prompts); // the questions get Yes: the old WAV file is replaced
    std::optional<QStringList> failed;
    QObject::connect(&exporter, &TWavExport::finished,
                     [&](const QStringList& songs) { failed = songs; });
    exporter.Start(dir + u"/out"_s, {dir + u"/mix.mp3 edit.mp3"_s});
    while (!failed)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return failed->isEmpty();
}

const std::vector<Writer>& Writers() {
    static const std::vector<Writer> writers = {
        {.name = "cache file local.orv",
         .target = u"local.orv"_s,
         .prepare = [](const QString& d) { SaveSongs(d + u"/local.orv"_s, 4); },
         .write = [](const QString& d,
                     ScriptedPrompts&) { return SaveSongs(d + u"/local.orv"_s, 6, 10); },
         .ignoredAtStart = QSaveFileTemp},
        {.name = "imported collection",
         .target = u"lib/cd.orv"_s,
         .prepare =
             [](const QString& d) {
                 QDir().mkpath(d + u"/lib"_s);
                 QDir().mkpath(d + u"/cd/sub"_s);
                 WriteFile(d + u"/cd/a.mp3"_s, Mp3({}));
                 WriteFile(d + u"/cd/sub/b.mp3"_s, Mp3({}));
                 SaveSongs(d + u"/lib/cd.orv"_s, 1);
             },
         .write =
             [](const QString& d, ScriptedPrompts&) {
                 return ImportCollectionInto(d + u"/lib/"_s, d + u"/cd"_s, u"cd"_s, {}).outcome ==
                        ImportOutcome::Written;
             },
         .ignoredAtStart = QSaveFileTemp},
        {.name = "playlist, song added",
         .target = u"p.m3u"_s,
         .prepare = [](const QString& d) { WriteFile(d + u"/p.m3u"_s, "/a/one.mp3\r\n"); },
         .write =
             [](const QString& d, ScriptedPrompts& prompts) {
                 AppendToPlaylist(d + u"/p.m3u"_s, SongRow::FromRecord(Song(1)), prompts);
                 return prompts.texts().isEmpty();
             },
         .ignoredAtStart = QSaveFileTemp,
         .failureMessage = u"Unable to create updated file"_s},
        {.name = "favourites, song removed",
         .target = u"favourites.orv"_s,
         .prepare =
             [](const QString& d) {
                 WriteFile(d + u"/favourites.orv"_s, "/a/one.mp3\r\n#note\r\n/a/two.mp3\r\n");
             },
         .write =
             [](const QString& d, ScriptedPrompts& prompts) {
                 return RemovePlaylistEntries(d + u"/favourites.orv"_s, d, {u"/a/one.mp3"_s},
                                              prompts);
             },
         .ignoredAtStart = QSaveFileTemp,
         .failureMessage = u"favourites.orv"_s},
        {.name = "temp.m3u",
         .target = u"temp.m3u"_s,
         .prepare = [](const QString& d) { WriteFile(d + u"/temp.m3u"_s, "/old/song.mp3\r\n"); },
         .write =
             [](const QString& d, ScriptedPrompts& prompts) {
                 const std::vector<SongRecord> songs = Songs(5);
                 RandomDraws draws;
                 draws.Random.seed(7);
                 draws.FileTime = [](const QString&) {
                     return std::optional<qint64>(0);
                 };
                 return GenerateRandomPlaylist(CollectionList(songs), {u"60"_s, u"0"_s, {}},
                                               RandomPlaylistPath(d), prompts, draws)
                     .has_value();
             },
         .ignoredAtStart = QSaveFileTemp,
         .failureMessage = u"Unable to create temporary playlist."_s},
        {.name = "new-songs log",
         .target = u"2026-01-02.m3u"_s,
         .prepare = [](const QString& d) { WriteFile(d + u"/2026-01-02.m3u"_s, "/a/old.mp3\r\n"); },
         .write =
             [](const QString& d, ScriptedPrompts& prompts) {
                 NewSongsLog log(d, prompts, [] { return QDate(2026, 1, 2); });
                 log.AppendToNewSongsLog(Song(7));
                 return prompts.texts().isEmpty();
             },
         .failureMessage = u"Unable to create updated file"_s,
         .inPlace = true},
        {.name = "covers.ini",
         .target = u"covers.ini"_s,
         .prepare =
             [](const QString& d) {
                 WriteFile(d + u"/covers.ini"_s, "[covers]\r\nA - B=/p/b.jpg\r\n");
             },
         .write =
             [](const QString& d, ScriptedPrompts&) {
                 ProfileFile ini(d + u"/covers.ini"_s);
                 return ini.WriteString(u"covers"_s, u"Artist - Album"_s, u"/p/cover.jpg"_s) ==
                        ProfileFile::WriteStatus::Written;
             },
         .ignoredAtStart = QSaveFileTemp},
        {.name = "registry.reg, damaged file kept as backup",
         .target = u"registry.reg"_s,
         .prepare =
             [](const QString& d) {
                 WriteFile(d + u"/registry.reg"_s, "Windows Registry Editor Version 5.00\r\n\r\n"
                                                   "[HKEY_CURRENT_USER\\software]\r\nbroken\r\n");
             },
         .write =
             [](const QString& d, ScriptedPrompts&) {
                 RegistryFile reg(d + u"/registry.reg"_s);
                 reg.WriteInteger(u"HKEY_CURRENT_USER\\software\\brimtove\\orvane"_s,
                                  u"SelectWidth"_s, 120);
                 return reg.Flush();
             },
         .ignoredAtStart = QSaveFileTemp},
        {.name = "ID3v1 tag replaced",
         .target = u"s.mp3"_s,
         .prepare =
             [](const QString& d) {
                 WriteFile(d + u"/s.mp3"_s,
                           Mp3(MakeId3v1(u"Old"_s, u"A"_s, u"B"_s, u"1990"_s, {}, 1, 17)));
             },
         .write =
             [](const QString& d, ScriptedPrompts&) {
                 TMPEGAudio mpeg;
                 mpeg.SetFileName(d + u"/s.mp3"_s);
                 mpeg.SetTitle(u"New title"_s);
                 return mpeg.WriteTag() == 0;
             },
         .inPlace = true,
         .needsNoSpace = true},
        {.name = "ID3v1 tag added",
         .target = u"s.mp3"_s,
         .prepare = [](const QString& d) { WriteFile(d + u"/s.mp3"_s, Mp3({})); },
         .write =
             [](const QString& d, ScriptedPrompts&) {
                 TMPEGAudio mpeg;
                 mpeg.SetFileName(d + u"/s.mp3"_s);
                 mpeg.SetArtist(u"Someone"_s);
                 return mpeg.WriteTag() == 0;
             },
         .inPlace = true},
        {.name = "ID3v2 and ID3v1 tags saved through a copy",
         .target = u"both.mp3"_s,
         .prepare =
             [](const QString& d) {
                 using test::TextEncoding;
                 const QByteArray v2 = test::MakeId3v2Tag(
                     3,
                     {test::TextFrame("TIT2", TextEncoding::Latin1, u"Old title"_s),
                      test::TextFrame("TPE1", TextEncoding::Utf16Bom, u"Old Artist"_s)},
                     false, 8);
                 WriteFile(d + u"/both.mp3"_s,
                           v2 + Mp3(MakeId3v1(u"Old title"_s, u"Old Artist"_s, {}, {}, {}, 0, 0)));
             },
         .write =
             [](const QString& d, ScriptedPrompts&) {
                 SongStore store;
                 TagUndo undo;
                 const TagTarget song{u"both.mp3"_s, d + u'/'};
                 AddSongFile(store, song.Path());
                 store.Mpeg.SetFileName(song.Path());
                 TagFields fields = FieldsOfFile(store.Mpeg);
                 // Longer than the tag's padding: the ID3v2 tag grows and moves the audio.
                 fields.Artist = u"The New Artist With A Long Name"_s;
                 return SaveTags(store, {song}, fields, false, undo).Failed == 0;
             },
         .ignoredAtStart =
             [](const QString& r) {
                 return r.endsWith(u".orvane-tag"_s);
             }},
        {.name = "plain-text report",
         .target = u"report.txt"_s,
         .prepare =
             [](const QString& d) { WriteFile(d + u"/report.txt"_s, "an earlier report\r\n"); },
         .write =
             [](const QString& d, ScriptedPrompts&) {
                 const std::vector<SongRecord> songs = Songs(40);
                 return WritePlainTextReport(d + u"/report.txt"_s, CollectionList(songs),
                                             ReportGrouping::Album, DetailLevel::All, u"now"_s)
                            .outcome == ExportOutcome::Written;
             },
         .ignoredAtStart = QSaveFileTemp},
        {.name = "collection file exported",
         .target = u"out.orv"_s,
         .prepare =
             [](const QString& d) {
                 SaveSongs(d + u"/local.orv"_s, 6);
                 SaveSongs(d + u"/out.orv"_s, 2, 20);
             },
         .write =
             [](const QString& d, ScriptedPrompts&) {
                 return WriteCollectionFile(d + u"/local.orv"_s, d + u"/out.orv"_s,
                                            u"ann@example.org"_s)
                            .outcome == ExportOutcome::Written;
             },
         .ignoredAtStart = QSaveFileTemp},
        {.name = "WAV export over an earlier one",
         .target = u"out/mix.mp3 edit.wav"_s,
         .prepare =
             [](const QString& d) {
                 QDir().mkpath(d + u"/out"_s);
                 // ".mp3" inside the name: its scratch file would pass for a song by the name.
                 WriteFile(d + u"/mix.mp3 edit.mp3"_s, Mp3({}));
                 WriteFile(d + u"/out/mix.mp3 edit.wav"_s, "RIFF, an earlier export");
             },
         .write = ExportWav,
         .ignoredAtStart = [](const QString& r) { return r.endsWith(u".wav.part"_s); },
         .failureMessage = u"could not be exported to WAV files"_s},
        {.name = "file moved to another file system",
         .target = u"from/s.mp3"_s,
         .prepare =
             [](const QString& d) {
                 QDir().mkpath(d + u"/from"_s);
                 QDir().mkpath(d + u"/to"_s);
                 WriteFile(d + u"/from/s.mp3"_s, Mp3(QByteArray(3000, 'x')));
             },
         .write =
             [](const QString& d, ScriptedPrompts&) {
                 SimulateCrossDeviceRenames(true);
                 QString error;
                 return MoveSongFile(d + u"/from/s.mp3"_s, d + u"/to/s.mp3"_s, &error);
             },
         .ignoredAtStart = [](const QString& r) { return r.contains(u".part-"_s); },
         .nothingLost =
             [](const Files& files) {
                 return files.contains(u"from/s.mp3"_s) || files.contains(u"to/s.mp3"_s);
             }},
    };
    return writers;
}

TEST(KillMatrix, EveryWriterLeavesOldOrNewFilesWhenKilledOrOutOfSpace) {
    for (const Writer& writer : Writers())
        Check(writer);
}

} // namespace
} // namespace orvane::test
