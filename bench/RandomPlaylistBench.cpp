// Random playlists at 100,000 songs: "8 hours" over all genres and any age, and with an age
// limit, where every draw that passes the other tests dates its file on disk.

#include "playlists/RandomPlaylist.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"

#include <QDir>
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kSongs = 100000;

// The songs in 100 folders under root; the files exist there when made by MakeFiles.
std::vector<orvane::SongRecord> MakeRecords(const QString& root) {
    std::vector<orvane::SongRecord> records;
    records.reserve(kSongs);
    for (int i = 0; i < kSongs; ++i) {
        const QString n = QString::number(i);
        records.push_back(
            {QStringLiteral("track") + n + QStringLiteral(".mp3"),
             QStringLiteral("Title number ") + n,
             QStringLiteral("Artist ") + QString::number(i % 3000),
             QStringLiteral("Album"),
             QStringLiteral("%1:%2")
                 .arg(2 + i % 6, 2, 10, QChar(u'0'))
                 .arg(i % 60, 2, 10, QChar(u'0')),
             QStringLiteral("1998"),
             QStringLiteral("Rock"),
             {},
             root + QStringLiteral("/f") + QString::number(i % 100) + QStringLiteral("/"),
             orvane::kLocalCollection,
             QStringLiteral("0")});
    }
    return records;
}

// Every file exists; one in youngEvery is from today, the others 60 days old.
void MakeFiles(const std::vector<orvane::SongRecord>& records, int youngEvery) {
    for (int f = 0; f < 100; ++f)
        QDir().mkpath(records[size_t(f)].Folder);
    const timespec old[2] = {{time(nullptr) - 60 * 86400, 0}, {time(nullptr) - 60 * 86400, 0}};
    for (size_t i = 0; i < records.size(); ++i) {
        const QByteArray path = records[i].Path().toLocal8Bit();
        const int fd = ::open(path.constData(), O_CREAT | O_WRONLY, 0644);
        if (fd >= 0) {
            if (i % size_t(youngEvery) != 0)
                ::futimens(fd, old);
            ::close(fd);
        }
    }
}

void Generate(benchmark::State& state, const QString& age, int youngEvery) {
    orvane::test::TempDir dir;
    const std::vector<orvane::SongRecord> records = MakeRecords(dir.path());
    if (youngEvery > 0)
        MakeFiles(records, youngEvery);
    orvane::test::ScriptedPrompts prompts;
    orvane::RandomDraws draws;
    const QString temp = orvane::RandomPlaylistPath(dir.path());
    const orvane::CollectionList list(records);
    qsizetype songs = 0;
    for (auto _ : state) {
        const auto lines = orvane::GenerateRandomPlaylist(
            list, {QStringLiteral("8 hours"), age, {}}, temp, prompts, draws);
        songs = lines ? lines->size() : -1;
    }
    state.counters["songs"] = double(songs);
}

void BM_EightHoursAnyAge(benchmark::State& state) {
    Generate(state, QStringLiteral("Any age"), 0);
}
BENCHMARK(BM_EightHoursAnyAge)->Unit(benchmark::kMillisecond);

// Every file is recent: a file date per song drawn.
void BM_EightHoursTwoWeeksAllRecent(benchmark::State& state) {
    Generate(state, QStringLiteral("2 weeks"), 1);
}
BENCHMARK(BM_EightHoursTwoWeeksAllRecent)->Unit(benchmark::kMillisecond);

// One file in a hundred is recent: most draws date a file and are rejected.
void BM_EightHoursTwoWeeksFewRecent(benchmark::State& state) {
    Generate(state, QStringLiteral("2 weeks"), 100);
}
BENCHMARK(BM_EightHoursTwoWeeksFewRecent)->Unit(benchmark::kMillisecond);

// One file is recent: after it the turn runs its N - 1 draws.
void BM_EightHoursTwoWeeksOneRecent(benchmark::State& state) {
    Generate(state, QStringLiteral("2 weeks"), kSongs + 1);
}
BENCHMARK(BM_EightHoursTwoWeeksOneRecent)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
