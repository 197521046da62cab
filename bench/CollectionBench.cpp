// The collection at the size of a large library: reading and writing local.orv, and adding
// songs with the duplicate test.

#include "GeneratedCollection.h"
#include "store/CacheFile.h"
#include "support/TempDir.h"

#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr int kSongs = 100000;

const std::vector<orvane::SongRecord>& Records() {
    static const std::vector<orvane::SongRecord> records = orvane::bench::GeneratedRecords(kSongs);
    return records;
}

void BM_SaveCacheFile(benchmark::State& state) {
    orvane::test::TempDir dir;
    const QString path = dir.file(QStringLiteral("local.orv"));
    for (auto _ : state)
        benchmark::DoNotOptimize(orvane::SaveCacheFile(path, Records()));
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
