// The desktop's media controls over a private session bus (the test runs under
// dbus-run-session): a second connection calls the player as a panel widget or a media key
// would, over a substitute engine that answers like the real one.

#include "app/MprisService.h"
#include "app/PlaybackWiring.h"
#include "app/TrayIcons.h"
#include "app/VolumeControl.h"
#include "browser/SongListView.h"
#include "browser/TfrmMain.h"
#include "playback/FakeXaudio.h"
#include "store/SongStore.h"
#include "support/FileBytes.h"
#include "support/MpegFixture.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"
#include "support/WidgetTestApp.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QSlider>
#include <gtest/gtest.h>

namespace orvane {

// Keeps every PropertiesChanged of the player's interface.
class PropertiesWatcher : public QObject {
    Q_OBJECT
public:
    std::vector<QVariantMap> changes;
public slots:
    void changed(const QString& interface, const QVariantMap& properties, const QStringList&) {
        if (interface == u"org.mpris.MediaPlayer2.Player")
            changes.push_back(properties);
    }
};

namespace {

using namespace Qt::StringLiterals;

const QString kPath = u"/org/mpris/MediaPlayer2"_s;
const QString kPlayer = u"org.mpris.MediaPlayer2.Player"_s;

class MprisTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::WidgetApp();
        fake.AnswerLikeTheEngine([this](const test::FakeXaudio::Sent& sent) {
            if (sent.code == XA_MSG_COMMAND_INPUT_OPEN)
                opened << QString::fromStdString(sent.texts[0]);
        });
        window.SetPrompts(&prompts);
        window.SetStore(&store);
        wiring = std::make_unique<PlaybackWiring>(window, tray, prompts, fake.Library());
        window.SelectFolderNode(u"Genres"_s);
        service = std::make_unique<MprisService>(window, *wiring, dir.path());
        if (service->ServiceName().isEmpty())
            GTEST_SKIP() << "no session bus (run under dbus-run-session)";
        client.connect(service->ServiceName(), kPath, u"org.freedesktop.DBus.Properties"_s,
                       u"PropertiesChanged"_s, &watcher,
                       SLOT(changed(QString, QVariantMap, QStringList)));
    }
    void TearDown() override { client.disconnectFromBus(client.name()); }

    void Settle() {
        for (int i = 0; i < 3; ++i) {
            wiring->Controller().XaudioPlayer().DeliverPending();
            QCoreApplication::processEvents();
        }
    }
    QDBusMessage Send(const QString& interface, const QString& method, QVariantList args = {}) {
        QDBusMessage call =
            QDBusMessage::createMethodCall(service->ServiceName(), kPath, interface, method);
        call.setArguments(args);
        const QDBusMessage reply = client.call(call, QDBus::BlockWithGui);
        EXPECT_NE(reply.type(), QDBusMessage::ErrorMessage) << reply.errorMessage().toStdString();
        Settle();
        return reply;
    }
    void Call(const QString& method, QVariantList args = {}) { Send(kPlayer, method, args); }
    QVariant Get(const QString& property) {
        const QDBusMessage reply =
            Send(u"org.freedesktop.DBus.Properties"_s, u"Get"_s, {kPlayer, property});
        return reply.arguments().value(0).value<QDBusVariant>().variant();
    }
    QVariantMap Metadata() { return qdbus_cast<QVariantMap>(Get(u"Metadata"_s)); }
    // The value of a property in the last PropertiesChanged that told it.
    QVariant Told(const QString& property) {
        for (auto it = watcher.changes.rbegin(); it != watcher.changes.rend(); ++it)
            if (it->contains(property))
                return it->value(property);
        return {};
    }

    SongRows ShowSongs(const QStringList& titles) {
        SongRows rows;
        for (const QString& title : titles) {
            const SongRow row{title, u"Zoë"_s,          u"Ça ira"_s,       u"00:31"_s, {}, {},
                              {},    title + u".mp3"_s, dir.path() + u'/', {},         {}};
            EXPECT_TRUE(test::WriteFile(row.Path(), test::MakeMpegStream({.frames = 1200})));
            rows.push_back(row);
        }
        window.ShowSongsIn(window.lvSelection(), rows);
        return rows;
    }

    test::TempDir dir;
    test::FakeXaudio fake;
    test::ScriptedPrompts prompts;
    SongStore store;
    TfrmMain window;
    TrayIcons tray{nullptr, TrayIcons::Where::Always};
    std::unique_ptr<PlaybackWiring> wiring;
    std::unique_ptr<MprisService> service;
    QDBusConnection client =
        QDBusConnection::connectToBus(QDBusConnection::SessionBus, u"mpris-test-client"_s);
    PropertiesWatcher watcher;
    QStringList opened;
};

