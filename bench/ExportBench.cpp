// The exports at the size of a large library: the plain-text report of 100,000 songs by 4,000
// artists on 9,000 albums in 80 genres, at each grouping and at the widest detail level, written
// to a file; and the collection file made from a local.orv of the same songs.

#include "GeneratedCollection.h"
#include "exchange/CollectionFileExport.h"
#include "exchange/PlainTextReport.h"
#include "store/CacheFile.h"
#include "store/Id3Tags.h"
#include "support/TempDir.h"

#include <benchmark/benchmark.h>

namespace {

using namespace Qt::StringLiterals;

constexpr int kSongs = 100000;

struct Library {
    orvane::test::TempDir dir;
    std::vector<orvane::SongRecord> songs = orvane::bench::GeneratedRecords(kSongs);

    Library() {
        for (int i = 0; i < kSongs; ++i) {
            orvane::SongRecord& song = songs[size_t(i)];
            // Every other song spells its artist upper-cased: one group, two spellings.
            song.Artist = (i % 2 ? u"ARTIST "_s : u"Artist "_s) + QString::number(i % 4000);
            song.Album = u"Album "_s + QString::number(i % 9000);
            song.Genre = orvane::GenreName(uint8_t(i % orvane::kGenreCount));
        }
        orvane::SaveCacheFile(dir.file(u"local.orv"_s), songs);
    }
};

Library& Lib() {
    static Library library;
    return library;
}

void BM_PlainTextReport(benchmark::State& state) {
    const auto grouping = orvane::ReportGrouping(state.range(0));
    const QString target = Lib().dir.file(u"report.txt"_s);
    const orvane::CollectionList songs(Lib().songs);
    orvane::PlainTextExport result;
    for (auto _ : state) {
        result = orvane::WritePlainTextReport(target, songs, grouping, orvane::DetailLevel::All,
                                              u"now"_s);
        benchmark::DoNotOptimize(result.outcome);
    }
    if (result.outcome != orvane::ExportOutcome::Written)
        state.SkipWithError("the report was not written");
    state.SetLabel(orvane::GroupingEntry(grouping).toStdString());
}
BENCHMARK(BM_PlainTextReport)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

void BM_CollectionFileExport(benchmark::State& state) {
    const QString target = Lib().dir.file(u"mycollection.orv"_s);
    orvane::CollectionFileExport result;
    for (auto _ : state) {
        result = orvane::WriteCollectionFile(Lib().dir.file(u"local.orv"_s), target,
                                             u"me@example.org"_s);
        benchmark::DoNotOptimize(result.outcome);
    }
    if (result.outcome != orvane::ExportOutcome::Written)
        state.SkipWithError("the collection file was not written");
}
BENCHMARK(BM_CollectionFileExport)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    Lib(); // the songs and local.orv are made before any timing
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
