// Reading the MPEG information and ID3v1 tag of many small files, as the collection scan does:
// 2,000 files in the page cache, a mix of plain, ID3v1-tagged, ID3v2-tagged and VBR streams.

#include "store/MpegAudio.h"
#include "support/MpegFixture.h"
#include "support/TempDir.h"

#include <QStringList>
#include <benchmark/benchmark.h>
#include <cstdlib>

namespace {

constexpr int kFiles = 2000;

struct Collection {
    orvane::test::TempDir dir;
    QStringList paths;
};

void Fill(Collection& c) {
    using orvane::test::StreamOptions;
    for (int i = 0; i < kFiles; ++i) {
        StreamOptions options;
        options.frames = 20 + i % 50;
        QByteArray bytes;
        switch (i % 4) {
        case 1:
            options.vbr = orvane::test::VbrFrame::Xing;
            options.vbrFrames = uint32_t(options.frames) * 10;
            break;
        case 2:
            bytes = orvane::test::MakeId3v2(2000 + i, false);
            break;
        case 3:
            options.junk = 300;
            break;
        default:
            break;
        }
        bytes += orvane::test::MakeMpegStream(options);
        if (i % 3 != 0)
            bytes += orvane::test::MakeId3v1(QStringLiteral("Title ") + QString::number(i),
                                             QStringLiteral("Artist"), QStringLiteral("Album"),
                                             QStringLiteral("1998"), QStringLiteral("ripped"),
                                             uint8_t(i % 20), uint8_t(i % 80));
        const QString path =
            c.dir.file(QStringLiteral("song") + QString::number(i) + QStringLiteral(".mp3"));
        if (!orvane::test::WriteFile(path, bytes))
            std::abort();
        c.paths.push_back(path);
    }
}

// Made once for the run and removed at exit.
const Collection& Files() {
    static Collection files;
    static const bool filled = (Fill(files), true);
    (void)filled;
    return files;
}

void BM_ReadSmallFiles(benchmark::State& state) {
    const QStringList& paths = Files().paths;
    orvane::TMPEGAudio mpeg;
    mpeg.SetSearchLimit(128000);
    int valid = 0;
    for (auto _ : state) {
        valid = 0;
        for (const QString& path : paths) {
            mpeg.SetFileName(path);
            valid += mpeg.IsValid() ? 1 : 0;
        }
        benchmark::DoNotOptimize(valid);
    }
    if (valid != kFiles)
        state.SkipWithError("not every fixture file was read as valid");
    state.counters["files_per_s"] =
        benchmark::Counter(kFiles, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_ReadSmallFiles)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
