#pragma once
// The player and the main window joined: the playing-songs list of the controller is
// lvPlayingSongs, what it shows goes to the status bar, the seek bar, the title, the tray hint
// and the play buttons, and every play command of the menus, toolbar, tray icons and double
// clicks reaches it. GUI thread only.

#include "playback/PlaybackDisplay.h"
#include "playback/SongQueue.h"
#include "playback/TdmXAudio.h"
#include "playback/TfrmEqualizer.h"
#include "playback/TfrmWAVoutput.h"

#include <memory>

namespace orvane {

class Prompts;
class TfrmMain;
class TrayIcons;
class TSongListView;
class VolumeControl;

// lvPlayingSongs as the controller's queue.
class PlayingSongsList final : public SongQueue {
public:
    explicit PlayingSongsList(TSongListView& list)
        : list_(list) {}

    int Count() const override;
    const SongRow& At(int index) const override;
    void Append(const SongRow& row) override;
    void Assign(SongRows rows) override;
    void Remove(const std::vector<int>& indices) override;
    std::vector<int> Selected() const override;

private:
    TSongListView& list_;
};

class WindowPlaybackDisplay final : public PlaybackDisplay {
public:
    WindowPlaybackDisplay(TfrmMain& main, TrayIcons& tray)
        : main_(main)
        , tray_(tray) {}

    void ShowStatusPanel(int panel, const QString& text) override;
    void ShowSongTitle(const QString& text) override;
    void ShowSeekPosition(int position) override;
    void EnablePlayButtons(bool play, bool pause, bool stop) override;
    void ShowQueueDuration(const QString& text) override;
    void ShowPlayerMessage(const QString& text) override;
    void ShowPlayingRow(int row) override;

private:
    TfrmMain& main_;
    TrayIcons& tray_;
};

class PlaybackWiring {
public:
    // main, tray and prompts must outlive this object.
    PlaybackWiring(TfrmMain& main, TrayIcons& tray, Prompts& prompts,
                   const XaudioLibrary& library = XaudioEngineLibrary());
    PlaybackWiring(const PlaybackWiring&) = delete;
    PlaybackWiring& operator=(const PlaybackWiring&) = delete;
    ~PlaybackWiring();

    TdmXAudio& Controller() { return *controller_; }
    TfrmEqualizer& Equalizer() { return *equalizer_; }
    TfrmWAVoutput& WavOutput() { return *wavOutput_; }
    VolumeControl& Volume() { return *volume_; }

private:
    void wireCommands();
    void wireSeekBar();
    void wireTrayIcons();
    void wireWindows(Prompts& prompts, const XaudioLibrary& library);
    // The rows of the current view's song list in list order, or nothing without one.
    SongRows selectedOfCurrentList() const;

    TfrmMain& main_;
    TrayIcons& tray_;
    PlayingSongsList queue_;
    WindowPlaybackDisplay display_;
    // Last: it is gone before the queue and the display it uses.
    std::unique_ptr<TdmXAudio> controller_;
    // The equalizer drives the controller's player, so it goes first.
    std::unique_ptr<TfrmEqualizer> equalizer_;
    std::unique_ptr<TfrmWAVoutput> wavOutput_;
    VolumeControl* volume_ = nullptr; // a child of the controller
};

} // namespace orvane
