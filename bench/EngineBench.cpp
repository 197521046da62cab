// The engine against real time and against a reference decoder:
// - WavExport: a 10-minute song written through the "wav:" output as fast as decoding allows,
//   beside the same file decoded by the mpg123 command (`mpg123 -w`) when it is installed; the
//   counter "speed_vs_mpg123" is mpg123's time divided by ours (>= 1 means we are as fast).
// - SoundCardPacing: 60 s of the song played through SDL's "disk" driver (the sound card of
//   a machine without one); "pace" is played audio divided by wall time, "cpu_percent" the
//   process's processor time in percent of one core.
// - GaplessSweep: a 30 s sine sweep cut in three at places inside MPEG frames, each piece encoded
//   alone, played one after the other through the "disk" driver as the playback controller
//   does (InputOpen and Play at each end of input). "wrong_samples" counts output samples that
//   differ from the pieces' own decodings put end to end (0: nothing missing, nothing extra);
//   "join_error" is the largest difference from the original sweep within 50 ms of a join,
//   "encoder_error" the largest elsewhere, both in full scale.
// - TrackChange: while a song plays, what the controller sends for Next and for a double click
//   (Stop, InputClose, InputOpen, Play), 20 times; the time until the sound card's file shows
//   the new song's first sound. Next goes to a song of the same format, the double click to
//   one of another rate (the card opens anew). Median and worst in milliseconds.

#include "engine/Xaudio.h"

#include "support/audio/AudioFixtures.h"

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

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

void GaplessSweep(benchmark::State& state) {
    using orvane::test::audio::Pcm;
    const auto raw = Dir().file("gapless.raw");
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", raw.c_str(), 1);
    const Pcm sweep = orvane::test::audio::Sweep(44100, 2, 30.0, 50, 12000, 0.4);
    const long cuts[] = {0, 441011, 882707, sweep.Frames()};
    std::vector<std::filesystem::path> pieces;
    std::vector<int16_t> expected;
    for (size_t i = 0; i + 1 < std::size(cuts); ++i) {
        Pcm piece{.rate = sweep.rate, .channels = 2, .samples = {}};
        piece.samples.assign(sweep.samples.begin() + cuts[i] * 2,
                             sweep.samples.begin() + cuts[i + 1] * 2);
        pieces.push_back(Dir().file("sweep" + std::to_string(i) + ".mp3"));
        orvane::test::audio::WritePcmMp3(pieces.back(), piece, {.quality = 2});
        const Pcm decoded = orvane::test::audio::DecodeMp3(pieces.back());
        expected.insert(expected.end(), decoded.samples.begin(), decoded.samples.end());
    }
    for (auto _ : state) {
        const auto start = Clock::now();
        {
            auto player = NewPlayer();
            for (const auto& piece : pieces) {
                control_message_send_S(player.get(), XA_MSG_COMMAND_INPUT_OPEN, piece.c_str());
                control_message_send_N(player.get(), XA_MSG_COMMAND_PLAY);
                if (!WaitForState(player.get(), XA_PLAYER_STATE_EOS)) {
                    state.SkipWithError("a piece did not play to its end");
                    return;
                }
            }
            control_message_send_N(player.get(), XA_MSG_COMMAND_OUTPUT_DRAIN);
            WaitUntil(player.get(), [](const XA_Message& msg) {
                return msg.code == XA_MSG_NOTIFY_ACK && msg.data[0] == XA_MSG_COMMAND_OUTPUT_DRAIN;
            });
        }
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        const std::vector<int16_t> heard = orvane::test::audio::ReadRawSamples(raw);
        const auto nonZero = [](int16_t sample) {
            return sample != 0;
        };
        const ptrdiff_t start0 =
            (std::find_if(heard.begin(), heard.end(), nonZero) - heard.begin()) -
            (std::find_if(expected.begin(), expected.end(), nonZero) - expected.begin());
        if (start0 < 0 || heard.size() < size_t(start0) + expected.size()) {
            state.SkipWithError("the sweep is not all in the output");
            return;
        }
        long wrong = 0;
        double joinError = 0, encoderError = 0;
        for (size_t i = 0; i < expected.size(); ++i) {
            const int16_t got = heard[size_t(start0) + i];
            wrong += got != expected[i];
            const long frame = static_cast<long>(i / 2);
            const double error = std::abs(got - sweep.samples[i]) / 32768.0;
            const bool nearJoin =
                std::any_of(std::begin(cuts) + 1, std::end(cuts) - 1,
                            [frame](long cut) { return std::abs(frame - cut) < 2205; });
            // The encoder's own start and end of the whole sweep are left out.
            if (frame < 4410 || frame > sweep.Frames() - 4410)
                continue;
            (nearJoin ? joinError : encoderError) =
                std::max(nearJoin ? joinError : encoderError, error);
        }
        wrong += std::count_if(heard.begin() + start0 + ptrdiff_t(expected.size()), heard.end(),
                               nonZero);
        state.counters["wrong_samples"] = double(wrong);
        state.counters["join_error"] = joinError;
        state.counters["encoder_error"] = encoderError;
    }
    std::filesystem::remove(raw);
}
BENCHMARK(GaplessSweep)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

