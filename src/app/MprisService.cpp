#include "app/MprisService.h"

#include "app/MprisAdaptors.h"
#include "app/PlaybackWiring.h"
#include "browser/SongListView.h"
#include "browser/TfrmMain.h"
#include "playback/TdmXAudio.h"
#include "store/DisplayFilter.h"
#include "store/MpegAudio.h"
#include "store/SongRows.h"

#include <QAction>
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QFileInfo>
#include <QUrl>
#include <cmath>

namespace orvane {

namespace {
const QString kObjectPath = QStringLiteral("/org/mpris/MediaPlayer2");
const QString kPlayerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");
const QString kBusName = QStringLiteral("org.mpris.MediaPlayer2.orvane");
constexpr qlonglong kMicro = 1000000;
} // namespace

MprisService::MprisService(TfrmMain& main, PlaybackWiring& playback, const QString& programFolder,
                           QObject* parent)
    : QObject(parent)
    , main_(main)
    , playback_(playback)
    , player_(playback.Controller())
    , covers_(programFolder) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    new MprisRootAdaptor(this, *this);
    new MprisPlayerAdaptor(this, *this);
    QString name = kBusName;
    if (!bus.registerService(name)) {
        // Another Orvane has the plain name: this one is told apart by its process.
        name = kBusName + QStringLiteral(".instance%1").arg(QCoreApplication::applicationPid());
        if (!bus.registerService(name))
            return;
    }
    if (!bus.registerObject(kObjectPath, this, QDBusConnection::ExportAdaptors)) {
        bus.unregisterService(name);
        return;
    }
    serviceName_ = name;
    told_ = properties();
    const auto changed = [this] {
        tellChanges();
    };
    connect(&player_, &TdmXAudio::PlaybackChanged, this, changed);
    connect(&player_, &TdmXAudio::VolumeChanged, this, changed);
}

MprisService::~MprisService() {
    if (serviceName_.isEmpty())
        return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    bus.unregisterObject(kObjectPath);
    bus.unregisterService(serviceName_);
}

QString MprisService::PlaybackStatus() const {
    if (player_.Paused())
        return QStringLiteral("Paused");
    // At the end of the queue the engine's flags still say playing, but nothing plays.
    const int current = player_.CurrentSong();
    const bool inQueue = current >= 0 && current < player_.PlayingSongs().Count();
    return player_.Playing() && inQueue ? QStringLiteral("Playing") : QStringLiteral("Stopped");
}

QDBusObjectPath MprisService::trackId() const {
    return QDBusObjectPath(
        QStringLiteral("/org/brimtove/orvane/track/%1").arg(player_.SongsOpened()));
}

QVariantMap MprisService::Metadata() const {
    const int current = player_.CurrentSong();
    if (player_.Stopped() || current < 0 || current >= player_.PlayingSongs().Count())
        return {{QStringLiteral("mpris:trackid"),
                 QVariant::fromValue(QDBusObjectPath(
                     QStringLiteral("/org/mpris/MediaPlayer2/TrackList/NoTrack")))}};
    const SongRow& song = player_.PlayingSongs().At(current);
    QVariantMap data;
    data.insert(QStringLiteral("mpris:trackid"), QVariant::fromValue(trackId()));
    data.insert(QStringLiteral("mpris:length"), qlonglong(player_.SongSeconds()) * kMicro);
    data.insert(QStringLiteral("xesam:title"), song.Title);
    data.insert(QStringLiteral("xesam:artist"), QStringList{song.Artist});
    data.insert(QStringLiteral("xesam:album"), song.Album);
    data.insert(QStringLiteral("xesam:url"),
                QUrl::fromLocalFile(song.Path()).toString(QUrl::FullyEncoded));
    const QString cover = covers_.CoverOf(song.Artist, song.Album);
    if (!cover.isEmpty() && QFileInfo(cover).isFile())
        data.insert(QStringLiteral("mpris:artUrl"),
                    QUrl::fromLocalFile(cover).toString(QUrl::FullyEncoded));
    return data;
}

qlonglong MprisService::Position() const {
    return qlonglong(player_.ElapsedSeconds()) * kMicro;
}

