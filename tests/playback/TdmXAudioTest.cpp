// The playback controller over a substitute engine that answers like the real one: Stop gives
// the stopped state (unless already stopped), Play the playing state, Pause the paused state,
// InputOpen the input name. Song files exist on disk where the queue needs them.

#include "playback/TdmXAudio.h"
#include "ComponentHarness.h"
#include "playback/FakeXaudio.h"

#include "engine/MessageBuilder.h"
#include "support/MpegFixture.h"
#include "support/ScriptedPrompts.h"

#include <QAbstractEventDispatcher>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

namespace orvane::test {
namespace {

using engine::MessageBuilder;
using namespace Qt::StringLiterals;

class ControllerTest : public ::testing::Test {
protected:
    void SetUp() override {
        App();
        fake.AnswerLikeTheEngine([this](const FakeXaudio::Sent& sent) {
            if (sent.code == XA_MSG_COMMAND_INPUT_OPEN)
                opened.push_back(QString::fromStdString(sent.texts[0]));
        });
        controller = std::make_unique<TdmXAudio>(nullptr, prompts, queue, display, fake.Library());
    }

    // The engine reports the end of the song it plays.
    void EndOfSong() {
        fake.PostState(XA_PLAYER_STATE_EOS);
        Settle();
    }
    void Settle() {
        controller->XaudioPlayer().DeliverPending();
        QCoreApplication::processEvents();
    }
    // Runs a command and lets the engine's answers in.
    template <typename Command> void Run(Command command) {
        command();
        Settle();
    }

    // A song whose file exists (or not), of the given length "mm:ss".
    SongRow Song(const QString& name, const QString& duration = u"03:00"_s, bool exists = true) {
        const SongRow row{
            name,       {}, {}, duration, {}, {}, {}, name + u".mp3"_s, dir.path() + u'/',
            u"local"_s, {}};
        if (exists)
            WriteFile(row.Path(), MakeMpegStream({}));
        return row;
    }
    SongRows Songs(int count) {
        SongRows rows;
        for (int i = 0; i < count; ++i)
            rows.push_back(Song(u"song%1"_s.arg(i)));
        return rows;
    }
    int Commands(int code) {
        int count = 0;
        for (const auto& sent : fake.player().sent)
            count += sent.code == code;
        return count;
    }
    QString Opened(int row) const { return queue.rows.at(size_t(row)).Path(); }