void TrackChange(benchmark::State& state) {
    const auto raw = Dir().file("track-change.raw");
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", raw.c_str(), 1);
    const auto tone = [](const std::string& name, int rate) {
        const auto path = Dir().file(name);
        orvane::test::audio::WriteToneMp3(path, {.sampleRate = rate, .seconds = 5.0});
        return path;
    };
    const auto first = tone("change-a.mp3", 44100);
    const auto same = tone("change-b.mp3", 44100);
    const auto other = tone("change-c.mp3", 48000);
    for (auto _ : state) {
        for (const bool newRate : {false, true}) {
            std::vector<double> waits;
            for (int turn = 0; turn < 20; ++turn) {
                auto player = NewPlayer();
                control_message_send_S(player.get(), XA_MSG_COMMAND_INPUT_OPEN, first.c_str());
                control_message_send_N(player.get(), XA_MSG_COMMAND_PLAY);
                // Playing for a while: the card and the queue are full.
                WaitUntil(player.get(), [](const XA_Message& msg) {
                    return msg.code == XA_MSG_NOTIFY_INPUT_POSITION && msg.data[0] >= 40;
                });
                const auto change = Clock::now();
                control_message_send_N(player.get(), XA_MSG_COMMAND_STOP);
                control_message_send_N(player.get(), XA_MSG_COMMAND_INPUT_CLOSE);
                if (!WaitForState(player.get(), XA_PLAYER_STATE_STOPPED))
                    return state.SkipWithError("no stop");
                // After the stop's fade the card plays silence until the new song sounds.
                const auto stopped = Clock::now();
                size_t seen = std::filesystem::file_size(raw) / 2;
                const auto next = newRate ? other : same;
                control_message_send_S(player.get(), XA_MSG_COMMAND_INPUT_OPEN, next.c_str());
                control_message_send_N(player.get(), XA_MSG_COMMAND_PLAY);
                bool silent = false;
                for (;;) {
                    std::this_thread::sleep_for(std::chrono::microseconds(500));
                    if (std::filesystem::file_size(raw) / 2 < seen) {
                        seen = 0; // the card opened anew: a new file, silence first
                        silent = true;
                    }
                    const std::vector<int16_t> fresh =
                        orvane::test::audio::ReadRawSamples(raw, seen);
                    // The fade ends in zeros; the first sound after them is the new song.
                    auto at = fresh.begin();
                    if (!silent) {
                        at = std::find(fresh.begin(), fresh.end(), 0);
                        silent = at != fresh.end();
                    }
                    if (silent && std::any_of(at, fresh.end(), [](int16_t s) { return s != 0; }))
                        break;
                    seen += fresh.size();
                    if (Clock::now() - stopped > std::chrono::seconds(5))
                        return state.SkipWithError("the new song was not heard");
                }
                waits.push_back(
                    std::chrono::duration<double, std::milli>(Clock::now() - change).count());
            }
            std::sort(waits.begin(), waits.end());
            const std::string name = newRate ? "double_click_other_rate" : "next_same_format";
            state.counters[name + "_median_ms"] = waits[waits.size() / 2];
            state.counters[name + "_worst_ms"] = waits.back();
        }
    }
    std::filesystem::remove(raw);
}
BENCHMARK(TrackChange)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
