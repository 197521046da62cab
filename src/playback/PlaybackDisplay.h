#pragma once
// What the playback controller shows: the status bar panels it owns, the seek bar, the
// main window's title with the tray icon's hint, the three play buttons and the queue's
// length above the playing-songs list. The main window implements it; tests record it.
// GUI thread only.

#include <QString>

namespace orvane {

class PlaybackDisplay {
public:
    virtual ~PlaybackDisplay() = default;

    // Panels 1 (now playing), 2 (player state) and 3 (time) of the status bar.
    virtual void ShowStatusPanel(int panel, const QString& text) = 0;
    // The main window's title (the task bar caption) and the hint of the main tray icon.
    virtual void ShowSongTitle(const QString& text) = 0;
    // Moves the seek bar (0..400) without it counting as the user's seek.
    virtual void ShowSeekPosition(int position) = 0;
    // btnPlay, btnPause, btnStop.
    virtual void EnablePlayButtons(bool play, bool pause, bool stop) = 0;
    // The caption of pnlDurationPlayingSongs.
    virtual void ShowQueueDuration(const QString& text) = 0;
    // A message of the engine (a song that cannot be played), shown for a few seconds.
    virtual void ShowPlayerMessage(const QString& text) = 0;
    // Marks the row of the playing-songs list that plays and brings it into view; -1: none.
    virtual void ShowPlayingRow(int row) = 0;
};

} // namespace orvane
