// The filters at the size of a large library (100,000 songs, each with a file on disk so that
// the time filter reads real dates, warm in the page cache), the quick search, and the import
// walk over 10,000 generated MP3 files.

#include "browser/LibraryViews.h"
#include "exchange/ImportedCollections.h"
#include "exchange/PowerSearch.h"
#include "support/FileBytes.h"
#include "support/MpegFixture.h"
#include "support/TempDir.h"

#include <QDir>
#include <benchmark/benchmark.h>

namespace {

using namespace Qt::StringLiterals;

constexpr int kSongs = 100000;
constexpr int kFolders = 1000;
constexpr int kImportFiles = 10000;

const QString kGenres[] = {u"Rock"_s,  u"Hard Rock"_s, u"Pop"_s,    u"Jazz"_s,
                           u"Blues"_s, u"Classical"_s, u"Techno"_s, u"Folk"_s};

struct Library {
    orvane::test::TempDir dir;
    orvane::CollectionList songs;

    Library() {
        songs.reserve(kSongs);
        const QDateTime now = QDateTime::currentDateTime();
        for (int i = 0; i < kSongs; ++i) {
            const QString n = QString::number(i);
            const QString folder = dir.path() + u"/f"_s + QString::number(i % kFolders) + u'/';
            if (i < kFolders)
                QDir().mkpath(folder);
            const QString file = u"track"_s + n + u".mp3"_s;
            orvane::test::WriteFile(folder + file, QByteArray());
            // A quarter of the files are older than any filter keeps.
            if (i % 4 == 0)
                orvane::test::SetModified(folder + file, now.addDays(-60));
            songs.append({file, u"Title number "_s + n, u"Artist "_s + QString::number(i % 3000),
                          u"Album "_s + QString::number(i % 8000), u"03:41"_s,
                          QString::number(1960 + i % 60), kGenres[i % 8], u"ripped from cd"_s,
                          folder, orvane::kLocalCollection, u"1"_s});
        }
    }
};

Library& Lib() {
    static Library library;
    return library;
}

orvane::DisplayFilter MonthFilter() {
    orvane::DisplayFilter filter;
    filter.SetTimeFilter(orvane::TimeFilter::Month);
    filter.SetCollectionFilter({u"Local.orv;1"_s, u"friend.orv;0"_s});
    return filter;
}

void BM_AlbumViewTimeFilter(benchmark::State& state) {
    const orvane::DisplayFilter filter = MonthFilter();
    orvane::SongRows rows;
    for (auto _ : state) {
        orvane::ShowAlbumSongs(Lib().songs, u"album 4711"_s, filter, rows);
        benchmark::DoNotOptimize(rows.size());
    }
    state.counters["rows"] = double(rows.size());
}
BENCHMARK(BM_AlbumViewTimeFilter)->Unit(benchmark::kMillisecond);

void BM_PowerSearchTimeFilter(benchmark::State& state) {
    const orvane::DisplayFilter filter = MonthFilter();
    orvane::SearchOptions options;
    options.Keywords = u"hard rock"_s; // 12,500 hits, each file's date read
    orvane::SongRows rows;
    for (auto _ : state)
        benchmark::DoNotOptimize(orvane::SearchCollection(Lib().songs, options, filter, &rows));
    state.counters["rows"] = double(rows.size());
}
BENCHMARK(BM_PowerSearchTimeFilter)->Unit(benchmark::kMillisecond);

void BM_QuickSearch(benchmark::State& state) {
    const orvane::DisplayFilter filter;
    const orvane::SearchOptions options = orvane::QuickSearchOptions({}, u"blues 1999"_s);
    orvane::SongRows rows;
    for (auto _ : state)
        benchmark::DoNotOptimize(orvane::SearchCollection(Lib().songs, options, filter, &rows));
    state.counters["rows"] = double(rows.size());
}
BENCHMARK(BM_QuickSearch)->Unit(benchmark::kMillisecond);

// What a filter change costs on a view of every song: the view built again with the date of
// each of its 100,000 files read.
void BM_FilterChangeOnAllSongs(benchmark::State& state) {
    const orvane::DisplayFilter filter = MonthFilter();
    orvane::SongRows rows;
    for (auto _ : state) {
        orvane::ShowNewSongs(Lib().songs, filter, rows);
        benchmark::DoNotOptimize(rows.size());
    }
    state.counters["rows"] = double(rows.size());
}
BENCHMARK(BM_FilterChangeOnAllSongs)->Unit(benchmark::kMillisecond);

void BM_ImportWalk(benchmark::State& state) {
    orvane::test::TempDir medium;
    const QByteArray bytes =
        orvane::test::MakeMpegStream({.frames = 20}) +
        orvane::test::MakeId3v1(u"Song"_s, u"Artist"_s, u"Album"_s, u"2001"_s, {}, 1, 17);
    for (int i = 0; i < kImportFiles; ++i) {
        const QString folder = medium.path() + u"/d"_s + QString::number(i % 100) + u'/';
        if (i < 100)
            QDir().mkpath(folder);
        orvane::test::WriteFile(folder + u"song"_s + QString::number(i) + u".mp3"_s, bytes);
    }
    qsizetype found = 0;
    for (auto _ : state) {
        found = qsizetype(orvane::ImportWalk(medium.path(), {}).songs.size());
        benchmark::DoNotOptimize(found);
    }
    state.counters["files"] = double(found);
    state.counters["files_per_s"] =
        benchmark::Counter(double(found) * double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ImportWalk)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    Lib(); // the library and its files are made before any timing
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
