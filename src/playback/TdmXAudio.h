#pragma once
// TdmXAudio: the playback controller. It holds the engine component XaudioPlayer, works
// through the playing-songs list one song after another, turns the play commands of the window
// into engine commands and shows what plays through PlaybackDisplay.
//
// Everything runs on the GUI thread. The flags (Stopped, Playing, Paused) follow only the
// engine's state notifications; commands never set them. The controller is the only one that
// changes the playing-songs list, so that it can keep the list's length up to date.

#include "playback/PlaybackDisplay.h"
#include "playback/SongQueue.h"
#include "playback/TXaudioPlayer.h"
#include "playlists/QueueDuration.h"
#include "store/DisplayFilter.h"
#include "store/MpegAudio.h"

#include <QObject>
#include <optional>
#include <span>

namespace orvane {

class Prompts;

class TdmXAudio : public QObject {
    Q_OBJECT
public:
    // queue, display and prompts must outlive the controller; library as TXaudioPlayer's.
    TdmXAudio(QObject* owner, Prompts& prompts, SongQueue& queue, PlaybackDisplay& display,
              const XaudioLibrary& library = XaudioEngineLibrary());

    TXaudioPlayer& XaudioPlayer() { return *player_; }
    SongQueue& PlayingSongs() { return queue_; }
    // The shared file information of the song opened last.
    const TMPEGAudio& NowPlaying() const { return nowPlaying_; }

    int CurrentSong() const { return currentSong_; }
    void SetCurrentSong(int index) { currentSong_ = index; }
    bool Stopped() const { return stopped_; }
    bool Playing() const { return playing_; }
    bool Paused() const { return paused_; }
    // 0 shows the elapsed time, 1 the remaining time.
    int TimeDisplayMode() const { return timeDisplayMode_; }
    void SetTimeDisplayMode(int mode) { timeDisplayMode_ = mode; }

    // Appends the row when its file exists; asks about missing songs unless skipAll, and returns
    // the skipAll to pass to the next call of the same batch.
    bool AddToPlayingSongs(const SongRow& row, bool skipAll);
    // Stops the engine and waits, processing events, until it reports the stopped state (10 s at
    // most). An end of input reported meanwhile is ignored.
    void StopPlayer();
    void PlayFile(const QString& path);
    // Replaces the playing-songs list with the playlist's songs and plays the first one.
    void PlayPlaylist(const QString& path);
    void PausePlayer();
    void ResumePlayer();
    void SeekPlayer(uint32_t offset, uint32_t range);

    // The output volume in percent (0-100, out-of-range values clamped) and the mute switch.
    // Kept here, sent to the engine, and told by VolumeChanged.
    void SetVolume(int percent);
    int Volume() const { return volume_; }
    void SetMuted(bool muted);
    bool Muted() const { return muted_; }

    // What plays, for the desktop's media controls: the seconds played of the song open, its
    // length in seconds, and a number that changes with every song opened.
    int ElapsedSeconds() const { return elapsedSeconds_; }
    uint32_t SongSeconds() const { return songSeconds_; }
    quint64 SongsOpened() const { return songsOpened_; }

    // The window's commands. currentList is the song list of the current view (null on the
    // start page); currentIsQueue tells that it is the playing-songs list itself.
    void PlayCommand(const SongRows* currentList, bool currentIsQueue);
    // Plays the selected rows of a list of listCount rows (copies, in list order).
    void PlaySelectedCommand(int listCount, SongRows selected, bool listIsQueue);
    void PlayFromQueueCommand();
    void NextCommand();
    void PreviousCommand();
    // Appends the rows in the order given and starts playing when nothing plays.
    void AddToQueueCommand(std::span<const SongRow> rows);
    // The Delete key in lvPlayingSongs: removes the selected rows.
    void RemoveFromQueueCommand();

signals:
    void VolumeChanged();
    // The player's state, the song open or the playing-songs list changed.
    void PlaybackChanged();

private:
    void OnPlayerState(int state);
    void FollowPlayerState(int state);
    void OnInputName(const QString& name);
    void OnInputPosition(uint32_t offset);
    void OnInputTimecode(int hours, int minutes, int seconds);
    // The engine's answer that the song last opened cannot be played.
    void OnOpenFailed();
    void MarkPlayingRow(int row);

    void ClearQueue();
    void ShowQueueDuration();
    QString NowPlayingText() const;

    Prompts& prompts_;
    SongQueue& queue_;
    PlaybackDisplay& display_;
    TXaudioPlayer* player_; // child of this object
    TMPEGAudio nowPlaying_;
    DisplayFilter noFilter_;
    QueueDuration queueDuration_;

    int currentSong_ = -1;
    bool stopped_ = true;
    bool playing_ = false;
    bool paused_ = false;
    bool stopPending_ = false; // StopPlayer waits for the engine's stopped state
    int timeDisplayMode_ = 0;
    uint32_t songSeconds_ = 0; // the opened song's length, for the remaining time
    // Every open is answered once (the input name or a refusal), in order; a refusal moves the
    // queue on only when it answers the last open sent, from the row that open was for.
    int opensSent_ = 0;
    int opensAnswered_ = 0;
    int openedRow_ = -1;
    int markedRow_ = -1; // the row the display marks as playing
    int volume_ = 100;
    int elapsedSeconds_ = 0;
    quint64 songsOpened_ = 0;
    bool muted_ = false;
};

} // namespace orvane
