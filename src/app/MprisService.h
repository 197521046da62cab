#pragma once
// The desktop's media controls (media keys, the panel's player widget, command-line tools)
// reach the player through the session bus: the interfaces org.mpris.MediaPlayer2 and
// org.mpris.MediaPlayer2.Player on /org/mpris/MediaPlayer2. Every call runs the command the
// menus and the toolbar run, so the queue behaves as with a click. Without a session bus
// nothing is registered and nothing is said. GUI thread only.

#include "browser/CoverLinks.h"

#include <QDBusAbstractAdaptor>
#include <QDBusObjectPath>
#include <QObject>
#include <QStringList>
#include <QVariantMap>

namespace orvane {

class PlaybackWiring;
class TdmXAudio;
class TfrmMain;

class MprisService : public QObject {
    Q_OBJECT
public:
    // main and playback must outlive the service. The covers linked in the program folder's
    // covers.ini give the playing song's picture.
    MprisService(TfrmMain& main, PlaybackWiring& playback, const QString& programFolder = {},
                 QObject* parent = nullptr);
    ~MprisService() override;

    // The bus name taken ("org.mpris.MediaPlayer2.orvane", or with ".instance<pid>" when
    // another Orvane has that), or empty without a session bus.
    const QString& ServiceName() const { return serviceName_; }

    // What the interfaces answer and do; the adaptors only forward to these.
    QString PlaybackStatus() const;
    QVariantMap Metadata() const;
    qlonglong Position() const; // microseconds
    double Volume() const;
    void SetVolume(double volume);
    bool CanGoNext() const;
    bool CanGoPrevious() const;
    bool CanPlay() const;
    bool CanPause() const;
    bool CanSeek() const;
    void Command(const char* action);
    void PlayPause();
    void Seek(qlonglong offset);
    void SetPosition(const QDBusObjectPath& track, qlonglong position);
    bool OpenUri(const QString& uri);
    void Raise();
    void Quit();

signals:
    void Seeked(qlonglong position);

private:
    QDBusObjectPath trackId() const;
    void seekTo(qlonglong position);
    // The Player properties that PropertiesChanged tells (all but Position).
    QVariantMap properties() const;
    // Sends PropertiesChanged with the properties whose values differ from those sent last.
    void tellChanges();

    TfrmMain& main_;
    PlaybackWiring& playback_;
    TdmXAudio& player_;
    mutable CoverLinks covers_;
    QString serviceName_;
    QVariantMap told_; // the Player properties as last sent
};

} // namespace orvane
