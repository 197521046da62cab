// Export to WAV through the export window (offscreen) against the mpg123 command: ten
// 5-minute songs in one export, then the same ten files decoded by `mpg123 -w` one after the
// other. Counters: "ratio_to_mpg123" is our time divided by mpg123's (the goal is <= 1.05),
// "longest_gui_gap_ms" the longest time the event loop went without running a 10 ms timer
// during the export (the window must repaint at least every 100 ms). Without the mpg123
// program the comparison is skipped with a message.

#include "playback/TfrmWAVoutput.h"

#include "support/ScriptedPrompts.h"
#include "support/audio/AudioFixtures.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using orvane::test::audio::ScratchDir;

constexpr int kSongs = 10;
constexpr double kSongSeconds = 300.0;

ScratchDir& Dir() {
    static ScratchDir dir;
    return dir;
}

// Ten 5-minute stereo songs at 44.1 kHz and 128 kbit/s: one encoding, copied.
orvane::SongRows Songs() {
    static const orvane::SongRows rows = [] {
        const fs::path folder = Dir().file("songs");
        fs::create_directories(folder);
        orvane::test::audio::ToneOptions options;
        options.seconds = kSongSeconds;
        options.frequencies = {220.0, 880.0, 3520.0};
        options.amplitude = 0.15;
        options.quality = 9;
        std::string error;
        if (!orvane::test::audio::WriteToneMp3(folder / "song01.mp3", options, &error))
            std::fprintf(stderr, "cannot encode the song: %s\n", error.c_str());
        orvane::SongRows result;
        for (int i = 1; i <= kSongs; ++i) {
            const std::string name =
                "song" + std::string(i < 10 ? "0" : "") + std::to_string(i) + ".mp3";
            if (i > 1)
                fs::copy_file(folder / "song01.mp3", folder / name,
                              fs::copy_options::overwrite_existing);
            orvane::SongRow row;
            row.FileName = QString::fromStdString(name);
            row.Folder = QString::fromStdString(folder.string());
            result.push_back(row);
        }
        return result;
    }();
    return rows;
}

void ExportTenSongs(benchmark::State& state) {
    const orvane::SongRows songs = Songs();
    const fs::path out = Dir().file("wav");
    const bool haveMpg123 = std::system("command -v mpg123 >/dev/null 2>&1") == 0;
    orvane::test::ScriptedPrompts prompts;
    orvane::TfrmWAVoutput window(nullptr, prompts);
    double ours = 0, theirs = 0;
    qint64 longestGap = 0;
    for (auto _ : state) {
        fs::remove_all(out);
        fs::create_directories(out);
        prompts.AnswerFolder(QString::fromStdString(out.string()));
        QElapsedTimer sinceTick;
        QTimer tick;
        tick.setInterval(10);
        QObject::connect(&tick, &QTimer::timeout,
                         [&] { longestGap = std::max(longestGap, sinceTick.restart()); });
        // The program's own event loop, which sleeps until the writer reports.
        QEventLoop loop;
        QObject::connect(&window.Export(), &orvane::TWavExport::finished, &loop, &QEventLoop::quit);
        const auto start = Clock::now();
        window.ExportSongs(songs);
        sinceTick.start();
        tick.start();
        if (window.Export().Running())
            loop.exec();
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        tick.stop();
        if (std::distance(fs::directory_iterator(out), fs::directory_iterator()) != kSongs) {
            state.SkipWithError("the export did not write ten WAV files");
            return;
        }
        state.SetIterationTime(seconds);
        ours += seconds;

        if (haveMpg123) {
            const auto begin = Clock::now();
            for (const orvane::SongRow& song : songs) {
                const std::string command = "mpg123 -q -w '" + (out / "reference.wav").string() +
                                            "' '" + song.Path().toStdString() + "'";
                if (std::system(command.c_str()) != 0) {
                    state.SkipWithError("mpg123 failed");
                    return;
                }
            }
            theirs += std::chrono::duration<double>(Clock::now() - begin).count();
        }
    }
    state.counters["audio_seconds"] = kSongs * kSongSeconds;
    state.counters["times_real_time"] = kSongs * kSongSeconds * double(state.iterations()) / ours;
    state.counters["longest_gui_gap_ms"] = double(longestGap);
    if (haveMpg123) {
        state.counters["ours_s"] = ours / double(state.iterations());
        state.counters["mpg123_s"] = theirs / double(state.iterations());
        state.counters["ratio_to_mpg123"] = ours / theirs;
    } else {
        state.SetLabel("the mpg123 program is not installed: no comparison");
        std::fprintf(stderr, "the mpg123 program is not installed: no comparison\n");
    }
}
BENCHMARK(ExportTenSongs)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
