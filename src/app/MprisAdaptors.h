#pragma once
// The two D-Bus interfaces of MprisService, as QtDBus exports them: thin forwards, no state.

#include "app/MprisService.h"

#include <QDBusAbstractAdaptor>

namespace orvane {

class MprisRootAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2")
    Q_PROPERTY(bool CanQuit READ CanQuit)
    Q_PROPERTY(bool CanRaise READ CanRaise)
    Q_PROPERTY(bool HasTrackList READ HasTrackList)
    Q_PROPERTY(QString Identity READ Identity)
    Q_PROPERTY(QString DesktopEntry READ DesktopEntry)
    Q_PROPERTY(QStringList SupportedUriSchemes READ SupportedUriSchemes)
    Q_PROPERTY(QStringList SupportedMimeTypes READ SupportedMimeTypes)
public:
    MprisRootAdaptor(QObject* object, MprisService& service)
        : QDBusAbstractAdaptor(object)
        , service_(service) {}
    bool CanQuit() const { return true; }
    bool CanRaise() const { return true; }
    bool HasTrackList() const { return false; }
    QString Identity() const { return QStringLiteral("Orvane"); }
    QString DesktopEntry() const { return QStringLiteral("orvane"); }
    QStringList SupportedUriSchemes() const { return {QStringLiteral("file")}; }
    QStringList SupportedMimeTypes() const { return {QStringLiteral("audio/mpeg")}; }

public slots:
    void Raise() { service_.Raise(); }
    void Quit() { service_.Quit(); }

private:
    MprisService& service_;
};

class MprisPlayerAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2.Player")
    Q_PROPERTY(QString PlaybackStatus READ PlaybackStatus)
    Q_PROPERTY(double Rate READ Rate WRITE SetRate)
    Q_PROPERTY(QVariantMap Metadata READ Metadata)
    Q_PROPERTY(double Volume READ Volume WRITE SetVolume)
    Q_PROPERTY(qlonglong Position READ Position)
    Q_PROPERTY(double MinimumRate READ Rate)
    Q_PROPERTY(double MaximumRate READ Rate)
    Q_PROPERTY(bool CanGoNext READ CanGoNext)
    Q_PROPERTY(bool CanGoPrevious READ CanGoPrevious)
    Q_PROPERTY(bool CanPlay READ CanPlay)
    Q_PROPERTY(bool CanPause READ CanPause)
    Q_PROPERTY(bool CanSeek READ CanSeek)
    Q_PROPERTY(bool CanControl READ CanControl)
public:
    MprisPlayerAdaptor(QObject* object, MprisService& service)
        : QDBusAbstractAdaptor(object)
        , service_(service) {
        connect(&service, &MprisService::Seeked, this, &MprisPlayerAdaptor::Seeked);
    }
    QString PlaybackStatus() const { return service_.PlaybackStatus(); }
    double Rate() const { return 1.0; }
    void SetRate(double) {} // one rate only
    QVariantMap Metadata() const { return service_.Metadata(); }
    double Volume() const { return service_.Volume(); }
    void SetVolume(double volume) { service_.SetVolume(volume); }
    qlonglong Position() const { return service_.Position(); }
    bool CanGoNext() const { return service_.CanGoNext(); }
    bool CanGoPrevious() const { return service_.CanGoPrevious(); }
    bool CanPlay() const { return service_.CanPlay(); }
    bool CanPause() const { return service_.CanPause(); }
    bool CanSeek() const { return service_.CanSeek(); }
    bool CanControl() const { return true; }

public slots:
    void Next() { service_.Command("Next1"); }
    void Previous() { service_.Command("Previous1"); }
    void Pause() { service_.Command("Pause1"); }
    void PlayPause() { service_.PlayPause(); }
    void Stop() { service_.Command("Stop1"); }
    void Play() { service_.Command("Play1"); }
    void Seek(qlonglong Offset) { service_.Seek(Offset); }
    void SetPosition(const QDBusObjectPath& TrackId, qlonglong Position) {
        service_.SetPosition(TrackId, Position);
    }
    void OpenUri(const QString& Uri) { service_.OpenUri(Uri); }

signals:
    void Seeked(qlonglong Position);

private:
    MprisService& service_;
};

} // namespace orvane
