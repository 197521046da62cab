// What the engine writes through its "wav:" output: the song's format, length and samples,
// the equalizer's effect, and where a seek lands.

#include "EngineHarness.h"

#include "support/MpegFixture.h"

#include <QString>
#include <gtest/gtest.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace orvane::test {
namespace {

using audio::Pcm;
using audio::ScratchDir;
using audio::ToneOptions;

constexpr long kMpegFrame = 1152; // the longest frame, in samples

// Plays input into a WAV file and reads the file back. `prepare` runs after the output is open
// and before Play.
Pcm Export(const std::filesystem::path& input, const std::filesystem::path& wav,
           const std::function<void(EnginePlayer&)>& prepare = {}) {
    EnginePlayer player;
    player.Open(input);
    player.Output("wav:" + wav.string());
    if (prepare)
        prepare(player);
    player.Send(XA_MSG_COMMAND_PLAY);
    EXPECT_TRUE(player.WaitForState(XA_PLAYER_STATE_EOS));
    player.Send(XA_MSG_COMMAND_OUTPUT_CLOSE);
    EXPECT_TRUE(player.WaitFor(XA_MSG_NOTIFY_ACK, [](const XA_Message& m) {
        return m.data[0] == XA_MSG_COMMAND_OUTPUT_CLOSE;
    }));
    EXPECT_EQ(player.Count(XA_MSG_NOTIFY_ERROR), 0);
    return audio::ReadWav(wav);
}

struct SongCase {
    const char* name;
    ToneOptions tone;
};

const SongCase kSongs[] = {
    {"mpeg1-stereo-cbr", {.sampleRate = 44100, .channels = 2, .seconds = 1.0, .bitRate = 128}},
    {"mpeg1-stereo-vbr", {.sampleRate = 48000, .channels = 2, .seconds = 1.0, .bitRate = 0}},
    {"mpeg2-mono", {.sampleRate = 22050, .channels = 1, .seconds = 1.0, .bitRate = 64}},
    {"mpeg25-mono", {.sampleRate = 11025, .channels = 1, .seconds = 1.0, .bitRate = 32}},
};

TEST(DecodingTest, WavHasTheSongsFormatLengthAndSamples) {
    ScratchDir dir;
    for (const SongCase& song : kSongs) {
        SCOPED_TRACE(song.name);
        const auto mp3 = Tone(dir, std::string(song.name) + ".mp3", song.tone);
        const Pcm reference = audio::DecodeMp3(mp3);
        const Pcm wav = Export(mp3, dir.file(std::string(song.name) + ".wav"));

        EXPECT_EQ(wav.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
        EXPECT_EQ(wav.rate, song.tone.sampleRate);
        EXPECT_EQ(wav.channels, song.tone.channels);
        const long expected = std::lround(song.tone.seconds * song.tone.sampleRate);
        EXPECT_LE(std::abs(wav.Frames() - expected), kMpegFrame);
        ASSERT_EQ(wav.Frames(), reference.Frames());
        const auto differ =
            std::mismatch(wav.samples.begin(), wav.samples.end(), reference.samples.begin());
        EXPECT_TRUE(differ.first == wav.samples.end())
            << "samples differ from libmpg123's own from sample "
            << (differ.first - wav.samples.begin()) << " of " << wav.samples.size();
    }
}

// Layers I and II (silent frames: this encoder makes only layer III).
TEST(DecodingTest, LayersOneAndTwoAreDecoded) {
    ScratchDir dir;
    const StreamOptions layers[] = {
        {.version = 1, .layer = 1, .bitRate = 192, .sampleRate = 44100, .frames = 60},
        {.version = 2, .layer = 2, .bitRate = 64, .sampleRate = 24000, .mode = 3, .frames = 30},
    };
    for (const StreamOptions& stream : layers) {
        SCOPED_TRACE(stream.layer);
        const auto mp3 = dir.file("layer" + std::to_string(stream.layer) + ".mp2");
        ASSERT_TRUE(WriteFile(QString::fromStdString(mp3.string()), MakeMpegStream(stream)));
        const Pcm wav = Export(mp3, dir.file("layer.wav"));
        const long samplesPerFrame = stream.layer == 1 ? 384 : 1152;
        EXPECT_EQ(wav.rate, stream.sampleRate);
        EXPECT_EQ(wav.channels, stream.mode == 3 ? 1 : 2);
        EXPECT_LE(std::abs(wav.Frames() - stream.frames * samplesPerFrame), samplesPerFrame);
        EXPECT_EQ(wav.samples, audio::DecodeMp3(mp3).samples);
    }
}

TEST(DecodingTest, EqualizerRaisesOnlyItsBandAndSwitchesOff) {
    ScratchDir dir;
    constexpr double kLow = 100, kHigh = 10000;
    const auto mp3 = Tone(dir, "two-tones.mp3",
                          {.seconds = 1.0, .frequencies = {kLow, kHigh}, .amplitude = 0.1});
    const Pcm reference = audio::DecodeMp3(mp3);

    XA_EqualizerInfo boost{};
    boost.left[0] = boost.right[0] = 80;
    const Pcm raised = Export(mp3, dir.file("raised.wav"), [&](EnginePlayer& player) {
        control_message_send_P(player.get(), XA_MSG_SET_CODEC_EQUALIZER, &boost);
        control_message_send_N(player.get(), XA_MSG_GET_CODEC_EQUALIZER);
        ASSERT_TRUE(player.WaitFor(XA_MSG_NOTIFY_CODEC_EQUALIZER));
        const XA_Message& answer = player.log.back();
        ASSERT_NE(answer.equalizer, nullptr);
        EXPECT_EQ(std::memcmp(answer.equalizer, &boost, sizeof boost), 0);
    });
    ASSERT_EQ(raised.Frames(), reference.Frames());
    // Leave out the encoder's start and end, where the tones fade in and out.
    const long first = reference.rate / 10, count = reference.Frames() * 8 / 10;
    for (int channel = 0; channel < 2; ++channel) {
        const double low = audio::ToneLevel(raised, channel, kLow, first, count) /
                           audio::ToneLevel(reference, channel, kLow, first, count);
        const double high = audio::ToneLevel(raised, channel, kHigh, first, count) /
                            audio::ToneLevel(reference, channel, kHigh, first, count);
        // +80 is +12 dB on the band; a tone in another band stays as it was.
        EXPECT_NEAR(20 * std::log10(low), 12.0, 1.0) << "channel " << channel;
        EXPECT_NEAR(20 * std::log10(high), 0.0, 1.0) << "channel " << channel;
    }

    // Set, then switched off with a null record before playing: the plain decoding.
    const Pcm off = Export(mp3, dir.file("off.wav"), [&](EnginePlayer& player) {
        control_message_send_P(player.get(), XA_MSG_SET_CODEC_EQUALIZER, &boost);
        control_message_send_P(player.get(), XA_MSG_SET_CODEC_EQUALIZER, nullptr);
        control_message_send_N(player.get(), XA_MSG_GET_CODEC_EQUALIZER);
        ASSERT_TRUE(player.WaitFor(XA_MSG_NOTIFY_CODEC_EQUALIZER));
        EXPECT_EQ(player.log.back().equalizer, nullptr);
    });
    EXPECT_TRUE(off.samples == reference.samples);
}

TEST(DecodingTest, SeekToTheMiddleOfTheRange) {
    ScratchDir dir;
    const auto mp3 = Tone(dir, "seek.mp3", {.seconds = 2.0, .frequencies = {440, 1250}});
    const Pcm reference = audio::DecodeMp3(mp3);
    const Pcm rest = Export(mp3, dir.file("rest.wav"), [](EnginePlayer& player) {
        control_message_send_II(player.get(), XA_MSG_COMMAND_INPUT_SEEK, 200, 400);
        ASSERT_TRUE(player.WaitFor(XA_MSG_NOTIFY_INPUT_POSITION,
                                   [](const XA_Message& m) { return Dword(m, 0) == 200; }));
        EXPECT_EQ(Dword(player.log.back(), 4), 400u);
        ASSERT_TRUE(player.WaitFor(XA_MSG_NOTIFY_INPUT_TIMECODE));
        EXPECT_EQ(Byte(player.log.back(), 2), 1); // 1.00 s of 2
    });
    const long middle = reference.Frames() / 2;
    EXPECT_LE(std::abs(rest.Frames() - (reference.Frames() - middle)), kMpegFrame);
    // Where the seek landed, the samples are those of the plain decoding at that place.
    const long landed = reference.Frames() - rest.Frames();
    ASSERT_GE(landed, 0);
    const size_t compared = std::min<size_t>(4 * kMpegFrame * 2, rest.samples.size());
    EXPECT_TRUE(std::equal(rest.samples.begin(), rest.samples.begin() + compared,
                           reference.samples.begin() + landed * 2));
}

} // namespace
} // namespace orvane::test
