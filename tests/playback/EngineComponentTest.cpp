// The component over the real engine: commands reach a player thread and its notifications
// come back as events on this thread, as the playback controller and the WAV export use them.

#include "ComponentHarness.h"
#include "playback/TXaudioPlayer.h"

#include "support/ScriptedPrompts.h"
#include "support/audio/AudioFixtures.h"

#include <gtest/gtest.h>

namespace orvane::test {
namespace {

TEST(EngineComponentTest, ExportsASongThroughTheRealEngine) {
    App();
    audio::ScratchDir dir;
    const auto song = dir.file("song.mp3");
    ASSERT_TRUE(audio::WriteToneMp3(song, {.seconds = 0.5}));
    const auto wav = dir.file("song.wav");

    ScriptedPrompts prompts;
    TXaudioPlayer writer(nullptr, prompts);
    EXPECT_TRUE(prompts.shown().empty());
    writer.Priority();
    EXPECT_EQ(writer.Priority(), static_cast<quint32>(XA_CONTROL_PRIORITY_NORMAL));
    EXPECT_FALSE(writer.ErrorString(XA_ERROR_NO_INPUT).isEmpty());

    QStringList names;
    std::vector<int> states;
    int range = 0;
    uint32_t lastOffset = 0;
    bool closed = false;
    writer.OnNotifyInputName = [&](TXaudioPlayer*, const QString& name) {
        names << name;
    };
    writer.OnNotifyPlayerState = [&](TXaudioPlayer*, int state) {
        states.push_back(state);
    };
    writer.OnNotifyInputPositionRange = [&](TXaudioPlayer*, int value) {
        range = value;
    };
    writer.OnNotifyInputPosition = [&](TXaudioPlayer*, uint32_t offset, uint32_t) {
        lastOffset = offset;
    };
    writer.OnNotifyAck = [&](TXaudioPlayer*, uint8_t command) {
        closed = closed || command == XA_MSG_COMMAND_OUTPUT_CLOSE;
    };

    const QString songPath = QString::fromStdString(song.string());
    EXPECT_EQ(writer.SetInputName(songPath), XA_SUCCESS);
    writer.OutputOpen(QStringLiteral("wav:") + QString::fromStdString(wav.string()));
    writer.Play();
    ASSERT_TRUE(ProcessUntil([&] { return !states.empty() && states.back() == 3; }));
    writer.OutputClose();
    ASSERT_TRUE(ProcessUntil([&] { return closed; }));

    EXPECT_EQ(names, QStringList{songPath});
    EXPECT_EQ(range, 400);
    EXPECT_EQ(lastOffset, 400u);
    EXPECT_EQ(states, (std::vector<int>{1, 3}));
    const audio::Pcm written = audio::ReadWav(wav);
    EXPECT_EQ(written.samples, audio::DecodeMp3(song).samples);
}

} // namespace
} // namespace orvane::test