double MprisService::Volume() const {
    return player_.Muted() ? 0.0 : player_.Volume() / 100.0;
}

void MprisService::SetVolume(double volume) {
    if (!std::isfinite(volume))
        return;
    player_.SetVolume(int(std::lround(std::clamp(volume, 0.0, 1.0) * 100)));
    if (volume > 0)
        player_.SetMuted(false);
}

bool MprisService::CanGoNext() const {
    return player_.CurrentSong() + 1 < player_.PlayingSongs().Count();
}

bool MprisService::CanGoPrevious() const {
    return !player_.PlayingSongs().Empty();
}

bool MprisService::CanPlay() const {
    return player_.Paused() || !player_.PlayingSongs().Empty() || main_.CurrentSongList();
}

bool MprisService::CanPause() const {
    return PlaybackStatus() == QStringLiteral("Playing");
}

bool MprisService::CanSeek() const {
    return PlaybackStatus() != QStringLiteral("Stopped") && player_.SongSeconds() > 0;
}

void MprisService::Command(const char* action) {
    // The menu item the toolbar button runs; greyed out, it does nothing here either.
    if (QAction* item = main_.Command(QString::fromLatin1(action)); item && item->isEnabled())
        item->trigger();
}

void MprisService::PlayPause() {
    Command(PlaybackStatus() == QStringLiteral("Playing") ? "Pause1" : "Play1");
}

void MprisService::seekTo(qlonglong position) {
    const qlonglong length = qlonglong(player_.SongSeconds()) * kMicro;
    if (!CanSeek() || length <= 0)
        return;
    // Milliseconds of the song's length: the seek range the engine is given.
    player_.SeekPlayer(uint32_t(position / 1000), uint32_t(length / 1000));
    emit Seeked(position);
}

void MprisService::Seek(qlonglong offset) {
    const qlonglong target = std::max<qlonglong>(0, Position() + offset);
    if (target > qlonglong(player_.SongSeconds()) * kMicro) {
        Command("Next1"); // past the end: the next song, as the interface asks
        return;
    }
    seekTo(target);
}

void MprisService::SetPosition(const QDBusObjectPath& track, qlonglong position) {
    // A position meant for another song (one that ended meanwhile) is not applied to this one.
    if (track != trackId() || position < 0 || position > qlonglong(player_.SongSeconds()) * kMicro)
        return;
    seekTo(position);
}

bool MprisService::OpenUri(const QString& uri) {
    const QUrl url(uri);
    if (!url.isLocalFile())
        return false;
    TMPEGAudio info;
    info.SetFileName(url.toLocalFile());
    SongRows rows;
    if (!info.IsValid() || !MakeSongRowFromFile(info, rows, DisplayFilter()) || rows.empty())
        return false;
    // As a double click on that one song.
    player_.PlaySelectedCommand(1, rows, false);
    return true;
}

void MprisService::Raise() {
    main_.showNormal();
    main_.raise();
    main_.activateWindow();
}

void MprisService::Quit() {
    main_.close();
}

QVariantMap MprisService::properties() const {
    return {{QStringLiteral("PlaybackStatus"), PlaybackStatus()},
            {QStringLiteral("Metadata"), Metadata()},
            {QStringLiteral("Volume"), Volume()},
            {QStringLiteral("CanGoNext"), CanGoNext()},
            {QStringLiteral("CanGoPrevious"), CanGoPrevious()},
            {QStringLiteral("CanPlay"), CanPlay()},
            {QStringLiteral("CanPause"), CanPause()},
            {QStringLiteral("CanSeek"), CanSeek()}};
}

void MprisService::tellChanges() {
    const QVariantMap now = properties();
    QVariantMap changed;
    for (auto it = now.begin(); it != now.end(); ++it)
        if (told_.value(it.key()) != it.value())
            changed.insert(it.key(), it.value());
    told_ = now;
    if (changed.isEmpty() || serviceName_.isEmpty())
        return;
    QDBusMessage signal =
        QDBusMessage::createSignal(kObjectPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                   QStringLiteral("PropertiesChanged"));
    signal << kPlayerInterface << changed << QStringList();
    QDBusConnection::sessionBus().send(signal);
}

} // namespace orvane
