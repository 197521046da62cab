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
using namespace Qt::StringLiterals;

class ComponentTest : public ::testing::Test {
protected:
    ComponentTest() { App(); }
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
        EXPECT_EQ(shown.texts(),
                  mismatch.text ? QStringList{QString::fromLatin1(mismatch.text)} : QStringList{});
        for (const ScriptedPrompts::Shown& box : shown.shown())
            EXPECT_EQ(std::pair(box.kind, box.buttons),
                      std::pair(PromptKind::Error, PromptButtons::Ok));
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
XA_EqualizerInfo Equalizer() {
    XA_EqualizerInfo info{};
    info.left[0] = 80;
    info.right[31] = -80;
    return info;
}
const XA_EqualizerInfo kEqualizer = Equalizer();

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

// What an event got, as text: numbers as numbers, the equalizer as its first and last band.
QString Str(qint64 value) {
    return QString::number(value);
}
QString Str(const QString& text) {
    return text;
}
QString Str(const XA_EqualizerInfo& eq) {
    return Str(eq.left[0]) + u',' + Str(eq.right[31]);
}

// Sets each named event slot to write its name and what it got into events.
void Record(TXaudioPlayer&, QStringList&) {}
template <typename Slot, typename... Rest>
void Record(TXaudioPlayer& p, QStringList& events, const char* name, Slot TXaudioPlayer::*slot,
            Rest... rest) {
    p.*slot = [&events, name](TXaudioPlayer*, const auto&... values) {
        const QStringList parts{Str(values)...};
        events << QLatin1String(name) + u'(' + parts.join(u',') + u')';
    };
    Record(p, events, rest...);
}

// Sets every event slot to write what it got into events.
void RecordAll(TXaudioPlayer& p, QStringList& events) {
    p.OnNotifyMessage = [&events](TXaudioPlayer*, XA_Message& m) {
        events << QStringLiteral("Message(%1)").arg(m.code);
    };
    using T = TXaudioPlayer;
    Record(p, events, "Ready", &T::OnNotifyReady, "Ack", &T::OnNotifyAck, "Nack", &T::OnNotifyNack,
           "Pong", &T::OnNotifyPong, "Exited", &T::OnNotifyExited, "PlayerState",
           &T::OnNotifyPlayerState, "PlayerMode", &T::OnNotifyPlayerMode, "EnvInteger",
           &T::OnNotifyPlayerEnvironmentInteger, "EnvString", &T::OnNotifyPlayerEnvironmentString,
           "InputState", &T::OnNotifyInputState, "InputName", &T::OnNotifyInputName, "InputCaps",
           &T::OnNotifyInputCaps, "InputPosition", &T::OnNotifyInputPosition, "InputPositionRange",
           &T::OnNotifyInputPositionRange, "InputTimecode", &T::OnNotifyInputTimecode,
           "InputTimecodeGranularity", &T::OnNotifyInputTimecodeGranularity, "InputDuration",
           &T::OnNotifyInputDuration, "InputStreamInfo", &T::OnNotifyInputStreamInfo, "InputModule",
           &T::OnNotifyInputModule, "InputModuleInfo", &T::OnNotifyInputModuleInfo,
           "InputDeviceInfo", &T::OnNotifyInputDeviceInfo, "InputFilterInfo",
           &T::OnNotifyInputFilterInfo, "OutputState", &T::OnNotifyOutputState, "OutputName",
           &T::OnNotifyOutputName, "OutputCaps", &T::OnNotifyOutputCaps, "OutputVolume",
           &T::OnNotifyOutputVolume, "OutputBalance", &T::OnNotifyOutputBalance, "OutputPcmLevel",
           &T::OnNotifyOutputPcmLevel, "OutputMasterLevel", &T::OnNotifyOutputMasterLevel,
           "OutputChannels", &T::OnNotifyOutputChannels, "OutputPorts", &T::OnNotifyOutputPorts,
           "OutputModule", &T::OnNotifyOutputModule, "OutputModuleInfo",
           &T::OnNotifyOutputModuleInfo, "OutputDeviceInfo", &T::OnNotifyOutputDeviceInfo,
           "OutputFilterInfo", &T::OnNotifyOutputFilterInfo, "CodecQuality",
           &T::OnNotifyCodecQuality, "CodecEqualizer", &T::OnNotifyCodecEqualizer,
           "NotificationMask", &T::OnNotifyNotificationMask, "DebugLevel", &T::OnNotifyDebugLevel,
           "Progress", &T::OnNotifyProgress, "Debug", &T::OnNotifyDebug, "Error",
           &T::OnNotifyError);
}

// Every data place filled, so that a value read from the wrong place shows.
MessageBuilder Filled(int code) {
    MessageBuilder builder(code);
    for (int offset = 0; offset < 12; ++offset)
        builder.Byte(offset, static_cast<uint8_t>(0xA0 + offset));
    return builder.Text(0, "t0").Text(4, "t4").Text(8, "t8");
}

struct DispatchCase {
    int code;
    std::function<XA_Message()> message;
    const char* event;
};

// 0xA0 + offset at every byte: word d+0 = 0xA1A0, word d+2 = 0xA3A2, dword d+0 = 0xA3A2A1A0,
// dword d+4 = 0xA7A6A5A4. Codes and the events they raise from the filled data as it is:
const QStringList kPlainEvents =
    u"64:Ready()|65:Ack(160)|67:Pong(2745344416)|68:Exited()|72:EnvString(t0,t4)|"
    u"73:InputState(160)|75:InputCaps(2745344416)|78:InputTimecode(160,161,162,163)|"
    u"79:InputTimecodeGranularity(2745344416)|80:InputDuration(2745344416)|"
    u"83:InputModuleInfo(160,161,t4,t8)|84:InputDeviceInfo(160,161,162,t4,t8)|"
    u"85:InputFilterInfo(164,t0)|86:OutputState(160)|87:OutputName(t0)|"
    u"88:OutputCaps(2745344416)|89:OutputVolume(160,161,162)|90:OutputBalance(162)|"
    u"91:OutputPcmLevel(161)|92:OutputMasterLevel(160)|93:OutputChannels(160)|"
    u"94:OutputPorts(160)|97:OutputModuleInfo(160,161,t4,t8)|"
    u"98:OutputDeviceInfo(160,161,162,t4,t8)|99:OutputFilterInfo(164,t0)|"
    u"100:CodecQuality(160)|102:NotificationMask(2745344416)|103:DebugLevel(160)|"
    u"105:Debug(160,161,t4)"_s.split(u'|');

// Codes whose values were put at their places over the filled data, and an equalizer answer
// without a record (the equalizer is off), which raises only the general event.
const DispatchCase kDispatch[] = {
    {66, [] { return Filled(66).Word(2, static_cast<uint16_t>(-4)).Build(); }, "Nack(160,-4)"},
    {69, [] { return Filled(69).Byte(0, 3).Build(); }, "PlayerState(3)"},
    {70, [] { return Filled(70).Dword(0, 7).Build(); }, "PlayerMode(7)"},
    {71, [] { return Filled(71).Dword(4, static_cast<uint32_t>(-5)).Build(); },
     "EnvInteger(t0,-5)"},
    {74, [] { return Filled(74).Text(0, "/m/\xC3\xA9t\xC3\xA9.mp3").Build(); },
     "InputName(/m/\u00e9t\u00e9.mp3)"},
    {76, [] { return Filled(76).Dword(0, 200).Dword(4, 400).Build(); }, "InputPosition(200,400)"},
    {77, [] { return Filled(77).Dword(0, 400).Build(); }, "InputPositionRange(400)"},
    {81, [] { return Filled(81).Word(4, 44100).Build(); },
     "InputStreamInfo(160,161,41890,44100,166)"},
    {82, [] { return Filled(82).Word(0, static_cast<uint16_t>(-2)).Build(); }, "InputModule(-2)"},
    {96, [] { return Filled(96).Word(0, static_cast<uint16_t>(-3)).Build(); }, "OutputModule(-3)"},
    {101, [] { return Filled(101).Equalizer(&kEqualizer).Build(); }, "CodecEqualizer(80,-80)"},
    {104, [] { return Filled(104).Word(2, static_cast<uint16_t>(-300)).Build(); },
     "Progress(160,161,-300,t4)"},
    {106, [] { return Filled(106).Word(2, static_cast<uint16_t>(-7)).Build(); },
     "Error(160,-7,t4)"},
    {101, [] { return MessageBuilder(XA_MSG_NOTIFY_CODEC_EQUALIZER).Build(); }, nullptr},
};

// The dispatcher: every code reaches its one event with the values at the right places of the
// data area, codes without an event reach only OnNotifyMessage, and notifications are raised in
// order, also from inside a handler that processes events.
class DispatchTest : public ComponentTest {
protected:
    void SetUp() override { player = Make(); }
    void Deliver(XA_Message message) {
        fake.Post(0, std::move(message));
        ProcessUntil([this] { return fake.player().queue.empty(); });
        QCoreApplication::processEvents(); // anything raised late would show now
    }

