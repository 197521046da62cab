// What users of the engine rely on: the order and number of state notifications, the
// notifications of an opened input and of playing, the answer to every command, and failures
// reported as such. Played through SDL's dummy sound card unless SDL_AUDIODRIVER says otherwise.

#include "EngineHarness.h"

#include "support/FileBytes.h"

#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdlib>
#include <set>
#include <thread>

namespace orvane::test {
namespace {

using audio::ScratchDir;
using namespace std::string_literals;

const bool kDummySoundCard = [] {
    return setenv("SDL_AUDIODRIVER", "dummy", 0) == 0;
}();

std::vector<XA_Message> Only(const std::vector<XA_Message>& log, int code) {
    std::vector<XA_Message> found;
    for (const XA_Message& msg : log)
        if (msg.code == code)
            found.push_back(msg);
    return found;
}

// The one notification with the code (an empty record, and a failure, when there is not one).
XA_Message One(const std::vector<XA_Message>& log, int code) {
    const std::vector<XA_Message> found = Only(log, code);
    EXPECT_EQ(found.size(), 1u) << "notifications " << code;
    return found.size() == 1 ? found[0] : XA_Message{};
}

TEST(ContractTest, StatesAndProgressThroughTwoSongs) {
    ASSERT_TRUE(kDummySoundCard);
    ScratchDir dir;
    const auto first = Tone(dir, "first.mp3", {.seconds = 2.0});
    const auto second = Tone(dir, "second.mp3", {.seconds = 1.5});
    EnginePlayer player;

    player.Open(first);
    std::vector<XA_Message> opened = player.Settle();
    EXPECT_EQ(Text(One(opened, XA_MSG_NOTIFY_INPUT_NAME), 0), first.string());
    EXPECT_EQ(Dword(One(opened, XA_MSG_NOTIFY_INPUT_POSITION_RANGE), 0), 400u);
    EXPECT_EQ(Dword(One(opened, XA_MSG_NOTIFY_INPUT_POSITION), 0), 0u);
    EXPECT_NEAR(Dword(One(opened, XA_MSG_NOTIFY_INPUT_DURATION), 0), 2000, 30);
    EXPECT_TRUE(Only(opened, XA_MSG_NOTIFY_PLAYER_STATE).empty()) << "opening is no state";

    player.Send(XA_MSG_COMMAND_PLAY);
    ASSERT_TRUE(player.WaitForState(XA_PLAYER_STATE_EOS));
    const std::vector<XA_Message> played = player.Settle();
    const auto states = Only(played, XA_MSG_NOTIFY_PLAYER_STATE);
    ASSERT_EQ(states.size(), 2u);
    EXPECT_EQ(Byte(states[0], 0), XA_PLAYER_STATE_PLAYING);
    EXPECT_EQ(Byte(states[1], 0), XA_PLAYER_STATE_EOS);

    // Positions rise, never repeat, stay in the range and end at its end.
    const auto positions = Only(played, XA_MSG_NOTIFY_INPUT_POSITION);
    ASSERT_GE(positions.size(), 3u);
    for (size_t i = 1; i < positions.size(); ++i) {
        EXPECT_GT(Dword(positions[i], 0), Dword(positions[i - 1], 0));
        EXPECT_EQ(Dword(positions[i], 4), 400u);
    }
    EXPECT_EQ(Dword(positions.back(), 0), 400u);
    // A timecode for every second of audio (0 came with the opening).
    std::set<int> seconds;
    for (const XA_Message& timecode : Only(played, XA_MSG_NOTIFY_INPUT_TIMECODE)) {
        EXPECT_EQ(Byte(timecode, 0), 0); // hours
        EXPECT_EQ(Byte(timecode, 1), 0); // minutes
        seconds.insert(Byte(timecode, 2));
    }
    EXPECT_EQ(seconds, (std::set<int>{1, 2}));

    // At the end of input the next song opens without a stop (also when named with
    // SET_INPUT_NAME, the other name of the command) and plays on Play.
    control_message_send_S(player.get(), XA_MSG_SET_INPUT_NAME, second.c_str());
    const std::vector<XA_Message> next = player.Settle();
    EXPECT_EQ(Text(One(next, XA_MSG_NOTIFY_INPUT_NAME), 0), second.string());
    EXPECT_TRUE(Only(next, XA_MSG_NOTIFY_PLAYER_STATE).empty());
    player.Send(XA_MSG_COMMAND_PLAY);
    ASSERT_TRUE(player.WaitForState(XA_PLAYER_STATE_PLAYING));
    player.Send(XA_MSG_COMMAND_PAUSE);
    ASSERT_TRUE(player.WaitForState(XA_PLAYER_STATE_PAUSED));
    player.Send(XA_MSG_COMMAND_PLAY);
    ASSERT_TRUE(player.WaitForState(XA_PLAYER_STATE_PLAYING));
    player.Send(XA_MSG_COMMAND_PLAY); // already playing: answered, no state
    player.Send(XA_MSG_COMMAND_STOP);
    player.Send(XA_MSG_COMMAND_STOP); // already stopped: answered, no state
    player.Send(XA_MSG_COMMAND_INPUT_CLOSE);
    const std::vector<XA_Message> stopped = player.Settle();
    std::vector<int> lastStates;
    for (const XA_Message& state : Only(stopped, XA_MSG_NOTIFY_PLAYER_STATE))
        lastStates.push_back(Byte(state, 0));
    EXPECT_EQ(lastStates, (std::vector<int>{1, 2, 1, 0}));
    // Play, Pause, Play, Play, Stop, Stop, InputClose.
    EXPECT_EQ(Only(stopped, XA_MSG_NOTIFY_ACK).size(), 7u);
    EXPECT_TRUE(Only(stopped, XA_MSG_NOTIFY_NACK).empty());
}

TEST(ContractTest, StopFromEveryStateGivesOneStoppedState) {
    ScratchDir dir;
    const auto song = Tone(dir, "short.mp3", {.seconds = 0.3});
    EnginePlayer player;
    player.Output("null:");
    for (uint8_t state : {XA_PLAYER_STATE_PLAYING, XA_PLAYER_STATE_PAUSED, XA_PLAYER_STATE_EOS}) {
        SCOPED_TRACE(static_cast<int>(state));
        player.Open(song);
        player.Send(XA_MSG_COMMAND_PLAY);
        if (state == XA_PLAYER_STATE_PAUSED)
            player.Send(XA_MSG_COMMAND_PAUSE);
        ASSERT_TRUE(player.WaitForState(state));
        player.log.clear();
        player.Send(XA_MSG_COMMAND_STOP);
        player.Send(XA_MSG_COMMAND_STOP);
        EXPECT_EQ(Byte(One(player.Settle(), XA_MSG_NOTIFY_PLAYER_STATE), 0),
                  XA_PLAYER_STATE_STOPPED);
        // Nothing of the stopped song comes late.
        EXPECT_TRUE(Only(player.Settle(), XA_MSG_NOTIFY_PLAYER_STATE).empty());
    }
}

TEST(ContractTest, TheSoundCardIsGivenBackWhenNoSongFollowsTheEnd) {
    ASSERT_TRUE(kDummySoundCard);
    ScratchDir dir;
    const auto song = Tone(dir, "short.mp3", {.seconds = 0.3});
    EnginePlayer player;
    const auto released = [] {
        for (int turn = 0; turn < 1000 && SDL_WasInit(SDL_INIT_AUDIO) != 0; ++turn)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return SDL_WasInit(SDL_INIT_AUDIO) == 0;
    };
    player.Open(song);
    player.Send(XA_MSG_COMMAND_PLAY);
    ASSERT_TRUE(player.WaitForState(XA_PLAYER_STATE_EOS));
    EXPECT_TRUE(released()) << "the card is not held after the last song";
    // A next song plays on the card again, without a stop in between.
    player.log.clear();
    player.Open(song);
    player.Send(XA_MSG_COMMAND_PLAY);
    ASSERT_TRUE(player.WaitForState(XA_PLAYER_STATE_EOS));
    EXPECT_EQ(player.Count(XA_MSG_NOTIFY_PLAYER_STATE, XA_PLAYER_STATE_STOPPED), 0);
    EXPECT_EQ(player.Count(XA_MSG_NOTIFY_ERROR), 0);
    EXPECT_TRUE(released());
}

TEST(ContractTest, InputsThatCannotBeOpenedAreReported) {
    ScratchDir dir;
    const auto song = Tone(dir, "song.mp3", {.seconds = 1.0});
    const auto text = dir.file("notes.mp3");
    ASSERT_TRUE(WriteFile(QString::fromStdString(text.string()), "not audio at all\n"));
    const std::string missing = (dir.path() / "missing.mp3").string();
    EnginePlayer player;
    player.Output("null:");

    for (const std::string& bad : {missing, text.string()}) {
        SCOPED_TRACE(bad);
        player.Open(bad);
        const std::vector<XA_Message> answers = player.Settle();
        const XA_Message error = One(answers, XA_MSG_NOTIFY_ERROR);
        EXPECT_EQ(Byte(error, 0), XA_SOURCE_INPUT);
        EXPECT_NE(Text(error, 4).find(bad), std::string::npos) << Text(error, 4);
        EXPECT_EQ(static_cast<int16_t>(Word(One(answers, XA_MSG_NOTIFY_NACK), 2)),
                  XA_ERROR_OPEN_FAILED);
        EXPECT_TRUE(Only(answers, XA_MSG_NOTIFY_PLAYER_STATE).empty());
    }
    // While playing, a failed open stops the player, once.
    player.Open(song);
    player.Send(XA_MSG_COMMAND_PLAY);
    ASSERT_TRUE(player.WaitForState(XA_PLAYER_STATE_PLAYING));
    player.Settle();
    player.Open(missing);
    player.Send(XA_MSG_COMMAND_PLAY); // nothing left to play
    const std::vector<XA_Message> answers = player.Settle();
    EXPECT_EQ(Byte(One(answers, XA_MSG_NOTIFY_PLAYER_STATE), 0), XA_PLAYER_STATE_STOPPED);
    const auto nacks = Only(answers, XA_MSG_NOTIFY_NACK);
    ASSERT_EQ(nacks.size(), 2u);
    EXPECT_EQ(Byte(nacks[1], 0), XA_MSG_COMMAND_PLAY);
    EXPECT_EQ(static_cast<int16_t>(Word(nacks[1], 2)), XA_ERROR_NO_INPUT);
}

TEST(ContractTest, OutputsThatCannotBeOpenedAreReported) {
    ScratchDir dir;
    const auto song = Tone(dir, "song.mp3", {.seconds = 0.3});
    EnginePlayer player;
    player.Open(song);
    player.Output("wav:" + (dir.path() / "no-such-folder" / "out.wav").string());
    player.Send(XA_MSG_COMMAND_PLAY);
    player.Output("cdrom:");
    const std::vector<XA_Message> answers = player.Settle();
    EXPECT_EQ(Only(answers, XA_MSG_NOTIFY_ERROR).size(), 3u);
    const auto nacks = Only(answers, XA_MSG_NOTIFY_NACK);
    ASSERT_EQ(nacks.size(), 3u);
    EXPECT_EQ(Byte(nacks[0], 0), XA_MSG_COMMAND_OUTPUT_OPEN);
    EXPECT_EQ(Byte(nacks[1], 0), XA_MSG_COMMAND_PLAY);
    EXPECT_EQ(static_cast<int16_t>(Word(nacks[2], 2)), XA_ERROR_INVALID_PARAMETERS);
    EXPECT_TRUE(Only(answers, XA_MSG_NOTIFY_PLAYER_STATE).empty());

    // Without a usable sound card the song still plays, silently, to its end.
    const char* driver = std::getenv("SDL_AUDIODRIVER");
    const std::string saved = driver ? driver : "";
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    player.Output("sdl:");
    player.Send(XA_MSG_COMMAND_PLAY);
    const bool ended = player.WaitForState(XA_PLAYER_STATE_EOS);
    setenv("SDL_AUDIODRIVER", saved.c_str(), 1);
    ASSERT_TRUE(ended);
    const XA_Message error = One(player.log, XA_MSG_NOTIFY_ERROR);
    EXPECT_EQ(Byte(error, 0), XA_SOURCE_OUTPUT);
    EXPECT_NE(Text(error, 4).find("sound card"), std::string::npos);
}

using Got = const std::vector<XA_Message>&;

// One command, a check of its answers and the notification codes it must be answered with.
struct Answer {
    const char* what;
    std::function<void(XA_Player)> send;
    std::function<void(Got)> check;
    std::vector<int> codes;
};

TEST(ContractTest, EveryCommandIsAnswered) {
    constexpr int kAck = XA_MSG_NOTIFY_ACK, kNack = XA_MSG_NOTIFY_NACK;
    auto nackWith = [](int command, int code) {
        return [command, code](Got answers) {
            EXPECT_EQ(Byte(answers.back(), 0), command);
            EXPECT_EQ(static_cast<int16_t>(Word(answers.back(), 2)), code);
        };
    };
    auto unsupported = [&](const char* what, int code) {
        return Answer{what,
                      [code](XA_Player p) { control_message_send_I(p, code, 1); },
                      nackWith(code, XA_ERROR_NOT_SUPPORTED),
                      {kNack}};
    };
    const Answer answers[] = {
        {"get mode",
         [](XA_Player p) { control_message_send_N(p, XA_MSG_GET_PLAYER_MODE); },
         {},
         {XA_MSG_NOTIFY_PLAYER_MODE}},
        {"integer variable",
         [](XA_Player p) {
             control_message_send_SI(p, XA_MSG_SET_PLAYER_ENVIRONMENT_INTEGER, "gain", -5);
             control_message_send_S(p, XA_MSG_GET_PLAYER_ENVIRONMENT_INTEGER, "gain");
         },
         [](Got a) {
             EXPECT_EQ(std::pair(Text(a[1], 0), int32_t(Dword(a[1], 4))), std::pair("gain"s, -5));
         },
         {kAck, XA_MSG_NOTIFY_PLAYER_ENVIRONMENT_INTEGER}},
        {"text variable",
         [](XA_Player p) {
             control_message_send_SS(p, XA_MSG_SET_PLAYER_ENVIRONMENT_STRING, "skin", "dark");
             control_message_send_S(p, XA_MSG_GET_PLAYER_ENVIRONMENT_STRING, "skin");
             control_message_send_S(p, XA_MSG_UNSET_PLAYER_ENVIRONMENT, "skin");
             control_message_send_S(p, XA_MSG_GET_PLAYER_ENVIRONMENT_STRING, "skin");
         },
         [](Got a) {
             EXPECT_EQ(Text(a[1], 4), "dark");
             EXPECT_EQ(static_cast<int16_t>(Word(a[3], 2)), XA_ERROR_NO_SUCH_VARIABLE);
         },
         {kAck, XA_MSG_NOTIFY_PLAYER_ENVIRONMENT_STRING, kAck, kNack}},
        {"input name without input",
         [](XA_Player p) { control_message_send_N(p, XA_MSG_GET_INPUT_NAME); },
         nackWith(XA_MSG_GET_INPUT_NAME, XA_ERROR_NO_INPUT),
         {kNack}},
        {"position range",
         [](XA_Player p) {
             control_message_send_I(p, XA_MSG_SET_INPUT_POSITION_RANGE, 1000);
             control_message_send_N(p, XA_MSG_GET_INPUT_POSITION_RANGE);
             control_message_send_I(p, XA_MSG_SET_INPUT_POSITION_RANGE, 0);
         },
         [](Got a) { EXPECT_EQ(Dword(a[2], 0), 1000u); },
         {XA_MSG_NOTIFY_INPUT_POSITION_RANGE, kAck, XA_MSG_NOTIFY_INPUT_POSITION_RANGE, kNack}},
        {"timecode granularity",
         [](XA_Player p) {
             control_message_send_I(p, XA_MSG_SET_INPUT_TIMECODE_GRANULARITY, 250);
             control_message_send_N(p, XA_MSG_GET_INPUT_TIMECODE_GRANULARITY);
         },
         [](Got a) { EXPECT_EQ(Dword(a[1], 0), 250u); },
         {kAck, XA_MSG_NOTIFY_INPUT_TIMECODE_GRANULARITY}},
        {"output name",
         [](XA_Player p) { control_message_send_N(p, XA_MSG_GET_OUTPUT_NAME); },
         [](Got a) { EXPECT_EQ(Text(a[0], 0), "sdl:"); },
         {XA_MSG_NOTIFY_OUTPUT_NAME}},
        {"volume",
         [](XA_Player p) {
             control_message_send_III(p, XA_MSG_SET_OUTPUT_VOLUME, 80, 90, 40);
             control_message_send_N(p, XA_MSG_GET_OUTPUT_VOLUME);
             control_message_send_III(p, XA_MSG_SET_OUTPUT_VOLUME, 101, 0, 0);
         },
         [](Got a) { EXPECT_EQ(Dword(a[1], 0) & 0xFFFFFF, 80u | 90u << 8 | 40u << 16); },
         {kAck, XA_MSG_NOTIFY_OUTPUT_VOLUME, kNack}},
        {"debug level",
         [](XA_Player p) {
             control_message_send_I(p, XA_MSG_SET_DEBUG_LEVEL, 3);
             control_message_send_N(p, XA_MSG_GET_DEBUG_LEVEL);
         },
         [](Got a) { EXPECT_EQ(Byte(a[1], 0), 3); },
         {kAck, XA_MSG_NOTIFY_DEBUG_LEVEL}},
        {"other queries",
         [](XA_Player p) {
             for (int code :
                  {XA_MSG_GET_INPUT_MODULE, XA_MSG_GET_OUTPUT_MODULE, XA_MSG_GET_OUTPUT_CHANNELS,
                   XA_MSG_GET_OUTPUT_PORTS, XA_MSG_GET_CODEC_QUALITY, XA_MSG_GET_NOTIFICATION_MASK,
                   XA_MSG_GET_CODEC_EQUALIZER})
                 control_message_send_N(p, code);
         },
         {},
         {XA_MSG_NOTIFY_INPUT_MODULE, XA_MSG_NOTIFY_OUTPUT_MODULE, XA_MSG_NOTIFY_OUTPUT_CHANNELS,
          XA_MSG_NOTIFY_OUTPUT_PORTS, XA_MSG_NOTIFY_CODEC_QUALITY, XA_MSG_NOTIFY_NOTIFICATION_MASK,
          XA_MSG_NOTIFY_CODEC_EQUALIZER}},
        {"modules",
         [](XA_Player p) {
             control_message_send_I(p, XA_MSG_COMMAND_INPUT_MODULE_QUERY, 0);
             control_message_send_N(p, XA_MSG_COMMAND_OUTPUT_MODULES_LIST);
             control_message_send_I(p, XA_MSG_COMMAND_OUTPUT_MODULE_QUERY, 7);
         },
         [](Got a) { EXPECT_EQ(Text(a[0], 4) + ' ' + Text(a[2], 4), "mpeg wav"); },
         {XA_MSG_NOTIFY_INPUT_MODULE_INFO, XA_MSG_NOTIFY_OUTPUT_MODULE_INFO,
          XA_MSG_NOTIFY_OUTPUT_MODULE_INFO, XA_MSG_NOTIFY_OUTPUT_MODULE_INFO, kAck, kNack}},
        {"filters",
         [](XA_Player p) {
             control_message_send_N(p, XA_MSG_COMMAND_INPUT_FILTER_LIST);
             control_message_send_SI(p, XA_MSG_COMMAND_OUTPUT_ADD_FILTER, "echo", 0);
         },
         nackWith(XA_MSG_COMMAND_OUTPUT_ADD_FILTER, XA_ERROR_NOT_SUPPORTED),
         {kAck, kNack}},
        {"commands without an input",
         [](XA_Player p) {
             for (int code : {XA_MSG_COMMAND_PLAY, XA_MSG_COMMAND_PAUSE, XA_MSG_COMMAND_STOP})
                 control_message_send_N(p, code);
             control_message_send_II(p, XA_MSG_COMMAND_INPUT_SEEK, 1, 2);
             control_message_send_N(p, XA_MSG_COMMAND_INPUT_CLOSE);
             control_message_send_N(p, XA_MSG_COMMAND_OUTPUT_MUTE);
         },
         {},
         {kNack, kNack, kAck, kNack, kAck, kAck}},
        {"message to the input",
         [](XA_Player p) {
             const char data[4] = {};
             control_message_send_IPI(p, XA_MSG_COMMAND_INPUT_SEND_MESSAGE, 1, data, 4);
         },
         nackWith(XA_MSG_COMMAND_INPUT_SEND_MESSAGE, XA_ERROR_NOT_SUPPORTED),
         {kNack}},
    };
    std::vector<Answer> all(std::begin(answers), std::end(answers));
    // Settings the engine does not support, codes 56 and 57, and an unknown code.
    for (int code : std::initializer_list<int>{XA_MSG_SET_PLAYER_MODE, XA_MSG_SET_OUTPUT_CHANNELS,
                                               XA_MSG_SET_CODEC_QUALITY,
                                               XA_MSG_SET_NOTIFICATION_MASK, 56, 57, 200})
        all.push_back(unsupported("unsupported code", code));

    EnginePlayer player;
    for (const Answer& answer : all) {
        SCOPED_TRACE(answer.what);
        answer.send(player.get());
        const std::vector<XA_Message> got = player.Settle();
        std::vector<int> codes;
        for (const XA_Message& msg : got)
            codes.push_back(msg.code);
        EXPECT_EQ(codes, answer.codes);
        if (answer.check && codes == answer.codes)
            answer.check(got);
    }
    EXPECT_NE(std::string(xaudio_error_string(XA_ERROR_NOT_SUPPORTED)).find("not supported"),
              std::string::npos);
    EXPECT_EQ(xaudio_get_api_version(2), 0x030200u);

    // Exit answers Exited; afterwards the player refuses commands instead of losing them.
    control_message_send_N(player.get(), XA_MSG_COMMAND_EXIT);
    ASSERT_TRUE(player.WaitFor(XA_MSG_NOTIFY_EXITED));
    EXPECT_EQ(control_message_send_N(player.get(), XA_MSG_COMMAND_PLAY), XA_ERROR_PLAYER_EXITED);
    EXPECT_EQ(control_message_send_S(player.get(), XA_MSG_COMMAND_INPUT_OPEN, nullptr),
              XA_ERROR_INVALID_PARAMETERS);
}

TEST(ContractTest, PriorityIsTheThreadsAndNullHandlesAreRefused) {
    EnginePlayer player;
    EXPECT_EQ(player_get_priority(player.get()), XA_CONTROL_PRIORITY_NORMAL);
    EXPECT_EQ(player_set_priority(player.get(), XA_CONTROL_PRIORITY_LOWEST), XA_SUCCESS);
    EXPECT_EQ(player_get_priority(player.get()), XA_CONTROL_PRIORITY_LOWEST);
    EXPECT_EQ(player_set_priority(player.get(), 9), XA_ERROR_INVALID_PARAMETERS);
    EXPECT_EQ(player_get_priority(player.get()), XA_CONTROL_PRIORITY_LOWEST);

    XA_Message msg;
    EXPECT_EQ(control_message_get(player.get(), &msg), XA_ERROR_NO_MESSAGE);
    EXPECT_EQ(control_message_send_N(nullptr, XA_MSG_COMMAND_PLAY), XA_ERROR_INVALID_PLAYER);
    EXPECT_EQ(player_delete(nullptr), XA_ERROR_INVALID_PLAYER);
    EXPECT_EQ(player_new(nullptr, nullptr), XA_ERROR_INVALID_PARAMETERS);
}

} // namespace
} // namespace orvane::test
