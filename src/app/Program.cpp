#include "app/Program.h"

#include "app/FirstRun.h"
#include "app/Lifecycle.h"
#include "app/MprisService.h"
#include "app/Preferences.h"
#include "app/ScanStatus.h"
#include "app/SideBarSettings.h"
#include "app/TfrmPreferences.h"
#include "app/TfrmSplash.h"
#include "browser/CoversAndLyrics.h"
#include "browser/FilterCommands.h"
#include "browser/HelpCommands.h"
#include "browser/LibraryLists.h"
#include "browser/LibraryViews.h"
#include "browser/NetBrowser.h"
#include "browser/PlaylistDialogCommands.h"
#include "browser/PowerSearchCommands.h"
#include "browser/QueueDuration.h"
#include "browser/ScanProgressWindow.h"
#include "browser/SideBar.h"
#include "browser/SideBarCommands.h"
#include "browser/SongFileCommands.h"
#include "browser/TagEditorCommands.h"
#include "browser/TfrmSearch.h"
#include "exchange/ExportCommand.h"
#include "exchange/TfrmHunter.h"
#include "platform/AsciiCase.h"
#include "platform/Paths.h"
#include "playlists/PlaylistFile.h"
#include "store/CacheFile.h"
#include "store/Id3v1Preview.h"
#include "store/RecycledSongs.h"
#include "store/Scanner.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <algorithm>

Q_LOGGING_CATEGORY(lcLifecycle, "orvane.lifecycle", QtWarningMsg)