    std::unique_ptr<TXaudioPlayer> player;
    QStringList events;
};

TEST_F(DispatchTest, EveryCodeRaisesItsEventWithTheValuesAtItsPlacesOrOnlyTheGeneralOne) {
    RecordAll(*player, events);
    for (const QString& row : kPlainEvents) {
        SCOPED_TRACE(row.toStdString());
        events.clear();
        Deliver(Filled(row.section(u':', 0, 0).toInt()).Build());
        EXPECT_EQ(events, (QStringList{u"Message(%1)"_s.arg(row.section(u':', 0, 0)),
                                       row.section(u':', 1)}));
    }
    for (const DispatchCase& row : kDispatch) {
        SCOPED_TRACE(row.code);
        events.clear();
        Deliver(row.message());
        QStringList expected{QStringLiteral("Message(%1)").arg(row.code)};
        if (row.event)
            expected << QString::fromUtf8(row.event);
        EXPECT_EQ(events, expected);
    }
    // 64..106 without 95, and the empty equalizer
    EXPECT_EQ(kPlainEvents.size() + std::ssize(kDispatch), 43);
    // Codes without an event raise only the general one.
    for (int code : {95, 63, 107, 0, -1, 200}) {
        events.clear();
        Deliver(Filled(code).Build());
        EXPECT_EQ(events, QStringList{QStringLiteral("Message(%1)").arg(code)});
    }
}

TEST_F(DispatchTest, TypedEventSeesTheRecordAsTheGeneralHandlerLeftIt) {
    int state = -1;
    player->OnNotifyPlayerState = [&](TXaudioPlayer* sender, int value) {
        EXPECT_EQ(sender, player.get());
        state = value;
    };
    Deliver(MessageBuilder(XA_MSG_NOTIFY_INPUT_NAME).Text(0, "x").Build()); // no handler: fine
    player->OnNotifyMessage = [](TXaudioPlayer*, XA_Message& msg) {
        msg.data[0] = 2;
    };
    Deliver(MessageBuilder(XA_MSG_NOTIFY_PLAYER_STATE).Byte(0, 1).Build());
    EXPECT_EQ(state, 2);
}

TEST_F(DispatchTest, NotificationsArriveInOrderAlsoInsideAHandler) {
    std::vector<int> states;
    player->OnNotifyPlayerState = [&](TXaudioPlayer*, int value) {
        states.push_back(value);
        // As stopping the player does: wait for later notifications inside a handler.
        if (value == 1)
            ProcessUntil([&] {
                player->DeliverPending();
                return states.size() == 3;
            });
    };
    for (uint8_t value : {1, 2, 0})
        fake.Post(0, MessageBuilder(XA_MSG_NOTIFY_PLAYER_STATE).Byte(0, value).Build());
    ProcessUntil([&] { return states.size() == 3; });
    EXPECT_EQ(states, (std::vector<int>{1, 2, 0}));

    // Destroyed with notifications still queued: none is raised afterwards.
    fake.Post(0, MessageBuilder(XA_MSG_NOTIFY_PLAYER_STATE).Byte(0, 1).Build());
    player.reset();
    QCoreApplication::processEvents();
    EXPECT_EQ(states.size(), 3u);
}

} // namespace
} // namespace orvane::test
