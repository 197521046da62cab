// The component over a substitute engine: construction and its failure boxes, every command's
// code and arguments, Priority and ErrorString, and the dispatch of every notification code.

#include "playback/TXaudioPlayer.h"
#include "ComponentHarness.h"
#include "playback/FakeXaudio.h"

#include "support/ScriptedPrompts.h"

#include <QVariant>
#include <gtest/gtest.h>
#include <memory>

namespace orvane::test {
namespace {

using namespace Qt::StringLiterals;

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

using P = TXaudioPlayer;
const char kData[] = "data";
const XA_EqualizerInfo kEqualizer{};

// What reached the engine: the code, the form and the arguments in order.
std::string Describe(const FakeXaudio::Sent& sent) {
    std::string text = std::to_string(sent.code) + ' ' + sent.form;
    int i = 0, t = 0;
    for (char letter : sent.form) {
        if (letter == 'I')
            text += ' ' + std::to_string(sent.ints[i++]);
        else if (letter == 'S')
            text += ' ' + sent.texts[t++];
        else if (letter == 'P')
            text += sent.pointer == kData ? " data" : sent.pointer == &kEqualizer ? " eq" : " null";
    }
    return text;
}

const struct {
    std::function<int(P&)> call;
    const char* sent;
} kCommands[] = {
    {[](P& p) { return p.Exit(); }, "1 N"},
    {[](P& p) { return p.Ping(0xFFFFFFFEu); }, "2 I -2"},
    {[](P& p) { return p.Play(); }, "3 N"},
    {[](P& p) { return p.Pause(); }, "4 N"},
    {[](P& p) { return p.Stop(); }, "5 N"},
    {[](P& p) { return p.InputSeek(200, 400); }, "6 II 200 400"},
    {[](P& p) { return p.InputOpen(QStringLiteral("/m/é.mp3")); }, "7 S /m/\xC3\xA9.mp3"},
    {[](P& p) { return p.InputClose(); }, "8 N"},
    {[](P& p) { return p.InputSendMessage(-3, kData, 5); }, "9 IPI -3 data 5"},
    {[](P& p) { return p.InputAddFilter(QStringLiteral("echo"), 2); }, "10 SI echo 2"},
    {[](P& p) { return p.InputRemoveFilter(QStringLiteral("echo"), 3); }, "11 SI echo 3"},
    {[](P& p) { return p.InputFilterList(); }, "12 N"},
    {[](P& p) { return p.InputModuleRegister(QStringLiteral("mod")); }, "13 S mod"},
    {[](P& p) { return p.InputModuleQuery(4); }, "14 I 4"},
    {[](P& p) { return p.InputModulesList(); }, "15 N"},
    {[](P& p) { return p.OutputOpen(QStringLiteral("wav:/t/a.wav")); }, "16 S wav:/t/a.wav"},
    {[](P& p) { return p.OutputClose(); }, "17 N"},
    {[](P& p) { return p.OutputSendMessage(7, kData, 4); }, "18 IPI 7 data 4"},
    {[](P& p) { return p.OutputMute(); }, "19 N"},
    {[](P& p) { return p.OutputUnmute(); }, "20 N"},
    {[](P& p) { return p.OutputReset(); }, "21 N"},
    {[](P& p) { return p.OutputDrain(); }, "22 N"},
    {[](P& p) { return p.OutputAddFilter(QStringLiteral("f"), 5); }, "23 SI f 5"},
    {[](P& p) { return p.OutputRemoveFilter(QStringLiteral("f"), 6); }, "24 SI f 6"},
    {[](P& p) { return p.OutputFilterList(); }, "25 N"},
    {[](P& p) { return p.OutputModuleRegister(QStringLiteral("o")); }, "26 S o"},
    {[](P& p) { return p.OutputModuleQuery(1); }, "27 I 1"},
    {[](P& p) { return p.OutputModulesList(); }, "28 N"},
    {[](P& p) { return p.SetPlayerMode(9); }, "29 I 9"},
    {[](P& p) { return p.GetPlayerMode(); }, "30 N"},
    {[](P& p) { return p.SetPlayerEnvironmentInteger(QStringLiteral("n"), -8); }, "31 SI n -8"},
    {[](P& p) { return p.GetPlayerEnvironmentInteger(QStringLiteral("n")); }, "32 S n"},
    {[](P& p) { return p.SetPlayerEnvironmentString(u"k"_s, u"v"_s); }, "33 SS k v"},
    {[](P& p) { return p.GetPlayerEnvironmentString(QStringLiteral("k")); }, "34 S k"},
    {[](P& p) { return p.UnsetPlayerEnvironment(QStringLiteral("k")); }, "35 S k"},
    {[](P& p) { return p.SetInputName(QStringLiteral("/a.mp3")); }, "36 S /a.mp3"},
    {[](P& p) { return p.GetInputName(); }, "37 N"},
    {[](P& p) { return p.SetInputModule(2); }, "38 I 2"},
    {[](P& p) { return p.GetInputModule(); }, "39 N"},
    {[](P& p) { return p.SetInputPositionRange(1000); }, "40 I 1000"},
    {[](P& p) { return p.GetInputPositionRange(); }, "41 N"},
    {[](P& p) { return p.SetInputTimecodeGranularity(250); }, "42 I 250"},
    {[](P& p) { return p.GetInputTimecodeGranularity(); }, "43 N"},
    {[](P& p) { return p.SetOutputName(QStringLiteral("null:")); }, "44 S null:"},
    {[](P& p) { return p.GetOutputName(); }, "45 N"},
    {[](P& p) { return p.SetOutputModule(1); }, "46 I 1"},
    {[](P& p) { return p.GetOutputModule(); }, "47 N"},
    {[](P& p) { return p.SetOutputVolume(200, 90, 50); }, "48 III 200 90 50"},
    {[](P& p) { return p.GetOutputVolume(); }, "49 N"},
    {[](P& p) { return p.SetOutputChannels(1); }, "50 I 1"},
    {[](P& p) { return p.GetOutputChannels(); }, "51 N"},
    {[](P& p) { return p.SetOutputPorts(3); }, "52 I 3"},
    {[](P& p) { return p.GetOutputPorts(); }, "53 N"},
    {[](P& p) { return p.SetCodecQuality(250); }, "54 I 250"},
    {[](P& p) { return p.GetCodecQuality(); }, "55 N"},
    {[](P& p) { return p.SetCodecEqualizer(&kEqualizer); }, "58 P eq"},
    {[](P& p) { return p.SetCodecEqualizer(nullptr); }, "58 P null"},
    {[](P& p) { return p.GetCodecEqualizer(); }, "59 N"},
    {[](P& p) { return p.SetNotificationMask(0x80000001u); }, "60 I -2147483647"},
    {[](P& p) { return p.GetNotificationMask(); }, "61 N"},
    {[](P& p) { return p.SetDebugLevel(4); }, "62 I 4"},
    {[](P& p) { return p.GetDebugLevel(); }, "63 N"},
};

TEST_F(ComponentTest, EveryCommandSendsItsCodeAndArguments) {
    auto player = Make();
    fake.sendResult = 7;
    for (const auto& command : kCommands) {
        SCOPED_TRACE(command.sent);
        fake.player().sent.clear();
        EXPECT_EQ(command.call(*player), 7) << "the library's result is returned";
        ASSERT_EQ(fake.player().sent.size(), 1u);
        EXPECT_EQ(Describe(fake.player().sent[0]), command.sent);
    }
    EXPECT_EQ(std::size(kCommands), 62u); // codes 1-55 and 58-63, the equalizer with and without
}

TEST_F(ComponentTest, PriorityAlwaysAsksTheEngineAndErrorStringCopiesItsText) {
    auto player = Make();
    player->SetPriority(4);
    EXPECT_EQ(fake.player().priority, 4);
    fake.player().priority = 1; // changed behind the component's back
    EXPECT_EQ(player->Priority(), 1u);
    EXPECT_EQ(player->property("Priority").toUInt(), 1u);
    EXPECT_TRUE(player->setProperty("Priority", 3u));
    EXPECT_EQ(fake.player().priority, 3);

    const QString text = player->ErrorString(-4);
    EXPECT_EQ(player->ErrorString(12), QStringLiteral("fake error 12"));
    EXPECT_EQ(text, QStringLiteral("fake error -4")) << "a copy, not the reused buffer";
}

} // namespace
} // namespace orvane::test
