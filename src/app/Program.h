#pragma once
// The program's life cycle: what exists for the whole run, the start-up sequence that runs
// behind the splash when the main window is first shown, and the shutdown sequence that runs
// when it closes (or when the system asks the program to end).
//
// GUI thread only. Start-up runs step by step and lets events through between steps, so a
// request to end may arrive in the middle of it; it is then finished as an abort: the shutdown
// runs at the next step, and the collection and the settings are only written back when they
// had been loaded. A request to end that arrives while a full rescan runs, while the background
// scanner's hand-over runs (a message shown from inside it), or while song files are moved, is
// carried out as soon as that has finished: the scanner cannot be waited for from inside its
// own hand-over, a half-done rescan must not replace local.orv, and a half-moved batch would
// save records that point where their files are not.

#include "app/MainWindowSettings.h"
#include "app/PlaybackWiring.h"
#include "app/Settings.h"
#include "app/TrayIcons.h"
#include "app/VersionInfo.h"
#include "app/WorkingFolders.h"
#include "browser/TfrmMain.h"
#include "platform/Prompts.h"
#include "platform/Registry.h"
#include "playlists/NewSongsLog.h"
#include "store/DisplayFilter.h"
#include "store/SongStore.h"
#include "store/UpdateThread.h"

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <memory>
#include <optional>

namespace orvane {

class MprisService;
class ScanStatus;

class FilterCommands;
class TfrmHunter;
class TNetBrowser;
class TfrmSplash;

// Program-wide state of the run.
struct ProgramState {
    int ViewKind = 4; // the view shown by the main window
    bool ArtistListReady = true;
    bool AlbumListReady = true;
    bool Started = false; // start-up finished
};

class Program : public QObject {
    Q_OBJECT
public:
    // The settings are read from and written to registry, which must outlive the program.
    Program(Prompts& prompts, Registry& registry, const QString& programFolder);
    ~Program() override;

    void Show();
    // Ends the program as closing the main window does; safe at any moment, also before or
    // during the start-up, and more than once.
    void RequestShutdown();

    TfrmMain& MainWindow() { return *main_; }
    PlaybackWiring& Playback() { return *playback_; }
    ScanStatus& ScanSummary() { return *scanStatus_; }
    SongStore& Store() { return store_; }
    const ProgramState& State() const { return state_; }
    const WorkingFolders& Folders() const { return folders_; }
    const Settings& CurrentSettings() const { return settings_; }
    TrayIcons& Tray() { return *trayIcons_; }
    // The power-search window, made with the main window and alive for the run.
    TfrmHunter& Hunter() { return *hunter_; }
    // The filters' test of every row of a song view.
    const DisplayFilter& Filter() const { return displayFilter_; }
    // The song pane's net browser, made with the main window.
    TNetBrowser& NetBrowser() { return *netBrowser_; }
    // The player and its playing-songs list.
    TdmXAudio& Player() { return playback_->Controller(); }
    // The background scanner; null until the start-up has started it.
    TUpdateThread* Scanner() const { return scanner_.get(); }
    bool ScannerRunning() const { return scanner_ && scanner_->IsRunning(); }

    // The commands behind File > "Refresh Database" and Extra > "&Options...".
    void RefreshDatabase1Click();
    void Preferences1Click();

signals:
    void StartupStepped(int position); // the splash bar's new position, 1..9
    void StartupFinished();
    void ShutdownFinished();
    // The background scanner handed a batch of files over (each has been added unless already
    // held or no song).
    void SongsHandedOver(qsizetype files);
    // The collection was emptied and walked again: the views' lists must be rebuilt.
    void CollectionRebuilt();

private:
    void runStartup();
    void startBackgroundScan();
    void handOver(std::vector<SongFileRead>& batch);
    void rescanForPreferences(const QString& newBase);
    bool busy() const { return fullRescanRunning_ || handingOver_ || fileBatchRunning_; }
    void resumePendingShutdown();
    bool startupStep();
    void finishAbortedStartup();
    void runShutdown();
    void loadCollection();
    void saveCollection();
    void showStartupNotice();
    bool isOwnCollection(const QString& collection) const;
    void wireLibraryViews();

    Prompts& prompts_;
    Registry& registry_;
    WorkingFolders folders_;
    ProgramState state_;
    Settings settings_;
    SongStore store_;
    DisplayFilter displayFilter_; // the filters' test of every row of a song view
    NewSongsLog newSongsLog_;
    std::unique_ptr<TVersionInfo> versionInfo_;
    std::unique_ptr<TfrmMain> main_;
    std::unique_ptr<MainWindowSettings> windowSettings_;
    std::unique_ptr<TrayIcons> trayIcons_;
    // After the window and the tray icons it shows in, so that it is gone before them.
    std::unique_ptr<PlaybackWiring> playback_;
    std::unique_ptr<MprisService> mpris_; // gone before the player it controls
    TfrmHunter* hunter_ = nullptr;        // a child of the main window, which deletes it
    FilterCommands* filters_ = nullptr;   // likewise
    ScanStatus* scanStatus_ = nullptr;    // a child of the main window
    TNetBrowser* netBrowser_ = nullptr;   // in the main window, which deletes it
    QPointer<TfrmSplash> splash_;
    // Declared after the store it hands files to, so that it is stopped before the store goes.
    std::unique_ptr<TUpdateThread> scanner_;

    bool startupRunning_ = false;
    bool startupDone_ = false;
    bool abortRequested_ = false;
    bool shutdownDone_ = false;
    bool collectionLoaded_ = false;
    bool collectionReadIncomplete_ = false;
    // The list's revision at which its own songs are exactly what local.orv holds: the file
    // need not be written again while the list stays there.
    std::optional<uint64_t> unchangedSince_;
    bool settingsLoaded_ = false;
    bool fullRescanRunning_ = false;
    bool handingOver_ = false;
    bool fileBatchRunning_ = false; // song files are being moved or deleted
    bool shutdownPending_ = false;
};

} // namespace orvane