TEST_F(MprisTest, PlayPauseNextSeekAndStopAsTheToolbarDoes) {
    const SongRows songs = ShowSongs({u"Café Ünïcode"_s, u"Second"_s, u"Third"_s});
    EXPECT_EQ(Get(u"PlaybackStatus"_s).toString(), u"Stopped");

    Call(u"Play"_s); // the toolbar's Play: the list of the view
    EXPECT_EQ(window.PlayingSongsModel()->rowCount(), 3);
    EXPECT_EQ(Get(u"PlaybackStatus"_s).toString(), u"Playing");
    EXPECT_EQ(Told(u"PlaybackStatus"_s).toString(), u"Playing");
    const QVariantMap data = Metadata();
    EXPECT_EQ(data.value(u"xesam:title"_s).toString(), u"Café Ünïcode");
    EXPECT_EQ(data.value(u"xesam:artist"_s).toStringList(), QStringList{u"Zoë"_s});
    EXPECT_EQ(data.value(u"xesam:album"_s).toString(), u"Ça ira");
    EXPECT_EQ(QUrl(data.value(u"xesam:url"_s).toString()).toLocalFile(), songs[0].Path());
    EXPECT_GT(data.value(u"mpris:length"_s).toLongLong(), 30'000'000);
    EXPECT_FALSE(data.contains(u"mpris:artUrl"_s)); // no cover linked yet
    EXPECT_TRUE(Get(u"CanGoNext"_s).toBool());

    Call(u"Pause"_s);
    EXPECT_EQ(Get(u"PlaybackStatus"_s).toString(), u"Paused");
    EXPECT_EQ(Told(u"PlaybackStatus"_s).toString(), u"Paused");
    Call(u"PlayPause"_s);
    EXPECT_EQ(Get(u"PlaybackStatus"_s).toString(), u"Playing");

    // Next advances the queue as the toolbar's button does; the title and the cover follow.
    const QString cover = dir.path() + u"/front.png"_s;
    ASSERT_TRUE(test::WriteFile(cover, "not looked at"));
    ASSERT_EQ(CoverLinks(dir.path()).LinkCover(u"Zoë"_s, u"Ça ira"_s, cover),
              ProfileFile::WriteStatus::Written);
    Call(u"Next"_s);
    EXPECT_EQ(QUrl(Metadata().value(u"mpris:artUrl"_s).toString()).toLocalFile(), cover);
    EXPECT_EQ(opened.back(), songs[1].Path());
    EXPECT_EQ(wiring->Controller().CurrentSong(), 1);
    EXPECT_EQ(window.PlayingSongsModel()->PlayingRow(), 1);
    EXPECT_EQ(Metadata().value(u"xesam:title"_s).toString(), u"Second");
    EXPECT_EQ(qdbus_cast<QVariantMap>(Told(u"Metadata"_s)).value(u"xesam:title"_s).toString(),
              u"Second");

    // Seek by 5 s from the start; a position for another track is not applied.
    Call(u"Seek"_s, {qlonglong(5'000'000)});
    const auto lastSeek = [this] {
        std::pair<int, int> seek{-1, -1};
        for (const auto& sent : fake.player().sent)
            if (sent.code == XA_MSG_COMMAND_INPUT_SEEK)
                seek = {sent.ints[0], sent.ints[1]};
        return seek;
    };
    EXPECT_EQ(lastSeek().first, 5000);
    EXPECT_EQ(lastSeek().second, int(wiring->Controller().SongSeconds()) * 1000);
    Call(u"SetPosition"_s,
         {QVariant::fromValue(QDBusObjectPath(u"/org/other/track"_s)), qlonglong(9'000'000)});
    EXPECT_EQ(lastSeek().first, 5000);
    const auto track = Metadata().value(u"mpris:trackid"_s).value<QDBusObjectPath>();
    Call(u"SetPosition"_s, {QVariant::fromValue(track), qlonglong(9'000'000)});
    EXPECT_EQ(lastSeek().first, 9000);

    Call(u"Stop"_s);
    EXPECT_EQ(Get(u"PlaybackStatus"_s).toString(), u"Stopped");
    EXPECT_EQ(Told(u"PlaybackStatus"_s).toString(), u"Stopped");
    EXPECT_EQ(window.PlayingSongsModel()->PlayingRow(), -1);
}

TEST_F(MprisTest, VolumeSetThroughTheBusMovesTheSlider) {
    QDBusMessage set = QDBusMessage::createMethodCall(
        service->ServiceName(), kPath, u"org.freedesktop.DBus.Properties"_s, u"Set"_s);
    set << kPlayer << u"Volume"_s << QVariant::fromValue(QDBusVariant(0.4));
    EXPECT_NE(client.call(set, QDBus::BlockWithGui).type(), QDBusMessage::ErrorMessage);
    Settle();
    EXPECT_EQ(wiring->Controller().Volume(), 40);
    EXPECT_EQ(wiring->Volume().Slider()->value(), 40);
    EXPECT_DOUBLE_EQ(Told(u"Volume"_s).toDouble(), 0.4);
    wiring->Controller().SetVolume(75); // the slider: the bus is told
    Settle();
    EXPECT_DOUBLE_EQ(Get(u"Volume"_s).toDouble(), 0.75);
}

} // namespace
} // namespace orvane

#include "MprisTest.moc"
