// The collection at the size of a large library (ORVANE_BENCH_SONGS songs, 100,000 unless set):
// reading and writing local.orv, the first look-up after a load (which indexes every song), and
// adding songs with the duplicate test.

#include "GeneratedCollection.h"
#include "store/CacheFile.h"
#include "support/TempDir.h"

#include <benchmark/benchmark.h>
#include <memory>

namespace {

const std::vector<orvane::SongRecord>& Records() {
    static const std::vector<orvane::SongRecord> records =
        orvane::bench::GeneratedRecords(orvane::bench::BenchSongs(100000));
    return records;
}

// As the program saves: from the collection list, written and flushed to the disk.
void BM_SaveCacheFile(benchmark::State& state) {
    orvane::test::TempDir dir;
    const QString path = dir.file(QStringLiteral("local.orv"));
    const orvane::CollectionList list(Records());
    for (auto _ : state)
        benchmark::DoNotOptimize(orvane::SaveCacheFile(path, list));
}
BENCHMARK(BM_SaveCacheFile)->Unit(benchmark::kMillisecond);

void BM_LoadCacheFile(benchmark::State& state) {
    orvane::test::TempDir dir;
    const QString path = dir.file(QStringLiteral("local.orv"));
    orvane::SaveCacheFile(path, Records());
    for (auto _ : state) {
        auto list = std::make_unique<orvane::CollectionList>();
        auto browse = std::make_unique<orvane::BrowseLists>();
        benchmark::DoNotOptimize(orvane::LoadCacheFile(path, *list, true, *browse).added);
        state.PauseTiming(); // freeing the records happens at exit, not at start-up
        list.reset();
        browse.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_LoadCacheFile)->Unit(benchmark::kMillisecond);

// A load leaves the index of file names to the first look-up (the background scan's first
// question), which indexes every song in one pass.
void BM_FirstLookUpAfterLoad(benchmark::State& state) {
    orvane::test::TempDir dir;
    const QString path = dir.file(QStringLiteral("local.orv"));
    orvane::SaveCacheFile(path, Records());
    for (auto _ : state) {
        state.PauseTiming();
        auto list = std::make_unique<orvane::CollectionList>();
        orvane::BrowseLists browse;
        orvane::LoadCacheFile(path, *list, true, browse);
        state.ResumeTiming();
        benchmark::DoNotOptimize(list->FindFile(QStringLiteral("x.mp3"), QStringLiteral("/x/")));
        state.PauseTiming();
        list.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FirstLookUpAfterLoad)->Unit(benchmark::kMillisecond);

// What AddSongFile does per song once the file is read: the duplicate test, the append and the
// browse keys.
void BM_InsertWithDuplicateTest(benchmark::State& state) {
    const auto& records = Records();
    for (auto _ : state) {
        auto list = std::make_unique<orvane::CollectionList>();
        auto browse = std::make_unique<orvane::BrowseLists>();
        for (const orvane::SongRecord& r : records) {
            if (list->FindFile(r.FileName, r.Folder) >= 0)
                continue;
            orvane::RegisterBrowseKeys(*browse, r);
            list->append(r);
        }
        benchmark::DoNotOptimize(list->size());
        state.PauseTiming();
        list.reset();
        browse.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_InsertWithDuplicateTest)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
