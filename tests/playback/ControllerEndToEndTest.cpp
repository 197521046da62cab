// The controller over the real engine, playing through SDL's "disk" sound card (a raw file):
// three queued songs are heard whole and in order, one after the other, a FIFO queued between
// them is passed over, and stopping ends in the stopped state.

#include "ComponentHarness.h"
#include "playback/TdmXAudio.h"

#include "support/FileBytes.h"
#include "support/ScriptedPrompts.h"
#include "support/audio/AudioFixtures.h"

#include <QFile>
#include <cstdlib>
#include <gtest/gtest.h>
#include <map>
#include <sys/stat.h>

namespace orvane::test {
namespace {

using namespace Qt::StringLiterals;

TEST(ControllerEndToEndTest, ThreeQueuedSongsAreHeardInOrder) {
    audio::ScratchDir dir;
    const std::string raw = dir.file("sound-card.raw").string();
    ASSERT_EQ(setenv("SDL_AUDIODRIVER", "disk", 1), 0);
    ASSERT_EQ(setenv("SDL_DISKAUDIOFILE", raw.c_str(), 1), 0);
    App();

    const double tones[] = {440.0, 1000.0, 2500.0};
    constexpr double kSeconds = 0.6;
    SongRows rows;
    for (double tone : tones) {
        const std::string name = "tone" + std::to_string(int(tone)) + ".mp3";
        std::string error;
        ASSERT_TRUE(audio::WriteToneMp3(dir.file(name),
                                        {.seconds = kSeconds, .frequencies = {tone}}, &error))
            << error;
        const QString file = QString::fromStdString(name);
        rows.push_back({file,
                        {},
                        {},
                        QStringLiteral("00:01"),
                        {},
                        {},
                        {},
                        file,
                        QString::fromStdString(dir.path().string()) + u'/',
                        {},
                        {}});
    }
    // A FIFO would block a reader for ever; the engine refuses it and the queue moves on.
    SongRow pipe = rows[0];
    pipe.FileName = QStringLiteral("pipe.mp3");
    ASSERT_EQ(mkfifo(dir.file("pipe.mp3").c_str(), 0600), 0);
    rows.insert(rows.begin() + 1, pipe);

    ScriptedPrompts prompts;
    SongRowsQueue queue;
    RecordingDisplay display;
    TdmXAudio controller(nullptr, prompts, queue, display);
    controller.PlayCommand(&rows, false);
    ASSERT_EQ(queue.rows.size(), 4u);
    ASSERT_TRUE(ProcessUntil([&] { return controller.CurrentSong() == 4; }));
    EXPECT_TRUE(controller.Playing()) << "the end of the last song leaves the flags alone";
    // The end of input comes while the last quarter second still sounds; the card goes on
    // with silence after it.
    const qint64 heardWhole = qint64((3 * kSeconds + 0.3) * 44100 * 4);
    ASSERT_TRUE(
        ProcessUntil([&] { return QFile(QString::fromStdString(raw)).size() >= heardWhole; }));
    controller.StopPlayer();
    EXPECT_TRUE(controller.Stopped());
    EXPECT_EQ(controller.CurrentSong(), -1);
    EXPECT_TRUE(prompts.shown().empty()) << prompts.texts().join(u'\n').toStdString();

    // What the sound card got, in windows of 0.1 s: which tone sounds in each.
    const audio::Pcm pcm{.rate = 44100, .channels = 2, .samples = audio::ReadRawSamples(raw)};
    const long window = pcm.rate / 10;
    std::vector<double> heard;
    std::map<double, int> windows;
    for (long first = 0; first + window <= pcm.Frames(); first += window) {
        for (double tone : tones) {
            if (audio::ToneLevel(pcm, 0, tone, first, window) > 0.1) {
                windows[tone]++;
                if (heard.empty() || heard.back() != tone)
                    heard.push_back(tone);
            }
        }
    }
    EXPECT_EQ(heard, (std::vector<double>{440.0, 1000.0, 2500.0}));
    for (double tone : tones)
        EXPECT_NEAR(windows[tone], kSeconds * 10, 1.5) << tone << " Hz is heard whole";
}

// A file that is no MPEG audio and one that went away after it was queued: each is told in the
// status bar and the queue goes on with the song after it; the marked row follows the song.
TEST(ControllerEndToEndTest, SongsTheEngineCannotOpenAreToldAndSkipped) {
    audio::ScratchDir dir;
    ASSERT_EQ(setenv("SDL_AUDIODRIVER", "dummy", 1), 0);
    App();
    const QString folder = QString::fromStdString(dir.path().string()) + u'/';
    const auto row = [&](const char* name) {
        const QString file = QString::fromLatin1(name);
        return SongRow{file, {}, {}, QStringLiteral("00:01"), {}, {}, {}, file, folder, {}, {}};
    };
    std::string error;
    for (const char* name : {"first.mp3", "last.mp3"})
        ASSERT_TRUE(audio::WriteToneMp3(dir.file(name), {.seconds = 0.3}, &error)) << error;
    WriteFile(folder + u"text.mp3"_s, "just some words, no audio frames at all\n");
    WriteFile(folder + u"gone.mp3"_s, "x");
    const SongRows rows = {row("first.mp3"), row("text.mp3"), row("gone.mp3"), row("last.mp3")};

    ScriptedPrompts prompts;
    SongRowsQueue queue;
    RecordingDisplay display;
    TdmXAudio controller(nullptr, prompts, queue, display);
    controller.PlayCommand(&rows, false);
    ASSERT_EQ(queue.rows.size(), 4u);
    ASSERT_TRUE(QFile::remove(folder + u"gone.mp3"_s));
    ASSERT_TRUE(ProcessUntil([&] { return controller.CurrentSong() == 4; }));
    ASSERT_EQ(display.messages.size(), 2) << display.messages.join(u'\n').toStdString();
    EXPECT_TRUE(display.messages[0].contains(u"text.mp3"_s));
    EXPECT_TRUE(display.messages[1].contains(u"gone.mp3"_s));
    EXPECT_EQ(display.playingRows, (std::vector<int>{0, 3, -1}))
        << "the first song (its tail plays on while the bad ones fail), the last, none at the end";
    EXPECT_TRUE(prompts.shown().empty());
    controller.StopPlayer();
}

} // namespace
} // namespace orvane::test
