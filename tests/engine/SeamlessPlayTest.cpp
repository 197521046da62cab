// Songs that follow each other without a gap, and what must never gap, stutter or hang: the
// sound card kept open from song to song, timecodes of what is heard, a stop that fades out,
// paths that are no files refused at once, lengths known without reading the whole file.

#include "EngineHarness.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <optional>

namespace orvane::test {
namespace {

using audio::Pcm;
using audio::ScratchDir;

// Environment variables set for one test, the old values put back after it.
class ScopedEnv {
public:
    explicit ScopedEnv(std::initializer_list<std::pair<const char*, std::string>> values) {
        for (const auto& [name, value] : values) {
            const char* old = std::getenv(name);
            saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
            setenv(name, value.c_str(), 1);
        }
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;
    ~ScopedEnv() {
        for (const auto& [name, old] : saved_) {
            if (old)
                setenv(name, old->c_str(), 1);
            else
                unsetenv(name);
        }
    }

private:
    std::vector<std::pair<const char*, std::optional<std::string>>> saved_;
};

// How often the player opened its output (its debug notifications of level 1 say so).
int OutputOpenings(const std::vector<XA_Message>& log) {
    return static_cast<int>(std::count_if(log.begin(), log.end(), [](const XA_Message& m) {
        return m.code == XA_MSG_NOTIFY_DEBUG && Text(m, 4).starts_with("output ");
    }));
}

std::vector<int> States(const std::vector<XA_Message>& log) {
    std::vector<int> states;
    for (const XA_Message& m : log)
        if (m.code == XA_MSG_NOTIFY_PLAYER_STATE)
            states.push_back(m.data[0]);
    return states;
}

double Seconds(const XA_Message& timecode) {
    return timecode.data[0] * 3600.0 + timecode.data[1] * 60.0 + timecode.data[2] +
           timecode.data[3] / 100.0;
}

// Each song opened and played at the end of the one before, as the playback controller does.
void PlayInTurn(EnginePlayer& player, const std::vector<std::filesystem::path>& songs) {
    for (const auto& song : songs) {
        player.Open(song);
        player.Send(XA_MSG_COMMAND_PLAY);
        ASSERT_TRUE(player.WaitForState(XA_PLAYER_STATE_EOS));
    }
}

TEST(SeamlessPlayTest, SweepCutInThreePlaysAsOneStream) {
    ScratchDir dir;
    const auto raw = dir.file("sound-card.raw");
    // The disk "sound card" plays slower than real time here, so that the test's own answer
    // to each end of input comes within the output's tail even on a busy machine.
    ScopedEnv env({{"SDL_AUDIODRIVER", "disk"},
                   {"SDL_DISKAUDIOFILE", raw.string()},
                   {"SDL_DISKAUDIODELAY", "80"}});
    const Pcm sweep = audio::Sweep(44100, 2, 1.5, 100, 6000, 0.4);
    // Cut inside MPEG frames, not at their boundaries.
    const long cuts[] = {0, 20011, 43999, sweep.Frames()};
    std::vector<std::filesystem::path> pieces;
    std::vector<int16_t> expected;
    for (int i = 0; i < 3; ++i) {
        Pcm piece{.rate = sweep.rate, .channels = 2, .samples = {}};
        piece.samples.assign(sweep.samples.begin() + cuts[i] * 2,
                             sweep.samples.begin() + cuts[i + 1] * 2);
        pieces.push_back(dir.file("piece" + std::to_string(i) + ".mp3"));
        std::string error;
        ASSERT_TRUE(audio::WritePcmMp3(pieces.back(), piece, {}, &error)) << error;
        const Pcm decoded = audio::DecodeMp3(pieces.back());
        ASSERT_EQ(decoded.Frames(), piece.Frames()) << "encoder delay and padding are removed";
        expected.insert(expected.end(), decoded.samples.begin(), decoded.samples.end());
    }
    {
        EnginePlayer player;
        control_message_send_I(player.get(), XA_MSG_SET_DEBUG_LEVEL, 1);
        PlayInTurn(player, pieces);
        player.Send(XA_MSG_COMMAND_OUTPUT_DRAIN);
        ASSERT_TRUE(player.WaitFor(XA_MSG_NOTIFY_ACK, [](const XA_Message& m) {
            return m.data[0] == XA_MSG_COMMAND_OUTPUT_DRAIN;
        }));
        EXPECT_EQ(OutputOpenings(player.log), 1) << "the sound card is opened once";
        EXPECT_EQ(States(player.log), (std::vector<int>{1, 3, 1, 3, 1, 3}));
    }

    // Silence until the card got the first sample, then the three pieces as one sweep, then
    // silence again.
    const std::vector<int16_t> heard = audio::ReadRawSamples(raw);
    const auto nonZero = [](int16_t sample) {
        return sample != 0;
    };
    const auto first = std::find_if(heard.begin(), heard.end(), nonZero);
    const auto firstExpected = std::find_if(expected.begin(), expected.end(), nonZero);
    const ptrdiff_t start = (first - heard.begin()) - (firstExpected - expected.begin());
    ASSERT_GE(start, 0);
    ASSERT_GE(heard.size() - size_t(start), expected.size()) << "samples are missing";
    const auto differ = std::mismatch(expected.begin(), expected.end(), heard.begin() + start);
    EXPECT_TRUE(differ.first == expected.end())
        << "differs from frame " << (differ.first - expected.begin()) / 2 << " of "
        << expected.size() / 2 << " (the pieces join at " << cuts[1] << " and " << cuts[2] << ")";
    EXPECT_TRUE(
        std::none_of(heard.begin() + start + ptrdiff_t(expected.size()), heard.end(), nonZero))
        << "samples follow the sweep";
}

TEST(SeamlessPlayTest, FormatChangeReopensAndStopInTheTailStops) {
    ScopedEnv env({{"SDL_AUDIODRIVER", "dummy"}});
    ScratchDir dir;
    const auto cd = Tone(dir, "cd.mp3", {.sampleRate = 44100, .seconds = 0.3});
    const auto dat = Tone(dir, "dat.mp3", {.sampleRate = 48000, .channels = 1, .seconds = 0.3});
    EnginePlayer player;
    control_message_send_I(player.get(), XA_MSG_SET_DEBUG_LEVEL, 1);
    PlayInTurn(player, {cd, dat});
    EXPECT_EQ(OutputOpenings(player.log), 2) << "another rate and channel count open anew";
    EXPECT_EQ(States(player.log), (std::vector<int>{1, 3, 1, 3}));

    // Stopped while the end of the song still sounds: stopped, and nothing comes after.
    PlayInTurn(player, {cd});
    player.log.clear();
    player.Send(XA_MSG_COMMAND_STOP);
    EXPECT_EQ(States(player.Settle()), (std::vector<int>{0}));
    EXPECT_TRUE(States(player.Settle()).empty());
}

TEST(SeamlessPlayTest, TimecodesTellWhatIsHeard) {
    ScratchDir dir;
    const auto song = Tone(dir, "song.mp3", {.seconds = 2.0});
    EnginePlayer player;
    player.Output("null:"); // heard in real time, as a sound card would play it
    control_message_send_I(player.get(), XA_MSG_SET_INPUT_TIMECODE_GRANULARITY, 50);
    player.Open(song);
    player.Settle();
    const auto played = std::chrono::steady_clock::now();
    player.Send(XA_MSG_COMMAND_PLAY);
    // Nothing is heard before it was played: no timecode runs ahead of the time since Play.
    int timecodes = 0;
    ASSERT_TRUE(player.WaitFor(XA_MSG_NOTIFY_INPUT_TIMECODE, [&](const XA_Message& m) {
        const std::chrono::duration<double> since = std::chrono::steady_clock::now() - played;
        EXPECT_LE(Seconds(m), since.count() + 0.005);
        ++timecodes;
        return Seconds(m) >= 1.5;
    }));
    EXPECT_GE(timecodes, 10);
}

TEST(SeamlessPlayTest, StopFadesOutInsteadOfCutting) {
    ScratchDir dir;
    const auto raw = dir.file("sound-card.raw");
    // Slower than real time, so that a busy machine cannot let the card run dry before Stop.
    ScopedEnv env({{"SDL_AUDIODRIVER", "disk"},
                   {"SDL_DISKAUDIOFILE", raw.string()},
                   {"SDL_DISKAUDIODELAY", "80"}});
    constexpr double kAmplitude = 0.5;
    const auto song = Tone(dir, "tone.mp3", {.seconds = 3.0, .amplitude = kAmplitude});
    {
        EnginePlayer player;
        player.Open(song);
        player.Send(XA_MSG_COMMAND_PLAY);
        ASSERT_TRUE(player.WaitFor(XA_MSG_NOTIFY_INPUT_POSITION,
                                   [](const XA_Message& m) { return Dword(m, 0) >= 40; }));
        player.Send(XA_MSG_COMMAND_STOP); // and closed, as the playback controller does
        player.Send(XA_MSG_COMMAND_INPUT_CLOSE);
        player.Send(XA_MSG_COMMAND_OUTPUT_DRAIN); // until the card played all it was given
        ASSERT_TRUE(player.WaitFor(XA_MSG_NOTIFY_ACK, [](const XA_Message& m) {
            return m.data[0] == XA_MSG_COMMAND_OUTPUT_DRAIN;
        }));
    }
    // The last half millisecond before the silence is far below the tone's level (a cut
    // 440 Hz sine keeps at least 60 % of it there).
    const std::vector<int16_t> heard = audio::ReadRawSamples(raw);
    const auto last = std::find_if(heard.rbegin(), heard.rend(), [](int16_t s) { return s != 0; });
    ASSERT_NE(last, heard.rend());
    const ptrdiff_t end = heard.rend() - last;
    ASSERT_GE(end, 44);
    int loudest = 0;
    for (ptrdiff_t i = end - 44; i < end; ++i)
        loudest = std::max(loudest, std::abs(int(heard[size_t(i)])));
    EXPECT_LT(loudest, 0.15 * kAmplitude * 32767) << "the sound is cut, not faded";
}

TEST(SeamlessPlayTest, PathsThatAreNoFilesAreRefusedAndTheQueueMovesOn) {
    ScratchDir dir;
    const auto song = Tone(dir, "song.mp3", {.seconds = 0.3});
    const auto fifo = dir.file("pipe.mp3");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const auto folder = dir.file("folder.mp3");
    std::filesystem::create_directory(folder);
    EnginePlayer player;
    player.Output("null:");
    player.Settle();
    for (const std::string& bad : {fifo.string(), folder.string(), std::string("/dev/zero")}) {
        SCOPED_TRACE(bad);
        player.Open(bad);
        const std::vector<XA_Message> answers = player.Settle();
        ASSERT_EQ(answers.size(), 2u);
        EXPECT_EQ(answers[0].code, XA_MSG_NOTIFY_ERROR);
        EXPECT_NE(Text(answers[0], 4).find(bad), std::string::npos) << Text(answers[0], 4);
        EXPECT_EQ(static_cast<int16_t>(Word(answers[1], 2)), XA_ERROR_OPEN_FAILED);
    }
    // A song refused at the end of input leaves the player at the end of the song before, and
    // the next one follows it.
    PlayInTurn(player, {song});
    player.log.clear();
    player.Open(fifo);
    player.Send(XA_MSG_COMMAND_PLAY);
    const std::vector<XA_Message> refused = player.Settle();
    EXPECT_EQ(std::count_if(refused.begin(), refused.end(),
                            [](const XA_Message& m) { return m.code == XA_MSG_NOTIFY_ERROR; }),
              1);
    EXPECT_EQ(States(refused), std::vector<int>{});
    PlayInTurn(player, {song});
    EXPECT_EQ(States(player.log), (std::vector<int>{1, 3}));
}

TEST(SeamlessPlayTest, LengthComesFromTheHeaderOrABackgroundScan) {
    ScratchDir dir;
    EnginePlayer player;
    player.Output("null:");
    // Cut in half, the file still names its whole length in its header; the length is taken
    // from there, not from reading every frame.
    const auto cut = Tone(dir, "cut.mp3", {.seconds = 2.0});
    std::filesystem::resize_file(cut, std::filesystem::file_size(cut) / 2);
    player.Open(cut);
    const std::vector<XA_Message> opened = player.Settle();
    const auto duration = std::find_if(opened.begin(), opened.end(), [](const XA_Message& m) {
        return m.code == XA_MSG_NOTIFY_INPUT_DURATION;
    });
    ASSERT_NE(duration, opened.end());
    EXPECT_NEAR(Dword(*duration, 0), 2000, 30);

    // Without a header the length is a guess at first, made exact by a scan meanwhile.
    const auto plain = Tone(dir, "plain.mp3", {.seconds = 1.0, .bitRate = 0, .infoTag = false});
    const long exact = audio::DecodeMp3(plain).Frames() * 1000 / 44100;
    PlayInTurn(player, {plain});
    const auto isExact = [exact](const XA_Message& m) {
        return std::abs(long(Dword(m, 0)) - exact) <= 1;
    };
    std::vector<uint32_t> durations;
    for (const XA_Message& m : player.log)
        if (m.code == XA_MSG_NOTIFY_INPUT_DURATION)
            durations.push_back(Dword(m, 0));
    ASSERT_FALSE(durations.empty());
    if (std::abs(long(durations.back()) - exact) > 1) {
        ASSERT_TRUE(player.WaitFor(XA_MSG_NOTIFY_INPUT_DURATION, isExact));
    }
}

} // namespace
} // namespace orvane::test