namespace orvane {

Program::Program(Prompts& prompts, Registry& registry, const QString& programFolder)
    : prompts_(prompts)
    , registry_(registry)
    , folders_(WorkingFolders::At(programFolder))
    , newSongsLog_(folders_.Logs, prompts)
    , main_(std::make_unique<TfrmMain>())
    , windowSettings_(std::make_unique<MainWindowSettings>(*main_))
    , trayIcons_(std::make_unique<TrayIcons>())
    , playback_(std::make_unique<PlaybackWiring>(*main_, *trayIcons_, prompts)) {
    settings_.Mp3Base = DefaultMp3Base();
    store_.OnNewSongs = [this](std::span<const SongRecord> added) {
        newSongsLog_.AppendToNewSongsLog(added);
    };
    scanStatus_ = new ScanStatus(*main_);
    mpris_ = std::make_unique<MprisService>(*main_, *playback_, folders_.Program);
    store_.OnUnreadable = [this](const QString& path, UnreadableKind kind) {
        scanStatus_->Unreadable(path, kind);
    };
    main_->OnFirstShow = [this] {
        runStartup();
    };
    main_->OnClose = [this] {
        if (startupRunning_) {
            // Finish the start-up as an abort; the window closes from there.
            abortRequested_ = true;
            return false;
        }
        if (busy()) {
            shutdownPending_ = true;
            return false;
        }
        runShutdown();
        return true;
    };
    main_->OnRefreshDatabase = [this] {
        RefreshDatabase1Click();
    };
    main_->OnPreferences = [this] {
        Preferences1Click();
    };
    main_->SetPrompts(&prompts_);
    main_->SetStore(&store_);
    main_->SetProgramFolder(folders_.Program);
    wireLibraryViews();
    WireSongFileCommands(*main_, {store_, prompts_, folders_.Recycle, [this](bool running) {
                                      fileBatchRunning_ = running;
                                      resumePendingShutdown();
                                  }});
    new TCoversAndLyrics(*main_, prompts_); // a child of the main window
    auto* help =
        new THelpCommands(*main_, prompts_, ShippedData(folders_.Program, QStringLiteral("help")),
                          TVersionInfo().FileVersion()); // a child of the main window
    // The side bar's commands, a child of the main window.
    auto* sideBar = new TSideBarCommands(*main_, prompts_);
    sideBar->OnHelp = [help](QWidget* dialog) {
        help->ShowHelpFor(dialog);
    };
    connect(main_->obMain(), &TSideBar::GroupsChanged, this,
            [this] { settings_.Groups = SideBarGroupsOf(*main_->obMain()); });
    netBrowser_ = new TNetBrowser;
    main_->SetNetBrowser(netBrowser_);
    netBrowser_->OnHelpLink = [help](const QString& page) {
        help->ShowHelpPage(page);
    };
    hunter_ = new TfrmHunter(main_.get());
    WirePowerSearch(*main_, *hunter_, store_.Songs, displayFilter_);
    auto* tagEditor = new TagEditorCommands(*main_, store_, prompts_);
    tagEditor->OnTagsChanged = [this] {
        state_.AlbumListReady = state_.ArtistListReady = false;
        main_->FollowBrowseLists();
    };
    WirePlaylistDialogs(*main_, store_.Songs, prompts_, [this](const QString& path) {
        playback_->Controller().PlayPlaylist(path);
    });
    filters_ =
        new FilterCommands(*main_, *hunter_, store_, displayFilter_, prompts_, folders_.Program);
    main_->SetHandler(QStringLiteral("Exportinformation1Click"), [this] {
        ExportInformation(main_.get(), folders_.Program, folders_.LocalCache(), store_.Songs,
                          prompts_);
    });
    // A song the scanner adds may bring a genre, album or artist the lists lack.
    connect(this, &Program::SongsHandedOver, this, [this] { main_->FollowBrowseLists(); });
    connect(this, &Program::CollectionRebuilt, this, [this] { main_->RefreshView(); });
}

void Program::wireLibraryViews() {
    LibraryHooks& views = main_->Library;
    views.ShowAlbumSongs = [this](const QString& album, SongRows& target) {
        ShowAlbumSongs(store_.Songs, album, displayFilter_, target);
    };
    views.ShowArtistSongs = [this](const QString& artist, SongRows& target) {
        ShowArtistSongs(store_.Songs, artist, displayFilter_, target);
    };
    views.ShowGenreSongs = [this](const QString& genre, SongRows& target) {
        ShowGenreSongs(store_.Songs, genre, displayFilter_, target);
    };
    views.ShowNewSongs = [this](SongRows& target) {
        ShowNewSongs(store_.Songs, displayFilter_, target);
    };
    views.ShowFolderSongs = [this](const QString& folder, SongRows& target) {
        ShowFolderSongs(folder, store_.Mpeg, displayFilter_, target);
    };
    views.LoadPlaylist = [this](const QString& file, const QString& base, SongRows& target) {
        if (!LoadPlaylist(file, base, target, store_.Mpeg, displayFilter_))
            return true;
        target.clear(); // a playlist that cannot be opened shows no songs
        return false;
    };
    // "Show all from artist / album" replace the rows of the current song list.
    auto showAll = [this](bool byArtist) {
        TSongListView* list = main_->CurrentSongList();
        const int row = list ? list->FocusedSelectedRow() : -1;
        if (row < 0)
            return;
        const SongRow& selected = list->Songs()->Row(row);
        SongRows rows;
        if (byArtist)
            ShowArtistSongs(store_.Songs, selected.Artist, displayFilter_, rows);
        else
            ShowAlbumSongs(store_.Songs, selected.Album, displayFilter_, rows);
        // From the playing-songs view the songs are shown in lvSelection, never in the queue.
        if (TSongListView* target = SongListForResults(*main_))
            main_->ShowSongsIn(target, std::move(rows));
    };
    for (const QString& handler :
         {QStringLiteral("Showallfromartist1Click"), QStringLiteral("ShowallfromArtist2Click")})
        main_->SetHandler(handler, [showAll] { showAll(true); });
    for (const QString& handler :
         {QStringLiteral("Showallfromalbum1Click"), QStringLiteral("ShowallfromAlbum2Click")})
        main_->SetHandler(handler, [showAll] { showAll(false); });

    // A list that is not up to date is rebuilt behind "Searching...": a large collection takes
    // a moment.
    const auto rebuildWhenStale = [this](bool BrowseReadyFlags::*flag, auto rebuild) {
        BrowseReadyFlags ready{state_.AlbumListReady, state_.ArtistListReady};
        if (ready.*flag)
            return;
        TfrmSearch searching(main_.get());
        searching.Open();
        rebuild(ready);
        state_.AlbumListReady = ready.AlbumListReady;
        state_.ArtistListReady = ready.ArtistListReady;
    };
    views.RebuildAlbumList = [this, rebuildWhenStale] {
        rebuildWhenStale(&BrowseReadyFlags::AlbumListReady, [this](BrowseReadyFlags& ready) {
            RebuildAlbumList(store_.Songs, store_.Browse.Albums, ready);
        });
    };
    views.RebuildArtistList = [this, rebuildWhenStale] {
        rebuildWhenStale(&BrowseReadyFlags::ArtistListReady, [this](BrowseReadyFlags& ready) {
            RebuildArtistList(store_.Songs, store_.Browse.Artists, ready);
        });
    };
}

Program::~Program() = default;

void Program::Show() {
    main_->show();
}

void Program::RequestShutdown() {
    if (shutdownDone_)
        return;
    if (!startupDone_) {
        abortRequested_ = true;
        // A question open during the start-up would keep it waiting: answer it by closing it.
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
        if (!startupRunning_)
            finishAbortedStartup(); // not started yet: nothing was loaded
        return;
    }
    if (busy()) {
        shutdownPending_ = true;
        // A message shown from inside a hand-over would keep the scanner waiting: close it.
        if (handingOver_)
            if (QWidget* modal = QApplication::activeModalWidget())
                modal->close();
        return;
    }
    // A dialog left open would keep the program running after its main window has closed.
    if (QWidget* modal = QApplication::activeModalWidget())
        modal->close();
    main_->close();
}

void Program::resumePendingShutdown() {
    if (!shutdownPending_ || busy())
        return;
    shutdownPending_ = false;
    QMetaObject::invokeMethod(this, &Program::RequestShutdown, Qt::QueuedConnection);
}

bool Program::startupStep() {
    if (splash_)
        splash_->Step();
    emit StartupStepped(splash_ ? splash_->Position() : 0);
    return !abortRequested_;
}

void Program::runStartup() {
    if (startupRunning_ || startupDone_ || abortRequested_) {
        if (abortRequested_)
            finishAbortedStartup();
        return;
    }
    startupRunning_ = true;
    main_->SetFolderCaptions();
    versionInfo_ = std::make_unique<TVersionInfo>();
    state_.ViewKind = 4;
    splash_ = new TfrmSplash(versionInfo_->DisplayText(), main_.get());
    splash_->setAttribute(Qt::WA_DeleteOnClose);
    splash_->show();

    auto steps = [this] {
        PrepareWorkingFolders(folders_, prompts_);
        if (!startupStep())
            return false;
        main_->ShowGenrePage();
        state_.ArtistListReady = true;
        state_.AlbumListReady = true;
        playback_->Controller().SetCurrentSong(-1);
        if (IsFirstRun(registry_)) {
            // Out of the way also of a folder browser that is not a Qt window.
            if (splash_)
                splash_->StepAside();
            RunFirstRunPrompt(registry_, prompts_, settings_, [this] { return abortRequested_; });
            if (splash_)
                splash_->ComeBack();
        }
        if (!startupStep())
            return false;
        LoadSettings(registry_, settings_, *windowSettings_);
        ApplySideBarGroups(*main_->obMain(), settings_.Groups);
        ApplyDesktopSettings(*main_, playback_->Controller(), ReadDesktopSettings(registry_));
        settingsLoaded_ = true;
        if (!startupStep())
            return false;
        ApplyTrayIcons(*trayIcons_, settings_.Tray);
        if (!startupStep())
            return false;
        main_->SetMp3Base(settings_.Mp3Base);
        main_->RefreshSideBarShortcuts();
        loadCollection();
        AddRecycledSongs(store_, folders_.Recycle);
        main_->RebuildGenreList();
        if (!startupStep())
            return false;
        {
            // Imported songs are never written into local.orv: taking them in leaves it as read.
            const qsizetype before = store_.Songs.size();
            const bool unchanged = unchangedSince_ == store_.Songs.Revision();
            filters_->LoadImportedCollections();
            bool ownAdded = false;
            for (qsizetype i = before; i < store_.Songs.size() && !ownAdded; ++i)
                ownAdded = isOwnCollection(store_.Songs.Value(i, SongField::Collection));
            if (unchanged && !ownAdded)
                unchangedSince_ = store_.Songs.Revision();
        }
        if (!startupStep())
            return false;
        filters_->SetTimeFilter(TimeFilter::None);
        if (!startupStep())
            return false;
        main_->ExpandFolders();
        main_->SelectFolderNode(QStringLiteral("Favourites"));
        if (!startupStep()) // player reset
            return false;
        state_.Started = true;
        main_->SetStarted(true);
        netBrowser_->cbURL()->clearEditText();
        netBrowser_->SetHomePage(
            ShippedData(folders_.Program, QStringLiteral("html/orvane_startpage.htm")));
        netBrowser_->GoHome();
        showStartupNotice();
        return startupStep();
    };
    const bool completed = steps();
    if (splash_)
        splash_->close();
    startupRunning_ = false;
    if (!completed) {
        finishAbortedStartup();
        return;
    }
    startupDone_ = true;
    startBackgroundScan();
    qCInfo(lcLifecycle) << "start-up finished:" << store_.Songs.size() << "songs";
    emit StartupFinished();
}

void Program::startBackgroundScan() {
    scanner_ = std::make_unique<TUpdateThread>(
        ScanRoot(settings_.Mp3Base), settings_.Tags,
        [this](const QString& path) { return HoldsSongFile(store_, path); },
        [this](std::vector<SongFileRead>& batch) { handOver(batch); });
    const int scan = scanStatus_->Begin(store_.Songs.size());
    connect(scanner_.get(), &TUpdateThread::UnreadableFolder, this, [this](const QString& f) {
        scanStatus_->Unreadable(f, UnreadableKind::FolderNotReadable);
    });
    connect(scanner_.get(), &TUpdateThread::Finished, this, [this, scan] {
        qCInfo(lcLifecycle) << "background scan finished:" << store_.Songs.size() << "songs";
        scanStatus_->Finish(scan, store_.Songs.size());
    });
    scanner_->Start();
}

void Program::handOver(std::vector<SongFileRead>& batch) {
    handingOver_ = true;
    AddReadSongs(store_, batch);
    for (size_t i = 0; i < batch.size(); ++i)
        scanStatus_->FileRead(store_.Songs.size());
    emit SongsHandedOver(qsizetype(batch.size()));
    handingOver_ = false;
    resumePendingShutdown();
}

void Program::RefreshDatabase1Click() {
    if (!startupDone_ || shutdownDone_ || busy())
        return;
    int scan = 0;
    const bool rebuilt = RefreshDatabase(
        store_, prompts_, scanner_.get(), settings_.Mp3Base, folders_.Recycle,
        [this] {
            main_->SelectionModel()->Clear();
            auto window = std::make_unique<TfrmInitialise>(main_.get());
            window->Open();
            return std::unique_ptr<ScanProgress>(std::move(window));
        },
        [this, &scan] {
            // Running only from the Yes on: an end asked for while the question was open has
            // been carried out already, or is now.
            if (shutdownDone_ || shutdownPending_)
                return false;
            fullRescanRunning_ = true;
            scan = scanStatus_->Begin(0);
            return true;
        });
    fullRescanRunning_ = false;
    scanStatus_->Finish(scan, store_.Songs.size());
    if (rebuilt) {
        state_.ArtistListReady = false;
        state_.AlbumListReady = false;
        qCInfo(lcLifecycle) << "collection rebuilt:" << store_.Songs.size() << "songs";
        main_->RebuildGenreList();
        emit CollectionRebuilt();
    }
    resumePendingShutdown();
}

void Program::rescanForPreferences(const QString& newBase) {
    if (const QString problem = Mp3BaseUnusableText(newBase); !problem.isEmpty()) {
        prompts_.warning(problem);
        return;
    }
    fullRescanRunning_ = true;
    QWidget* parent = QApplication::activeModalWidget();
    TfrmSearch window(parent ? parent : main_.get());
    window.Open();
    main_->SelectionModel()->Clear();
    const bool rebuilt = RescanCollection(store_, newBase, folders_.Recycle, &window);
    fullRescanRunning_ = false;
    if (!rebuilt)
        return;
    state_.ArtistListReady = false;
    state_.AlbumListReady = false;
    emit CollectionRebuilt();
}

void Program::Preferences1Click() {
    if (!startupDone_ || shutdownDone_ || busy())
        return;
    bool offerRefresh = false;
    PreferencesContext context{settings_,
                               registry_,
                               *windowSettings_,
                               prompts_,
                               [this](const QString& base) { rescanForPreferences(base); },
                               [&offerRefresh] { offerRefresh = true; },
                               [this] {
                                   return PreviewTags(store_.Songs);
                               }};
    {
        TfrmPreferences dialog(context, main_.get());
        dialog.exec();
    }
    // Asked once the dialog is gone, so the question is not hidden behind it.
    if (offerRefresh && !shutdownDone_ && !shutdownPending_)
        RefreshDatabase1Click();
    if (!shutdownDone_) {
        main_->RebuildGenreList();
        ApplyTrayIcons(*trayIcons_, settings_.Tray);
    }
    resumePendingShutdown();
}

void Program::finishAbortedStartup() {
    if (splash_)
        splash_->close();
    runShutdown();
    main_->hide();
    QCoreApplication::quit();
}

void Program::loadCollection() {
    const QString path = folders_.LocalCache();
    main_->SetTitleText(path);
    const CacheLoadResult loaded = LoadCacheFile(path, store_.Songs, true, store_.Browse);
    // A file that is there but cannot be opened (permissions, a link to a disk that is not
    // mounted, an I/O error) is a read error too: what it holds must survive the shutdown.
    // So is a file with another first line (another program's file, a damaged start): the songs
    // it may hold were not read, and the save at shutdown would replace them.
    const QFileInfo entry(path);
    collectionReadIncomplete_ = loaded.readError ||
                                (!loaded.opened && (entry.exists() || entry.isSymLink())) ||
                                (loaded.opened && !loaded.headerMatched && entry.size() > 0);
    if (collectionReadIncomplete_)
        qCWarning(lcLifecycle) << "could not read" << path << "whole; kept" << loaded.added
                               << "songs";
    collectionLoaded_ = true;
    if (loaded.opened && loaded.headerMatched && !loaded.readError)
        unchangedSince_ = store_.Songs.Revision();
}

void Program::showStartupNotice() {
    QStringList notices;
    if (collectionReadIncomplete_)
        notices.append(QStringLiteral("Could not read %1; it will be kept as %1.bak")
                           .arg(FileNamePart(folders_.LocalCache())));
    if (const QString base = Mp3BaseUnusableStatus(settings_.Mp3Base); !base.isEmpty())
        notices.append(base);
    if (notices.isEmpty())
        return;
    QLabel* panel = main_->StatusPanel(1);
    panel->setTextFormat(Qt::PlainText);
    panel->setText(notices.join(QStringLiteral("; ")));
}

namespace {

// Moves aside or copies the file at path to path + ".bak"; false when neither worked.
bool KeepAsBackup(const QString& path) {
    const QString backup = path + QStringLiteral(".bak");
    QFile::remove(backup);
    // A copy keeps the file where it was; a file that cannot even be read is moved.
    return QFile::copy(path, backup) || QDir().rename(path, backup);
}

} // namespace

bool Program::isOwnCollection(const QString& collection) const {
    // Records of imported collections come back from their own files at the next start.
    return collection == kLocalCollection ||
           SameTextNoCase(collection, QStringLiteral("local.orv"));
}

void Program::saveCollection() {
    if (!collectionLoaded_) {
        qCInfo(lcLifecycle) << "collection was not loaded; local.orv left as it was";
        return;
    }
    if (unchangedSince_ == store_.Songs.Revision()) {
        qCInfo(lcLifecycle) << "collection unchanged; local.orv left as it was";
        return;
    }
    const QString path = folders_.LocalCache();
    // What could not be read is still in the old file: keep it beside the new one, or leave it
    // in place when it cannot be kept.
    if (collectionReadIncomplete_ && !KeepAsBackup(path)) {
        qCWarning(lcLifecycle) << "could not keep" << path << "as backup; left as it was";
        prompts_.error(QStringLiteral("The collection was not saved: %1 could not be read whole "
                                      "and no copy of it could be kept as %1.bak.\n"
                                      "It was left as it was; songs found since the start are "
                                      "found again by the next scan.")
                           .arg(QDir::toNativeSeparators(path)));
        return;
    }
    qCInfo(lcLifecycle) << "saving the collection";
    if (!SaveCacheFile(path, store_.Songs,
                       [this](const QString& collection) { return isOwnCollection(collection); })) {
        qCWarning(lcLifecycle) << "could not write" << path;
        prompts_.error(QStringLiteral("The collection could not be saved: %1 cannot be written.\n"
                                      "It keeps the songs of the last save; songs found since "
                                      "then are found again by the next scan.")
                           .arg(QDir::toNativeSeparators(path)));
    }
}

void Program::runShutdown() {
    if (shutdownDone_)
        return;
    shutdownDone_ = true;
    versionInfo_.reset();
    // Nothing may still be playing while the collection is saved and the window goes.
    playback_->Controller().StopPlayer();
    const bool settingsSaved =
        !settingsLoaded_ ||
        (WriteDesktopSettings(registry_, DesktopSettingsOf(*main_, playback_->Controller())) &&
         SaveSettings(registry_, settings_, *windowSettings_));
    StopBackgroundScan(scanner_.get());
    saveCollection();
    // Told after the collection is safe, so that an end forced while the message is open
    // loses nothing.
    if (!settingsSaved)
        prompts_.warning(kSettingsWriteFailed);
    qCInfo(lcLifecycle) << "shutdown finished";
    emit ShutdownFinished();
}

} // namespace orvane
