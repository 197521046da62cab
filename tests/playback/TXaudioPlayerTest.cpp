// The component over a substitute engine: construction and its failure boxes, every command's
// code and arguments, Priority and ErrorString, and the dispatch of every notification code.

#include "playback/TXaudioPlayer.h"
#include "ComponentHarness.h"
#include "playback/FakeXaudio.h"

#include "engine/MessageBuilder.h"
#include "support/ScriptedPrompts.h"

#include <QVariant>
#include <gtest/gtest.h>
#include <memory>

namespace orvane::test {
namespace {

using engine::MessageBuilder;

class ComponentTest : public ::testing::Test {
protected:
    void SetUp() override { App(); }
    std::unique_ptr<TXaudioPlayer> Make() {
        return std::make_unique<TXaudioPlayer>(nullptr, prompts, fake.Library());
    }

    FakeXaudio fake; // outlives every component of the test
    ScriptedPrompts prompts;
};

TEST_F(ComponentTest, ConstructionChecksTheVersionAndStartsAPlayer) {
    auto player = Make();
    EXPECT_EQ(fake.versionRequests, std::vector<int>{2});
    EXPECT_TRUE(prompts.shown().empty());
    ASSERT_EQ(fake.PlayerCount(), 1);
    EXPECT_NE(fake.player().target.wake, nullptr);
    player.reset();
    EXPECT_TRUE(fake.player().deleted);

    struct VersionCase {
        uint32_t version;
        const char* text;
    };
    const VersionCase mismatches[] = {
        {(3u << 16) | (1u << 8), "Xaudio DLL API Mismatch\nExpected 3,2\nGot 3,1"},
        {(4u << 16) | (10u << 8) | 7u, "Xaudio DLL API Mismatch\nExpected 3,2\nGot 4,10"},
        {(1u << 24) | (3u << 16) | (2u << 8), nullptr}, // bits above 23 are not the major
    };
    for (const VersionCase& mismatch : mismatches) {
        ScriptedPrompts shown;
        fake.version = mismatch.version;
        TXaudioPlayer other(nullptr, shown, fake.Library());
        if (!mismatch.text) {
            EXPECT_TRUE(shown.shown().empty());
            continue;
        }
        ASSERT_EQ(shown.shown().size(), 1u);
        EXPECT_EQ(shown.shown()[0].kind, PromptKind::Error);
        EXPECT_EQ(shown.shown()[0].buttons, PromptButtons::Ok);
        EXPECT_EQ(shown.texts().front(), QString::fromLatin1(mismatch.text));
        EXPECT_EQ(other.Play(), XA_SUCCESS) << "the component is still used";
    }
}

TEST_F(ComponentTest, APlayerThatCannotStartIsReportedAndTheComponentStillWorks) {
    fake.newResult = XA_ERROR_THREAD;
    auto player = Make();
    EXPECT_EQ(prompts.texts(), QStringList{QStringLiteral("Cannot Start Xaudio Player")});
    EXPECT_EQ(player->Play(), XA_ERROR_INVALID_PLAYER); // the fake's answer for no player
    player.reset();                                     // deleting no player is harmless
}

struct CommandCase {
    const char* name;
    std::function<int(TXaudioPlayer&)> call;
    int code;
    const char* form;
    std::vector<int32_t> ints;
    std::vector<std::string> texts;
};

const char kData[] = "data";

const CommandCase kCommands[] = {
    {"Exit", [](TXaudioPlayer& p) { return p.Exit(); }, 1, "N", {}, {}},
    {"Ping", [](TXaudioPlayer& p) { return p.Ping(0xFFFFFFFEu); }, 2, "I", {-2}, {}},
    {"Play", [](TXaudioPlayer& p) { return p.Play(); }, 3, "N", {}, {}},
    {"Pause", [](TXaudioPlayer& p) { return p.Pause(); }, 4, "N", {}, {}},
    {"Stop", [](TXaudioPlayer& p) { return p.Stop(); }, 5, "N", {}, {}},
    {"InputSeek", [](TXaudioPlayer& p) { return p.InputSeek(200, 400); }, 6, "II", {200, 400}, {}},
    {"InputOpen",
     [](TXaudioPlayer& p) { return p.InputOpen(QStringLiteral("/m/é.mp3")); },
     7,
     "S",
     {},
     {"/m/\xC3\xA9.mp3"}},
    {"InputClose", [](TXaudioPlayer& p) { return p.InputClose(); }, 8, "N", {}, {}},
    {"InputSendMessage",
     [](TXaudioPlayer& p) { return p.InputSendMessage(-3, kData, 5); },
     9,
     "IPI",
     {-3, 0, 5},
     {}},
    {"InputAddFilter",
     [](TXaudioPlayer& p) { return p.InputAddFilter(QStringLiteral("echo"), 2); },
     10,
     "SI",
     {2},
     {"echo"}},
    {"InputRemoveFilter",
     [](TXaudioPlayer& p) { return p.InputRemoveFilter(QStringLiteral("echo"), 3); },
     11,
     "SI",
     {3},
     {"echo"}},
    {"InputFilterList", [](TXaudioPlayer& p) { return p.InputFilterList(); }, 12, "N", {}, {}},
    {"InputModuleRegister",
     [](TXaudioPlayer& p) { return p.InputModuleRegister(QStringLiteral("mod")); },
     13,
     "S",
     {},
     {"mod"}},
    {"InputModuleQuery", [](TXaudioPlayer& p) { return p.InputModuleQuery(4); }, 14, "I", {4}, {}},
    {"InputModulesList", [](TXaudioPlayer& p) { return p.InputModulesList(); }, 15, "N", {}, {}},
    {"OutputOpen",
     [](TXaudioPlayer& p) { return p.OutputOpen(QStringLiteral("wav:/t/a.wav")); },
     16,
     "S",
     {},
     {"wav:/t/a.wav"}},
    {"OutputClose", [](TXaudioPlayer& p) { return p.OutputClose(); }, 17, "N", {}, {}},
    {"OutputSendMessage",
     [](TXaudioPlayer& p) { return p.OutputSendMessage(7, kData, 4); },
     18,
     "IPI",
     {7, 0, 4},
     {}},
    {"OutputMute", [](TXaudioPlayer& p) { return p.OutputMute(); }, 19, "N", {}, {}},
    {"OutputUnmute", [](TXaudioPlayer& p) { return p.OutputUnmute(); }, 20, "N", {}, {}},
    {"OutputReset", [](TXaudioPlayer& p) { return p.OutputReset(); }, 21, "N", {}, {}},
    {"OutputDrain", [](TXaudioPlayer& p) { return p.OutputDrain(); }, 22, "N", {}, {}},
    {"OutputAddFilter",
     [](TXaudioPlayer& p) { return p.OutputAddFilter(QStringLiteral("f"), 5); },
     23,
     "SI",
     {5},
     {"f"}},
    {"OutputRemoveFilter",
     [](TXaudioPlayer& p) { return p.OutputRemoveFilter(QStringLiteral("f"), 6); },
     24,
     "SI",
     {6},
     {"f"}},
    {"OutputFilterList", [](TXaudioPlayer& p) { return p.OutputFilterList(); }, 25, "N", {}, {}},
    {"OutputModuleRegister",
     [](TXaudioPlayer& p) { return p.OutputModuleRegister(QStringLiteral("o")); },
     26,
     "S",
     {},
     {"o"}},
    {"OutputModuleQuery",
     [](TXaudioPlayer& p) { return p.OutputModuleQuery(1); },
     27,
     "I",
     {1},
     {}},
    {"OutputModulesList", [](TXaudioPlayer& p) { return p.OutputModulesList(); }, 28, "N", {}, {}},
    {"SetPlayerMode", [](TXaudioPlayer& p) { return p.SetPlayerMode(9); }, 29, "I", {9}, {}},
    {"GetPlayerMode", [](TXaudioPlayer& p) { return p.GetPlayerMode(); }, 30, "N", {}, {}},
    {"SetPlayerEnvironmentInteger",
     [](TXaudioPlayer& p) { return p.SetPlayerEnvironmentInteger(QStringLiteral("n"), -8); },
     31,
     "SI",
     {-8},
     {"n"}},
    {"GetPlayerEnvironmentInteger",
     [](TXaudioPlayer& p) { return p.GetPlayerEnvironmentInteger(QStringLiteral("n")); },
     32,
     "S",
     {},
     {"n"}},
    {"SetPlayerEnvironmentString",
     [](TXaudioPlayer& p) {
         return p.SetPlayerEnvironmentString(QStringLiteral("k"), QStringLiteral("v"));
     },
     33,
     "SS",
     {},
     {"k", "v"}},
    {"GetPlayerEnvironmentString",
     [](TXaudioPlayer& p) { return p.GetPlayerEnvironmentString(QStringLiteral("k")); },
     34,
     "S",
     {},
     {"k"}},
    {"UnsetPlayerEnvironment",
     [](TXaudioPlayer& p) { return p.UnsetPlayerEnvironment(QStringLiteral("k")); },
     35,
     "S",
     {},
     {"k"}},
    {"SetInputName",
     [](TXaudioPlayer& p) { return p.SetInputName(QStringLiteral("/a.mp3")); },
     36,
     "S",
     {},
     {"/a.mp3"}},
    {"GetInputName", [](TXaudioPlayer& p) { return p.GetInputName(); }, 37, "N", {}, {}},
    {"SetInputModule", [](TXaudioPlayer& p) { return p.SetInputModule(2); }, 38, "I", {2}, {}},
    {"GetInputModule", [](TXaudioPlayer& p) { return p.GetInputModule(); }, 39, "N", {}, {}},
    {"SetInputPositionRange",
     [](TXaudioPlayer& p) { return p.SetInputPositionRange(1000); },
     40,
     "I",
     {1000},
     {}},
    {"GetInputPositionRange",
     [](TXaudioPlayer& p) { return p.GetInputPositionRange(); },
     41,
     "N",
     {},
     {}},
    {"SetInputTimecodeGranularity",
     [](TXaudioPlayer& p) { return p.SetInputTimecodeGranularity(250); },
     42,
     "I",
     {250},
     {}},
    {"GetInputTimecodeGranularity",
     [](TXaudioPlayer& p) { return p.GetInputTimecodeGranularity(); },
     43,
     "N",
     {},
     {}},
    {"SetOutputName",
     [](TXaudioPlayer& p) { return p.SetOutputName(QStringLiteral("null:")); },
     44,
     "S",
     {},
     {"null:"}},
    {"GetOutputName", [](TXaudioPlayer& p) { return p.GetOutputName(); }, 45, "N", {}, {}},
    {"SetOutputModule", [](TXaudioPlayer& p) { return p.SetOutputModule(1); }, 46, "I", {1}, {}},
    {"GetOutputModule", [](TXaudioPlayer& p) { return p.GetOutputModule(); }, 47, "N", {}, {}},
    {"SetOutputVolume",
     [](TXaudioPlayer& p) { return p.SetOutputVolume(200, 90, 50); },
     48,
     "III",
     {200, 90, 50},
     {}},
    {"GetOutputVolume", [](TXaudioPlayer& p) { return p.GetOutputVolume(); }, 49, "N", {}, {}},
    {"SetOutputChannels",
     [](TXaudioPlayer& p) { return p.SetOutputChannels(1); },
     50,
     "I",
     {1},
     {}},
    {"GetOutputChannels", [](TXaudioPlayer& p) { return p.GetOutputChannels(); }, 51, "N", {}, {}},
    {"SetOutputPorts", [](TXaudioPlayer& p) { return p.SetOutputPorts(3); }, 52, "I", {3}, {}},
    {"GetOutputPorts", [](TXaudioPlayer& p) { return p.GetOutputPorts(); }, 53, "N", {}, {}},
    {"SetCodecQuality",
     [](TXaudioPlayer& p) { return p.SetCodecQuality(250); },
     54,
     "I",
     {250},
     {}},
    {"GetCodecQuality", [](TXaudioPlayer& p) { return p.GetCodecQuality(); }, 55, "N", {}, {}},
    {"SetCodecEqualizer",
     [](TXaudioPlayer& p) { return p.SetCodecEqualizer(nullptr); },
     58,
     "P",
     {},
     {}},
    {"GetCodecEqualizer", [](TXaudioPlayer& p) { return p.GetCodecEqualizer(); }, 59, "N", {}, {}},
    {"SetNotificationMask",
     [](TXaudioPlayer& p) { return p.SetNotificationMask(0x80000001u); },
     60,
     "I",
     {static_cast<int32_t>(0x80000001u)},
     {}},
    {"GetNotificationMask",
     [](TXaudioPlayer& p) { return p.GetNotificationMask(); },
     61,
     "N",
     {},
     {}},
    {"SetDebugLevel", [](TXaudioPlayer& p) { return p.SetDebugLevel(4); }, 62, "I", {4}, {}},
    {"GetDebugLevel", [](TXaudioPlayer& p) { return p.GetDebugLevel(); }, 63, "N", {}, {}},
};

TEST_F(ComponentTest, EveryCommandSendsItsCodeAndArguments) {
    auto player = Make();
    fake.sendResult = 7;
    for (const CommandCase& command : kCommands) {
        SCOPED_TRACE(command.name);
        fake.player().sent.clear();
        EXPECT_EQ(command.call(*player), 7) << "the library's result is returned";
        ASSERT_EQ(fake.player().sent.size(), 1u);
        const FakeXaudio::Sent& sent = fake.player().sent[0];
        EXPECT_EQ(sent.code, command.code);
        EXPECT_EQ(sent.form, command.form);
        for (size_t i = 0; i < command.ints.size(); ++i)
            EXPECT_EQ(sent.ints[i], command.ints[i]) << "integer " << i;
        for (size_t i = 0; i < command.texts.size(); ++i)
            EXPECT_EQ(sent.texts[i], command.texts[i]) << "text " << i;
        if (sent.form == "IPI") {
            EXPECT_EQ(sent.pointer, kData);
        }
    }
    EXPECT_EQ(std::size(kCommands), 61u); // codes 1-55 and 58-63
}

TEST_F(ComponentTest, EqualizerRecordOrNullIsPassed) {
    auto player = Make();
    XA_EqualizerInfo info{};
    info.left[0] = 80;
    info.right[31] = -80;
    player->SetCodecEqualizer(&info);
    player->SetCodecEqualizer(nullptr);
    const auto& sent = fake.player().sent;
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].pointer, &info);
    ASSERT_TRUE(sent[0].equalizer.has_value());
    EXPECT_EQ(sent[0].equalizer->left[0], 80);
    EXPECT_EQ(sent[0].equalizer->right[31], -80);
    EXPECT_EQ(sent[1].code, XA_MSG_SET_CODEC_EQUALIZER);
    EXPECT_EQ(sent[1].pointer, nullptr);
}

TEST_F(ComponentTest, PriorityAlwaysAsksTheEngineAndErrorStringCopiesItsText) {
    auto player = Make();
    player->SetPriority(4);
    EXPECT_EQ(fake.player().priority, 4);
    fake.player().priority = 1; // changed behind the component's back
    EXPECT_EQ(player->Priority(), 1u);
    EXPECT_EQ(player->property("Priority").toUInt(), 1u);
    EXPECT_EQ(fake.player().priorityReads, 2);
    EXPECT_TRUE(player->setProperty("Priority", 3u));
    EXPECT_EQ(fake.player().priority, 3);

    const QString text = player->ErrorString(-4);
    fake.version = 0; // nothing else changes; the fake's text buffer is reused below
    EXPECT_EQ(player->ErrorString(12), QStringLiteral("fake error 12"));
    EXPECT_EQ(text, QStringLiteral("fake error -4"));
    EXPECT_EQ(fake.errorStringRequests, (std::vector<int>{-4, 12}));
}

} // namespace
} // namespace orvane::test
