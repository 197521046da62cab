// The library views and the power search at the size of a large library (100,000 songs unless
// ORVANE_BENCH_SONGS names another count), and the folder view of a folder of 1,000 MP3 files.

#include "GeneratedCollection.h"
#include "browser/LibraryLists.h"
#include "browser/LibraryViews.h"
#include "exchange/PowerSearch.h"
#include "store/CacheFile.h"
#include "support/MpegFixture.h"
#include "support/TempDir.h"

#include <benchmark/benchmark.h>

namespace {

using namespace Qt::StringLiterals;

constexpr int kFolderFiles = 1000;

const QString kGenres[] = {u"Rock"_s,  u"Hard Rock"_s, u"Pop"_s,    u"Jazz"_s,
                           u"Blues"_s, u"Classical"_s, u"Techno"_s, u"Folk"_s};

// Loaded from a cache file as at start-up, so that the records share their repeated values as
// the program's do.
orvane::CollectionList MakeCollection() {
    const int count = orvane::bench::BenchSongs(100000);
    std::vector<orvane::SongRecord> records;
    records.reserve(size_t(count));
    for (int i = 0; i < count; ++i) {
        const QString n = QString::number(i);
        const QString artist = u"Artist "_s + QString::number(i % std::max(3000, count / 25));
        records.push_back({u"track"_s + n + u".mp3"_s, u"Title number "_s + n, artist,
                           u"Album "_s + QString::number(i % std::max(8000, count / 100 * 9)),
                           u"03:41"_s, QString::number(1960 + i % 60), kGenres[i % 8],
                           u"ripped from cd"_s, u"/home/user/Music/"_s + artist + u"/"_s,
                           orvane::kLocalCollection, u"0"_s});
    }
    orvane::test::TempDir dir;
    const QString path = dir.file(u"local.orv"_s);
    orvane::SaveCacheFile(path, records);
    records = {};
    orvane::CollectionList songs;
    orvane::BrowseLists browse;
    orvane::LoadCacheFile(path, songs, true, browse);
    return songs;
}

const orvane::CollectionList& Collection() {
    static const orvane::CollectionList songs = MakeCollection();
    return songs;
}

// Made before any benchmark runs, so that no first iteration pays for it.
[[maybe_unused]] const bool kCollectionMade = !Collection().empty();

void BM_PowerSearchWholeWords(benchmark::State& state) {
    const orvane::DisplayFilter filter;
    orvane::SearchOptions options;
    options.Keywords = u"hard rock"_s;
    orvane::SongRows rows;
    for (auto _ : state)
        benchmark::DoNotOptimize(orvane::SearchCollection(Collection(), options, filter, &rows));
    state.counters["hits"] = double(rows.size());
}
BENCHMARK(BM_PowerSearchWholeWords)->Unit(benchmark::kMillisecond);

void BM_PowerSearchPartWords(benchmark::State& state) {
    const orvane::DisplayFilter filter;
    orvane::SearchOptions options;
    options.Keywords = u"numb 777"_s;
    options.FullWords = false;
    orvane::SongRows rows;
    for (auto _ : state)
        benchmark::DoNotOptimize(orvane::SearchCollection(Collection(), options, filter, &rows));
    state.counters["hits"] = double(rows.size());
}
BENCHMARK(BM_PowerSearchPartWords)->Unit(benchmark::kMillisecond);

void BM_AlbumView(benchmark::State& state) {
    const orvane::DisplayFilter filter;
    orvane::SongRows rows;
    for (auto _ : state) {
        orvane::ShowAlbumSongs(Collection(), u"album 4711"_s, filter, rows);
        benchmark::DoNotOptimize(rows.size());
    }
    state.counters["hits"] = double(rows.size());
}
BENCHMARK(BM_AlbumView)->Unit(benchmark::kMillisecond);

void BM_ArtistView(benchmark::State& state) {
    const orvane::DisplayFilter filter;
    orvane::SongRows rows;
    for (auto _ : state) {
        orvane::ShowArtistSongs(Collection(), u"artist 2711"_s, filter, rows);
        benchmark::DoNotOptimize(rows.size());
    }
    state.counters["hits"] = double(rows.size());
}
BENCHMARK(BM_ArtistView)->Unit(benchmark::kMillisecond);

void BM_RebuildAlbumList(benchmark::State& state) {
    orvane::BrowseList albums;
    orvane::BrowseReadyFlags ready;
    for (auto _ : state)
        benchmark::DoNotOptimize(orvane::RebuildAlbumList(Collection(), albums, ready).size());
    state.counters["entries"] = double(albums.size());
}
BENCHMARK(BM_RebuildAlbumList)->Unit(benchmark::kMillisecond);

void BM_RebuildArtistList(benchmark::State& state) {
    orvane::BrowseList artists;
    orvane::BrowseReadyFlags ready;
    for (auto _ : state)
        benchmark::DoNotOptimize(orvane::RebuildArtistList(Collection(), artists, ready).size());
    state.counters["entries"] = double(artists.size());
}
BENCHMARK(BM_RebuildArtistList)->Unit(benchmark::kMillisecond);

// Every record an album of its own: the sort of the rebuild at its largest.
void BM_RebuildAlbumListAllDistinct(benchmark::State& state) {
    static const orvane::CollectionList songs = [] {
        orvane::CollectionList list;
        for (const orvane::SongRecord& r : Collection()) {
            orvane::SongRecord copy = r;
            copy.Album = r.Title;
            list.append(std::move(copy));
        }
        return list;
    }();
    orvane::BrowseList albums;
    orvane::BrowseReadyFlags ready;
    for (auto _ : state)
        benchmark::DoNotOptimize(orvane::RebuildAlbumList(songs, albums, ready).size());
    state.counters["entries"] = double(albums.size());
}
BENCHMARK(BM_RebuildAlbumListAllDistinct)->Unit(benchmark::kMillisecond);

void BM_FolderView(benchmark::State& state) {
    orvane::test::TempDir dir;
    const QByteArray file =
        orvane::test::MakeMpegStream(orvane::test::StreamOptions{}) +
        orvane::test::MakeId3v1(u"Title"_s, u"Artist"_s, u"Album"_s, u"2004"_s, u"c"_s, 0, 17);
    for (int i = 0; i < kFolderFiles; ++i)
        orvane::test::WriteFile(dir.file(u"song %1.mp3"_s.arg(i, 4, 10, QChar(u'0'))), file);
    orvane::TMPEGAudio mpeg;
    const orvane::DisplayFilter filter;
    orvane::SongRows rows;
    orvane::ShowFolderSongs(dir.path(), mpeg, filter, rows); // warms the file system's cache
    for (auto _ : state) {
        orvane::ShowFolderSongs(dir.path(), mpeg, filter, rows);
        benchmark::DoNotOptimize(rows.size());
    }
    state.counters["rows"] = double(rows.size());
}
BENCHMARK(BM_FolderView)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