    QTemporaryDir dir;
    FakeXaudio fake; // outlives the controller
    ScriptedPrompts prompts;
    SongRowsQueue queue;
    RecordingDisplay display;
    std::unique_ptr<TdmXAudio> controller;
    QStringList opened;
};

TEST_F(ControllerTest, PlayFillsTheQueueFromTheViewAndFollowsTheEngine) {
    const SongRows view = Songs(3);
    Run([&] { controller->PlayCommand(&view, false); });
    EXPECT_EQ(queue.rows, view);
    EXPECT_EQ(controller->CurrentSong(), 0);
    EXPECT_EQ(opened, QStringList{view[0].Path()});
    EXPECT_TRUE(controller->Playing());
    EXPECT_EQ(display.panels[2], u"Playing");
    EXPECT_EQ(display.buttons, (std::array<bool, 3>{true, true, true}));
    EXPECT_EQ(display.queueDuration, u"00:09:00");

    // The end of a song opens the next one without a stop; the last one ends it all.
    const int stops = Commands(XA_MSG_COMMAND_STOP);
    EndOfSong();
    EndOfSong();
    EXPECT_EQ(controller->CurrentSong(), 2);
    EXPECT_EQ(opened, (QStringList{view[0].Path(), view[1].Path(), view[2].Path()}));
    EXPECT_EQ(Commands(XA_MSG_COMMAND_STOP), stops);
    EndOfSong();
    EXPECT_EQ(controller->CurrentSong(), 3);
    EXPECT_EQ(opened.size(), 3) << "nothing wraps around";
    EXPECT_EQ(display.buttons, (std::array<bool, 3>{true, true, false}));
    EXPECT_EQ(display.panels[2], u"Stopped") << "nothing plays any more";

    // Pause, then Play resumes the same song without rebuilding the queue.
    Run([&] { controller->PlayCommand(&view, false); });
    Run([&] { controller->PausePlayer(); });
    EXPECT_TRUE(controller->Paused());
    EXPECT_EQ(display.buttons, (std::array<bool, 3>{true, false, true}));
    const int opens = opened.size();
    Run([&] { controller->PlayCommand(nullptr, false); });
    EXPECT_TRUE(controller->Playing());
    EXPECT_EQ(opened.size(), opens);

    // With the playing-songs view shown, or on the start page, Play only stops.
    controller->PlayCommand(&queue.rows, true);
    EXPECT_TRUE(controller->Stopped());
    EXPECT_EQ(controller->CurrentSong(), -1);
    EXPECT_EQ(queue.rows.size(), 3u);
    EXPECT_EQ(opened.size(), opens);
    EXPECT_EQ(display.panels[2], u"Stopped");
    EXPECT_EQ(display.buttons, (std::array<bool, 3>{true, false, false}));
}

TEST_F(ControllerTest, ARefusedOpenMovesOnOnlyWhenNothingWasChosenSince) {
    const SongRows view = Songs(4);
    // The engine refuses the first song (and Play without an input); its answers come after
    // the user pressed Next.
    bool refused = false;
    auto likeTheEngine = fake.onSend;
    fake.onSend = [&](FakeXaudio& engine, int player, const FakeXaudio::Sent& sent) {
        const bool open = sent.code == XA_MSG_COMMAND_INPUT_OPEN;
        if (open)
            refused = QString::fromStdString(sent.texts[0]) == view[0].Path();
        if (refused && (open || sent.code == XA_MSG_COMMAND_PLAY)) {
            if (open)
                opened.push_back(view[0].Path());
            engine.Post(player, engine::NackMessage(sent.code, open ? XA_ERROR_OPEN_FAILED
                                                                    : XA_ERROR_NO_INPUT));
            return;
        }
        likeTheEngine(engine, player, sent);
    };
    controller->PlayCommand(&view, false);
    Run([&] { controller->NextCommand(); });
    EXPECT_EQ(opened, (QStringList{view[0].Path(), view[1].Path()}))
        << "the late refusal of song 0 does not skip song 1, which the user chose";
    EXPECT_EQ(controller->CurrentSong(), 1);

    // Refused with nothing chosen since: the next song plays.
    Run([&] { controller->PlayCommand(&view, false); });
    EXPECT_EQ(opened.back(), view[1].Path());
    EXPECT_EQ(controller->CurrentSong(), 1);
}

TEST_F(ControllerTest, NextAndPreviousAtTheEdgesOfTheQueue) {
    queue.rows = Songs(3);
    Run([&] { controller->NextCommand(); }); // nothing played yet: the first song
    EXPECT_EQ(controller->CurrentSong(), 0);
    EXPECT_EQ(opened.back(), Opened(0));

    Run([&] { controller->PreviousCommand(); }); // at the first song: the first song again
    EXPECT_EQ(controller->CurrentSong(), 0);
    EXPECT_EQ(opened.size(), 2);
    EXPECT_EQ(opened.back(), Opened(0));

    controller->SetCurrentSong(2);
    Run([&] { controller->NextCommand(); }); // at the last row: nothing plays
    EXPECT_EQ(controller->CurrentSong(), 3);
    EXPECT_EQ(opened.size(), 2);
    EXPECT_TRUE(controller->Stopped());

    Run([&] { controller->PreviousCommand(); }); // past the end: the last row
    EXPECT_EQ(controller->CurrentSong(), 2);
    EXPECT_EQ(opened.back(), Opened(2));

    controller->StopPlayer();
    Run([&] { controller->PreviousCommand(); }); // stopped: the first song
    EXPECT_EQ(controller->CurrentSong(), 0);
    EXPECT_EQ(opened.back(), Opened(0));

    // An empty queue: Next stops, Previous does not even stop.
    queue.rows.clear();
    Run([&] { controller->PreviousCommand(); });
    EXPECT_TRUE(controller->Playing());
    controller->NextCommand();
    EXPECT_TRUE(controller->Stopped());
}

TEST_F(ControllerTest, MissingAndExternalSongsWithTheSkipAllAnswer) {
    SongRow external = Song(u"far"_s);
    external.Folder = u"IMPORT:\\Mail jo@example.org"_s;
    const SongRows view = {Song(u"gone1"_s, u"01:00"_s, false), Song(u"here"_s, u"02:30"_s),
                           external, Song(u"gone2"_s, u"01:00"_s, false),
                           Song(u"gone3"_s, u"01:00"_s, false)};
    prompts.Answer(PromptAnswer::Cancel); // gone1: Cancel, then
    prompts.Answer(PromptAnswer::Yes);    // skip all external songs
    Run([&] { controller->PlayCommand(&view, false); });
    ASSERT_EQ(queue.rows.size(), 1u);
    EXPECT_EQ(queue.rows[0].Title, u"here");
    EXPECT_EQ(display.queueDuration, u"00:02:30");
    const QStringList texts = prompts.texts();
    ASSERT_EQ(texts.size(), 3) << "gone2 and gone3 are skipped without a question";
    EXPECT_TRUE(texts[0].startsWith(u"Unable to find file\nFile is located on: local\n"));
    EXPECT_EQ(texts[1], u"Skip all external songs?");
    EXPECT_EQ(texts[2],
              u"This song is not in your collection\n\nContact info:\n\nMail jo@example.org");

    // OK only drops the one song; every song missing plays nothing.
    prompts = ScriptedPrompts();
    const SongRows missing = {view[0], view[3]};
    Run([&] { controller->PlayCommand(&missing, false); });
    EXPECT_TRUE(queue.rows.empty());
    EXPECT_EQ(prompts.texts().size(), 2);
    EXPECT_EQ(controller->CurrentSong(), -1);
    EXPECT_EQ(display.queueDuration, u"00:00:00");
}

TEST_F(ControllerTest, PlaySelectedAndNothingToPlay) {
    const SongRows view = Songs(4);
    Run([&] { controller->PlaySelectedCommand(4, {view[1], view[3]}, false); });
    EXPECT_EQ(queue.rows, (SongRows{view[1], view[3]}));
    EXPECT_EQ(opened.back(), view[1].Path());

    // "Play song" on the playing-songs list empties it and stops.
    queue.selected = {0};
    controller->PlaySelectedCommand(2, {queue.rows[0]}, true);
    EXPECT_TRUE(queue.rows.empty());
    EXPECT_TRUE(controller->Stopped());

    const int opens = opened.size();
    controller->PlaySelectedCommand(0, {}, false); // an empty list does nothing
    controller->PlayFromQueueCommand();            // nothing selected
    EXPECT_EQ(opened.size(), opens);
}

TEST_F(ControllerTest, AddingToTheQueueAndRemovingFromIt) {
    const SongRows first = Songs(2);
    Run([&] { controller->AddToQueueCommand(first); }); // nothing plays: starts at row 0
    EXPECT_EQ(controller->CurrentSong(), 0);
    EXPECT_EQ(opened, QStringList{first[0].Path()});

    SongRows more = {Song(u"x"_s), Song(u"y"_s), Song(u"z"_s), Song(u"w"_s)};
    Run([&] { controller->AddToQueueCommand(more); }); // while playing: appended, nothing else
    EXPECT_EQ(queue.rows.size(), 6u);
    EXPECT_EQ(controller->CurrentSong(), 0);
    EXPECT_EQ(opened.size(), 1);
    EXPECT_EQ(display.queueDuration, u"00:18:00");

    controller->SetCurrentSong(3);
    queue.selected = {5, 0};
    controller->RemoveFromQueueCommand();
    EXPECT_EQ(controller->CurrentSong(), 2);
    EXPECT_EQ(queue.rows.size(), 4u);
    EXPECT_EQ(display.queueDuration, u"00:12:00");
    queue.selected = {2}; // the playing row itself
    controller->RemoveFromQueueCommand();
    EXPECT_EQ(controller->CurrentSong(), 2);
    EXPECT_TRUE(controller->Playing()) << "removing the playing row does not stop it";

    queue.selected = {0, 1, 2};
    controller->RemoveFromQueueCommand();
    EXPECT_TRUE(queue.rows.empty());
    EXPECT_EQ(display.queueDuration, u"00:00:00");

    // After a stop, adding starts again from row 0 even of songs queued before.
    controller->StopPlayer();
    queue.rows = first;
    Run([&] { controller->AddToQueueCommand(SongRows{more[0]}); });
    EXPECT_EQ(controller->CurrentSong(), 0);
    EXPECT_EQ(opened.back(), first[0].Path());

    // A queue played to its end plays what is added next, from the first song added.
    for (int i = 0; i < 3; ++i)
        EndOfSong();
    Run([&] { controller->AddToQueueCommand(SongRows{more[1], more[2]}); });
    EXPECT_EQ(controller->CurrentSong(), 3);
    EXPECT_EQ(opened.back(), more[1].Path());
}

TEST_F(ControllerTest, RemainingTimeNowPlayingAndSeekFollowTheEngine) {
    // A song of 3 min 20 s.
    StreamOptions stream;
    stream.frames = 4;
    stream.vbr = VbrFrame::Xing;
    stream.vbrFrames = 7657; // 200 s at 44.1 kHz
    const QString path = dir.filePath(u"long.mp3"_s);
    ASSERT_TRUE(WriteFile(path, MakeMpegStream(stream)));
    Run([&] { controller->PlayFile(path); });

    const auto timecode = [&](uint8_t minutes, uint8_t seconds) {
        fake.Post(0, MessageBuilder(XA_MSG_NOTIFY_INPUT_TIMECODE)
                         .Byte(1, minutes)
                         .Byte(2, seconds)
                         .Byte(3, 50)
                         .Build());
        Settle();
    };
    controller->SetTimeDisplayMode(1);
    timecode(1, 31);
    EXPECT_EQ(display.panels[3], u"Remain:00:01:49");
    timecode(4, 0); // longer than the file says
    EXPECT_EQ(display.panels[3], u"Remain:00:00:00");

    // The now-playing text is refreshed on seconds 0, 5, ..., 55 only.
    display.nowPlayingUpdates = 0;
    for (uint8_t second = 0; second < 60; ++second)
        timecode(0, second);
    EXPECT_EQ(display.nowPlayingUpdates, 12);

    controller->SeekPlayer(200, 400);
    const auto& sent = fake.player().sent.back();
    EXPECT_EQ(sent.code, XA_MSG_COMMAND_INPUT_SEEK);
    EXPECT_EQ(sent.ints[0], 200);
    EXPECT_EQ(sent.ints[1], 400);
}

TEST_F(ControllerTest, PlaylistReplacesTheQueueAndPlaysItsFirstSong) {
    const SongRows songs = Songs(2);
    const QString playlist = dir.filePath(u"party.m3u"_s);
    ASSERT_TRUE(
        WriteFile(playlist, "# a comment\r\nsong1.mp3\r\n" + songs[0].Path().toUtf8() + "\r\n"));
    queue.rows = Songs(3);
    Run([&] { controller->PlayPlaylist(playlist); });
    ASSERT_EQ(queue.rows.size(), 2u);
    EXPECT_EQ(queue.rows[0].Path(), songs[1].Path());
    EXPECT_EQ(queue.rows[1].Path(), songs[0].Path());
    EXPECT_EQ(opened.back(), songs[1].Path());
    EXPECT_EQ(controller->CurrentSong(), 0);

    controller->PlayPlaylist(dir.filePath(u"none.m3u"_s)); // unreadable
    EXPECT_TRUE(queue.rows.empty());
    EXPECT_TRUE(controller->Stopped());
    EXPECT_EQ(controller->CurrentSong(), -1);
}

TEST_F(ControllerTest, AStopSleepsUntilTheEngineAnswersAndNothingPlaysOnBehindIt) {
    const SongRows view = Songs(3);
    Run([&] { controller->PlayCommand(&view, false); });

    // The song ends just as Stop is pressed: its end of input comes before the stopped state.
    fake.PostState(XA_PLAYER_STATE_EOS);
    Run([&] { controller->StopPlayer(); });
    EXPECT_EQ(opened, QStringList{view[0].Path()});
    EXPECT_TRUE(controller->Stopped());
    EXPECT_EQ(controller->CurrentSong(), -1);

    // An engine that answers a stop only later: the wait sleeps between events instead of
    // asking the engine over and over.
    Run([&] { controller->PlayCommand(&view, false); });
    const auto engine = fake.onSend;
    fake.onSend = [engine](FakeXaudio& f, int player, const FakeXaudio::Sent& sent) {
        if (sent.code == XA_MSG_COMMAND_STOP)
            QTimer::singleShot(30, [late = &f] { late->PostState(XA_PLAYER_STATE_STOPPED); });
        else
            engine(f, player, sent);
    };
    QObject context;
    int sleeps = 0;
    QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock,
                     &context, [&sleeps] { ++sleeps; });
    const int looks = fake.player().gets;
    controller->StopPlayer();
    EXPECT_TRUE(controller->Stopped());
    EXPECT_GT(sleeps, 0);
    EXPECT_LT(fake.player().gets - looks, 100);
}

TEST_F(ControllerTest, RowsRemovedWhileAStopIsAwaitedAreNotPlayed) {
    const SongRows view = Songs(3);
    Run([&] { controller->PlayCommand(&view, false); });
    controller->SetCurrentSong(2);
    // Rows go (the Delete key, say) while the player waits for the engine to stop.
    const auto engine = fake.onSend;
    int keep = 1;
    fake.onSend = [this, &keep, engine](FakeXaudio& f, int player, const FakeXaudio::Sent& sent) {
        if (sent.code != XA_MSG_COMMAND_STOP || f.engineState == XA_PLAYER_STATE_STOPPED)
            return engine(f, player, sent);
        QTimer::singleShot(0, [this, &keep, late = &f] {
            queue.rows.resize(size_t(keep));
            late->PostState(XA_PLAYER_STATE_STOPPED);
        });
    };
    Run([&] { controller->PreviousCommand(); }); // row 1 is gone: the last row left plays
    EXPECT_EQ(controller->CurrentSong(), 0);
    EXPECT_EQ(opened.back(), view[0].Path());

    // A double click on a row that went meanwhile plays nothing.
    queue.rows = view;
    queue.selected = {2};
    keep = 2;
    const int opens = opened.size();
    Run([&] { controller->PlayFromQueueCommand(); });
    EXPECT_EQ(opened.size(), opens);
    EXPECT_EQ(controller->CurrentSong(), -1);
}

} // namespace
} // namespace orvane::test
