// The collection walks over 10,000 generated MP3 files (page cache warm): the full rescan on
// the calling thread, and the background scan reading on its own thread and handing batches of
// records to this thread, both adding every song and logging it as new; and the background scan
// over a collection that already holds every file, which must add and log nothing. Beside them, the
// same walk reading every file's tags and audio properties with TagLib, the yardstick the
// background scan is measured against (CPU time is the whole process's, both threads). Then the
// full rescan of 10,000 files that carry only an ID3v2 tag with a 300 KB picture, read through
// TagLib.

#include "platform/DirectoryWalk.h"
#include "playlists/NewSongsLog.h"
#include "store/Scanner.h"
#include "support/Id3v2Fixture.h"
#include "support/MpegFixture.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <benchmark/benchmark.h>
#include <taglib/mpegfile.h>
#include <taglib/tag.h>

namespace {

using namespace Qt::StringLiterals;

constexpr int kFolders = 100;
constexpr int kFilesPerFolder = 100;
constexpr int kFiles = kFolders * kFilesPerFolder;

// The generated collection, made once: artist folders of tagged songs, with a cover beside them.
const QString& Collection() {
    static orvane::test::TempDir dir;
    static const QString root = [] {
        const QString music = dir.file(u"music"_s);
        const QByteArray stream = orvane::test::MakeMpegStream(orvane::test::StreamOptions{});
        for (int f = 0; f < kFolders; ++f) {
            const QString folder = music + u"/Artist %1/Album"_s.arg(f);
            QDir().mkpath(folder);
            orvane::test::WriteFile(folder + u"/cover.jpg"_s, "jpeg");
            for (int i = 0; i < kFilesPerFolder; ++i) {
                const QString title = u"Song %1"_s.arg(i);
                orvane::test::WriteFile(
                    folder + u"/%1 - %2.mp3"_s.arg(i, 3, 10, QChar(u'0')).arg(title),
                    stream + orvane::test::MakeId3v1(title, u"Artist %1"_s.arg(f), u"Album"_s,
                                                     u"1999"_s, u"ripped"_s, 0, 17));
            }
        }
        return music;
    }();
    return root;
}

// 10,000 songs tagged by today's tools: an ID3v2.3 tag with texts and a 300 KB front cover, no
// ID3v1 tag (about 3 GB, made once).
const QString& Id3v2Collection() {
    static orvane::test::TempDir dir;
    static const QString root = [] {
        using orvane::test::TextEncoding;
        using orvane::test::TextFrame;
        const QString music = dir.file(u"music"_s);
        const QByteArray stream = orvane::test::MakeMpegStream(orvane::test::StreamOptions{});
        const QByteArray picture = orvane::test::TinyJpeg() + QByteArray(300 * 1024, '\x5A');
        for (int f = 0; f < kFolders; ++f) {
            const QString folder = music + u"/Artist %1/Album"_s.arg(f);
            QDir().mkpath(folder);
            for (int i = 0; i < kFilesPerFolder; ++i) {
                const QString title = u"Song %1"_s.arg(i);
                const QByteArray tag = orvane::test::MakeId3v2Tag(
                    3,
                    {TextFrame("TIT2", TextEncoding::Utf16Bom, title),
                     TextFrame("TPE1", TextEncoding::Utf16Bom, u"Artist %1"_s.arg(f)),
                     TextFrame("TALB", TextEncoding::Utf16Bom, u"Album"_s),
                     TextFrame("TCON", TextEncoding::Latin1, u"(17)"_s),
                     orvane::test::PictureFrame(3, picture)},
                    false, 2048);
                orvane::test::WriteFile(
                    folder + u"/%1 - %2.mp3"_s.arg(i, 3, 10, QChar(u'0')).arg(title), tag + stream);
            }
        }
        return music;
    }();
    return root;
}

// A store whose new songs go to a new-songs log of its own.
struct LoggedStore {
    orvane::test::TempDir logs;
    orvane::test::ScriptedPrompts prompts;
    orvane::NewSongsLog log{logs.path(), prompts};
    orvane::SongStore store;
    LoggedStore() {
        store.OnNewSongs = [this](std::span<const orvane::SongRecord> added) {
            log.AppendToNewSongsLog(added);
        };
    }
    qint64 LogSize() const { return QFileInfo(log.LogPath(QDate::currentDate())).size(); }
};

void RunBackgroundScan(orvane::SongStore& store) {
    QEventLoop loop;
    const std::unique_ptr<orvane::TUpdateThread> scanner =
        orvane::StartBackgroundScan(store, Collection(), orvane::TagReading{});
    QObject::connect(scanner.get(), &orvane::TUpdateThread::Finished, &loop, &QEventLoop::quit);
    loop.exec();
}

void Rate(benchmark::State& state) {
    state.counters["files/s"] =
        benchmark::Counter(kFiles, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_FullRescan(benchmark::State& state) {
    Collection();
    for (auto _ : state) {
        state.PauseTiming();
        auto target = std::make_unique<LoggedStore>();
        state.ResumeTiming();
        orvane::FullRescan(target->store, Collection(), nullptr);
        if (target->store.Songs.size() != kFiles)
            state.SkipWithError("not every song was added");
        state.PauseTiming();
        target.reset();
        state.ResumeTiming();
    }
    Rate(state);
}
BENCHMARK(BM_FullRescan)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

void BM_BackgroundScanAddingEverything(benchmark::State& state) {
    Collection();
    for (auto _ : state) {
        state.PauseTiming();
        auto target = std::make_unique<LoggedStore>();
        state.ResumeTiming();
        RunBackgroundScan(target->store);
        if (target->store.Songs.size() != kFiles)
            state.SkipWithError("not every song was added");
        state.PauseTiming();
        target.reset();
        state.ResumeTiming();
    }
    Rate(state);
}
BENCHMARK(BM_BackgroundScanAddingEverything)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

// The same walk, each song file opened with TagLib::MPEG::File for its tags and its audio
// properties, on this thread.
void BM_TagLibReadingTheSameFiles(benchmark::State& state) {
    Collection();
    for (auto _ : state) {
        qsizetype read = 0;
        orvane::WalkVisitor visitor;
        visitor.file = [&](const QString& folder, const QString& name) {
            if (!name.endsWith(u".mp3"_s))
                return;
            const QByteArray path = QFile::encodeName(folder + name);
            TagLib::MPEG::File file(path.constData(), true, TagLib::AudioProperties::Average);
            const TagLib::Tag* tag = file.tag();
            const TagLib::AudioProperties* audio = file.audioProperties();
            if (!file.isValid() || !tag || !audio)
                return;
            benchmark::DoNotOptimize(tag->title());
            benchmark::DoNotOptimize(tag->artist());
            benchmark::DoNotOptimize(tag->album());
            benchmark::DoNotOptimize(tag->year());
            benchmark::DoNotOptimize(tag->genre());
            benchmark::DoNotOptimize(tag->comment());
            benchmark::DoNotOptimize(audio->lengthInSeconds());
            ++read;
        };
        orvane::WalkFolders(orvane::ScanRoot(Collection()), orvane::WalkDepth::WholeTree, visitor);
        if (read != kFiles)
            state.SkipWithError("not every file was read");
    }
    Rate(state);
}
BENCHMARK(BM_TagLibReadingTheSameFiles)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

void BM_BackgroundScanOverAKnownCollection(benchmark::State& state) {
    LoggedStore target;
    orvane::FullRescan(target.store, Collection(), nullptr);
    const qint64 logged = target.LogSize();
    for (auto _ : state) {
        RunBackgroundScan(target.store);
        if (target.store.Songs.size() != kFiles || target.LogSize() != logged)
            state.SkipWithError("a known song was added or logged again");
    }
    Rate(state);
}
BENCHMARK(BM_BackgroundScanOverAKnownCollection)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

void BM_FullRescanOfId3v2Songs(benchmark::State& state) {
    Id3v2Collection();
    for (auto _ : state) {
        state.PauseTiming();
        auto target = std::make_unique<LoggedStore>();
        state.ResumeTiming();
        orvane::FullRescan(target->store, Id3v2Collection(), nullptr);
        if (target->store.Songs.size() != kFiles || target->store.Songs[0].Artist.isEmpty() ||
            target->store.Songs[0].Genre != u"Rock")
            state.SkipWithError("not every song was added with its ID3v2 texts");
        state.PauseTiming();
        target.reset();
        state.ResumeTiming();
    }
    Rate(state);
}
BENCHMARK(BM_FullRescanOfId3v2Songs)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
