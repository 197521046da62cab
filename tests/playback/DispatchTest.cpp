// The component's notification dispatcher: every code reaches its one event with the values
// at the right places of the data area, codes without an event reach only OnNotifyMessage, and
// notifications are raised in order, also from inside a handler that processes events.

#include "ComponentHarness.h"
#include "playback/FakeXaudio.h"
#include "playback/TXaudioPlayer.h"

#include "engine/MessageBuilder.h"
#include "support/ScriptedPrompts.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace orvane::test {
namespace {

using engine::MessageBuilder;

QString N(int value) {
    return QString::number(value);
}

// Sets every event slot to write what it got into events.
void RecordAll(TXaudioPlayer& p, QStringList& events) {
    QStringList* e = &events;
    auto one = [e](const char* name, const QStringList& values) {
        e->append(QLatin1String(name) + QLatin1Char('(') + values.join(QLatin1Char(',')) +
                  QLatin1Char(')'));
    };
    using S = TXaudioPlayer*;
    using C = const QString&;
    p.OnNotifyMessage = [e](S, XA_Message& m) {
        e->append(QStringLiteral("Message(%1)").arg(m.code));
    };
    p.OnNotifyReady = [one](S) {
        one("Ready", {});
    };
    p.OnNotifyAck = [one](S, uint8_t c) {
        one("Ack", {N(c)});
    };
    p.OnNotifyNack = [one](S, uint8_t c, int16_t code) {
        one("Nack", {N(c), N(code)});
    };
    p.OnNotifyPong = [one](S, uint32_t t) {
        one("Pong", {QString::number(t)});
    };
    p.OnNotifyExited = [one](S) {
        one("Exited", {});
    };
    p.OnNotifyPlayerState = [one](S, int s) {
        one("PlayerState", {N(s)});
    };
    p.OnNotifyPlayerMode = [one](S, int m) {
        one("PlayerMode", {N(m)});
    };
    p.OnNotifyPlayerEnvironmentInteger = [one](S, C n, int v) {
        one("EnvInteger", {n, N(v)});
    };
    p.OnNotifyPlayerEnvironmentString = [one](S, C n, C v) {
        one("EnvString", {n, v});
    };
    p.OnNotifyInputState = [one](S, int s) {
        one("InputState", {N(s)});
    };
    p.OnNotifyInputName = [one](S, C n) {
        one("InputName", {n});
    };
    p.OnNotifyInputCaps = [one](S, uint32_t c) {
        one("InputCaps", {QString::number(c)});
    };
    p.OnNotifyInputPosition = [one](S, uint32_t o, uint32_t r) {
        one("InputPosition", {QString::number(o), QString::number(r)});
    };
    p.OnNotifyInputPositionRange = [one](S, int r) {
        one("InputPositionRange", {N(r)});
    };
    p.OnNotifyInputTimecode = [one](S, uint8_t h, uint8_t m, uint8_t s, uint8_t f) {
        one("InputTimecode", {N(h), N(m), N(s), N(f)});
    };
    p.OnNotifyInputTimecodeGranularity = [one](S, uint32_t g) {
        one("InputTimecodeGranularity", {QString::number(g)});
    };
    p.OnNotifyInputDuration = [one](S, uint32_t d) {
        one("InputDuration", {QString::number(d)});
    };
    p.OnNotifyInputStreamInfo = [one](S, uint8_t l, uint8_t y, uint16_t b, uint16_t f, uint8_t m) {
        one("InputStreamInfo", {N(l), N(y), N(b), N(f), N(m)});
    };
    p.OnNotifyInputModule = [one](S, int16_t id) {
        one("InputModule", {N(id)});
    };
    p.OnNotifyInputModuleInfo = [one](S, uint8_t id, uint8_t nb, C n, C d) {
        one("InputModuleInfo", {N(id), N(nb), n, d});
    };
    p.OnNotifyInputDeviceInfo = [one](S, uint8_t m, uint8_t i, uint8_t f, C n, C d) {
        one("InputDeviceInfo", {N(m), N(i), N(f), n, d});
    };
    p.OnNotifyInputFilterInfo = [one](S, uint8_t id, C n) {
        one("InputFilterInfo", {N(id), n});
    };
    p.OnNotifyOutputState = [one](S, int s) {
        one("OutputState", {N(s)});
    };
    p.OnNotifyOutputName = [one](S, C n) {
        one("OutputName", {n});
    };
    p.OnNotifyOutputCaps = [one](S, uint32_t c) {
        one("OutputCaps", {QString::number(c)});
    };
    p.OnNotifyOutputVolume = [one](S, uint8_t m, uint8_t c, uint8_t b) {
        one("OutputVolume", {N(m), N(c), N(b)});
    };
    p.OnNotifyOutputBalance = [one](S, uint8_t b) {
        one("OutputBalance", {N(b)});
    };
    p.OnNotifyOutputPcmLevel = [one](S, uint8_t l) {
        one("OutputPcmLevel", {N(l)});
    };
    p.OnNotifyOutputMasterLevel = [one](S, uint8_t l) {
        one("OutputMasterLevel", {N(l)});
    };
    p.OnNotifyOutputChannels = [one](S, uint8_t c) {
        one("OutputChannels", {N(c)});
    };
    p.OnNotifyOutputPorts = [one](S, uint32_t c) {
        one("OutputPorts", {QString::number(c)});
    };
    p.OnNotifyOutputModule = [one](S, int16_t id) {
        one("OutputModule", {N(id)});
    };
    p.OnNotifyOutputModuleInfo = [one](S, uint8_t id, uint8_t nb, C n, C d) {
        one("OutputModuleInfo", {N(id), N(nb), n, d});
    };
    p.OnNotifyOutputDeviceInfo = [one](S, uint8_t m, uint8_t i, uint8_t f, C n, C d) {
        one("OutputDeviceInfo", {N(m), N(i), N(f), n, d});
    };
    p.OnNotifyOutputFilterInfo = [one](S, uint8_t id, C n) {
        one("OutputFilterInfo", {N(id), n});
    };
    p.OnNotifyCodecQuality = [one](S, uint8_t q) {
        one("CodecQuality", {N(q)});
    };
    p.OnNotifyCodecEqualizer = [one](S, const XA_EqualizerInfo& eq) {
        one("CodecEqualizer", {N(eq.left[0]), N(eq.right[31])});
    };
    p.OnNotifyNotificationMask = [one](S, uint32_t m) {
        one("NotificationMask", {QString::number(m)});
    };
    p.OnNotifyDebugLevel = [one](S, uint8_t l) {
        one("DebugLevel", {N(l)});
    };
    p.OnNotifyProgress = [one](S, uint8_t s, uint8_t c, int16_t v, C m) {
        one("Progress", {N(s), N(c), N(v), m});
    };
    p.OnNotifyDebug = [one](S, uint8_t s, uint8_t l, C m) {
        one("Debug", {N(s), N(l), m});
    };
    p.OnNotifyError = [one](S, uint8_t s, int16_t c, C m) {
        one("Error", {N(s), N(c), m});
    };
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

XA_EqualizerInfo Equalizer() {
    XA_EqualizerInfo info{};
    info.left[0] = 80;
    info.right[31] = -80;
    return info;
}
const XA_EqualizerInfo kEqualizer = Equalizer();

// 0xA0 + offset at every byte: word d+0 = 0xA1A0, word d+2 = 0xA3A2, dword d+0 = 0xA3A2A1A0,
// dword d+4 = 0xA7A6A5A4.
const DispatchCase kDispatch[] = {
    {64, [] { return Filled(64).Build(); }, "Ready()"},
    {65, [] { return Filled(65).Build(); }, "Ack(160)"},
    {66, [] { return Filled(66).Word(2, static_cast<uint16_t>(-4)).Build(); }, "Nack(160,-4)"},
    {67, [] { return Filled(67).Build(); }, "Pong(2745344416)"},
    {68, [] { return Filled(68).Build(); }, "Exited()"},
    {69, [] { return Filled(69).Byte(0, 3).Build(); }, "PlayerState(3)"},
    {70, [] { return Filled(70).Dword(0, 7).Build(); }, "PlayerMode(7)"},
    {71, [] { return Filled(71).Dword(4, static_cast<uint32_t>(-5)).Build(); },
     "EnvInteger(t0,-5)"},
    {72, [] { return Filled(72).Build(); }, "EnvString(t0,t4)"},
    {73, [] { return Filled(73).Build(); }, "InputState(160)"},
    {74, [] { return Filled(74).Text(0, "/m/\xC3\xA9t\xC3\xA9.mp3").Build(); },
     "InputName(/m/\u00e9t\u00e9.mp3)"},
    {75, [] { return Filled(75).Build(); }, "InputCaps(2745344416)"},
    {76, [] { return Filled(76).Dword(0, 200).Dword(4, 400).Build(); }, "InputPosition(200,400)"},
    {77, [] { return Filled(77).Dword(0, 400).Build(); }, "InputPositionRange(400)"},
    {78, [] { return Filled(78).Build(); }, "InputTimecode(160,161,162,163)"},
    {79, [] { return Filled(79).Build(); }, "InputTimecodeGranularity(2745344416)"},
    {80, [] { return Filled(80).Build(); }, "InputDuration(2745344416)"},
    {81, [] { return Filled(81).Word(4, 44100).Build(); },
     "InputStreamInfo(160,161,41890,44100,166)"},
    {82, [] { return Filled(82).Word(0, static_cast<uint16_t>(-2)).Build(); }, "InputModule(-2)"},
    {83, [] { return Filled(83).Build(); }, "InputModuleInfo(160,161,t4,t8)"},
    {84, [] { return Filled(84).Build(); }, "InputDeviceInfo(160,161,162,t4,t8)"},
    {85, [] { return Filled(85).Build(); }, "InputFilterInfo(164,t0)"},
    {86, [] { return Filled(86).Build(); }, "OutputState(160)"},
    {87, [] { return Filled(87).Build(); }, "OutputName(t0)"},
    {88, [] { return Filled(88).Build(); }, "OutputCaps(2745344416)"},
    {89, [] { return Filled(89).Build(); }, "OutputVolume(160,161,162)"},
    {90, [] { return Filled(90).Build(); }, "OutputBalance(162)"},
    {91, [] { return Filled(91).Build(); }, "OutputPcmLevel(161)"},
    {92, [] { return Filled(92).Build(); }, "OutputMasterLevel(160)"},
    {93, [] { return Filled(93).Build(); }, "OutputChannels(160)"},
    {94, [] { return Filled(94).Build(); }, "OutputPorts(160)"},
    {96, [] { return Filled(96).Word(0, static_cast<uint16_t>(-3)).Build(); }, "OutputModule(-3)"},
    {97, [] { return Filled(97).Build(); }, "OutputModuleInfo(160,161,t4,t8)"},
    {98, [] { return Filled(98).Build(); }, "OutputDeviceInfo(160,161,162,t4,t8)"},
    {99, [] { return Filled(99).Build(); }, "OutputFilterInfo(164,t0)"},
    {100, [] { return Filled(100).Build(); }, "CodecQuality(160)"},
    {101, [] { return Filled(101).Equalizer(&kEqualizer).Build(); }, "CodecEqualizer(80,-80)"},
    {102, [] { return Filled(102).Build(); }, "NotificationMask(2745344416)"},
    {103, [] { return Filled(103).Build(); }, "DebugLevel(160)"},
    {104, [] { return Filled(104).Word(2, static_cast<uint16_t>(-300)).Build(); },
     "Progress(160,161,-300,t4)"},
    {105, [] { return Filled(105).Build(); }, "Debug(160,161,t4)"},
    {106, [] { return Filled(106).Word(2, static_cast<uint16_t>(-7)).Build(); },
     "Error(160,-7,t4)"},
};

class DispatchTest : public ::testing::Test {
protected:
    void SetUp() override {
        App();
        player = std::make_unique<TXaudioPlayer>(nullptr, prompts, fake.Library());
    }
    void Deliver(XA_Message message) {
        fake.Post(0, std::move(message));
        ProcessUntil([this] { return fake.player().queue.empty(); });
        QCoreApplication::processEvents(); // anything raised late would show now
    }

    FakeXaudio fake;
    ScriptedPrompts prompts;
    std::unique_ptr<TXaudioPlayer> player;
    QStringList events;
};

TEST_F(DispatchTest, EveryCodeRaisesItsEventWithTheValuesAtItsPlaces) {
    RecordAll(*player, events);
    for (const DispatchCase& row : kDispatch) {
        SCOPED_TRACE(row.code);
        events.clear();
        Deliver(row.message());
        EXPECT_EQ(events, (QStringList{QStringLiteral("Message(%1)").arg(row.code),
                                       QString::fromUtf8(row.event)}));
    }
    EXPECT_EQ(std::size(kDispatch), 42u); // 64..106 without 95
}

TEST_F(DispatchTest, CodesWithoutAnEventRaiseOnlyTheGeneralOne) {
    RecordAll(*player, events);
    for (int code : {95, 63, 107, 0, -1, 200}) {
        SCOPED_TRACE(code);
        events.clear();
        Deliver(Filled(code).Build());
        EXPECT_EQ(events, QStringList{QStringLiteral("Message(%1)").arg(code)});
    }
    // An equalizer answer without a record (the equalizer is off) has nothing to pass.
    events.clear();
    Deliver(MessageBuilder(XA_MSG_NOTIFY_CODEC_EQUALIZER).Build());
    EXPECT_EQ(events, QStringList{QStringLiteral("Message(101)")});
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
