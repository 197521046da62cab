// The engine against real time and against a reference decoder:
// - WavExport: a 10-minute song written through the "wav:" output as fast as decoding allows,
//   beside the same file decoded by the mpg123 command (`mpg123 -w`) when it is installed; the
//   counter "speed_vs_mpg123" is mpg123's time divided by ours (>= 1 means we are as fast).
// - SoundCardPacing: 60 s of the song played through SDL's "disk" driver (the sound card of
//   a machine without one); "pace" is played audio divided by wall time, "cpu_percent" the
//   process's processor time in percent of one core.

#include "engine/Xaudio.h"

#include "support/audio/AudioFixtures.h"

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;
using orvane::test::audio::ScratchDir;

constexpr double kSongSeconds = 600.0;

ScratchDir& Dir() {
    static ScratchDir dir;
    return dir;
}

// One 10-minute stereo song at 44.1 kHz and 128 kbit/s, encoded once per run.
const std::filesystem::path& Song() {
    static const std::filesystem::path path = [] {
        const auto song = Dir().file("ten-minutes.mp3");
        orvane::test::audio::ToneOptions options;
        options.seconds = kSongSeconds;
        options.frequencies = {220.0, 880.0, 3520.0};
        options.amplitude = 0.15;
        options.quality = 9;
        std::string error;
        if (!orvane::test::audio::WriteToneMp3(song, options, &error))
            std::fprintf(stderr, "cannot encode the song: %s\n", error.c_str());
        return song;
    }();
    return path;
}

struct PlayerDeleter {
    void operator()(void* player) const { player_delete(static_cast<XA_Player>(player)); }
};
using PlayerHandle = std::unique_ptr<std::remove_pointer_t<XA_Player>, PlayerDeleter>;

PlayerHandle NewPlayer() {
    XA_Player player = nullptr;
    if (player_new(&player, nullptr) != XA_SUCCESS)
        return nullptr;
    return PlayerHandle(player);
}

// Takes notifications until `done` says so; false after a minute and a half of nothing or on
// an error notification.
template <typename Done> bool WaitUntil(XA_Player player, Done done) {
    for (;;) {
        XA_Message msg;
        if (control_message_wait(player, &msg, 90000) != XA_SUCCESS)
            return false;
        if (msg.code == XA_MSG_NOTIFY_ERROR) {
            std::fprintf(stderr, "engine error: %s\n", msg.text[1] ? msg.text[1] : "");
            return false;
        }
        if (done(msg))
            return true;
    }
}

bool WaitForState(XA_Player player, uint8_t state) {
    return WaitUntil(player, [state](const XA_Message& msg) {
        return msg.code == XA_MSG_NOTIFY_PLAYER_STATE && msg.data[0] == state;
    });
}

double Seconds(const XA_Message& timecode) {
    return timecode.data[0] * 3600.0 + timecode.data[1] * 60.0 + timecode.data[2] +
           timecode.data[3] / 100.0;
}

double ProcessorSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void WavExport(benchmark::State& state) {
    const auto song = Song();
    const auto wav = Dir().file("export.wav");
    const bool haveMpg123 = std::system("command -v mpg123 >/dev/null 2>&1") == 0;
    double ours = 0, theirs = 0;
    for (auto _ : state) {
        auto player = NewPlayer();
        control_message_send_S(player.get(), XA_MSG_COMMAND_OUTPUT_OPEN,
                               ("wav:" + wav.string()).c_str());
        const auto start = Clock::now();
        control_message_send_S(player.get(), XA_MSG_COMMAND_INPUT_OPEN, song.c_str());
        control_message_send_N(player.get(), XA_MSG_COMMAND_PLAY);
        if (!WaitForState(player.get(), XA_PLAYER_STATE_EOS)) {
            state.SkipWithError("the export did not reach the end of the song");
            return;
        }
        control_message_send_N(player.get(), XA_MSG_COMMAND_OUTPUT_CLOSE);
        player.reset(); // the file is complete once the player is gone
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        state.SetIterationTime(seconds);
        ours += seconds;

        if (haveMpg123) {
            const auto reference = Dir().file("reference.wav");
            const std::string command =
                "mpg123 -q -w '" + reference.string() + "' '" + song.string() + "'";
            const auto begin = Clock::now();
            if (std::system(command.c_str()) != 0) {
                state.SkipWithError("mpg123 failed");
                return;
            }
            theirs += std::chrono::duration<double>(Clock::now() - begin).count();
        }
    }
    state.counters["song_seconds"] = kSongSeconds;
    state.counters["times_real_time"] = kSongSeconds * double(state.iterations()) / ours;
    if (haveMpg123)
        state.counters["speed_vs_mpg123"] = theirs / ours;
    else
        state.SetLabel("mpg123 not installed: no comparison");
}
BENCHMARK(WavExport)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

void SoundCardPacing(benchmark::State& state) {
    setenv("SDL_AUDIODRIVER", "disk", 1);
    const auto raw = Dir().file("sound-card.raw");
    setenv("SDL_DISKAUDIOFILE", raw.c_str(), 1);
    const auto song = Song();
    constexpr double kPlaySeconds = 60.0;
    for (auto _ : state) {
        auto player = NewPlayer();
        control_message_send_S(player.get(), XA_MSG_COMMAND_INPUT_OPEN, song.c_str());
        WaitUntil(player.get(),
                  [](const XA_Message& msg) { return msg.code == XA_MSG_NOTIFY_INPUT_NAME; });
        control_message_send_N(player.get(), XA_MSG_COMMAND_PLAY);
        // Measured from the first second on, once the output's queue has filled: the
        // timecode runs that far ahead of what is heard.
        double played = 0;
        const auto reached = [&](double seconds) {
            return WaitUntil(player.get(), [&](const XA_Message& msg) {
                if (msg.code == XA_MSG_NOTIFY_INPUT_TIMECODE)
                    played = Seconds(msg);
                return played >= seconds;
            });
        };
        if (!reached(1.0)) {
            state.SkipWithError("playing did not start");
            return;
        }
        const double from = played;
        const double cpuBefore = ProcessorSeconds();
        const auto start = Clock::now();
        if (!reached(from + kPlaySeconds)) {
            state.SkipWithError("playing stopped early");
            return;
        }
        const double wall = std::chrono::duration<double>(Clock::now() - start).count();
        const double cpu = ProcessorSeconds() - cpuBefore;
        played -= from;
        control_message_send_N(player.get(), XA_MSG_COMMAND_STOP);
        state.SetIterationTime(wall);
        state.counters["played_seconds"] = played;
        state.counters["pace"] = played / wall;
        state.counters["cpu_percent"] = 100.0 * cpu / wall;
    }
    std::filesystem::remove(raw);
}
BENCHMARK(SoundCardPacing)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
