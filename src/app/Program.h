#pragma once
// The program's life cycle: what exists for the whole run, the start-up sequence that runs
// behind the splash when the main window is first shown, and the shutdown sequence that runs
// when it closes (or when the system asks the program to end).
//
// GUI thread only. Start-up runs step by step and lets events through between steps, so a
// request to end may arrive in the middle of it; it is then finished as an abort: the shutdown
// runs at the next step, and the collection is only written back when it had been loaded.

#include "app/VersionInfo.h"
#include "app/WorkingFolders.h"
#include "browser/TfrmMain.h"
#include "platform/Prompts.h"
#include "playlists/NewSongsLog.h"
#include "store/SongStore.h"

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <memory>

namespace orvane {

class TfrmSplash;

// Program-wide state of the run.
struct ProgramState {
    QString Mp3Base;       // root of the local collection
    int ViewKind = 4;      // the view shown by the main window
    int PlayingIndex = -1; // the song being played, -1 for none
    bool ArtistListReady = true;
    bool AlbumListReady = true;
    bool Started = false;         // start-up finished
    QStringList CollectionFilter; // "name;0|1" per collection
};

class Program : public QObject {
    Q_OBJECT
public:
    Program(Prompts& prompts, const QString& programFolder);
    ~Program() override;

    void Show();
    // Ends the program as closing the main window does; safe at any moment, also before or
    // during the start-up, and more than once.
    void RequestShutdown();

    TfrmMain& MainWindow() { return *main_; }
    SongStore& Store() { return store_; }
    const ProgramState& State() const { return state_; }
    const WorkingFolders& Folders() const { return folders_; }

signals:
    void StartupStepped(int position); // the splash bar's new position, 1..9
    void StartupFinished();
    void ShutdownFinished();

private:
    void runStartup();
    bool startupStep();
    void finishAbortedStartup();
    void runShutdown();
    void loadCollection();
    void saveCollection();
    bool isOwnSong(const SongRecord& record) const;

    Prompts& prompts_;
    WorkingFolders folders_;
    ProgramState state_;
    SongStore store_;
    NewSongsLog newSongsLog_;
    std::unique_ptr<TVersionInfo> versionInfo_;
    std::unique_ptr<TfrmMain> main_;
    QPointer<TfrmSplash> splash_;

    bool startupRunning_ = false;
    bool startupDone_ = false;
    bool abortRequested_ = false;
    bool shutdownDone_ = false;
    bool collectionLoaded_ = false;
    bool collectionReadIncomplete_ = false;
};

} // namespace orvane
